#include "textlayout.h"

#include "drawingsurface.h"

#include "document/xmlformat.h"

#include <QStringList>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

void chopTrailingSpaces(QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    text.truncate(end);
}

} // namespace

QString wrapToWidth(const DrawingSurface &surface, const QString &text, double width)
{
    QString result;
    auto append = [&result](const QString &line) {
        if (!result.isEmpty())
            result += kCrLf;
        result += line;
    };
    for (const QString &paragraph : text.split(kCrLf)) {
        // Trailing spaces do not count: a line this wrap ended keeps the
        // space before the word it moved on, and wrapping that line again
        // must leave it as it is.
        QString visible = paragraph;
        chopTrailingSpaces(visible);
        if (surface.TextWidth(visible) <= width) {
            append(paragraph);
            continue;
        }
        QString line;
        for (const QString &word : paragraph.split(u' ')) {
            if (!line.isEmpty())
                line += u' ';
            if (surface.TextWidth(line + word) < width) {
                line += word;
            } else {
                // The first word of a paragraph that is too wide on its own
                // leaves an empty line before it (unless it is the first).
                append(line);
                line = word;
            }
        }
        append(line);
    }
    return result;
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
        const double fits = height + qAbs(height) * 1e-5;
        while (!text.isEmpty() && surface.TextHeight(text) > fits)
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
    printLines(surface, align, wrapped, x, y, width);
    return textHeight;
}

void printLines(DrawingSurface &surface, int align, const QString &lines, double x, double y, double width)
{
    surface.CurrentX = x;
    surface.CurrentY = y;
    for (const QString &line : lines.split(kCrLf)) {
        if (line.isEmpty())
            continue;
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
        surface.Print(line);
    }
}
