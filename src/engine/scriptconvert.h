#pragma once

#include "engine/scriptvalue.h"

#include <QLocale>
#include <QStringView>

class ScriptLocale;

// VBScript's conversions between subtypes (CStr, CDbl, CLng, CDate, ...). The
// throwing ones raise ScriptException with VBScript's error numbers: "Type
// mismatch" for text that is no number, "Overflow" for values out of range,
// "Invalid use of Null" for Null where a value is needed.
namespace ScriptConvert {

enum class ParseResult { Ok, NotANumber, Overflow };

// A number written as text the way CDbl reads it in the given locale: blanks
// around, a sign or brackets, the currency symbol, group separators, decimal
// separator, exponent, or &H / &O. With `strict`, group separators must
// separate groups of three digits (used where a wrong guess would alter a
// value rather than raise an error).
ParseResult parseNumber(QStringView text, const ScriptLocale &locale, double &value,
                        bool strict = false);
// A date and/or time written as text, as CDate reads it; the day order follows
// the locale, month names may be the locale's or English.
bool parseDate(QStringView text, const ScriptLocale &locale, double &serial);

// Text forms as CStr gives them: 15 significant digits for Double, 7 for
// Single, the locale's decimal separator, "1E+20" style exponents.
QString numberText(double value, int significantDigits, const ScriptLocale &locale);
QString currencyText(qint64 tenThousandths, const ScriptLocale &locale);
QString dateText(double serial, const ScriptLocale &locale);

double roundHalfEven(double value);

QString toText(const ScriptValue &value, const ScriptLocale &locale);
double toDouble(const ScriptValue &value, const ScriptLocale &locale);
float toSingle(const ScriptValue &value, const ScriptLocale &locale);
qint32 toLong(const ScriptValue &value, const ScriptLocale &locale);
qint16 toInteger(const ScriptValue &value, const ScriptLocale &locale);
quint8 toByte(const ScriptValue &value, const ScriptLocale &locale);
qint64 toCurrency(const ScriptValue &value, const ScriptLocale &locale);
double toDate(const ScriptValue &value, const ScriptLocale &locale);
bool toBool(const ScriptValue &value, const ScriptLocale &locale);
// Text becomes a Double, Empty an Integer 0; numeric subtypes are unchanged.
ScriptValue toNumeric(const ScriptValue &value, const ScriptLocale &locale);

} // namespace ScriptConvert

// CStr of a value in a locale (QLocale::c() gives the neutral English form that
// `mirt /eval` prints). Null gives an empty text rather than an error, as the
// report's own text conversion does.
QString cstr(const ScriptValue &value, const QLocale &locale = QLocale());
