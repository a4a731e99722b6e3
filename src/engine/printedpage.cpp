#include "printedpage.h"

#include "engine/textwrap.h"

#include <QHashFunctions>
#include <QStringList>

#include <algorithm>

namespace {

// Enough to catch a report's repeated labels and values; a run of unique
// values starts it afresh.
constexpr qsizetype kRecentTextsKept = 4096;

std::vector<qsizetype> lineStartsOf(const QString &lines)
{
    std::vector<qsizetype> starts;
    for (qsizetype at = lines.indexOf(QLatin1String("\r\n")); at >= 0;
         at = lines.indexOf(QLatin1String("\r\n"), at + 2))
        starts.push_back(at + 2);
    return starts;
}

} // namespace

QString ShapedText::linesText(int first, int count) const
{
    if (count <= 0 || first < 0 || first >= lineCount())
        return QString();
    const qsizetype start = lineStart(first);
    const int end = first + count;
    // Up to the CR LF ending the last line shown.
    const qsizetype stop = end < lineCount() ? lineStart(end) - 2 : text.size();
    return text.mid(start, stop - start);
}

QString PageRecord::textLines() const
{
    const ShapedText *shaped = text();
    return shaped ? shaped->linesText(int(firstLine), int(lineCount)) : QString();
}

const BandMark *PrintedPage::bandOf(int index) const
{
    // Marks are few and in record order.
    const auto after = std::upper_bound(
        bands.begin(), bands.end(), quint32(index),
        [](quint32 at, const BandMark &mark) { return at < mark.firstRecord; });
    return after == bands.begin() ? nullptr : &*(after - 1);
}

void PrintedPage::trimBands()
{
    while (!bands.empty() && bands.back().firstRecord >= records.size())
        bands.pop_back();
}

void TextStyle::applyTo(TextMetrics &metrics) const
{
    metrics.setFontName(fontName);
    metrics.setFontSize(size);
    metrics.setFontBold(bold);
    metrics.setFontItalic(italic);
    metrics.setFontUnderline(underline);
    metrics.setFontStrikethru(strikeOut);
}

size_t qHash(const TextStyle &style, size_t seed)
{
    return qHashMulti(seed, style.fontName, style.size, style.bold, style.italic, style.underline,
                      style.strikeOut, style.color);
}

PrintedPage *PrintedPages::page(int n) const
{
    if (n < 1 || n > count())
        return nullptr;
    return m_pages[size_t(n - 1)].get();
}

PrintedPage *PrintedPages::add()
{
    m_pages.push_back(std::make_unique<PrintedPage>());
    return m_pages.back().get();
}

void PrintedPages::clear()
{
    m_pages.clear();
    m_styles.clear();
    m_styleIndexes.clear();
    m_borders.clear();
    m_recentTexts.clear();
    m_bandNames.clear();
    m_band = BandMark();
    m_occurrences = 0;
}

void PrintedPages::abandon()
{
    // The operating system takes the memory back at once when the process
    // ends; freeing a long report record by record only costs time.
    for (auto &page : m_pages)
        (void)page.release();
    m_pages.clear();
    m_recentTexts.clear();
}

quint16 PrintedPages::styleIndex(const TextStyle &style)
{
    const auto known = m_styleIndexes.constFind(style);
    if (known != m_styleIndexes.constEnd())
        return *known;
    // A report has a few dozen styles; past the numbering's end the last
    // style is reused rather than wrapping onto the first.
    if (m_styles.size() >= 0xFFFF)
        return quint16(m_styles.size() - 1);
    const auto index = quint16(m_styles.size());
    m_styles.push_back(style);
    m_styleIndexes.insert(style, index);
    return index;
}

quint16 PrintedPages::bordersIndex(const Borders &borders)
{
    for (size_t i = 0; i < m_borders.size(); ++i) {
        const Borders &b = m_borders[i];
        if (b.left.Equal(borders.left) && b.right.Equal(borders.right) && b.top.Equal(borders.top)
            && b.bottom.Equal(borders.bottom))
            return quint16(i);
    }
    if (m_borders.size() >= 0xFFFF)
        return quint16(m_borders.size() - 1);
    m_borders.push_back(borders);
    return quint16(m_borders.size() - 1);
}

