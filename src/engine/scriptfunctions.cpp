#include "engine/scriptfunctions.h"

#include "engine/scriptbuiltins.h"
#include "engine/scriptdate.h"
#include "engine/scripterror.h"
#include "engine/scriptlocale.h"

#include <cfloat>
#include <cmath>
#include <cstring>

using namespace ScriptBuiltins;

namespace {

#define RETURN_NULL_FOR_NULL(v) \
    if ((v).isNull())           \
        return ScriptValue::null();

// The numeric form of an argument for functions that keep the subtype (Abs,
// Int, Fix, Round): text becomes a Double, Empty an Integer 0.
ScriptValue numericArg(const ScriptValue &v, ScriptContext &c)
{
    return ScriptConvert::toNumeric(v, c.locale);
}

SCRIPT_BUILTIN(fnAbs)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    const ScriptValue v = numericArg(a[0], c);
    switch (v.type()) {
    case ScriptValue::Boolean:
        return ScriptValue::fromInteger(v.boolValue() ? 1 : 0);
    case ScriptValue::Byte:
        return v;
    case ScriptValue::Integer:
        if (v.integerValue() == -32768)
            return ScriptValue::fromLong(32768);
        return ScriptValue::fromInteger(qint16(std::abs(v.integerValue())));
    case ScriptValue::Long:
        if (v.longValue() == INT32_MIN)
            return ScriptValue::fromDouble(2147483648.0);
        return ScriptValue::fromLong(std::abs(v.longValue()));
    case ScriptValue::Single:
        return ScriptValue::fromSingle(std::fabs(v.singleValue()));
    case ScriptValue::Currency:
        if (v.currencyValue() == INT64_MIN)
            throwScriptError(ScriptError::Overflow);
        return ScriptValue::fromCurrency(std::abs(v.currencyValue()));
    case ScriptValue::Date:
        return ScriptValue::fromDate(std::fabs(v.dateValue()));
    default:
        return ScriptValue::fromDouble(std::fabs(v.number()));
    }
}

// Int rounds down, Fix towards zero; both keep the subtype.
ScriptValue wholePart(const ScriptValue &arg, ScriptContext &c, bool down)
{
    RETURN_NULL_FOR_NULL(arg);
    const ScriptValue v = numericArg(arg, c);
    auto cut = [down](double d) { return down ? std::floor(d) : std::trunc(d); };
    switch (v.type()) {
    case ScriptValue::Boolean:
        return ScriptValue::fromInteger(v.boolValue() ? -1 : 0);
    case ScriptValue::Single:
        return ScriptValue::fromSingle(float(cut(v.singleValue())));
    case ScriptValue::Currency: {
        const qint64 cy = v.currencyValue();
        qint64 q = cy / 10000;
        if (down && cy % 10000 < 0)
            --q;
        return ScriptValue::fromCurrency(q * 10000);
    }
    case ScriptValue::Date:
        return ScriptValue::fromDate(cut(v.dateValue()));
    case ScriptValue::Double:
        return ScriptValue::fromDouble(cut(v.doubleValue()));
    default:
        return v;
    }
}

SCRIPT_BUILTIN(fnInt)
{
    Q_UNUSED(n);
    return wholePart(a[0], c, true);
}

SCRIPT_BUILTIN(fnFix)
{
    Q_UNUSED(n);
    return wholePart(a[0], c, false);
}

double roundHalfEven(double value, int digits)
{
    if (digits == 0)
        return std::nearbyint(value);
    const double scale = std::pow(10.0, digits);
    const double scaled = value * scale;
    if (!std::isfinite(scaled))
        return value;
    return std::nearbyint(scaled) / scale;
}

SCRIPT_BUILTIN(fnRound)
{
    RETURN_NULL_FOR_NULL(a[0]);
    const int digits = n > 1 ? whole(a[1], c) : 0;
    if (digits < 0)
        throwScriptError(ScriptError::InvalidCall);
    const ScriptValue v = numericArg(a[0], c);
    switch (v.type()) {
    case ScriptValue::Boolean:
        return ScriptValue::fromInteger(v.boolValue() ? -1 : 0);
    case ScriptValue::Byte:
    case ScriptValue::Integer:
    case ScriptValue::Long:
        return v;
    case ScriptValue::Single:
        return ScriptValue::fromSingle(float(roundHalfEven(v.singleValue(), digits)));
    case ScriptValue::Currency: {
        if (digits >= 4)
            return v;
        qint64 unit = 1;
        for (int i = digits; i < 4; ++i)
            unit *= 10;
        const qint64 cy = v.currencyValue();
        qint64 q = cy / unit;
        const qint64 rem = cy % unit;
        const qint64 twice = std::abs(rem) * 2;
        if (twice > unit || (twice == unit && q % 2 != 0))
            q += cy < 0 ? -1 : 1;
        return ScriptValue::fromCurrency(q * unit);
    }
    default:
        return ScriptValue::fromDouble(roundHalfEven(v.number(), digits));
    }
}

