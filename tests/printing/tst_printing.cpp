// Printing on the private CUPS server of scripts/run-tests.sh (CUPS_SERVER,
// MIRT_CUPS_PRINTER, MIRT_CUPS_OUTPUT), whose printer writes each job as a PDF
// read back with poppler. Also paper sizes, the print dialog and a machine
// without printers (a child pointed at a print server that is not there).
#include "../datafixtures.h"
#include "../dialogtesting.h"
#include "document/paper.h"
#include "document/reportdocument.h"
#include "document/reportsection.h"
#include "document/textitem.h"
#include "document/userinteraction.h"
#include "engine/reportrun.h"
#include "platform/appinfo.h"
#include "viewer/printdialog.h"
#include "viewer/printing.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>

namespace {

// Rows(ID, Name) with IDs 1..rows.
QString fixtureDb(int rows)
{
    const QString path = scratchPath(QStringLiteral("print%1.db").arg(rows));
    if (QFile::exists(path))
        return path;
    return makeSqliteFile(path,
                          {QStringLiteral("CREATE TABLE Rows (ID INTEGER, Name TEXT)"),
                           QStringLiteral("INSERT INTO Rows WITH RECURSIVE n(i) AS (SELECT 1 "
                                          "UNION ALL SELECT i + 1 FROM n WHERE i < %1) SELECT i, "
                                          "'Row ' || i FROM n")
                               .arg(rows)});
}

TextItem *textItem(ReportSection *sec, const QString &content)
{
    TextItem *item = sec->newTextItem();
    item->content = content;
    item->x = 1;
    item->w = 8;
    item->h = 0.8f;
    return item;
}

// `rows` rows, each page headed "Sheet N"; 20 rows a page (A4 portrait, cm).
std::unique_ptr<ReportDocument> listReport(int rows, bool run = true)
{
    auto doc = std::make_unique<ReportDocument>();
    doc->docName = QStringLiteral("Printing test");
    doc->connectionStringData = sqlite(fixtureDb(rows));
    doc->pageWidth = 21;
    doc->pageHeight = 29.7f;
    doc->topMargin = 1;
    doc->bottomMargin = 1;
    doc->setPageHeader(true);
    ReportSection *header = doc->sections.value(QStringLiteral("ph"));
    header->Height = 1;
    textItem(header, QStringLiteral("Sheet %page%"));
    ReportSection *root = doc->sections.value(QStringLiteral("d1"));
    root->sectionName = QStringLiteral("S1");
    root->Height = 1.3f;
    root->SQL = QStringLiteral("SELECT ID, Name FROM Rows ORDER BY ID");
    textItem(root, QStringLiteral("[Name]"));
    doc->orderSections();
    if (run) {
        if (doc->openDataConnection() != 0)
            qWarning() << doc->connectionError();
        doc->initPrint();
    }
    return doc;
}

bool havePoppler()
{
    return !QStandardPaths::findExecutable("pdfinfo").isEmpty() &&
           !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

// The test printer of the private server; empty when there is none.
QString testPrinter()
{
    const QString name = qEnvironmentVariable("MIRT_CUPS_PRINTER");
    if (name.isEmpty() || qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        return QString();
    return installedPrinterNames().contains(name) ? name : QString();
}

int completedJobs()
{
    const QString out = programOutput("lpstat", {"-W", "completed", "-o", testPrinter()});
    return int(out.split(u'\n', Qt::SkipEmptyParts).size());
}

bool jobsPending()
{
    return !programOutput("lpstat", {"-o", testPrinter()}).trimmed().isEmpty();
}

// Waits until the server has finished every job (filters are slow on a busy machine).
bool waitForJobs(int completedBefore, int expectedNew)
{
    for (int i = 0; i < 1200; ++i) {
        if (!jobsPending() && completedJobs() >= completedBefore + expectedNew)
            return true;
        QTest::qWait(100);
    }
    return false;
}

struct PrintedPdf
{
    int pages = 0;
    QSizeF points;        // the first sheet as seen (rotation applied)
    QStringList headings; // "Sheet N" of every page, in order
    QString info;         // pdfinfo's
    QString text;
};

PrintedPdf readPrinted(const QString &file)
{
    PrintedPdf pdf;
    pdf.info = programOutput("pdfinfo", {file});
    auto field = [&](const char *pattern) { return QRegularExpression(pattern).match(pdf.info); };
    pdf.pages = field("Pages:\\s+(\\d+)").captured(1).toInt();
    const QRegularExpressionMatch size = field("Page size:\\s+([\\d.]+) x ([\\d.]+) pts");
    pdf.points = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    if (field("Page rot:\\s+(90|270)").hasMatch())
        pdf.points.transpose();
    pdf.text = programOutput("pdftotext", {"-layout", file, "-"});
    const QStringList pages = pdf.text.split(u'\f');
    for (int i = 0; i < pdf.pages && i < pages.size(); ++i) {
        const QRegularExpressionMatch m = QRegularExpression("Sheet (\\d+)").match(pages[i]);
        pdf.headings << (m.hasMatch() ? m.captured(0) : QStringLiteral("?"));
    }
    return pdf;
}

void setBox(QWidget *dialog, const char *name, const QString &text)
{
    auto *box = child<QLineEdit>(dialog, name);
    box->selectAll();
    QTest::keyClicks(box, text);
}

// The box typed in, the text typed, the start of the refusal (empty:
// accepted), the copies and the To page the dialog ends with.
using Typing = std::tuple<QString, QString, QString, int, int>;
// Paper code, orientation, copies, "from-to" typed in the dialog (empty: no
// dialog), the sheet in points (portrait) and the headings, one a page.
using Printed = std::tuple<int, int, int, QString, QSizeF, QStringList>;

} // namespace

#define REQUIRE_PRINTER(name)                                                                      \
    const QString name = testPrinter();                                                            \
    if (name.isEmpty())                                                                            \
    QSKIP("No test print server (scripts/run-tests.sh starts one with CUPS)")

class tst_Printing : public QObject
{
    Q_OBJECT

    ScriptedInteraction m_ui;

private slots:
    void init()
    {
        m_ui = ScriptedInteraction();
        UserInteraction::setCurrent(&m_ui);
    }
    void cleanup() { UserInteraction::setCurrent(nullptr); }

    // Paper codes become real sheets; the report's own size with 256.
    void paperSizes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QSizeF>("millimetres");
        QTest::addColumn<QString>("key");
        QTest::newRow("ledger stays landscape") << 4 << QSizeF(431.8, 279.4) << "Ledger";
        QTest::newRow("B4 as listed") << 12 << QSizeF(250, 353) << "ISOB4";
        QTest::newRow("unknown: A4") << 99 << QSizeF(210, 297) << "A4";
        QTest::newRow("own size") << 256 << QSizeF(100, 150) << "";
    }
    void paperSizes()
    {
        QFETCH(int, code);
        QFETCH(QSizeF, millimetres);
        QFETCH(QString, key);
        ReportDocument doc;
        doc.paperType = code;
        doc.pageWidth = 10;
        doc.pageHeight = 15;
        const QPageSize size = documentPageSize(doc);
        QVERIFY(size.isValid());
        const QSizeF mm = size.size(QPageSize::Millimeter);
        QVERIFY2(qAbs(mm.width() - millimetres.width()) < 0.6 &&
                     qAbs(mm.height() - millimetres.height()) < 0.6,
                 qPrintable(QStringLiteral("%1 x %2").arg(mm.width()).arg(mm.height())));
        if (!key.isEmpty())
            QCOMPARE(size.key(), key);
        QCOMPARE(paperPageSize(code).isValid(), code != 0 && code != 99 && code != 256);
    }

    void comboSelection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::newRow("other case") << "BETA" << 1;
        QTest::newRow("part of a name is no match") << "alp" << -1;
    }
    void comboSelection()
    {
        QFETCH(QString, text);
        QComboBox combo;
        combo.addItems({QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("alpha")});
        combo.setCurrentIndex(1);
        selectComboText(&combo, text);
        QTEST(combo.currentIndex(), "index");
    }

