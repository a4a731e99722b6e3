#pragma once

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
#include <QTextLayout>

// Colour glyphs (emoji) have no outlines a printer or a PDF can take: they
// are drawn into an image at the output's resolution and placed where the
// glyphs stand.
struct GlyphImage
{
    QImage image; // null when the glyphs take no room or would be too large
    QRectF box;   // where the glyphs stand, in their own coordinates
};
GlyphImage colourGlyphImage(const QRawFont &font, const QList<quint32> &glyphs,
                            const QList<QPointF> &positions, double pixelsPerUnit);

// Lays out the layout's text as one unwrapped line on the reference device,
// in `direction`; the line is invalid when there is nothing to lay out.
QTextLine layOutOneLine(QTextLayout &layout, Qt::LayoutDirection direction);
