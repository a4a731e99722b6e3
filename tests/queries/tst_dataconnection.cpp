// The report's connection, throw-away connections, and the table and field
// lists, on real databases and on broken sources.
#include "querysupport.h"

#include "data/dataaccess.h"
#include "data/ifield.h"
#include "document/section.h"
#include "document/talvodocument.h"
#include "document/userinteraction.h"
#include "platform/catalog.h"
#include "platform/connection.h"
#include "platform/recordset.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace QuerySupport;

namespace {

QString writeScratch(const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(scratchDir()).filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    f.write(bytes);
    return path;
}

// Makes `ui` current for the lifetime of the object.
struct InteractionScope
{
    explicit InteractionScope(UserInteraction *ui) { UserInteraction::setCurrent(ui); }
    ~InteractionScope() { UserInteraction::setCurrent(nullptr); }
};

} // namespace

class tst_DataConnection : public QObject
{
    Q_OBJECT

private slots:
    void badSourcesGiveTheirReason_data();
    void badSourcesGiveTheirReason();
    void corruptFileFailsAtTheQuery();
    void relativeDataSourceIsBesideTheReport();
    void openConnectionIsKept();
    void changedStringReopens();
    void closeCleanClosesTheConnection();
    void openConnectionMessages_data();
    void openConnectionMessages();
    void tablesThenViews();
    void noTablesWithoutConnection();
    void fieldsOfTheSections();
    void failingSectionAddsNoFields();
};

void tst_DataConnection::badSourcesGiveTheirReason_data()
{
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<QString>("reason");

    QTest::newRow("unknown provider")
        << "Provider=Nonsense.Provider.1;Data Source=x.db" << "Nonsense";
    QTest::newRow("missing file") << sqliteConnection(QStringLiteral("/nonexistent/none.db"))
                                  << "none.db";
    QTest::newRow("directory") << sqliteConnection(scratchDir()) << "folder";
    QTest::newRow("missing Access file")
        << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/nonexistent/none.mdb" << "none.mdb";
    QTest::newRow("empty") << "" << "";
}

void tst_DataConnection::badSourcesGiveTheirReason()
{
    QFETCH(QString, connectionString);
    QFETCH(QString, reason);
    auto doc = newDocument(connectionString);
    QCOMPARE(doc->openDataConnection(), 1);
    QVERIFY(!doc->DataConnOpened());
    QVERIFY(!doc->connectionError().isEmpty());
    QVERIFY2(doc->connectionError().contains(reason, Qt::CaseInsensitive),
             qPrintable(doc->connectionError()));
    // Opening shows nothing and records nothing by itself.
    QVERIFY(!doc->isErrors());
}

void tst_DataConnection::corruptFileFailsAtTheQuery()
{
    QByteArray bytes("SQLite format 3");
    bytes.append(char(0));
    bytes.append(QByteArray(4096, 'x'));
    const QString path = writeScratch(QStringLiteral("corrupt.db"), bytes);
    auto doc = newDocument(sqliteConnection(path));
    const int opened = doc->openDataConnection();
    if (opened == 0) {
        Recordset rs;
        QString sql = QStringLiteral("SELECT * FROM Customers");
        QCOMPARE(doc->RunSQL(sql, rs, 0), 2);
        QVERIFY2(doc->lastError()->message.contains(QStringLiteral("database"),
                                                    Qt::CaseInsensitive),
                 qPrintable(doc->lastError()->message));
    } else {
        QVERIFY(!doc->connectionError().isEmpty());
    }
    doc->CloseClean();
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), bytes);
}

void tst_DataConnection::relativeDataSourceIsBesideTheReport()
{
    const QString folder = QDir(scratchDir()).filePath(QStringLiteral("report-folder"));
    QDir().mkpath(folder);
    QFile::remove(folder + QStringLiteral("/beside.db"));
    QVERIFY(QFile::copy(fixtureDb(), folder + QStringLiteral("/beside.db")));
    auto doc = newDocument(QStringLiteral("Provider=SQLite;Data Source=beside.db"));
    doc->fileName = folder + QStringLiteral("/report.xml");
    QCOMPARE(doc->openDataConnection(), 0);
    Recordset rs;
    QString sql = QStringLiteral("SELECT * FROM People");
    QCOMPARE(doc->RunSQL(sql, rs, 0), 0);
    QCOMPARE(rs.RecordCount(), 3L);
}

void tst_DataConnection::openConnectionIsKept()
{
    auto doc = newDocument(sqliteConnection(demoDb()));
    QVERIFY(!doc->DataConnOpened());
    QCOMPARE(doc->openDataConnection(), 0);
    QVERIFY(doc->DataConnOpened());
    Connection *first = &doc->connection();
    const QString string = first->ConnectionString();
    QCOMPARE(doc->openDataConnection(), 0);
    QCOMPARE(&doc->connection(), first);
    QCOMPARE(doc->connection().ConnectionString(), string);
    QCOMPARE(doc->connection().Mode(), int(Connection::adModeRead));
}

void tst_DataConnection::changedStringReopens()
{
    // Loading another report into the same document must not leave its
    // queries running on the previous report's database.
    auto doc = newDocument(sqliteConnection(demoDb()));
    QCOMPARE(doc->openDataConnection(), 0);
    doc->connectionStringData = sqliteConnection(fixtureDb());
    QCOMPARE(doc->openDataConnection(), 0);
    Recordset rs;
    QString sql = QStringLiteral("SELECT * FROM People");
    QCOMPARE(doc->RunSQL(sql, rs, 0), 0);

    doc->connectionStringData = sqliteConnection(QStringLiteral("/nonexistent/x.db"));
    QCOMPARE(doc->openDataConnection(), 1);
    QVERIFY(!doc->DataConnOpened());
}

