#pragma once

#include <QFont>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <QVarLengthArray>

#include <memory>
#include <vector>

class QFontMetricsF;
class QPaintDevice;

// One line of text shaped once: its glyphs, font by font, with their places
// in reference dots (x from the line's left end, y from its top, so that a
// glyph's y is the baseline). Measuring a line shapes it; drawing, exporting
// and finding use the glyphs and never shape again.
struct ShapedLine
{
    struct Glyph
    {
        quint32 index;
        float x;
        float y;
    };
    // Consecutive glyphs drawn with one font.
    struct Span
    {
        QRawFont font;
        quint32 count;
    };
    std::vector<Glyph> glyphs;
    QVarLengthArray<Span, 1> spans; // most lines need one font
    double width = 0;         // the advance of the whole line, reference dots
    bool colourGlyphs = false; // a span is in a colour (emoji) font
    bool rightToLeft = false;  // laid out right to left (what its text is read back with)
};

// Measures text the way every output draws it: with one reference metric (a
// fixed resolution, never the device's), so a run breaks lines and pages the
// same way whatever shows the pages. Lengths are in the document's unit.
class TextMetrics
{
public:
    // The resolution text is measured at, in dots per inch.
    static constexpr int kReferenceDpi = 1200;

    explicit TextMetrics(int unit);
    virtual ~TextMetrics() = default;
    TextMetrics(const TextMetrics &) = delete;
    TextMetrics &operator=(const TextMetrics &) = delete;

    int ScaleMode() const { return m_unit; }
    void setScaleMode(int unit);

    // Font properties; each change takes effect with the next measure.
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

    // Width of one line of text; height of a text with one line per CR LF.
    double TextWidth(const QString &text) const;
    double TextHeight(const QString &text) const;
    double lineHeight() const;

    // The line shaped with the current font, laid out in `direction` (the
    // runs of a mixed line are ordered by it; the glyphs start at x 0 and run
    // to the right). Shaped lines are remembered per font, so measuring a
    // text and then keeping its glyphs shapes it once.
    std::shared_ptr<const ShapedLine> shape(const QString &line,
                                            Qt::LayoutDirection direction = Qt::LeftToRight) const;

    // The font as set, at its point size; a family that is not installed is
    // replaced by one of its kind (fallbackFamily).
    QFont font() const;
    // The font's ascent in reference dots.
    double ascentDots() const;
    // Document unit to reference dots.
    double toReference(double value) const { return value * m_unitToReference; }

    // The device text is measured on.
    static const QPaintDevice &referenceDevice();

    struct FontEntry; // metrics of one font and the lines shaped with it

protected:
    // Changes with every font change, so that a drawing surface knows when
    // to make its device font again.
    quint32 fontGeneration() const { return m_fontGeneration; }

private:
    FontEntry &fontEntry() const;
    void fontChanged();

    int m_unit;
    double m_unitToReference = 1;
    QString m_fontName = QStringLiteral("Arial");
    double m_fontSize = 10;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikeOut = false;
    quint32 m_fontGeneration = 0;
    mutable FontEntry *m_font = nullptr; // shared, from a cache
};
