#include "printitemoutput.h"

#include "app/units.h"
#include "document/igraph.h"
#include "document/ipic.h"
#include "document/item.h"
#include "document/section.h"
#include "document/talvodocument.h"

#include "document/xmlformat.h"
#include "output/drawingsurface.h"
#include "output/textlayout.h"

#include <QHash>

#include <memory>

namespace {

// The run measures on a surface without a device: the reference metric.
DrawingSurface &measuringSurface(int unit)
{
    static QHash<int, std::shared_ptr<DrawingSurface>> surfaces;
    auto &surface = surfaces[unit];
    if (!surface)
        surface = std::make_shared<DrawingSurface>(nullptr, unit);
    return *surface;
}

} // namespace

float fitPrintText(TalvoDocument &doc, Item &printItem)
{
    DrawingSurface &surface = measuringSurface(doc.unit());
    printItem.initFont(surface);
    double height = printItem.h;
    printItem.content = wrapText(surface, normalizeLineBreaks(printItem.content), printItem.w, height,
                                 printItem.CanGrowVertical);
    printItem.laidOut = true;
    return printItem.CanGrowVertical ? float(height) : printItem.h;
}
