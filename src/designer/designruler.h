#pragma once

#include <QList>
#include <QWidget>

// A ruler along the top or the left of the design page, in the document
// unit. It shows one or more spans, each with its own 0: the top ruler has
// one (the page's width), the left ruler one per section, starting at the
// section's top. The extent of the selection is shaded.
class DesignRuler : public QWidget
{
    Q_OBJECT

public:
    struct Span
    {
        double start = 0;       // pixels along the ruler where the span's 0 lies
        double lengthTwips = 0; // how far it reaches
    };

    explicit DesignRuler(Qt::Orientation orientation, QWidget *parent = nullptr);

    // Inches (5), millimetres (6) or centimetres (7).
    void setUnit(int unit);
    // Pixels per twip, as on the surfaces.
    void setScale(double pixelsPerTwip);
    void setSpans(const QList<Span> &spans);
    // The shaded extent, in pixels along the ruler; from >= to hides it.
    void setShade(double from, double to);

    Qt::Orientation orientation() const { return m_orientation; }
    // The ruler's breadth in pixels.
    int thickness() const;
    QSize sizeHint() const override;

    // The spacing of the marks of a unit: the smallest step in twips, how
    // many small steps make a medium mark and how many make a numbered one,
    // and what a numbered mark counts in the unit.
    struct Graduation
    {
        double stepTwips;
        int mediumEvery;
        int numberEvery;
        double numberValue;
    };
    static Graduation graduation(int unit);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintSpan(class QPainter &p, const Span &span, const Graduation &g);

    Qt::Orientation m_orientation;
    int m_unit = 7;
    double m_scale = 96.0 / 1440.0;
    QList<Span> m_spans;
    double m_shadeFrom = 0;
    double m_shadeTo = 0;
};
