#pragma once

// The report's printer, paper and print job on the system's printers (Qt
// Print Support: CUPS on Linux). The program has one current printer, as
// the system's print set-up has: the default printer until a report or the
// print dialog chooses another.

#include "document/paper.h"

#include <QString>
#include <QStringList>

class DrawingSurface;
class QComboBox;
class QPaintDevice;
class QPrinter;
class QWidget;
class ReportDocument;

// The current printer (created on first use, on the default printer).
QPrinter &currentPrinter();
// The names of the installed printers, in the system's order.
QStringList installedPrinterNames();

// Clears the combo box and lists every installed printer.
void fillPrinterList(QComboBox *combo);
// Clears the combo box and lists the paper table, each entry's paper code as
// its item data.
void fillPaperList(QComboBox *combo);
// Makes the first installed printer called `name` (in any case) current and
// returns `name`; with no such printer the current one stays and its name is
// returned.
QString selectPrinterByName(const QString &name);
// Selects the first entry whose text is `text` (in any case); with no match
// nothing stays selected.
void selectComboText(QComboBox *combo, const QString &text);

// True when the device (or the surface's device) is a printer with a name,
// false for pictures, files and widgets.
bool IsPrinter(const QPaintDevice *device);
bool IsPrinter(const DrawingSurface *surface);

// Binds the document to the current printer: its printer (a message when it
// is not installed), its paper (0 becomes A4; a size the printer refuses
// leaves the printer's), the page size read back from the printer unless the
// size is the report's own, and the orientation.
void SelectPrinter(ReportDocument &doc);

// Prints the document's stored pages on its printer with its paper,
// orientation and copies; with `showDialog` the print dialog chooses the
// printer, copies and pages first. Pages are drawn like PDF and PNG pages;
// with CUPS the job is a PDF from the same writer as exported PDFs.
// The event loop runs before each page; clearing doc.realPrinting meanwhile
// discards the job. Returns false after "Printing error" or when no printer
// is installed (both told through UserInteraction), true when the pages
// were sent or the user cancelled.
bool RealPrint(ReportDocument &doc, bool showDialog, QWidget *parent = nullptr);

