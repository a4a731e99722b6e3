// The ADO behaviours the report code relies on, on every real driver: the
// SQLite demo database (both connection-string forms), an Access file,
// SQLite through ODBC (DSN form; the Driver form goes to the built-in
// route) and the PostgreSQL and MariaDB test servers.
#include "testsupport.h"

#include "data/sqlreferences.h"
#include "platform/adotype.h"
#include "platform/catalog.h"
#include "platform/connection.h"
#include "platform/connectionstring.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"

#include <QImage>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace TestSupport;

namespace {

const QString productsSql = QStringLiteral(
    "SELECT ProductID, ProductName, UnitPrice, Discontinued, QuantityPerUnit FROM Products "
    "WHERE CategoryID = 1 ORDER BY ProductID");
const QString assetsSql =
    QStringLiteral("SELECT [Asset No], [Make], [Cost], [Warranty], [Comments] FROM [Asset Items] "
                   "WHERE [Asset Category] = 'General Equipment' ORDER BY [Asset No]");

enum class Kind
{
    Demo,
    Access,
    Postgres,
    MySql
};

struct Case
{
    const char *name;
    QString connection;
    Kind kind;
    QString problem; // why the row cannot run here
};

QList<Case> cases()
{
    const QString demo = demoDb();
    return {
        {"sqlite", QStringLiteral("Provider=SQLite;Data Source=") + demo, Kind::Demo, {}},
        {"sqlite driver form", QStringLiteral("Driver=SQLite3;Database=") + demo, Kind::Demo, {}},
        {"access accdb",
         QStringLiteral("Provider=Microsoft.ACE.OLEDB.12.0;Data Source=") +
             testData(QStringLiteral("ASampleDatabase.accdb")),
         Kind::Access,
         {}},
        {"odbc dsn", QStringLiteral("DSN=") + odbcDsnName(), Kind::Demo, odbcProblem()},
        {"odbc driver",
         QStringLiteral("Driver={%1};Database=%2").arg(odbcDriverName(), odbcDemoDb()), Kind::Demo,
         odbcProblem()},
        {"postgresql", pgConnection(), Kind::Postgres, pgProblem()},
        {"mysql", myConnection(), Kind::MySql, myProblem()},
    };
}

} // namespace

class tst_Drivers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void openStateClose_data() { addRows(); }
    void openStateClose();
    void catalogListsTables_data() { addRows(); }
    void catalogListsTables();
    void recordCountAndMoves_data() { addRows(); }
    void recordCountAndMoves();
    void getStringClipFormat_data() { addRows(); }
    void getStringClipFormat();
    void fields_data();
    void fields();
    void nullAndEmpty_data() { addRows(); }
    void nullAndEmpty();
    void binaryChunks_data();
    void binaryChunks();
    void queryErrors_data();
    void queryErrors();
    void writesNeverRun_data() { addRows(); }
    void writesNeverRun();
    void postgresSessionCannotBeMadeWritable();
    void parentValuesStayValues_data() { addRows(); }
    void parentValuesStayValues();

private:
    void addRows();
    // Opens the row's connection, or skips the row with the reason.
    bool open(Connection &c);
    QString sql() const;
    long tableRows(Connection &c);
    void createServerFixture(Kind kind);

    QByteArray m_demoHash;
    QByteArray m_accdbHash;
};

void tst_Drivers::addRows()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("problem");
    for (const Case &c : cases())
        QTest::newRow(c.name) << c.connection << int(c.kind) << c.problem;
}

bool tst_Drivers::open(Connection &c)
{
    QFETCH(QString, connection);
    QFETCH(QString, problem);
    if (!problem.isEmpty()) {
        QTest::qSkip(qPrintable(problem), __FILE__, __LINE__);
        return false;
    }
    try {
        c.Open(connection);
    } catch (const DatabaseError &e) {
        QTest::qFail(qPrintable(QStringLiteral("Open failed: ") + e.description()), __FILE__,
                     __LINE__);
        return false;
    }
    return true;
}

QString tst_Drivers::sql() const
{
    QFETCH(int, kind);
    return Kind(kind) == Kind::Access ? assetsSql : productsSql;
}

long tst_Drivers::tableRows(Connection &c)
{
    QFETCH(int, kind);
    Recordset rs;
    rs.Open(Kind(kind) == Kind::Access ? QStringLiteral("SELECT * FROM [Asset Items]")
                                       : QStringLiteral("SELECT * FROM Products"),
            c);
    return rs.RecordCount();
}

