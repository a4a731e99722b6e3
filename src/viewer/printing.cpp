#include "printing.h"

#include "printdialog.h"

#include "document/reportdocument.h"
#include "engine/reportrun.h"
#include "document/userinteraction.h"
#include "output/drawingsurface.h"
#include "output/pageoutput.h"
#include "output/pdfexport.h"
#include "platform/units.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#ifdef MIRT_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Printing", text);
}

QPrinter *g_printer = nullptr;

void releasePrinter()
{
    // Printers must go while the application still exists.
    delete g_printer;
    g_printer = nullptr;
}

QPageLayout::Orientation orientationOf(const ReportDocument &doc)
{
    return doc.pageOrientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// The paper, the orientation and a page without margins: pages are laid out
// from the sheet's corner, as on every other device.
void applyPaper(QPrinter &printer, const ReportDocument &doc)
{
    printer.setFullPage(true);
    printer.setPageSize(documentPageSize(doc)); // a size the printer refuses keeps its own
    printer.setPageOrientation(orientationOf(doc));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool noPrinter()
{
    if (!installedPrinterNames().isEmpty())
        return false;
    UserInteraction::current()->message(
        tr("No printer is installed on this computer, so the report cannot be "
           "printed. It can still be previewed and exported."),
        UserInteraction::Ok, UserInteraction::Exclamation);
    return true;
}

bool printingError(ReportDocument &doc)
{
    doc.run().realPrinting = false;
    UserInteraction::current()->message(tr("Printing error"), UserInteraction::Ok);
    return false;
}

enum class JobEnd
{
    Sent,
    Discarded,
    Failed
};

// Draws the pages on the printer itself (no CUPS, or a printer writing a
// file). The event loop runs before each page.
JobEnd drawOnPrinter(ReportDocument &doc, QPrinter &printer, int first, int last)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return JobEnd::Failed;
    auto discard = [&] {
        printer.abort();
        painter.end();
        return JobEnd::Discarded;
    };
    for (int page = first; page <= last; ++page) {
        if (!doc.run().realPrinting)
            return discard();
        QCoreApplication::processEvents();
        drawPage(doc, painter, page);
        if (page != last && !printer.newPage()) {
            discard();
            return JobEnd::Failed;
        }
    }
    if (!doc.run().realPrinting)
        return discard();
    if (!painter.end())
        return JobEnd::Failed;
    return printer.printerState() == QPrinter::Error ? JobEnd::Failed : JobEnd::Sent;
}

#ifdef MIRT_HAVE_CUPS
// With CUPS the pages are written as a PDF by the same writer as exported
// PDFs (text as text, font subsets embedded) into a spool file that goes to
// the server only when every page is there: a stopped job is then really
// discarded (Qt's CUPS printer cannot abort), and a job the server refuses
// is noticed (Qt does not report it). The event loop runs before each page.
JobEnd sendToServer(ReportDocument &doc, QPrinter &printer, int first, int last)
{
    const QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/mirt-print-XXXXXX"));
    if (!dir.isValid())
        return JobEnd::Failed;
    // A report without a name gives the PDF its file's name as title, so
    // that is the program's name, as the job's.
    const QString spool = dir.filePath(
        (doc.docName.isEmpty() ? QCoreApplication::applicationName() : QStringLiteral("print")) +
        QStringLiteral(".pdf"));
    PdfOptions pdf;
    pdf.tagged = false; // a printer has no use for the structure
    pdf.beforePage = [&doc](int) {
        QCoreApplication::processEvents();
        return doc.run().realPrinting;
    };
    QString error;
    const bool written = exportPdf(doc, spool, first, last, &error, pdf);
    if (!doc.run().realPrinting)
        return JobEnd::Discarded;
    if (!written) {
        qWarning("Printing: %s", qPrintable(error));
        return JobEnd::Failed;
    }

    // The options Qt's own CUPS printer gives: sheet, copies, collation,
    // orientation.
    const QPageLayout layout = printer.pageLayout();
    QList<QPair<QByteArray, QByteArray>> options;
    options.emplace_back("media", layout.pageSize().key().toLocal8Bit());
    if (printer.copyCount() > 1) {
        options.emplace_back("copies", QByteArray::number(printer.copyCount()));
        if (printer.collateCopies())
            options.emplace_back("Collate", "True");
    }
    if (layout.orientation() == QPageLayout::Landscape)
        options.emplace_back("landscape", "");
    QList<cups_option_t> cupsOptions;
    for (auto &option : options)
        cupsOptions.append(cups_option_t{option.first.data(), option.second.data()});
    // A printer instance ("name/instance") prints on its queue.
    const QByteArray queue = printer.printerName().section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const int jobId = cupsPrintFile(queue.constData(), QFile::encodeName(spool).constData(),
                                    printer.docName().toLocal8Bit().constData(),
                                    int(cupsOptions.size()), cupsOptions.data());
    if (jobId == 0) {
        qWarning("Printing on %s failed: %s", queue.constData(), cupsLastErrorString());
        return JobEnd::Failed;
    }
    return JobEnd::Sent;
}
#endif

} // namespace

