// Opening a 100,000-row SQLite query into a Recordset snapshot, walking it by
// field name, and importing an Access file. Prints figures; asserts nothing.
//   bench_recordset [rows] [access file]
#include "platform/connection.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

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
        ok = ok && q.exec(QStringLiteral("CREATE TABLE Lines (ID INTEGER PRIMARY KEY, "
                                         "Customer VARCHAR(40), Product TEXT, Quantity SMALLINT, "
                                         "Price CURRENCY, Shipped DATETIME, Note MEMO)"));
        ok = ok && db.transaction();
        ok = ok && q.prepare(QStringLiteral("INSERT INTO Lines VALUES (?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 1; ok && i <= rows; ++i) {
            q.bindValue(0, i);
            q.bindValue(1, QStringLiteral("Customer %1").arg(i % 997));
            q.bindValue(2, QStringLiteral("Product number %1").arg(i % 101));
            q.bindValue(3, i % 60 + 1);
            q.bindValue(4, (i % 10000) / 100.0);
            q.bindValue(5, QStringLiteral("2024-%1-%2 10:%3:00")
                               .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                               .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                               .arg(i % 60, 2, 10, QLatin1Char('0')));
            q.bindValue(6, i % 50 == 0 ? QVariant(QStringLiteral("A note\nover two lines"))
                                       : QVariant(QMetaType::fromType<QString>()));
            ok = q.exec();
        }
        ok = ok && db.commit();
        if (!ok)
            std::fprintf(stderr, "cannot build the test database: %s\n",
                         qPrintable(q.lastError().text()));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("w"));
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const QString access = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("bench.db"));
    if (!makeDatabase(path, rows))
        return 1;

    try {
        QElapsedTimer t;
        Connection c;
        t.start();
        c.open(QStringLiteral("Provider=SQLite;Data Source=") + path);
        std::printf("open SQLite connection:            %8.1f ms\n", t.nsecsElapsed() / 1e6);

        for (int run = 1; run <= 3; ++run) {
            Recordset rs;
            t.restart();
            rs.open(QStringLiteral("SELECT * FROM Lines ORDER BY ID"), c);
            const double openMs = t.nsecsElapsed() / 1e6;
            t.restart();
            rs.moveLast();
            rs.moveFirst();
            double sum = 0;
            qint64 chars = 0;
            const Field price = rs.fields().item(QStringLiteral("Price"));
            for (; !rs.eof(); rs.moveNext()) {
                sum += price.value().toDouble();
                chars += rs.fields().item(QStringLiteral("customer")).value().toString().size();
            }
            const double walkMs = t.nsecsElapsed() / 1e6;
            std::printf("run %d: open %ld rows x 7 columns: %8.1f ms; walk by name: %8.1f ms "
                        "(sum %.2f, %lld chars)\n",
                        run, rs.recordCount(), openMs, walkMs, sum, qlonglong(chars));
        }

        if (access.isEmpty())
            return 0;
        t.restart();
        Connection a;
        a.open(QStringLiteral("Provider=Microsoft.ACE.OLEDB.12.0;Data Source=") + access);
        std::printf("import Access file %s: %8.1f ms\n", qPrintable(QDir(access).dirName()),
                    t.nsecsElapsed() / 1e6);
    } catch (const DatabaseError &e) {
        std::fprintf(stderr, "error: %s\n", qPrintable(e.description()));
        return 1;
    }
    return 0;
}
