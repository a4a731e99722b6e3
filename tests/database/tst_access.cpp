// Access files through mdbtools: their values and types, and Access SQL as
// report authors write it, on the real test files.
#include "testsupport.h"

#include "platform/accessimport.h"
#include "platform/accesssql.h"
#include "platform/adotype.h"
#include "platform/connection.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"

#include <QDateTime>
#include <QTest>

using namespace TestSupport;

namespace {

QString mdbConnection()
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
           testData(QStringLiteral("DateTestDatabase.mdb"));
}

QString accdbConnection()
{
    return QStringLiteral("Provider=Microsoft.ACE.OLEDB.12.0;Data Source=") +
           testData(QStringLiteral("ASampleDatabase.accdb"));
}

} // namespace

class tst_Access : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void datesOutsideCommonRange_data();
    void datesOutsideCommonRange();
    void dateText_data();
    void dateText();
    void columnTypes_data();
    void columnTypes();
    void memoKeepsLineBreaks();
    void jetSql_data();
    void jetSql();
    void jetExpressions_data();
    void jetExpressions();
    void dateLiteral_data();
    void dateLiteral();

private:
    Connection m_mdb;
    Connection m_accdb;
};

void tst_Access::initTestCase()
{
    m_mdb.Open(mdbConnection());
    m_accdb.Open(accdbConnection());
}

void tst_Access::cleanupTestCase()
{
    m_mdb.Close();
    m_accdb.Close();
}

void tst_Access::datesOutsideCommonRange_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QDate>("dateTime");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QDate>("time");
    QTest::newRow("2021") << 1 << QDate(2021, 12, 2) << QDate(2021, 12, 2) << QDate(2021, 12, 2);
    QTest::newRow("year 9999") << 2 << QDate(9999, 1, 1) << QDate(9999, 1, 1) << QDate(9999, 1, 1);
    QTest::newRow("before 1900") << 3 << QDate(1898, 1, 1) << QDate(1899, 1, 1)
                                 << QDate(1900, 1, 1);
    QTest::newRow("before 1000") << 4 << QDate(632, 1, 1) << QDate(633, 1, 1) << QDate(634, 1, 1);
}

// mdbtools' own text export shows these dates as "01/00/00"; the copy keeps
// them exactly.
void tst_Access::datesOutsideCommonRange()
{
    QFETCH(int, id);
    QFETCH(QDate, dateTime);
    QFETCH(QDate, date);
    QFETCH(QDate, time);
    Recordset rs;
    rs.Open(QStringLiteral("SELECT DateTimeCol, DateCol, TimeCol FROM DateTest WHERE IDCol = %1")
                .arg(id),
            m_mdb);
    QCOMPARE(rs.RecordCount(), 1L);
    QCOMPARE(rs.Fields().Item(0).Type(), int(AdoType::Date));
    QCOMPARE(rs.value(0).toDateTime(), QDateTime(dateTime, QTime(0, 0), Qt::UTC));
    QCOMPARE(rs.value(1).toDateTime().date(), date);
    QCOMPARE(rs.value(2).toDateTime().date(), time);
    // Sorting and comparing dates works across the centuries.
    Recordset sorted;
    sorted.Open(QStringLiteral("SELECT IDCol FROM DateTest WHERE DateTimeCol <= #%1# "
                               "ORDER BY DateTimeCol")
                    .arg(dateTime.toString(QStringLiteral("yyyy-MM-dd"))),
                m_mdb);
    QVERIFY(sorted.RecordCount() >= 1);
}

void tst_Access::dateText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "1899-12-30 00:00:00";
    QTest::newRow("noon") << 2.5 << "1900-01-01 12:00:00";
    QTest::newRow("before zero, with time") << -1.25 << "1899-12-29 06:00:00";
    QTest::newRow("rounds to the second") << 45000.99998 << "2023-03-15 23:59:58";
    QTest::newRow("rounds into the next day") << 45000.9999999999 << "2023-03-16 00:00:00";
    QTest::newRow("first Jet day") << -657434.0 << "0100-01-01 00:00:00";
    QTest::newRow("last Jet day") << 2958465.0 << "9999-12-31 00:00:00";
    QTest::newRow("not a number") << qQNaN() << "";
    QTest::newRow("far out") << 1e12 << "";
}

void tst_Access::dateText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(AccessImport::dateText(value), text);
}

void tst_Access::columnTypes_data()
{
    QTest::addColumn<bool>("accdb");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("type");
    QTest::addColumn<long>("size");
    QTest::newRow("Long Integer") << false << "IDCol" << int(AdoType::Integer) << 4L;
    QTest::newRow("Date/Time") << false << "DateTimeCol" << int(AdoType::Date) << 8L;
    QTest::newRow("Memo") << false << "LongTextCol" << int(AdoType::LongVarWChar) << 2147483647L;
    QTest::newRow("Text(255)") << false << "ShortTextCol" << int(AdoType::VarWChar) << 255L;
    QTest::newRow("Text(5) in ACE") << true << "Asset No" << int(AdoType::VarWChar) << 5L;
    QTest::newRow("Currency") << true << "Cost" << int(AdoType::Currency) << 8L;
    QTest::newRow("Long Integer in ACE") << true << "Warranty" << int(AdoType::Integer) << 4L;
}

