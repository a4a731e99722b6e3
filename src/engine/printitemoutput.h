#pragma once

#include <memory>

class TalvoDocument;
class Item;
class iPic;
class iGraph;
class section;

// What print items take from the output side while a run creates them.

// Fits the print item's content to its width on the run's surface (trimmed
// on the right, wrapped) and returns its height: the wrapped text's height
// when it may grow, otherwise the design height, with whole last lines
// dropped until the text fits. A number is never broken: it stays whole or
// becomes "#" marks filling the box (fitNumber).
float fitPrintText(TalvoDocument &doc, Item &printItem);

// The number of laid-out lines of a text print item, counted no further
// than `atMost`, and the height of its first `lines` lines.
int printTextLineCount(const Item &printItem, int atMost);
double printTextLinesHeight(TalvoDocument &doc, Item &printItem, int lines);
// How many whole lines of a laid-out text print item fit in `height`.
int printTextLinesFitting(TalvoDocument &doc, Item &printItem, double height);
// Keeps the first `lines` lines in the print item and returns a print item
// with the rest, placed right below them; null when nothing is left over.
std::unique_ptr<Item> splitPrintText(TalvoDocument &doc, Item &printItem, int lines);

// Loads the picture of a print copy from the current record of `sec` or
// from its file (a relative name beside the report, else in the program's
// folder). A picture that cannot be shown is an entry of the document's
// error list naming `design` (the item the copy was made from), once per
// item and cause.
void loadPrintPicture(iPic &printItem, const iPic &design, section *sec);
// Renders the chart of a print copy from its query, references filled from
// `sec`.
void loadPrintChart(iGraph &printItem, section *sec);
