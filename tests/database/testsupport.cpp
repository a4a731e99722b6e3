#include "testsupport.h"

#include "platform/connection.h"
#include "platform/databaseerror.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace TestSupport {

namespace {

QString g_odbcProblem = QStringLiteral("ODBC not set up");

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

QString findSqliteOdbcDriver()
{
    for (const QString &root :
         {QStringLiteral("/usr/lib"), QStringLiteral("/usr/lib64"), QStringLiteral("/usr/local/lib")}) {
        QDirIterator it(root, {QStringLiteral("libsqlite3odbc.so")}, QDir::Files,
                        QDirIterator::Subdirectories);
        if (it.hasNext())
            return it.next();
    }
    return QString();
}

bool writeFile(const QString &path, const QString &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) >= 0;
}

} // namespace

QString demoDb()
{
    return QStringLiteral(MIRT_BINARY_DIR "/bin/demo.db");
}

QString testData(const QString &name)
{
    return QStringLiteral(MIRT_SHARED_DIR "/testdata/") + name;
}

QString scratchDir()
{
    return scratch().path();
}

QString scratchCopy(const QString &path, const QString &name)
{
    const QString target = QDir(scratchDir()).filePath(name);
    QFile::remove(target);
    if (!QFile::copy(path, target))
        return QString();
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return target;
}

QByteArray fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&f);
    return hash.result().toHex();
}

QString odbcDriverName()
{
    return QStringLiteral("Mirt SQLite3");
}

QString odbcDsnName()
{
    return QStringLiteral("MirtDemo");
}

QString odbcDemoDb()
{
    return QDir(scratchDir()).filePath(QStringLiteral("odbc-demo.db"));
}

void setUpOdbc()
{
    const QString driver = findSqliteOdbcDriver();
    if (driver.isEmpty()) {
        g_odbcProblem = QStringLiteral("the SQLite ODBC driver (libsqliteodbc) is not installed");
        return;
    }
    if (scratchCopy(demoDb(), QStringLiteral("odbc-demo.db")).isEmpty()) {
        g_odbcProblem = QStringLiteral("cannot copy the demo database %1").arg(demoDb());
        return;
    }
    const QString dir = scratchDir();
    const QString inst = QStringLiteral("[%1]\nDescription=SQLite3 ODBC driver for the tests\n"
                                        "Driver=%2\nSetup=%2\n")
                             .arg(odbcDriverName(), driver);
    const QString ini =
        QStringLiteral("[%1]\nDriver=%2\nDatabase=%3\n").arg(odbcDsnName(), odbcDriverName(), odbcDemoDb());
    if (!writeFile(dir + QStringLiteral("/odbcinst.ini"), inst) ||
        !writeFile(dir + QStringLiteral("/odbc.ini"), ini)) {
        g_odbcProblem = QStringLiteral("cannot write the ODBC registration in %1").arg(dir);
        return;
    }
    qputenv("ODBCSYSINI", QFile::encodeName(dir));
    qputenv("ODBCINI", QFile::encodeName(dir + QStringLiteral("/odbc.ini")));
    g_odbcProblem.clear();
}

QString odbcProblem()
{
    return g_odbcProblem;
}

QString pgConnection()
{
    return qEnvironmentVariable("MIRT_PG_CONN");
}

QString pgPasswordConnection()
{
    return qEnvironmentVariable("MIRT_PG_PWCONN");
}

namespace {

// Why a server cannot be used, asked once per program.
QString serverProblem(const QString &connection, const char *product, const char *variable)
{
    if (connection.isEmpty()) {
        return QStringLiteral("no %1 test server: %2 is not set (run the tests through "
                              "scripts/run-tests.sh, which starts one)")
            .arg(QLatin1String(product), QLatin1String(variable));
    }
    try {
        Connection c;
        c.Open(connection);
    } catch (const DatabaseError &e) {
        return QStringLiteral("the %1 test server does not answer: %2")
            .arg(QLatin1String(product), e.description());
    }
    return QString();
}

} // namespace

QString pgProblem()
{
    static const QString problem = serverProblem(pgConnection(), "PostgreSQL", "MIRT_PG_CONN");
    return problem;
}

QString myConnection()
{
    return qEnvironmentVariable("MIRT_MYSQL_CONN");
}

QString myProblem()
{
    static const QString problem = serverProblem(myConnection(), "MariaDB", "MIRT_MYSQL_CONN");
    return problem;
}

QList<Factory> &factories()
{
    static QList<Factory> list;
    return list;
}

} // namespace TestSupport
