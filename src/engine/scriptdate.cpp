#include "engine/scriptdate.h"

#include <cmath>

namespace ScriptDate {

namespace {
const qint64 kEpochJulian = QDate(1899, 12, 30).toJulianDay();
}

bool isValidSerial(double serial)
{
    return std::isfinite(serial) && serial >= kMinSerial - 0.99999 && serial <= kMaxSerial;
}

double timeToFraction(int hour, int minute, int second)
{
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

double timeToFraction(const QTime &time)
{
    if (!time.isValid())
        return 0.0;
    return time.msecsSinceStartOfDay() / 86400000.0;
}

double toSerial(const QDate &date, const QTime &time)
{
    const double day = double(date.toJulianDay() - kEpochJulian);
    const double t = timeToFraction(time);
    return day >= 0 ? day + t : day - t;
}

bool fromSerial(double serial, QDate &date, QTime &time)
{
    if (!isValidSerial(serial))
        return false;
    const double whole = std::trunc(serial);
    const double fraction = std::fabs(serial - whole);
    qint64 seconds = qint64(std::llround(fraction * 86400.0));
    qint64 julian = kEpochJulian + qint64(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++julian;
    }
    date = QDate::fromJulianDay(julian);
    time = QTime(0, 0).addSecs(int(seconds));
    return date.isValid() && date.year() >= 100 && date.year() <= 9999;
}

bool split(double serial, Parts &parts)
{
    QDate d;
    QTime t;
    if (!fromSerial(serial, d, t))
        return false;
    parts.year = d.year();
    parts.month = d.month();
    parts.day = d.day();
    parts.hour = t.hour();
    parts.minute = t.minute();
    parts.second = t.second();
    return true;
}

int expandYear(int year)
{
    if (year >= 0 && year < 30)
        return 2000 + year;
    if (year >= 30 && year < 100)
        return 1900 + year;
    return year;
}

bool serialFromParts(int year, int month, int day, double &serial)
{
    // Normalise the month first, in 64 bits so that huge arguments cannot wrap.
    qint64 y = year;
    qint64 m = qint64(month) - 1;
    y += m >= 0 ? m / 12 : -((-m + 11) / 12);
    m = ((m % 12) + 12) % 12;
    if (y < 100 || y > 9999)
        return false;
    const QDate first(int(y), int(m) + 1, 1);
    const qint64 julian = first.toJulianDay() + qint64(day) - 1;
    const double s = double(julian - kEpochJulian);
    if (s < kMinSerial || s > std::floor(kMaxSerial))
        return false;
    serial = s;
    return true;
}

int weekday(const QDate &date, int firstDay)
{
    // Qt: Monday 1 ... Sunday 7; VBScript: Sunday 1 ... Saturday 7.
    const int sundayBased = date.dayOfWeek() % 7 + 1;
    return (sundayBased - firstDay + 7) % 7 + 1;
}

int weekOfYear(const QDate &date, int firstDay, int firstWeek)
{
    const QDate jan1(date.year(), 1, 1);
    // Days of the first (partial) week that fall in this year.
    const int offset = weekday(jan1, firstDay) - 1; // days of that week before 1 January
    int week = (date.dayOfYear() - 1 + offset) / 7 + 1;
    const int daysInFirstWeek = 7 - offset;
    bool firstCounts = true;
    if (firstWeek == 2)
        firstCounts = daysInFirstWeek >= 4;
    else if (firstWeek == 3)
        firstCounts = daysInFirstWeek == 7;
    if (!firstCounts) {
        --week;
        if (week == 0)
            return weekOfYear(QDate(date.year() - 1, 12, 31), firstDay, firstWeek);
    }
    return week;
}

double toLinear(double serial)
{
    const double whole = std::trunc(serial);
    return whole + std::fabs(serial - whole);
}

double fromLinear(double days)
{
    const double whole = std::floor(days);
    const double fraction = days - whole;
    return whole >= 0 ? whole + fraction : whole - fraction;
}

} // namespace ScriptDate