    // Opening values; OK storing the printer and copies; letters cannot be
    // typed; what can be typed but means nothing (no copy, page 0, a page
    // past the end, a range that runs backwards) is refused with a message
    // naming the box, and the dialog stays open; Cancel and Escape give "0".
    void printDialog_data()
    {
        QTest::addColumn<Typing>("row");
        auto row = [](const char *name, const char *box, const char *typed, const char *refusal,
                      int toPage = 0, int copies = 5) {
            QTest::newRow(name) << Typing{box, typed, refusal, copies, toPage};
        };
        row("three copies", "copies", "3", "", 4, 3);
        row("letters cannot be typed", "copies", "abc", "", 4);
        row("a page past the end", "toPage", "9", "To page: type a page number from 1 to 4.");
        row("no copy", "copies", "0", "Copies: type a whole number from 1 to 255.");
        row("from page 0", "fromPage", "0", "From page: type a page number from 1 to 4.");
        row("from 3 to 2", "toPage", "2",
            "To page: page 2 comes before the From page (3); type a page from 3 to 4.");
        row("Cancel", "", "", "");
    }
    void printDialog()
    {
        QFETCH(Typing, row);
        const auto &[box, typed, refusal, copies, toPage] = row;
        std::unique_ptr<ReportDocument> doc = listReport(70);
        QCOMPARE(doc->pageCount(), 4);
        doc->copies = 5;
        doc->DocPrinterName = QStringLiteral("kept when no printer is chosen");
        PrintDialog dialog(*doc);
        QCOMPARE(child<QLineEdit>(&dialog, "toPage")->text(), "4");
        auto *printers = child<QComboBox>(&dialog, "Combo1");
        QCOMPARE(printers->count(), installedPrinterNames().size());
        if (printers->count() > 0)
            QCOMPARE(printers->currentText(), currentPrinter().printerName());
        dialog.show();
        const bool ok = !box.isEmpty();
        if (box == QLatin1String("toPage"))
            setBox(&dialog, "fromPage", QStringLiteral("3"));
        if (ok)
            setBox(&dialog, qPrintable(box), typed);
        click(&dialog, ok ? "Command1" : "bCancel");
        QCOMPARE(dialog.isVisible(), !refusal.isEmpty());
        QCOMPARE(m_ui.shown.size(), refusal.isEmpty() ? 0 : 1);
        if (!refusal.isEmpty()) {
            QCOMPARE(m_ui.shown.at(0).text, refusal);
            click(&dialog, "bCancel");
        }
        QCOMPARE(dialog.toPage(), toPage);
        QCOMPARE(int(doc->copies), copies);
        if (toPage > 0 && printers->count() > 0)
            QCOMPARE(doc->DocPrinterName, printers->currentText());
        else
            QCOMPARE(doc->DocPrinterName, QStringLiteral("kept when no printer is chosen"));
        // Closing by Escape is a cancel too: nothing may be printed after it.
        PrintDialog again(*doc);
        again.show();
        QTest::keyClick(&again, Qt::Key_Escape);
        QCOMPARE(again.toPage(), 0);
    }

