// The database layer on real sources: the SQLite demo, the Access files, SQLite through ODBC,
// and the PostgreSQL and MariaDB servers scripts/run-tests.sh starts (skipped without).
#include "../datafixtures.h"
#include "data/sqlreferences.h"
#include "platform/accessimport.h"
#include "platform/accesssql.h"
#include "platform/adotype.h"
#include "platform/catalog.h"
#include "platform/connection.h"
#include "platform/connectionstring.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"
#include "platform/sqlstatement.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QImage>

Q_DECLARE_METATYPE(ConnectionString::Driver)

namespace {

enum class Kind
{
    Demo,
    Access,
    Postgres,
    MySql
};

QString accdb()
{
    return QStringLiteral("Provider=Microsoft.ACE.OLEDB.12.0;Data Source=") +
           testData(QStringLiteral("ASampleDatabase.accdb"));
}
QString mdb()
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
           testData(QStringLiteral("DateTestDatabase.mdb"));
}

// Why a server cannot be used; empty when it can.
QString serverProblem(const char *variable, const char *product)
{
    const QString connection = qEnvironmentVariable(variable);
    if (connection.isEmpty())
        return QStringLiteral("no %1 test server: %2 is not set (scripts/run-tests.sh starts one)")
            .arg(QLatin1String(product), QLatin1String(variable));
    try {
        Connection c;
        c.open(connection);
    } catch (const DatabaseError &e) {
        return QStringLiteral("the %1 test server does not answer: %2")
            .arg(QLatin1String(product), e.description());
    }
    return QString();
}
// Asked once, in initTestCase.
QString g_odbcProblem = QStringLiteral("ODBC not set up"), g_pgProblem, g_myProblem;
const QString odbcDriver = QStringLiteral("Mirt SQLite3");
QString odbcDemoDb()
{
    return scratchPath(QStringLiteral("odbc-demo.db"));
}

// Opens and reads everything; returns the error text, empty when all worked.
QString openAndReadAll(const QString &connection, const QStringList &queries)
{
    try {
        Connection c;
        c.open(connection);
        for (const QString &q : queries) {
            Recordset rs;
            for (rs.open(q, c); !rs.eof(); rs.moveNext()) {
                for (int i = 0; i < rs.fields().count(); ++i)
                    rs.fields().item(i).value();
            }
        }
    } catch (const DatabaseError &e) {
        return e.description().isEmpty() ? QStringLiteral("(empty description)") : e.description();
    }
    return QString();
}

// Flips about one byte in `every` after the first page, the same way each run.
QByteArray scrambled(QByteArray bytes, int every)
{
    quint32 state = 12345;
    for (qsizetype i = 4096; i < bytes.size(); ++i) {
        state = state * 1103515245u + 12345u;
        if ((state >> 16) % every == 0)
            bytes[i] = char(state >> 8);
    }
    return bytes;
}

QVariant scalar(const Connection &c, const QString &sql)
{
    Recordset rs;
    rs.open(sql, c);
    return rs.eof() ? QVariant() : rs.value(0);
}

QString sqliteDump(const QString &path)
{
    const ProgramRun dump = runProgram(QStringLiteral("sqlite3"), {path, QStringLiteral(".dump")});
    return dump.status == 0 ? dump.out : QString();
}

const QString productsSql = QStringLiteral(
    "SELECT ProductID, ProductName, UnitPrice, Discontinued, QuantityPerUnit FROM Products "
    "WHERE CategoryID = 1 ORDER BY ProductID");
const QString assetsSql =
    QStringLiteral("SELECT [Asset No], [Make], [Cost], [Warranty], [Comments] FROM [Asset Items] "
                   "WHERE [Asset Category] = 'General Equipment' ORDER BY [Asset No]");

} // namespace

