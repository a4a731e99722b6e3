#pragma once

#include <QList>
#include <QPageSize>
#include <QSizeF>
#include <QString>

class ReportDocument;

// The paper codes a report stores are the Windows paper numbers; 256 is a
// size of the report's own and 0 means none was chosen yet (A4 then).
constexpr int kPaperUserDefined = 256;
constexpr int kPaperDefault = 9;

struct PaperEntry
{
    int code;
    QString text;       // as the paper lists show it
    QSizeF millimetres; // portrait sheet as fed; empty for the user-defined size
};

// The paper list in the order the property dialogs show it.
const QList<PaperEntry> &paperTable();

// The sheet of paper code `code`; invalid for 256 and unknown codes. Sizes
// that match a standard size carry its name (what a printer knows it by).
QPageSize paperPageSize(int code);

// The sheet a report is printed on: its paper code's, or with code 256 its
// own page size (pageWidth by pageHeight, portrait). Code 0 reads as A4.
QPageSize documentPageSize(const ReportDocument &doc);

// The page height / width as laid out: the stored (portrait) size turned
// with the orientation.
float pageHeightO(const ReportDocument &doc);
float pageWidthO(const ReportDocument &doc);

// The page as it is drawn: width and height in the document unit for its
// orientation (a landscape page is the portrait sheet turned).
QSizeF pageSizeO(const ReportDocument &doc);
// The page in millimetres, portrait (paper as it is fed).
QSizeF pageSizeMillimetres(const ReportDocument &doc);
