// The demo database the build makes from examples/demo.sql: what the example
// reports and the other tests rely on finding in it.
#include "testsupport.h"

#include "platform/adotype.h"
#include "platform/connection.h"
#include "platform/recordset.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using namespace TestSupport;

namespace {

QVariant scalar(const Connection &c, const QString &sql)
{
    Recordset rs;
    rs.Open(sql, c);
    return rs.Eof() ? QVariant() : rs.value(0);
}

QByteArray dump(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {path, QStringLiteral(".dump")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QByteArray();
    return p.readAllStandardOutput();
}

} // namespace

class tst_DemoDatabase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void counts_data();
    void counts();
    void columnTypes_data();
    void columnTypes();
    void customerWithQuote();
    void longNotesOverSeveralLines();
    void viewTotalsMatchLines();
    void buildIsDeterministic();

private:
    Connection m_demo;
};

void tst_DemoDatabase::initTestCase()
{
    m_demo.Open(QStringLiteral("Provider=SQLite;Data Source=") + demoDb());
}

void tst_DemoDatabase::counts_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("a few hundred orders") << "SELECT count(*) FROM Orders" << 200 << 500;
    QTest::newRow("order lines") << "SELECT count(*) FROM [Order Details]" << 600 << 2000;
    QTest::newRow("customers") << "SELECT count(*) FROM Customers" << 20 << 50;
    QTest::newRow("products") << "SELECT count(*) FROM Products" << 30 << 60;
    QTest::newRow("categories with pictures")
        << "SELECT count(*) FROM Categories WHERE length(Picture) > 0" << 8 << 8;
    QTest::newRow("employees") << "SELECT count(*) FROM Employees" << 9 << 9;
    QTest::newRow("orders not shipped (NULL)") << "SELECT count(*) FROM Orders WHERE ShippedDate IS NULL"
                                               << 5 << 60;
    QTest::newRow("customers without fax (NULL)")
        << "SELECT count(*) FROM Customers WHERE Fax IS NULL" << 5 << 25;
    QTest::newRow("orders without lines") << "SELECT count(*) FROM Orders o WHERE NOT EXISTS "
                                             "(SELECT 1 FROM [Order Details] d WHERE d.OrderID = o.OrderID)"
                                          << 0 << 0;
    QTest::newRow("lines without product") << "SELECT count(*) FROM [Order Details] d LEFT JOIN "
                                              "Products p ON p.ProductID = d.ProductID WHERE "
                                              "p.ProductID IS NULL"
                                           << 0 << 0;
}

void tst_DemoDatabase::counts()
{
    QFETCH(QString, sql);
    QFETCH(int, low);
    QFETCH(int, high);
    const int n = scalar(m_demo, sql).toInt();
    QVERIFY2(n >= low && n <= high, qPrintable(QString::number(n)));
}

void tst_DemoDatabase::columnTypes_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("valueType");
    QTest::newRow("OrderID") << "OrderID" << int(AdoType::Integer) << int(QMetaType::Int);
    QTest::newRow("CustomerID") << "CustomerID" << int(AdoType::VarWChar) << int(QMetaType::QString);
    QTest::newRow("OrderDate") << "OrderDate" << int(AdoType::DBTimeStamp)
                               << int(QMetaType::QDateTime);
    QTest::newRow("RequiredDate") << "RequiredDate" << int(AdoType::DBDate) << int(QMetaType::QDate);
    QTest::newRow("Freight") << "Freight" << int(AdoType::Currency) << int(QMetaType::Double);
    QTest::newRow("Notes") << "Notes" << int(AdoType::LongVarWChar) << int(QMetaType::UnknownType);
}

void tst_DemoDatabase::columnTypes()
{
    QFETCH(QString, column);
    QFETCH(int, type);
    QFETCH(int, valueType);
    Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM Orders WHERE OrderID = 10002"), m_demo);
    const Field f = rs.Fields().Item(column);
    QCOMPARE(f.Type(), type);
    QCOMPARE(f.Value().metaType().id(), valueType);
}

void tst_DemoDatabase::customerWithQuote()
{
    Recordset rs;
    rs.Open(QStringLiteral("SELECT CustomerID, ContactName FROM Customers WHERE CompanyName = "
                           "'O''Brien & Sons Wholesale'"),
            m_demo);
    QCOMPARE(rs.RecordCount(), 1L);
    QCOMPARE(rs.value(1).toString(), QStringLiteral("Siobhán O'Brien"));
    QVERIFY(scalar(m_demo, QStringLiteral("SELECT count(*) FROM Orders WHERE CustomerID = '%1'")
                               .arg(rs.value(0).toString()))
                .toInt() > 0);
}

void tst_DemoDatabase::longNotesOverSeveralLines()
{
    Recordset rs;
    rs.Open(QStringLiteral("SELECT Notes FROM Orders WHERE length(Notes) > 255"), m_demo);
    QVERIFY(rs.RecordCount() >= 3);
    QVERIFY(rs.value(0).toString().count(QLatin1Char('\n')) >= 3);
}

void tst_DemoDatabase::viewTotalsMatchLines()
{
    const double view = scalar(m_demo, QStringLiteral("SELECT Total FROM [Order Totals] WHERE "
                                                      "OrderID = 10010"))
                            .toDouble();
    const double lines = scalar(m_demo, QStringLiteral("SELECT round(sum(UnitPrice * Quantity * "
                                                       "(1 - Discount)), 2) FROM [Order Details] "
                                                       "WHERE OrderID = 10010"))
                             .toDouble();
    QVERIFY(view > 0);
    QCOMPARE(view, lines);
}

void tst_DemoDatabase::buildIsDeterministic()
{
    const QString a = QDir(scratchDir()).filePath(QStringLiteral("demo-a.db"));
    const QString b = QDir(scratchDir()).filePath(QStringLiteral("demo-b.db"));
    const QString script = QStringLiteral(MIRT_SOURCE_DIR "/examples/demo.sql");
    for (const QString &target : {a, b}) {
        QProcess p;
        p.start(QStringLiteral("sqlite3"),
                {QStringLiteral("-bail"), target, QStringLiteral(".read ") + script});
        QVERIFY2(p.waitForFinished(60000) && p.exitCode() == 0,
                 p.readAllStandardError().constData());
    }
    const QByteArray first = dump(a);
    QVERIFY(first.size() > 10000);
    QCOMPARE(dump(b), first);
    QCOMPARE(dump(demoDb()), first);
}

MIRT_REGISTER_TEST(tst_DemoDatabase)
#include "tst_demodatabase.moc"
