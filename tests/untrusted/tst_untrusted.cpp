// Reports from strangers: whatever their connection string says, no library is
// loaded, no file is written or created, and the run ends with the
// connection status and an error that names the key.
#include "platform/connection.h"
#include "platform/databaseerror.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QLibrary>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString markerLibrary = QStringLiteral(MIRT_MARKER_LIBRARY);
const QString mirtProgram = QStringLiteral(MIRT_BINARY_DIR "/bin/mirt");
const QString odbcDriverName = QStringLiteral("Mirt SQLite3");
const QString odbcDsnName = QStringLiteral("MirtTest");

QString sqliteOdbcLibrary()
{
    for (const QString &root : {QStringLiteral("/usr/lib"), QStringLiteral("/usr/local/lib")}) {
        QDirIterator it(root, {QStringLiteral("libsqlite3odbc.so")}, QDir::Files,
                        QDirIterator::Subdirectories);
        if (it.hasNext())
            return it.next();
    }
    return QString();
}

bool writeText(const QString &path, const QString &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(text.toUtf8()) == text.toUtf8().size();
}

// Every file below a folder (hidden ones too) with its checksum, and every folder.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QByteArray sum = "folder";
        QFile f(path);
        if (it.fileInfo().isFile() && f.open(QIODevice::ReadOnly))
            sum = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
        files.insert(QDir(root).relativeFilePath(path), sum);
    }
    return files;
}

} // namespace

class tst_Untrusted : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void connectionStringsLoadNothing_data();
    void connectionStringsLoadNothing();
    void sqliteThroughOdbcIsReadOnly();

private:
    QString reportWith(const QString &connection) const;
    QProcessEnvironment environment() const;

    QTemporaryDir m_scratch;
    QString m_data;   // the database folder the strings point at
    QString m_home;   // a home folder with the files an attacker wants
    QString m_marker; // appears if the marker library is ever loaded
    QString m_database;
};

void tst_Untrusted::initTestCase()
{
    QVERIFY(m_scratch.isValid());
    QVERIFY2(QFile::exists(markerLibrary), qPrintable(markerLibrary));
    const QString odbc = sqliteOdbcLibrary();
    if (odbc.isEmpty())
        QSKIP("the SQLite ODBC driver (libsqliteodbc) is not installed");
    const QDir root(m_scratch.path());
    m_data = root.filePath(QStringLiteral("data"));
    m_home = root.filePath(QStringLiteral("home"));
    m_marker = root.filePath(QStringLiteral("marker-was-loaded"));
    QVERIFY(QDir().mkpath(m_data) && QDir().mkpath(m_home + QStringLiteral("/.ssh")));
    QVERIFY(writeText(m_home + QStringLiteral("/.ssh/authorized_keys"), QStringLiteral("ssh-ed25519 AAAA me\n")));

    m_database = QDir(m_data).filePath(QStringLiteral("shop.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
        db.setDatabaseName(m_database);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE T (A TEXT)")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO T VALUES ('one'), ('two')")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make"));

    // A private ODBC registration, as an administrator would make it.
    QVERIFY(writeText(root.filePath(QStringLiteral("odbcinst.ini")),
                      QStringLiteral("[%1]\nDriver=%2\n").arg(odbcDriverName, odbc)));
    QVERIFY(writeText(root.filePath(QStringLiteral("odbc.ini")),
                      QStringLiteral("[%1]\nDriver=%2\nDatabase=%3\n")
                          .arg(odbcDsnName, odbcDriverName, m_database)));
    qputenv("ODBCSYSINI", QFile::encodeName(m_scratch.path()));
    qputenv("ODBCINI", QFile::encodeName(root.filePath(QStringLiteral("odbc.ini"))));
    qputenv("MIRT_MARKER_FILE", QFile::encodeName(m_marker));

    // The marker library does announce itself when something loads it.
    {
        QLibrary probe(markerLibrary);
        QVERIFY2(probe.load(), qPrintable(probe.errorString()));
        QVERIFY(QFile::exists(m_marker));
        QVERIFY(QFile::remove(m_marker));
    }
}

QString tst_Untrusted::reportWith(const QString &connection) const
{
    QString xml = QStringLiteral(
        "<MIRTDOCUMENT docName=\"t\" connectionString=\"%1\" unit=\"7\" pageWidth=\"21\" "
        "pageHeight=\"29.7\" topMargin=\"1\" bottomMargin=\"1\" leftMargin=\"1\" rightMargin=\"1\">"
        "<SECTION name=\"D\" type=\"0\" height=\"1\" SQL=\"SELECT A FROM T\" mode=\"0\" "
        "sectionParent=\"0\" dataSectionNumber=\"1\">"
        "<ITEM x=\"1\" y=\"0\" width=\"5\" height=\"0.6\">[D].[A]</ITEM></SECTION></MIRTDOCUMENT>");
    QString attribute = connection.toHtmlEscaped();
    attribute.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    const QString path = QDir(m_scratch.path()).filePath(QStringLiteral("report.xml"));
    return writeText(path, xml.arg(attribute)) ? path : QString();
}

QProcessEnvironment tst_Untrusted::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

void tst_Untrusted::connectionStringsLoadNothing_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<QString>("named"); // what the error must name

    const QString lib = markerLibrary;
    const QString db = QStringLiteral("%DATA%/shop.db");
    const QString keys = QStringLiteral("%HOME%/.ssh/authorized_keys");
    QTest::newRow("driver by absolute path") << "Driver=" + lib + ";Database=" + db << "Driver";
    QTest::newRow("driver by relative path") << "Driver=./libmirtmarker.so;Database=" + db << "Driver";
    QTest::newRow("driver path in braces") << "Driver={" + lib + "};Database=" + db << "Driver";
    QTest::newRow("extension through MSDASQL")
        << "Provider=MSDASQL;Driver={SQLite3};Database=" + db + ";LoadExt=" + lib << "LoadExt";
    QTest::newRow("extension through a DSN") << "DSN=" + odbcDsnName + ";LoadExt=" + lib << "LoadExt";
    QTest::newRow("trace appended to any file")
        << "DSN=" + odbcDsnName + ";Tracefile=" + keys << "Tracefile";
    QTest::newRow("trace in other spelling") << "DSN=" + odbcDsnName + ";Trace File=" + keys << "Trace File";
    QTest::newRow("empty file created")
        << "Driver={" + odbcDriverName + "};Database=%HOME%/new.db;NoCreat=0" << "NoCreat";
    QTest::newRow("journal rewrites the header")
        << "Driver={" + odbcDriverName + "};Database=" + db + ";JournalMode=WAL" << "JournalMode";
    QTest::newRow("file data source") << "FILEDSN=%HOME%/x.dsn" << "FILEDSN";
    QTest::newRow("connection saved to a file")
        << "DSN=" + odbcDsnName + ";SaveFile=%HOME%/saved.dsn" << "SaveFile";
    QTest::newRow("unknown key") << "DSN=" + odbcDsnName + ";Option=3" << "Option";
    // The driver manager cannot escape '}': the rest would become a key.
    QTest::newRow("brace ends a value early")
        << "DSN=" + odbcDsnName + ";Description={x}};Driver=" + lib + "}" << "Description";
    QTest::newRow("unregistered driver") << "Driver={No Such Driver};Server=x" << "No Such Driver";
}

