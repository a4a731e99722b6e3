#include "glyphimage.h"

#include <QGlyphRun>
#include <QPainter>
#include <QTextOption>

#include <cmath>

GlyphImage colourGlyphImage(const QRawFont &font, const QList<quint32> &glyphs,
                            const QList<QPointF> &positions, double pixelsPerUnit)
{
    GlyphImage out;
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const QPointF p = positions.value(i);
        out.box |= QRectF(p.x(), p.y() - font.ascent(), qMax(advances.value(i).x(), 1.0),
                          font.ascent() + font.descent());
    }
    const QSize pixels(int(std::ceil(out.box.width() * pixelsPerUnit)),
                       int(std::ceil(out.box.height() * pixelsPerUnit)));
    if (out.box.isEmpty() || pixels.width() > 16384 || pixels.height() > 16384)
        return out;
    out.image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    out.image.fill(Qt::transparent);
    QRawFont scaled = font;
    scaled.setPixelSize(font.pixelSize() * pixelsPerUnit);
    QList<QPointF> placed;
    placed.reserve(positions.size());
    for (const QPointF &p : positions)
        placed.append((p - out.box.topLeft()) * pixelsPerUnit);
    QGlyphRun run;
    run.setRawFont(scaled);
    run.setGlyphIndexes(glyphs);
    run.setPositions(placed);
    QPainter painter(&out.image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawGlyphRun(QPointF(0, 0), run);
    return out;
}

QTextLine layOutOneLine(QTextLayout &layout, Qt::LayoutDirection direction)
{
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(direction);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return line;
}
