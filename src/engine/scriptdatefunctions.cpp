// The date and time built-ins and the Format* functions.
#include "engine/scriptbuiltins.h"
#include "engine/scriptdate.h"
#include "engine/scripterror.h"
#include "engine/scriptlocale.h"
#include "engine/vbformat.h"

#include <QDateTime>

#include <cmath>

namespace ScriptBuiltins {

namespace {

#define RETURN_NULL_FOR_NULL(v) \
    if ((v).isNull())           \
        return ScriptValue::null();

ScriptDate::Parts parts(const ScriptValue &v, ScriptContext &c)
{
    ScriptDate::Parts p;
    if (!ScriptDate::split(date(v, c), p))
        throwScriptError(ScriptError::Overflow);
    return p;
}

QDate calendarDate(const ScriptDate::Parts &p)
{
    return QDate(p.year, p.month, p.day);
}

ScriptValue checkedDate(double serial)
{
    if (!ScriptDate::isValidSerial(serial))
        throwScriptError(ScriptError::InvalidCall);
    return ScriptValue::fromDate(serial);
}

// The first-day-of-week argument: 0 means the system's (Sunday here).
int firstDayArg(Args a, int n, int index, ScriptContext &c)
{
    if (index >= n || a[index].isEmpty())
        return 1;
    const qint32 d = whole(a[index], c);
    if (d < 0 || d > 7)
        throwScriptError(ScriptError::InvalidCall);
    return d == 0 ? 1 : d;
}

int firstWeekArg(Args a, int n, int index, ScriptContext &c)
{
    if (index >= n || a[index].isEmpty())
        return 1;
    const qint32 w = whole(a[index], c);
    if (w < 0 || w > 3)
        throwScriptError(ScriptError::InvalidCall);
    return w == 0 ? 1 : w;
}

enum Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval intervalArg(const ScriptValue &v, ScriptContext &c)
{
    const QString s = text(v, c).trimmed().toLower();
    if (s == u"yyyy")
        return Year;
    if (s == u"q")
        return Quarter;
    if (s == u"m")
        return Month;
    if (s == u"y")
        return DayOfYear;
    if (s == u"d")
        return Day;
    if (s == u"w")
        return Weekday;
    if (s == u"ww")
        return Week;
    if (s == u"h")
        return Hour;
    if (s == u"n")
        return Minute;
    if (s == u"s")
        return Second;
    throwScriptError(ScriptError::InvalidCall);
}

double nowSerial()
{
    const QDateTime now = QDateTime::currentDateTime();
    return ScriptDate::toSerial(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
}

qint64 wholeSeconds(double serial)
{
    return std::llround(ScriptDate::toLinear(serial) * 86400.0);
}

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

SCRIPT_BUILTIN(fnDate)
{
    Q_UNUSED(a);
    Q_UNUSED(n);
    Q_UNUSED(c);
    return ScriptValue::fromDate(std::floor(nowSerial()));
}

SCRIPT_BUILTIN(fnNow)
{
    Q_UNUSED(a);
    Q_UNUSED(n);
    Q_UNUSED(c);
    return ScriptValue::fromDate(nowSerial());
}

SCRIPT_BUILTIN(fnTime)
{
    Q_UNUSED(a);
    Q_UNUSED(n);
    Q_UNUSED(c);
    const double s = nowSerial();
    return ScriptValue::fromDate(s - std::floor(s));
}

SCRIPT_BUILTIN(fnTimer)
{
    Q_UNUSED(a);
    Q_UNUSED(n);
    Q_UNUSED(c);
    const QTime t = QTime::currentTime();
    return ScriptValue::fromSingle(float(t.msecsSinceStartOfDay() / 1000.0));
}

SCRIPT_BUILTIN(fnDateSerial)
{
    Q_UNUSED(n);
    for (int i = 0; i < 3; ++i) {
        if (a[i].isNull())
            throwScriptError(ScriptError::InvalidUseOfNull);
    }
    int year = whole(a[0], c);
    if (year >= 0 && year < 100)
        year = ScriptDate::expandYear(year);
    double serial = 0;
    if (!ScriptDate::serialFromParts(year, whole(a[1], c), whole(a[2], c), serial))
        throwScriptError(ScriptError::InvalidCall);
    return ScriptValue::fromDate(serial);
}

SCRIPT_BUILTIN(fnTimeSerial)
{
    Q_UNUSED(n);
    const qint64 seconds = qint64(whole(a[0], c)) * 3600 + qint64(whole(a[1], c)) * 60 + whole(a[2], c);
    return checkedDate(ScriptDate::fromLinear(double(seconds) / 86400.0));
}

SCRIPT_BUILTIN(fnDateValue)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    return ScriptValue::fromDate(std::trunc(date(a[0], c)));
}

SCRIPT_BUILTIN(fnTimeValue)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    const double d = date(a[0], c);
    return ScriptValue::fromDate(std::fabs(d - std::trunc(d)));
}

SCRIPT_BUILTIN(fnDay)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    return ScriptValue::fromInteger(qint16(parts(a[0], c).day));
}

