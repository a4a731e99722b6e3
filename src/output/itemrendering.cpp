#include "itemrendering.h"

#include "drawingsurface.h"
#include "pictureloading.h"
#include "textlayout.h"

#include "document/borders.h"
#include "document/igraph.h"
#include "document/ipic.h"
#include "document/item.h"
#include "document/talvodocument.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

namespace {

void applyBorder(DrawingSurface &surface, const border &b)
{
    surface.DrawStyle = b.style;
    surface.DrawWidth = b.Width;
}

} // namespace

void Item::initFont(DrawingSurface &surface) const
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

void Item::Print_() const
{
    if (!document || !document->dest)
        return;
    DrawingSurface &dest = *document->dest;
    borders.printBorders(dest, *this, x, y);
    initFont(dest);
    // %page% and %pages% are known only now; fields and formulas carry
    // their evaluated text already.
    const bool hasVariables = typeContent == 0 && content.contains(u'%');
    const QString text = hasVariables ? document->ReplacePercentVars(content) : content;
    // Wrapping the run's lines again would give the same lines: save the
    // measuring unless the variables changed the text.
    if (laidOut && !hasVariables) {
        // A first line taller than the box was kept: it shows clipped.
        const bool tooTall = dest.TextHeight(text) > h + qAbs(h) * 1e-5;
        if (tooTall)
            dest.beginClip(x, y, w, h);
        printLines(dest, AlignH, text, x, y, w);
        if (tooTall)
            dest.endClip();
    } else {
        printTextBlock(dest, AlignH, text, x, y, w, h, false);
    }
}

void iPic::Print_() const
{
    if (!document || !document->dest || fileName.isEmpty())
        return;
    DrawingSurface &dest = *document->dest;
    if (!svg.isEmpty()) {
        QSvgRenderer renderer(svg);
        if (!renderer.isValid())
            return;
        if (stretch) {
            dest.PaintPicture(renderer, x, y, w, h);
        } else {
            const QSizeF size = renderer.defaultSize();
            const double scale = fitScale(size.width(), size.height(), w, h);
            dest.PaintPicture(renderer, x, y, scale * size.width(), scale * size.height());
        }
        return;
    }
    // A PDF stores pictures as JPEG unless told to keep them lossless: flat
    // colours and sharp edges of drawings would come out blurred and
    // speckled. Only a picture that was JPEG already may stay so.
    QPainter *painter = dest.painter();
    const bool lossless = pic.text(QString::fromLatin1(kPictureFormatKey)) != QLatin1String("jpeg");
    const bool wasLossless = painter && painter->testRenderHint(QPainter::LosslessImageRendering);
    if (painter)
        painter->setRenderHint(QPainter::LosslessImageRendering, lossless);
    paintPictureFit(dest, pic, x, y, w, h, stretch);
    if (painter)
        painter->setRenderHint(QPainter::LosslessImageRendering, wasLossless);
}

void iGraph::Print_() const
{
    if (!document || !document->dest || SQL.isEmpty())
        return;
    DrawingSurface &dest = *document->dest;
    // The chart always fills its box.
    if (!chart.isEmpty()) {
        QSvgRenderer renderer(chart);
        dest.PaintPicture(renderer, x, y, w, h);
    } else
        paintPictureFit(dest, chartPic, x, y, w, h, true);
}

void Borders::printBorders(DrawingSurface &surface, const ReportItem &item, double x, double y) const
{
    if (!isAnyBorders())
        return;
    const double w = item.w;
    const double h = item.h;
    if (AllEquals()) {
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

void TalvoDocument::PrintPage(int n)
{
    const PrintedPage *page = Pages.value(QStringLiteral("p%1").arg(n));
    if (!page || !dest)
        return;
    CurrentPage = n;
    for (const ReportItem *item : *page) {
        switch (item->kind()) {
        case ReportItem::TextKind:
            static_cast<const Item *>(item)->Print_();
            break;
        case ReportItem::PictureKind:
            static_cast<const iPic *>(item)->Print_();
            break;
        case ReportItem::GraphKind:
            static_cast<const iGraph *>(item)->Print_();
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
    auto line = [&](const border &b, QPointF from, QPointF to, QPointF inwards) {
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
