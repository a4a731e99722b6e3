#include "textlayout.h"

#include "drawingsurface.h"

#include "document/xmlformat.h"

#include <QStringList>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

double printTextBlock(DrawingSurface &surface, int align, const QString &text, double x, double y, double width,
                      double height, bool measureOnly)
{
    double boxHeight = height;
    // A box of fixed height shows the start of a huge text only: its line
    // breaks are made uniform for that start alone.
    const QString shown = !measureOnly && height != 0 ? shownStart(surface, text, width, height) : text;
    QString wrapped = wrapText(surface, normalizeLineBreaks(shown), width, boxHeight, measureOnly);
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
