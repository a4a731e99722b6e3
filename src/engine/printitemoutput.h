#pragma once

#include "engine/printedpage.h"

#include <optional>

class ReportDocument;
class TextItem;
class PictureItem;
class ChartItem;
class ReportSection;

// Laying out the print records of a run: texts measured and shaped with the
// reference metric, pictures loaded, charts drawn.

// The run's measurer for the document's unit.
TextMetrics &runMetrics(int unit);

// Fits a text to a box of width `w` (trimmed on the right, wrapped) and
// returns its height: the wrapped text's height when it may grow, otherwise
// `h`, with whole last lines dropped until the text fits. A number is never
// broken: it stays whole or becomes "#" marks filling the box (fitNumber).
float fitText(TextMetrics &metrics, QString &text, float w, float h, bool canGrow, bool number);

// Lays out `text` in the item's box (its width, height, font and borders)
// at (item.x, y) and adds it to `page` as the run does; returns the height
// it takes. `flags` are PageRecord flags: Number, PageVariables. `value`
// is the typed value behind a number, date or truth value, kept with the
// text when the run keeps values.
float addItemText(ReportDocument &doc, PrintedPage &page, const TextItem &item, QString text, float y,
                  quint8 flags = 0, const TypedValue *value = nullptr);

// The number of lines of a text record, counted no further than `atMost`,
// and the height of its first `lines` lines.
int printTextLineCount(const PageRecord &record, int atMost);
double printTextLinesHeight(ReportDocument &doc, const PageRecord &record, int lines);
// How many whole lines of a text record fit in `height`.
int printTextLinesFitting(ReportDocument &doc, const PageRecord &record, double height);
// Keeps the first `lines` lines in the text record and returns a record
// with the rest, placed right below them; none when nothing is left over.
std::optional<PageRecord> splitPrintText(ReportDocument &doc, PageRecord &record, int lines);

// Loads the picture of a print copy from the current record of `sec` or
// from its file (a relative name beside the report, else in the program's
// folder). A picture that cannot be shown is an entry of the document's
// error list naming `design` (the item the copy was made from), once per
// item and cause.
void loadPrintPicture(PictureItem &printItem, const PictureItem &design, ReportSection *sec);
// Renders the chart of a print copy from its query, references filled from
// `sec`.
void loadPrintChart(ChartItem &printItem, ReportSection *sec);
