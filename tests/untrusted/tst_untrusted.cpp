// Reports from strangers: no connection string loads a library or writes a file; the run
// ends with the connection status and an error naming the key.
#include "../datafixtures.h"
#include "platform/connection.h"
#include "platform/databaseerror.h"

#include <QLibrary>

namespace {

const QString markerLibrary = QStringLiteral(MIRT_MARKER_LIBRARY);
const QString mirtProgram = QStringLiteral(MIRT_BINARY_DIR "/bin/mirt");
const QString odbcDriverName = QStringLiteral("Mirt SQLite3");
const QString odbcDsnName = QStringLiteral("MirtTest");

// Every file below a folder (hidden ones too) with its checksum, and every folder.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(root).relativeFilePath(path),
                     it.fileInfo().isFile() ? fileHash(path).toHex() : QByteArray("folder"));
    }
    return files;
}

} // namespace

class tst_Untrusted : public QObject
{
    Q_OBJECT

    QTemporaryDir m_scratch;
    QString m_data;   // the database folder the strings point at
    QString m_home;   // a home folder with the files an attacker wants
    QString m_marker; // appears if the marker library is ever loaded
    QString m_database;
    QProcessEnvironment m_env; // taken once the marker and ODBC settings are in place

    QString reportWith(const QString &connection) const
    {
        QString xml = QStringLiteral(
            "<MIRTDOCUMENT docName=\"t\" connectionString=\"%1\" unit=\"7\" pageWidth=\"21\" "
            "pageHeight=\"29.7\" topMargin=\"1\" bottomMargin=\"1\" leftMargin=\"1\" "
            "rightMargin=\"1\"><SECTION name=\"D\" type=\"0\" height=\"1\" SQL=\"SELECT A FROM T\" "
            "mode=\"0\" sectionParent=\"0\" dataSectionNumber=\"1\"><ITEM x=\"1\" y=\"0\" "
            "width=\"5\" height=\"0.6\">[D].[A]</ITEM></SECTION></MIRTDOCUMENT>");
        const QString path = QDir(m_scratch.path()).filePath(QStringLiteral("report.xml"));
        return saveBytes(path, xml.arg(connection.toHtmlEscaped()).toUtf8()) ? path : QString();
    }
    // Mirt started from the library's folder, where a relative driver path would find it.
    ProgramRun mirt(const QStringList &arguments, int seconds) const
    {
        return runProgram(mirtProgram, arguments, QFileInfo(markerLibrary).absolutePath(), m_env,
                          seconds);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_scratch.isValid());
        QVERIFY2(QFile::exists(markerLibrary), qPrintable(markerLibrary));
        const QDir root(m_scratch.path());
        m_data = root.filePath(QStringLiteral("data"));
        m_home = root.filePath(QStringLiteral("home"));
        m_marker = root.filePath(QStringLiteral("marker-was-loaded"));
        m_database = QDir(m_data).filePath(QStringLiteral("shop.db"));
        // A private ODBC registration, as an administrator would make it.
        const QString odbc =
            registerOdbc(m_scratch.path(), odbcDriverName, odbcDsnName, m_database);
        if (!odbc.isEmpty())
            QSKIP(qPrintable(odbc));
        QVERIFY(QDir().mkpath(m_data) && QDir().mkpath(m_home + QStringLiteral("/.ssh")));
        QVERIFY(
            saveBytes(m_home + QStringLiteral("/.ssh/authorized_keys"), "ssh-ed25519 AAAA me\n"));
        const QString error = createSqlite(
            m_database, {"CREATE TABLE T (A TEXT)", "INSERT INTO T VALUES ('one'), ('two')"});
        QVERIFY2(error.isEmpty(), qPrintable(error));
        qputenv("MIRT_MARKER_FILE", QFile::encodeName(m_marker));
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("HOME"), m_home);
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

        // The marker library does announce itself when something loads it.
        QLibrary probe(markerLibrary);
        QVERIFY2(probe.load(), qPrintable(probe.errorString()));
        QVERIFY(QFile::exists(m_marker));
        QVERIFY(QFile::remove(m_marker));
    }

    void connectionStringsLoadNothing_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QString>("named"); // what the error must name
        const QString lib = markerLibrary;
        const QString db = QStringLiteral("%DATA%/shop.db");
        const QString keys = QStringLiteral("%HOME%/.ssh/authorized_keys");
        const QString dsn = "DSN=" + odbcDsnName;
        const QString driver = "Driver={" + odbcDriverName + "};Database=";
        dataRow("driver by absolute path", "Driver=" + lib + ";Database=" + db, "Driver");
        dataRow("driver by relative path", "Driver=./libmirtmarker.so;Database=" + db, "Driver");
        dataRow("extension through MSDASQL",
                "Provider=MSDASQL;Driver={SQLite3};Database=" + db + ";LoadExt=" + lib, "LoadExt");
        dataRow("trace appended to any file", dsn + ";Tracefile=" + keys, "Tracefile");
        dataRow("empty file created", driver + "%HOME%/new.db;NoCreat=0", "NoCreat");
        dataRow("file data source", "FILEDSN=%HOME%/x.dsn", "FILEDSN");
        dataRow("unknown key", dsn + ";Option=3", "Option");
        // The driver manager cannot escape '}': the rest would become a key.
        dataRow("brace ends a value early", dsn + ";Description={x}};Driver=" + lib + "}",
                "Description");
        dataRow("unregistered driver", "Driver={No Such Driver};Server=x", "No Such Driver");
    }
    void connectionStringsLoadNothing()
    {
        QFETCH(QString, connection);
        QFETCH(QString, named);
        connection.replace(QLatin1String("%DATA%"), m_data)
            .replace(QLatin1String("%HOME%"), m_home);
        const QString report = reportWith(connection);
        QVERIFY(!report.isEmpty());
        const auto before = snapshot(m_scratch.path()); // the data, the home, no output

        // In the process, as the designer's connection Test opens it.
        Connection c;
        c.setBaseDir(m_data);
        QString error;
        try {
            c.open(connection, QString(), QString(), -1);
        } catch (const DatabaseError &e) {
            error = e.description();
        }
        QVERIFY2(error.contains(named), qPrintable(error));

        // Every headless output.
        const QString out = QDir(m_scratch.path()).filePath(QStringLiteral("out"));
        const QList<QStringList> routes{{QStringLiteral("/check")},
                                        {QStringLiteral("/pdf"), out + QStringLiteral(".pdf")},
                                        {QStringLiteral("/png"), out},
                                        {QStringLiteral("/html"), out + QStringLiteral(".html")}};
        for (const QStringList &route : routes) {
            const ProgramRun run = mirt(QStringList{QStringLiteral("/f"), report} + route, 60);
            QCOMPARE(run.status, 2);
            QVERIFY2(run.err.contains(named), qPrintable(route.front() + u' ' + run.err));
        }

        // The preview, as a file manager opens a report, shows the error list until ended.
        mirt({QStringLiteral("/f"), report}, 3);

        QVERIFY2(!QFileInfo::exists(m_marker), "the report made Mirt load a library");
        QCOMPARE(snapshot(m_scratch.path()), before);
    }

    // An SQLite file named through an ODBC driver is read by the built-in read-only route.
    void sqliteThroughOdbcIsReadOnly()
    {
        const auto before = snapshot(m_data);
        Connection c;
        c.open(QStringLiteral("Provider=MSDASQL;Driver={%1};Database=%2")
                   .arg(odbcDriverName, m_database),
               QString(), QString(), -1);
        QCOMPARE(c.driver(), ConnectionString::Driver::Sqlite);
        QSqlQuery q(c.database());
        QVERIFY(q.exec(QStringLiteral("SELECT count(*) FROM T")) && q.next());
        QCOMPARE(q.value(0).toInt(), 2);
        QVERIFY(!q.exec(QStringLiteral("DELETE FROM T")));
        QCOMPARE(snapshot(m_data), before);
    }
};

QTEST_GUILESS_MAIN(tst_Untrusted)
#include "tst_untrusted.moc"
