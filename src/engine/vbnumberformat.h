#pragma once

#include <QString>
#include <QStringView>

class ScriptLocale;

// Format's number patterns, one section at a time: "0" digit or zero, "#"
// digit or nothing, "." the locale's decimal separator, "," grouping (between
// digits) or scaling by 1000 (before the decimal point or at the end), "%",
// "E+" "E-" "e+" "e-" exponents, quoted text, backslash escapes; any other
// character is copied. Rounding is decimal, halves away from zero.
namespace VbNumberFormat {

// True when the section has a digit placeholder outside quoted text.
bool isNumberPattern(QStringView pattern);
// The magnitude of value in the section's layout; the caller adds a sign.
QString formatSection(double magnitude, QStringView ReportSection, const ScriptLocale &locale);
// True when the value shows as zero in the section (so "-" must not be added).
bool roundsToZero(double magnitude, QStringView ReportSection);

// Plain fixed-point text: `decimals` digits after the separator, grouped or
// not, with or without the 0 before the separator of numbers below 1.
QString fixed(double magnitude, int decimals, bool group, bool leadingDigit,
              const ScriptLocale &locale);

} // namespace VbNumberFormat
