// Laying out a simple 6-column list of many rows from a generated SQLite
// file: a full report run into stored pages. Prints rows per second, pages
// and peak memory; asserts nothing.
//   bench_run [rows]
#include "document/item.h"
#include "document/section.h"
#include "document/talvodocument.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

namespace {

long peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

bool makeDatabase(const QString &path, int rows)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("w"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        ok = ok && q.exec(QStringLiteral("CREATE TABLE Lines (ID INTEGER PRIMARY KEY, Customer TEXT, "
                                         "Product TEXT, Quantity INTEGER, Price REAL, Shipped DATETIME)"));
        ok = ok && db.transaction();
        ok = ok && q.prepare(QStringLiteral("INSERT INTO Lines VALUES (?, ?, ?, ?, ?, ?)"));
        for (int i = 1; ok && i <= rows; ++i) {
            q.bindValue(0, i);
            q.bindValue(1, QStringLiteral("Customer %1").arg(i % 997));
            q.bindValue(2, QStringLiteral("Product number %1").arg(i % 101));
            q.bindValue(3, i % 60 + 1);
            q.bindValue(4, (i % 10000) / 100.0);
            q.bindValue(5, QStringLiteral("2024-%1-%2 10:00:00")
                               .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                               .arg(i % 28 + 1, 2, 10, QLatin1Char('0')));
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

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("list.db"));
    if (!makeDatabase(db, rows)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(db));
        return 1;
    }

    TalvoDocument doc;
    doc.ClearSections();
    doc.connectionStringData = QStringLiteral("Provider=SQLite;Data Source=") + db;
    doc.pageHeight = 29.7f;
    doc.pageWidth = 21;
    doc.setPageHeader(true);
    doc.setPageFooter(true);
    section *ph = doc.sections.value(QStringLiteral("ph"));
    ph->Height = 1;
    addColumn(ph, QStringLiteral("Lines"), 0, 10);
    section *pf = doc.sections.value(QStringLiteral("pf"));
    pf->Height = 1;
    addColumn(pf, QStringLiteral("Page %page% of %pages%"), 0, 10);
    section *list = doc.AddDataSection();
    list->sectionName = QStringLiteral("Lines");
    list->Height = 0.5f;
    list->SQL = QStringLiteral("SELECT ID, Customer, Product, Quantity, Price, Shipped FROM Lines ORDER BY ID");
    addColumn(list, QStringLiteral("[ID]"), 0, 1.5f);
    addColumn(list, QStringLiteral("[Lines].[Customer]"), 1.5f, 4);
    addColumn(list, QStringLiteral("[Product]"), 5.5f, 5);
    addColumn(list, QStringLiteral("[Quantity]"), 10.5f, 1.5f);
    addColumn(list, QStringLiteral("[Price]"), 12, 2.5f, QStringLiteral("#,##0.00"));
    addColumn(list, QStringLiteral("[Shipped]"), 14.5f, 3, QStringLiteral("dd.mm.yyyy"));
    doc.orderSections();

    if (doc.openDataConnection() != 0) {
        std::fprintf(stderr, "cannot open: %s\n", qPrintable(doc.connectionError()));
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    doc.initPrint();
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("%d rows laid out in %.2f s: %.0f rows/s, %d pages, %lld errors, peak %ld KiB\n",
                rows, seconds, rows / seconds, doc.Pages.count(), qlonglong(doc.errorLst.size()),
                peakKiB());
    return 0;
}
