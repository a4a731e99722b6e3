// The report run end to end on generated SQLite data: a flat list of N order
// rows (page header with the title and "Page %page% of %pages%", six fields
// with one formula and one format, page footer) and a master/detail report
// of 2,000 parents with 10 children each (one child query per parent).
// Prints a table; asserts nothing. Each case runs in its own process so that
// its peak memory is its own.
//   bench_report                 all cases
//   bench_report list N          one list case
//   bench_report masterdetail    the master/detail case
//   bench_report write N DIR     writes the list of N rows as DIR/list.xml and
//                                DIR/list.db, for timing whole mirt processes
//                                (bench/compare-pdf.sh)
#include "document/textitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "output/pdfexport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "benchsupport.h"
#include "orderlines.h"

#include <cstdio>

namespace {

struct Figures
{
    int records = 0;
    double firstPage = 0; // seconds from the run's start until page 1 is complete
    double run = 0;
    double pdf = 0;
    int pages = 0;
    qsizetype errors = 0;
};

Figures runAndWrite(ReportDocument &doc, const QString &pdfFile)
{
    Figures f;
    if (doc.openDataConnection() != 0) {
        std::fprintf(stderr, "cannot open: %s\n", qPrintable(doc.connectionError()));
        return f;
    }
    QElapsedTimer timer;
    timer.start();
    QObject::connect(&doc, &ReportDocument::pageFinished, &doc, [&](int page) {
        if (page == 1)
            f.firstPage = timer.nsecsElapsed() / 1e9;
    });
    doc.initPrint();
    f.run = timer.nsecsElapsed() / 1e9;
    f.pages = doc.pageCount();
    f.errors = doc.errorLst.size();
    timer.restart();
    QString error;
    if (!exportPdf(doc, pdfFile, 0, 0, &error))
        std::fprintf(stderr, "PDF: %s\n", qPrintable(error));
    f.pdf = timer.nsecsElapsed() / 1e9;
    return f;
}

void printRow(const char *name, int records, const Figures &f)
{
    std::printf("| %-22s | %7d | %6d | %6.3f | %6.2f | %8.0f | %6.2f | %7.0f | %6ld | %lld |\n", name, records, f.pages,
                f.firstPage, f.run, records / f.run, f.pdf, f.pages / f.pdf, peakKiB() / 1024, qlonglong(f.errors));
    std::fflush(stdout);
}

int listCase(int rows)
{
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("list.db"));
    if (!makeDatabase(db, rows))
        return 1;
    ReportDocument doc;
    setUpPage(doc, db);
    addOrderList(doc);
    const Figures f = runAndWrite(doc, dir.filePath(QStringLiteral("list.pdf")));
    printRow(qPrintable(QStringLiteral("list %1").arg(rows)), rows, f);
    return 0;
}

int writeList(int rows, const QString &dir)
{
    const QString db = QDir(dir).filePath(QStringLiteral("list.db"));
    QFile::remove(db);
    if (!makeDatabase(db, rows))
        return 1;
    ReportDocument doc;
    setUpPage(doc, QStringLiteral("list.db"));
    addOrderList(doc);
    return doc.saveXml(QDir(dir).filePath(QStringLiteral("list.xml"))) ? 0 : 1;
}

int masterDetailCase()
{
    const int parents = 2000;
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("md.db"));
    if (!makeDatabase(db, parents * 10))
        return 1;
    ReportDocument doc;
    setUpPage(doc, db);
    ReportSection *master = doc.addDataSection();
    master->sectionName = QStringLiteral("Parents");
    master->Height = 0.7f;
    master->SQL = QStringLiteral("SELECT ID, Name FROM Parents ORDER BY ID");
    addColumn(master, QStringLiteral("[Parents].[Name]"), 1.5f, 8);
    ReportSection *detail = doc.addDataSection();
    detail->sectionName = QStringLiteral("Lines");
    detail->Height = 0.5f;
    detail->sectionParent = master->dataSectionNumber;
    detail->SQL = QStringLiteral("SELECT ID, Customer, Product, Quantity, Price, Shipped FROM Lines "
                                 "WHERE ParentID = {[Parents].[ID]} ORDER BY ID");
    addLineColumns(detail, detail->sectionName);
    doc.orderSections();
    const Figures f = runAndWrite(doc, dir.filePath(QStringLiteral("md.pdf")));
    printRow("master/detail 2000x10", parents * 11, f);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("list"))
        return listCase(args.value(1).toInt());
    if (args.value(0) == QLatin1String("write"))
        return writeList(args.value(1).toInt(), args.value(2));
    if (args.value(0) == QLatin1String("masterdetail"))
        return masterDetailCase();

    std::printf("| %-22s | %7s | %6s | %6s | %6s | %8s | %6s | %7s | %6s | %s |\n", "case", "records", "pages",
                "page 1", "run s", "rows/s", "PDF s", "pages/s", "MiB", "errors");
    std::printf("|%s|---------|--------|--------|--------|----------|--------|---------|--------|---|\n",
                "------------------------");
    std::fflush(stdout);
    const QList<QStringList> cases{{"list", "1000"}, {"list", "10000"}, {"list", "100000"}, {"masterdetail"}};
    for (const QStringList &c : cases) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), c);
        child.waitForFinished(-1);
    }
    return 0;
}
