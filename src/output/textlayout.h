#pragma once

#include "engine/textwrap.h"

#include <QString>

class DrawingSurface;

// Drawing wrapped texts; the wrapping itself is the engine's (textwrap.h),
// so the run and the drawing agree line for line.

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
