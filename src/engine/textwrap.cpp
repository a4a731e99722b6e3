#include "textwrap.h"

#include "document/xmlformat.h"

#include <QStringList>
#include <QTextBoundaryFinder>

#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// No character that takes room on a line is narrower than this share of
// the line height (the narrowest glyphs of text fonts, "i" or a thin space,
// are a sixth of it and more): it bounds how many characters one line can
// hold, so the part of a huge text that a box cannot show is never measured.
constexpr double kNarrowestShare = 1.0 / 64;

constexpr qsizetype kUnlimited = std::numeric_limits<qsizetype>::max();

// Marks and format characters join the character before them and take no
// room of their own.
bool takesRoom(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
        return false;
    default:
        return true;
    }
}

// How many characters a line narrower than `width` can hold at most (the
// spaces hanging over its end aside); unlimited for no width.
qsizetype lineRoom(const TextMetrics &surface, double width)
{
    const double narrowest = surface.TextHeight(QString()) * kNarrowestShare;
    if (!(width > 0) || !(narrowest > 0) || width / narrowest > 1e9)
        return kUnlimited;
    return qsizetype(std::ceil(width / narrowest)) + 1;
}

// Whether the text surely holds more than `room` characters that take room,
// counted no further than that.
bool exceedsRoom(QStringView text, qsizetype room)
{
    if (room == kUnlimited || text.size() <= room)
        return false;
    qsizetype used = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (takesRoom(c) && ++used > room)
            return true;
    }
    return false;
}

// The length of the start of `text` that decides its first `lines` lines
// when wrapped to a width holding `room` characters; lines end at CR LF, CR
// or LF. A line holds at most `room` characters that take room plus the
// spaces hanging over its end (a run longer than a line ends one whatever
// its length, so it counts as one line's worth), and wrapping looks one word
// past a line, which can matter only while that word is shorter than a line.
qsizetype decidingLength(QStringView text, qsizetype lines, qsizetype room)
{
    if (lines <= 0)
        return 0;
    const bool wraps = room != kUnlimited;
    const qsizetype perLine = wraps ? 2 * room + 2 : 0;
    const qsizetype budget = !wraps || lines > (kUnlimited / 4 - room) / perLine
                                 ? kUnlimited
                                 : lines * perLine + room + 16;
    qsizetype used = 0;
    qsizetype spaces = 0;
    qsizetype paragraphs = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u == u'\n' || (u == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'))) {
            // The line break of the last line shown ends what is kept.
            if (++paragraphs >= lines)
                return u == u'\n' && i > 0 && text[i - 1] == u'\r' ? i - 1 : i;
            spaces = 0;
            continue;
        }
        if (u == u'\r')
            continue;
        if (u == u' ') {
            // room may be unlimited: compare before counting, never room + 1.
            if (spaces++ <= room)
                ++used;
        } else {
            spaces = 0;
            char32_t c = u;
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(text[i], text[i + 1]);
                ++i;
            }
            if (takesRoom(c))
                ++used;
        }
        if (used > budget)
            return i + 1;
    }
    return text.size();
}

void chopTrailingSpaces(QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    text.truncate(end);
}

// Breaks a word that is wider than the box on its own between its
// characters (grapheme clusters), each piece as long as still fits; at least
// one character per line, so a box narrower than a letter still makes
// progress. The pieces go to `lines`; the rest, with the word's trailing
// spaces, is returned to start the next line.
QString breakWord(const TextMetrics &surface, const QString &word, double width,
                  QStringList &lines)
{
    const QString visible = withoutTrailingSpaces(word);
    const QString trailing = word.mid(visible.size());
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, visible);
    qsizetype start = 0;
    while (true) {
        graphemes.setPosition(start);
        qsizetype end = graphemes.toNextBoundary();
        if (end < 0 || end >= visible.size())
            return visible.mid(start) + trailing;
        for (qsizetype next = graphemes.toNextBoundary(); next > end;
             next = graphemes.toNextBoundary()) {
            if (!(surface.TextWidth(visible.mid(start, next - start)) < width))
                break;
            end = next;
        }
        if (end >= visible.size())
            return visible.mid(start) + trailing;
        lines << visible.mid(start, end - start);
        start = end;
    }
}

// One paragraph (no line breaks) into lines narrower than `width`, broken
// where Unicode allows a line break: after spaces, between ideographs, in
// Thai between words. Spaces at the end of a line hang over the edge and
// stay with the line.
void wrapParagraph(const TextMetrics &surface, const QString &paragraph, double width,
                   qsizetype room, QStringList &lines, qsizetype maxLines)
{
    auto fits = [&](const QString &text) {
        const QString visible = withoutTrailingSpaces(text);
        return !exceedsRoom(visible, room) && surface.TextWidth(visible) < width;
    };
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, paragraph);
    QString line;
    qsizetype start = 0;
    while (start < paragraph.size() && lines.size() < maxLines) {
        breaks.setPosition(start);
        qsizetype end = breaks.toNextBoundary();
        if (end <= start)
            end = paragraph.size();
        const QString segment = paragraph.mid(start, end - start);
        start = end;
        if (fits(line + segment)) {
            line += segment;
            continue;
        }
        if (!line.isEmpty()) {
            lines << line;
            line.clear();
            if (fits(segment)) {
                line = segment;
                continue;
            }
        }
        line = breakWord(surface, segment, width, lines);
    }
    lines << line;
}

} // namespace