void tst_Drivers::initTestCase()
{
    m_demoHash = fileHash(demoDb());
    m_accdbHash = fileHash(testData(QStringLiteral("ASampleDatabase.accdb")));
    QVERIFY2(!m_demoHash.isEmpty(), "the build makes bin/demo.db");
    QVERIFY(!m_accdbHash.isEmpty());
    if (pgProblem().isEmpty())
        createServerFixture(Kind::Postgres);
    if (myProblem().isEmpty())
        createServerFixture(Kind::MySql);
}

void tst_Drivers::cleanupTestCase()
{
    // Nothing the tests ran may have touched the files.
    QCOMPARE(fileHash(demoDb()), m_demoHash);
    QCOMPARE(fileHash(testData(QStringLiteral("ASampleDatabase.accdb"))), m_accdbHash);
}

// The server gets the demo's categories and products, read through the
// layer itself and written with a writable connection of the test's own.
void tst_Drivers::createServerFixture(Kind kind)
{
    const bool pg = kind == Kind::Postgres;
    const ConnectionString cs(pg ? pgConnection() : myConnection());
    QSqlDatabase db = QSqlDatabase::addDatabase(pg ? QStringLiteral("QPSQL") : QStringLiteral("QMYSQL"),
                                                QStringLiteral("fixture"));
    db.setHostName(cs.value(ConnectionString::hostKeys()));
    db.setPort(cs.value(QStringLiteral("Port")).toInt());
    db.setDatabaseName(cs.value(ConnectionString::databaseKeys()));
    db.setUserName(cs.value(ConnectionString::userKeys()));
    db.setPassword(cs.value(ConnectionString::passwordKeys()));
    QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    {
        QSqlQuery q(db);
        const QStringList ddl = {
            QStringLiteral("DROP TABLE IF EXISTS Products"),
            QStringLiteral("DROP TABLE IF EXISTS Categories"),
            QStringLiteral("CREATE TABLE Categories (CategoryID integer PRIMARY KEY, "
                           "CategoryName varchar(30) NOT NULL, Picture %1)")
                .arg(pg ? QLatin1String("bytea") : QLatin1String("longblob")),
            QStringLiteral("CREATE TABLE Products (ProductID integer PRIMARY KEY, ProductName "
                           "varchar(40) NOT NULL, CategoryID integer, QuantityPerUnit varchar(30), "
                           "UnitPrice numeric(10,2), UnitsInStock smallint, Discontinued boolean)"),
        };
        for (const QString &s : ddl)
            QVERIFY2(q.exec(s), qPrintable(q.lastError().text()));

        Connection demo;
        demo.Open(QStringLiteral("Provider=SQLite;Data Source=") + demoDb());
        Recordset cats;
        cats.Open(QStringLiteral("SELECT CategoryID, CategoryName, Picture FROM Categories"), demo);
        QVERIFY(q.prepare(QStringLiteral("INSERT INTO Categories VALUES (?, ?, ?)")));
        for (; !cats.Eof(); cats.MoveNext()) {
            for (int i = 0; i < 3; ++i)
                q.bindValue(i, cats.value(i));
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        }
        Recordset products;
        products.Open(QStringLiteral("SELECT ProductID, ProductName, CategoryID, QuantityPerUnit, "
                                     "UnitPrice, UnitsInStock, Discontinued FROM Products"),
                      demo);
        QVERIFY(q.prepare(QStringLiteral("INSERT INTO Products VALUES (?, ?, ?, ?, ?, ?, ?)")));
        for (; !products.Eof(); products.MoveNext()) {
            for (int i = 0; i < 7; ++i) {
                QVariant v = products.value(i);
                if (i == 3 && !v.isValid())
                    v = QVariant(QMetaType::fromType<QString>());
                q.bindValue(i, v);
            }
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        }
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
}

void tst_Drivers::openStateClose()
{
    Connection c;
    QCOMPARE(c.State(), 0);
    if (!open(c))
        return;
    QCOMPARE(c.State(), 1);
    // Opening an open connection is refused, as ADO refuses it.
    QVERIFY_THROWS_EXCEPTION(DatabaseError, c.Open());
    QCOMPARE(c.State(), 1);
    c.Close();
    QCOMPARE(c.State(), 0);
    c.Close();
    QCOMPARE(c.State(), 0);
    // The same object opens again from its stored string.
    c.Open();
    QCOMPARE(c.State(), 1);
}

void tst_Drivers::catalogListsTables()
{
    QFETCH(int, kind);
    Connection c;
    if (!open(c))
        return;
    Catalog cat;
    cat.setActiveConnection(&c);
    QStringList tables;
    for (const CatalogEntry &e : cat.Tables())
        tables << e.Name.toLower();
    QStringList views;
    for (const CatalogEntry &e : cat.Views())
        views << e.Name.toLower();
    switch (Kind(kind)) {
    case Kind::Demo:
        QCOMPARE(tables, (QStringList{"categories", "customers", "employees", "order details",
                                      "orders", "products"}));
        QCOMPARE(views, (QStringList{"order totals", "product list"}));
        break;
    case Kind::Access:
        QCOMPARE(tables, QStringList{"asset items"});
        QVERIFY(views.isEmpty());
        break;
    case Kind::Postgres:
    case Kind::MySql:
        QVERIFY2(tables.contains("products") && tables.contains("categories"),
                 qPrintable(tables.join(", ")));
        break;
    }
}

void tst_Drivers::recordCountAndMoves()
{
    QFETCH(int, kind);
    const bool access = Kind(kind) == Kind::Access;
    const long expected = access ? 11 : 5;
    Connection c;
    if (!open(c))
        return;
    Recordset rs;
    rs.setCursorType(Recordset::adOpenStatic);
    rs.setLockType(Recordset::adLockReadOnly);
    rs.Open(sql(), c, -1, -1, -1);
    QCOMPARE(rs.State(), 1);
    QVERIFY(!rs.Eof());
    QVERIFY(!rs.Bof());
    // The traversal's sequence: to the last row and back, then count.
    rs.MoveLast();
    QVERIFY(!rs.Eof());
    rs.MoveFirst();
    QCOMPARE(rs.RecordCount(), expected);
    long seen = 0;
    while (!rs.Eof()) {
        ++seen;
        rs.MoveNext();
    }
    QCOMPARE(seen, expected);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.MoveNext());
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.Fields().Item(0).Value());
    rs.MovePrevious();
    QCOMPARE(rs.AbsolutePosition(), expected);
    rs.MoveFirst();
    rs.MovePrevious();
    QVERIFY(rs.Bof());
    QCOMPARE(rs.AbsolutePosition(), long(Recordset::adPosBOF));

    rs.setAbsolutePosition(3);
    QCOMPARE(rs.AbsolutePosition(), 3L);
    QCOMPARE(rs.Fields().Item(0).Value().toString(),
             access ? QStringLiteral("30072") : QStringLiteral("3"));
    rs.MoveNext();
    QCOMPARE(rs.AbsolutePosition(), 4L);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.setAbsolutePosition(0));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.setAbsolutePosition(expected + 1));
    QCOMPARE(rs.AbsolutePosition(), 4L);
    rs.setAbsolutePosition(expected);
    rs.MoveNext();
    QVERIFY(rs.Eof());
    QCOMPARE(rs.AbsolutePosition(), long(Recordset::adPosEOF));

    // MaxRecords limits the rows and is fixed while open.
    Recordset limited;
    limited.setMaxRecords(2);
    limited.Open(sql(), c);
    QCOMPARE(limited.RecordCount(), 2L);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, limited.setMaxRecords(3));
    limited.Close();
    limited.setMaxRecords(0); // no limit
    limited.Open(sql(), c);
    QCOMPARE(limited.RecordCount(), expected);

    // The snapshot outlives the connection.
    c.Close();
    rs.MoveFirst();
    QVERIFY(rs.Fields().Item(0).Value().isValid());
    rs.Close();
    QCOMPARE(rs.State(), 0);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.RecordCount());
}

