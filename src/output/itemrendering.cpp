#include "itemrendering.h"

#include "drawingsurface.h"
#include "textlayout.h"

#include "document/borders.h"
#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/textitem.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

#include <algorithm>

namespace {

void applyBorder(DrawingSurface &surface, const BorderLine &b)
{
    surface.DrawStyle = b.style;
    surface.DrawWidth = b.Width;
}

} // namespace

void TextItem::initFont(DrawingSurface &surface) const
{
    // The size is set around the name (and once more at the end) because a
    // device may only offer some sizes of a font; the last word counts.
    for (int pass = 0; pass < 2; ++pass) {
        surface.setFontSize(fontSize);
        surface.setFontName(fontName);
        surface.setFontSize(fontSize);
        surface.setFontBold(fontBold);
        if (pass == 0)
            surface.setFontStrikethru(fontStrikethrough);
        surface.setFontItalic(fontItalic);
        surface.setFontUnderline(fontUnderline);
        surface.ForeColor = fontColor;
    }
}

void Borders::printBorders(DrawingSurface &surface, const ReportItem &item, double x, double y) const
{
    printBorders(surface, x, y, item.w, item.h);
}

void Borders::printBorders(DrawingSurface &surface, double x, double y, double w, double h) const
{
    if (!isAnyBorders())
        return;
    if (allEqual()) {
        applyBorder(surface, left);
        surface.Line(x, y, x + w, y + h, left.Color, true);
        return;
    }
    applyBorder(surface, left);
    surface.Line(x, y, x, y + h, left.Color);
    applyBorder(surface, right);
    surface.Line(x + w, y, x + w, y + h, right.Color);
    applyBorder(surface, top);
    surface.Line(x, y, x + w, y, top.Color);
    applyBorder(surface, bottom);
    surface.Line(x, y + h, x + w, y + h, bottom.Color);
}

double fitScale(double pictureWidth, double pictureHeight, double boxWidth, double boxHeight)
{
    if (pictureWidth == 0 || pictureHeight == 0)
        return 0;
    return qMin(boxWidth / pictureWidth, boxHeight / pictureHeight);
}

void paintPictureFit(DrawingSurface &surface, const QImage &picture, double x, double y, double width, double height,
                     bool stretch)
{
    if (picture.isNull())
        return;
    if (stretch) {
        surface.PaintPicture(picture, x, y, width, height);
        return;
    }
    const double scale = fitScale(picture.width(), picture.height(), width, height);
    surface.PaintPicture(picture, x, y, scale * picture.width(), scale * picture.height());
}

