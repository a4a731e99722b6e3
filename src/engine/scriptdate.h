#pragma once

#include <QDate>
#include <QTime>

// Conversions between VBScript date serials and calendar dates. A serial counts
// days from 1899-12-30; its fraction is the time of day, counted forwards from
// midnight also for days before 1899-12-30 (-1.25 is 1899-12-29 06:00).
namespace ScriptDate {

// 100-01-01 and 9999-12-31 23:59:59, the range VBScript dates cover.
constexpr double kMinSerial = -657434.0;
constexpr double kMaxSerial = 2958465.99999;

struct Parts
{
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

bool isValidSerial(double serial);
double toSerial(const QDate &date, const QTime &time);
double timeToFraction(const QTime &time);
double timeToFraction(int hour, int minute, int second);
// The calendar date and the time rounded to the second; false out of range.
bool fromSerial(double serial, QDate &date, QTime &time);
bool split(double serial, Parts &parts);

// DateSerial's arithmetic: months and days outside their range roll over into
// the neighbouring years and months; false when the result leaves the range.
bool serialFromParts(int year, int month, int day, double &serial);
// Two-digit years as the system's cut-off reads them: 0-29 are 2000-2029.
int expandYear(int year);

// 1 for the first day of the week given by firstDay (1 Sunday ... 7 Saturday).
int weekday(const QDate &date, int firstDay = 1);
// Week number with the week starting on firstDay; firstWeek 1: the week that
// holds 1 January, 2: the first with four days, 3: the first full week.
int weekOfYear(const QDate &date, int firstDay = 1, int firstWeek = 1);

// Serials count the time of day forwards even before 1899-12-30, so they are
// not a linear time scale there; these convert to and from days on one.
double toLinear(double serial);
double fromLinear(double days);

} // namespace ScriptDate