SCRIPT_BUILTIN(fnSgn)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    const double d = number(a[0], c);
    return ScriptValue::fromInteger(d < 0 ? -1 : d > 0 ? 1 : 0);
}

ScriptValue checkedDouble(double d)
{
    if (!std::isfinite(d))
        throwScriptError(ScriptError::Overflow);
    return ScriptValue::fromDouble(d);
}

SCRIPT_BUILTIN(fnAtn)
{
    Q_UNUSED(n);
    return checkedDouble(std::atan(number(a[0], c)));
}

SCRIPT_BUILTIN(fnCos)
{
    Q_UNUSED(n);
    return checkedDouble(std::cos(number(a[0], c)));
}

SCRIPT_BUILTIN(fnSin)
{
    Q_UNUSED(n);
    return checkedDouble(std::sin(number(a[0], c)));
}

SCRIPT_BUILTIN(fnTan)
{
    Q_UNUSED(n);
    return checkedDouble(std::tan(number(a[0], c)));
}

SCRIPT_BUILTIN(fnExp)
{
    Q_UNUSED(n);
    return checkedDouble(std::exp(number(a[0], c)));
}

SCRIPT_BUILTIN(fnLog)
{
    Q_UNUSED(n);
    const double d = number(a[0], c);
    if (!(d > 0))
        throwScriptError(ScriptError::InvalidCall);
    return checkedDouble(std::log(d));
}

SCRIPT_BUILTIN(fnSqr)
{
    Q_UNUSED(n);
    const double d = number(a[0], c);
    if (d < 0)
        throwScriptError(ScriptError::InvalidCall);
    return checkedDouble(std::sqrt(d));
}

// Hex and Oct show 16-bit subtypes in 16 bits, everything else in 32.
ScriptValue radixText(const ScriptValue &v, ScriptContext &c, int radix)
{
    RETURN_NULL_FOR_NULL(v);
    const qint32 l = whole(v, c);
    const bool small = v.type() == ScriptValue::Integer || v.type() == ScriptValue::Byte
                       || v.type() == ScriptValue::Boolean || v.isEmpty();
    const quint32 bits = small ? quint32(quint16(qint16(l))) : quint32(l);
    return ScriptValue(QString::number(bits, radix).toUpper());
}

SCRIPT_BUILTIN(fnHex)
{
    Q_UNUSED(n);
    return radixText(a[0], c, 16);
}

SCRIPT_BUILTIN(fnOct)
{
    Q_UNUSED(n);
    return radixText(a[0], c, 8);
}

// ------------------------------------------------------------ conversions

SCRIPT_BUILTIN(fnCBool)
{
    Q_UNUSED(n);
    return ScriptValue::fromBool(ScriptConvert::toBool(a[0], c.locale));
}

SCRIPT_BUILTIN(fnCByte)
{
    Q_UNUSED(n);
    return ScriptValue::fromByte(ScriptConvert::toByte(a[0], c.locale));
}

SCRIPT_BUILTIN(fnCCur)
{
    Q_UNUSED(n);
    return ScriptValue::fromCurrency(ScriptConvert::toCurrency(a[0], c.locale));
}

SCRIPT_BUILTIN(fnCDate)
{
    Q_UNUSED(n);
    return ScriptValue::fromDate(date(a[0], c));
}

SCRIPT_BUILTIN(fnCDbl)
{
    Q_UNUSED(n);
    return ScriptValue::fromDouble(number(a[0], c));
}

SCRIPT_BUILTIN(fnCInt)
{
    Q_UNUSED(n);
    return ScriptValue::fromInteger(ScriptConvert::toInteger(a[0], c.locale));
}

SCRIPT_BUILTIN(fnCLng)
{
    Q_UNUSED(n);
    return ScriptValue::fromLong(ScriptConvert::toLong(a[0], c.locale));
}

SCRIPT_BUILTIN(fnCSng)
{
    Q_UNUSED(n);
    return ScriptValue::fromSingle(ScriptConvert::toSingle(a[0], c.locale));
}

SCRIPT_BUILTIN(fnCStr)
{
    Q_UNUSED(n);
    if (a[0].isString())
        return a[0];
    return ScriptValue(text(a[0], c));
}

// ------------------------------------------------------------ inspection

SCRIPT_BUILTIN(fnIsEmpty)
{
    Q_UNUSED(n);
    Q_UNUSED(c);
    return ScriptValue::fromBool(a[0].isEmpty());
}

SCRIPT_BUILTIN(fnIsNull)
{
    Q_UNUSED(n);
    Q_UNUSED(c);
    return ScriptValue::fromBool(a[0].isNull());
}

