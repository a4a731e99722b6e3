// The checks of RunSQL, its error entries and the one-statement guarantee on
// the report's read-only connection.
#include "querysupport.h"

#include "document/talvodocument.h"
#include "document/talvoerror.h"
#include "platform/recordset.h"

#include <QFileInfo>
#include <QTest>

using namespace QuerySupport;

class tst_RunSql : public QObject
{
    Q_OBJECT

private slots:
    void checksRejectBeforeTheDatabase_data();
    void checksRejectBeforeTheDatabase();
    void acceptedTextsRunTrimmed_data();
    void acceptedTextsRunTrimmed();
    void databaseErrorsCarryTheDriversText_data();
    void databaseErrorsCarryTheDriversText();
    void maxRecordsLimitsOnlyWhenPositive_data();
    void maxRecordsLimitsOnlyWhenPositive();
    void secondStatementNeverRuns_data();
    void secondStatementNeverRuns();
    void closedConnectionSaysWhy();
};

void tst_RunSql::checksRejectBeforeTheDatabase_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    const QString start = QStringLiteral("Your query must start with 'SELECT'");
    const QString incomplete = QStringLiteral("You query is not complete");

    QTest::newRow("nothing after the last FROM") << "SELECT * FROM  " << incomplete;
    QTest::newRow("ends with FROM") << "SELECT a FROM t1 JOIN t2 FROM" << incomplete;
    QTest::newRow("a change after a common table")
        << "WITH c AS (SELECT 1) DELETE FROM Customers" << start;
    QTest::newRow("empty") << "" << start;
    QTest::newRow("not a query") << "DELETE FROM Customers" << start;
    QTest::newRow("ends with FROM on a new line") << "SELECT a FROM t JOIN u\r\nFROM" << incomplete;
}

void tst_RunSql::checksRejectBeforeTheDatabase()
{
    QFETCH(QString, sql);
    QFETCH(QString, message);
    auto doc = newDocument(sqliteConnection(demoDb()));
    QCOMPARE(doc->openDataConnection(), 0);
    Recordset rs;
    const QString given = sql;
    QCOMPARE(doc->RunSQL(sql, rs, 0), 2);
    QCOMPARE(rs.State(), int(Recordset::adStateClosed));
    QVERIFY(doc->isErrors());
    const talvoError *e = doc->lastError();
    QVERIFY(e);
    QCOMPARE(e->class_, QStringLiteral("TalvoDocument"));
    QCOMPARE(e->function_, QStringLiteral("RunSQL"));
    QCOMPARE(e->message, message);
    // The entry shows the text the caller gave, before trimming.
    QCOMPARE(e->additionalInfo, given);
}

void tst_RunSql::acceptedTextsRunTrimmed_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("trimmed");
    QTest::addColumn<int>("records");

    QTest::newRow("lower case, spaces around") << "  select CategoryID from Categories  "
                                               << "select CategoryID from Categories" << 8;
    QTest::newRow("several lines")
        << "SELECT CategoryID\r\nFROM Categories\r\nWHERE CategoryID < 3\r\n"
        << "SELECT CategoryID\r\nFROM Categories\r\nWHERE CategoryID < 3" << 2;
    QTest::newRow("tab before FROM") << "SELECT\tCategoryID\tFROM\tCategories"
                                     << "SELECT\tCategoryID\tFROM\tCategories" << 8;
    QTest::newRow("a name ending in from")
        << "SELECT CategoryName AS NameFrom FROM Categories ORDER BY NameFrom"
        << "SELECT CategoryName AS NameFrom FROM Categories ORDER BY NameFrom" << 8;
    // The connection is read-only: any reading statement may run.
    QTest::newRow("a comment first") << "-- categories\r\nSELECT CategoryID FROM Categories"
                                     << "-- categories\r\nSELECT CategoryID FROM Categories" << 8;
    QTest::newRow("common table")
        << "WITH c AS (SELECT CategoryID FROM Categories) SELECT * FROM c"
        << "WITH c AS (SELECT CategoryID FROM Categories) SELECT * FROM c" << 8;
    QTest::newRow("no table") << "SELECT 1 AS One" << "SELECT 1 AS One" << 1;
}

void tst_RunSql::acceptedTextsRunTrimmed()
{
    QFETCH(QString, sql);
    QFETCH(QString, trimmed);
    QFETCH(int, records);
    auto doc = newDocument(sqliteConnection(demoDb()));
    QCOMPARE(doc->openDataConnection(), 0);
    Recordset rs;
    QCOMPARE(doc->RunSQL(sql, rs, 0), 0);
    QCOMPARE(sql, trimmed);
    QCOMPARE(rs.RecordCount(), long(records));
    QVERIFY(!doc->isErrors());
}

