#pragma once

class QWidget;
class TalvoDocument;

// Prints the stored pages of the last run on the report's printer, with the
// print dialog when showDialog is set. False when nothing was printed.
bool RealPrint(TalvoDocument &doc, bool showDialog, QWidget *parent = nullptr);
