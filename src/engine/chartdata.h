#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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