namespace {

void drawText(const ReportDocument &doc, DrawingSurface &dest, const PageRecord &record)
{
    const PrintedPages &pages = doc.run().pages;
    if (record.frame != PageRecord::kNoFrame)
        pages.borders(record.frame).printBorders(dest, record.x, record.y, record.w, record.h);
    const TextStyle &style = pages.style(record.style);
    style.applyTo(dest);
    dest.ForeColor = style.color;
    if (!record.text())
        return;
    if (record.flags & PageRecord::PageVariables) {
        // %page% and %pages% are known only now.
        printTextBlock(dest, record.align, doc.replacePercentVars(record.textLines()), record.x,
                       record.y, record.w, record.h, false);
        return;
    }
    const bool clipped = record.flags & PageRecord::Clipped;
    if (clipped)
        dest.beginClip(record.x, record.y, record.w, record.h);
    const ShapedText &text = *record.text();
    const double lineHeight = dest.lineHeight();
    const double dotsPerUnit = dest.toReference(1.0);
    const auto last = std::min<size_t>(text.lines.size(), size_t(record.firstLine) + record.lineCount);
    double y = record.y;
    for (size_t i = record.firstLine; i < last; ++i, y += lineHeight) {
        const ShapedLine &line = *text.lines[i];
        const double width = line.width / dotsPerUnit;
        double x = record.x;
        if (record.align == 1)
            x = record.x + record.w - width;
        else if (record.align == 2)
            x = record.x + record.w / 2 - width / 2;
        dest.drawShaped(line, x, y);
    }
    if (clipped)
        dest.endClip();
}

void drawPicture(DrawingSurface &dest, const PageRecord &record)
{
    const PagePicture &picture = *record.picture();
    if (!picture.svg.isEmpty()) {
        QSvgRenderer renderer(picture.svg);
        if (!renderer.isValid())
            return;
        if (picture.stretch) {
            dest.PaintPicture(renderer, record.x, record.y, record.w, record.h);
        } else {
            const QSizeF size = renderer.defaultSize();
            const double scale = fitScale(size.width(), size.height(), record.w, record.h);
            dest.PaintPicture(renderer, record.x, record.y, scale * size.width(),
                              scale * size.height());
        }
        return;
    }
    // A PDF stores pictures as JPEG unless told to keep them lossless: flat
    // colours and sharp edges of drawings would come out blurred and
    // speckled. Only a picture that was JPEG already may stay so.
    QPainter *painter = dest.painter();
    const bool lossless = picture.chart || !picture.jpeg;
    const bool wasLossless = painter && painter->testRenderHint(QPainter::LosslessImageRendering);
    if (painter && !picture.chart)
        painter->setRenderHint(QPainter::LosslessImageRendering, lossless);
    paintPictureFit(dest, picture.image, record.x, record.y, record.w, record.h, picture.stretch);
    if (painter && !picture.chart)
        painter->setRenderHint(QPainter::LosslessImageRendering, wasLossless);
}

} // namespace

void ReportDocument::printPage(int n)
{
    ReportRun &state = run();
    const PrintedPage *page = state.pages.page(n);
    if (!page || !state.surface)
        return;
    state.currentPage = n;
    for (const PageRecord &record : page->records) {
        switch (record.kind) {
        case PageRecord::Text:
            drawText(*this, *state.surface, record);
            break;
        case PageRecord::Picture:
            if (record.picture())
                drawPicture(*state.surface, record);
            break;
        }
    }
}

void drawBorders(QPainter &painter, const Borders &borders, const QSizeF &boxPixels, bool selection,
                 double pixelsPerTwip)
{
    if (!borders.isAnyBorders())
        return;
    const double w = boxPixels.width();
    const double h = boxPixels.height();
    auto line = [&](const BorderLine &b, QPointF from, QPointF to, QPointF inwards) {
        if (b.style == 5)
            return;
        // A border pixel is 1/96 inch, 15 twips.
        const double width = qMax(1, int(b.Width)) * 15 * pixelsPerTwip;
        QPen pen(selection ? DrawingSurface::color(16711680) : DrawingSurface::color(b.Color));
        pen.setWidthF(width);
        pen.setStyle(DrawingSurface::penStyle(b.style));
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        const QPointF shift = inwards * (width / 2);
        painter.drawLine(from + shift, to + shift);
    };
    line(borders.left, {0, 0}, {0, h}, {1, 0});
    line(borders.right, {w, 0}, {w, h}, {-1, 0});
    line(borders.top, {0, 0}, {w, 0}, {0, 1});
    line(borders.bottom, {0, h}, {w, h}, {0, -1});
}

void drawEditFrame(QPainter &painter, const QSizeF &boxPixels, bool selected)
{
    // On the box's outermost pixels, dots on whole pixels: smoothed, they
    // would blur into a grey line.
    const QRect frame(0, 0, qRound(boxPixels.width()) - 1, qRound(boxPixels.height()) - 1);
    if (frame.width() < 0 || frame.height() < 0)
        return;
    const QPalette palette = QGuiApplication::palette();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    if (selected) {
        // The selection lies over the item's own drawing: a light line under
        // its dots keeps it visible on dark borders and pictures.
        painter.setPen(QPen(palette.color(QPalette::Base), 1));
        painter.drawRect(frame);
    }
    QPen pen(selected ? palette.color(QPalette::Highlight)
                      : palette.color(QPalette::Inactive, QPalette::Mid),
             1, Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(frame);
    painter.restore();
}
