#pragma once

#include "document/borders.h"
#include "engine/textmetrics.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>
#include <QVarLengthArray>
#include <QVariant>

#include <memory>
#include <vector>

// What a report run produces: pages of print records of their own, apart
// from the design. A text record holds its shaped lines, so no output shapes
// a text again; styles and border sets are kept once per run and referred to
// by number; pictures and identical texts are shared.

// How a text record looks.
struct TextStyle
{
    QString fontName = QStringLiteral("Arial");
    float size = 10; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int color = 0; // Windows RGB value, red in the low byte
    bool operator==(const TextStyle &) const = default;

    // The style set on a measurer (or drawing surface).
    void applyTo(TextMetrics &metrics) const;
};
size_t qHash(const TextStyle &style, size_t seed = 0);

// The value behind a text that is not text itself (a number, a date or
// time, a truth value), with the format it was shown in: what a spreadsheet
// export writes instead of the shown text. Kept only when the run is asked to.
struct TypedValue
{
    QVariant value;  // double, qlonglong, QDateTime, QDate, QTime or bool
    QString format;  // the item's format string; empty for none
};

// A text as laid out in its box: its lines, CR LF between them (what find,
// copy and the exports read), and each line shaped.
struct ShapedText
{
    QString text;
    // Where the second and each further line start in text: empty for the
    // one line most texts have.
    std::vector<qsizetype> lineStarts;
    // Each line shaped; empty for a text laid out only when drawn (page
    // numbers).
    QVarLengthArray<std::shared_ptr<const ShapedLine>, 1> lines;
    // What the text shows, when the run keeps values and it is not text.
    std::shared_ptr<const TypedValue> value;

    int lineCount() const { return int(lineStarts.size()) + 1; }
    qsizetype lineStart(int line) const { return line == 0 ? 0 : lineStarts[size_t(line - 1)]; }
    // Lines first .. first + count - 1, CR LF between them.
    QString linesText(int first, int count) const;
};

// A picture or a chart of a page, shared by the records that show it.
struct PagePicture
{
    QImage image;   // null for a vector picture
    QByteArray svg; // a vector picture (an SVG file or a drawn chart)
    bool stretch = false; // fills its box instead of keeping its proportions
    bool jpeg = false;    // came as JPEG: may stay so in a PDF
    QByteArray jpegFile;  // the JPEG file itself, when image is all of it
    bool chart = false;
    QString alt; // what it shows, in words, for screen readers
    bool hasPicture() const { return !image.isNull() || !svg.isEmpty(); }
};

struct PageRecord
{
    enum Kind : quint8 { Text, Picture };
    static constexpr quint16 kNoFrame = 0xFFFF;
    enum Flag : quint8 {
        Clipped = 1,       // a first line taller than the box: drawn clipped to it
        PageVariables = 2, // holds %page% or %pages%: laid out when drawn
        Number = 4,        // a number: never broken nor cut
    };

    Kind kind = Text;
    quint8 align = 0; // texts: 0 left, 1 right, 2 centre
    quint8 flags = 0;
    quint16 style = 0;        // texts: the run's text style
    quint16 frame = kNoFrame; // texts: the run's border set drawn around the box
    quint32 firstLine = 0;    // texts: the lines of `text` shown here
    quint32 lineCount = 0;
    float x = 0;
    float y = 0;
    float w = 0;
    float h = 0;
    // The shaped text of a text, the picture of a picture or chart; one
    // pointer for both keeps a record small.
    std::shared_ptr<const void> content;

    const ShapedText *text() const
    {
        return kind == Text ? static_cast<const ShapedText *>(content.get()) : nullptr;
    }
    const PagePicture *picture() const
    {
        return kind == Picture ? static_cast<const PagePicture *>(content.get()) : nullptr;
    }

    // A text record's lines, CR LF between them.
    QString textLines() const;
};

// Where the records of one occurrence of a band (a section printed once)
// start on a page. The records up to the next mark belong to it; an
// occurrence split over two pages has a mark with its number on both.
struct BandMark
{
    quint32 firstRecord = 0;
    quint32 occurrence = 0; // numbered from 1 in the order the run made them
    quint16 name = 0;       // its section, as a number for PrintedPages::bandName
    quint8 kind = 0;        // the section's type: data, page header or footer, report header or footer
    quint8 reserved = 0;
};