void tst_Access::columnTypes()
{
    QFETCH(bool, accdb);
    QFETCH(QString, column);
    QFETCH(int, type);
    QFETCH(long, size);
    Recordset rs;
    rs.setMaxRecords(1);
    rs.Open(accdb ? QStringLiteral("SELECT * FROM [Asset Items]")
                  : QStringLiteral("SELECT * FROM DateTest"),
            accdb ? m_accdb : m_mdb);
    const Field f = rs.Fields().Item(column);
    QCOMPARE(f.Type(), type);
    QCOMPARE(f.DefinedSize(), size);
}

void tst_Access::memoKeepsLineBreaks()
{
    Recordset rs;
    rs.Open(QStringLiteral("SELECT LongTextCol, ShortTextCol FROM DateTest WHERE IDCol = 6"),
            m_mdb);
    const QString memo = rs.value(0).toString();
    QVERIFY2(memo.startsWith(QLatin1String("New line")) && memo.endsWith(QLatin1String("in field")),
             qPrintable(memo));
    QVERIFY(memo.contains(QLatin1Char('\n')));
    QCOMPARE(rs.value(1).toString(), QStringLiteral("No new line"));
    Recordset escaped;
    escaped.Open(QStringLiteral("SELECT LongTextCol FROM DateTest WHERE IDCol = 5"), m_mdb);
    QCOMPARE(escaped.value(0).toString(), QStringLiteral("Escaped new line \\r\\n in field"));
}

void tst_Access::jetSql_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<long>("rows");
    QTest::addColumn<QString>("first");

    QTest::newRow("SELECT * of a bracketed name")
        << "SELECT * FROM [Asset Items]" << 65L << "30050";
    QTest::newRow("double-quoted text literal")
        << "SELECT [Asset No] FROM [Asset Items] WHERE [Asset Category]=\"Computer Hardware\" "
           "ORDER BY [Asset No]"
        << 24L << "30050";
    QTest::newRow("table-qualified names, as Access writes them")
        << "SELECT [Asset Items].[Asset No], [Asset Items].Make FROM [Asset Items] WHERE "
           "((([Asset Items].[Asset Category])=\"Computer Hardware\")) ORDER BY [Asset Items].[Owner]"
        << 24L << QString();
    QTest::newRow("LIKE with *") << "SELECT [Asset No] FROM [Asset Items] WHERE [Make] LIKE 'geo*'"
                                 << 12L << "30050";
    QTest::newRow("LIKE with %") << "SELECT [Asset No] FROM [Asset Items] WHERE [Make] LIKE 'GEO%'"
                                 << 12L << "30050";
    QTest::newRow("LIKE with ?") << "SELECT [Asset No] FROM [Asset Items] WHERE [Model] LIKE 'H44?'"
                                 << 4L << "30073";
    QTest::newRow("text compares without case")
        << "SELECT [Asset No] FROM [Asset Items] WHERE [Model] = '220ZX' ORDER BY [Asset No] DESC"
        << 6L << "30105";
    QTest::newRow("TOP n") << "SELECT TOP 3 [Asset No], [Cost] FROM [Asset Items] ORDER BY [Cost] DESC"
                           << 3L << "30071";
    QTest::newRow("DISTINCTROW")
        << "SELECT DISTINCTROW [Asset No] FROM [Asset Items] WHERE [Owner] = 'Sales'" << 25L
        << QString();
    QTest::newRow("date literal, US order")
        << "SELECT [Asset No] FROM [Asset Items] WHERE [Acquired] < #1/1/1999# ORDER BY [Asset No]"
        << 10L << "30050";
    QTest::newRow("date literal equality")
        << "SELECT [Asset No] FROM [Asset Items] WHERE [Acquired] = #1999-03-06# ORDER BY 1"
        << 2L << "30066";
    QTest::newRow("BETWEEN dates")
        << "SELECT [Asset No] FROM [Asset Items] WHERE [Acquired] BETWEEN #12/12/1998# AND "
           "#12/14/1998# ORDER BY [Asset No]"
        << 5L << "30055";
    QTest::newRow("nested joins in parentheses")
        << "SELECT a.[Asset No] FROM ([Asset Items] AS a INNER JOIN [Asset Items] AS b ON "
           "a.[Asset No] = b.[Asset No]) INNER JOIN [Asset Items] AS c ON b.[Asset No] = "
           "c.[Asset No] WHERE c.[Owner] = \"Sales\" ORDER BY a.[Asset No]"
        << 25L << "30050";
    QTest::newRow("LEFT JOIN") << "SELECT a.[Asset No] FROM [Asset Items] AS a LEFT JOIN "
                                  "[Asset Items] AS b ON a.[Asset No] = b.[Supplier No]"
                               << 65L << QString();
    QTest::newRow("GROUP BY with Count")
        << "SELECT [Owner], Count(*) AS N FROM [Asset Items] GROUP BY [Owner] ORDER BY [Owner]"
        << 5L << "Admin & Accounts";
    QTest::newRow("Mod") << "SELECT [Asset No] FROM [Asset Items] WHERE [Warranty] Mod 12 = 0"
                         << 40L << QString();
    QTest::newRow("Year()") << "SELECT [Asset No] FROM [Asset Items] WHERE Year([Acquired]) = 1998"
                            << 6L << QString();
    QTest::newRow("Len()") << "SELECT [Model] FROM [Asset Items] WHERE Len([Model]) > 10" << 10L
                           << QString();
    QTest::newRow("IS NULL") << "SELECT [Asset No] FROM [Asset Items] WHERE [Comments] IS NULL"
                             << 65L << QString();
}

