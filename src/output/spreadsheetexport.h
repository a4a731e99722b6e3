#pragma once

#include <QChar>
#include <QString>

#include <functional>

class ReportDocument;

// Editable exports of a whole run: the pages laid out as one table
// (SpreadsheetGrid), page headers and footers left out. Texts whose run kept
// their typed values (PrintedPages::setKeepValues) give numbers, dates and
// truth values; every other text is text, never a formula.
//
// `progress` (may be empty) is told (page, pages) as the rows of each page
// are written and stops the export when it returns false. The file is
// replaced only when complete; false with `error` set when it cannot be
// written or the export was stopped.

// An Office Open XML workbook (.xlsx) of one sheet named after the report,
// written row by row in constant memory. The item's Format becomes the
// cell's number format where a spreadsheet format says the same, else the
// formatted text is written; bold, italic, underline, colour and alignment
// carry over, column widths come from the items' widths, and a picture or
// chart leaves its cell empty with a note naming it.
bool exportXlsx(ReportDocument &doc, const QString &file, QString *error,
                const std::function<bool(int, int)> &progress = {});

// Comma-separated values (RFC 4180: CR LF after each row, fields quoted
// when they hold the separator, a quote or a line break), UTF-8, every row
// with every column. Numbers with a dot and no grouping, dates and times as
// ISO 8601 ("2024-03-01", "2024-03-01 14:30:00", "14:30:00"), truth values
// as TRUE and FALSE. A text a spreadsheet would take for a formula (one
// beginning with = + - @) gets an apostrophe before it, as spreadsheets
// mark such a text themselves.
bool exportCsv(ReportDocument &doc, const QString &file, QChar separator, QString *error,
               const std::function<bool(int, int)> &progress = {});

// The separator /csvsep names: "," ";" "|" ":" or a tab ("tab", "\t" or
// the character itself); a null QChar for anything else.
QChar csvSeparatorOf(const QString &text);
