#pragma once

#include <QString>

#include <functional>
#include <vector>

class ReportDocument;
struct PageRecord;

// One record placed in a row of the grid.
struct GridCell
{
    int column = 0;
    const PageRecord *record = nullptr;
};

// The pages of a run laid out as a table for the spreadsheet exports. Every
// occurrence of a report header, data section or footer gives rows in page
// order, one per distinct item top within it; page headers and footers are
// left out, as they repeat on every page. Columns come from the items' left
// edges, clustered so that items lining up on the page share a column while
// two items of one row never do (unless they start at the same place).
//
// The columns are found when the grid is made (one pass over the pages);
// the rows are made again when asked for, so that the grid keeps no more
// than one row whatever the length of the report.
class SpreadsheetGrid
{
public:
    explicit SpreadsheetGrid(const ReportDocument &doc);

    int columnCount() const { return int(m_columnStarts.size()); }
    // The room the column had on the page, in the document unit: up to the
    // next column, the widest item for the last one.
    double columnWidth(int column) const { return m_columnWidths[size_t(column)]; }

    // Calls `row` for every row in order, with the page the row is on (from
    // 1) and its cells by column. Records that fall into one cell follow
    // each other with the same column; the row may have no cell at all
    // (a blank item only). Stops when `row` returns false.
    void
    forEachRow(const std::function<bool(int page, const std::vector<GridCell> &cells)> &row) const;

    // What a text record shows, as one cell's text: page variables filled
    // in for `page`, the line breaks the layout made removed (a line that
    // ends with a space was wrapped), the others kept as "\n", without the
    // spaces that end it.
    static QString cellText(const ReportDocument &doc, const PageRecord &record, int page);

private:
    void forEachRowOfPages(
        const std::function<bool(int page, const std::vector<const PageRecord *> &row)> &row) const;
    int columnOf(float x) const;

    const ReportDocument &m_doc;
    std::vector<float> m_columnStarts; // the left edges each column begins at, ascending
    std::vector<float> m_edges;        // every left edge seen, ascending
    std::vector<int> m_edgeColumns;    // the column of each of them
    std::vector<double> m_columnWidths;
};
