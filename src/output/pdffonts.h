#pragma once

#include <QByteArray>
#include <QRawFont>
#include <QString>

#include <memory>
#include <vector>

class PdfWriter;
class QFont;
class TextMetrics;
struct ShapedLine;

// The fonts of a PDF: each font a page uses is embedded once, at the end,
// as a subset that keeps the glyph numbers the pages were shaped with, with
// the widths and the text (for copying and searching) of every glyph used.
class PdfFonts
{
public:
    explicit PdfFonts(PdfWriter &writer);
    ~PdfFonts();
    PdfFonts(const PdfFonts &) = delete;
    PdfFonts &operator=(const PdfFonts &) = delete;

    // The number of the font (its resource is /F<number>); -1 for a font
    // that cannot be embedded (not an OpenType or TrueType font).
    int fontFor(const QRawFont &font);
    // The font's object, referred to from page resources.
    int object(int font) const;
    // The code a glyph is shown with and its advance in thousandths of the
    // font size; the glyph is kept in the subset.
    quint32 use(int font, quint32 glyph, int *width);
    // The code of the font's space, read back as a space between words;
    // false when the font has none to give.
    bool space(int font, quint32 *code, int *width);

    // Records what the glyphs of `line` stand for, from the text it was
    // shaped from in the style set on `style` (fallbacks included). False when
    // a glyph cannot stand for its text alone here (a glyph drawn for
    // different texts, a character drawn with several glyphs): such a line
    // carries its text beside the glyphs.
    bool mapLine(const ShapedLine &line, QStringView text, const TextMetrics &style);

    // Writes every font. A font the subsetter cannot read is named but not
    // embedded.
    void finish();

    struct Font;

private:
    bool mapLineSlowly(const ShapedLine &line, const QString &text, const QFont &font);
    bool assign(int font, quint32 glyph, const QString &text);

    PdfWriter &m_writer;
    std::vector<std::unique_ptr<Font>> m_fonts;
    // Lately used fonts, compared by engine: most lines use one or two.
    std::vector<std::pair<QRawFont, int>> m_recent;
};
