// /check on real reports: what it prints and the status it ends with.
#include "querysupport.h"

#include "program/checkcommand.h"
#include "document/section.h"
#include "document/talvodocument.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextStream>

using namespace QuerySupport;

namespace {

struct CheckRun
{
    int status = -1;
    QString out;
    QString err;
};

CheckRun runCheck(TalvoDocument &doc)
{
    CheckRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = runCheckCommand(doc, out, err);
    return run;
}

// Customers, their orders and each order's lines, on the demo database.
std::unique_ptr<TalvoDocument> ordersReport(const QString &connectionString)
{
    auto doc = newDocument(connectionString, 3);
    section *customers = dataSection(*doc, 1);
    customers->sectionName = QStringLiteral("Customers");
    customers->SQL = QStringLiteral("SELECT CustomerID, CompanyName\r\nFROM Customers\r\n"
                                    "ORDER BY CompanyName");
    section *orders = dataSection(*doc, 2);
    orders->sectionName = QStringLiteral("Orders");
    orders->sectionParent = 1;
    orders->SQL = QStringLiteral("SELECT OrderID, Freight FROM Orders WHERE CustomerID = "
                                 "'{[Customers].[CustomerID]}' ORDER BY OrderDate");
    section *lines = dataSection(*doc, 3);
    lines->sectionName = QStringLiteral("Order lines");
    lines->sectionParent = 2;
    lines->SQL = QStringLiteral("SELECT ProductID, Quantity FROM [Order Details] "
                                "WHERE OrderID = {[Orders].[OrderID]}");
    return doc;
}

} // namespace

class tst_CheckCommand : public QObject
{
    Q_OBJECT

private slots:
    void passingReport();
    void failingSections_data();
    void failingSections();
    void childOfAnEmptyParent();
    void connectionCannotBeOpened_data();
    void connectionCannotBeOpened();
    void reportFileBesideItsDatabase();
    void reportWithoutDataSections();
};

void tst_CheckCommand::passingReport()
{
    const QString copy = scratchCopy(demoDb(), QStringLiteral("check-demo.db"));
    const QByteArray before = fileHash(copy);
    auto doc = ordersReport(sqliteConnection(copy));
    const CheckRun run = runCheck(*doc);
    QCOMPARE(run.status, int(CheckPassed));
    QVERIFY(run.err.isEmpty());
    // Orders of ALPHA (the first customer by name), lines of its first order.
    const QString expected = QStringLiteral("d1 Customers\n"
                                            "  OK, 30 records\n"
                                            "    CustomerID\t202\n"
                                            "    CompanyName\t202\n"
                                            "\n"
                                            "d2 Orders\n"
                                            "  OK, 15 records\n"
                                            "    OrderID\t3\n"
                                            "    Freight\t6\n"
                                            "\n"
                                            "d3 Order lines\n"
                                            "  OK, 5 records\n"
                                            "    ProductID\t3\n"
                                            "    Quantity\t2\n"
                                            "\n");
    QCOMPARE(run.out, expected);
    doc.reset();
    QCOMPARE(fileHash(copy), before);
}

void tst_CheckCommand::failingSections_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing table") << 1 << "SELECT * FROM Clients"
                                   << "no such table: Clients";
    QTest::newRow("syntax error") << 2 << "SELECT OrderID FROM Orders WHERE"
                                  << "incomplete input";
    QTest::newRow("not a SELECT") << 3 << "DELETE FROM [Order Details]"
                                  << "Your query must start with 'SELECT'";
    QTest::newRow("second statement") << 3 << "SELECT * FROM Orders; DELETE FROM Orders"
                                      << "statement";
    QTest::newRow("missing field of the parent")
        << 2 << "SELECT OrderID FROM Orders WHERE CustomerID = '{[Customers].[Code]}'"
        << "Code";
}

