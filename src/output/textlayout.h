#pragma once

#include <QString>

class DrawingSurface;

// Line breaking of item texts, shared by the run (measuring how tall a text
// grows) and the drawing of pages, so both agree line for line. Texts use
// CR LF between lines.

// Breaks each paragraph where Unicode allows a line break (after spaces,
// between ideographs, between Thai words) so that its lines are narrower than
// `width`; a word wider than `width` on its own is broken between its
// characters at the edge. Spaces ending a line stay with it, so wrapping the
// result again gives the same lines. A width of 0 or less wraps nothing.
QString wrapToWidth(const DrawingSurface &surface, const QString &text, double width);
// The text without its last word: up to and including its last space, or up
// to its last line break; empty when it has neither.
QString cutLastWord(QString text);
// Wraps to `width` (0: no wrapping). With `measureOnly` sets `height` to the
// wrapped text's height; otherwise, unless `height` is 0, drops words from
// the end until the text fits into `height`, keeping the first line always.
QString wrapText(const DrawingSurface &surface, QString text, double width, double &height, bool measureOnly);
// Wraps the text into the box and prints its lines from (x, y) aligned 0
// left, 1 right, 2 centred; an empty line takes the room of a line, as the
// height measured for the text counts it. A first line taller than the box
// is clipped to it. Returns the height of the wrapped text.
double printTextBlock(DrawingSurface &surface, int align, const QString &text, double x, double y, double width,
                      double height, bool measureOnly);
// Prints lines (CR LF between them) that are wrapped already, aligned in a
// box of `width` as printTextBlock does. Each line is drawn in the direction
// of its first letter that has one (Arabic and Hebrew right to left).
void printLines(DrawingSurface &surface, int align, const QString &lines, double x, double y, double width);

// The text without the spaces that end it: drawing never shows them.
QString withoutTrailingSpaces(QString text);

// A number as it fits a box of `width`: whole, or, when it is wider, "#"
// marks filling the box (at least one), as a spreadsheet shows it. A number
// broken or cut would read as another number.
QString fitNumber(const DrawingSurface &surface, const QString &number, double width);
