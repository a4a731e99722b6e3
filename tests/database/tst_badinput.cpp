// Everything that can be wrong with a data source gives an error with the
// driver's or our description, never a crash, and leaves every file as it
// was.
#include "testsupport.h"

#include "platform/connection.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace TestSupport;

namespace {

QString writeScratch(const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(scratchDir()).filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return QString();
    return path;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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

// Opens and reads everything; returns the error text, empty when all worked.
QString openAndReadAll(const QString &connection, const QStringList &queries)
{
    try {
        Connection c;
        c.Open(connection);
        for (const QString &q : queries) {
            Recordset rs;
            rs.Open(q, c);
            for (; !rs.Eof(); rs.MoveNext()) {
                for (int i = 0; i < rs.Fields().Count(); ++i)
                    rs.Fields().Item(i).Value();
            }
        }
    } catch (const DatabaseError &e) {
        return e.description().isEmpty() ? QStringLiteral("(empty description)") : e.description();
    }
    return QString();
}

} // namespace

class tst_BadInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void openFaults_data();
    void openFaults();
    void corruptFiles_data();
    void corruptFiles();
    void odbcFaults_data();
    void odbcFaults();
    void wrongPassword();
    void binaryThatIsNoPicture();
    void closedObjects();

private:
    QHash<QString, QByteArray> m_hashes;
};

void tst_BadInput::initTestCase()
{
    const QByteArray mdb = readAll(testData(QStringLiteral("DateTestDatabase.mdb")));
    const QByteArray accdb = readAll(testData(QStringLiteral("ASampleDatabase.accdb")));
    const QByteArray demo = readAll(demoDb());
    QVERIFY(!mdb.isEmpty() && !accdb.isEmpty() && !demo.isEmpty());
    const QList<std::pair<QString, QByteArray>> files = {
        {"cut-first-page.mdb", mdb.left(4096)},
        {"cut-early.mdb", mdb.left(20000)},
        {"cut-middle.mdb", mdb.left(100000)},
        {"cut-on-a-page.mdb", mdb.left(20 * 4096)},
        {"scrambled-lightly.mdb", scrambled(mdb, 100)},
        {"scrambled-heavily.mdb", scrambled(mdb, 10)},
        {"zeroed.mdb", mdb.left(4096) + QByteArray(mdb.size() - 4096, '\0')},
        {"text.mdb", QByteArray("this is no database\n").repeated(100)},
        {"empty.mdb", QByteArray()},
        {"cut.accdb", accdb.left(accdb.size() / 2)},
        {"scrambled.accdb", scrambled(accdb, 50)},
        {"text.db", QByteArray("this is no database\n").repeated(100)},
        {"cut.db", demo.left(8192)},
        {"scrambled.db", scrambled(demo, 20)},
        {"empty.db", QByteArray()},
    };
    for (const auto &[name, bytes] : files)
        QVERIFY(!writeScratch(name, bytes).isEmpty());
    QDir(scratchDir()).mkpath(QStringLiteral("folder.db"));
    QDir(scratchDir()).mkpath(QStringLiteral("folder.mdb"));

    for (const QString &path : {testData(QStringLiteral("DateTestDatabase.mdb")),
                                testData(QStringLiteral("ASampleDatabase.accdb")), demoDb()})
        m_hashes.insert(path, fileHash(path));
    const QDir dir(scratchDir());
    for (const QString &name : dir.entryList(QDir::Files))
        m_hashes.insert(dir.filePath(name), fileHash(dir.filePath(name)));
}

void tst_BadInput::cleanupTestCase()
{
    for (auto it = m_hashes.cbegin(); it != m_hashes.cend(); ++it)
        QVERIFY2(fileHash(it.key()) == it.value(), qPrintable(it.key() + " changed"));
    // Nothing was created beside them.
    QVERIFY(!QFile::exists(QDir(scratchDir()).filePath(QStringLiteral("missing.db"))));
}

