#pragma once

struct sqlite3;

// Registers on an SQLite database the Jet functions that simple report
// queries use, with Jet's results: Len, UCase, LCase, Left, Right, Mid,
// InStr, Nz, Year, Month, Day, Hour, Minute, Second, Weekday, Now, Date,
// Time, DateValue, DateSerial, Int, Fix, Sgn, Val, CStr, CInt, CLng, CDbl,
// CBool, CDate, Chr, Asc, Space. Left and Right are JetLeft and JetRight here
// (LEFT and RIGHT are join words to SQLite); AccessSql renames the calls. (IIf, Trim, LTrim, RTrim, Abs, Round,
// Replace are SQLite's own and behave alike.) Dates are the copy's text form
// 'yyyy-MM-dd HH:mm:ss'; Date(), Time() and Now() give the local time.
class AccessFunctions
{
public:
    // Returns false when SQLite refused a function (out of memory).
    static bool install(sqlite3 *db);
};