void tst_Drivers::getStringClipFormat()
{
    QFETCH(int, kind);
    Connection c;
    if (!open(c))
        return;
    Recordset rs;
    rs.Open(sql(), c);
    // The database browser's call: one row, tab between columns, one space
    // after the row, Null as empty text; the cursor moves on.
    const QString first = rs.GetString(2, 1, QStringLiteral("\t"), QStringLiteral(" "), QString());
    const QString second = rs.GetString(2, 1, QStringLiteral("\t"), QStringLiteral(" "), QString());
    if (Kind(kind) == Kind::Access) {
        QCOMPARE(first, QStringLiteral("30061\tBrenda\t350\t3\t "));
        QCOMPARE(second, QStringLiteral("30071\tSandly\t6799\t24\t "));
        QCOMPARE(rs.AbsolutePosition(), 3L);
    } else {
        QCOMPARE(first, QStringLiteral("1\tHighland Breakfast Tea\t4.5\tFalse\t20 bags x 2 g "));
        QCOMPARE(second, QStringLiteral("2\tMocha Java Blend\t12.75\tFalse\t500 g bag "));
        const QString rest = rs.GetString(2, -1, QStringLiteral("|"), QStringLiteral("\n"),
                                          QStringLiteral("<null>"));
        QCOMPARE(rest, QStringLiteral("3|Decaf Colombian|9.9|True|250 g tin\n"
                                      "4|Jasmine Pearls|18.6|False|100 g box\n"
                                      "5|Dutch Cocoa Powder|7.2|False|<null>\n"));
        QVERIFY(rs.Eof());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.GetString());
    }
}

