#include "printitemoutput.h"

#include "app/units.h"
#include "document/igraph.h"
#include "document/ipic.h"
#include "document/item.h"
#include "document/section.h"
#include "document/talvodocument.h"

#include "document/xmlformat.h"
#include "output/chartdata.h"
#include "output/chartrenderer.h"
#include "output/drawingsurface.h"
#include "output/textlayout.h"
#include "platform/recordset.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

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
    if (printItem.numericValue && !printItem.content.contains(u'\n')) {
        printItem.content = fitNumber(surface, printItem.content, printItem.w);
        printItem.laidOut = true;
        return printItem.CanGrowVertical ? float(surface.TextHeight(printItem.content)) : printItem.h;
    }
    printItem.content = wrapText(surface, normalizeLineBreaks(printItem.content), printItem.w, height,
                                 printItem.CanGrowVertical);
    printItem.laidOut = true;
    return printItem.CanGrowVertical ? float(height) : printItem.h;
}

int printTextLineCount(const Item &printItem)
{
    return int(printItem.content.count(QStringLiteral("\r\n"))) + 1;
}

double printTextLinesHeight(TalvoDocument &doc, Item &printItem, int lines)
{
    DrawingSurface &surface = measuringSurface(doc.unit());
    printItem.initFont(surface);
    return surface.TextHeight(printItem.content.split(QStringLiteral("\r\n")).mid(0, lines).join(QStringLiteral("\r\n")));
}

int printTextLinesFitting(TalvoDocument &doc, Item &printItem, double height)
{
    DrawingSurface &surface = measuringSurface(doc.unit());
    printItem.initFont(surface);
    const QStringList lines = printItem.content.split(QStringLiteral("\r\n"));
    // Heights stored as single precision must still hold their lines.
    const double fits = height + qAbs(height) * 1e-5;
    qsizetype low = 0;
    qsizetype high = lines.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (surface.TextHeight(lines.mid(0, mid).join(QStringLiteral("\r\n"))) <= fits)
            low = mid;
        else
            high = mid - 1;
    }
    return int(low);
}

std::unique_ptr<Item> splitPrintText(TalvoDocument &doc, Item &printItem, int lines)
{
    const QStringList all = printItem.content.split(QStringLiteral("\r\n"));
    if (lines <= 0 || lines >= all.size())
        return nullptr;
    DrawingSurface &surface = measuringSurface(doc.unit());
    printItem.initFont(surface);
    auto rest = std::make_unique<Item>();
    rest->copy(printItem, nullptr);
    rest->laidOut = true;
    rest->document = printItem.document;
    const QString head = all.mid(0, lines).join(QStringLiteral("\r\n"));
    rest->content = all.mid(lines).join(QStringLiteral("\r\n"));
    const float headHeight = float(surface.TextHeight(head));
    rest->y = printItem.y + headHeight;
    rest->h = std::max(0.0f, printItem.h - headHeight);
    printItem.content = head;
    printItem.h = headHeight;
    return rest;
}

void loadPrintChart(iGraph &printItem, section *sec)
{
    printItem.chart.clear();
    printItem.chartPic = QImage();
    TalvoDocument *doc = sec ? sec->parent : nullptr;
    if (!doc || !printItem.printing || printItem.SQL.trimmed().isEmpty())
        return;
    QString sql = printItem.SQL;
    doc->ReplaceRefsInSQL(sql, sec);
    Recordset rs;
    if (doc->RunSQL(sql, rs, 0) != 0)
        return; // the reason is in the error list
    const ChartData data = readChartData(rs, printItem.dataInLine);
    const QSizeF points(convertUnit(printItem.w, doc->unit(), Unit::Inches) * 72,
                        convertUnit(printItem.h, doc->unit(), Unit::Inches) * 72);
    printItem.chart = renderChartPicture(printItem, data, points);
}
