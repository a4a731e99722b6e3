#include "viewzoom.h"

#include <algorithm>
#include <cstdlib>

ViewZoom::ViewZoom(QList<int> steps, Mode mode, QObject *parent)
    : QObject(parent), m_steps(std::move(steps)), m_mode(mode)
{
    Q_ASSERT(!m_steps.isEmpty());
}

void ViewZoom::setMode(Mode mode)
{
    if (m_mode == mode)
        return;
    m_mode = mode;
    emit changed();
}

void ViewZoom::setFactor(double factor)
{
    factor = std::clamp(factor, minimum(), maximum());
    if (m_mode == Fixed && qFuzzyCompare(m_factor, factor))
        return;
    m_mode = Fixed;
    m_factor = factor;
    emit changed();
}

void ViewZoom::setPercent(int percent)
{
    int nearest = m_steps.constFirst();
    for (int step : std::as_const(m_steps)) {
        if (std::abs(step - percent) < std::abs(nearest - percent))
            nearest = step;
    }
    setFactor(nearest / 100.0);
}

double ViewZoom::factorFor(const QSizeF &page, const QSizeF &area) const
{
    if (m_mode != Fixed && page.width() > 0 && page.height() > 0 && area.width() > 0 &&
        area.height() > 0) {
        double fit = area.width() / page.width();
        if (m_mode == FitPage)
            fit = std::min(fit, area.height() / page.height());
        m_factor = std::clamp(fit, minimum(), maximum());
    }
    return m_factor;
}

void ViewZoom::zoomIn()
{
    // A little tolerance so that a fit of 99.9 % steps to 100 %, not 125 %.
    const double percent = m_factor * 100 + 0.5;
    for (int step : std::as_const(m_steps)) {
        if (step > percent) {
            setFactor(step / 100.0);
            return;
        }
    }
    setFactor(maximum());
}

void ViewZoom::zoomOut()
{
    const double percent = m_factor * 100 - 0.5;
    for (auto it = m_steps.crbegin(); it != m_steps.crend(); ++it) {
        if (*it < percent) {
            setFactor(*it / 100.0);
            return;
        }
    }
    setFactor(minimum());
}

void ViewZoom::wheel(int angleDelta)
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