SCRIPT_BUILTIN(fnMonth)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    return ScriptValue::fromInteger(qint16(parts(a[0], c).month));
}

SCRIPT_BUILTIN(fnYear)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    return ScriptValue::fromInteger(qint16(parts(a[0], c).year));
}

SCRIPT_BUILTIN(fnHour)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    return ScriptValue::fromInteger(qint16(parts(a[0], c).hour));
}

SCRIPT_BUILTIN(fnMinute)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    return ScriptValue::fromInteger(qint16(parts(a[0], c).minute));
}

SCRIPT_BUILTIN(fnSecond)
{
    Q_UNUSED(n);
    RETURN_NULL_FOR_NULL(a[0]);
    return ScriptValue::fromInteger(qint16(parts(a[0], c).second));
}

SCRIPT_BUILTIN(fnWeekday)
{
    RETURN_NULL_FOR_NULL(a[0]);
    const int first = firstDayArg(a, n, 1, c);
    return ScriptValue::fromInteger(qint16(ScriptDate::weekday(calendarDate(parts(a[0], c)), first)));
}

SCRIPT_BUILTIN(fnIsDate)
{
    Q_UNUSED(n);
    if (a[0].type() == ScriptValue::Date)
        return ScriptValue::fromBool(true);
    if (!a[0].isString())
        return ScriptValue::fromBool(false);
    double serial = 0;
    return ScriptValue::fromBool(ScriptConvert::parseDate(a[0].stringValue(), c.locale, serial));
}

SCRIPT_BUILTIN(fnMonthName)
{
    const qint32 m = whole(a[0], c);
    if (m < 1 || m > 12)
        throwScriptError(ScriptError::InvalidCall);
    const bool abbreviate = n > 1 && ScriptConvert::toBool(a[1], c.locale);
    return ScriptValue(abbreviate ? c.locale.monthAbbreviations[m - 1] : c.locale.monthNames[m - 1]);
}

SCRIPT_BUILTIN(fnWeekdayName)
{
    const qint32 w = whole(a[0], c);
    if (w < 1 || w > 7)
        throwScriptError(ScriptError::InvalidCall);
    const bool abbreviate = n > 1 && !a[1].isEmpty() && ScriptConvert::toBool(a[1], c.locale);
    const int first = firstDayArg(a, n, 2, c);
    const int sundayBased = (w - 1 + first - 1) % 7; // 0 Sunday
    return ScriptValue(abbreviate ? c.locale.dayAbbreviations[sundayBased] : c.locale.dayNames[sundayBased]);
}

