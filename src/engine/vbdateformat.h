#pragma once

#include <QString>
#include <QStringView>

class ScriptLocale;

// Format's date and time patterns: d dd ddd dddd ddddd dddddd, w ww, m mm mmm
// mmmm (minutes after an hour or before seconds), q, y yy yyyy, h hh, n nn,
// s ss, ttttt, c, AM/PM am/pm A/P a/p AMPM, "/" and ":" as the locale's
// separators, quoted text and backslash escapes. Letters are read in any case.
namespace VbDateFormat {

// True when the pattern holds a date or time element outside quoted text.
bool isDatePattern(QStringView pattern);
// Formats a date serial; ok is false when the serial is no valid date.
QString format(double serial, QStringView pattern, const ScriptLocale &locale, bool *ok = nullptr);

// The locale's general date (date, time, or both as the value has them), long
// and short date and time, as CStr and FormatDateTime give them.
QString generalDate(double serial, const ScriptLocale &locale);
QString longDate(double serial, const ScriptLocale &locale);
QString shortDate(double serial, const ScriptLocale &locale);
QString longTime(double serial, const ScriptLocale &locale);
QString shortTime(double serial, const ScriptLocale &locale);

} // namespace VbDateFormat
