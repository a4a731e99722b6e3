// Where a relative Data Source is found: next to the report file first, then
// in the program's folder.
#include "testsupport.h"

#include "platform/connection.h"
#include "platform/databaseerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;

class tst_DataSource : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void resolves_data();
    void resolves();
    void notFoundNamesBothPlaces();

private:
    QTemporaryDir m_report;
    QString m_programCopy;
    QString m_programAccess;
};

void tst_DataSource::initTestCase()
{
    QVERIFY(m_report.isValid());
    const QDir report(m_report.path());
    QVERIFY(report.mkpath(QStringLiteral("data")));
    QVERIFY(QFile::copy(demoDb(), report.filePath(QStringLiteral("both.db"))));
    QVERIFY(QFile::copy(demoDb(), report.filePath(QStringLiteral("data/sub.db"))));
    QVERIFY(QFile::copy(testData(QStringLiteral("DateTestDatabase.mdb")),
                        report.filePath(QStringLiteral("dates.mdb"))));
    // The program's folder is the test program's own; the files put there
    // carry the process id so that parallel runs do not meet.
    const QDir program(QCoreApplication::applicationDirPath());
    const QString pid = QString::number(QCoreApplication::applicationPid());
    m_programCopy = program.filePath(QStringLiteral("mirt-both-%1.db").arg(pid));
    QVERIFY(QFile::copy(demoDb(), m_programCopy));
    QVERIFY(QFile::copy(demoDb(), report.filePath(QFileInfo(m_programCopy).fileName())));
    m_programAccess = program.filePath(QStringLiteral("mirt-only-%1.accdb").arg(pid));
    QVERIFY(QFile::copy(testData(QStringLiteral("ASampleDatabase.accdb")), m_programAccess));
}

void tst_DataSource::cleanupTestCase()
{
    QFile::remove(m_programCopy);
    QFile::remove(m_programAccess);
}

void tst_DataSource::resolves_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<bool>("withBaseDir");
    QTest::addColumn<QString>("expected"); // "report:" or "program:" + file name

    const QString both = QFileInfo(m_programCopy).fileName();
    const QString only = QFileInfo(m_programAccess).fileName();
    QTest::newRow("next to the report") << "Provider=SQLite;Data Source=both.db" << true
                                        << "report:both.db";
    QTest::newRow("report folder before program folder")
        << "Provider=SQLite;Data Source=" + both << true << "report:" + both;
    QTest::newRow("program folder when not beside the report")
        << "Provider=Microsoft.ACE.OLEDB.12.0;Data Source=" + only << true << "program:" + only;
    QTest::newRow("program folder without a report folder")
        << "Provider=SQLite;Data Source=" + both << false << "program:" + both;
    QTest::newRow("subfolder") << "Provider=SQLite;Data Source=data/sub.db" << true
                               << "report:data/sub.db";
    QTest::newRow("subfolder written on Windows") << "Provider=SQLite;Data Source=data\\sub.db"
                                                  << true << "report:data/sub.db";
    QTest::newRow("Access file next to the report")
        << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=dates.mdb" << true << "report:dates.mdb";
    QTest::newRow("absolute path") << "Provider=SQLite;Data Source=" + demoDb() << true
                                   << "absolute:" + demoDb();
}

void tst_DataSource::resolves()
{
    QFETCH(QString, connection);
    QFETCH(bool, withBaseDir);
    QFETCH(QString, expected);
    Connection c;
    if (withBaseDir)
        c.setBaseDir(m_report.path());
    c.Open(connection);
    const QString where = expected.section(QLatin1Char(':'), 0, 0);
    const QString name = expected.section(QLatin1Char(':'), 1);
    QString path = name;
    if (where == QLatin1String("report"))
        path = QDir(m_report.path()).filePath(name);
    else if (where == QLatin1String("program"))
        path = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    QCOMPARE(c.dataSourcePath(), QFileInfo(path).absoluteFilePath());
}

void tst_DataSource::notFoundNamesBothPlaces()
{
    Connection c;
    c.setBaseDir(m_report.path());
    try {
        c.Open(QStringLiteral("Provider=SQLite;Data Source=nowhere.db"));
        QFAIL("opened");
    } catch (const DatabaseError &e) {
        QVERIFY2(e.description().startsWith(QLatin1String("File not found: nowhere.db")),
                 qPrintable(e.description()));
        QVERIFY(e.description().contains(QDir(m_report.path()).filePath("nowhere.db")));
        QVERIFY(e.description().contains(
            QDir(QCoreApplication::applicationDirPath()).filePath("nowhere.db")));
    }
}

MIRT_REGISTER_TEST(tst_DataSource)
#include "tst_datasource.moc"