void tst_Drivers::fields_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<QList<int>>("valueTypes");
    const QList<int> demoTypes{AdoType::Integer, AdoType::VarWChar, AdoType::Currency,
                               AdoType::Boolean, AdoType::VarWChar};
    const QList<int> demoValues{QMetaType::Int, QMetaType::QString, QMetaType::Double,
                                QMetaType::Bool, QMetaType::QString};
    for (const Case &c : cases()) {
        QList<int> types = demoTypes;
        if (c.kind == Kind::Access)
            types = {AdoType::VarWChar, AdoType::VarWChar, AdoType::Currency, AdoType::Integer,
                     AdoType::LongVarWChar};
        else if (c.kind == Kind::Postgres || c.kind == Kind::MySql)
            types = {AdoType::Integer, AdoType::VarWChar, AdoType::Numeric, AdoType::Boolean,
                     AdoType::VarWChar};
        QList<int> values = demoValues;
        // The SQLite ODBC driver calls the types it does not know VARCHAR and
        // gives their values as text, which ADO would pass on the same way.
        if (QByteArray(c.name) == "odbc dsn") {
            types = {AdoType::Integer, AdoType::VarChar, AdoType::VarChar, AdoType::Boolean,
                     AdoType::VarChar};
            values[2] = QMetaType::QString;
        }
        if (c.kind == Kind::Access)
            values = {QMetaType::QString, QMetaType::QString, QMetaType::Double, QMetaType::Int,
                      QMetaType::UnknownType};
        QTest::newRow(c.name) << c.connection << int(c.kind) << c.problem << types << values;
    }
}

void tst_Drivers::fields()
{
    QFETCH(int, kind);
    QFETCH(QList<int>, types);
    QFETCH(QList<int>, valueTypes);
    Connection c;
    if (!open(c))
        return;
    Recordset rs;
    rs.Open(sql(), c);
    FieldCollection fields = rs.Fields();
    QCOMPARE(fields.Count(), 5);
    QList<int> got;
    QList<int> gotValues;
    for (int i = 0; i < fields.Count(); ++i) {
        got << fields.Item(i).Type();
        gotValues << fields.Item(i).Value().metaType().id();
    }
    QCOMPARE(got, types);
    QCOMPARE(gotValues, valueTypes);

    const QString second =
        Kind(kind) == Kind::Access ? QStringLiteral("Make") : QStringLiteral("ProductName");
    QCOMPARE(fields.Item(1).Name().toLower(), second.toLower());
    // Names are found in any letter case, and the field follows the cursor.
    Field byName = fields.Item(second.toUpper());
    QCOMPARE(byName.Value(), fields.Item(1).Value());
    const QVariant before = byName.Value();
    rs.MoveNext();
    QVERIFY(byName.Value() != before);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, fields.Item(QStringLiteral("NoSuchField")));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, fields.Item(5));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, fields.Item(-1));
    QCOMPARE(fields.indexOf(QStringLiteral("nosuchfield")), -1);
    // A field kept past Close reports the closed recordset.
    rs.Close();
    QCOMPARE(rs.Fields().Count(), 0);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, byName.Value());
}

