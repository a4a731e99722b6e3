#pragma once

#include "engine/scriptcontext.h"
#include "engine/scriptconvert.h"
#include "engine/scriptvalue.h"

// Shared by the files that implement the built-in functions.
namespace ScriptBuiltins {

using Args = const ScriptValue *;

inline double number(const ScriptValue &v, ScriptContext &c)
{
    return ScriptConvert::toDouble(v, c.locale);
}
inline qint32 whole(const ScriptValue &v, ScriptContext &c)
{
    return ScriptConvert::toLong(v, c.locale);
}
inline QString text(const ScriptValue &v, ScriptContext &c)
{
    return ScriptConvert::toText(v, c.locale);
}
inline double date(const ScriptValue &v, ScriptContext &c)
{
    return ScriptConvert::toDate(v, c.locale);
}
// 0 binary, 1 text comparison.
Qt::CaseSensitivity compareMode(Args a, int n, int index, ScriptContext &c);

#define SCRIPT_BUILTIN(name) ScriptValue name(ScriptBuiltins::Args a, int n, ScriptContext &c)

// Strings
SCRIPT_BUILTIN(fnInStr);
SCRIPT_BUILTIN(fnInStrRev);
SCRIPT_BUILTIN(fnLCase);
SCRIPT_BUILTIN(fnLeft);
SCRIPT_BUILTIN(fnLen);
SCRIPT_BUILTIN(fnLTrim);
SCRIPT_BUILTIN(fnMid);
SCRIPT_BUILTIN(fnReplace);
SCRIPT_BUILTIN(fnRight);
SCRIPT_BUILTIN(fnRTrim);
SCRIPT_BUILTIN(fnSpace);
SCRIPT_BUILTIN(fnStrComp);
SCRIPT_BUILTIN(fnString);
SCRIPT_BUILTIN(fnStrReverse);
SCRIPT_BUILTIN(fnTrim);
SCRIPT_BUILTIN(fnUCase);
SCRIPT_BUILTIN(fnAsc);
SCRIPT_BUILTIN(fnAscW);
SCRIPT_BUILTIN(fnChr);
SCRIPT_BUILTIN(fnChrW);

// Dates and times
SCRIPT_BUILTIN(fnDate);
SCRIPT_BUILTIN(fnNow);
SCRIPT_BUILTIN(fnTime);
SCRIPT_BUILTIN(fnTimer);
SCRIPT_BUILTIN(fnDateAdd);
SCRIPT_BUILTIN(fnDateDiff);
SCRIPT_BUILTIN(fnDatePart);
SCRIPT_BUILTIN(fnDateSerial);
SCRIPT_BUILTIN(fnTimeSerial);
SCRIPT_BUILTIN(fnDateValue);
SCRIPT_BUILTIN(fnTimeValue);
SCRIPT_BUILTIN(fnDay);
SCRIPT_BUILTIN(fnMonth);
SCRIPT_BUILTIN(fnYear);
SCRIPT_BUILTIN(fnHour);
SCRIPT_BUILTIN(fnMinute);
SCRIPT_BUILTIN(fnSecond);
SCRIPT_BUILTIN(fnWeekday);
SCRIPT_BUILTIN(fnMonthName);
SCRIPT_BUILTIN(fnWeekdayName);
SCRIPT_BUILTIN(fnIsDate);

// Formatting
SCRIPT_BUILTIN(fnFormatNumber);
SCRIPT_BUILTIN(fnFormatCurrency);
SCRIPT_BUILTIN(fnFormatPercent);
SCRIPT_BUILTIN(fnFormatDateTime);

} // namespace ScriptBuiltins
