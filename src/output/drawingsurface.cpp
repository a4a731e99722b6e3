#include "drawingsurface.h"

#include "fontfallback.h"

#include "platform/units.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPicture>
#include <QRawFont>
#include <QSvgRenderer>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

const QPaintDevice &referenceDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dpm = int(DrawingSurface::kReferenceDpi / 0.0254 + 0.5);
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
        return image;
    }();
    return device;
}

// Characters a colour (emoji) font may be drawing: anything beyond the
// first plane and the symbol blocks. Lines without them skip the look at
// their fonts.
bool mayHaveColourGlyphs(const QString &line)
{
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        if (c.isSurrogate() || (u >= 0x2190 && u <= 0x2BFF) || u == 0x00A9 || u == 0x00AE
            || u == 0x203C || u == 0x2049 || u == 0x2122 || u == 0x2139 || u == 0x3030
            || u == 0x303D || u == 0x3297 || u == 0x3299 || u == 0xFE0F)
            return true;
    }
    return false;
}

} // namespace

// Metrics are costly to make and a report uses few fonts: keep them all,
// each with the widths it measured, since a report repeats its texts (the
// run measures a text, the drawing measures it again) and shaping is the
// dearest part of laying out a page.
struct DrawingSurface::FontEntry
{
    explicit FontEntry(const QFont &font)
        : metrics(font, &referenceDevice())
    {
    }
    double width(const QString &text)
    {
        const auto known = widths.constFind(text);
        if (known != widths.constEnd())
            return *known;
        // Bounded: a run of unique values must not grow it without end.
        if (widths.size() > 20000)
            widths.clear();
        const double advance = metrics.horizontalAdvance(text);
        widths.insert(text, advance);
        return advance;
    }
    QFontMetricsF metrics;
    QHash<QString, double> widths;
};

namespace {

DrawingSurface::FontEntry &cachedFont(const QFont &font)
{
    static QHash<QString, std::shared_ptr<DrawingSurface::FontEntry>> cache;
    auto &entry = cache[font.key()];
    if (!entry)
        entry = std::make_shared<DrawingSurface::FontEntry>(font);
    return *entry;
}

// A pixel of a line width is a CSS pixel, as in the HTML export.
constexpr double kReferenceDotsPerPixel = DrawingSurface::kReferenceDpi / 96.0;

} // namespace

