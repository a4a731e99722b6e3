#include "units.h"

#include <QLocale>

#include <cmath>
#include <stdexcept>

double convertUnit(double v, int fromUnit, int toUnit, float pixelsPerCm)
{
    if (fromUnit == toUnit)
        return v;
    const double p = pixelsPerCm;
    double r = v;
    bool known = true;
    // The order of operations of each pair is part of the contract: stored
    // files and page breaks depend on the exact doubles.
    switch (fromUnit) {
    case Unit::Twips:
        switch (toUnit) {
        case Unit::Pixels: r = v / 567 * p; break;
        case Unit::Inches: r = v / 1440; break;
        case Unit::Millimetres: r = v / 56.7; break;
        case Unit::Centimetres: r = v / 567; break;
        default: known = false;
        }
        break;
    case Unit::Pixels:
        switch (toUnit) {
        case Unit::Twips: r = v / p * 567; break;
        case Unit::Inches: r = v / p * 567 / 1440; break;
        case Unit::Millimetres: r = v / p * 10; break;
        case Unit::Centimetres: r = v / p; break;
        default: known = false;
        }
        break;
    case Unit::Inches:
        switch (toUnit) {
        case Unit::Twips: r = v * 1440; break;
        case Unit::Pixels: r = v * 1440 / 567 * p; break;
        case Unit::Millimetres: r = v * 1440 / 56.7; break;
        case Unit::Centimetres: r = v * 1440 / 567; break;
        default: known = false;
        }
        break;
    case Unit::Millimetres:
        switch (toUnit) {
        case Unit::Twips: r = v * 56.7; break;
        case Unit::Pixels: r = v / 10 * p; break;
        case Unit::Inches: r = v * 56.7 / 1440; break;
        case Unit::Centimetres: r = v / 10; break;
        default: known = false;
        }
        break;
    case Unit::Centimetres:
        switch (toUnit) {
        case Unit::Twips: r = v * 567; break;
        case Unit::Pixels: r = p * v; break;
        case Unit::Inches: r = v * 567 / 1440; break;
        case Unit::Millimetres: r = v * 10; break;
        default: known = false;
        }
        break;
    default:
        known = false;
    }
    if (!known)
        return v;
    if (std::isinf(r) && !std::isinf(v))
        throw std::overflow_error("Overflow");
    return r;
}

QString unitName(int unit, int maxLength)
{
    QString name;
    switch (unit) {
    case Unit::Inches: name = QStringLiteral("inches"); break;
    case Unit::Millimetres: name = QStringLiteral("mm"); break;
    case Unit::Centimetres: name = QStringLiteral("cm"); break;
    default: break;
    }
    if (maxLength > 0)
        name.truncate(maxLength);
    return name;
}

QString unitCssName(int unit)
{
    switch (unit) {
    case Unit::Pixels: return QStringLiteral("px");
    case Unit::Inches: return QStringLiteral("in");
    case Unit::Millimetres: return QStringLiteral("mm");
    case Unit::Centimetres: return QStringLiteral("cm");
    default: return QString();
    }
}

QString orientationName(int orientation)
{
    switch (orientation) {
    case 1: return QStringLiteral("Portrait");
    case 2: return QStringLiteral("Landscape");
    default: return QString();
    }
}

bool isBetween(double value, double low, double high, bool includeLow, bool includeHigh,
               bool autoSwap)
{
    if (autoSwap && high < low)
        std::swap(low, high);
    if (value < low || value > high)
        return false;
    if (value == low && !includeLow)
        return false;
    if (value == high && !includeHigh)
        return false;
    return true;
}

bool isNear(double value, double reference, double percent)
{
    return isBetween(value, reference * (1 - percent / 100), reference * (1 + percent / 100),
                     true, true, false);
}

double parseNumber(const QString &text)
{
    bool ok = false;
    const double v = QLocale::system().toDouble(text.trimmed(), &ok);
    return ok ? v : 0.0;
}
