#pragma once

#include "engine/textmetrics.h"

#include <QString>

#include <optional>

// Line breaking of item texts, shared by the run (measuring how tall a text
// grows) and the drawing of pages, so both agree line for line. Texts use
// CR LF between lines.

// Breaks each paragraph where Unicode allows a line break (after spaces,
// between ideographs, between Thai words) so that its lines are narrower than
// `width`; a word wider than `width` on its own is broken between its
// characters at the edge. Spaces ending a line stay with it, so wrapping the
// result again gives the same lines. A width of 0 or less wraps nothing.
QString wrapToWidth(const TextMetrics &surface, const QString &text, double width);
// Wraps to `width` (0: no wrapping). With `measureOnly` sets `height` to the
// wrapped text's height; otherwise, unless `height` is 0, drops words from
// the end until the text fits into `height`, keeping the first line always.
QString wrapText(const TextMetrics &surface, QString text, double width, double &height, bool measureOnly);
// The start of a text that decides what a box of `width` and `height`
// shows of it (the whole text when the box takes any number of lines): a
// box of fixed height shows the start of a huge text only.
QString shownStart(const TextMetrics &surface, const QString &text, double width, double height);

// The text without the spaces that end it: drawing never shows them.
QString withoutTrailingSpaces(QString text);

// A number as it fits a box of `width`: whole, or, when it is wider, "#"
// marks filling the box (at least one), as a spreadsheet shows it. A number
// broken or cut would read as another number.
QString fitNumber(const TextMetrics &surface, const QString &number, double width);

// The direction of the first letter with one, outside isolates; none for a
// text of digits, spaces and punctuation only.
std::optional<Qt::LayoutDirection> strongDirection(const QString &text);
