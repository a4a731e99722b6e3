#pragma once

#include "engine/textmetrics.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <memory>

class QImage;
class QPointF;
class QPainter;
class QPicture;
class QSvgRenderer;

// What items draw on: a page of the preview, a printer page, a PDF page or a
// picture. Coordinates are in the document's unit (ScaleMode). Text is
// measured with the reference metric (TextMetrics) and drawn at that metric
// scaled to the device, so a run breaks lines and pages the same way
// whatever shows it.
//
// A surface without a painter only measures.
class DrawingSurface : public TextMetrics
{
public:
    // `painter` (not owned; may be null) paints on a device whose origin is
    // the page's top-left corner; its resolution is the device's. The
    // painter's state is restored when the surface goes.
    DrawingSurface(QPainter *painter, int unit);
    ~DrawingSurface() override;

    QPainter *painter() const { return m_painter; }

    double CurrentX = 0;
    double CurrentY = 0;

    int ForeColor = 0; // Windows RGB: red in the lowest byte
    // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 invisible,
    // 6 inside solid.
    int DrawStyle = 0;
    int DrawWidth = 1; // pixels of 1/96 inch

    // Prints one line at (CurrentX, CurrentY) in ForeColor, then moves
    // CurrentY one line down and CurrentX back to 0. `direction` is the
    // line's paragraph direction: it orders the runs of mixed text; the line
    // always starts at CurrentX and runs to the right.
    void Print(const QString &line, Qt::LayoutDirection direction = Qt::LeftToRight);
    // Draws a line shaped already with its left end at (x, y), the top of
    // the line, in ForeColor, underlined or struck through as the font is.
    void drawShaped(const ShapedLine &line, double x, double y);
    // A segment, or with `box` the rectangle with these corners, in `color`
    // with DrawStyle and DrawWidth.
    void Line(double x1, double y1, double x2, double y2, int color, bool box = false);
    // Limits what is drawn to the rectangle until endClip (pairs nest).
    void beginClip(double x, double y, double width, double height);
    void endClip();
    // Pictures scaled into the rectangle; nothing when it is empty or
    // negative.
    void PaintPicture(const QImage &picture, double x, double y, double width, double height);
    void PaintPicture(const QPicture &picture, double x, double y, double width, double height);
    void PaintPicture(QSvgRenderer &picture, double x, double y, double width, double height);

    // Windows RGB to a colour.
    static QColor color(int rgb);
    // A DrawStyle as a pen style (6, inside solid, is solid).
    static Qt::PenStyle penStyle(int drawStyle);

private:
    // Draws the glyphs of colour fonts as images at the device's
    // resolution, the others as they are.
    void drawColourGlyphs(const ShapedLine &line, const QPointF &origin);

    QPainter *m_painter;
};