QPrinter &currentPrinter()
{
    if (!g_printer) {
        g_printer = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine(releasePrinter);
    }
    return *g_printer;
}

QStringList installedPrinterNames()
{
    return QPrinterInfo::availablePrinterNames();
}

void fillPrinterList(QComboBox *combo)
{
    combo->clear();
    combo->addItems(installedPrinterNames());
}

void fillPaperList(QComboBox *combo)
{
    combo->clear();
    for (const PaperEntry &entry : paperTable())
        combo->addItem(entry.text, entry.code);
}

QString selectPrinterByName(const QString &name)
{
    const QStringList printers = installedPrinterNames();
    for (const QString &printer : printers) {
        if (printer.compare(name, Qt::CaseInsensitive) == 0) {
            currentPrinter().setPrinterName(printer);
            return name;
        }
    }
    return currentPrinter().printerName();
}

void selectComboText(QComboBox *combo, const QString &text)
{
    if (combo->count() == 0)
        return;
    combo->setCurrentIndex(-1);
    // Fixed-string matching ignores case.
    combo->setCurrentIndex(combo->findText(text, Qt::MatchFixedString));
}

bool IsPrinter(const QPaintDevice *device)
{
    const auto *printer = dynamic_cast<const QPrinter *>(device);
    return printer && printer->outputFormat() == QPrinter::NativeFormat &&
           !printer->printerName().isEmpty();
}

bool IsPrinter(const DrawingSurface *surface)
{
    return surface && surface->painter() && IsPrinter(surface->painter()->device());
}

namespace {

// Says that the report's printer is missing and which one is used instead;
// with no printer at all there is none to name.
void tellPrinterMissing(const QString &name, const QString &used)
{
    QString text = tr("This report was defined for '") + name + tr("'.");
    if (used.isEmpty())
        text += tr(" This printer was not found, and no other printer is installed.");
    else
        text += tr(" This printer was not found. Instead the '") + used + tr("' is selected");
    UserInteraction::current()->message(text, UserInteraction::Ok);
}

} // namespace

void SelectPrinter(ReportDocument &doc)
{
    QPrinter &printer = currentPrinter();
    const QString name = doc.DocPrinterName.isEmpty() ? printer.printerName() : doc.DocPrinterName;
    if (printer.printerName() != name) {
        if (installedPrinterNames().contains(name))
            printer.setPrinterName(name);
        else
            tellPrinterMissing(name, printer.printerName());
    }
    if (doc.paperType == 0)
        doc.paperType = kPaperDefault;
    applyPaper(printer, doc);
    if (doc.paperType != kPaperUserDefined) {
        // The sheet the printer took, portrait, as the report's page size.
        const QSizeF mm = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
        doc.pageWidth = float(convertUnit(mm.width(), Unit::Millimetres, doc.unit()));
        doc.pageHeight = float(convertUnit(mm.height(), Unit::Millimetres, doc.unit()));
    }
}

bool RealPrint(ReportDocument &doc, bool showDialog, QWidget *parent)
{
    if (doc.run().realPrinting)
        return false; // a job is being sent already; the printer is busy with it
    if (noPrinter())
        return false;
    QPrinter &printer = currentPrinter();
    // Without a dialog nobody sees where the pages go: a missing printer is
    // told, with the one used instead.
    if (!doc.DocPrinterName.isEmpty() &&
        selectPrinterByName(doc.DocPrinterName) != doc.DocPrinterName && !showDialog)
        tellPrinterMissing(doc.DocPrinterName, printer.printerName());
    applyPaper(printer, doc);

    int first = 1;
    int last = doc.pageCount();
    if (showDialog) {
        PrintDialog dialog(doc, parent);
        dialog.exec();
        first = dialog.fromPage();
        last = dialog.toPage();
        // The dialog may have chosen another printer: it takes the report's
        // paper too.
        applyPaper(printer, doc);
    }
    if (last == 0)
        return true;

    doc.run().realPrinting = true;
    // A copies count of 0 would print nothing; it means one copy.
    printer.setCopyCount(qMax(1, int(doc.copies)));
    printer.setCollateCopies(true);
    printer.setDocName(doc.docName.isEmpty() ? QCoreApplication::applicationName() : doc.docName);
    first = qMax(first, 1);
    last = qMin(last, int(doc.pageCount()));
    if (first > last) {
        // Nothing in the range: no job, rather than a blank sheet.
        doc.run().realPrinting = false;
        return true;
    }
    JobEnd end = JobEnd::Failed;
#ifdef MIRT_HAVE_CUPS
    if (printer.outputFormat() == QPrinter::NativeFormat)
        end = sendToServer(doc, printer, first, last);
    else
#endif
        end = drawOnPrinter(doc, printer, first, last);
    if (end == JobEnd::Failed)
        return printingError(doc);
    doc.run().realPrinting = false;
    return true;
}