SCRIPT_BUILTIN(fnDateAdd)
{
    Q_UNUSED(n);
    const Interval interval = intervalArg(a[0], c);
    if (a[1].isNull() || a[2].isNull())
        throwScriptError(ScriptError::InvalidUseOfNull);
    const double amount = std::trunc(number(a[1], c));
    const double serial = date(a[2], c);
    if (std::fabs(amount) > 1e9)
        throwScriptError(ScriptError::InvalidCall);
    const qint64 k = qint64(amount);
    switch (interval) {
    case Year:
    case Quarter:
    case Month: {
        const qint64 months = interval == Year ? k * 12 : interval == Quarter ? k * 3 : k;
        ScriptDate::Parts p;
        if (!ScriptDate::split(serial, p))
            throwScriptError(ScriptError::InvalidCall);
        qint64 total = qint64(p.year) * 12 + (p.month - 1) + months;
        const qint64 year = floorDiv(total, 12);
        const int month = int(total - year * 12) + 1;
        if (year < 100 || year > 9999)
            throwScriptError(ScriptError::InvalidCall);
        // The day is kept, or the month's last day where it has fewer.
        const QDate first(int(year), month, 1);
        const QDate d(int(year), month, std::min(p.day, first.daysInMonth()));
        return checkedDate(ScriptDate::toSerial(d, QTime(p.hour, p.minute, p.second)));
    }
    case DayOfYear:
    case Day:
    case Weekday:
    case Week: {
        const double days = interval == Week ? double(k) * 7 : double(k);
        return checkedDate(ScriptDate::fromLinear(ScriptDate::toLinear(serial) + days));
    }
    case Hour:
    case Minute:
    case Second: {
        const qint64 unit = interval == Hour ? 3600 : interval == Minute ? 60 : 1;
        const qint64 seconds = wholeSeconds(serial) + k * unit;
        return checkedDate(ScriptDate::fromLinear(double(seconds) / 86400.0));
    }
    }
    return ScriptValue();
}

SCRIPT_BUILTIN(fnDateDiff)
{
    const Interval interval = intervalArg(a[0], c);
    if (a[1].isNull() || a[2].isNull())
        return ScriptValue::null();
    const int firstDay = firstDayArg(a, n, 3, c);
    const int firstWeek = firstWeekArg(a, n, 4, c);
    Q_UNUSED(firstWeek);
    const double s1 = date(a[1], c), s2 = date(a[2], c);
    ScriptDate::Parts p1, p2;
    if (!ScriptDate::split(s1, p1) || !ScriptDate::split(s2, p2))
        throwScriptError(ScriptError::InvalidCall);
    const qint64 day1 = QDate(p1.year, p1.month, p1.day).toJulianDay();
    const qint64 day2 = QDate(p2.year, p2.month, p2.day).toJulianDay();
    qint64 r = 0;
    switch (interval) {
    case Year:
        r = p2.year - p1.year;
        break;
    case Quarter:
        r = (p2.year * 4 + (p2.month - 1) / 3) - (p1.year * 4 + (p1.month - 1) / 3);
        break;
    case Month:
        r = (p2.year * 12 + p2.month) - (p1.year * 12 + p1.month);
        break;
    case DayOfYear:
    case Day:
        r = day2 - day1;
        break;
    case Weekday:
        r = (day2 - day1) / 7;
        break;
    case Week: {
        // Weeks counted by the first days of the week between the dates.
        auto weekStart = [firstDay](qint64 julian) {
            const int dow = int((julian + 1) % 7) + 1; // 1 Sunday
            return julian - ((dow - firstDay + 7) % 7);
        };
        r = (weekStart(day2) - weekStart(day1)) / 7;
        break;
    }
    case Hour:
    case Minute:
    case Second: {
        const qint64 unit = interval == Hour ? 3600 : interval == Minute ? 60 : 1;
        r = floorDiv(wholeSeconds(s2), unit) - floorDiv(wholeSeconds(s1), unit);
        break;
    }
    }
    if (r >= INT32_MIN && r <= INT32_MAX)
        return ScriptValue::fromLong(qint32(r));
    return ScriptValue::fromDouble(double(r));
}