DrawingSurface::DrawingSurface(QPainter *painter, int unit)
    : m_painter(painter)
{
    setScaleMode(unit);
    if (m_painter && m_painter->device()) {
        const QPaintDevice *device = m_painter->device();
        m_deviceDpiY = device->logicalDpiY();
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

void DrawingSurface::setScaleMode(int unit)
{
    m_unit = unit;
    m_unitToReference = convertUnit(1.0, unit, Unit::Inches) * kReferenceDpi;
}

void DrawingSurface::setFontName(const QString &name)
{
    if (m_fontName == name)
        return;
    m_fontName = name;
    fontChanged();
}

void DrawingSurface::setFontSize(double points)
{
    if (m_fontSize == points)
        return;
    m_fontSize = points;
    fontChanged();
}

void DrawingSurface::setFontBold(bool on)
{
    if (m_bold == on)
        return;
    m_bold = on;
    fontChanged();
}

void DrawingSurface::setFontItalic(bool on)
{
    if (m_italic == on)
        return;
    m_italic = on;
    fontChanged();
}

void DrawingSurface::setFontUnderline(bool on)
{
    if (m_underline == on)
        return;
    m_underline = on;
    fontChanged();
}

void DrawingSurface::setFontStrikethru(bool on)
{
    if (m_strikeOut == on)
        return;
    m_strikeOut = on;
    fontChanged();
}

void DrawingSurface::fontChanged()
{
    m_font = nullptr;
    m_drawnFontValid = false;
}

QFont DrawingSurface::font() const
{
    QFont font(fallbackFamily(m_fontName));
    font.setPointSizeF(m_fontSize > 0 ? m_fontSize : 10);
    font.setBold(m_bold);
    font.setItalic(m_italic);
    font.setUnderline(m_underline);
    font.setStrikeOut(m_strikeOut);
    // Unhinted outlines scale linearly, so the reference advances hold on
    // every device.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
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

double DrawingSurface::toReference(double value) const
{
    return value * m_unitToReference;
}

DrawingSurface::FontEntry &DrawingSurface::fontEntry() const
{
    if (!m_font)
        m_font = &cachedFont(font());
    return *m_font;
}

const QFontMetricsF &DrawingSurface::metrics() const
{
    return fontEntry().metrics;
}

double DrawingSurface::TextWidth(const QString &text) const
{
    // Only the run's measuring remembers widths: a page being drawn meets
    // each text once.
    if (m_painter)
        return fontEntry().metrics.horizontalAdvance(text) / m_unitToReference;
    return fontEntry().width(text) / m_unitToReference;
}

double DrawingSurface::TextHeight(const QString &text) const
{
    return (text.count(QLatin1String("\r\n")) + 1) * metrics().lineSpacing() / m_unitToReference;
}

void DrawingSurface::Print(const QString &line, Qt::LayoutDirection direction)
{
    if (m_painter && !line.isEmpty()) {
        // The device resolves point sizes with its own resolution; ask for
        // the size that gives the reference metric's pixels, which the
        // painter's scale then brings to the device.
        if (!m_drawnFontValid) {
            m_drawnFont = font();
            m_drawnFont.setPointSizeF(m_drawnFont.pointSizeF() * kReferenceDpi / m_deviceDpiY);
            m_drawnFontValid = true;
        }
        m_painter->setFont(m_drawnFont);
        m_painter->setPen(color(ForeColor));
        // drawText lays a line out in the painter's direction; left to
        // right, an Arabic sentence would end with its full stop on the
        // right.
        m_painter->setLayoutDirection(direction);
        const QPointF baseline(toReference(CurrentX), toReference(CurrentY) + metrics().ascent());
        if (!mayHaveColourGlyphs(line) || !drawColourGlyphs(line, direction, baseline))
            m_painter->drawText(baseline, line);
    }
    CurrentY += metrics().lineSpacing() / m_unitToReference;
    CurrentX = 0;
}

bool DrawingSurface::drawColourGlyphs(const QString &line, Qt::LayoutDirection direction, const QPointF &baseline)
{
    // Colour glyphs are pictures, not outlines: a PDF or printer cannot
    // take them as text, and the painter's scaling loses them at many
    // sizes; some devices even give them wrong advances. A line holding
    // them is laid out with the reference metric (as it was measured), its
    // other glyphs drawn as text and each run of colour glyphs on an image
    // of the device's pixels, put where the glyphs stand.
    QTextLayout layout(line, font(), &referenceDevice());
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(direction);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine textLine = layout.createLine();
    layout.endLayout();
    if (!textLine.isValid())
        return false;
    const auto runs = layout.glyphRuns();
    if (std::none_of(runs.cbegin(), runs.cend(), [](const QGlyphRun &run) { return isColourFont(run.rawFont()); }))
        return false;
    const double scale = std::sqrt(std::abs(m_painter->combinedTransform().determinant()));
    const QPointF origin = baseline - QPointF(0, textLine.ascent());
    for (const QGlyphRun &run : runs) {
        const QRawFont font = run.rawFont();
        if (!isColourFont(font)) {
            m_painter->drawGlyphRun(origin, run);
            continue;
        }
        if (!(scale > 0))
            continue;
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
        QRectF box;
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            const QPointF at = positions.value(i);
            box |= QRectF(at.x(), at.y() - font.ascent(), qMax(advances.value(i).x(), 1.0),
                          font.ascent() + font.descent());
        }
        if (box.isEmpty())
            continue;
        const QSize pixels(int(std::ceil(box.width() * scale)), int(std::ceil(box.height() * scale)));
        if (pixels.width() > 16384 || pixels.height() > 16384)
            continue;
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QRawFont devicePixels = font;
        devicePixels.setPixelSize(font.pixelSize() * scale);
        QList<QPointF> placed;
        placed.reserve(positions.size());
        for (const QPointF &at : positions)
            placed.append((at - box.topLeft()) * scale);
        QGlyphRun scaled;
        scaled.setRawFont(devicePixels);
        scaled.setGlyphIndexes(glyphs);
        scaled.setPositions(placed);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawGlyphRun(QPointF(0, 0), scaled);
        }
        m_painter->drawImage(QRectF(origin + box.topLeft(), QSizeF(pixels) / scale), image);
    }
    return true;
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
