#pragma once

#include <QList>
#include <QObject>
#include <QSizeF>

// The zoom of a view of the report (the designer's surfaces, the preview's
// page): a factor from a window's own list of steps, or a fit (the whole
// page, or its width) that follows the size of the view. The model never
// sees zoomed values: the factor only scales how a view maps the document
// to its pixels.
class ViewZoom : public QObject
{
    Q_OBJECT

public:
    enum Mode
    {
        Fixed,
        FitPage,
        FitWidth
    };

    // `steps`: the percentages zoom in and out step through, smallest
    // first; they also bound the factor. Starts at 100 % in `mode`.
    ViewZoom(QList<int> steps, Mode mode, QObject *parent = nullptr);

    const QList<int> &steps() const { return m_steps; }
    double minimum() const { return m_steps.constFirst() / 100.0; }
    double maximum() const { return m_steps.constLast() / 100.0; }

    Mode mode() const { return m_mode; }
    void setMode(Mode mode);
    // A fixed factor (1 is 100 %), kept between minimum() and maximum().
    void setFactor(double factor);
    // A fixed factor from the nearest step.
    void setPercent(int percent);
    // The factor in force for a page of `page` pixels at 100 % shown in an
    // area of `area` pixels (fits are computed, fixed is as set).
    double factorFor(const QSizeF &page, const QSizeF &area) const;
    // The factor last set or computed.
    double factor() const { return m_factor; }
    int percent() const { return qRound(m_factor * 100); }

    // The next step above or below the factor in force, fixed from then on.
    void zoomIn();
    void zoomOut();
    void reset() { setFactor(1.0); }
    bool canZoomIn() const { return m_factor < maximum() - 1e-9; }
    bool canZoomOut() const { return m_factor > minimum() + 1e-9; }

    // A turn of the wheel (angle delta in eighths of a degree): one step per
    // notch; fine-grained wheels add up their small deltas.
    void wheel(int angleDelta);

signals:
    void changed();

private:
    QList<int> m_steps;
    Mode m_mode;
    mutable double m_factor = 1.0;
    int m_wheelRest = 0;
};
