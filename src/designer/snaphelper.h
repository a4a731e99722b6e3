#pragma once

#include <QList>

// Snapping of designer geometry, in twips.
namespace SnapHelper {

// The document's grid step in whole twips; 0 when there is no grid.
int gridStep(float gridSize, int unit);
// The value on the nearest grid line (an exact half goes to the even
// neighbour); unchanged when step is 0.
double toGrid(double value, int step);

// The shift that brings one of `edges` onto one of `guides` when one is
// within `tolerance`, the closest pair winning; 0 when none is. `matched`
// receives the guide reached.
double toGuides(const QList<double> &edges, const QList<double> &guides, double tolerance,
                double *matched = nullptr);

} // namespace SnapHelper
