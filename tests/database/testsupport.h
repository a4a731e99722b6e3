#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

// Shared set-up of the database tests: where the real databases are, a
// private ODBC registration of the SQLite ODBC driver, and the PostgreSQL
// and MariaDB test servers started by scripts/run-tests.sh.
namespace TestSupport {

// The demo database the build makes (other test folders find it the same
// way: MIRT_BINARY_DIR "/bin/demo.db").
QString demoDb();
// An Access file of the shared test data.
QString testData(const QString &name);
// A scratch folder that lives as long as the test program.
QString scratchDir();
// A copy of `path` in the scratch folder under `name`.
QString scratchCopy(const QString &path, const QString &name);
QByteArray fileHash(const QString &path);

// Writes odbcinst.ini and odbc.ini into the scratch folder and points
// unixODBC at them; must run before the first ODBC call.
void setUpOdbc();
// Empty when the SQLite ODBC driver is registered, else why not.
QString odbcProblem();
QString odbcDriverName();   // "Mirt SQLite3"
QString odbcDsnName();      // "MirtDemo", a DSN on odbcDemoDb()
QString odbcDemoDb();       // the demo copy the ODBC source reads

// The ADO string of the PostgreSQL test server (MIRT_PG_CONN), empty when
// none; pgProblem() says why the server cannot be used, empty when it can.
QString pgConnection();
QString pgProblem();
// The same server, as a user that needs the password "mirt-secret".
QString pgPasswordConnection();
// The ADO string of the MariaDB test server (MIRT_MYSQL_CONN, started by
// scripts/mysql-test-server.sh), empty when none; myProblem() as pgProblem().
QString myConnection();
QString myProblem();

// Test classes register themselves; main() runs them all.
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

} // namespace TestSupport

#define MIRT_REGISTER_TEST(Class) static TestSupport::Registration<Class> registration##Class;
