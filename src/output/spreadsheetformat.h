#pragma once

#include <QDateTime>
#include <QString>

// What the spreadsheet exports need to say a value the way the report shows
// it: the item's Format string as a spreadsheet number format, the date
// serial of a date, and a sheet name within the spreadsheet's rules.

// A spreadsheet number format: a format code, or a built-in format by its
// number (0 General, 14 the reader's short date) when `code` is empty.
struct SpreadsheetFormat
{
    bool ok = false; // false: no spreadsheet format says what the Format string says
    QString code;
    int builtIn = 0;
};

// The format for a number shown with the Format string `format` ("" for
// none: General). Named formats ("Standard", "Currency", "Yes/No"…) and
// number patterns ("#,##0.00", "0%", "0.0 \"kg\"") translate; date patterns
// and text patterns do not.
SpreadsheetFormat spreadsheetNumberFormat(const QString &format);
// The format for a date, a time or both (`value`) shown with `format`:
// named date and time formats and date patterns ("dd/mm/yyyy", "hh:nn")
// translate, unless they use what a spreadsheet format cannot say (week
// numbers, quarters, the day of the year); an empty one gives the date, the
// time or both as the value has them.
SpreadsheetFormat spreadsheetDateFormat(const QString &format, const QDateTime &value);

// The spreadsheet's date serial (days since 1899-12-30, the time as the
// fraction; a value on that day is a time alone). False for a date before
// 1900 or after 9999, which spreadsheets do not show as dates.
bool spreadsheetDateSerial(const QDateTime &value, double &serial);

// A sheet name for a report titled `title` (its file's name when it has no
// title): at most 31 characters, none of []:*?/\ , not starting or ending
// with an apostrophe, not empty and not "History".
QString spreadsheetSheetName(const QString &title, const QString &fileName);
