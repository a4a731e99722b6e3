// Printing a long simple list report on a real printer: 2,000 pages of 20
// rows (page header "Page %page%", two fields a row) generated in SQLite,
// run, then sent with RealPrint to the printer named by MIRT_CUPS_PRINTER
// (the private test server of scripts/cups-test-server.sh) or to the default
// printer. Prints the time to draw and hand the job over, the time until
// the server has finished it, and the size of the job; asserts nothing.
//   bench_print [PAGES]
#include "document/textitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "document/userinteraction.h"
#include "viewer/printing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include "benchsupport.h"

#include <cstdio>

namespace {

bool makeDatabase(const QString &path, int rows)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("w"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        ok = ok && q.exec(QStringLiteral("CREATE TABLE Rows (ID INTEGER PRIMARY KEY, Name TEXT)"));
        ok = ok && db.transaction();
        ok = ok && q.prepare(QStringLiteral("INSERT INTO Rows VALUES (?, ?)"));
        for (int i = 1; ok && i <= rows; ++i) {
            q.bindValue(0, i);
            q.bindValue(1, QStringLiteral("Customer number %1").arg(i));
            ok = q.exec();
        }
        ok = ok && db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("w"));
    return ok;
}

TextItem *text(ReportSection *sec, const QString &content, float x, float w)
{
    TextItem *item = sec->newTextItem();
    item->content = content;
    item->x = x;
    item->w = w;
    item->h = 0.8f;
    return item;
}

QString lpstat(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("lpstat"), arguments);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int pages = app.arguments().value(1, QStringLiteral("2000")).toInt();
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("print.db"));
    if (!makeDatabase(db, pages * 20)) {
        std::fprintf(stderr, "bench_print: cannot make the database\n");
        return 1;
    }
    ReportDocument doc;
    doc.clearSections();
    doc.connectionStringData = QStringLiteral("Provider=SQLite;Data Source=") + db;
    doc.paperType = 9;
    doc.pageWidth = 21;
    doc.pageHeight = 29.7f;
    doc.topMargin = 1;
    doc.bottomMargin = 1;
    doc.DocPrinterName = qEnvironmentVariable("MIRT_CUPS_PRINTER");
    doc.setPageHeader(true);
    ReportSection *header = doc.sections.value(QStringLiteral("ph"));
    header->Height = 1;
    text(header, QStringLiteral("Page %page%"), 1, 6);
    ReportSection *root = doc.addDataSection();
    root->Height = 1.3f;
    root->SQL = QStringLiteral("SELECT ID, Name FROM Rows ORDER BY ID");
    text(root, QStringLiteral("[ID]"), 1, 3);
    text(root, QStringLiteral("[Name]"), 5, 10);
    doc.orderSections();

    QElapsedTimer timer;
    timer.start();
    if (doc.openDataConnection() != 0) {
        std::fprintf(stderr, "bench_print: %s\n", qPrintable(doc.connectionError()));
        return 1;
    }
    doc.initPrint();
    const double runSeconds = timer.elapsed() / 1000.0;

    const int completedBefore =
        int(lpstat({QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o")})
                .count(QLatin1Char('\n')));
    timer.restart();
    if (!RealPrint(doc, false))
        return 1;
    const double sendSeconds = timer.elapsed() / 1000.0;
    // The server has the job; wait until its filters are done with it.
    while (!lpstat({QStringLiteral("-o")}).trimmed().isEmpty())
        QThread::msleep(100);
    const double doneSeconds = timer.elapsed() / 1000.0;
    const QStringList completed =
        lpstat({QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o")})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // "printer-N  user  SIZE  date": the size of the job as submitted.
    const QString sizeField =
        completed.value(completed.size() - 1).simplified().section(QLatin1Char(' '), 2, 2);
    const QString output = qEnvironmentVariable("MIRT_CUPS_OUTPUT");
    std::printf("printer %s, %d pages (run %.1f s)\n", qPrintable(currentPrinter().printerName()),
                int(doc.pageCount()), runSeconds);
    std::printf("RealPrint (draw and hand over): %.1f s, %.0f pages/s\n", sendSeconds,
                doc.pageCount() / sendSeconds);
    std::printf("job finished by the server: %.1f s after the start\n", doneSeconds);
    std::printf("job size as submitted: %s bytes%s\n", qPrintable(sizeField),
                completed.size() > completedBefore ? "" : " (job not found in the history)");
    if (!output.isEmpty())
        std::printf("printer output: %lld bytes\n", QFileInfo(output).size());
    std::printf("peak memory: %ld KiB\n", peakKiB());
    return 0;
}