SCRIPT_BUILTIN(fnIsNumeric)
{
    Q_UNUSED(n);
    switch (a[0].type()) {
    case ScriptValue::Null:
    case ScriptValue::Date:
    case ScriptValue::Object:
        return ScriptValue::fromBool(false);
    case ScriptValue::String: {
        double d = 0;
        return ScriptValue::fromBool(ScriptConvert::parseNumber(a[0].stringValue(), c.locale, d)
                                     == ScriptConvert::ParseResult::Ok);
    }
    default:
        return ScriptValue::fromBool(true);
    }
}

SCRIPT_BUILTIN(fnTypeName)
{
    Q_UNUSED(n);
    Q_UNUSED(c);
    return ScriptValue(a[0].typeName());
}

SCRIPT_BUILTIN(fnVarType)
{
    Q_UNUSED(n);
    Q_UNUSED(c);
    return ScriptValue::fromInteger(qint16(a[0].varType()));
}

// Sorted by name for the binary search in find().
constexpr ScriptFunction kFunctions[] = {
    {"abs", 1, 1, fnAbs},
    {"asc", 1, 1, fnAsc},
    {"ascw", 1, 1, fnAscW},
    {"atn", 1, 1, fnAtn},
    {"cbool", 1, 1, fnCBool},
    {"cbyte", 1, 1, fnCByte},
    {"ccur", 1, 1, fnCCur},
    {"cdate", 1, 1, fnCDate},
    {"cdbl", 1, 1, fnCDbl},
    {"chr", 1, 1, fnChr},
    {"chrw", 1, 1, fnChrW},
    {"cint", 1, 1, fnCInt},
    {"clng", 1, 1, fnCLng},
    {"cos", 1, 1, fnCos},
    {"csng", 1, 1, fnCSng},
    {"cstr", 1, 1, fnCStr},
    {"date", 0, 0, fnDate},
    {"dateadd", 3, 3, fnDateAdd},
    {"datediff", 3, 5, fnDateDiff},
    {"datepart", 2, 4, fnDatePart},
    {"dateserial", 3, 3, fnDateSerial},
    {"datevalue", 1, 1, fnDateValue},
    {"day", 1, 1, fnDay},
    {"exp", 1, 1, fnExp},
    {"fix", 1, 1, fnFix},
    {"formatcurrency", 1, 5, fnFormatCurrency},
    {"formatdatetime", 1, 2, fnFormatDateTime},
    {"formatnumber", 1, 5, fnFormatNumber},
    {"formatpercent", 1, 5, fnFormatPercent},
    {"hex", 1, 1, fnHex},
    {"hour", 1, 1, fnHour},
    {"iif", 3, 3, nullptr},
    {"instr", 2, 4, fnInStr},
    {"instrrev", 2, 4, fnInStrRev},
    {"int", 1, 1, fnInt},
    {"isdate", 1, 1, fnIsDate},
    {"isempty", 1, 1, fnIsEmpty},
    {"isnull", 1, 1, fnIsNull},
    {"isnumeric", 1, 1, fnIsNumeric},
    {"lcase", 1, 1, fnLCase},
    {"left", 2, 2, fnLeft},
    {"len", 1, 1, fnLen},
    {"log", 1, 1, fnLog},
    {"ltrim", 1, 1, fnLTrim},
    {"mid", 2, 3, fnMid},
    {"minute", 1, 1, fnMinute},
    {"month", 1, 1, fnMonth},
    {"monthname", 1, 2, fnMonthName},
    {"now", 0, 0, fnNow},
    {"oct", 1, 1, fnOct},
    {"replace", 3, 6, fnReplace},
    {"right", 2, 2, fnRight},
    {"round", 1, 2, fnRound},
    {"rtrim", 1, 1, fnRTrim},
    {"second", 1, 1, fnSecond},
    {"sgn", 1, 1, fnSgn},
    {"sin", 1, 1, fnSin},
    {"space", 1, 1, fnSpace},
    {"sqr", 1, 1, fnSqr},
    {"strcomp", 2, 3, fnStrComp},
    {"string", 2, 2, fnString},
    {"strreverse", 1, 1, fnStrReverse},
    {"tan", 1, 1, fnTan},
    {"time", 0, 0, fnTime},
    {"timer", 0, 0, fnTimer},
    {"timeserial", 3, 3, fnTimeSerial},
    {"timevalue", 1, 1, fnTimeValue},
    {"trim", 1, 1, fnTrim},
    {"typename", 1, 1, fnTypeName},
    {"ucase", 1, 1, fnUCase},
    {"vartype", 1, 1, fnVarType},
    {"weekday", 1, 2, fnWeekday},
    {"weekdayname", 1, 3, fnWeekdayName},
    {"year", 1, 1, fnYear},
};

struct NamedConstant
{
    const char *name;
    int kind; // 0 Integer, 1 Long, 2 String
    int number;
    const char16_t *text;
};

