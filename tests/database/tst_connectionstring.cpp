// Connection strings as report files store them: syntax, and which driver
// each provider reaches.
#include "testsupport.h"

#include "platform/connectionstring.h"

#include <QTest>

Q_DECLARE_METATYPE(ConnectionString::Driver)

class tst_ConnectionString : public QObject
{
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void malformed_data();
    void malformed();
    void roundTrip_data();
    void roundTrip();
    void driver_data();
    void driver();
    void refusal_data();
    void refusal();
};

void tst_ConnectionString::values_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << "Provider=SQLite;Data Source=demo.db" << "Data Source" << "demo.db";
    QTest::newRow("key in any case") << "provider=SQLite;DATA SOURCE=demo.db" << "data source"
                                     << "demo.db";
    QTest::newRow("spaces around") << "  Provider = SQLite ;  Data Source =  my demo.db  "
                                   << "Data Source" << "my demo.db";
    QTest::newRow("double quoted with ;") << "Data Source=\"a;b.db\";Provider=SQLite"
                                          << "Data Source" << "a;b.db";
    QTest::newRow("single quoted, doubled quote")
        << "Password='it''s;secret';User ID=x" << "Password" << "it's;secret";
    QTest::newRow("double quote inside single") << "Password='say \"hi\"'" << "Password"
                                                << "say \"hi\"";
    QTest::newRow("braces") << "Driver={SQLite3 ODBC Driver};Database=x.db" << "Driver"
                            << "SQLite3 ODBC Driver";
    QTest::newRow("braces hold ; and }}") << "PWD={a;b}}c};DSN=x" << "PWD" << "a;b}c";
    QTest::newRow("== in a key") << "a==b=1" << "a=b" << "1";
    QTest::newRow("last of two wins") << "Data Source=a.db;Data Source=b.db" << "Data Source"
                                      << "b.db";
    QTest::newRow("empty pairs skipped") << ";;Provider=SQLite;;Data Source=x.db;" << "Provider"
                                         << "SQLite";
    QTest::newRow("empty value") << "Password=;User ID=u" << "Password" << "";
    QTest::newRow("missing key") << "Provider=SQLite" << "Data Source" << "";
    QTest::newRow("Jet password key")
        << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=c:\\x.mdb;Jet OLEDB:Database Password=pw"
        << "Jet OLEDB:Database Password" << "pw";
}

void tst_ConnectionString::values()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const ConnectionString cs(text);
    QVERIFY2(cs.isValid(), qPrintable(cs.errorString()));
    QCOMPARE(cs.value(key), expected);
}

void tst_ConnectionString::malformed_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("no =") << "Provider=SQLite;demo.db";
    QTest::newRow("unclosed quote") << "Data Source=\"demo.db";
    QTest::newRow("unclosed brace") << "Driver={SQLite3";
    QTest::newRow("text after quote") << "Data Source='a' b;Provider=SQLite";
    QTest::newRow("no key") << "=value";
}

void tst_ConnectionString::malformed()
{
    QFETCH(QString, text);
    const ConnectionString cs(text);
    QVERIFY(!cs.isValid());
    QVERIFY(cs.errorString().contains(QLatin1String("OLE DB")));
    QVERIFY(cs.pairs().isEmpty());
}

void tst_ConnectionString::roundTrip_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "Data Source" << "demo.db";
    QTest::newRow("semicolon") << "Password" << "a;b";
    QTest::newRow("quotes") << "Password" << "\"x\" 'y'";
    QTest::newRow("leading space") << "Password" << " x";
    QTest::newRow("brace") << "Password" << "{x}";
    QTest::newRow("= in key") << "a=b" << "c";
}

// A value written back by toString() reads back the same: the document
// dialogs rebuild strings this way.
void tst_ConnectionString::roundTrip()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    ConnectionString cs;
    cs.setValue(QStringLiteral("Provider"), QStringLiteral("SQLite"));
    cs.setValue(key, value);
    const ConnectionString back(cs.toString());
    QVERIFY2(back.isValid(), qPrintable(cs.toString()));
    QCOMPARE(back.value(key), value);
    // ODBC keys cannot hold '='.
    if (key.contains(QLatin1Char('=')))
        return;
    const ConnectionString odbc(cs.toOdbcString());
    QVERIFY2(odbc.isValid(), qPrintable(cs.toOdbcString()));
    QCOMPARE(odbc.value(key), value);
}

