#pragma once

class TalvoDocument;
class Item;
class iPic;
class iGraph;
class section;

// What print items take from the output side while a run creates them.

// Fits the print item's content to its width on the run's surface (trimmed
// on the right, wrapped) and returns its height: the wrapped text's height
// when it may grow, otherwise the design height, with whole last lines
// dropped until the text fits.
float fitPrintText(TalvoDocument &doc, Item &printItem);

// Loads the picture of a print copy from the current record of `sec` or
// from its file.
void loadPrintPicture(iPic &printItem, section *sec);
// Renders the chart of a print copy from its query, references filled from
// `sec`.
void loadPrintChart(iGraph &printItem, section *sec);
