#include "previewzoom.h"

#include <algorithm>

PreviewZoom::PreviewZoom(QObject *parent) : QObject(parent) {}

const QList<int> &PreviewZoom::steps()
{
    static const QList<int> list{25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400};
    return list;
}

void PreviewZoom::setMode(Mode mode)
{
    if (m_mode == mode)
        return;
    m_mode = mode;
    emit changed();
}

void PreviewZoom::setFactor(double factor)
{
    factor = std::clamp(factor, kMinimum, kMaximum);
    if (m_mode == Fixed && qFuzzyCompare(m_factor, factor))
        return;
    m_mode = Fixed;
    m_factor = factor;
    emit changed();
}

double PreviewZoom::factorFor(const QSizeF &page, const QSizeF &area) const
{
    if (m_mode != Fixed && page.width() > 0 && page.height() > 0 && area.width() > 0 &&
        area.height() > 0) {
        double fit = area.width() / page.width();
        if (m_mode == FitPage)
            fit = std::min(fit, area.height() / page.height());
        m_factor = std::clamp(fit, kMinimum, kMaximum);
    }
    return m_factor;
}

void PreviewZoom::zoomIn()
{
    // A little tolerance so that a fit of 99.9 % steps to 100 %, not 125 %.
    const double percent = m_factor * 100 + 0.5;
    for (int step : steps()) {
        if (step > percent) {
            setFactor(step / 100.0);
            return;
        }
    }
    setFactor(kMaximum);
}

void PreviewZoom::zoomOut()
{
    const double percent = m_factor * 100 - 0.5;
    for (auto it = steps().crbegin(); it != steps().crend(); ++it) {
        if (*it < percent) {
            setFactor(*it / 100.0);
            return;
        }
    }
    setFactor(kMinimum);
}