void tst_Drivers::nullAndEmpty()
{
    QFETCH(int, kind);
    const bool access = Kind(kind) == Kind::Access;
    Connection c;
    if (!open(c))
        return;
    Recordset rs;
    rs.Open(sql(), c);
    if (!access)
        rs.setAbsolutePosition(5); // Dutch Cocoa Powder has no QuantityPerUnit
    const Field f = rs.Fields().Item(4);
    QVERIFY(f.Value().isNull());
    QVERIFY(!f.Value().isValid());
    QCOMPARE(f.ActualSize(), 0L);
    QVERIFY(f.GetChunk(100).isEmpty());

    Recordset empty;
    empty.Open(access ? QStringLiteral("SELECT * FROM [Asset Items] WHERE [Cost] < 0")
                      : QStringLiteral("SELECT * FROM Products WHERE UnitPrice < 0"),
               c);
    QVERIFY(empty.Eof());
    QVERIFY(empty.Bof());
    // An empty root recordset counts as zero rows; moving to its ends is
    // harmless.
    empty.MoveLast();
    empty.MoveFirst();
    QCOMPARE(empty.RecordCount(), 0L);
    QVERIFY(empty.Eof());
    QVERIFY(empty.Fields().Count() > 3);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, empty.Fields().Item(0).Value());
    QVERIFY_THROWS_EXCEPTION(DatabaseError, empty.MoveNext());
}

void tst_Drivers::binaryChunks_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("problem");
    // The Access test files hold no binary column.
    for (const Case &c : cases()) {
        if (c.kind != Kind::Access)
            QTest::newRow(c.name) << c.connection << int(c.kind) << c.problem;
    }
}

void tst_Drivers::binaryChunks()
{
    Connection c;
    if (!open(c))
        return;
    Recordset rs;
    rs.Open(QStringLiteral("SELECT CategoryName, Picture FROM Categories ORDER BY CategoryID"), c);
    QCOMPARE(rs.RecordCount(), 8L);
    Field picture = rs.Fields().Item(QStringLiteral("Picture"));
    QVERIFY(AdoType::isBinary(picture.Type()));
    for (; !rs.Eof(); rs.MoveNext()) {
        const long size = picture.ActualSize();
        QVERIFY(size > 50);
        const QByteArray whole = picture.GetChunk(size);
        QCOMPARE(long(whole.size()), size);
        QVERIFY(picture.GetChunk(size).isEmpty());
        QImage image;
        QVERIFY(image.loadFromData(whole, "PNG"));
        QCOMPARE(image.size(), QSize(32, 32));
    }
    // Chunks continue where the last one stopped, and start again on a new row.
    rs.MoveFirst();
    const QByteArray a = picture.GetChunk(10);
    const QByteArray b = picture.GetChunk(1000000);
    QCOMPARE(long(a.size() + b.size()), picture.ActualSize());
    rs.MoveNext();
    rs.MovePrevious();
    QCOMPARE(picture.GetChunk(10), a);
}

void tst_Drivers::queryErrors_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("expected");
    for (const Case &c : cases()) {
        const bool server = c.kind == Kind::Postgres || c.kind == Kind::MySql;
        QTest::addRow("%s syntax error", c.name)
            << c.connection << int(c.kind) << c.problem
            << QStringLiteral("SELECT * FROM Products WHERE ORDER BY")
            << QStringLiteral("syntax");
        QTest::addRow("%s missing table", c.name)
            << c.connection << int(c.kind) << c.problem
            << QStringLiteral("SELECT * FROM NoSuchTable")
            << (server ? QStringLiteral("exist") : QStringLiteral("no such table"));
        QTest::addRow("%s missing column", c.name)
            << c.connection << int(c.kind) << c.problem
            << QStringLiteral("SELECT NoSuchColumn FROM ") + (c.kind == Kind::Access
                                                                  ? QStringLiteral("[Asset Items]")
                                                                  : QStringLiteral("Products"))
            << (server ? (c.kind == Kind::MySql ? QStringLiteral("Unknown column")
                                                : QStringLiteral("does not exist"))
                       : QStringLiteral("no such column"));
    }
}

void tst_Drivers::queryErrors()
{
    QFETCH(QString, query);
    QFETCH(QString, expected);
    Connection c;
    if (!open(c))
        return;
    Recordset rs;
    try {
        rs.Open(query, c);
        QFAIL("the query ran");
    } catch (const DatabaseError &e) {
        QVERIFY2(e.description().contains(expected, Qt::CaseInsensitive),
                 qPrintable(e.description()));
    }
    QCOMPARE(rs.State(), 0);
    // The connection is still usable afterwards.
    rs.Open(sql(), c);
    QVERIFY(rs.RecordCount() > 0);
}

