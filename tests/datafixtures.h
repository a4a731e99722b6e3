#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>

// What the data tests share: a scratch folder for the program's run, the
// demo database beside the program, the real Access files in the shared
// folder, and a file's fingerprint to tell that it was left untouched.

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
// A file's bytes; empty when it cannot be read.
inline QByteArray fileContents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
// What a program wrote to its standard output; empty when it did not end
// within two minutes.
inline QString programOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(120000) ? QString::fromUtf8(process.readAllStandardOutput())
                                           : QString();
}
// Makes an SQLite file by running the statements in turn; its path, or
// empty when one of them failed.
inline QString makeSqliteFile(const QString &path, const QStringList &statements)
{
    bool made = false;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("makeSqliteFile"));
        db.setDatabaseName(path);
        made = db.open();
        QSqlQuery query(db);
        for (const QString &sql : statements)
            made = made && query.exec(sql);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("makeSqliteFile"));
    return made ? path : QString();
}
