#pragma once

#include <QList>
#include <QObject>

// The designer's zoom: one percentage from a fixed list of steps. It only
// scales how twips map to pixels on screen; the model never sees it.
class DesignZoom : public QObject
{
    Q_OBJECT

public:
    explicit DesignZoom(QObject *parent = nullptr);

    // The percentages, smallest first; 100 is the real size.
    static const QList<int> &steps();

    int percent() const { return m_percent; }
    double factor() const { return m_percent / 100.0; }
    // Takes the nearest step.
    void setPercent(int percent);

    void zoomIn();
    void zoomOut();
    void reset() { setPercent(100); }
    bool canZoomIn() const { return m_percent < steps().constLast(); }
    bool canZoomOut() const { return m_percent > steps().constFirst(); }

    // A turn of the wheel (angle delta in eighths of a degree); one step per
    // notch, fine-grained wheels add up their small deltas.
    void wheel(int angleDelta);

signals:
    void changed();

private:
    int m_percent = 100;
    int m_wheelRest = 0;
};