// One page: its records in drawing order, and the bands they came from.
struct PrintedPage
{
    std::vector<PageRecord> records;
    std::vector<BandMark> bands;
    int count() const { return int(records.size()); }
    // The mark of the band record `index` belongs to; nullptr when the page
    // has none (pages made outside a run).
    const BandMark *bandOf(int index) const;
    // Records first .. end - 1 of band mark `mark`.
    int bandEnd(int mark) const
    {
        return size_t(mark + 1) < bands.size() ? int(bands[size_t(mark + 1)].firstRecord)
                                               : count();
    }
    // Forgets the marks of records taken off the page's end.
    void trimBands();
    // Lets the records go, once every output has the page.
    void release()
    {
        std::vector<PageRecord>().swap(records);
        std::vector<BandMark>().swap(bands);
    }
};

// The pages of a run, with the styles and border sets their records use.
class PrintedPages
{
public:
    int count() const { return int(m_pages.size()); }
    bool isEmpty() const { return m_pages.empty(); }
    // Page `index` from 0.
    PrintedPage *at(int index) const { return m_pages[size_t(index)].get(); }
    // Page n from 1; nullptr outside 1..count().
    PrintedPage *page(int n) const;
    PrintedPage *add();
    void clear();
    // Released without freeing page by page: for a process about to end.
    void abandon();

    quint16 styleIndex(const TextStyle &style);
    const TextStyle &style(quint16 index) const { return m_styles[index]; }
    quint16 bordersIndex(const Borders &borders);
    const Borders &borders(quint16 index) const { return m_borders[index]; }

    // Bands: the run starts each occurrence of a section with beginBand, and
    // every record appended to a page afterwards belongs to it.
    void beginBand(quint8 kind, const QString &sectionName);
    const BandMark &currentBand() const { return m_band; }
    // Back to an occurrence begun earlier (one placed after the page footer
    // and header a page break put in between).
    void resumeBand(const BandMark &band) { m_band = band; }
    // Appends the record to the page under the current band.
    PageRecord &append(PrintedPage &page, PageRecord &&record);
    const QString &bandName(quint16 index) const { return m_bandNames[index]; }

    // Whether texts keep the typed values behind them (spreadsheet exports
    // need them; the other outputs do not).
    void setKeepValues(bool keep) { m_keepValues = keep; }
    bool keepsValues() const { return m_keepValues; }

    // The shaped text for `lines` (CR LF between them) in a style: shared
    // with the records that showed the same text in the same style lately.
    // RTL lines lose the spaces that end them, as they are drawn.
    std::shared_ptr<const ShapedText> shapeText(TextMetrics &metrics, quint16 style,
                                                const QString &lines,
                                                const TypedValue *value = nullptr);

    auto begin() const { return m_pages.begin(); }
    auto end() const { return m_pages.end(); }

private:
    std::vector<std::unique_ptr<PrintedPage>> m_pages;
    std::vector<TextStyle> m_styles;
    QHash<TextStyle, quint16> m_styleIndexes;
    std::vector<Borders> m_borders;
    struct RecentText
    {
        quint16 style;
        QString text;
        QString value; // what a typed value is, when the run keeps values
        bool operator==(const RecentText &) const = default;
        friend size_t qHash(const RecentText &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.style, key.text, key.value);
        }
    };
    QHash<RecentText, std::shared_ptr<const ShapedText>> m_recentTexts;
    std::vector<QString> m_bandNames;
    BandMark m_band;
    quint32 m_occurrences = 0;
    bool m_keepValues = false;
};

// Adds a text record to the page: the text (wrapped already, CR LF between
// lines) in the style, at the box. The shaped lines come from `metrics`.
PageRecord &addTextRecord(PrintedPages &pages, PrintedPage &page, TextMetrics &metrics,
                          const TextStyle &style, const QString &lines, float x, float y, float w,
                          float h, int align, quint8 flags = 0,
                          const TypedValue *value = nullptr);
