#pragma once

// Chart drawing through Qt Charts. It lives in a library of its own because
// Qt Charts needs the widget module; the engine reaches it through the hook
// of engine/chartrenderer.h.

#include "engine/chartdata.h"

#include <QByteArray>
#include <QSizeF>

#include <memory>

class ChartItem;
class QChart;

// A chart of the item's type, legend and stacking over the data.
std::unique_ptr<QChart> buildChart(const ChartItem &item, const ChartData &data);

// The chart drawn as vectors: an SVG picture of `points` (1/72 inch);
// empty when charts cannot be drawn in this process (no widget application).
QByteArray renderChart(const ChartItem &item, const ChartData &data, const QSizeF &points);

// Makes renderChart the engine's chart renderer. Programs that draw charts
// call it once at start-up, before any run.
void registerChartRenderer();
