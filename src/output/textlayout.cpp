#include "textlayout.h"

#include "drawingsurface.h"

#include "document/xmlformat.h"

#include <QStringList>
#include <QTextBoundaryFinder>

#include <optional>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

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
QString breakWord(const DrawingSurface &surface, const QString &word, double width,
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
void wrapParagraph(const DrawingSurface &surface, const QString &paragraph, double width,
                   QStringList &lines)
{
    auto fits = [&](const QString &text) {
        return surface.TextWidth(withoutTrailingSpaces(text)) < width;
    };
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, paragraph);
    QString line;
    qsizetype start = 0;
    while (start < paragraph.size()) {
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

} // namespace

QString withoutTrailingSpaces(QString text)
{
    chopTrailingSpaces(text);
    return text;
}

QString wrapToWidth(const DrawingSurface &surface, const QString &text, double width)
{
    if (!(width > 0))
        return text;
    QStringList lines;
    for (const QString &paragraph : text.split(kCrLf)) {
        // Trailing spaces do not count: a line this wrap ended keeps the
        // space before the word it moved on, and wrapping that line again
        // must leave it as it is.
        if (surface.TextWidth(withoutTrailingSpaces(paragraph)) <= width)
            lines << paragraph;
        else
            wrapParagraph(surface, paragraph, width, lines);
    }
    return lines.join(kCrLf);
}

QString cutLastWord(QString text)
{
    // A line break ends a word as a space does; without that a text of
    // several lines would lose them all at once.
    qsizetype end = text.size();
    while (end > 0 && (text.at(end - 1) == u' ' || text.at(end - 1) == u'\r' || text.at(end - 1) == u'\n'))
        --end;
    text.truncate(end);
    const qsizetype space = text.lastIndexOf(u' ');
    const qsizetype lineBreak = text.lastIndexOf(kCrLf);
    if (lineBreak > space)
        return text.left(lineBreak);
    return space < 0 ? QString() : text.left(space + 1);
}

QString wrapText(const DrawingSurface &surface, QString text, double width, double &height, bool measureOnly)
{
    chopTrailingSpaces(text);
    if (width != 0)
        text = wrapToWidth(surface, text, width);
    if (measureOnly) {
        height = surface.TextHeight(text);
        return text;
    }
    if (height != 0) {
        // Heights stored as single precision (a grown print item's) must
        // still hold the lines they were measured for.
        // The first line stays even when it is taller than the box: cut to
        // nothing, the text would vanish without a trace; it is drawn
        // clipped to the box instead.
        const double fits = height + qAbs(height) * 1e-5;
        while (text.contains(kCrLf) && surface.TextHeight(text) > fits)
            text = cutLastWord(text);
    }
    return text;
}

double printTextBlock(DrawingSurface &surface, int align, const QString &text, double x, double y, double width,
                      double height, bool measureOnly)
{
    double boxHeight = height;
    QString wrapped = wrapText(surface, normalizeLineBreaks(text), width, boxHeight, measureOnly);
    const double textHeight = surface.TextHeight(wrapped);
    if (measureOnly)
        return textHeight;
    if (height > 0 && textHeight > height + height * 1e-5) {
        surface.beginClip(x, y, width, height);
        printLines(surface, align, wrapped, x, y, width);
        surface.endClip();
    } else {
        printLines(surface, align, wrapped, x, y, width);
    }
    return textHeight;
}

void printLines(DrawingSurface &surface, int align, const QString &lines, double x, double y, double width)
{
    surface.CurrentX = x;
    surface.CurrentY = y;
    // A line of digits or punctuation only goes the way of the one before,
    // as it would inside its paragraph.
    Qt::LayoutDirection direction = Qt::LeftToRight;
    for (const QString &text : lines.split(kCrLf)) {
        // An empty line still takes its room: the height measured for the
        // text counts it.
        if (const auto strong = strongDirection(text))
            direction = *strong;
        // Spaces that end a right-to-left line would stand at its left end,
        // before the first letter: they hang over the edge instead.
        const QString line = direction == Qt::RightToLeft ? withoutTrailingSpaces(text) : text;
        switch (align) {
        case 1:
            surface.CurrentX = x + width - surface.TextWidth(line);
            break;
        case 2:
            surface.CurrentX = x + width / 2 - surface.TextWidth(line) / 2;
            break;
        default:
            surface.CurrentX = x;
            break;
        }
        surface.Print(line, direction);
    }
}

QString fitNumber(const DrawingSurface &surface, const QString &number, double width)
{
    const QString text = withoutTrailingSpaces(number);
    if (!(width > 0) || surface.TextWidth(text) <= width)
        return text;
    const double mark = surface.TextWidth(QStringLiteral("#"));
    const qsizetype count = mark > 0 ? qsizetype(width / mark) : 1;
    return QString(qBound(qsizetype(1), count, qsizetype(1000)), u'#');
}
