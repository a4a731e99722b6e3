#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <memory>

class QFontMetricsF;
class QImage;
class QPointF;
class QPainter;
class QPicture;
class QSvgRenderer;

// What items draw on: a page of the preview, a printer page, a PDF page or a
// picture. Coordinates are in the document's unit (ScaleMode). Text is
// measured with one reference metric (a fixed resolution, never the
// device's) and drawn at that metric scaled to the device, so a run breaks
// lines and pages the same way whatever shows it.
//
// A surface without a painter only measures; the run lays pages out on one.
class DrawingSurface
{
public:
    // The resolution text is measured at, in dots per inch.
    static constexpr int kReferenceDpi = 1200;

    // `painter` (not owned; may be null) paints on a device whose origin is
    // the page's top-left corner; its resolution is the device's. The
    // painter's state is restored when the surface goes.
    DrawingSurface(QPainter *painter, int unit);
    ~DrawingSurface();
    DrawingSurface(const DrawingSurface &) = delete;
    DrawingSurface &operator=(const DrawingSurface &) = delete;

    QPainter *painter() const { return m_painter; }

    int ScaleMode() const { return m_unit; }
    void setScaleMode(int unit);

    double CurrentX = 0;
    double CurrentY = 0;

    // Font properties; each change takes effect with the next measure or
    // print.
    QString fontName() const { return m_fontName; }
    void setFontName(const QString &name);
    double fontSize() const { return m_fontSize; }
    void setFontSize(double points);
    bool fontBold() const { return m_bold; }
    void setFontBold(bool on);
    bool fontItalic() const { return m_italic; }
    void setFontItalic(bool on);
    bool fontUnderline() const { return m_underline; }
    void setFontUnderline(bool on);
    bool FontStrikethru() const { return m_strikeOut; }
    void setFontStrikethru(bool on);

    int ForeColor = 0; // Windows RGB: red in the lowest byte
    // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 invisible,
    // 6 inside solid.
    int DrawStyle = 0;
    int DrawWidth = 1; // pixels of 1/96 inch

    // Width of one line of text; height of a text with one line per CR LF.
    double TextWidth(const QString &text) const;
    double TextHeight(const QString &text) const;

    // Prints one line at (CurrentX, CurrentY) in ForeColor, then moves
    // CurrentY one line down and CurrentX back to 0. `direction` is the
    // line's paragraph direction: it orders the runs of mixed text; the line
    // always starts at CurrentX and runs to the right.
    void Print(const QString &line, Qt::LayoutDirection direction = Qt::LeftToRight);
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

    // The font as set, at its point size; a family that is not installed is
    // replaced by one of its kind (fallbackFamily).
    QFont font() const;

    // Windows RGB to a colour.
    static QColor color(int rgb);
    // A DrawStyle as a pen style (6, inside solid, is solid).
    static Qt::PenStyle penStyle(int drawStyle);

    struct FontEntry; // metrics of one font and the widths measured with it

private:
    double toReference(double value) const; // document unit -> reference dots
    const QFontMetricsF &metrics() const;
    FontEntry &fontEntry() const;
    void fontChanged();
    // Draws a line holding glyphs of colour fonts, those as images at the
    // device's resolution; false, drawing nothing, when it holds none.
    bool drawColourGlyphs(const QString &line, Qt::LayoutDirection direction, const QPointF &baseline);

    QPainter *m_painter;
    int m_unit;
    double m_unitToReference = 1;
    double m_deviceDpiY = kReferenceDpi;

    QString m_fontName = QStringLiteral("Arial");
    double m_fontSize = 10;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikeOut = false;
    mutable FontEntry *m_font = nullptr; // shared, from a cache
    QFont m_drawnFont; // the font at the size the device needs for the reference metric
    bool m_drawnFontValid = false;
};
