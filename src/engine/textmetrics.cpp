#include "textmetrics.h"

#include "engine/glyphimage.h"
#include "fontfallback.h"

#include "platform/units.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QTextLayout>

#include <cmath>

namespace {

// How many shaped lines a font keeps. A report repeats its labels and many
// of its values; a run of unique values must not grow the cache without end.
constexpr qsizetype kShapedLinesKept = 8192;

// The line shaped as one line of the reference device: glyphs and places
// from the top left, the font merging of missing characters included.
std::shared_ptr<ShapedLine> layOutLine(const QFont &font, double ascent, const QString &line,
                                       Qt::LayoutDirection direction)
{
    auto shaped = std::make_shared<ShapedLine>();
    shaped->rightToLeft = direction == Qt::RightToLeft;
    if (line.isEmpty())
        return shaped;
    QTextLayout layout(line, font, const_cast<QPaintDevice *>(&TextMetrics::referenceDevice()));
    const QTextLine textLine = layOutOneLine(layout, direction);
    if (!textLine.isValid())
        return shaped;
    shaped->width = textLine.horizontalAdvance();
    // The baseline is the font's, as a line is measured, even where a taller
    // fallback font serves some of its characters.
    const double lift = textLine.ascent() - ascent;
    const QList<QGlyphRun> runs = layout.glyphRuns();
    qsizetype total = 0;
    for (const QGlyphRun &run : runs)
        total += run.glyphIndexes().size();
    shaped->glyphs.reserve(size_t(total));
    shaped->spans.reserve(runs.size());
    for (const QGlyphRun &run : runs) {
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        if (indexes.isEmpty())
            continue;
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            const QPointF at = positions.value(i);
            shaped->glyphs.push_back({indexes.at(i), float(at.x()), float(at.y() - lift)});
        }
        const QRawFont raw = run.rawFont();
        if (isColourFont(raw))
            shaped->colourGlyphs = true;
        shaped->spans.push_back({raw, quint32(indexes.size())});
    }
    return shaped;
}

// Characters that, in the fonts reports use, give one glyph each with no
// contextual forms, ligatures or marks: figures and their punctuation.
// Whether a font really treats them so is checked once per font.
const QString kFigures = QStringLiteral("0123456789 .,-+/:%()#");

bool isPlainFigures(const QString &line)
{
    for (const QChar c : line) {
        if (!kFigures.contains(c))
            return false;
    }
    return true;
}

} // namespace

// Metrics are costly to make and a report uses few fonts: keep them all,
// each with the lines it shaped.
struct TextMetrics::FontEntry
{
    explicit FontEntry(const QFont &f)
        : font(f), metrics(font, &referenceDevice()), lineSpacing(metrics.lineSpacing())
    {
    }
    std::shared_ptr<const ShapedLine> shape(const QString &line, Qt::LayoutDirection direction)
    {
        QHash<QString, std::shared_ptr<const ShapedLine>> &lines =
            direction == Qt::RightToLeft ? rightToLeft : leftToRight;
        const auto known = lines.constFind(line);
        if (known != lines.constEnd())
            return *known;
        if (lines.size() >= kShapedLinesKept)
            lines.clear();
        std::shared_ptr<const ShapedLine> shaped;
        if (direction == Qt::LeftToRight && isPlainFigures(line) && figuresFromCharacterMap())
            shaped = layOutFigures(line);
        if (!shaped)
            shaped = layOutLine(font, metrics.ascent(), line, direction);
        lines.insert(line, shaped);
        return shaped;
    }
    double width(const QString &text) { return shape(text, Qt::LeftToRight)->width; }

