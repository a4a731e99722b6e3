#include "drawingsurface.h"

#include "engine/glyphimage.h"
#include "engine/fontfallback.h"

#include "platform/units.h"

#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPicture>
#include <QRawFont>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace {

// A pixel of a line width is a CSS pixel, as in the HTML export.
constexpr double kReferenceDotsPerPixel = DrawingSurface::kReferenceDpi / 96.0;

// The glyphs of one span of a shaped line, from glyph `first` on.
QGlyphRun spanRun(const ShapedLine &line, const ShapedLine::Span &span, size_t first)
{
    QList<quint32> indexes(span.count);
    QList<QPointF> positions(span.count);
    for (quint32 i = 0; i < span.count; ++i) {
        const ShapedLine::Glyph &glyph = line.glyphs[first + i];
        indexes[i] = glyph.index;
        positions[i] = QPointF(glyph.x, glyph.y);
    }
    QGlyphRun run;
    run.setRawFont(span.font);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    return run;
}

} // namespace

DrawingSurface::DrawingSurface(QPainter *painter, int unit)
    : TextMetrics(unit), m_painter(painter)
{
    if (m_painter && m_painter->device()) {
        const QPaintDevice *device = m_painter->device();
        m_painter->save();
        m_painter->scale(device->logicalDpiX() / double(kReferenceDpi), device->logicalDpiY() / double(kReferenceDpi));
        m_painter->setRenderHint(QPainter::Antialiasing);
        m_painter->setRenderHint(QPainter::TextAntialiasing);
        m_painter->setRenderHint(QPainter::SmoothPixmapTransform);
    }
}

DrawingSurface::~DrawingSurface()
{
    if (m_painter && m_painter->device())
        m_painter->restore();
}

Qt::PenStyle DrawingSurface::penStyle(int drawStyle)
{
    switch (drawStyle) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

QColor DrawingSurface::color(int rgb)
{
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

void DrawingSurface::Print(const QString &line, Qt::LayoutDirection direction)
{
    if (m_painter && !line.isEmpty())
        drawShaped(*shape(line, direction), CurrentX, CurrentY);
    CurrentY += lineHeight();
    CurrentX = 0;
}

void DrawingSurface::drawShaped(const ShapedLine &line, double x, double y)
{
    if (!m_painter || line.glyphs.empty())
        return;
    m_painter->setPen(color(ForeColor));
    const QPointF origin(toReference(x), toReference(y));
    if (line.colourGlyphs) {
        drawColourGlyphs(line, origin);
    } else {
        size_t at = 0;
        for (const ShapedLine::Span &span : line.spans) {
            m_painter->drawGlyphRun(origin, spanRun(line, span, at));
            at += span.count;
        }
    }
    if (!fontUnderline() && !FontStrikethru())
        return;
    // Drawn here rather than by the glyph runs, whose decorations miss their
    // place on a scaled painter: under (or through) the whole line, as thick
    // as the font says, where the font puts them.
    const QRawFont &font = line.spans.front().font;
    const double baseline = origin.y() + ascentDots();
    QPen pen(color(ForeColor));
    pen.setWidthF(std::max(font.lineThickness(), 1.0));
    pen.setCapStyle(Qt::FlatCap);
    m_painter->setPen(pen);
    const double left = origin.x();
    const double right = origin.x() + line.width;
    if (fontUnderline()) {
        const double at = baseline + font.underlinePosition();
        m_painter->drawLine(QPointF(left, at), QPointF(right, at));
    }
    if (FontStrikethru()) {
        const double at = baseline - font.ascent() / 3;
        m_painter->drawLine(QPointF(left, at), QPointF(right, at));
    }
}

void DrawingSurface::drawColourGlyphs(const ShapedLine &line, const QPointF &origin)
{
    // Colour glyphs are pictures, not outlines: a PDF or printer cannot
    // take them as text, and the painter's scaling loses them at many
    // sizes. Each run of colour glyphs goes on an image of the device's
    // pixels, put where the glyphs stand; the other glyphs are drawn as
    // text.
    const double scale = std::sqrt(std::abs(m_painter->combinedTransform().determinant()));
    size_t at = 0;
    for (const ShapedLine::Span &span : line.spans) {
        const QGlyphRun run = spanRun(line, span, at);
        at += span.count;
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        const QRawFont &font = span.font;
        if (!isColourFont(font)) {
            m_painter->drawGlyphRun(origin, run);
            continue;
        }
        if (!(scale > 0))
            continue;
        const GlyphImage drawn = colourGlyphImage(font, glyphs, positions, scale);
        if (drawn.image.isNull())
            continue;
        m_painter->drawImage(
            QRectF(origin + drawn.box.topLeft(), QSizeF(drawn.image.size()) / scale), drawn.image);
    }
}

void DrawingSurface::Line(double x1, double y1, double x2, double y2, int rgb, bool box)
{
    if (!m_painter || DrawStyle == 5)
        return;
    QPen pen(color(rgb));
    const double width = qMax(1, DrawWidth) * kReferenceDotsPerPixel;
    pen.setWidthF(width);
    pen.setStyle(penStyle(DrawStyle));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter->setPen(pen);
    m_painter->setBrush(Qt::NoBrush);
    const QPointF a(toReference(x1), toReference(y1));
    const QPointF b(toReference(x2), toReference(y2));
    if (!box) {
        m_painter->drawLine(a, b);
        return;
    }
    QRectF rect = QRectF(a, b).normalized();
    if (DrawStyle == 6) // inside solid: the line stays within the box
        rect.adjust(width / 2, width / 2, -width / 2, -width / 2);
    m_painter->drawRect(rect);
}

void DrawingSurface::beginClip(double x, double y, double width, double height)
{
    if (!m_painter)
        return;
    m_painter->save();
    m_painter->setClipRect(QRectF(toReference(x), toReference(y), toReference(width), toReference(height)),
                           Qt::IntersectClip);
}

void DrawingSurface::endClip()
{
    if (m_painter)
        m_painter->restore();
}

void DrawingSurface::PaintPicture(const QImage &picture, double x, double y, double width, double height)
{
    if (!m_painter || picture.isNull() || !(width > 0) || !(height > 0))
        return;
    m_painter->drawImage(QRectF(toReference(x), toReference(y), toReference(width), toReference(height)), picture);
}

void DrawingSurface::PaintPicture(const QPicture &picture, double x, double y, double width, double height)
{
    const QRectF source = picture.boundingRect();
    if (!m_painter || picture.isNull() || source.isEmpty() || !(width > 0) || !(height > 0))
        return;
    m_painter->save();
    m_painter->translate(toReference(x), toReference(y));
    m_painter->scale(toReference(width) / source.width(), toReference(height) / source.height());
    m_painter->translate(-source.topLeft());
    m_painter->drawPicture(QPointF(0, 0), picture);
    m_painter->restore();
}

void DrawingSurface::PaintPicture(QSvgRenderer &picture, double x, double y, double width, double height)
{
    if (!m_painter || !picture.isValid() || !(width > 0) || !(height > 0))
        return;
    picture.render(m_painter, QRectF(toReference(x), toReference(y), toReference(width), toReference(height)));
}