void tst_DataConnection::closeCleanClosesTheConnection()
{
    auto doc = newDocument(sqliteConnection(demoDb()));
    QCOMPARE(doc->openDataConnection(), 0);
    section *s = dataSection(*doc, 1);
    s->SQL = QStringLiteral("SELECT * FROM Categories");
    QCOMPARE(s->OpenRS(0), 0);
    doc->CloseClean();
    QVERIFY(!doc->DataConnOpened());
    doc->CloseClean(); // twice is harmless
}

void tst_DataConnection::openConnectionMessages_data()
{
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("shown");

    const QString bad = sqliteConnection(QStringLiteral("/nonexistent/none.db"));
    QTest::newRow("good") << sqliteConnection(demoDb()) << false << true << "";
    QTest::newRow("bad, not silent") << bad << false << false
                                     << "Impossible to open the connection\r\n";
    QTest::newRow("bad, silent") << bad << true << false << "";
}

void tst_DataConnection::openConnectionMessages()
{
    QFETCH(QString, connectionString);
    QFETCH(bool, silent);
    QFETCH(bool, opened);
    QFETCH(QString, shown);
    ScriptedInteraction ui;
    InteractionScope scope(&ui);
    std::unique_ptr<Connection> cn;
    QCOMPARE(openConnection(cn, connectionString, silent), opened);
    QVERIFY(cn); // a new connection in every case
    QCOMPARE(cn->State() == Connection::adStateOpen, opened);
    if (shown.isEmpty()) {
        QVERIFY(ui.shown.isEmpty());
    } else {
        QCOMPARE(ui.shown.size(), 1);
        QVERIFY2(ui.shown.first().text.startsWith(shown), qPrintable(ui.shown.first().text));
        // The driver's reason follows the line break.
        QVERIFY(ui.shown.first().text.contains(QStringLiteral("none.db")));
    }
}

void tst_DataConnection::tablesThenViews()
{
    auto doc = newDocument(sqliteConnection(demoDb()));
    QStringList list{QStringLiteral("stale")};
    QList<CatalogEntry> entries;
    doc->FillListTables(list, &entries);
    QCOMPARE(list, (QStringList{"Categories", "Customers", "Employees", "Order Details",
                                "Orders", "Products", "Order Totals", "Product List"}));
    QCOMPARE(entries.size(), list.size());
    QCOMPARE(entries.at(5).Type, QStringLiteral("TABLE"));
    QCOMPARE(entries.at(6).Type, QStringLiteral("VIEW"));
    // A separate connection: the report's own stays as it was.
    QVERIFY(!doc->DataConnOpened());
}

void tst_DataConnection::noTablesWithoutConnection()
{
    ScriptedInteraction ui;
    InteractionScope scope(&ui);
    auto doc = newDocument(QStringLiteral("Provider=Nonsense;Data Source=x"));
    QStringList list{QStringLiteral("stale")};
    doc->FillListTables(list);
    QVERIFY(list.isEmpty());
    QVERIFY(ui.shown.isEmpty());
}

void tst_DataConnection::fieldsOfTheSections()
{
    auto doc = newDocument(sqliteConnection(fixtureDb()), 3);
    dataSection(*doc, 1)->SQL = QStringLiteral("SELECT ID, Name FROM People");
    section *child = dataSection(*doc, 2);
    child->sectionParent = 1;
    // With every reference replaced by 0 the query runs and gives no row,
    // but its fields are known.
    child->SQL = QStringLiteral("SELECT Place, Score FROM Visits WHERE PersonID = {[S1].[ID]}");
    dataSection(*doc, 3)->SQL = QStringLiteral("SELECT Nick FROM Nicknames");

    const QList<iField> all = doc->GetListFields(1, 3);
    QStringList names;
    QList<int> levels;
    for (const iField &f : all) {
        names << f.fullText();
        levels << f.level;
    }
    QCOMPARE(names, (QStringList{"[S1].[ID]", "[S1].[Name]", "[S2].[Place]", "[S2].[Score]",
                                 "[S3].[Nick]"}));
    QCOMPARE(levels, (QList<int>{1, 1, 2, 2, 3}));
    QCOMPARE(all.at(0).adoType, 3);   // integer
    QCOMPARE(all.at(1).adoType, 202); // text
    QCOMPARE(all.at(3).adoType, 5);   // double

    QCOMPARE(doc->GetListFields(2, 2).size(), 2);
    QVERIFY(doc->GetListFields(4, 9).isEmpty());
    QVERIFY(!doc->isErrors());
}

void tst_DataConnection::failingSectionAddsNoFields()
{
    auto doc = newDocument(sqliteConnection(fixtureDb()), 3);
    dataSection(*doc, 1)->SQL = QStringLiteral("SELECT ID FROM People");
    dataSection(*doc, 2)->SQL = QStringLiteral("SELECT * FROM Missing");
    dataSection(*doc, 3)->SQL = QStringLiteral("SELECT Nick FROM Nicknames");
    const QList<iField> all = doc->GetListFields(1, 3);
    QCOMPARE(all.size(), 2);
    QCOMPARE(all.at(1).fullText(), QStringLiteral("[S3].[Nick]"));
    QCOMPARE(doc->errorLst.size(), 1);
    QVERIFY(doc->errorLst.first().message.contains(QStringLiteral("Missing")));
}

MIRT_REGISTER_QUERY_TEST(tst_DataConnection)
#include "tst_dataconnection.moc"
