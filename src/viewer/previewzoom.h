#pragma once

#include <QList>
#include <QObject>
#include <QSizeF>

// The zoom of a page view: a fixed percentage from a list of steps, or a
// fit (the whole page, or its width) that follows the size of the view.
// The model never sees zoomed values: the factor only scales how a view
// maps the document's unit to its pixels.
class PreviewZoom : public QObject
{
    Q_OBJECT

public:
    enum Mode
    {
        Fixed,
        FitPage,
        FitWidth
    };

    explicit PreviewZoom(QObject *parent = nullptr);

    // The percentages zoom in and out step through, smallest first.
    static const QList<int> &steps();
    static constexpr double kMinimum = 0.25;
    static constexpr double kMaximum = 4.0;

    Mode mode() const { return m_mode; }
    void setMode(Mode mode);
    // A fixed factor (1 is 100 %), kept between kMinimum and kMaximum.
    void setFactor(double factor);
    // The factor in force for a page of `page` pixels at 100 % shown in an
    // area of `area` pixels (fits are computed, fixed is as set).
    double factorFor(const QSizeF &page, const QSizeF &area) const;
    // The factor last set or computed.
    double factor() const { return m_factor; }

    // The next step above or below the factor in force, fixed from then on.
    void zoomIn();
    void zoomOut();

signals:
    void changed();

private:
    Mode m_mode = FitWidth;
    mutable double m_factor = 1.0;
};
