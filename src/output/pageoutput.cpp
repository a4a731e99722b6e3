#include "pageoutput.h"

#include "drawingsurface.h"

#include "platform/units.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"

#include <QPageSize>
#include <QPainter>

void drawPage(ReportDocument &doc, QPainter &painter, int n)
{
    DrawingSurface *saved = doc.run().surface;
    {
        DrawingSurface surface(&painter, doc.unit());
        doc.run().surface = &surface;
        doc.printPage(n);
    }
    doc.run().surface = saved;
}