    // Binding a report to the printers: the message for a missing printer,
    // exact names, paper 0 read as A4 with the size from the printer.
    void selectPrinter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("message");
        QTest::newRow("the default") << "" << false;
        QTest::newRow("installed") << "*" << false;
        QTest::newRow("not installed") << "Nowhere 9000" << true;
        QTest::newRow("other case is another printer") << "MIRT-TEST" << true;
    }
    void selectPrinter()
    {
        QFETCH(QString, name);
        QFETCH(bool, message);
        REQUIRE_PRINTER(printer);
        ReportDocument doc;
        doc.DocPrinterName = name == QLatin1String("*") ? printer : name;
        doc.paperType = 0;
        doc.pageWidth = 3;
        doc.pageHeight = 4;
        currentPrinter().setPrinterName(printer);
        SelectPrinter(doc);
        QCOMPARE(m_ui.shown.size(), message ? 1 : 0);
        if (message)
            QCOMPARE(m_ui.shown.first().text,
                     QStringLiteral("This report was defined for '") + name +
                         QStringLiteral("'. This printer was not found. Instead the '") + printer +
                         QStringLiteral("' is selected"));
        QCOMPARE(currentPrinter().printerName(), printer);
        QCOMPARE(doc.paperType, 9);
        QVERIFY(qAbs(doc.pageWidth - 21) < 0.05 && qAbs(doc.pageHeight - 29.7) < 0.05);
        // The print dialog's selection ignores case.
        QCOMPARE(selectPrinterByName(printer.toUpper()), printer.toUpper());
        QCOMPARE(currentPrinter().printerName(), printer);
        QCOMPARE(selectPrinterByName(QStringLiteral("Nowhere 9000")), printer);
    }

    // What the printer produced: pages, their order with copies, sheet size
    // and orientation; the job is a PDF of our own writer (its producer; its
    // fonts and text are tst_pdfwriter's).
    void realPrint_data()
    {
        QTest::addColumn<Printed>("row");
        const auto row = [](const char *name, const Printed &r) { QTest::newRow(name) << r; };
        row("A4 portrait, every page",
            {9, 1, 1, "", QSizeF(595, 842), {"Sheet 1", "Sheet 2", "Sheet 3", "Sheet 4"}});
        row("A5 landscape, 2 copies, pages 2-3",
            {11, 2, 2, "2-3", QSizeF(420, 595), {"Sheet 2", "Sheet 3", "Sheet 2", "Sheet 3"}});
    }
    void realPrint()
    {
        QFETCH(Printed, row);
        const auto &[paper, orientation, copies, range, points, headings] = row;
        REQUIRE_PRINTER(printer);
        if (!havePoppler())
            QSKIP("poppler-utils are not installed");
        std::unique_ptr<ReportDocument> doc = listReport(70);
        QCOMPARE(doc->pageCount(), 4);
        doc->DocPrinterName = printer;
        doc->paperType = paper;
        doc->pageOrientation = orientation;
        doc->copies = copies;
        const QString output = qEnvironmentVariable("MIRT_CUPS_OUTPUT");
        QFile::remove(output);
        const int before = completedJobs();
        const bool dialog = !range.isEmpty();
        if (dialog) {
            onNextModal([range, copies](QWidget *d) {
                setBox(d, "fromPage", range.section(QLatin1Char('-'), 0, 0));
                setBox(d, "toPage", range.section(QLatin1Char('-'), 1, 1));
                setBox(d, "copies", QString::number(copies));
                click(d, "Command1");
            });
        }
        QVERIFY(RealPrint(*doc, dialog));
        QVERIFY(m_ui.shown.isEmpty() && !doc->run().realPrinting);
        QVERIFY2(waitForJobs(before, 1), "the print server did not finish the job");
        QVERIFY(QFile::exists(output));
        const PrintedPdf pdf = readPrinted(output);
        QCOMPARE(pdf.headings, headings); // one a page
        QVERIFY2(
            qAbs(pdf.points.width() - points.width()) < 2 &&
                qAbs(pdf.points.height() - points.height()) < 2,
            qPrintable(QStringLiteral("%1 x %2").arg(pdf.points.width()).arg(pdf.points.height())));
        // The rows are on the paper too, not only the headings.
        QVERIFY(pdf.text.contains(QStringLiteral("Row ")));
        QVERIFY(pdf.info.contains(
            QRegularExpression("Producer: +" + QRegularExpression::escape(appTitle()) + '\n')));
    }

    // Cancelling in the dialog or clearing realPrinting while pages go out
    // sends no job; a job the server refuses or that cannot be spooled (a
    // full disk) is a printing error, not a silent success.
    void nothingSent_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("dialog cancelled") << "cancel";
        QTest::newRow("stopped before the first page") << "stop";
        QTest::newRow("stopped after the second page") << "stop3";
        QTest::newRow("refused by the server") << "reject";
        QTest::newRow("spool disk full") << "full";
    }
    void nothingSent()
    {
        QFETCH(QString, how);
        REQUIRE_PRINTER(printer);
        const QString reject = QStandardPaths::findExecutable("cupsreject", {"/usr/sbin"});
        const QString accept = QStandardPaths::findExecutable("cupsaccept", {"/usr/sbin"});
        const bool full = how == QLatin1String("full");
        const bool refuse = how == QLatin1String("reject") || full;
        if (how == QLatin1String("reject") && (reject.isEmpty() || accept.isEmpty()))
            QSKIP("cupsreject and cupsaccept are not installed");
        // The spool goes to TMPDIR: a tmpfs with room for little more than the folder.
        const QString tmpfs = scratchPath(QStringLiteral("full"));
        const QByteArray tmpdir = qgetenv("TMPDIR");
        if (full) {
            QDir().mkpath(tmpfs);
            if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=4k", "tmpfs", tmpfs}) != 0)
                QSKIP("cannot mount a tmpfs (needs root)");
            qputenv("TMPDIR", QFile::encodeName(tmpfs));
        }
        auto restore = qScopeGuard([&] {
            if (!full)
                return;
            if (tmpdir.isNull())
                qunsetenv("TMPDIR");
            else
                qputenv("TMPDIR", tmpdir);
            QProcess::execute("umount", {tmpfs});
        });
        std::unique_ptr<ReportDocument> doc = listReport(full ? 700 : 70); // 35 pages cannot fit
        doc->DocPrinterName = printer;
        const int before = completedJobs();
        const bool cancel = how == QLatin1String("cancel");
        if (cancel) {
            onNextModal([](QWidget *d) { click(d, "bCancel"); });
        } else if (how == QLatin1String("reject")) {
            QCOMPARE(QProcess::execute(reject, {printer}), 0);
        }
        // Each yield before a page counts; the stop arrives in the yield
        // before that page.
        const int stopAt = how == QLatin1String("stop") ? 1 : 3;
        int yields = 0;
        QTimer counter;
        counter.callOnTimeout([&] {
            if (++yields == stopAt) {
                doc->run().realPrinting = false;
                counter.stop();
            }
        });
        if (how.startsWith(QLatin1String("stop")))
            counter.start(0);
        const bool printed = RealPrint(*doc, cancel);
        QCOMPARE(yields, how.startsWith(QLatin1String("stop")) ? stopAt : 0);
        if (how == QLatin1String("reject"))
            QProcess::execute(accept, {printer});
        QCOMPARE(printed, !refuse);
        QCOMPARE(m_ui.shown.size(), refuse ? 1 : 0);
        if (refuse)
            QCOMPARE(m_ui.shown.first().text, QStringLiteral("Printing error"));
        QVERIFY(!doc->run().realPrinting && !jobsPending());
        QCOMPARE(completedJobs(), before);
        if (full) // the spool is gone again
            QCOMPARE(QDir(tmpfs).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), {});
    }

    // /dhp runs, prints without a window and ends with a status that says how it went.
    void hiddenPrint_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("status");
        QTest::newRow("printed") << "good" << 0;
        QTest::newRow("connection cannot be opened") << "nodb" << 2;
        QTest::newRow("report's printer missing: told, printed on the default") << "noprinter" << 0;
    }
    void hiddenPrint()
    {
        QFETCH(QString, report);
        QFETCH(int, status);
        REQUIRE_PRINTER(printer);
        const QString file = scratchPath(report + QStringLiteral(".xml"));
        std::unique_ptr<ReportDocument> doc = listReport(30, false);
        doc->DocPrinterName =
            report == QLatin1String("noprinter") ? QStringLiteral("NoSuchPrinter") : printer;
        if (report == QLatin1String("nodb"))
            doc->connectionStringData = sqlite(scratchPath(QStringLiteral("missing/none.db")));
        QVERIFY(doc->saveXml(file));
        const QString output = qEnvironmentVariable("MIRT_CUPS_OUTPUT");
        QFile::remove(output);
        const int before = completedJobs();
        const ProgramRun mirt = runMirt({QStringLiteral("/f"), file, QStringLiteral("/dhp")});
        QCOMPARE(mirt.status, status);
        if (status != 0) {
            QVERIFY(!mirt.err.isEmpty());
            return;
        }
        if (report == QLatin1String("noprinter"))
            QVERIFY2(
                mirt.err.contains(QStringLiteral("'NoSuchPrinter'")) &&
                    mirt.err.contains(QStringLiteral("Instead the '%1' is selected").arg(printer)),
                qPrintable(mirt.err));
        QVERIFY(waitForJobs(before, 1));
        if (havePoppler())
            QCOMPARE(readPrinted(output).headings, QStringList({"Sheet 1", "Sheet 2"}));
    }

    // Without any printer the program says so plainly, and printing fails without
    // touching the report: in a child pointed at a print server that is not there.
    void noPrinter()
    {
        const ProgramRun child = runChildWithoutPrinters(QStringLiteral("MIRT_PRINTING_CHILD"),
                                                         QStringLiteral("noprinter"));
        QCOMPARE(child.status, 0);
        // No printer to name as the one used instead.
        QCOMPARE(child.out.split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{"printers 0", "RealPrint false",
                              "message No printer is installed on this computer, so the report "
                              "cannot be printed. It can still be previewed and exported.",
                              "pages 1",
                              "select This report was defined for 'NoSuchPrinter'. This printer "
                              "was not found, and no other printer is installed."}));
    }
};

// The child of noPrinter: one page, printed with and without the dialog.
static int noPrinterChild()
{
    ScriptedInteraction ui;
    UserInteraction::setCurrent(&ui);
    ReportDocument doc;
    doc.run().pages.add();
    QTextStream out(stdout);
    out << "printers " << installedPrinterNames().size() << "\nRealPrint "
        << (RealPrint(doc, true) ? "true" : "false") << "\nmessage " << ui.shown.value(0).text
        << "\npages " << doc.pageCount() << '\n';
    doc.DocPrinterName = QStringLiteral("NoSuchPrinter");
    SelectPrinter(doc);
    out << "select " << ui.shown.value(1).text << '\n';
    UserInteraction::setCurrent(nullptr);
    return 0;
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (qEnvironmentVariable("MIRT_PRINTING_CHILD") == QLatin1String("noprinter"))
        return noPrinterChild();
    tst_Printing test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printing.moc"