void tst_BadInput::openFaults_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<QStringList>("expected");
    const QString dir = scratchDir() + QLatin1Char('/');
    QTest::newRow("unknown provider")
        << "Provider=SQLOLEDB.1;Data Source=server;Initial Catalog=x" << QStringList{"SQLOLEDB.1"};
    QTest::newRow("empty") << "" << QStringList{"empty"};
    QTest::newRow("only spaces and ;") << " ; ; " << QStringList{"empty"};
    QTest::newRow("malformed") << "Provider=SQLite;Data Source=\"demo.db" << QStringList{"OLE DB"};
    QTest::newRow("nothing usable")
        << "User ID=admin;Password=x" << QStringList{"names no provider"};
    QTest::newRow("no data source") << "Provider=SQLite" << QStringList{"no Data Source"};
    QTest::newRow("Access without file")
        << "Provider=Microsoft.Jet.OLEDB.4.0" << QStringList{"no Data Source"};
    QTest::newRow("bad port") << "Provider=PostgreSQL;Host=127.0.0.1;Port=eighty"
                              << QStringList{"port"};
    QTest::newRow("missing SQLite file") << "Provider=SQLite;Data Source=" + dir + "missing.db"
                                         << QStringList{"File not found: " + dir + "missing.db"};
    QTest::newRow("missing Access file")
        << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + dir + "missing.mdb"
        << QStringList{"File not found: " + dir + "missing.mdb"};
    QTest::newRow("SQLite folder")
        << "Provider=SQLite;Data Source=" + dir + "folder.db" << QStringList{"is a folder"};
    QTest::newRow("Access folder")
        << "Provider=Microsoft.ACE.OLEDB.12.0;Data Source=" + dir + "folder.mdb"
        << QStringList{"is a folder"};
    // Nothing listens on port 1 of the loopback address.
    QTest::newRow("PostgreSQL unreachable")
        << "Provider=PostgreSQL;Host=127.0.0.1;Port=1;Database=x;User ID=x;Password=x"
        << QStringList{"connection", "refused"};
    QTest::newRow("MySQL unreachable")
        << "Provider=MySQL;Server=127.0.0.1;Port=1;Database=x;User ID=x;Password=x"
        << QStringList{"Can't connect"};
    QTest::newRow("MySQL host:port spelling")
        << "Provider=MySQL;Server=127.0.0.1:1;Database=x;User ID=x" << QStringList{"Can't connect"};
}

void tst_BadInput::openFaults()
{
    QFETCH(QString, connection);
    QFETCH(QStringList, expected);
    Connection c;
    try {
        c.Open(connection);
        QFAIL("opened");
    } catch (const DatabaseError &e) {
        for (const QString &word : expected)
            QVERIFY2(e.description().contains(word, Qt::CaseInsensitive),
                     qPrintable(e.description()));
    }
    QCOMPARE(c.State(), 0);
}

void tst_BadInput::corruptFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("queries");
    const QStringList mdbQueries{QStringLiteral("SELECT * FROM DateTest")};
    const QStringList accdbQueries{QStringLiteral("SELECT * FROM [Asset Items]")};
    const QStringList dbQueries{QStringLiteral("SELECT * FROM Orders"),
                                QStringLiteral("SELECT * FROM \"Order Details\""),
                                QStringLiteral("SELECT * FROM Categories")};
    for (const char *name :
         {"cut-first-page.mdb", "cut-early.mdb", "cut-middle.mdb", "cut-on-a-page.mdb",
          "scrambled-lightly.mdb", "scrambled-heavily.mdb", "zeroed.mdb", "text.mdb", "empty.mdb"})
        QTest::newRow(name) << QString::fromLatin1(name) << mdbQueries;
    for (const char *name : {"cut.accdb", "scrambled.accdb"})
        QTest::newRow(name) << QString::fromLatin1(name) << accdbQueries;
    for (const char *name : {"text.db", "cut.db", "scrambled.db"})
        QTest::newRow(name) << QString::fromLatin1(name) << dbQueries;
}

void tst_BadInput::corruptFiles()
{
    QFETCH(QString, file);
    QFETCH(QStringList, queries);
    const QString path = QDir(scratchDir()).filePath(file);
    const bool access = !file.endsWith(QLatin1String(".db"));
    const QString connection = (access ? QStringLiteral("Provider=Microsoft.ACE.OLEDB.12.0;"
                                                        "Data Source=")
                                       : QStringLiteral("Provider=SQLite;Data Source=")) +
                               path;
    const QString error = openAndReadAll(connection, queries);
    QVERIFY2(!error.isEmpty(), "a damaged file read without an error");
    if (access)
        QVERIFY2(error.contains(path), qPrintable(error));
}

