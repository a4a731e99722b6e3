#pragma once

#include <QList>

// Snapping of designer geometry, in twips.
namespace SnapHelper {

// The number a person typed for a length stored as a float: the shortest
// decimal that reads back as the same float (0.2, not 0.200000003).
double typedValue(float value);

// The document's grid step in twips, to a thousandth (0.2 cm is 113.4
// twips: a step cut to whole twips would put the grid lines off the
// document's own multiples); 0 when there is no grid.
double gridStep(float gridSize, int unit);
// The value on the nearest grid line (an exact half goes to the even
// neighbour); unchanged when step is 0.
double toGrid(double value, double step);

// The length to store, in the document unit, for a surface length in
// twips. On a grid line it is the grid multiple itself, worked out in the
// document unit, so that a snapped 3 cm is stored as 3 and not 2.9999998.
double toDocLength(double twips, int unit, float gridSize);

// The shift that brings one of `edges` onto one of `guides` when one is
// within `tolerance`, the closest pair winning; 0 when none is. `matched`
// receives the guide reached.
double toGuides(const QList<double> &edges, const QList<double> &guides, double tolerance,
                double *matched = nullptr);

} // namespace SnapHelper
