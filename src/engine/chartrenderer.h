#pragma once

#include <QByteArray>
#include <QSizeF>

struct ChartData;
class ChartItem;

// Charts are drawn by a library of their own (Qt Charts needs widgets); the
// engine reaches it through this hook so that the core links no widget code.
// A program that wants charts registers the renderer at start-up
// (registerChartRenderer() in charts/chartrendering.h); without one, chart
// records stay empty.

// Returns the chart as an SVG picture of `points` (1/72 inch), or an empty
// array when it cannot be drawn.
using ChartRenderer = QByteArray (*)(const ChartItem &item, const ChartData &data,
                                     const QSizeF &points);

// Installs `renderer` (nullptr removes it).
void setChartRenderer(ChartRenderer renderer);
ChartRenderer chartRenderer();

// The registered renderer's picture; empty when none is registered.
QByteArray renderChartPicture(const ChartItem &item, const ChartData &data, const QSizeF &points);
