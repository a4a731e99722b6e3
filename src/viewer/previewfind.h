#pragma once

#include <QList>
#include <QRectF>
#include <QString>

class ReportDocument;

// One place a text was found: the page (from 1) and the box of the matched
// characters on it, in the document unit.
struct PreviewFindHit
{
    int page = 0;
    QRectF rect;
};

// Every occurrence of `needle` in the texts of the stored pages, in page
// order and, on a page, in the order the items were made. Texts are searched
// as they are drawn: page variables filled in for the page, wrapped into
// lines (a match does not run over a line break).
QList<PreviewFindHit> findInPages(ReportDocument &doc, const QString &needle,
                                  Qt::CaseSensitivity cs);
