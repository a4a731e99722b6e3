#include "pageoutput.h"

#include "drawingsurface.h"

#include "platform/units.h"
#include "document/reportdocument.h"

#include <QPageSize>
#include <QPainter>

void drawPage(ReportDocument &doc, QPainter &painter, int n)
{
    DrawingSurface *saved = doc.dest;
    {
        DrawingSurface surface(&painter, doc.unit());
        doc.dest = &surface;
        doc.printPage(n);
    }
    doc.dest = saved;
}