void tst_BadInput::odbcFaults_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<QString>("expected");
    const QString missing = QDir(scratchDir()).filePath(QStringLiteral("missing.db"));
    QTest::newRow("unknown DSN") << "DSN=NoSuchSource"
                                 << "Data source name not found";
    QTest::newRow("unknown driver") << "Driver={No Such Driver};Database=x.db"
                                    << "No Such Driver";
    // The SQLite ODBC driver would create the missing file.
    QTest::newRow("missing file")
        << QStringLiteral("Driver={%1};Database=%2").arg(odbcDriverName(), missing) << "";
}

void tst_BadInput::odbcFaults()
{
    if (!odbcProblem().isEmpty())
        QSKIP(qPrintable(odbcProblem()));
    QFETCH(QString, connection);
    QFETCH(QString, expected);
    const QString error = openAndReadAll(connection, {QStringLiteral("SELECT * FROM Orders")});
    QVERIFY2(!error.isEmpty(), "opened");
    QVERIFY2(error.contains(expected), qPrintable(error));
}

void tst_BadInput::wrongPassword()
{
    if (!pgProblem().isEmpty())
        QSKIP(qPrintable(pgProblem()));
    const QString right = pgPasswordConnection();
    if (right.isEmpty())
        QSKIP("MIRT_PG_PWCONN is not set: the test server has no password user");
    QString wrong = right;
    wrong.replace(QLatin1String("Password=mirt-secret"), QLatin1String("Password=not-it"));
    QVERIFY(wrong != right);
    const QString error = openAndReadAll(wrong, {});
    QVERIFY2(error.contains(QLatin1String("password authentication failed")), qPrintable(error));
    // The password given to Open replaces the one in the string.
    Connection c;
    c.Open(wrong, QString(), QStringLiteral("mirt-secret"));
    QCOMPARE(c.State(), 1);
    QCOMPARE(openAndReadAll(right, {}), QString());
}

// Reading a binary field never interprets it: a value that is no picture
// comes back byte for byte, and only the picture loader says no.
void tst_BadInput::binaryThatIsNoPicture()
{
    const QString path = QDir(scratchDir()).filePath(QStringLiteral("blobs.db"));
    const QByteArray junk = QByteArray("GIF89a but not really") + QByteArray(300, '\x7f');
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("w"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE t (id INTEGER, pic BLOB)")));
        QVERIFY(q.prepare(QStringLiteral("INSERT INTO t VALUES (1, ?)")));
        q.addBindValue(junk);
        QVERIFY(q.exec());
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("w"));
    const QByteArray before = fileHash(path);

    Connection c;
    c.Open(QStringLiteral("Provider=SQLite;Data Source=") + path);
    Recordset rs;
    rs.Open(QStringLiteral("SELECT pic FROM t"), c);
    const Field pic = rs.Fields().Item(0);
    QCOMPARE(pic.ActualSize(), long(junk.size()));
    const QByteArray bytes = pic.GetChunk(pic.ActualSize());
    QCOMPARE(bytes, junk);
    QImage image;
    QVERIFY(!image.loadFromData(bytes));
    QVERIFY(image.isNull());
    c.Close();
    QCOMPARE(fileHash(path), before);
}

void tst_BadInput::closedObjects()
{
    Connection c;
    Recordset rs;
    // A query on a closed connection, and anything on a closed recordset.
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.Open(QStringLiteral("SELECT 1"), c));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.Eof());
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.MoveFirst());
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.GetString());
    QCOMPARE(rs.Fields().Count(), 0);
    rs.Close();
    c.Open(QStringLiteral("Provider=SQLite;Data Source=") + demoDb());
    rs.Open(QStringLiteral("SELECT * FROM Products"), c);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.Open(QStringLiteral("SELECT * FROM Products"), c));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, rs.GetString(1));
}

MIRT_REGISTER_TEST(tst_BadInput)
#include "tst_badinput.moc"
