#include "chartdata.h"

#include "platform/databaseerror.h"
#include "platform/field.h"
#include "platform/fieldcollection.h"
#include "platform/recordset.h"

#include <QVariant>

namespace {

bool toNumber(const QVariant &value, double &number)
{
    if (!value.isValid() || value.isNull()) {
        number = 0;
        return true; // a Null counts as 0 and does not make a column text
    }
    if (value.typeId() == QMetaType::QByteArray)
        return false;
    bool ok = false;
    number = value.toDouble(&ok);
    return ok;
}

} // namespace

ChartData readChartData(Recordset &rs, bool dataInLine)
{
    ChartData data;
    QStringList names;
    QList<QList<QVariant>> rows;
    try {
        const FieldCollection fields = rs.fields();
        for (int c = 0; c < fields.count(); ++c)
            names << fields.item(c).name();
        // A chart of more rows than this shows nothing readable anyway.
        constexpr int kMostRows = 10000;
        if (!rs.eof())
            rs.moveFirst();
        while (!rs.eof() && rows.size() < kMostRows) {
            QList<QVariant> row;
            const FieldCollection current = rs.fields();
            for (int c = 0; c < current.count(); ++c)
                row << current.item(c).value();
            rows << row;
            rs.moveNext();
        }
    } catch (const DatabaseError &) {
        return data;
    }
    if (names.isEmpty() || rows.isEmpty())
        return data;

    // Which columns hold numbers in every row.
    QList<bool> numeric(names.size(), true);
    for (const QList<QVariant> &row : rows) {
        for (int c = 0; c < names.size(); ++c) {
            double ignored;
            if (numeric[c] && !toNumber(row.value(c), ignored))
                numeric[c] = false;
        }
    }
    // A single numeric column is its own series over the row numbers.
    const int firstValue = names.size() == 1 ? 0 : 1;
    auto number = [](const QVariant &v) {
        double n = 0;
        toNumber(v, n);
        return n;
    };
    auto label = [&](int r) {
        return firstValue == 0 ? QString::number(r + 1) : rows[r].value(0).toString();
    };
    if (numeric[0] && firstValue == 1) {
        for (const QList<QVariant> &row : rows)
            data.xValues << number(row.value(0));
    }
    if (!dataInLine) {
        for (int r = 0; r < rows.size(); ++r)
            data.categories << label(r);
        for (int c = firstValue; c < names.size(); ++c) {
            if (!numeric[c])
                continue;
            ChartData::Series series{names[c], {}};
            for (const QList<QVariant> &row : rows)
                series.values << number(row.value(c));
            data.series << series;
        }
    } else {
        QList<int> columns;
        for (int c = firstValue; c < names.size(); ++c) {
            if (numeric[c]) {
                columns << c;
                data.categories << names[c];
            }
        }
        if (columns.isEmpty())
            return data;
        for (int r = 0; r < rows.size(); ++r) {
            ChartData::Series series{label(r), {}};
            for (int c : std::as_const(columns))
                series.values << number(rows[r].value(c));
            data.series << series;
        }
        data.xValues.clear();
    }
    return data;
}
