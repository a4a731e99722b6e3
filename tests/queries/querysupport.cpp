#include "querysupport.h"

#include "document/section.h"
#include "document/talvodocument.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace QuerySupport {

namespace {

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

void makeFixture(const QString &path)
{
    const QString name = QStringLiteral("fixture-maker");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        const char *statements[] = {
            "CREATE TABLE People (ID INTEGER PRIMARY KEY, Name VARCHAR(40), City VARCHAR(20), "
            "Score REAL, Photo BLOB)",
            "INSERT INTO People VALUES (1, 'O''Brien', 'Dublin', 2.5, X'00010203')",
            "INSERT INTO People VALUES (2, 'Smith', NULL, 4, NULL)",
            "INSERT INTO People VALUES (3, 'Jones', 'Cardiff', 1.25, NULL)",
            "CREATE TABLE Visits (PersonID INTEGER, Place VARCHAR(20), Score REAL)",
            "INSERT INTO Visits VALUES (1, 'Cork', 2.5)",
            "INSERT INTO Visits VALUES (1, 'Galway', 3)",
            "INSERT INTO Visits VALUES (2, 'Leeds', 4)",
            "CREATE TABLE Nicknames (Name VARCHAR(40), Nick VARCHAR(20))",
            "INSERT INTO Nicknames VALUES ('O''Brien', 'Obi')",
            "INSERT INTO Nicknames VALUES ('Smith', 'Smithy')",
            "CREATE TABLE Empty (ID INTEGER)",
            "CREATE VIEW PeopleNames AS SELECT Name FROM People",
        };
        for (const char *sql : statements)
            q.exec(QString::fromLatin1(sql));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
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
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QString sqliteConnection(const QString &path)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + path;
}

QString fixtureDb()
{
    static const QString path = [] {
        const QString p = QDir(scratchDir()).filePath(QStringLiteral("fixture.db"));
        makeFixture(p);
        return p;
    }();
    return path;
}

std::unique_ptr<TalvoDocument> newDocument(const QString &connectionString, int count)
{
    auto doc = std::make_unique<TalvoDocument>();
    doc->ClearSections();
    for (int n = 1; n <= count; ++n) {
        section *s = doc->AddDataSection();
        s->sectionName = QStringLiteral("S%1").arg(n);
    }
    doc->connectionStringData = connectionString;
    return doc;
}

section *dataSection(TalvoDocument &doc, int n)
{
    return doc.sections.value(section::keyOf(section::DataSection, n));
}

QList<Factory> &factories()
{
    static QList<Factory> list;
    return list;
}

} // namespace QuerySupport