// The direction of the first letter with one, outside isolates; none for a
// text of digits, spaces and punctuation only.
std::optional<Qt::LayoutDirection> strongDirection(const QString &text)
{
    int isolates = 0;
    for (const uint c : QStringView(text).toUcs4()) {
        switch (QChar::direction(char32_t(c))) {
        case QChar::DirLRI:
        case QChar::DirRLI:
        case QChar::DirFSI:
            ++isolates;
            break;
        case QChar::DirPDI:
            if (isolates > 0)
                --isolates;
            break;
        case QChar::DirL:
            if (isolates == 0)
                return Qt::LeftToRight;
            break;
        case QChar::DirR:
        case QChar::DirAL:
            if (isolates == 0)
                return Qt::RightToLeft;
            break;
        default:
            break;
        }
    }
    return std::nullopt;
}


QString withoutTrailingSpaces(QString text)
{
    chopTrailingSpaces(text);
    return text;
}

namespace {

// The first `maxLines` lines of the text wrapped to `width` (all of them
// when unlimited).
QStringList wrapLines(const TextMetrics &surface, const QString &text, double width,
                      qsizetype maxLines)
{
    QStringList lines;
    if (!(width > 0)) {
        lines = text.split(kCrLf);
        if (lines.size() > maxLines)
            lines.resize(maxLines);
        return lines;
    }
    const qsizetype room = lineRoom(surface, width);
    for (const QString &paragraph : text.split(kCrLf)) {
        if (lines.size() >= maxLines)
            break;
        // Trailing spaces do not count: a line this wrap ended keeps the
        // space before the word it moved on, and wrapping that line again
        // must leave it as it is.
        const QString visible = withoutTrailingSpaces(paragraph);
        if (!exceedsRoom(visible, room) && surface.TextWidth(visible) <= width)
            lines << paragraph;
        else
            wrapParagraph(surface, paragraph, width, room, lines, maxLines);
    }
    if (lines.size() > maxLines)
        lines.resize(maxLines);
    return lines;
}

// How many lines fit into `height`; unlimited when any number does.
qsizetype linesFitting(const TextMetrics &surface, double height)
{
    // Heights stored as single precision (a grown text's) must still
    // hold the lines they were measured for.
    const double fits = height + qAbs(height) * 1e-5;
    const double lineHeight = surface.TextHeight(QString());
    if (!(lineHeight > 0) || fits / lineHeight > 1e9)
        return kUnlimited;
    // The first line stays even when it is taller than the box: cut to
    // nothing, the text would vanish without a trace; it is drawn clipped to
    // the box instead.
    if (!(fits >= lineHeight))
        return height > 0 ? 1 : 0;
    qsizetype lines = qsizetype(fits / lineHeight);
    while (lines > 0 && double(lines) * lineHeight > fits)
        --lines;
    while (double(lines + 1) * lineHeight <= fits)
        ++lines;
    return lines;
}

} // namespace

QString wrapToWidth(const TextMetrics &surface, const QString &text, double width)
{
    if (!(width > 0))
        return text;
    return wrapLines(surface, text, width, kUnlimited).join(kCrLf);
}

QString wrapText(const TextMetrics &surface, QString text, double width, double &height, bool measureOnly)
{
    chopTrailingSpaces(text);
    if (!measureOnly && height != 0) {
        // Only the lines that fit are wrapped, and only the start of the
        // text that decides them is looked at.
        const qsizetype lines = linesFitting(surface, height);
        if (lines != kUnlimited) {
            text.truncate(decidingLength(text, lines, lineRoom(surface, width)));
            return wrapLines(surface, text, width, lines).join(kCrLf);
        }
    }
    if (width != 0)
        text = wrapToWidth(surface, text, width);
    if (measureOnly)
        height = surface.TextHeight(text);
    return text;
}

QString shownStart(const TextMetrics &surface, const QString &text, double width, double height)
{
    const qsizetype lines = linesFitting(surface, height);
    if (lines == kUnlimited)
        return text;
    return text.left(decidingLength(text, lines, lineRoom(surface, width)));
}

QString fitNumber(const TextMetrics &surface, const QString &number, double width)
{
    const QString text = withoutTrailingSpaces(number);
    if (!(width > 0) || surface.TextWidth(text) <= width)
        return text;
    const double mark = surface.TextWidth(QStringLiteral("#"));
    const qsizetype count = mark > 0 ? qsizetype(width / mark) : 1;
    return QString(qBound(qsizetype(1), count, qsizetype(1000)), u'#');
}