constexpr NamedConstant kConstants[] = {
    {"vbcr", 2, 0, u"\r"},
    {"vbcrlf", 2, 0, u"\r\n"},
    {"vblf", 2, 0, u"\n"},
    {"vbnewline", 2, 0, u"\r\n"},
    {"vbnullchar", 2, 0, u"\0"},
    {"vbnullstring", 2, 0, u""},
    {"vbtab", 2, 0, u"\t"},
    {"vbformfeed", 2, 0, u"\f"},
    {"vbverticaltab", 2, 0, u"\v"},
    {"vbbinarycompare", 0, 0, nullptr},
    {"vbtextcompare", 0, 1, nullptr},
    {"vbtrue", 0, -1, nullptr},
    {"vbfalse", 0, 0, nullptr},
    {"vbusedefault", 0, -2, nullptr},
    {"vbusesystemdayofweek", 0, 0, nullptr},
    {"vbsunday", 0, 1, nullptr},
    {"vbmonday", 0, 2, nullptr},
    {"vbtuesday", 0, 3, nullptr},
    {"vbwednesday", 0, 4, nullptr},
    {"vbthursday", 0, 5, nullptr},
    {"vbfriday", 0, 6, nullptr},
    {"vbsaturday", 0, 7, nullptr},
    {"vbusesystem", 0, 0, nullptr},
    {"vbfirstjan1", 0, 1, nullptr},
    {"vbfirstfourdays", 0, 2, nullptr},
    {"vbfirstfullweek", 0, 3, nullptr},
    {"vbgeneraldate", 0, 0, nullptr},
    {"vblongdate", 0, 1, nullptr},
    {"vbshortdate", 0, 2, nullptr},
    {"vblongtime", 0, 3, nullptr},
    {"vbshorttime", 0, 4, nullptr},
    {"vbempty", 0, 0, nullptr},
    {"vbnull", 0, 1, nullptr},
    {"vbinteger", 0, 2, nullptr},
    {"vblong", 0, 3, nullptr},
    {"vbsingle", 0, 4, nullptr},
    {"vbdouble", 0, 5, nullptr},
    {"vbcurrency", 0, 6, nullptr},
    {"vbdate", 0, 7, nullptr},
    {"vbstring", 0, 8, nullptr},
    {"vbobject", 0, 9, nullptr},
    {"vberror", 0, 10, nullptr},
    {"vbboolean", 0, 11, nullptr},
    {"vbvariant", 0, 12, nullptr},
    {"vbdataobject", 0, 13, nullptr},
    {"vbdecimal", 0, 14, nullptr},
    {"vbbyte", 0, 17, nullptr},
    {"vbarray", 0, 8192, nullptr},
    {"vbobjecterror", 1, int(0x80040000u), nullptr},
    {"vbblack", 1, 0x000000, nullptr},
    {"vbred", 1, 0x0000FF, nullptr},
    {"vbgreen", 1, 0x00FF00, nullptr},
    {"vbyellow", 1, 0x00FFFF, nullptr},
    {"vbblue", 1, 0xFF0000, nullptr},
    {"vbmagenta", 1, 0xFF00FF, nullptr},
    {"vbcyan", 1, 0xFFFF00, nullptr},
    {"vbwhite", 1, 0xFFFFFF, nullptr},
};

} // namespace

namespace ScriptFunctions {

const ScriptFunction *find(const char *lowerName)
{
    size_t lo = 0, hi = std::size(kFunctions);
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        const int cmp = std::strcmp(kFunctions[mid].name, lowerName);
        if (cmp == 0)
            return &kFunctions[mid];
        if (cmp < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return nullptr;
}

bool isIIf(const ScriptFunction *function)
{
    return function && function->call == nullptr;
}

bool constant(const char *lowerName, ScriptValue &value)
{
    for (const NamedConstant &k : kConstants) {
        if (std::strcmp(k.name, lowerName) != 0)
            continue;
        if (k.kind == 0)
            value = ScriptValue::fromInteger(qint16(k.number));
        else if (k.kind == 1)
            value = ScriptValue::fromLong(k.number);
        else if (k.text[0] == 0 && std::strcmp(k.name, "vbnullchar") == 0)
            value = ScriptValue(QString(QChar(0)));
        else
            value = ScriptValue(QString::fromUtf16(k.text));
        return true;
    }
    return false;
}

} // namespace ScriptFunctions

Qt::CaseSensitivity ScriptBuiltins::compareMode(Args a, int n, int index, ScriptContext &c)
{
    if (index >= n || a[index].isEmpty())
        return Qt::CaseSensitive;
    const qint32 mode = whole(a[index], c);
    if (mode < 0 || mode > 2)
        throwScriptError(ScriptError::InvalidCall);
    return mode == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive;
}