void tst_CheckCommand::failingSections()
{
    QFETCH(int, section);
    QFETCH(QString, sql);
    QFETCH(QString, reason);
    const QString copy = scratchCopy(demoDb(), QStringLiteral("check-broken.db"));
    const QByteArray before = fileHash(copy);
    auto doc = ordersReport(sqliteConnection(copy));
    dataSection(*doc, section)->SQL = sql;
    const CheckRun run = runCheck(*doc);
    QVERIFY2(run.out.contains(reason), qPrintable(run.out));
    // A missing parent field is a note; the query itself still runs.
    if (sql.contains(QStringLiteral("Code"))) {
        QCOMPARE(run.status, int(CheckPassed));
        QVERIFY(run.out.contains(QStringLiteral("Note:")));
    } else {
        QCOMPARE(run.status, int(CheckSectionFailed));
        QVERIFY(run.out.contains(QStringLiteral("FAILED")));
    }
    // Every section has its block, also after a failure.
    for (const char *key : {"d1 Customers\n", "d2 Orders\n", "d3 Order lines\n"})
        QVERIFY(run.out.contains(QLatin1String(key)));
    doc.reset();
    QCOMPARE(fileHash(copy), before);
}

void tst_CheckCommand::childOfAnEmptyParent()
{
    auto doc = ordersReport(sqliteConnection(demoDb()));
    dataSection(*doc, 1)->SQL = QStringLiteral("SELECT CustomerID FROM Customers WHERE 0");
    const CheckRun run = runCheck(*doc);
    QCOMPARE(run.status, int(CheckPassed));
    QVERIFY(run.out.contains(QStringLiteral("d1 Customers\n  OK, 0 records\n")));
    QVERIFY2(run.out.contains(QStringLiteral(
                 "d2 Orders\n  (no parent record: references replaced by 0)\n  OK, 0 records")),
             qPrintable(run.out));
}

void tst_CheckCommand::connectionCannotBeOpened_data()
{
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << sqliteConnection(QStringLiteral("/nonexistent/gone.db"))
                                  << "gone.db";
    QTest::newRow("unknown provider") << "Provider=Foo.Bar;Data Source=x"
                                      << "Foo.Bar";
}

void tst_CheckCommand::connectionCannotBeOpened()
{
    QFETCH(QString, connectionString);
    QFETCH(QString, reason);
    auto doc = ordersReport(connectionString);
    const CheckRun run = runCheck(*doc);
    QCOMPARE(run.status, int(CheckNoConnection));
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.startsWith(QStringLiteral("Impossible to open the connection\n")));
    QVERIFY2(run.err.contains(reason), qPrintable(run.err));
}

void tst_CheckCommand::reportFileBesideItsDatabase()
{
    const QString folder = QDir(scratchDir()).filePath(QStringLiteral("check-report"));
    QDir().mkpath(folder);
    QFile::remove(folder + QStringLiteral("/orders.db"));
    QVERIFY(QFile::copy(demoDb(), folder + QStringLiteral("/orders.db")));
    const QString reportFile = folder + QStringLiteral("/orders.xml");
    {
        auto doc = ordersReport(QStringLiteral("Provider=SQLite;Data Source=orders.db"));
        QVERIFY(doc->SaveXML(reportFile));
    }
    TalvoDocument doc;
    QVERIFY(doc.loadXML(reportFile));
    doc.fileName = reportFile;
    const CheckRun run = runCheck(doc);
    QCOMPARE(run.status, int(CheckPassed));
    QVERIFY(run.out.contains(QStringLiteral("d3 Order lines\n  OK, 5 records")));
}

void tst_CheckCommand::reportWithoutDataSections()
{
    auto doc = newDocument(sqliteConnection(demoDb()), 0);
    doc->setReportHeader(true);
    const CheckRun run = runCheck(*doc);
    QCOMPARE(run.status, int(CheckPassed));
    QCOMPARE(run.out, QStringLiteral("The report has no data section.\n"));
}

MIRT_REGISTER_QUERY_TEST(tst_CheckCommand)
#include "tst_checkcommand.moc"