void tst_ConnectionString::driver_data()
{
    using D = ConnectionString::Driver;
    QTest::addColumn<QString>("text");
    QTest::addColumn<D>("driver");

    QTest::newRow("Jet 4") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb" << D::Access;
    QTest::newRow("ACE 12") << "Provider=Microsoft.ACE.OLEDB.12.0;Data Source=x.accdb"
                            << D::Access;
    QTest::newRow("ACE 16, any case") << "provider=microsoft.ace.oledb.16.0;data source=x.accdb"
                                      << D::Access;
    QTest::newRow("SQLite provider") << "Provider=SQLite;Data Source=x.db" << D::Sqlite;
    QTest::newRow("SQLite driver form") << "Driver=SQLite3;Database=x.db" << D::Sqlite;
    QTest::newRow("SQLite ODBC driver in braces") << "Driver={SQLite3 ODBC Driver};Database=x.db"
                                                  << D::Sqlite;
    QTest::newRow("SQLite through MSDASQL")
        << "Provider=MSDASQL;Driver={SQLite3};Database=x.db" << D::Sqlite;
    QTest::newRow("ODBC driver in braces") << "Driver={PostgreSQL Unicode};Server=h" << D::Odbc;
    QTest::newRow("DSN") << "DSN=Sales;UID=u" << D::Odbc;
    QTest::newRow("MSDASQL") << "Provider=MSDASQL;DSN=Sales" << D::Odbc;
    QTest::newRow("FILEDSN") << "FILEDSN=/etc/x.dsn" << D::Odbc;
    QTest::newRow("PostgreSQL") << "Provider=PostgreSQL;Host=h;Database=d" << D::PostgreSql;
    QTest::newRow("MySQL") << "Provider=MySQL;Server=h;Database=d" << D::MySql;
    QTest::newRow("no provider, .mdb") << "Data Source=reports\\x.MDB" << D::Access;
    QTest::newRow("no provider, .accdb") << "Data Source=x.accdb" << D::Access;
    QTest::newRow("no provider, other file") << "Data Source=x.sqlite" << D::Sqlite;
    QTest::newRow("unknown provider") << "Provider=SQLOLEDB;Data Source=srv" << D::Unknown;
    QTest::newRow("nothing usable") << "User ID=x" << D::Unknown;
    QTest::newRow("empty") << "" << D::Unknown;
}

void tst_ConnectionString::driver()
{
    QFETCH(QString, text);
    QFETCH(ConnectionString::Driver, driver);
    QCOMPARE(ConnectionString(text).driver(), driver);
}


// Which strings may reach a driver; the whole route, with real processes and
// a library that would announce its loading, is tested with untrusted reports.
void tst_ConnectionString::refusal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key"); // the key the refusal names; empty: accepted

    QTest::newRow("DSN with user") << "DSN=Sales;UID=me;PWD=secret" << "";
    QTest::newRow("ODBC server form")
        << "Driver={PostgreSQL Unicode};Server=h;Port=5432;Database=d;UID=u;PWD=p;SSLmode=require"
        << "";
    QTest::newRow("SQLite with a version") << "Provider=SQLite;Data Source=x.db;Version=3" << "";
    QTest::newRow("server with a time-out")
        << "Provider=PostgreSQL;Host=h;Database=d;Connect Timeout=5" << "";
    QTest::newRow("extension") << "Provider=SQLite;Data Source=x.db;LoadExt=/x.so" << "LoadExt";
    QTest::newRow("trace, any spelling") << "DSN=Sales;TRACE_FILE=/tmp/t" << "TRACE_FILE";
    QTest::newRow("driver file") << "Driver=/tmp/x.so;Server=h" << "Driver";
    QTest::newRow("driver file, relative") << "Driver=lib.so;Server=h" << "Driver";
    QTest::newRow("driver file, Windows") << "Driver=C:\\x\\y.dll;Server=h" << "Driver";
    QTest::newRow("unknown ODBC key") << "DSN=Sales;Option=3" << "Option";
    QTest::newRow("statement at connect") << "Provider=MySQL;Server=h;InitStmt=SET x=1" << "InitStmt";
    QTest::newRow("brace in an ODBC value") << "DSN=Sales;PWD={a}}b}" << "PWD";
    QTest::newRow("line break in an ODBC value") << "DSN=Sales;UID=a\nb" << "UID";
}

void tst_ConnectionString::refusal()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    const ConnectionString cs(text);
    QVERIFY(cs.isValid());
    const QString why = cs.refusal();
    if (key.isEmpty())
        QVERIFY2(why.isEmpty(), qPrintable(why));
    else
        QVERIFY2(why.contains(u'"' + key + u'"'), qPrintable(why));
}

MIRT_REGISTER_TEST(tst_ConnectionString)
#include "tst_connectionstring.moc"
