#include "designzoom.h"

#include <cstdlib>

DesignZoom::DesignZoom(QObject *parent) : QObject(parent) {}

const QList<int> &DesignZoom::steps()
{
    static const QList<int> list{50, 67, 75, 100, 125, 150, 200, 300, 400};
    return list;
}

void DesignZoom::setPercent(int percent)
{
    int nearest = steps().constFirst();
    for (int step : steps()) {
        if (std::abs(step - percent) < std::abs(nearest - percent))
            nearest = step;
    }
    if (nearest == m_percent)
        return;
    m_percent = nearest;
    emit changed();
}

void DesignZoom::zoomIn()
{
    for (int step : steps()) {
        if (step > m_percent) {
            setPercent(step);
            return;
        }
    }
}

void DesignZoom::zoomOut()
{
    for (auto it = steps().crbegin(); it != steps().crend(); ++it) {
        if (*it < m_percent) {
            setPercent(*it);
            return;
        }
    }
}

void DesignZoom::wheel(int angleDelta)
{
    // A notch is 120; smooth wheels and touch pads send smaller deltas.
    m_wheelRest += angleDelta;
    while (m_wheelRest >= 120) {
        m_wheelRest -= 120;
        zoomIn();
    }
    while (m_wheelRest <= -120) {
        m_wheelRest += 120;
        zoomOut();
    }
}