// Neither a second statement after a SELECT nor a write sent alone, which
// the report code never sends, may run on the read-only connection.
void tst_Drivers::writesNeverRun()
{
    QFETCH(int, kind);
    const bool access = Kind(kind) == Kind::Access;
    Connection c;
    if (!open(c))
        return;
    const long before = tableRows(c);
    const QString table = access ? QStringLiteral("[Asset Items]") : QStringLiteral("Products");
    const QStringList attempts = {
        QStringLiteral("SELECT * FROM %1; DELETE FROM %1").arg(table),
        QStringLiteral("SELECT * FROM %1;DELETE FROM %1;").arg(table),
        QStringLiteral("SELECT * FROM %1 WHERE 1=0; COMMIT; DELETE FROM %1").arg(table),
        QStringLiteral("SELECT 'x\\'; DELETE FROM %1; --' FROM %1").arg(table),
        QStringLiteral("DELETE FROM %1").arg(table),
        QStringLiteral("UPDATE %1 SET %2 = %2").arg(table, access ? "[Make]" : "ProductName"),
        QStringLiteral("CREATE TABLE MirtProbe (a integer)"),
    };
    for (const QString &attempt : attempts) {
        Recordset rs;
        try {
            rs.Open(attempt, c);
            QFAIL(qPrintable(QStringLiteral("ran: ") + attempt));
        } catch (const DatabaseError &e) {
            QVERIFY2(!e.description().isEmpty(), qPrintable(attempt));
        }
    }
    // A final ';' alone is fine.
    Recordset ok;
    ok.Open(QStringLiteral("SELECT * FROM %1 ;  ").arg(table), c);
    QCOMPARE(ok.RecordCount(), before);
    c.Close();
    c.Open();
    QCOMPARE(tableRows(c), before);
    Catalog cat;
    cat.setActiveConnection(&c);
    for (const CatalogEntry &e : cat.Tables())
        QVERIFY(e.Name.compare(QLatin1String("MirtProbe"), Qt::CaseInsensitive) != 0);
}

// set_config is a function a SELECT may call; the per-query read-only
// transaction still keeps a later SELECT … INTO from writing.
void tst_Drivers::postgresSessionCannotBeMadeWritable()
{
    if (!pgProblem().isEmpty())
        QSKIP(qPrintable(pgProblem()));
    Connection c;
    c.Open(pgConnection());
    Recordset rs;
    rs.Open(QStringLiteral("SELECT set_config('default_transaction_read_only', 'off', false)"), c);
    rs.Close();
    try {
        rs.Open(QStringLiteral("SELECT * INTO MirtCopy FROM Products"), c);
        QFAIL("SELECT INTO wrote a table");
    } catch (const DatabaseError &e) {
        QVERIFY2(e.description().contains(QLatin1String("read-only")), qPrintable(e.description()));
    }
}

// A child query takes values of its parent's record; whatever they hold
// (quotes, a trailing backslash, SQL), they compare as values.
void tst_Drivers::parentValuesStayValues()
{
    QFETCH(int, kind);
    if (Kind(kind) == Kind::Access)
        QSKIP("the Access file has no products");
    Connection c;
    if (!open(c))
        return;
    const QStringList values{QStringLiteral("x\\' OR 1=1 -- "), QStringLiteral("x\\"),
                             QStringLiteral("' OR '1'='1"), QStringLiteral("0 OR 1=1")};
    for (const QString &value : values) {
        for (const QString &sql : {QStringLiteral("SELECT ProductID FROM Products WHERE "
                                                  "ProductName = '{[P].[Name]}'"),
                                   QStringLiteral("SELECT ProductID FROM Products WHERE "
                                                  "ProductID = {[P].[Name]}")}) {
            const QString built =
                substituteSqlReferences(sql, [&](const QString &) { return QVariant(value); });
            Recordset rs;
            try {
                rs.Open(built, c);
                QVERIFY2(rs.Eof(), qPrintable(built));
            } catch (const DatabaseError &e) {
                // A text compared with a number may be refused; never run as SQL.
                QVERIFY2(!sql.contains(u'\''), qPrintable(built + QStringLiteral(": ") + e.description()));
            }
        }
    }
    // The quoting keeps real values matching.
    Recordset rs;
    rs.Open(substituteSqlReferences(
                QStringLiteral("SELECT ProductID FROM Products WHERE ProductName = '{N}'"),
                [](const QString &) { return QVariant(QStringLiteral("Mocha Java Blend")); }),
            c);
    QCOMPARE(rs.RecordCount(), 1L);
}

MIRT_REGISTER_TEST(tst_Drivers)
#include "tst_drivers.moc"