void tst_Untrusted::connectionStringsLoadNothing()
{
    QFETCH(QString, connection);
    QFETCH(QString, named);
    connection.replace(QLatin1String("%DATA%"), m_data).replace(QLatin1String("%HOME%"), m_home);
    const QString report = reportWith(connection);
    QVERIFY(!report.isEmpty());
    const auto dataBefore = snapshot(m_data);
    const auto homeBefore = snapshot(m_home);

    // In the process, as the designer's connection Test opens it.
    {
        Connection c;
        c.setBaseDir(m_data);
        QString error;
        try {
            c.Open(connection, QString(), QString(), -1);
        } catch (const DatabaseError &e) {
            error = e.description();
        }
        QVERIFY2(error.contains(named), qPrintable(error));
    }

    // Every headless output, from the folder of the library, so that a
    // relative driver path would find it.
    const QString out = QDir(m_scratch.path()).filePath(QStringLiteral("out"));
    const QList<QStringList> routes{{QStringLiteral("/check")},
                                    {QStringLiteral("/pdf"), out + QStringLiteral(".pdf")},
                                    {QStringLiteral("/png"), out},
                                    {QStringLiteral("/html"), out + QStringLiteral(".html")}};
    for (const QStringList &route : routes) {
        QProcess mirt;
        mirt.setProcessEnvironment(environment());
        mirt.setWorkingDirectory(QFileInfo(markerLibrary).absolutePath());
        mirt.start(mirtProgram, QStringList{QStringLiteral("/f"), report} + route);
        QVERIFY(mirt.waitForFinished(60000));
        const QString err = QString::fromUtf8(mirt.readAllStandardError());
        QCOMPARE(mirt.exitCode(), 2);
        QVERIFY2(err.contains(named), qPrintable(route.front() + QLatin1Char(' ') + err));
        QVERIFY2(!QFileInfo::exists(out + QStringLiteral(".pdf")), "a PDF was written");
        QVERIFY2(!QFileInfo::exists(out + QStringLiteral(".html")), "an HTML page was written");
    }

    // The preview, as a file manager opens a report: it shows the error
    // list; the library must not have been loaded by then.
    {
        QProcess mirt;
        mirt.setProcessEnvironment(environment());
        mirt.setWorkingDirectory(QFileInfo(markerLibrary).absolutePath());
        mirt.start(mirtProgram, {QStringLiteral("/f"), report});
        QVERIFY(mirt.waitForStarted());
        mirt.waitForFinished(2500);
        mirt.kill();
        mirt.waitForFinished();
    }

    QVERIFY2(!QFileInfo::exists(m_marker), "the report made Mirt load a library");
    QCOMPARE(snapshot(m_data), dataBefore);
    QCOMPARE(snapshot(m_home), homeBefore);
}

void tst_Untrusted::sqliteThroughOdbcIsReadOnly()
{
    // An SQLite file named through an ODBC driver is read by the built-in
    // route: it opens, reads, and neither writes nor creates files.
    const auto before = snapshot(m_data);
    for (const QString &driver : {QStringLiteral("{SQLite3}"), QStringLiteral("{%1}").arg(odbcDriverName)}) {
        Connection c;
        c.Open(QStringLiteral("Provider=MSDASQL;Driver=%1;Database=%2").arg(driver, m_database),
               QString(), QString(), -1);
        QCOMPARE(c.driver(), ConnectionString::Driver::Sqlite);
        QSqlQuery q(c.database());
        QVERIFY(q.exec(QStringLiteral("SELECT count(*) FROM T")) && q.next());
        QCOMPARE(q.value(0).toInt(), 2);
        QVERIFY(!q.exec(QStringLiteral("DELETE FROM T")));
    }
    QCOMPARE(snapshot(m_data), before);
}

QTEST_GUILESS_MAIN(tst_Untrusted)
#include "tst_untrusted.moc"
