#include "printitemoutput.h"

#include "platform/units.h"
#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/textitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"

#include "document/xmlformat.h"
#include "engine/chartdata.h"
#include "engine/chartrenderer.h"
#include "engine/textwrap.h"
#include "platform/recordset.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

double linesHeight(const TextMetrics &metrics, int lines)
{
    return lines * metrics.lineHeight();
}

TextMetrics &styledMetrics(ReportDocument &doc, const PageRecord &record)
{
    TextMetrics &metrics = runMetrics(doc.unit());
    doc.run().pages.style(record.style).applyTo(metrics);
    return metrics;
}

} // namespace

TextMetrics &runMetrics(int unit)
{
    // The run measures without a device: the reference metric.
    static QHash<int, std::shared_ptr<TextMetrics>> measurers;
    auto &metrics = measurers[unit];
    if (!metrics)
        metrics = std::make_shared<TextMetrics>(unit);
    return *metrics;
}

float fitText(TextMetrics &metrics, QString &text, float w, float h, bool canGrow, bool number)
{
    if (number && !text.contains(u'\n')) {
        text = fitNumber(metrics, text, w);
        return canGrow ? float(metrics.TextHeight(text)) : h;
    }
    double height = h;
    text = wrapText(metrics, normalizeLineBreaks(text), w, height, canGrow);
    return canGrow ? float(height) : h;
}

int printTextLineCount(const PageRecord &record, int atMost)
{
    return std::max(1, std::min(int(record.lineCount), atMost));
}

double printTextLinesHeight(ReportDocument &doc, const PageRecord &record, int lines)
{
    return linesHeight(styledMetrics(doc, record),
                       std::max(1, printTextLineCount(record, std::max(1, lines))));
}

int printTextLinesFitting(ReportDocument &doc, const PageRecord &record, double height)
{
    const TextMetrics &metrics = styledMetrics(doc, record);
    // Heights stored as single precision must still hold their lines.
    const double fits = height + qAbs(height) * 1e-5;
    const double lineHeight = metrics.lineHeight();
    if (!(fits >= lineHeight))
        return 0;
    const int most =
        int(std::min(fits / lineHeight + 1, double(std::numeric_limits<int>::max() - 1)));
    int lines = printTextLineCount(record, most);
    while (lines > 0 && linesHeight(metrics, lines) > fits)
        --lines;
    return lines;
}

std::optional<PageRecord> splitPrintText(ReportDocument &doc, PageRecord &record, int lines)
{
    if (lines <= 0 || quint32(lines) >= record.lineCount)
        return std::nullopt;
    const TextMetrics &metrics = styledMetrics(doc, record);
    // Both parts show lines of the one shaped text: splitting a text of
    // many pages page by page copies nothing.
    PageRecord rest = record;
    rest.firstLine = record.firstLine + quint32(lines);
    rest.lineCount = record.lineCount - quint32(lines);
    record.lineCount = quint32(lines);
    const float headHeight = float(linesHeight(metrics, lines));
    rest.y = record.y + headHeight;
    rest.h = std::max(0.0f, record.h - headHeight);
    record.h = headHeight;
    // A part whose first line is taller than its box shows clipped.
    for (PageRecord *part : {&record, &rest}) {
        part->flags &= quint8(~PageRecord::Clipped);
        if (!(part->flags & PageRecord::PageVariables)
            && linesHeight(metrics, int(part->lineCount)) > part->h + qAbs(part->h) * 1e-5)
            part->flags |= PageRecord::Clipped;
    }
    return rest;
}

void loadPrintChart(ChartItem &printItem, ReportSection *sec)
{
    printItem.chart.clear();
    printItem.chartPic = QImage();
    ReportDocument *doc = sec ? sec->parent : nullptr;
    if (!doc || !printItem.printing || printItem.SQL.trimmed().isEmpty())
        return;
    QString sql = printItem.SQL;
    doc->replaceRefsInSql(sql, sec);
    Recordset rs;
    if (doc->runSql(sql, rs, 0) != 0)
        return; // the reason is in the error list
    const ChartData data = readChartData(rs, printItem.dataInLine);
    const QSizeF points(convertUnit(printItem.w, doc->unit(), Unit::Inches) * 72,
                        convertUnit(printItem.h, doc->unit(), Unit::Inches) * 72);
    printItem.chart = renderChartPicture(printItem, data, points);
}
