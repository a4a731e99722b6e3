#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <vector>

// The rows of an open recordset and its cursor, shared by the recordset and
// the Field objects handed out from it, so that a Field kept past the
// recordset's Close reports the closed state instead of reading freed memory.
struct RecordsetData
{
    struct Column
    {
        QString name;
        int type = 0;
        long definedSize = 0;
    };

    QList<Column> columns;
    QList<QVariant> cells; // row after row
    qsizetype rows = 0;
    // 0-based current row; -1 before the first (BOF), rows after the last (EOF).
    qsizetype position = 0;
    bool open = true;
    QHash<QString, int> byName;       // as spelled
    QHash<QString, int> byFoldedName; // case-folded, for any other spelling

    // GetChunk reads on from where the last call on the same field and row
    // stopped.
    std::vector<qint64> chunkOffsets;
    qsizetype chunkRow = -1;

    // Every move of the cursor starts GetChunk afresh.
    void moved() { chunkRow = -1; }

    int columnCount() const { return int(columns.size()); }
    bool atRecord() const { return open && position >= 0 && position < rows; }
    const QVariant &cell(qsizetype row, int column) const
    {
        return cells[row * columns.size() + column];
    }

    int indexOf(const QString &name) const
    {
        const auto it = byName.constFind(name);
        if (it != byName.constEnd())
            return it.value();
        return byFoldedName.value(name.toCaseFolded(), -1);
    }

    void buildIndex()
    {
        byName.clear();
        byFoldedName.clear();
        for (int i = 0; i < columns.size(); ++i) {
            if (!byName.contains(columns[i].name))
                byName.insert(columns[i].name, i);
            const QString folded = columns[i].name.toCaseFolded();
            if (!byFoldedName.contains(folded))
                byFoldedName.insert(folded, i);
        }
        chunkOffsets.assign(size_t(columns.size()), 0);
        chunkRow = -1;
    }
};
