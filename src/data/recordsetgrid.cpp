#include "recordsetgrid.h"

#include "platform/recordset.h"

#include <QStandardItemModel>

#include <algorithm>

void fillGridFromRecordset(Recordset &rs, QStandardItemModel &grid, long firstRow, long &maxRows,
                           bool header)
{
    grid.clear();
    const FieldCollection fields = rs.fields();
    grid.setColumnCount(fields.count());
    if (header) {
        QStringList names;
        for (int i = 0; i < fields.count(); ++i)
            names.append(fields.item(i).name());
        grid.setHorizontalHeaderLabels(names);
    }
    if (maxRows == 0)
        maxRows = rs.recordCount() + 1;
    firstRow = std::max(firstRow, 1L);
    if (rs.recordCount() < firstRow)
        return;
    rs.setAbsolutePosition(firstRow);

    static const QString columnDelimiter = QStringLiteral("\t");
    static const QString rowDelimiter = QStringLiteral(" ");
    long added = 0;
    while (!rs.eof() && added < maxRows) {
        QString line =
            rs.GetString(Recordset::adClipString, 1, columnDelimiter, rowDelimiter, QString());
        // Only the row's own delimiter goes: a value's trailing blank stays.
        line.chop(rowDelimiter.size());
        line.remove(u'\r');
        const QStringList cells = line.split(columnDelimiter);
        QList<QStandardItem *> row;
        row.reserve(cells.size());
        for (const QString &cell : cells) {
            auto *item = new QStandardItem(cell);
            item->setEditable(false);
            row.append(item);
        }
        grid.appendRow(row);
        ++added;
    }
}