void PrintedPages::beginBand(quint8 kind, const QString &sectionName)
{
    quint16 name = 0;
    const auto known = std::find(m_bandNames.begin(), m_bandNames.end(), sectionName);
    if (known != m_bandNames.end()) {
        name = quint16(known - m_bandNames.begin());
    } else if (m_bandNames.size() < 0xFFFF) {
        name = quint16(m_bandNames.size());
        m_bandNames.push_back(sectionName);
    }
    m_band = BandMark{0, ++m_occurrences, name, kind, 0};
}

PageRecord &PrintedPages::append(PrintedPage &page, PageRecord &&record)
{
    if (m_band.occurrence != 0
        && (page.bands.empty() || page.bands.back().occurrence != m_band.occurrence)) {
        BandMark mark = m_band;
        mark.firstRecord = quint32(page.records.size());
        page.bands.push_back(mark);
    }
    page.records.push_back(std::move(record));
    return page.records.back();
}

std::shared_ptr<const ShapedText> PrintedPages::shapeText(TextMetrics &metrics, quint16 style,
                                                          const QString &lines,
                                                          const TypedValue *value)
{
    RecentText key{style, lines, QString()};
    if (value) {
        // The same text may stand for different values ("1" the number, "1"
        // the text of a date format): each keeps its own.
        key.value = QString::number(value->value.typeId()) + QLatin1Char('\x1f') +
                    value->value.toString() + QLatin1Char('\x1f') + value->format;
    }
    const auto known = m_recentTexts.constFind(key);
    if (known != m_recentTexts.constEnd())
        return *known;
    auto shaped = std::make_shared<ShapedText>();
    shaped->text = lines;
    shaped->lineStarts = lineStartsOf(lines);
    // A line of digits or punctuation only goes the way of the one before,
    // as it would inside its paragraph.
    Qt::LayoutDirection direction = Qt::LeftToRight;
    // Most texts have one line.
    const QStringList parts = shaped->lineStarts.empty() ? QStringList{lines}
                                                          : lines.split(QLatin1String("\r\n"));
    shaped->lines.reserve(parts.size());
    for (const QString &part : parts) {
        if (const auto strong = strongDirection(part))
            direction = *strong;
        // Spaces that end a right-to-left line would stand at its left end,
        // before the first letter: they hang over the edge instead.
        shaped->lines.push_back(metrics.shape(
            direction == Qt::RightToLeft ? withoutTrailingSpaces(part) : part, direction));
    }
    if (value)
        shaped->value = std::make_shared<const TypedValue>(*value);
    if (m_recentTexts.size() >= kRecentTextsKept)
        m_recentTexts.clear();
    m_recentTexts.insert(key, shaped);
    return shaped;
}

PageRecord &addTextRecord(PrintedPages &pages, PrintedPage &page, TextMetrics &metrics,
                          const TextStyle &style, const QString &lines, float x, float y, float w,
                          float h, int align, quint8 flags, const TypedValue *value)
{
    PageRecord record;
    record.kind = PageRecord::Text;
    record.style = pages.styleIndex(style);
    record.align = quint8(align);
    record.flags = flags;
    record.x = x;
    record.y = y;
    record.w = w;
    record.h = h;
    style.applyTo(metrics);
    if (flags & PageRecord::PageVariables) {
        // Laid out when drawn, once the page numbers are known.
        auto plain = std::make_shared<ShapedText>();
        plain->text = lines;
        plain->lineStarts = lineStartsOf(lines);
        record.content = std::move(plain);
    } else {
        record.content = pages.shapeText(metrics, record.style, lines, value);
        // A first line taller than the box was kept: it shows clipped.
        if (metrics.TextHeight(lines) > h + qAbs(h) * 1e-5)
            record.flags |= PageRecord::Clipped;
    }
    record.lineCount = quint32(record.text()->lineCount());
    return pages.append(page, std::move(record));
}