SCRIPT_BUILTIN(fnDatePart)
{
    const Interval interval = intervalArg(a[0], c);
    RETURN_NULL_FOR_NULL(a[1]);
    const int firstDay = firstDayArg(a, n, 2, c);
    const int firstWeek = firstWeekArg(a, n, 3, c);
    const ScriptDate::Parts p = parts(a[1], c);
    const QDate d = calendarDate(p);
    int r = 0;
    switch (interval) {
    case Year:
        r = p.year;
        break;
    case Quarter:
        r = (p.month - 1) / 3 + 1;
        break;
    case Month:
        r = p.month;
        break;
    case DayOfYear:
        r = d.dayOfYear();
        break;
    case Day:
        r = p.day;
        break;
    case Weekday:
        r = ScriptDate::weekday(d, firstDay);
        break;
    case Week:
        r = ScriptDate::weekOfYear(d, firstDay, firstWeek);
        break;
    case Hour:
        r = p.hour;
        break;
    case Minute:
        r = p.minute;
        break;
    case Second:
        r = p.second;
        break;
    }
    return ScriptValue::fromInteger(qint16(r));
}

// ------------------------------------------------------------ Format*

namespace {

struct NumberFormatArgs
{
    int decimals = -1;
    int leading = VbFormat::UseDefault;
    int parens = VbFormat::UseDefault;
    int group = VbFormat::UseDefault;
};

NumberFormatArgs numberFormatArgs(Args a, int n, ScriptContext &c)
{
    NumberFormatArgs f;
    auto tri = [&](int i, int &out) {
        if (i < n && !a[i].isEmpty()) {
            out = whole(a[i], c);
            if (out < -2 || out > 1)
                throwScriptError(ScriptError::InvalidCall);
        }
    };
    if (n > 1 && !a[1].isEmpty()) {
        f.decimals = whole(a[1], c);
        if (f.decimals < -1 || f.decimals > 255)
            throwScriptError(ScriptError::InvalidCall);
    }
    tri(2, f.leading);
    tri(3, f.parens);
    tri(4, f.group);
    return f;
}

double formatNumberArg(const ScriptValue &v, ScriptContext &c)
{
    if (v.isNull())
        throwScriptError(ScriptError::TypeMismatch);
    return number(v, c);
}

} // namespace

SCRIPT_BUILTIN(fnFormatNumber)
{
    const double d = formatNumberArg(a[0], c);
    const NumberFormatArgs f = numberFormatArgs(a, n, c);
    return ScriptValue(VbFormat::formatNumber(d, f.decimals, f.leading, f.parens, f.group, c.locale));
}

SCRIPT_BUILTIN(fnFormatCurrency)
{
    const double d = formatNumberArg(a[0], c);
    const NumberFormatArgs f = numberFormatArgs(a, n, c);
    return ScriptValue(VbFormat::formatCurrency(d, f.decimals, f.leading, f.parens, f.group, c.locale));
}

SCRIPT_BUILTIN(fnFormatPercent)
{
    const double d = formatNumberArg(a[0], c);
    const NumberFormatArgs f = numberFormatArgs(a, n, c);
    return ScriptValue(VbFormat::formatPercent(d, f.decimals, f.leading, f.parens, f.group, c.locale));
}

SCRIPT_BUILTIN(fnFormatDateTime)
{
    if (a[0].isNull())
        throwScriptError(ScriptError::TypeMismatch);
    const double serial = date(a[0], c);
    const int named = n > 1 ? whole(a[1], c) : 0;
    if (named < 0 || named > 4)
        throwScriptError(ScriptError::InvalidCall);
    return ScriptValue(VbFormat::formatDateTime(serial, named, c.locale));
}

} // namespace ScriptBuiltins
