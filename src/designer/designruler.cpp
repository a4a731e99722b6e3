#include "designruler.h"

#include "platform/units.h"

#include <QPainter>

#include <cmath>

namespace {
// Marks closer than this are left out rather than drawn as a grey smear.
constexpr double kMinMarkGap = 3.0;
} // namespace

DesignRuler::DesignRuler(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent), m_orientation(orientation)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DesignRuler::setUnit(int unit)
{
    if (unit == m_unit)
        return;
    m_unit = unit;
    update();
}

void DesignRuler::setScale(double pixelsPerTwip)
{
    m_scale = pixelsPerTwip;
    update();
}

void DesignRuler::setSpans(const QList<Span> &spans)
{
    m_spans = spans;
    update();
}

void DesignRuler::setShade(double from, double to)
{
    if (from == m_shadeFrom && to == m_shadeTo)
        return;
    m_shadeFrom = from;
    m_shadeTo = to;
    update();
}

int DesignRuler::thickness() const
{
    return fontMetrics().height() + 8;
}

QSize DesignRuler::sizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(200, thickness()) : QSize(thickness(), 200);
}

DesignRuler::Graduation DesignRuler::graduation(int unit)
{
    const double mm = convertUnit(1, Unit::Millimetres, Unit::Twips);
    switch (unit) {
    case Unit::Inches:
        return {convertUnit(0.125, Unit::Inches, Unit::Twips), 4, 8, 1};
    case Unit::Millimetres:
        return {mm, 5, 10, 10};
    default:
        return {mm, 5, 10, 1};
    }
}

void DesignRuler::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette &pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Window));
    const Graduation g = graduation(m_unit);
    for (const Span &span : std::as_const(m_spans))
        paintSpan(p, span, g);

    p.setPen(pal.color(QPalette::Mid));
    if (m_orientation == Qt::Horizontal)
        p.drawLine(0, height() - 1, width(), height() - 1);
    else
        p.drawLine(width() - 1, 0, width() - 1, height());
}

void DesignRuler::paintSpan(QPainter &p, const Span &span, const Graduation &g)
{
    const bool horizontal = m_orientation == Qt::Horizontal;
    const double length = span.lengthTwips * m_scale;
    const int breadth = horizontal ? height() : width();
    const int along = horizontal ? width() : height();
    if (span.start > along || span.start + length < 0)
        return;

    auto band = [&](double from, double to) {
        return horizontal ? QRectF(from, 1, to - from, breadth - 2)
                          : QRectF(1, from, breadth - 2, to - from);
    };
    const QPalette &pal = palette();
    p.fillRect(band(span.start, span.start + length), pal.color(QPalette::Base));
    if (m_shadeTo > m_shadeFrom) {
        const double from = std::max(m_shadeFrom, span.start);
        const double to = std::min(m_shadeTo, span.start + length);
        if (to > from) {
            QColor shade = pal.color(QPalette::Highlight);
            shade.setAlpha(70);
            p.fillRect(band(from, to), shade);
        }
    }

    const double gap = g.stepTwips * m_scale;
    const bool drawSmall = gap >= kMinMarkGap;
    const bool drawMedium = gap * g.mediumEvery >= kMinMarkGap;
    // Numbers need room for their text: at small scales only every second,
    // fifth… numbered mark gets one.
    const double numberGap = gap * g.numberEvery;
    const int labelRoom = p.fontMetrics().horizontalAdvance(QStringLiteral("000")) + 4;
    int labelEvery = 1;
    for (int every : {1, 2, 5, 10, 20, 50}) {
        labelEvery = every;
        if (numberGap * every >= (horizontal ? labelRoom : p.fontMetrics().height() + 2))
            break;
    }

    p.setPen(pal.color(QPalette::WindowText));
    const int count = int(std::floor(span.lengthTwips / g.stepTwips + 1e-6));
    for (int i = 0; i <= count; ++i) {
        const double pos = span.start + i * gap;
        if (pos < -1 || pos > along + 1)
            continue;
        const bool numbered = i % g.numberEvery == 0;
        const bool medium = i % g.mediumEvery == 0;
        int mark = 0;
        if (numbered)
            mark = breadth / 2;
        else if (medium && drawMedium)
            mark = breadth / 3;
        else if (drawSmall)
            mark = breadth / 6;
        if (mark == 0)
            continue;
        if (horizontal)
            p.drawLine(QPointF(pos, breadth - mark), QPointF(pos, breadth - 1));
        else
            p.drawLine(QPointF(breadth - mark, pos), QPointF(breadth - 1, pos));

        const int number = i / g.numberEvery;
        if (!numbered || i == 0 || number % labelEvery != 0)
            continue;
        const QString text = QString::number(number * g.numberValue);
        if (horizontal) {
            p.drawText(QRectF(pos + 2, 0, labelRoom, breadth - mark),
                       Qt::AlignLeft | Qt::AlignVCenter, text);
        } else {
            p.save();
            p.translate(0, pos + 2);
            p.rotate(-90);
            // Rotated, the text reads upwards and ends just below the mark.
            p.drawText(QRectF(-labelRoom, 0, labelRoom, breadth - mark),
                       Qt::AlignRight | Qt::AlignVCenter, text);
            p.restore();
        }
    }
}
