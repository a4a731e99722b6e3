#include "pageoutput.h"

#include "drawingsurface.h"

#include "platform/units.h"
#include "document/talvodocument.h"

#include <QPageSize>
#include <QPainter>

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
