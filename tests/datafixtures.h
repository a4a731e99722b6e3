#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// What the data tests share: a scratch folder for the program's run, the
// demo database beside the program, the real Access files in the shared
// folder, a file's fingerprint to tell that it was left untouched, and the
// makers of the files and data rows the tests start from.

inline QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}
inline QString scratchPath(const QString &name)
{
    return QDir(scratch().path()).filePath(name);
}
inline QString demoDb()
{
    return QStringLiteral(MIRT_BINARY_DIR "/bin/demo.db");
}
inline QString testData(const QString &name)
{
    return QStringLiteral(MIRT_SHARED_DIR "/testdata/") + name;
}
inline QString sqlite(const QString &path)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + path;
}
// Empty for a file that cannot be read.
inline QByteArray fileHash(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

// The whole file; empty when it cannot be read.
inline QByteArray bytesIn(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
inline bool saveBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size() &&
           f.flush();
}

// An SQLite file made by `statements`; empty when all ran, else the failure.
inline QString createSqlite(const QString &path, const QStringList &statements)
{
    const QString name = QStringLiteral("fixture maker");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            error = db.lastError().text();
        QSqlQuery q(db);
        for (const QString &sql : statements) {
            if (error.isEmpty() && !q.exec(sql))
                error = sql + QStringLiteral(": ") + q.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

// A private registration of the SQLite ODBC driver as `driver` with a data
// source `dsn` on `database`, kept in `dir`; must happen before the first
// ODBC call. Empty when done, else why not.
inline QString registerOdbc(const QString &dir, const QString &driver, const QString &dsn,
                            const QString &database)
{
    QString library;
    for (const char *root : {"/usr/lib", "/usr/lib64", "/usr/local/lib"}) {
        QDirIterator it(QLatin1String(root), {QStringLiteral("libsqlite3odbc.so")}, QDir::Files,
                        QDirIterator::Subdirectories);
        if (library.isEmpty() && it.hasNext())
            library = it.next();
    }
    if (library.isEmpty())
        return QStringLiteral("the SQLite ODBC driver (libsqliteodbc) is not installed");
    const QString ini = dir + QStringLiteral("/odbc.ini");
    if (!saveBytes(dir + QStringLiteral("/odbcinst.ini"),
                   QStringLiteral("[%1]\nDriver=%2\nSetup=%2\n").arg(driver, library).toUtf8()) ||
        !saveBytes(
            ini,
            QStringLiteral("[%1]\nDriver=%2\nDatabase=%3\n").arg(dsn, driver, database).toUtf8()))
        return QStringLiteral("cannot write the ODBC registration in ") + dir;
    qputenv("ODBCSYSINI", QFile::encodeName(dir));
    qputenv("ODBCINI", QFile::encodeName(ini));
    return QString();
}

// One data row as one call: text literals become QString, other values go in
// as they are (their types must match the columns).
template <class T> const T &rowValue(const T &value)
{
    return value;
}
template <std::size_t N> QString rowValue(const char (&text)[N])
{
    return QString::fromUtf8(text);
}
template <class... T> void dataRow(const char *name, const T &...values)
{
    (QTest::newRow(name) << ... << rowValue(values));
}

// How a program ended: its exit status (-1 when it crashed or did not end in
// time) and what it wrote.
struct ProgramRun
{
    int status = -1;
    QString out;
    QString err;
};
// Runs `program` in `folder` (empty: the current one) with `env`; it is
// killed after `seconds`.
inline ProgramRun
runProgram(const QString &program, const QStringList &arguments, const QString &folder = QString(),
           const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
           int seconds = 120)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(seconds * 1000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
// The program of this build.
inline ProgramRun runMirt(const QStringList &arguments)
{
    return runProgram(QStringLiteral(MIRT_BINARY_DIR "/bin/mirt"), arguments);
}
// This test program again as a child, with `variable` set to `value`, pointed at
// a print server that is not there.
inline ProgramRun runChildWithoutPrinters(const QString &variable, const QString &value,
                                          const QStringList &arguments = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(variable, value);
    env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("127.0.0.1:9"));
    env.remove(QStringLiteral("PRINTER"));
    env.remove(QStringLiteral("LPDEST"));
    return runProgram(QCoreApplication::applicationFilePath(), arguments, QString(), env);
}
// What a program wrote to its standard output; empty when it did not end
// within two minutes.
inline QString programOutput(const QString &program, const QStringList &arguments)
{
    return runProgram(program, arguments).out;
}
// An SQLite file made by `statements`: its path, or empty when one failed.
inline QString makeSqliteFile(const QString &path, const QStringList &statements)
{
    return createSqlite(path, statements).isEmpty() ? path : QString();
}
