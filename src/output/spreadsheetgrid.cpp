#include "spreadsheetgrid.h"

#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"
#include "engine/formulatext.h"
#include "engine/printedpage.h"
#include "platform/units.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

bool isPageFurniture(const BandMark &mark)
{
    return mark.kind == ReportSection::PageHeader || mark.kind == ReportSection::PageFooter;
}

// Whether `record` prints on the line the row begun by `first` prints on:
// tops nearer than half the smaller height (a label placed a little higher
// than its field still reads as one line with it).
bool sameLine(const PageRecord &first, const PageRecord &record)
{
    return record.y == first.y || record.y - first.y < 0.5f * std::min(first.h, record.h);
}

QString withoutEndingSpaces(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end).toString();
}

} // namespace

SpreadsheetGrid::SpreadsheetGrid(const ReportDocument &doc) : m_doc(doc)
{
    // Items meant to line up start at the same place as a rule; a little
    // room takes in ones placed by hand.
    const float tolerance = float(convertUnit(1.0, Unit::Millimetres, doc.unit()));
    std::map<float, float> widest;           // left edge -> widest item starting there
    std::set<std::pair<float, float>> apart; // near left edges of items in one row
    std::vector<float> edges;
    forEachRowOfPages([&](int, const std::vector<const PageRecord *> &row) {
        edges.clear();
        for (const PageRecord *record : row) {
            const auto [at, added] = widest.try_emplace(record->x, record->w);
            if (!added && record->w > at->second)
                at->second = record->w;
            edges.push_back(record->x);
        }
        std::sort(edges.begin(), edges.end());
        for (size_t i = 0; i < edges.size(); ++i) {
            for (size_t j = i + 1; j < edges.size() && edges[j] - edges[i] <= tolerance; ++j) {
                if (edges[j] != edges[i])
                    apart.emplace(edges[i], edges[j]);
            }
        }
        return true;
    });

    std::vector<float> members; // the edges of the column being gathered
    for (const auto &[edge, width] : widest) {
        bool join = !m_columnStarts.empty() && edge - m_columnStarts.back() <= tolerance;
        for (size_t i = 0; join && i < members.size(); ++i)
            join = !apart.count({members[i], edge});
        if (!join) {
            m_columnStarts.push_back(edge);
            m_columnWidths.push_back(0);
            members.clear();
        }
        members.push_back(edge);
        m_edges.push_back(edge);
        m_edgeColumns.push_back(columnCount() - 1);
        m_columnWidths.back() =
            std::max(m_columnWidths.back(), double(edge - m_columnStarts.back() + width));
    }
    for (size_t i = 0; i + 1 < m_columnStarts.size(); ++i)
        m_columnWidths[i] = m_columnStarts[i + 1] - m_columnStarts[i];
}

int SpreadsheetGrid::columnOf(float x) const
{
    const auto at = std::lower_bound(m_edges.begin(), m_edges.end(), x);
    return at == m_edges.end() ? columnCount() - 1 : m_edgeColumns[size_t(at - m_edges.begin())];
}

void SpreadsheetGrid::forEachRowOfPages(
    const std::function<bool(int, const std::vector<const PageRecord *> &)> &row) const
{
    std::vector<const PageRecord *> band;
    std::vector<const PageRecord *> line;
    for (int index = 0; index < m_doc.run().pages.count(); ++index) {
        const PrintedPage &page = *m_doc.run().pages.at(index);
        // The records of one occurrence on this page, in lines from the top.
        auto flush = [&] {
            std::stable_sort(band.begin(), band.end(),
                             [](const PageRecord *a, const PageRecord *b) { return a->y < b->y; });
            for (size_t first = 0; first < band.size();) {
                size_t end = first + 1;
                while (end < band.size() && sameLine(*band[first], *band[end]))
                    ++end;
                line.assign(band.begin() + qsizetype(first), band.begin() + qsizetype(end));
                if (!row(index + 1, line))
                    return false;
                first = end;
            }
            band.clear();
            return true;
        };
        quint32 occurrence = 0;
        for (int m = 0; m < int(page.bands.size()); ++m) {
            const BandMark &mark = page.bands[size_t(m)];
            if (isPageFurniture(mark))
                continue;
            // A page footer placed inside an occurrence splits its marks.
            if (mark.occurrence != occurrence && !flush())
                return;
            occurrence = mark.occurrence;
            for (int r = int(mark.firstRecord); r < page.bandEnd(m); ++r)
                band.push_back(&page.records[size_t(r)]);
        }
        if (!flush())
            return;
    }
}

void SpreadsheetGrid::forEachRow(
    const std::function<bool(int, const std::vector<GridCell> &)> &row) const
{
    std::vector<GridCell> cells;
    forEachRowOfPages([&](int page, const std::vector<const PageRecord *> &line) {
        cells.clear();
        for (const PageRecord *record : line)
            cells.push_back({columnOf(record->x), record});
        std::stable_sort(cells.begin(), cells.end(), [](const GridCell &a, const GridCell &b) {
            return a.column < b.column || (a.column == b.column && a.record->x < b.record->x);
        });
        return row(page, cells);
    });
}

QString SpreadsheetGrid::cellText(const ReportDocument &doc, const PageRecord &record, int page)
{
    QString lines = record.textLines();
    if (record.flags & PageRecord::PageVariables)
        lines = replacePercentVars(lines, page, doc.run().pages.count(), doc.fileName, doc.docName);
    if (!lines.contains(QLatin1Char('\r')) && !lines.contains(QLatin1Char('\n')))
        return withoutEndingSpaces(lines);
    QString text;
    const QStringList parts = lines.split(QStringLiteral("\r\n"));
    for (int i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        if (i + 1 < parts.size() && part.endsWith(QLatin1Char(' ')))
            text += part; // wrapped by the layout: the space stays between the words
        else
            text += withoutEndingSpaces(part) + QLatin1Char('\n');
    }
    text.chop(1);
    return withoutEndingSpaces(text);
}
