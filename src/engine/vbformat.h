#pragma once

#include "engine/scriptvalue.h"

#include <QLocale>
#include <QString>

class ScriptLocale;

// VB's Format: number, date and text patterns with up to four ";" sections
// (positive; negative; zero; Null for numbers, text; empty-or-Null for text) and
// the named formats ("Standard", "Short Date", "Yes/No", ...). Text that reads
// as a number (in the locale, then in C) or as a date is formatted as one; when
// nothing fits, the value's own text comes back unchanged.
QString formatValue(const ScriptValue &value, const QString &pattern);
QString formatValue(const ScriptValue &value, const QString &pattern, const QLocale &locale);

namespace VbFormat {

// The tri-state arguments of FormatNumber and friends: -1 true, 0 false,
// -2 the locale's default.
constexpr int UseDefault = -2;

QString format(const ScriptValue &value, const QString &pattern, const ScriptLocale &locale);
QString formatNumber(double value, int decimals, int leadingDigit, int parensForNegative,
                     int groupDigits, const ScriptLocale &locale);
QString formatCurrency(double value, int decimals, int leadingDigit, int parensForNegative,
                       int groupDigits, const ScriptLocale &locale);
QString formatPercent(double value, int decimals, int leadingDigit, int parensForNegative,
                      int groupDigits, const ScriptLocale &locale);
// namedFormat: 0 general date, 1 long date, 2 short date, 3 long time, 4 short time.
QString formatDateTime(double serial, int namedFormat, const ScriptLocale &locale);

} // namespace VbFormat