    // Figures take their glyphs from the character map and their places from
    // the advances, which is several times cheaper than shaping; null when
    // the font lacks one of them.
    std::shared_ptr<ShapedLine> layOutFigures(const QString &line) const
    {
        auto shaped = std::make_shared<ShapedLine>();
        if (line.isEmpty())
            return shaped;
        const QList<quint32> glyphs = figureFont.glyphIndexesForString(line);
        if (glyphs.size() != line.size() || glyphs.contains(0u))
            return nullptr;
        const QList<QPointF> advances = figureFont.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
        shaped->glyphs.reserve(size_t(glyphs.size()));
        const auto baseline = float(metrics.ascent());
        double x = 0;
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            shaped->glyphs.push_back({glyphs.at(i), float(x), baseline});
            x += advances.value(i).x();
        }
        shaped->width = x;
        shaped->spans.push_back({figureFont, quint32(glyphs.size())});
        return shaped;
    }

    // Whether figures may skip shaping in this font: once per font, a line
    // holding every pair of them is laid out both ways, and the two must
    // agree glyph for glyph, kerning included.
    bool figuresFromCharacterMap()
    {
        if (figuresChecked)
            return figuresAgree;
        figuresChecked = true;
        QString pairs;
        for (const QChar a : kFigures) {
            for (const QChar b : kFigures)
                pairs += QString(a) + b;
        }
        const QString samples[] = {kFigures, pairs};
        const std::shared_ptr<const ShapedLine> first =
            layOutLine(font, metrics.ascent(), kFigures, Qt::LeftToRight);
        if (first->spans.size() != 1 || first->colourGlyphs)
            return figuresAgree = false;
        figureFont = first->spans.front().font;
        for (const QString &sample : samples) {
            const auto shaped = layOutLine(font, metrics.ascent(), sample, Qt::LeftToRight);
            const auto quick = layOutFigures(sample);
            if (!quick || shaped->spans.size() != 1
                || shaped->glyphs.size() != quick->glyphs.size()
                || qAbs(shaped->width - quick->width) > 0.01)
                return figuresAgree = false;
            for (size_t i = 0; i < quick->glyphs.size(); ++i) {
                const ShapedLine::Glyph &a = shaped->glyphs[i];
                const ShapedLine::Glyph &b = quick->glyphs[i];
                if (a.index != b.index || qAbs(a.x - b.x) > 0.01f || qAbs(a.y - b.y) > 0.01f)
                    return figuresAgree = false;
            }
        }
        return figuresAgree = true;
    }

    QFont font;
    QFontMetricsF metrics;
    double lineSpacing; // asked for with every text: kept
    QHash<QString, std::shared_ptr<const ShapedLine>> leftToRight;
    QHash<QString, std::shared_ptr<const ShapedLine>> rightToLeft;
    QRawFont figureFont;
    bool figuresChecked = false;
    bool figuresAgree = false;
};

namespace {

TextMetrics::FontEntry &cachedFont(const QFont &font)
{
    static QHash<QString, std::shared_ptr<TextMetrics::FontEntry>> cache;
    auto &entry = cache[font.key()];
    if (!entry)
        entry = std::make_shared<TextMetrics::FontEntry>(font);
    return *entry;
}

} // namespace

const QPaintDevice &TextMetrics::referenceDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dpm = int(kReferenceDpi / 0.0254 + 0.5);
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
        return image;
    }();
    return device;
}

TextMetrics::TextMetrics(int unit)
{
    setScaleMode(unit);
}

void TextMetrics::setScaleMode(int unit)
{
    m_unit = unit;
    m_unitToReference = convertUnit(1.0, unit, Unit::Inches) * kReferenceDpi;
}

void TextMetrics::setFontName(const QString &name)
{
    if (m_fontName == name)
        return;
    m_fontName = name;
    fontChanged();
}

void TextMetrics::setFontSize(double points)
{
    if (m_fontSize == points)
        return;
    m_fontSize = points;
    fontChanged();
}

void TextMetrics::setFontBold(bool on)
{
    if (m_bold == on)
        return;
    m_bold = on;
    fontChanged();
}

void TextMetrics::setFontItalic(bool on)
{
    if (m_italic == on)
        return;
    m_italic = on;
    fontChanged();
}

void TextMetrics::setFontUnderline(bool on)
{
    if (m_underline == on)
        return;
    m_underline = on;
    fontChanged();
}

void TextMetrics::setFontStrikethru(bool on)
{
    if (m_strikeOut == on)
        return;
    m_strikeOut = on;
    fontChanged();
}

void TextMetrics::fontChanged()
{
    m_font = nullptr;
    ++m_fontGeneration;
}

QFont TextMetrics::font() const
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

TextMetrics::FontEntry &TextMetrics::fontEntry() const
{
    if (!m_font)
        m_font = &cachedFont(font());
    return *m_font;
}

double TextMetrics::TextWidth(const QString &text) const
{
    return fontEntry().width(text) / m_unitToReference;
}

double TextMetrics::lineHeight() const
{
    return fontEntry().lineSpacing / m_unitToReference;
}

double TextMetrics::TextHeight(const QString &text) const
{
    return (text.count(QLatin1String("\r\n")) + 1) * lineHeight();
}

double TextMetrics::ascentDots() const
{
    return fontEntry().metrics.ascent();
}

std::shared_ptr<const ShapedLine> TextMetrics::shape(const QString &line,
                                                     Qt::LayoutDirection direction) const
{
    return fontEntry().shape(line, direction);
}