class tst_Database : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(scratch().isValid());
        // A copy of the demo database as the ODBC data source "MirtDemo".
        QVERIFY(QFile::copy(demoDb(), odbcDemoDb()));
        g_odbcProblem =
            registerOdbc(scratch().path(), odbcDriver, QStringLiteral("MirtDemo"), odbcDemoDb());
        for (const QString &path : {demoDb(), testData(QStringLiteral("ASampleDatabase.accdb")),
                                    testData(QStringLiteral("DateTestDatabase.mdb"))}) {
            QVERIFY2(QFile::exists(path), qPrintable(path));
            m_hashes.insert(path, fileHash(path));
        }
        if (g_odbcProblem.isEmpty())
            m_hashes.insert(odbcDemoDb(), fileHash(odbcDemoDb()));
        g_pgProblem = serverProblem("MIRT_PG_CONN", "PostgreSQL");
        g_myProblem = serverProblem("MIRT_MYSQL_CONN", "MariaDB");
        if (g_pgProblem.isEmpty())
            createServerFixture(Kind::Postgres);
        if (g_myProblem.isEmpty())
            createServerFixture(Kind::MySql);

        // Damaged copies of the real files.
        const QByteArray mdbBytes = bytesIn(testData(QStringLiteral("DateTestDatabase.mdb")));
        const QByteArray accdbBytes = bytesIn(testData(QStringLiteral("ASampleDatabase.accdb")));
        const QByteArray demo = bytesIn(demoDb());
        const QByteArray text = QByteArray("this is no database\n").repeated(100);
        const QList<std::pair<QString, QByteArray>> files = {
            {"cut-first-page.mdb", mdbBytes.left(4096)},
            {"cut-middle.mdb", mdbBytes.left(100000)},
            {"scrambled-heavily.mdb", scrambled(mdbBytes, 10)},
            {"zeroed.mdb", mdbBytes.left(4096) + QByteArray(mdbBytes.size() - 4096, '\0')},
            {"text.mdb", text},
            {"empty.mdb", QByteArray()},
            {"cut.accdb", accdbBytes.left(accdbBytes.size() / 2)},
            {"scrambled.accdb", scrambled(accdbBytes, 50)},
            {"text.db", text},
            {"cut.db", demo.left(8192)},
            {"scrambled.db", scrambled(demo, 20)},
        };
        for (const auto &[name, bytes] : files) {
            QVERIFY(saveBytes(scratchPath(name), bytes));
            m_hashes.insert(scratchPath(name), fileHash(scratchPath(name)));
        }
        const QDir dir(scratch().path());
        QVERIFY(dir.mkpath(QStringLiteral("folder.db")));

        // Relative data sources beside the report and in the program's folder.
        QVERIFY(dir.mkpath(QStringLiteral("data")));
        QVERIFY(QFile::copy(demoDb(), scratchPath(QStringLiteral("data/sub.db"))));
        const QDir program(QCoreApplication::applicationDirPath());
        const QString pid = QString::number(QCoreApplication::applicationPid());
        m_programCopy = program.filePath(QStringLiteral("mirt-both-%1.db").arg(pid));
        QVERIFY(QFile::copy(demoDb(), m_programCopy));
        QVERIFY(QFile::copy(demoDb(), scratchPath(QFileInfo(m_programCopy).fileName())));
        m_programAccess = program.filePath(QStringLiteral("mirt-only-%1.accdb").arg(pid));
        QVERIFY(QFile::copy(testData(QStringLiteral("ASampleDatabase.accdb")), m_programAccess));
    }
    void cleanupTestCase()
    {
        QFile::remove(m_programCopy);
        QFile::remove(m_programAccess);
        for (auto it = m_hashes.cbegin(); it != m_hashes.cend(); ++it)
            QVERIFY2(fileHash(it.key()) == it.value(), qPrintable(it.key() + " changed"));
        // Nothing was created for a missing file.
        QVERIFY(!QFile::exists(scratchPath(QStringLiteral("missing.db"))));
    }

    // Every driver: the ADO behaviours the report code relies on.
    void connectionAndCursor_data() { addDriverRows(); }
    void connectionAndCursor()
    {
        const bool access = kind() == Kind::Access;
        const long expected = access ? 11 : 5;
        Connection c;
        Recordset rs;
        // A query on a connection never opened, and closing what was never open.
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.open(sql(), c));
        rs.close();
        if (!open(c))
            return;
        QCOMPARE(c.state(), 1);
        // Opening an open connection is refused, as ADO refuses it.
        QVERIFY_THROWS_EXCEPTION(DatabaseError, c.open());
        QCOMPARE(c.state(), 1);
        c.close();
        c.close();
        QCOMPARE(c.state(), 0);
        // The same object opens again from its stored string.
        c.open();
        QCOMPARE(c.state(), 1);

        Catalog cat;
        cat.setActiveConnection(&c);
        QStringList tables, views;
        for (const CatalogEntry &e : cat.Tables())
            tables << e.Name.toLower();
        for (const CatalogEntry &e : cat.Views())
            views << e.Name.toLower();
        if (kind() == Kind::Demo) {
            QCOMPARE(tables, (QStringList{"categories", "customers", "employees", "order details",
                                          "orders", "products"}));
            QCOMPARE(views, (QStringList{"order totals", "product list"}));
        } else if (access) {
            QCOMPARE(tables, QStringList{"asset items"});
            QVERIFY(views.isEmpty());
        } else {
            QVERIFY2(tables.contains("products") && tables.contains("categories"),
                     qPrintable(tables.join(", ")));
        }

        // The database browser's clip string; the cursor moves on.
        Recordset clip;
        clip.open(sql(), c);
        const QString tab = QStringLiteral("\t"), space = QStringLiteral(" ");
        const QString first = clip.GetString(2, 1, tab, space, QString());
        const QString second = clip.GetString(2, 1, tab, space, QString());
        if (access) {
            QCOMPARE(first, QStringLiteral("30061\tBrenda\t350\t3\t "));
            QCOMPARE(second, QStringLiteral("30071\tSandly\t6799\t24\t "));
            QCOMPARE(clip.absolutePosition(), 3L);
        } else {
            QCOMPARE(first,
                     QStringLiteral("1\tHighland Breakfast Tea\t4.5\tFalse\t20 bags x 2 g "));
            QCOMPARE(second, QStringLiteral("2\tMocha Java Blend\t12.75\tFalse\t500 g bag "));
            QCOMPARE(clip.GetString(2, -1, QStringLiteral("|"), QStringLiteral("\n"),
                                    QStringLiteral("<null>")),
                     QStringLiteral("3|Decaf Colombian|9.9|True|250 g tin\n"
                                    "4|Jasmine Pearls|18.6|False|100 g box\n"
                                    "5|Dutch Cocoa Powder|7.2|False|<null>\n"));
            QVERIFY(clip.eof());
            QVERIFY_THROWS_EXCEPTION(DatabaseError, clip.GetString());
        }

        rs.open(sql(), c, -1, -1, -1);
        QCOMPARE(rs.state(), 1);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.open(sql(), c));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.GetString(1));
        QVERIFY(!rs.eof() && !rs.bof());
        // The traversal's sequence: to the last row and back, then count.
        rs.moveLast();
        QVERIFY(!rs.eof());
        rs.moveFirst();
        QCOMPARE(rs.recordCount(), expected);
        long seen = 0;
        for (; !rs.eof(); rs.moveNext())
            ++seen;
        QCOMPARE(seen, expected);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.moveNext());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.fields().item(0).value());
        rs.movePrevious();
        QCOMPARE(rs.absolutePosition(), expected);
        rs.moveFirst();
        rs.movePrevious();
        QVERIFY(rs.bof());
        QCOMPARE(rs.absolutePosition(), long(Recordset::adPosBOF));

        rs.setAbsolutePosition(3);
        QCOMPARE(rs.fields().item(0).value().toString(),
                 access ? QStringLiteral("30072") : QStringLiteral("3"));
        rs.moveNext();
        QCOMPARE(rs.absolutePosition(), 4L);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.setAbsolutePosition(0));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.setAbsolutePosition(expected + 1));
        QCOMPARE(rs.absolutePosition(), 4L);
        rs.setAbsolutePosition(expected);
        rs.moveNext();
        QVERIFY(rs.eof());
        QCOMPARE(rs.absolutePosition(), long(Recordset::adPosEOF));

        // MaxRecords limits the rows and is fixed while open.
        Recordset limited;
        limited.setMaxRecords(2);
        limited.open(sql(), c);
        QCOMPARE(limited.recordCount(), 2L);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, limited.setMaxRecords(3));
        limited.close();
        limited.setMaxRecords(0); // no limit
        limited.open(sql(), c);
        QCOMPARE(limited.recordCount(), expected);

        // The snapshot outlives the connection.
        c.close();
        rs.moveFirst();
        QVERIFY(rs.fields().item(0).value().isValid());
        rs.close();
        QCOMPARE(rs.state(), 0);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.recordCount());
    }
    void fieldsAndNulls_data() { addDriverRows(); }
    void fieldsAndNulls()
    {
        const Kind k = kind();
        const bool access = k == Kind::Access;
        QList<int> types{AdoType::Integer, AdoType::VarWChar, AdoType::Currency, AdoType::Boolean,
                         AdoType::VarWChar};
        QList<int> valueTypes{QMetaType::Int, QMetaType::QString, QMetaType::Double,
                              QMetaType::Bool, QMetaType::QString};
        if (access) {
            types = {AdoType::VarWChar, AdoType::VarWChar, AdoType::Currency, AdoType::Integer,
                     AdoType::LongVarWChar};
            valueTypes = {QMetaType::QString, QMetaType::QString, QMetaType::Double, QMetaType::Int,
                          QMetaType::UnknownType};
        } else if (k == Kind::Postgres || k == Kind::MySql) {
            types[2] = AdoType::Numeric;
        } else if (QByteArray(QTest::currentDataTag()) == "odbc dsn") {
            // The SQLite ODBC driver gives types it does not know as VARCHAR text.
            types = {AdoType::Integer, AdoType::VarChar, AdoType::VarChar, AdoType::Boolean,
                     AdoType::VarChar};
            valueTypes[2] = QMetaType::QString;
        }
        Connection c;
        if (!open(c))
            return;
        Recordset rs;
        rs.open(sql(), c);
        FieldCollection fields = rs.fields();
        QCOMPARE(fields.count(), 5);
        QList<int> got, gotValues;
        for (int i = 0; i < fields.count(); ++i) {
            got << fields.item(i).type();
            gotValues << fields.item(i).value().metaType().id();
        }
        QCOMPARE(got, types);
        QCOMPARE(gotValues, valueTypes);

        const QString second = access ? QStringLiteral("Make") : QStringLiteral("ProductName");
        QCOMPARE(fields.item(1).name().toLower(), second.toLower());
        // Names are found in any letter case, and the field follows the cursor.
        Field byName = fields.item(second.toUpper());
        QCOMPARE(byName.value(), fields.item(1).value());
        const QVariant before = byName.value();
        rs.moveNext();
        QVERIFY(byName.value() != before);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, fields.item(QStringLiteral("NoSuchField")));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, fields.item(5));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, fields.item(-1));
        QCOMPARE(fields.indexOf(QStringLiteral("nosuchfield")), -1);
        // A field kept past Close reports the closed recordset.
        rs.close();
        QCOMPARE(rs.fields().count(), 0);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, byName.value());

        rs.open(sql(), c);
        if (!access)
            rs.setAbsolutePosition(5); // Dutch Cocoa Powder has no QuantityPerUnit
        const Field f = rs.fields().item(4);
        QVERIFY(f.value().isNull() && !f.value().isValid());
        QCOMPARE(f.actualSize(), 0L);
        QVERIFY(f.chunk(100).isEmpty());

        Recordset empty;
        empty.open(access ? QStringLiteral("SELECT * FROM [Asset Items] WHERE [Cost] < 0")
                          : QStringLiteral("SELECT * FROM Products WHERE UnitPrice < 0"),
                   c);
        QVERIFY(empty.eof() && empty.bof());
        // An empty recordset counts zero rows; moving to its ends is harmless.
        empty.moveLast();
        empty.moveFirst();
        QCOMPARE(empty.recordCount(), 0L);
        QVERIFY(empty.eof());
        QVERIFY(empty.fields().count() > 3);
    }
    void binaryChunks_data() { addDriverRows(false); }
    // The Access test files hold no binary column.
    void binaryChunks()
    {
        Connection c;
        if (!open(c))
            return;
        Recordset rs;
        rs.open(QStringLiteral("SELECT CategoryName, Picture FROM Categories ORDER BY CategoryID"),
                c);
        QCOMPARE(rs.recordCount(), 8L);
        Field picture = rs.fields().item(QStringLiteral("Picture"));
        QVERIFY(AdoType::isBinary(picture.type()));
        for (; !rs.eof(); rs.moveNext()) {
            const long size = picture.actualSize();
            QVERIFY(size > 50);
            const QByteArray whole = picture.chunk(size);
            QCOMPARE(long(whole.size()), size);
            QVERIFY(picture.chunk(size).isEmpty());
            QImage image;
            QVERIFY(image.loadFromData(whole, "PNG"));
            QCOMPARE(image.size(), QSize(32, 32));
        }
        // Chunks continue where the last one stopped, and start again on a new row.
        rs.moveFirst();
        const QByteArray a = picture.chunk(10);
        const QByteArray b = picture.chunk(1000000);
        QCOMPARE(long(a.size() + b.size()), picture.actualSize());
        rs.moveNext();
        rs.movePrevious();
        QCOMPARE(picture.chunk(10), a);
    }
    void refusedQueries_data() { addDriverRows(); }
    // A failing query names the driver's reason; no write runs on the read-only connection.
    void refusedQueries()
    {
        const Kind k = kind();
        const bool access = k == Kind::Access, server = k == Kind::Postgres || k == Kind::MySql;
        const QString table = access ? QStringLiteral("[Asset Items]") : QStringLiteral("Products");
        Connection c;
        if (!open(c))
            return;
        const QString all = QStringLiteral("SELECT count(*) FROM ") + table;
        const long before = scalar(c, all).toInt();
        const QList<std::pair<QString, QString>> attempts = {
            {QStringLiteral("SELECT * FROM Products WHERE ORDER BY"), QStringLiteral("syntax")},
            {QStringLiteral("SELECT * FROM NoSuchTable"), server ? "exist" : "no such table"},
            {QStringLiteral("SELECT NoSuchColumn FROM ") + table, k == Kind::MySql
                                                                      ? "Unknown column"
                                                                  : server ? "does not exist"
                                                                           : "no such column"},
            {QStringLiteral("SELECT * FROM %1; DELETE FROM %1").arg(table), {}},
            {QStringLiteral("SELECT 'x\\'; DELETE FROM %1; --' FROM %1").arg(table), {}},
            {QStringLiteral("DELETE FROM %1").arg(table), {}},
            {QStringLiteral("UPDATE %1 SET %2 = %2").arg(table, access ? "[Make]" : "ProductName"),
             {}},
            {QStringLiteral("CREATE TABLE MirtProbe (a integer)"), {}},
        };
        for (const auto &[attempt, expected] : attempts) {
            Recordset rs;
            try {
                rs.open(attempt, c);
                QFAIL(qPrintable(QStringLiteral("ran: ") + attempt));
            } catch (const DatabaseError &e) {
                QVERIFY2(!e.description().isEmpty() &&
                             e.description().contains(expected, Qt::CaseInsensitive),
                         qPrintable(attempt + QStringLiteral(": ") + e.description()));
            }
            QCOMPARE(rs.state(), 0);
        }
        // A final ';' alone is fine.
        Recordset ok;
        ok.open(QStringLiteral("SELECT * FROM %1 ;  ").arg(table), c);
        QCOMPARE(ok.recordCount(), before);
        c.close();
        c.open();
        QCOMPARE(scalar(c, all).toInt(), before);
        Catalog cat;
        cat.setActiveConnection(&c);
        for (const CatalogEntry &e : cat.Tables())
            QVERIFY(e.Name.compare(QLatin1String("MirtProbe"), Qt::CaseInsensitive) != 0);
    }
    // set_config is a function a SELECT may call; the per-query read-only
    // transaction still keeps a later SELECT … INTO from writing.
    void postgresSessionCannotBeMadeWritable()
    {
        if (!g_pgProblem.isEmpty())
            QSKIP(qPrintable(g_pgProblem));
        Connection c;
        c.open(qEnvironmentVariable("MIRT_PG_CONN"));
        Recordset rs;
        rs.open(QStringLiteral("SELECT set_config('default_transaction_read_only', 'off', false)"),
                c);
        rs.close();
        try {
            rs.open(QStringLiteral("SELECT * INTO MirtCopy FROM Products"), c);
            QFAIL("SELECT INTO wrote a table");
        } catch (const DatabaseError &e) {
            QVERIFY2(e.description().contains(QLatin1String("read-only")),
                     qPrintable(e.description()));
        }
    }
    void parentValuesStayValues_data() { addDriverRows(false); }
    // Parent values inserted into a child query compare as values, never run as SQL.
    void parentValuesStayValues()
    {
        Connection c;
        if (!open(c))
            return;
        for (const char *value : {"x\\' OR 1=1 -- ", "x\\", "' OR '1'='1", "0 OR 1=1"}) {
            for (const char *where : {"ProductName = '{[P].[Name]}'", "ProductID = {[P].[Name]}"}) {
                const QString built = substituteSqlReferences(
                    QStringLiteral("SELECT ProductID FROM Products WHERE ") + QLatin1String(where),
                    [&](const QString &) { return QVariant(QString::fromLatin1(value)); });
                Recordset rs;
                try {
                    rs.open(built, c);
                    QVERIFY2(rs.eof(), qPrintable(built));
                } catch (const DatabaseError &e) {
                    // A text compared with a number may be refused; never run as SQL.
                    QVERIFY2(!QByteArray(where).contains('\''),
                             qPrintable(built + QStringLiteral(": ") + e.description()));
                }
            }
        }
        // The quoting keeps real values matching.
        Recordset rs;
        rs.open(substituteSqlReferences(
                    QStringLiteral("SELECT ProductID FROM Products WHERE ProductName = '{N}'"),
                    [](const QString &) { return QVariant(QStringLiteral("Mocha Java Blend")); }),
                c);
        QCOMPARE(rs.recordCount(), 1L);
    }

    // Access files: their values and types, Access SQL as authors write it.
    void accessDates_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QDate>("dateTime");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QDate>("time");
        dataRow("year 9999", 2, QDate(9999, 1, 1), QDate(9999, 1, 1), QDate(9999, 1, 1));
        dataRow("before 1000", 4, QDate(632, 1, 1), QDate(633, 1, 1), QDate(634, 1, 1));
    }
    // Dates mdbtools' own export shows as "01/00/00" are kept exactly; memos keep line breaks.
    void accessDates()
    {
        QFETCH(int, id);
        QFETCH(QDate, dateTime);
        Connection c;
        c.open(mdb());
        Recordset rs;
        rs.open(
            QStringLiteral("SELECT DateTimeCol, DateCol, TimeCol FROM DateTest WHERE IDCol = %1")
                .arg(id),
            c);
        QCOMPARE(rs.recordCount(), 1L);
        QCOMPARE(rs.fields().item(0).type(), int(AdoType::Date));
        QCOMPARE(rs.value(0).toDateTime(), QDateTime(dateTime, QTime(0, 0), Qt::UTC));
        QTEST(rs.value(1).toDateTime().date(), "date");
        QTEST(rs.value(2).toDateTime().date(), "time");
        // Sorting and comparing dates works across the centuries.
        QVERIFY(scalar(c, QStringLiteral("SELECT count(*) FROM DateTest WHERE DateTimeCol <= #%1#")
                              .arg(dateTime.toString(QStringLiteral("yyyy-MM-dd"))))
                    .toInt() >= 1);
        const QString memo =
            scalar(c, QStringLiteral("SELECT LongTextCol FROM DateTest WHERE IDCol = 6"))
                .toString();
        QVERIFY2(memo.startsWith(QLatin1String("New line")) && memo.contains(QLatin1Char('\n')),
                 qPrintable(memo));
        QCOMPARE(scalar(c, QStringLiteral("SELECT LongTextCol FROM DateTest WHERE IDCol = 5")),
                 QVariant(QStringLiteral("Escaped new line \\r\\n in field")));
    }
    void accessColumnTypes_data()
    {
        QTest::addColumn<bool>("ace");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("type");
        QTest::addColumn<long>("size");
        QTest::newRow("Long Integer") << false << "IDCol" << int(AdoType::Integer) << 4L;
        QTest::newRow("Memo") << false << "LongTextCol" << int(AdoType::LongVarWChar)
                              << 2147483647L;
        QTest::newRow("Text(255)") << false << "ShortTextCol" << int(AdoType::VarWChar) << 255L;
        QTest::newRow("Text(5) in ACE") << true << "Asset No" << int(AdoType::VarWChar) << 5L;
        QTest::newRow("Currency") << true << "Cost" << int(AdoType::Currency) << 8L;
    }
    void accessColumnTypes()
    {
        QFETCH(bool, ace);
        QFETCH(QString, column);
        Connection c;
        c.open(ace ? accdb() : mdb());
        Recordset rs;
        rs.setMaxRecords(1);
        rs.open(ace ? QStringLiteral("SELECT * FROM [Asset Items]")
                    : QStringLiteral("SELECT * FROM DateTest"),
                c);
        const Field f = rs.fields().item(column);
        QTEST(f.type(), "type");
        QTEST(f.definedSize(), "size");
    }
    // Access SQL on the ACE file: rows and the first value (of asset 30050 for expressions).
    void jetSql_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<long>("rows");
        QTest::addColumn<QVariant>("first");
        const auto row = [](const char *name, const QString &sql, long rows,
                            const QVariant &first) { QTest::newRow(name) << sql << rows << first; };
        const auto where = [&](const char *name, const char *condition, long rows,
                               const QVariant &first) {
            row(name, QStringLiteral("SELECT [Asset No] FROM [Asset Items] WHERE ") + condition,
                rows, first);
        };
        const auto expression = [&](const char *name, const char *expr, const QVariant &value) {
            row(name,
                QStringLiteral("SELECT %1 AS X FROM [Asset Items] WHERE [Asset No] = '30050'")
                    .arg(QLatin1String(expr)),
                1, value);
        };
        row("table-qualified names, double-quoted text, as Access writes them",
            "SELECT [Asset Items].[Asset No], [Asset Items].Make FROM [Asset Items] WHERE "
            "((([Asset Items].[Asset Category])=\"Computer Hardware\")) ORDER BY [Asset "
            "Items].[Owner]",
            24, {});
        where("LIKE with *", "[Make] LIKE 'geo*'", 12, "30050");
        where("LIKE with ?", "[Model] LIKE 'H44?'", 4, "30073");
        where("text compares without case", "[Model] = '220ZX' ORDER BY [Asset No] DESC", 6,
              "30105");
        row("TOP n", "SELECT TOP 3 [Asset No], [Cost] FROM [Asset Items] ORDER BY [Cost] DESC", 3,
            "30071");
        row("DISTINCTROW",
            "SELECT DISTINCTROW [Asset No] FROM [Asset Items] WHERE [Owner] = 'Sales'", 25, {});
        where("date literal, US order", "[Acquired] < #1/1/1999# ORDER BY [Asset No]", 10, "30050");
        row("nested joins in parentheses",
            "SELECT a.[Asset No] FROM ([Asset Items] AS a INNER JOIN [Asset Items] AS b ON "
            "a.[Asset No] = b.[Asset No]) INNER JOIN [Asset Items] AS c ON b.[Asset No] = "
            "c.[Asset No] WHERE c.[Owner] = \"Sales\" ORDER BY a.[Asset No]",
            25, "30050");
        where("Mod", "[Warranty] Mod 12 = 0", 40, {});
        where("Year()", "Year([Acquired]) = 1998", 6, {});
        expression("& joins texts", "[Make] & \" \" & [Model]", QVariant("GEO Rocket 220ZX"));
        expression("UCase, Left", "UCase(Left([Make], 3))", QVariant("GEO"));
        expression("Mid", "Mid([Make], 5, 3)", QVariant("Roc"));
        expression("Right", "Right([Serial No], 3)", QVariant("667"));
        expression("InStr", "InStr([Make], 'rock')", QVariant(5));
        expression("Nz of Null", "Nz([Comments], 'none')", QVariant("none"));
        expression("IIf", "IIf([Cost] > 1000, 'dear', 'cheap')", QVariant("dear"));
        expression("Month, Day", "Month([Acquired]) * 100 + Day([Acquired])", QVariant(902));
        expression("CInt rounds half to even", "CInt(2.5) + CInt(3.5)", QVariant(6));
        expression("Int", "Int([Cost])", QVariant(1995.0));
        expression("Val", "Val(' 12 34abc')", QVariant(1234.0));
        expression("currency arithmetic", "[Cost] * 2", QVariant(3991.0));
        expression("DateSerial", "DateSerial(1999, 14, 1)", QVariant("2000-02-01 00:00:00"));
        expression("Weekday: Tuesday", "Weekday([Acquired])", QVariant(3));
    }
    void jetSql()
    {
        QFETCH(QString, sql);
        QFETCH(QVariant, first);
        Connection c;
        c.open(accdb());
        Recordset rs;
        try {
            rs.open(sql, c);
        } catch (const DatabaseError &e) {
            QFAIL(qPrintable(e.description()));
        }
        QTEST(rs.recordCount(), "rows");
        if (first.metaType().id() == QMetaType::QString)
            QCOMPARE(rs.value(0).toString(), first.toString());
        else if (first.metaType().id() == QMetaType::Double)
            QCOMPARE(rs.value(0).toDouble(), first.toDouble());
        else if (first.isValid())
            QCOMPARE(rs.value(0), first);
    }
    // Jet date serials and Access date literals as the text the copy stores.
    void dateText_data()
    {
        QTest::addColumn<QVariant>("input"); // a serial, or the inside of #…#
        QTest::addColumn<QString>("text");
        const auto row = [](const char *name, const QVariant &input, const char *text) {
            QTest::newRow(name) << input << QString::fromLatin1(text);
        };
        row("before zero, with time", -1.25, "1899-12-29 06:00:00");
        row("rounds to the second", 45000.99998, "2023-03-15 23:59:58");
        row("rounds into the next day", 45000.9999999999, "2023-03-16 00:00:00");
        row("first Jet day", -657434.0, "0100-01-01 00:00:00");
        row("not a number", qQNaN(), "");
        row("far out", 1e12, "");
        row("ISO", "1999-03-06", "1999-03-06 00:00:00");
        row("with time", "3/6/1999 14:05:09", "1999-03-06 14:05:09");
        row("PM", "3/6/1999 2:05 PM", "1999-03-06 14:05:00");
        row("12 AM", "3/6/1999 12:00 AM", "1999-03-06 00:00:00");
        row("two-digit year", "1/2/29", "2029-01-02 00:00:00");
        row("two-digit year 30", "1/2/30", "1930-01-02 00:00:00");
        row("time only", "10:30", "1899-12-30 10:30:00");
        row("no such day", "2/30/1999", "");
        row("not a date", "hello", "");
    }
    void dateText()
    {
        QFETCH(QVariant, input);
        QTEST(input.metaType().id() == QMetaType::Double ? AccessImport::dateText(input.toDouble())
                                                         : AccessSql::dateLiteral(input.toString()),
              "text");
    }

    // Connection strings; an empty key: the text is malformed.
    void connectionValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        dataRow("key in any case", "provider=SQLite;DATA SOURCE=demo.db", "data source", "demo.db");
        dataRow("spaces around", "  Provider = SQLite ;  Data Source =  my demo.db  ",
                "Data Source", "my demo.db");
        dataRow("double quoted with ;", "Data Source=\"a;b.db\";Provider=SQLite", "Data Source",
                "a;b.db");
        dataRow("single quoted, doubled quote", "Password='it''s;secret';User ID=x", "Password",
                "it's;secret");
        dataRow("both quotes", "Password='\"x\" ''y''';User ID=x", "Password", "\"x\" 'y'");
        dataRow("braces hold ; and }}", "PWD={a;b}}c};DSN=x", "PWD", "a;b}c");
        dataRow("== in a key", "a==b=1", "a=b", "1");
        dataRow("last of two wins", "Data Source=a.db;Data Source=b.db", "Data Source", "b.db");
        dataRow("empty pairs skipped", ";;Provider=SQLite;;Data Source=x.db;", "Provider",
                "SQLite");
        dataRow("empty value", "Password=;User ID=u", "Password", "");
        dataRow("missing key", "Provider=SQLite", "Data Source", "");
        dataRow("no =", "Provider=SQLite;demo.db", "", "");
        dataRow("unclosed quote", "Data Source=\"demo.db", "", "");
        dataRow("unclosed brace", "Driver={SQLite3", "", "");
        dataRow("text after quote", "Data Source='a' b;Provider=SQLite", "", "");
        dataRow("no key", "=value", "", "");
    }
    void connectionValues()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const ConnectionString cs(text);
        if (key.isEmpty()) {
            QVERIFY(!cs.isValid());
            QVERIFY(cs.errorString().contains(QLatin1String("OLE DB")));
            QVERIFY(cs.pairs().isEmpty());
            return;
        }
        QVERIFY2(cs.isValid(), qPrintable(cs.errorString()));
        QCOMPARE(cs.value(key), expected);
        // What toString() writes reads back the same (the document dialogs rebuild strings).
        QCOMPARE(ConnectionString(cs.toString()).value(key), expected);
        if (!key.contains(u'=')) // ODBC keys cannot hold '='
            QCOMPARE(ConnectionString(cs.toOdbcString()).value(key), expected);
    }
    // The driver a string goes to, and the key its refusal names (empty: may reach it);
    // refused keys, driver files and braces are run end to end in tst_untrusted.
    void route_data()
    {
        using D = ConnectionString::Driver;
        QTest::addColumn<QString>("text");
        QTest::addColumn<D>("driver");
        QTest::addColumn<QString>("key");
        const auto row = [](const char *name, const char *text, D driver, const char *key = "") {
            QTest::newRow(name) << QString::fromLatin1(text) << driver << QString::fromLatin1(key);
        };
        row("ACE 16, any case", "provider=microsoft.ace.oledb.16.0;data source=x.accdb", D::Access);
        // Version is no ODBC key, but no ODBC driver reads this string.
        row("SQLite driver form", "Driver=SQLite3;Database=x.db;Version=3", D::Sqlite);
        row("SQLite through MSDASQL", "Provider=MSDASQL;Driver={SQLite3};Database=x.db", D::Sqlite);
        row("ODBC server form",
            "Driver={PostgreSQL Unicode};Server=h;Port=5432;Database=d;UID=u;PWD=p;SSLmode=require",
            D::Odbc);
        row("DSN", "DSN=Sales;UID=u", D::Odbc);
        row("FILEDSN", "FILEDSN=/etc/x.dsn", D::Odbc, "FILEDSN");
        row("PostgreSQL", "Provider=PostgreSQL;Host=h;Database=d", D::PostgreSql);
        row("MySQL", "Provider=MySQL;Server=h;Database=d", D::MySql);
        row("no provider, .mdb", "Data Source=reports\\x.MDB", D::Access);
        row("no provider, other file", "Data Source=x.sqlite", D::Sqlite);
        row("unknown provider", "Provider=SQLOLEDB;Data Source=srv", D::Unknown);
        row("nothing usable", "User ID=x", D::Unknown);
        row("trace, any spelling", "DSN=Sales;TRACE_FILE=/tmp/t", D::Odbc, "TRACE_FILE");
        row("driver file, relative", "Driver=lib.so;Server=h", D::Odbc, "Driver");
        row("driver file, Windows", "Driver=C:\\x\\y.dll;Server=h", D::Odbc, "Driver");
        row("line break in an ODBC value", "DSN=Sales;UID=a\nb", D::Odbc, "UID");
    }
    void route()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        const ConnectionString cs(text);
        QVERIFY(cs.isValid());
        QTEST(cs.driver(), "driver");
        const QString why = cs.refusal();
        if (key.isEmpty())
            QVERIFY2(why.isEmpty(), qPrintable(why));
        else
            QVERIFY2(why.contains(u'"' + key + u'"'), qPrintable(why));
    }
    // Text after ';' never reaches a driver in any dialect; `at` -1: accepted as `runs`.
    void singleStatement_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("runs");
        const auto row = [](const char *name, const char *sql, int at = -1,
                            const char *runs = nullptr) {
            QTest::newRow(name) << QString::fromUtf8(sql) << at
                                << QString::fromUtf8(runs ? runs : sql);
        };
        row("final ; and spaces", "SELECT * FROM t ;  \r\n", -1, "SELECT * FROM t");
        row("two final ;", "SELECT 1 FROM t;;", -1, "SELECT 1 FROM t");
        row("comment after ;", "SELECT 1 FROM t; -- done", -1, "SELECT 1 FROM t");
        row("block comment after ;", "SELECT 1 FROM t; /* x; y */", -1, "SELECT 1 FROM t");
        row("; in a doubled-quote string", "SELECT * FROM t WHERE a = 'it''s;'");
        row("; in double quotes", "SELECT \"a;b\" FROM t");
        row("; in backquotes", "SELECT `a;b` FROM t");
        row("; in a comment", "SELECT 1 -- a; b\nFROM t");
        row("empty", "");
        row("DELETE after SELECT", "SELECT * FROM t; DELETE FROM t", 15);
        row("after a comment", "SELECT 1 /* ; */ FROM t; DELETE FROM t", 23);
        // MySQL reads 'x\'' as one string: the ';' after it separates.
        row("MySQL backslash escape", "SELECT 'x\\''; DELETE FROM t; -- '", 12);
        // Standard SQL ends the string at the second quote.
        row("backslash is no escape", "SELECT 'a\\'; DELETE FROM t; --'", 11);
        // MySQL needs a space after "--" for a comment.
        row("MySQL --x is no comment", "SELECT 1 --x; DELETE FROM t", 12);
        // MySQL runs the inside of /*! … */.
        row("MySQL executable comment", "SELECT 1 /*! ; DELETE FROM t */", 13);
        // PostgreSQL nests comments: the ';' after the first "*/" is still inside.
        row("PostgreSQL nested comment", "SELECT 1 /* /* */ ; DELETE FROM t */", 18);
        // For other dialects $$…$$ is no string.
        row("dollar quote", "SELECT $$; DELETE FROM t; $$", 9);
        // Brackets quote names only in some dialects.
        row("bracket hides ;", "SELECT a[1] FROM t [; DELETE FROM t]", 20);
    }
    void singleStatement()
    {
        QFETCH(QString, sql);
        QFETCH(int, at);
        QCOMPARE(SqlStatement::secondStatementAt(sql), qsizetype(at));
        if (at < 0) {
            QTEST(SqlStatement::single(sql), "runs");
            return;
        }
        try {
            SqlStatement::single(sql);
            QFAIL("a second statement was let through");
        } catch (const DatabaseError &e) {
            QVERIFY2(e.description().contains(QString::number(at + 1)),
                     qPrintable(e.description()));
        }
    }

    // A relative Data Source: beside the report first, then the program's folder.
    void dataSource_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<bool>("withBaseDir");
        QTest::addColumn<QString>("expected"); // "report:", "program:" or "absolute:" + file name
        const QString both = QFileInfo(m_programCopy).fileName();
        const QString only = QFileInfo(m_programAccess).fileName();
        dataRow("report folder before program folder", sqlite(both), true, "report:" + both);
        dataRow("program folder when not beside the report",
                "Provider=Microsoft.ACE.OLEDB.12.0;Data Source=" + only, true, "program:" + only);
        dataRow("program folder without a report folder", sqlite(both), false, "program:" + both);
        dataRow("subfolder written on Windows", sqlite("data\\sub.db"), true, "report:data/sub.db");
        dataRow("absolute path", sqlite(demoDb()), true, "absolute:" + demoDb());
        dataRow("in neither", sqlite("nowhere.db"), true, "missing:nowhere.db");
    }
    void dataSource()
    {
        QFETCH(QString, connection);
        QFETCH(bool, withBaseDir);
        QFETCH(QString, expected);
        const QString where = expected.section(QLatin1Char(':'), 0, 0);
        const QString name = expected.section(QLatin1Char(':'), 1);
        const QDir program(QCoreApplication::applicationDirPath());
        Connection c;
        if (withBaseDir)
            c.setBaseDir(scratch().path());
        if (where == u"missing") {
            try {
                c.open(connection);
                QFAIL("opened");
            } catch (const DatabaseError &e) {
                QVERIFY2(e.description().startsWith(QLatin1String("File not found: ") + name),
                         qPrintable(e.description()));
                QVERIFY(e.description().contains(scratchPath(name)));
                QVERIFY(e.description().contains(program.filePath(name)));
            }
            return;
        }
        c.open(connection);
        const QString path = where == u"report"    ? scratchPath(name)
                             : where == u"program" ? program.filePath(name)
                                                   : name;
        QCOMPARE(c.dataSourcePath(), QFileInfo(path).absoluteFilePath());
    }

    // Broken sources give an error, never a crash, and change no file.
    void openFaults_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QStringList>("expected");
        const QString dir = scratch().path() + QLatin1Char('/');
        const auto row = [](const char *name, const QString &connection,
                            const QStringList &expected) {
            QTest::newRow(name) << connection << expected;
        };
        row("only spaces and ;", " ; ; ", {"empty"});
        row("malformed", "Provider=SQLite;Data Source=\"demo.db", {"OLE DB"});
        row("nothing usable", "User ID=admin;Password=x", {"names no provider"});
        row("no data source", "Provider=SQLite", {"no Data Source"});
        row("bad port", "Provider=PostgreSQL;Host=127.0.0.1;Port=eighty", {"port"});
        row("missing SQLite file", sqlite(dir + "missing.db"),
            {"File not found: " + dir + "missing.db"});
        row("SQLite folder", sqlite(dir + "folder.db"), {"is a folder"});
        // Nothing listens on port 1 of the loopback address.
        row("PostgreSQL unreachable",
            "Provider=PostgreSQL;Host=127.0.0.1;Port=1;Database=x;User ID=x;Password=x",
            {"connection", "refused"});
        row("MySQL host:port spelling", "Provider=MySQL;Server=127.0.0.1:1;Database=x;User ID=x",
            {"Can't connect"});
        row("unknown DSN", "DSN=NoSuchSource", {"odbc", "Data source name not found"});
        // The SQLite ODBC driver would create the missing file.
        row("ODBC on a missing file",
            QStringLiteral("Driver={%1};Database=%2missing.db").arg(odbcDriver, dir), {"odbc"});
    }
    void openFaults()
    {
        QFETCH(QString, connection);
        QFETCH(QStringList, expected);
        const bool odbc = expected.first() == u"odbc";
        if (odbc && !g_odbcProblem.isEmpty())
            QSKIP(qPrintable(g_odbcProblem));
        Connection c;
        try {
            c.open(connection);
            Recordset rs;
            rs.open(QStringLiteral("SELECT * FROM Orders"), c);
            QFAIL("opened");
        } catch (const DatabaseError &e) {
            for (const QString &word : expected.mid(odbc ? 1 : 0))
                QVERIFY2(e.description().contains(word, Qt::CaseInsensitive),
                         qPrintable(e.description()));
        }
        if (!odbc)
            QCOMPARE(c.state(), 0);
    }
    void corruptFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("queries");
        for (const char *name : {"cut-first-page.mdb", "cut-middle.mdb", "scrambled-heavily.mdb",
                                 "zeroed.mdb", "text.mdb", "empty.mdb"})
            QTest::newRow(name) << QString::fromLatin1(name)
                                << QStringList{"SELECT * FROM DateTest"};
        for (const char *name : {"cut.accdb", "scrambled.accdb"})
            QTest::newRow(name) << QString::fromLatin1(name)
                                << QStringList{"SELECT * FROM [Asset Items]"};
        for (const char *name : {"text.db", "cut.db", "scrambled.db"})
            QTest::newRow(name) << QString::fromLatin1(name)
                                << QStringList{"SELECT * FROM Orders",
                                               "SELECT * FROM \"Order Details\"",
                                               "SELECT * FROM Categories"};
    }
    void corruptFiles()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, queries);
        const QString path = scratchPath(file);
        const bool access = !file.endsWith(QLatin1String(".db"));
        const QString error = openAndReadAll(
            access ? QStringLiteral("Provider=Microsoft.ACE.OLEDB.12.0;Data Source=") + path
                   : sqlite(path),
            queries);
        QVERIFY2(!error.isEmpty(), "a damaged file read without an error");
        if (access)
            QVERIFY2(error.contains(path), qPrintable(error));
    }
    void wrongPassword()
    {
        if (!g_pgProblem.isEmpty())
            QSKIP(qPrintable(g_pgProblem));
        const QString right = qEnvironmentVariable("MIRT_PG_PWCONN");
        if (right.isEmpty())
            QSKIP("MIRT_PG_PWCONN is not set: the test server has no password user");
        QString wrong = right;
        wrong.replace(QLatin1String("Password=mirt-secret"), QLatin1String("Password=not-it"));
        QVERIFY(wrong != right);
        const QString error = openAndReadAll(wrong, {});
        QVERIFY2(error.contains(QLatin1String("password authentication failed")),
                 qPrintable(error));
        // The password given to Open replaces the one in the string.
        Connection c;
        c.open(wrong, QString(), QStringLiteral("mirt-secret"));
        QCOMPARE(c.state(), 1);
        QCOMPARE(openAndReadAll(right, {}), QString());
    }

    // The demo database: counts the examples and other tests rely on, within low..high.
    void demoContents_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        const auto row = [](const char *name, const char *from, int low, int high) {
            QTest::newRow(name) << QStringLiteral("SELECT count(*) FROM ") + QString::fromUtf8(from)
                                << low << high;
        };
        row("a few hundred orders", "Orders", 200, 500);
        row("orders not shipped (NULL)", "Orders WHERE ShippedDate IS NULL", 5, 60);
        row("customers without fax (NULL)", "Customers WHERE Fax IS NULL", 5, 25);
        row("orders without lines",
            "Orders o WHERE NOT EXISTS (SELECT 1 FROM [Order Details] d WHERE d.OrderID = "
            "o.OrderID)",
            0, 0);
        row("lines without product",
            "[Order Details] d LEFT JOIN Products p ON p.ProductID = d.ProductID WHERE "
            "p.ProductID IS NULL",
            0, 0);
        row("customer with a quote, and orders",
            "Orders o JOIN Customers c ON c.CustomerID = o.CustomerID WHERE c.CompanyName = "
            "'O''Brien & Sons Wholesale' AND c.ContactName = 'Siobhán O''Brien'",
            1, 100);
        row("long notes over several lines",
            "Orders WHERE length(Notes) > 255 AND Notes LIKE '%' || char(10) || '%' || char(10) "
            "|| '%' || char(10) || '%'",
            3, 1000);
        row("view totals differ from their lines",
            "[Order Totals] t WHERE t.Total IS NULL OR abs(t.Total - (SELECT round(sum(UnitPrice "
            "* Quantity * (1 - Discount)), 2) FROM [Order Details] d WHERE d.OrderID = "
            "t.OrderID)) > 0.005",
            0, 0);
    }
    void demoContents()
    {
        QFETCH(QString, sql);
        QFETCH(int, low);
        QFETCH(int, high);
        Connection c;
        c.open(sqlite(demoDb()));
        const int n = scalar(c, sql).toInt();
        QVERIFY2(n >= low && n <= high, qPrintable(QString::number(n)));
    }
    void demoBuildIsDeterministic()
    {
        const QString a = scratchPath(QStringLiteral("demo-a.db"));
        const QString b = scratchPath(QStringLiteral("demo-b.db"));
        for (const QString &target : {a, b}) {
            const ProgramRun build =
                runProgram(QStringLiteral("sqlite3"),
                           {QStringLiteral("-bail"), target,
                            QStringLiteral(".read " MIRT_SOURCE_DIR "/examples/demo.sql")});
            QVERIFY2(build.status == 0, qPrintable(build.err));
        }
        const QString first = sqliteDump(a);
        QVERIFY(first.size() > 10000);
        QCOMPARE(sqliteDump(b), first);
        QCOMPARE(sqliteDump(demoDb()), first);
    }

