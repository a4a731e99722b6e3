#include "printitemoutput.h"

#include "platform/units.h"
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
#include <limits>
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

namespace {

// Where line `lines` + 1 of a laid-out text starts (after the CR LF ending
// line `lines`), found from the start; -1 when the text has no more lines.
// The cost is that of the lines passed, not of the whole text: a text of
// many pages is split page by page.
qsizetype lineStart(const QString &text, int lines)
{
    qsizetype at = 0;
    for (int i = 0; i < lines; ++i) {
        const qsizetype lineBreak = text.indexOf(QLatin1String("\r\n"), at);
        if (lineBreak < 0)
            return -1;
        at = lineBreak + 2;
    }
    return at;
}

double linesHeight(const DrawingSurface &surface, int lines)
{
    return lines * surface.TextHeight(QString());
}

} // namespace

int printTextLineCount(const Item &printItem, int atMost)
{
    int lines = 1;
    for (qsizetype at = printItem.content.indexOf(QLatin1String("\r\n")); at >= 0 && lines < atMost;
         at = printItem.content.indexOf(QLatin1String("\r\n"), at + 2))
        ++lines;
    return lines;
}

double printTextLinesHeight(TalvoDocument &doc, Item &printItem, int lines)
{
    DrawingSurface &surface = measuringSurface(doc.unit());
    printItem.initFont(surface);
    return linesHeight(surface, std::max(1, printTextLineCount(printItem, std::max(1, lines))));
}

int printTextLinesFitting(TalvoDocument &doc, Item &printItem, double height)
{
    DrawingSurface &surface = measuringSurface(doc.unit());
    printItem.initFont(surface);
    // Heights stored as single precision must still hold their lines.
    const double fits = height + qAbs(height) * 1e-5;
    const double lineHeight = surface.TextHeight(QString());
    if (!(fits >= lineHeight))
        return 0;
    const int most =
        int(std::min(fits / lineHeight + 1, double(std::numeric_limits<int>::max() - 1)));
    int lines = printTextLineCount(printItem, most);
    while (lines > 0 && linesHeight(surface, lines) > fits)
        --lines;
    return lines;
}

std::unique_ptr<Item> splitPrintText(TalvoDocument &doc, Item &printItem, int lines)
{
    const qsizetype restStart = lines > 0 ? lineStart(printItem.content, lines) : -1;
    if (restStart < 0)
        return nullptr;
    DrawingSurface &surface = measuringSurface(doc.unit());
    printItem.initFont(surface);
    // The rest takes the text over and drops its head: dropping the start of
    // a string costs nothing, so splitting a long text page by page stays
    // linear in its length.
    QString all = std::move(printItem.content);
    printItem.content = all.left(restStart - 2);
    auto rest = std::make_unique<Item>();
    rest->copy(printItem, nullptr);
    rest->laidOut = true;
    rest->document = printItem.document;
    all.remove(0, restStart);
    rest->content = std::move(all);
    const float headHeight = float(linesHeight(surface, lines));
    rest->y = printItem.y + headHeight;
    rest->h = std::max(0.0f, printItem.h - headHeight);
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
