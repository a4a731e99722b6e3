// The report run end to end on generated SQLite data: a flat list of N order
// rows (page header with the title and "Page %page% of %pages%", six fields
// with one formula and one format, page footer) and a master/detail report
// of 2,000 parents with 10 children each (one child query per parent).
// Prints a table; asserts nothing. Each case runs in its own process so that
// its peak memory is its own.
//   bench_report                 all cases
//   bench_report list N          one list case
//   bench_report masterdetail    the master/detail case
#include "document/item.h"
#include "document/section.h"
#include "document/talvodocument.h"
#include "output/pdfexport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "benchsupport.h"

#include <cstdio>

namespace {

// Order rows; ParentID groups them by ten for the master/detail case.
bool makeDatabase(const QString &path, int rows)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("w"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        ok = ok && q.exec(QStringLiteral("CREATE TABLE Lines (ID INTEGER PRIMARY KEY, ParentID INTEGER, Customer TEXT, "
                                         "Product TEXT, Quantity INTEGER, Price REAL, Shipped DATETIME)"));
        ok = ok && q.exec(QStringLiteral("CREATE INDEX LinesByParent ON Lines (ParentID)"));
        ok = ok && q.exec(QStringLiteral("CREATE TABLE Parents (ID INTEGER PRIMARY KEY, Name TEXT)"));
        ok = ok && db.transaction();
        ok = ok && q.prepare(QStringLiteral("INSERT INTO Lines VALUES (?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 1; ok && i <= rows; ++i) {
            q.bindValue(0, i);
            q.bindValue(1, (i - 1) / 10 + 1);
            q.bindValue(2, QStringLiteral("Customer %1").arg(i % 997));
            q.bindValue(3, QStringLiteral("Product number %1").arg(i % 101));
            q.bindValue(4, i % 60 + 1);
            q.bindValue(5, (i % 10000) / 100.0);
            q.bindValue(6, QStringLiteral("2024-%1-%2 10:00:00")
                               .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                               .arg(i % 28 + 1, 2, 10, QLatin1Char('0')));
            ok = q.exec();
        }
        ok = ok && q.prepare(QStringLiteral("INSERT INTO Parents VALUES (?, ?)"));
        for (int i = 1; ok && i <= (rows + 9) / 10; ++i) {
            q.bindValue(0, i);
            q.bindValue(1, QStringLiteral("Parent %1").arg(i));
            ok = q.exec();
        }
        ok = ok && db.commit();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("w"));
    return ok;
}

void addColumn(section *sec, const QString &content, float x, float w, const QString &format = {})
{
    Item *item = sec->NewItem();
    item->content = content;
    item->x = x;
    item->y = 0.05f;
    item->w = w;
    item->h = 0.45f;
    item->fontSize = 9;
    item->FormatString = format;
}

void setUpPage(TalvoDocument &doc, const QString &db)
{
    doc.ClearSections();
    doc.docName = QStringLiteral("Order lines");
    doc.connectionStringData = QStringLiteral("Provider=SQLite;Data Source=") + db;
    doc.pageHeight = 29.7f;
    doc.pageWidth = 21;
    doc.setPageHeader(true);
    doc.setPageFooter(true);
    section *ph = doc.sections.value(QStringLiteral("ph"));
    ph->Height = 1;
    addColumn(ph, QStringLiteral("%title%"), 1.5f, 10);
    addColumn(ph, QStringLiteral("Page %page% of %pages%"), 13.5f, 6);
    section *pf = doc.sections.value(QStringLiteral("pf"));
    pf->Height = 1;
    addColumn(pf, QStringLiteral("Printed %date%"), 1.5f, 10);
}

void addLineColumns(section *list, const QString &name)
{
    addColumn(list, QStringLiteral("[ID]"), 1.5f, 1.5f);
    addColumn(list, QStringLiteral("[%1].[Customer]").arg(name), 3, 4);
    addColumn(list, QStringLiteral("[Product]"), 7, 4.5f);
    addColumn(list, QStringLiteral("[Quantity]"), 11.5f, 1.5f);
    addColumn(list, QStringLiteral("=[%1].[Price] * [%1].[Quantity]").arg(name), 13, 3, QStringLiteral("#,##0.00"));
    addColumn(list, QStringLiteral("[Shipped]"), 16, 3.5f, QStringLiteral("dd.mm.yyyy"));
}

struct Figures
{
    int records = 0;
    double firstPage = 0; // seconds from the run's start until page 1 is complete
    double run = 0;
    double pdf = 0;
    int pages = 0;
    qsizetype errors = 0;
};

Figures runAndWrite(TalvoDocument &doc, const QString &pdfFile)
{
    Figures f;
    if (doc.openDataConnection() != 0) {
        std::fprintf(stderr, "cannot open: %s\n", qPrintable(doc.connectionError()));
        return f;
    }
    QElapsedTimer timer;
    timer.start();
    QObject::connect(&doc, &TalvoDocument::pageFinished, &doc, [&](int page) {
        if (page == 1)
            f.firstPage = timer.nsecsElapsed() / 1e9;
    });
    doc.initPrint();
    f.run = timer.nsecsElapsed() / 1e9;
    f.pages = doc.NbPages();
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
    TalvoDocument doc;
    setUpPage(doc, db);
    section *list = doc.AddDataSection();
    list->sectionName = QStringLiteral("Lines");
    list->Height = 0.5f;
    list->SQL = QStringLiteral("SELECT ID, Customer, Product, Quantity, Price, Shipped FROM Lines ORDER BY ID");
    addLineColumns(list, list->sectionName);
    doc.orderSections();
    const Figures f = runAndWrite(doc, dir.filePath(QStringLiteral("list.pdf")));
    printRow(qPrintable(QStringLiteral("list %1").arg(rows)), rows, f);
    return 0;
}

int masterDetailCase()
{
    const int parents = 2000;
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("md.db"));
    if (!makeDatabase(db, parents * 10))
        return 1;
    TalvoDocument doc;
    setUpPage(doc, db);
    section *master = doc.AddDataSection();
    master->sectionName = QStringLiteral("Parents");
    master->Height = 0.7f;
    master->SQL = QStringLiteral("SELECT ID, Name FROM Parents ORDER BY ID");
    addColumn(master, QStringLiteral("[Parents].[Name]"), 1.5f, 8);
    section *detail = doc.AddDataSection();
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
