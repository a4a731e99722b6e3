#pragma once

#include <QList>
#include <QByteArray>
#include <QSizeF>
#include <QStringList>

#include <memory>

class iGraph;
class QChart;
class Recordset;

// The numbers of a chart query: by default every numeric column after the
// first is a series over the rows, labelled by the first column; with the
// series in rows every row is a series over the numeric columns.
struct ChartData
{
    struct Series
    {
        QString name;
        QList<double> values; // one per category
    };
    QStringList categories;
    QList<Series> series;
    QList<double> xValues; // the first column as numbers (xy charts); empty when it is not numeric
};

ChartData readChartData(Recordset &rs, bool dataInLine);

// A chart of the item's type, legend and stacking over the data.
std::unique_ptr<QChart> buildChart(const iGraph &item, const ChartData &data);

// The chart drawn as vectors: an SVG picture of `points` (1/72 inch);
// empty when charts cannot be drawn in this process (no widget application).
QByteArray renderChart(const iGraph &item, const ChartData &data, const QSizeF &points);