void tst_RunSql::databaseErrorsCarryTheDriversText_data()
{
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("driverText");

    const QString demo = sqliteConnection(demoDb());
    const QString access = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                           testData(QStringLiteral("DateTestDatabase.mdb"));
    QTest::newRow("missing table") << demo << "SELECT * FROM Nowhere"
                                   << "no such table";
    QTest::newRow("syntax error") << demo << "SELECT , FROM Categories"
                                  << "syntax error";
    QTest::newRow("missing column") << demo << "SELECT Colour FROM Categories"
                                    << "Colour";
    QTest::newRow("Access, missing table") << access << "SELECT * FROM Nowhere"
                                           << "Nowhere";
}

void tst_RunSql::databaseErrorsCarryTheDriversText()
{
    QFETCH(QString, connectionString);
    QFETCH(QString, sql);
    QFETCH(QString, driverText);
    auto doc = newDocument(connectionString);
    QCOMPARE(doc->openDataConnection(), 0);
    Recordset rs;
    QCOMPARE(doc->RunSQL(sql, rs, 0), 2);
    QCOMPARE(doc->errorLst.size(), 1);
    const talvoError &e = doc->errorLst.first();
    QCOMPARE(e.function_, QStringLiteral("RunSQL"));
    QVERIFY2(e.message.contains(driverText, Qt::CaseInsensitive), qPrintable(e.message));
    QCOMPARE(e.additionalInfo, sql);
}

void tst_RunSql::maxRecordsLimitsOnlyWhenPositive_data()
{
    QTest::addColumn<long>("maxRecords");
    QTest::addColumn<long>("records");
    QTest::newRow("one") << 1L << 1L;
    QTest::newRow("three") << 3L << 3L;
    QTest::newRow("zero: all") << 0L << 8L;
    QTest::newRow("negative: all") << -5L << 8L;
}

void tst_RunSql::maxRecordsLimitsOnlyWhenPositive()
{
    QFETCH(long, maxRecords);
    QFETCH(long, records);
    auto doc = newDocument(sqliteConnection(demoDb()));
    QCOMPARE(doc->openDataConnection(), 0);
    Recordset rs;
    QString sql = QStringLiteral("SELECT * FROM Categories");
    QCOMPARE(doc->RunSQL(sql, rs, maxRecords), 0);
    QCOMPARE(rs.RecordCount(), records);
}

void tst_RunSql::secondStatementNeverRuns_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("countSql");

    QTest::newRow("SQLite") << demoDb() << "SQLite"
                            << "SELECT * FROM Customers; DELETE FROM Customers"
                            << "SELECT * FROM Customers";
    QTest::newRow("SQLite, comment between")
        << demoDb() << "SQLite"
        << "SELECT * FROM Customers /* x */ ;DROP TABLE Customers"
        << "SELECT * FROM Customers";
    QTest::newRow("Access") << testData(QStringLiteral("DateTestDatabase.mdb"))
                            << "Microsoft.Jet.OLEDB.4.0"
                            << "SELECT * FROM DateTest; DELETE FROM DateTest"
                            << "SELECT * FROM DateTest";
    QTest::newRow("Access 2007") << testData(QStringLiteral("ASampleDatabase.accdb"))
                                 << "Microsoft.ACE.OLEDB.12.0"
                                 << "SELECT * FROM [Asset Items];DELETE FROM [Asset Items]"
                                 << "SELECT * FROM [Asset Items]";
}

void tst_RunSql::secondStatementNeverRuns()
{
    QFETCH(QString, file);
    QFETCH(QString, provider);
    QFETCH(QString, sql);
    QFETCH(QString, countSql);
    const QString copy =
        scratchCopy(file, QStringLiteral("two-statements-") + QFileInfo(file).fileName());
    QVERIFY(!copy.isEmpty());
    const QByteArray before = fileHash(copy);
    auto doc = newDocument(QStringLiteral("Provider=%1;Data Source=%2").arg(provider, copy));
    QCOMPARE(doc->openDataConnection(), 0);

    Recordset all;
    QCOMPARE(doc->RunSQL(countSql, all, 0), 0);
    const long rows = all.RecordCount();
    QVERIFY(rows > 0);

    Recordset rs;
    QCOMPARE(doc->RunSQL(sql, rs, 0), 2);
    QVERIFY(!doc->lastError()->message.isEmpty());

    Recordset again;
    QCOMPARE(doc->RunSQL(countSql, again, 0), 0);
    QCOMPARE(again.RecordCount(), rows);
    doc->CloseClean();
    QCOMPARE(fileHash(copy), before);
}

void tst_RunSql::closedConnectionSaysWhy()
{
    auto doc = newDocument(sqliteConnection(QStringLiteral("/nonexistent/x.db")));
    QCOMPARE(doc->openDataConnection(), 1);
    Recordset rs;
    QString sql = QStringLiteral("SELECT * FROM Categories");
    QCOMPARE(doc->RunSQL(sql, rs, 0), 2);
    // The entry names why the connection is closed, not only that it is.
    QVERIFY2(doc->lastError()->message.contains(QStringLiteral("x.db")),
             qPrintable(doc->lastError()->message));
}

MIRT_REGISTER_QUERY_TEST(tst_RunSql)
#include "tst_runsql.moc"
