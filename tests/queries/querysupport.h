#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class TalvoDocument;
class section;

// Shared set-up of the query tests: the real databases and small reports
// built on them.
namespace QuerySupport {

// The demo database the build makes.
QString demoDb();
// An Access file of the shared test data.
QString testData(const QString &name);
// A scratch folder that lives as long as the test program.
QString scratchDir();
// A copy of `path` in the scratch folder under `name`.
QString scratchCopy(const QString &path, const QString &name);
QByteArray fileHash(const QString &path);

// "Provider=SQLite;Data Source=<path>".
QString sqliteConnection(const QString &path);
// A SQLite file made for these tests (in the scratch folder): table People
// (ID, Name, City, Score REAL, Photo BLOB) with a name holding a quote,
// Null cities, a score of 2.5 and a blob that is no picture; table Visits
// (PersonID, Place, Score REAL). Made once.
QString fixtureDb();

// A document on `connectionString` whose data sections are replaced by
// `count` new ones, numbered 1..count, named "S1", "S2", …
std::unique_ptr<TalvoDocument> newDocument(const QString &connectionString, int count = 1);
// Data section n of the document.
section *dataSection(TalvoDocument &doc, int n);

using Factory = QObject *(*)();
QList<Factory> &factories();
template <typename T>
struct Registration
{
    Registration()
    {
        factories().append([]() -> QObject * { return new T; });
    }
};

} // namespace QuerySupport

#define MIRT_REGISTER_QUERY_TEST(Class) \
    static QuerySupport::Registration<Class> registration##Class;