void tst_Access::jetSql()
{
    QFETCH(QString, sql);
    QFETCH(long, rows);
    QFETCH(QString, first);
    Recordset rs;
    rs.Open(sql, m_accdb);
    QCOMPARE(rs.RecordCount(), rows);
    if (!first.isEmpty())
        QCOMPARE(rs.value(0).toString(), first);
}

void tst_Access::jetExpressions_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("& joins texts") << "[Make] & \" \" & [Model]" << QVariant("GEO Rocket 220ZX");
    QTest::newRow("UCase, Left") << "UCase(Left([Make], 3))" << QVariant("GEO");
    QTest::newRow("Mid, 2 args") << "Mid([Make], 5)" << QVariant("Rocket");
    QTest::newRow("Mid, 3 args") << "Mid([Make], 5, 3)" << QVariant("Roc");
    QTest::newRow("Right") << "Right([Serial No], 3)" << QVariant("667");
    QTest::newRow("InStr") << "InStr([Make], 'rock')" << QVariant(5);
    QTest::newRow("Nz of Null") << "Nz([Comments], 'none')" << QVariant("none");
    QTest::newRow("IIf") << "IIf([Cost] > 1000, 'dear', 'cheap')" << QVariant("dear");
    QTest::newRow("Month, Day") << "Month([Acquired]) * 100 + Day([Acquired])" << QVariant(902);
    QTest::newRow("CInt rounds half to even") << "CInt(2.5) + CInt(3.5)" << QVariant(6);
    QTest::newRow("Int") << "Int([Cost])" << QVariant(1995.0);
    QTest::newRow("Val") << "Val(' 12 34abc')" << QVariant(1234.0);
    QTest::newRow("currency arithmetic") << "[Cost] * 2" << QVariant(3991.0);
    QTest::newRow("DateSerial") << "DateSerial(1999, 14, 1)" << QVariant("2000-02-01 00:00:00");
    QTest::newRow("Weekday: Tuesday") << "Weekday([Acquired])" << QVariant(3);
}

void tst_Access::jetExpressions()
{
    QFETCH(QString, expression);
    QFETCH(QVariant, value);
    Recordset rs;
    try {
        rs.Open(QStringLiteral("SELECT %1 AS X FROM [Asset Items] WHERE [Asset No] = '30050'")
                    .arg(expression),
                m_accdb);
    } catch (const DatabaseError &e) {
        QFAIL(qPrintable(e.description()));
    }
    QCOMPARE(rs.RecordCount(), 1L);
    QVariant got = rs.value(0);
    if (value.metaType().id() == QMetaType::Double)
        got = got.toDouble();
    QCOMPARE(got, value);
}

void tst_Access::dateLiteral_data()
{
    QTest::addColumn<QString>("inside");
    QTest::addColumn<QString>("text");
    QTest::newRow("US") << "3/6/1999" << "1999-03-06 00:00:00";
    QTest::newRow("ISO") << "1999-03-06" << "1999-03-06 00:00:00";
    QTest::newRow("with time") << "3/6/1999 14:05:09" << "1999-03-06 14:05:09";
    QTest::newRow("PM") << "3/6/1999 2:05 PM" << "1999-03-06 14:05:00";
    QTest::newRow("12 AM") << "3/6/1999 12:00 AM" << "1999-03-06 00:00:00";
    QTest::newRow("two-digit year") << "1/2/29" << "2029-01-02 00:00:00";
    QTest::newRow("two-digit year 30") << "1/2/30" << "1930-01-02 00:00:00";
    QTest::newRow("time only") << "10:30" << "1899-12-30 10:30:00";
    QTest::newRow("no such day") << "2/30/1999" << "";
    QTest::newRow("not a date") << "hello" << "";
}

void tst_Access::dateLiteral()
{
    QFETCH(QString, inside);
    QFETCH(QString, text);
    QCOMPARE(AccessSql::dateLiteral(inside), text);
}

MIRT_REGISTER_TEST(tst_Access)
#include "tst_access.moc"