private:
    void addDriverRows(bool withAccess = true)
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("problem");
        const int demo = int(Kind::Demo);
        dataRow("sqlite", sqlite(demoDb()), demo, QString());
        if (withAccess)
            dataRow("access accdb", accdb(), int(Kind::Access), QString());
        dataRow("odbc dsn", "DSN=MirtDemo", demo, g_odbcProblem);
        // The Driver form of the SQLite ODBC driver goes to the built-in route.
        dataRow("odbc driver",
                QStringLiteral("Driver={%1};Database=%2").arg(odbcDriver, odbcDemoDb()), demo,
                g_odbcProblem);
        dataRow("postgresql", qEnvironmentVariable("MIRT_PG_CONN"), int(Kind::Postgres),
                g_pgProblem);
        dataRow("mysql", qEnvironmentVariable("MIRT_MYSQL_CONN"), int(Kind::MySql), g_myProblem);
    }
    // the row's connection, or skips the row
    bool open(Connection &c)
    {
        QFETCH(QString, connection);
        QFETCH(QString, problem);
        if (!problem.isEmpty()) {
            QTest::qSkip(qPrintable(problem), __FILE__, __LINE__);
            return false;
        }
        try {
            c.open(connection);
        } catch (const DatabaseError &e) {
            QTest::qFail(qPrintable(QStringLiteral("Open failed: ") + e.description()), __FILE__,
                         __LINE__);
            return false;
        }
        return true;
    }
    Kind kind() const
    {
        QFETCH(int, kind);
        return Kind(kind);
    }
    QString sql() const { return kind() == Kind::Access ? assetsSql : productsSql; }
    // The demo's categories and products, copied to the server through QtSql.
    void createServerFixture(Kind kind)
    {
        const bool pg = kind == Kind::Postgres;
        const ConnectionString cs(qEnvironmentVariable(pg ? "MIRT_PG_CONN" : "MIRT_MYSQL_CONN"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(
                pg ? QStringLiteral("QPSQL") : QStringLiteral("QMYSQL"), QStringLiteral("fixture"));
            db.setHostName(cs.value(ConnectionString::hostKeys()));
            db.setPort(cs.value(QStringLiteral("Port")).toInt());
            db.setDatabaseName(cs.value(ConnectionString::databaseKeys()));
            db.setUserName(cs.value(ConnectionString::userKeys()));
            db.setPassword(cs.value(ConnectionString::passwordKeys()));
            QVERIFY2(db.open(), qPrintable(db.lastError().text()));
            QSqlQuery q(db);
            const QStringList ddl = {
                QStringLiteral("DROP TABLE IF EXISTS Products"),
                QStringLiteral("DROP TABLE IF EXISTS Categories"),
                QStringLiteral("CREATE TABLE Categories (CategoryID integer PRIMARY KEY, "
                               "CategoryName varchar(30) NOT NULL, Picture %1)")
                    .arg(pg ? QLatin1String("bytea") : QLatin1String("longblob")),
                QStringLiteral(
                    "CREATE TABLE Products (ProductID integer PRIMARY KEY, ProductName "
                    "varchar(40) NOT NULL, CategoryID integer, QuantityPerUnit varchar(30), "
                    "UnitPrice numeric(10,2), UnitsInStock smallint, Discontinued boolean)"),
            };
            for (const QString &s : ddl)
                QVERIFY2(q.exec(s), qPrintable(q.lastError().text()));
            Connection demo;
            demo.open(sqlite(demoDb()));
            for (const char *columns : {"CategoryID, CategoryName, Picture FROM Categories",
                                        "ProductID, ProductName, CategoryID, QuantityPerUnit, "
                                        "UnitPrice, UnitsInStock, Discontinued FROM Products"}) {
                Recordset rs;
                rs.open(QStringLiteral("SELECT ") + QLatin1String(columns), demo);
                const int count = rs.fields().count();
                QVERIFY(q.prepare(QStringLiteral("INSERT INTO %1 VALUES (%2)")
                                      .arg(QString::fromLatin1(columns).section(u' ', -1),
                                           QStringList(count, QStringLiteral("?")).join(u','))));
                for (; !rs.eof(); rs.moveNext()) {
                    for (int i = 0; i < count; ++i) {
                        const QVariant v = rs.value(i);
                        q.bindValue(i, v.isValid() ? v : QVariant(QMetaType::fromType<QString>()));
                    }
                    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
                }
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    }

    QHash<QString, QByteArray> m_hashes; // files nothing may change
    QString m_programCopy, m_programAccess;
};

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_database.moc"
