#include "snaphelper.h"

#include "platform/units.h"

#include <charconv>
#include <cmath>

namespace SnapHelper {

double typedValue(float value)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double typed = value;
    std::from_chars(text, written.ptr, typed);
    return typed;
}

namespace {

// Lengths on the surface are kept to a thousandth of a twip.
double fine(double twips)
{
    return std::round(twips * 1000) / 1000;
}

} // namespace

double gridStep(float gridSize, int unit)
{
    if (!(gridSize > 0))
        return 0;
    return fine(convertUnit(typedValue(gridSize), unit, Unit::Twips, kPixelsPerCm));
}

double toGrid(double value, double step)
{
    if (step == 0)
        return value;
    // nearbyint rounds halves to even in the default rounding mode.
    return std::nearbyint(value / step) * step;
}

double toDocLength(double twips, int unit, float gridSize)
{
    const double step = gridStep(gridSize, unit);
    if (step > 0) {
        const double steps = std::nearbyint(twips / step);
        if (std::abs(twips - steps * step) < 0.01)
            return steps * typedValue(gridSize);
    }
    return convertUnit(twips, Unit::Twips, unit, kPixelsPerCm);
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
