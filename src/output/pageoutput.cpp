#include "pageoutput.h"

#include "drawingsurface.h"
#include "paper.h"

#include "platform/units.h"
#include "document/talvodocument.h"

#include <QPageSize>
#include <QPainter>

QSizeF pageSizeMillimetres(const TalvoDocument &doc)
{
    const double w = convertUnit(doc.pageWidth, doc.unit(), Unit::Millimetres);
    const double h = convertUnit(doc.pageHeight, doc.unit(), Unit::Millimetres);
    if (w > 0 && h > 0)
        return QSizeF(w, h);
    // No size stored: the paper's (the paper codes are the printer
    // drivers', not Qt's).
    return documentPageSize(doc).size(QPageSize::Millimeter);
}

QSizeF pageSizeO(const TalvoDocument &doc)
{
    const QSizeF mm = pageSizeMillimetres(doc);
    const QSizeF size(convertUnit(mm.width(), Unit::Millimetres, doc.unit()),
                      convertUnit(mm.height(), Unit::Millimetres, doc.unit()));
    return doc.pageOrientation == 1 ? size : size.transposed();
}

void drawPage(TalvoDocument &doc, QPainter &painter, int n)
{
    DrawingSurface *saved = doc.dest;
    {
        DrawingSurface surface(&painter, doc.unit());
        doc.dest = &surface;
        doc.PrintPage(n);
    }
    doc.dest = saved;
}
