#include "snaphelper.h"

#include "app/units.h"

#include <cmath>

namespace SnapHelper {

int gridStep(float gridSize, int unit)
{
    if (gridSize <= 0)
        return 0;
    // A step of several centimetres is still a step: it is not cut to the
    // byte the old designer kept it in.
    return int(std::nearbyint(convertUnit(gridSize, unit, Unit::Twips, kPixelsPerCm)));
}

double toGrid(double value, int step)
{
    if (step == 0)
        return value;
    // nearbyint rounds halves to even in the default rounding mode.
    return std::nearbyint(value / step) * step;
}

double toGuides(const QList<double> &edges, const QList<double> &guides, double tolerance,
                double *matched)
{
    double best = tolerance;
    double shift = 0;
    bool found = false;
    for (double edge : edges) {
        for (double guide : guides) {
            const double d = guide - edge;
            if (std::abs(d) <= best) {
                best = std::abs(d);
                shift = d;
                found = true;
                if (matched)
                    *matched = guide;
            }
        }
    }
    return found ? shift : 0;
}

} // namespace SnapHelper
