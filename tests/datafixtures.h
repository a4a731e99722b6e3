#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

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
