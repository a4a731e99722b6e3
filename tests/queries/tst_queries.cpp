// The report's queries on real databases: field references, runSql, the connection, table
// and field lists, sections filled from their parent's record, pictures, the grid, /check.
#include "../datafixtures.h"
#include "../germanlocale.h"

#include "data/dataaccess.h"
#include "data/fieldreference.h"
#include "data/recordsetgrid.h"
#include "data/sqlreferences.h"
#include "document/errorentry.h"
#include "document/reportdocument.h"
#include "document/reportsection.h"
#include "document/userinteraction.h"
#include "engine/reportrun.h"
#include "platform/catalog.h"
#include "platform/connection.h"
#include "platform/recordset.h"
#include "program/checkcommand.h"

#include <QDate>
#include <QStandardItemModel>
#include <QTextStream>

namespace {

// People (a quote, a Null city, a score of 2.5, a blob that is no picture) and more.
QString fixtureDb()
{
    static const QString path = [] {
        const QString p = scratchPath(QStringLiteral("fixture.db"));
        const QString error = createSqlite(
            p,
            {"CREATE TABLE People (ID INTEGER PRIMARY KEY, Name VARCHAR(40), City VARCHAR(20), "
             "Score REAL, Photo BLOB)",
             "INSERT INTO People VALUES (1, 'O''Brien', 'Dublin', 2.5, X'00010203'), (2, "
             "'Smith', NULL, 4, NULL), (3, 'Jones', 'Car' || char(13, 10) || 'diff', 1.25, NULL)",
             "CREATE TABLE Visits (PersonID INTEGER, Place VARCHAR(20), Score REAL)",
             "INSERT INTO Visits VALUES (1, 'Cork', 2.5), (1, 'Galway', 3), (2, 'Leeds', 4)",
             "CREATE TABLE Nicknames (Name VARCHAR(40), Nick VARCHAR(20))",
             "INSERT INTO Nicknames VALUES ('O''Brien', 'Obi'), ('Smith', 'Smithy')",
             "CREATE TABLE Empty (ID INTEGER)",
             "CREATE VIEW PeopleNames AS SELECT Name FROM People"});
        return error.isEmpty() ? p : QString();
    }();
    return path;
}

// A document on `connection` with `count` data sections named "S1", "S2", …
std::unique_ptr<ReportDocument> newDocument(const QString &connection, int count = 1)
{
    auto doc = std::make_unique<ReportDocument>();
    doc->clearSections();
    for (int n = 1; n <= count; ++n)
        doc->addDataSection()->sectionName = QStringLiteral("S%1").arg(n);
    doc->connectionStringData = connection;
    return doc;
}
ReportSection *dataSection(ReportDocument &doc, int n)
{
    return doc.sections.value(ReportSection::keyOf(ReportSection::DataSection, n));
}

// S1 on People, moved to the person `personId`; S2 open on another ID and Name; S3 the child
// of S1 with `childSql`.
std::unique_ptr<ReportDocument> parentAndChild(const QString &childSql, int personId)
{
    auto doc = newDocument(sqlite(fixtureDb()), 3);
    doc->openDataConnection();
    ReportSection *parent = dataSection(*doc, 1);
    parent->SQL = QStringLiteral("SELECT * FROM People ORDER BY ID");
    dataSection(*doc, 2)->SQL = QStringLiteral("SELECT 7 AS ID, 'Seven' AS Name FROM People");
    dataSection(*doc, 3)->sectionParent = 1;
    dataSection(*doc, 3)->SQL = childSql;
    if (parent->openRecordset(0) != 0 || dataSection(*doc, 2)->openRecordset(0) != 0)
        return doc;
    while (!parent->rsd->eof() && parent->rsd->fields().item(0).value().toInt() != personId)
        parent->rsd->moveNext();
    return doc;
}

// Customers, their orders and each order's lines, on the demo database.
std::unique_ptr<ReportDocument> ordersReport(const QString &connection)
{
    auto doc = newDocument(connection, 3);
    ReportSection *customers = dataSection(*doc, 1);
    customers->sectionName = QStringLiteral("Customers");
    customers->SQL = QStringLiteral("SELECT CustomerID, CompanyName\r\nFROM Customers\r\n"
                                    "ORDER BY CompanyName");
    ReportSection *orders = dataSection(*doc, 2);
    orders->sectionName = QStringLiteral("Orders");
    orders->sectionParent = 1;
    orders->SQL = QStringLiteral("SELECT OrderID, Freight FROM Orders WHERE CustomerID = "
                                 "'{[Customers].[CustomerID]}' ORDER BY OrderDate");
    ReportSection *lines = dataSection(*doc, 3);
    lines->sectionName = QStringLiteral("Order lines");
    lines->sectionParent = 2;
    lines->SQL = QStringLiteral("SELECT ProductID, Quantity FROM [Order Details] "
                                "WHERE OrderID = {[Orders].[OrderID]}");
    return doc;
}

struct CheckRun
{
    int status = -1;
    QString out, err;
};
CheckRun runCheck(ReportDocument &doc)
{
    CheckRun run;
    QTextStream out(&run.out), err(&run.err);
    run.status = runCheckCommand(doc, out, err);
    return run;
}

} // namespace

// The connection, the text given, the record limit, the records (-1: refused), and the text as
// run or what the entry says.
using SqlRun = std::tuple<QString, QString, long, long, QString>;
// The first row, the record limit before and after, whether there is a header, and the rows.
using GridRows = std::tuple<long, long, long, bool, QStringList>;

class tst_Queries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(scratch().isValid() && QFile::exists(fixtureDb())); }
    void cleanup()
    {
        QLocale::setDefault(QLocale::c());
        UserInteraction::setCurrent(nullptr);
    }

    // A reference read into its section and field; what fullText writes reads back the same.
    void fieldReference_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fullText");
        dataRow("bare name", "Total", "", "Total", "[Total]");
        dataRow("doubled brackets", "[[A]]].[[B]]", "A", "B", "[A].[B]");
        dataRow("separator at the start", "].[x", "", ".x", "[.x]");
        dataRow("one-letter table, as items keep it", "X].[id", "X", "id", "[X].[id]");
        dataRow("three parts take the second", "[a].[b].[c]", "a", "b", "[a].[b]");
        dataRow("table but no name", "[Customers].[]", "Customers", "", "");
        dataRow("empty", "", "", "", "");
    }
    void fieldReference()
    {
        QFETCH(QString, reference);
        QFETCH(QString, table);
        QFETCH(QString, name);
        QFETCH(QString, fullText);
        FieldReference f;
        f.table = QStringLiteral("stale");
        f.init(reference);
        QCOMPARE(f.table, table);
        QCOMPARE(f.name, name);
        QCOMPARE(f.fullText(), fullText);
        if (!fullText.isEmpty()) {
            const FieldReference back(fullText);
            QCOMPARE(back.table, table);
            QCOMPARE(back.name, name);
        }
    }
    // The references a text holds, and the text with each replaced by 0.
    void referencesFound_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("refs");
        QTest::addColumn<QString>("zeroed");
        dataRow("none, untouched", "  SELECT * FROM t  ", QStringList(), "  SELECT * FROM t  ");
        dataRow("duplicates kept", "SELECT * FROM o WHERE c={[C].[ID]} OR d={ID} OR e={[C].[ID]}",
                QStringList{"[C].[ID]", "ID", "[C].[ID]"},
                "SELECT * FROM o WHERE c=0 OR d=0 OR e=0");
        dataRow("closing brace alone", "SELECT '}' FROM t", QStringList{""}, "SELECT '}' FROM t");
        dataRow("empty reference", "SELECT {} FROM t }", QStringList{"", ""}, "SELECT 0 FROM t }");
        dataRow("second brace does not restart, target stays", "a{b{c}d", QStringList{"bc"},
                "a{b{c}d");
        dataRow("unclosed", "SELECT * FROM t WHERE a={x", QStringList(),
                "SELECT * FROM t WHERE a={x");
    }
    void referencesFound()
    {
        QFETCH(QString, sql);
        QTEST(sqlReferences(sql), "refs");
        QTEST(sqlWithZeroReferences(sql), "zeroed");
    }
    // Every reference given `value`, in the C locale and in German (periods kept).
    void substitution_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *sql, const QVariant &value,
                            const char *expected) {
            QTest::newRow(name) << QString::fromLatin1(sql) << value
                                << QString::fromLatin1(expected);
        };
        row("bare text becomes a literal", "c={[C].[ID]}", "O'Brien", "c='O''Brien'");
        row("literal ending a value cannot close the quote", "n='{N}' AND x=1", "' OR '1'='1",
            "n=''' OR ''1''=''1' AND x=1");
        row("after a literal with doubled quotes", "q='a''b' AND n={N}", "x'y",
            "q='a''b' AND n='x''y'");
        row("text outside quotes is a literal, not SQL", "id={N}", "0 OR 1=1", "id='0 OR 1=1'");
        row("numeric text outside quotes stays a number", "id={N}", "-42.5", "id=-42.5");
        row("double-quoted literal", "n=\"{N}\"", "say \"hi\"", "n=\"say \"\"hi\"\"\"");
        row("double quotes in a single-quoted literal stay", "n='{N}'", "say \"hi\"",
            "n='say \"hi\"'");
        // The only reference named M gives "m".
        row("inserted braces are not references", "n='{N}' OR m='{M}'", "{M}", "n='{M}' OR m='m'");
        row("same reference twice", "n={N}+{N}", 1, "n=1+1");
        row("date and time", "d='{D}'", QDateTime(QDate(2024, 2, 29), QTime(8, 5, 1)),
            "d='2024-02-29 08:05:01'");
        row("date", "d='{D}'", QDate(2024, 2, 29), "d='2024-02-29'");
        row("boolean", "f={F}", true, "f=True");
        row("whole double", "p={P}", 1000000.0, "p=1000000");
        row("decimal, more than six digits", "p={P}", 1234567.25, "p=1234567.25");
    }
    void substitution()
    {
        QFETCH(QString, sql);
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        const QString select = QStringLiteral("SELECT * FROM t WHERE ");
        for (const char *locale : {"C", "de_DE"}) {
            QLocale::setDefault(QLocale(QLatin1String(locale)));
            // Each reference is looked up once, however often it is written.
            QStringList asked;
            const QString out = substituteSqlReferences(select + sql, [&](const QString &ref) {
                asked << ref;
                return ref == u"M" ? QVariant(QStringLiteral("m")) : value;
            });
            QCOMPARE(out, select + expected);
            QCOMPARE(asked.size(), QSet<QString>(asked.begin(), asked.end()).size());
        }
    }
    void selectChecks_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message");
        const char *first = "Your query must start with 'SELECT'";
        const char *third = "You query is not complete";
        const auto row = [](const char *name, const char *sql, const char *message) {
            QTest::newRow(name) << QString::fromLatin1(sql) << QString::fromLatin1(message);
        };
        row("star against SELECT", "SELECT*FROM t", "");
        row("only a comment", "-- SELECT a FROM t", first);
        row("FROM at the very end", "SELECT * FROM", third);
        row("ends with a name ending in from", "SELECT a FROM ValidFrom", "");
        row("from in a string at the end", "SELECT a FROM t WHERE b = 'x from'", "");
        row("block comment first", "/* list */ SELECT a FROM t", "");
        row("comment hides a change", "-- SELECT\nDELETE FROM t", first);
        row("recursive table",
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION SELECT i + 1 FROM n) SELECT i FROM n", "");
        row("change after a common table",
            "WITH c AS (SELECT a FROM t) DELETE FROM t WHERE a IN (SELECT a FROM c)", first);
    }
    void selectChecks()
    {
        QFETCH(QString, sql);
        QTEST(selectCheckMessage(sql), "message");
    }

    // runSql: an accepted text runs trimmed, `records` of it; a refused one (records -1) leaves
    // an entry of RunSQL with the text the caller gave.
    void runSql_data()
    {
        QTest::addColumn<SqlRun>("row");
        const auto row = [](const char *name, const SqlRun &r) { QTest::newRow(name) << r; };
        const QString demo = sqlite(demoDb());
        row("lower case, spaces around", {demo, "  select CategoryID from Categories  ", 0L, 8L,
                                          "select CategoryID from Categories"});
        row("several lines, a comment first",
            {demo, "-- two\r\nSELECT CategoryID\r\nFROM Categories\r\nWHERE CategoryID < 3\r\n", 0L,
             2L, "-- two\r\nSELECT CategoryID\r\nFROM Categories\r\nWHERE CategoryID < 3"});
        row("one record", {demo, "SELECT * FROM Categories", 1L, 1L, "SELECT * FROM Categories"});
        row("negative limit: all",
            {demo, "SELECT * FROM Categories", -5L, 8L, "SELECT * FROM Categories"});
        row("not a query",
            {demo, "  DELETE FROM Customers", 0L, -1L, "=Your query must start with 'SELECT'"});
        row("missing table", {demo, "SELECT * FROM Nowhere", 0L, -1L, "no such table"});
        // The entry names why the connection is closed, not only that it is.
        row("missing file",
            {sqlite("/nonexistent/x.db"), "SELECT * FROM Categories", 0L, -1L, "x.db"});
        row("unknown provider",
            {"Provider=Nonsense.Provider.1;Data Source=x.db", "SELECT 1", 0L, -1L, "Nonsense"});
        row("no connection string", {"", "SELECT 1", 0L, -1L, ""});
    }
    void runSql()
    {
        QFETCH(SqlRun, row);
        const auto &[connection, sql, maxRecords, records, message] = row;
        auto doc = newDocument(connection);
        const bool bad = connection != sqlite(demoDb());
        QCOMPARE(doc->openDataConnection(), bad ? 1 : 0);
        QCOMPARE(doc->isDataConnectionOpen(), !bad);
        // Opening shows nothing and records nothing by itself; it keeps the driver's reason.
        QVERIFY(!doc->isErrors());
        QCOMPARE(doc->connectionError().isEmpty(), !bad);
        QVERIFY2(doc->connectionError().contains(message, Qt::CaseInsensitive) || !bad,
                 qPrintable(doc->connectionError()));
        Recordset rs;
        QString given = sql;
        QCOMPARE(doc->runSql(given, rs, maxRecords), records < 0 ? 2 : 0);
        if (records >= 0) {
            QCOMPARE(given, message);
            QCOMPARE(rs.recordCount(), records);
            QVERIFY(!doc->isErrors());
            return;
        }
        QCOMPARE(rs.state(), int(Recordset::adStateClosed));
        QCOMPARE(doc->errorLst.size(), 1);
        const ErrorEntry &e = doc->errorLst.first();
        QCOMPARE(e.class_, QStringLiteral("TalvoDocument"));
        QCOMPARE(e.function_, QStringLiteral("RunSQL"));
        if (message.startsWith(u'='))
            QCOMPARE(e.message, message.mid(1));
        else
            QVERIFY2(e.message.contains(message, Qt::CaseInsensitive), qPrintable(e.message));
        if (!bad)
            QCOMPARE(e.additionalInfo, sql); // before trimming
    }

    // The report's connection, throw-away connections, table and field lists.
    void connectionLifetime()
    {
        auto doc = newDocument(sqlite(demoDb()));
        QVERIFY(!doc->isDataConnectionOpen());
        QCOMPARE(doc->openDataConnection(), 0);
        // An open connection is kept, read-only.
        Connection *first = &doc->connection();
        QCOMPARE(doc->openDataConnection(), 0);
        QCOMPARE(&doc->connection(), first);
        QCOMPARE(doc->connection().mode(), int(Connection::adModeRead));
        // Another report loaded into the document: its queries run on its own database.
        doc->connectionStringData = sqlite(fixtureDb());
        QCOMPARE(doc->openDataConnection(), 0);
        Recordset rs;
        QString sql = QStringLiteral("SELECT * FROM People");
        QCOMPARE(doc->runSql(sql, rs, 0), 0);
        ReportSection *s = dataSection(*doc, 1);
        s->SQL = QStringLiteral("SELECT * FROM Visits");
        QCOMPARE(s->openRecordset(0), 0);
        doc->release();
        QVERIFY(!doc->isDataConnectionOpen());
        doc->release(); // twice is harmless
    }
    void tablesThenViews()
    {
        auto doc = newDocument(sqlite(demoDb()));
        QStringList list{QStringLiteral("stale")};
        QList<CatalogEntry> entries;
        doc->fillListTables(list, &entries);
        QCOMPARE(list, (QStringList{"Categories", "Customers", "Employees", "Order Details",
                                    "Orders", "Products", "Order Totals", "Product List"}));
        QCOMPARE(entries.size(), list.size());
        QCOMPARE(entries.at(5).Type, QStringLiteral("TABLE"));
        QCOMPARE(entries.at(6).Type, QStringLiteral("VIEW"));
        // A separate connection: the report's own stays as it was.
        QVERIFY(!doc->isDataConnectionOpen());

        // Without a connection the list is empty, and nothing is shown.
        ScriptedInteraction ui;
        UserInteraction::setCurrent(&ui);
        doc->connectionStringData = QStringLiteral("Provider=Nonsense;Data Source=x");
        doc->fillListTables(list);
        QVERIFY(list.isEmpty());
        QVERIFY(ui.shown.isEmpty());
        // Not silent: the message, then the driver's reason after the line break.
        std::unique_ptr<Connection> cn;
        QVERIFY(!openConnection(cn, doc->connectionStringData, false));
        QVERIFY(cn && cn->state() != Connection::adStateOpen);
        QCOMPARE(ui.shown.size(), 1);
        QVERIFY2(ui.shown.first().text.startsWith(u"Impossible to open the connection\r\n") &&
                     ui.shown.first().text.contains(u"Nonsense"),
                 qPrintable(ui.shown.first().text));
    }
    void fieldsOfTheSections()
    {
        auto doc = newDocument(sqlite(fixtureDb()), 4);
        dataSection(*doc, 1)->SQL = QStringLiteral("SELECT ID, Name FROM People");
        ReportSection *child = dataSection(*doc, 2);
        child->sectionParent = 1;
        // References replaced by 0: no row, but the fields are known.
        child->SQL = QStringLiteral("SELECT Place, Score FROM Visits WHERE PersonID = {[S1].[ID]}");
        dataSection(*doc, 3)->SQL = QStringLiteral("SELECT * FROM Missing");
        dataSection(*doc, 4)->SQL = QStringLiteral("SELECT Nick FROM Nicknames");

        // Each as "reference level type" (3 integer, 202 text, 5 double).
        QStringList all;
        for (const FieldReference &f : doc->listFields(1, 4))
            all << QStringLiteral("%1 %2 %3").arg(f.fullText()).arg(f.level).arg(f.adoType);
        // A failing section adds no field, and one entry.
        QCOMPARE(all, (QStringList{"[S1].[ID] 1 3", "[S1].[Name] 1 202", "[S2].[Place] 2 202",
                                   "[S2].[Score] 2 5", "[S4].[Nick] 4 202"}));
        QCOMPARE(doc->errorLst.size(), 1);
        QVERIFY(doc->errorLst.first().message.contains(QStringLiteral("Missing")));
        QCOMPARE(doc->listFields(2, 2).size(), 2);
        QVERIFY(doc->listFields(5, 9).isEmpty());
    }

    // A child's query from its parent's current record; `reason`: what the one entry says
    // about a reference that cannot be filled.
    void childSql_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("personId");
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char *name, const char *sql, int id, const char *built,
                            const char *reason = "") {
            QTest::newRow(name) << QString::fromLatin1(sql) << id << QString::fromLatin1(built)
                                << QString::fromLatin1(reason);
        };
        row("number", "SELECT Place FROM Visits WHERE PersonID = {[S1].[ID]} ORDER BY Place", 1,
            "SELECT Place FROM Visits WHERE PersonID = 1 ORDER BY Place");
        row("name with a quote, quoted", "SELECT Nick FROM Nicknames WHERE Name = '{[S1].[Name]}'",
            1, "SELECT Nick FROM Nicknames WHERE Name = 'O''Brien'");
        // The parent by its number, not the section before the child.
        row("bare field name", "SELECT Nick FROM Nicknames WHERE Name = '{[Name]}'", 2,
            "SELECT Nick FROM Nicknames WHERE Name = 'Smith'");
        row("decimal", "SELECT Place FROM Visits WHERE Score = {[S1].[Score]}", 1,
            "SELECT Place FROM Visits WHERE Score = 2.5");
        row("unknown section takes the parent",
            "SELECT Place FROM Visits WHERE PersonID = {[Elsewhere].[ID]}", 2,
            "SELECT Place FROM Visits WHERE PersonID = 2");
        row("no references, trimmed", "  SELECT Place FROM Visits WHERE Score > 3  ", 1,
            "SELECT Place FROM Visits WHERE Score > 3");
        // Smith's city is Null: empty text, reported once however often it is written.
        row("null value", "SELECT Place FROM Visits WHERE Place = '{[S1].[City]}' OR {[S1].[City]}",
            2, "SELECT Place FROM Visits WHERE Place = '' OR ", "Null");
        row("missing field", "SELECT Place FROM Visits WHERE Place = '{[S1].[Town]}'", 1,
            "SELECT Place FROM Visits WHERE Place = ''", "Town");
        row("parent past its last record", "SELECT Place FROM Visits WHERE PersonID = {[S1].[ID]}",
            99, "SELECT Place FROM Visits WHERE PersonID = ", "BOF or EOF");
    }
    void childSql()
    {
        QFETCH(QString, sql);
        QFETCH(int, personId);
        QFETCH(QString, built);
        QFETCH(QString, reason);
        // The C library's locale too: a decimal comma would change the query.
        const GermanLocale german;
        auto doc = parentAndChild(sql, personId);
        ReportSection *child = dataSection(*doc, 3);
        QCOMPARE(doc->buildSql(child), built);
        if (reason.isEmpty()) {
            QVERIFY2(!doc->isErrors(),
                     doc->isErrors() ? qPrintable(doc->lastError()->pureText()) : "");
            QCOMPARE(child->openRecordset(0), 0);
            QCOMPARE(child->rsd->source(), built);
            return;
        }
        QCOMPARE(doc->errorLst.size(), 1);
        const ErrorEntry &e = doc->errorLst.first();
        QCOMPARE(e.class_, QStringLiteral("section"));
        QCOMPARE(e.function_, QStringLiteral("BuildSQL"));
        QVERIFY2(e.message.contains(reason), qPrintable(e.message));
        QCOMPARE(e.additionalInfo, sql);
        // The run goes on: the section still opens (or fails on its own).
        child->openRecordset(0);
    }
    void emptyRootQuery()
    {
        auto doc = newDocument(sqlite(fixtureDb()), 2);
        QCOMPARE(doc->openDataConnection(), 0);
        ReportSection *root = dataSection(*doc, 1);
        root->SQL = QStringLiteral("SELECT * FROM Empty");
        QCOMPARE(root->openRecordset(0), 0);
        QCOMPARE(root->rsd->recordCount(), 0L);
        QVERIFY(root->rsd->eof());
        QCOMPARE(root->fieldValueOf(QStringLiteral("ID")), QVariant(QString()));
        // A failing query leaves a closed recordset.
        root->SQL = QStringLiteral("SELECT * FROM Nowhere");
        QCOMPARE(root->openRecordset(0), 2);
        QVERIFY(root->rsd);
        QCOMPARE(root->rsd->state(), int(Recordset::adStateClosed));
        QVERIFY(doc->lastError()->message.contains(QStringLiteral("no such table")));
        // A section outside any document cannot run, but does not crash.
        ReportSection loose;
        loose.SQL = QStringLiteral("SELECT * FROM People");
        QCOMPARE(loose.openRecordset(0), 2);
    }
    void fieldLookup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("type");
        QTest::newRow("any letter case") << "nAmE" << QVariant(QStringLiteral("O'Brien")) << 202;
        QTest::newRow("double") << "Score" << QVariant(2.5) << 5;
        QTest::newRow("missing: empty text") << "Nothing" << QVariant(QString()) << 0;
    }
    void fieldLookup()
    {
        QFETCH(QString, name);
        QFETCH(int, type);
        auto doc = parentAndChild(QStringLiteral("SELECT 1 FROM People"), 1);
        ReportSection *s = dataSection(*doc, 1);
        QTEST(s->fieldValueOf(name), "value");
        QCOMPARE(s->fieldType(name), type);
        QCOMPARE(s->fieldValue(name).isValid(), type != 0);
        // No open recordset: nothing, no crash.
        QCOMPARE(dataSection(*doc, 3)->fieldValueOf(name), QVariant(QString()));
    }
    // A picture from a binary field, or none with the reason naming the field.
    void picture_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("reason");
        dataRow("every category's picture", "SELECT Picture FROM Categories", "Picture", "");
        dataRow("inside an OLE wrapper", "ole", "Picture", "");
        dataRow("bytes that are no picture", "SELECT Photo FROM People WHERE ID = 1", "Photo",
                "no picture");
        dataRow("null", "SELECT Photo FROM People WHERE ID = 2", "Photo", "Null");
        dataRow("text field", "SELECT Name FROM People WHERE ID = 1", "Name", "not a binary");
        dataRow("missing field", "SELECT Name FROM People WHERE ID = 1", "Photo", "cannot be read");
    }
    void picture()
    {
        QFETCH(QString, sql);
        QFETCH(QString, field);
        QFETCH(QString, reason);
        Connection demo, fixture;
        demo.open(sqlite(demoDb()));
        fixture.open(sqlite(fixtureDb()));
        QImage expected;
        if (sql == u"ole") {
            // A wrapped copy: an OLE-style header, then the file's bytes.
            Recordset png;
            png.open(QStringLiteral("SELECT Picture FROM Categories WHERE CategoryID = 1"), demo);
            expected = QImage::fromData(png.value(0).toByteArray());
            sql = QStringLiteral("SELECT X'%1' AS Picture FROM People LIMIT 1")
                      .arg(QString::fromLatin1(
                          (QByteArray("\x15\x1c\x2f\x00\x02\x00\x00\x00Paint.Picture\x00", 22) +
                           png.value(0).toByteArray())
                              .toHex()));
        }
        // A temporary folder of its own, to see that none is left.
        const QString temp = scratchPath(QStringLiteral("temp-") + QTest::currentDataTag());
        QVERIFY(QDir().mkpath(temp));
        qputenv("TMPDIR", QFile::encodeName(temp));
        Recordset rs;
        rs.open(sql, sql.contains(QLatin1String("People")) ? fixture : demo,
                Recordset::adOpenStatic);
        do {
            QString why = QStringLiteral("stale");
            const QImage image = pictureFromField(rs, field, &why);
            if (!reason.isEmpty()) {
                QVERIFY(image.isNull());
                QVERIFY2(why.contains(reason) && why.contains(field), qPrintable(why));
                return;
            }
            QVERIFY(!image.isNull() && image.width() > 0 && image.height() > 0);
            QVERIFY(why.isEmpty());
            if (!expected.isNull()) {
                QCOMPARE(image.size(), expected.size());
                QCOMPARE(image.pixel(0, 0), expected.pixel(0, 0));
            }
            rs.moveNext();
        } while (!rs.eof());
        // Pictures are read in memory: no temporary file is left.
        QCOMPARE(QDir(temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }
    // The browser's grid: its rows with the cells joined by "|".
    void gridRows_data()
    {
        QTest::addColumn<GridRows>("row");
        const auto row = [](const char *name, const GridRows &r) { QTest::newRow(name) << r; };
        // Nulls are empty; line feeds stay, carriage returns go.
        const QString a = QStringLiteral("1|O'Brien|Dublin|2.5|(binary, 4 bytes)"),
                      b = QStringLiteral("2|Smith||4|"),
                      c = QStringLiteral("3|Jones|Car\ndiff|1.25|");
        row("all rows", {1L, 0L, 4L, true, QStringList{a, b, c}});
        row("from the second", {2L, 0L, 4L, true, QStringList{b, c}});
        row("two rows, no header", {1L, 2L, 2L, false, QStringList{a, b}});
        row("beyond the last", {4L, 0L, 4L, true, QStringList()});
        row("row 0 means the first", {0L, 1L, 1L, true, QStringList{a}});
    }
    void gridRows()
    {
        QFETCH(GridRows, row);
        // The limit is passed on to be changed.
        auto [firstRow, maxRows, maxAfter, header, rows] = row;
        Connection c;
        c.open(sqlite(fixtureDb()));
        Recordset rs;
        rs.open(QStringLiteral("SELECT ID, Name, City, Score, Photo FROM People ORDER BY ID"), c,
                Recordset::adOpenStatic);
        QStandardItemModel grid;
        grid.appendRow(new QStandardItem(QStringLiteral("stale")));
        fillGridFromRecordset(rs, grid, firstRow, maxRows, header);
        QCOMPARE(maxRows, maxAfter);
        QCOMPARE(grid.columnCount(), 5);
        QCOMPARE(grid.horizontalHeaderItem(1) != nullptr, header);
        if (header)
            QCOMPARE(grid.horizontalHeaderItem(1)->text(), QStringLiteral("Name"));
        QStringList got;
        for (int r = 0; r < grid.rowCount(); ++r) {
            QStringList cells;
            for (int col = 0; col < grid.columnCount(); ++col)
                cells << grid.item(r, col)->text();
            got << cells.join(u'|');
        }
        QCOMPARE(got, rows);
    }

    // /check: what it prints and the status it ends with.
    void checkSections_data()
    {
        QTest::addColumn<int>("number"); // the section given `sql`; 0: none
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reason");
        const int passed = CheckPassed, failed = CheckSectionFailed;
        // Orders of ALPHA (the first customer by name), lines of its first order.
        dataRow("passing", 0, "", passed,
                "d1 Customers\n  OK, 30 records\n    CustomerID\t202\n    CompanyName\t202\n\n"
                "d2 Orders\n  OK, 15 records\n    OrderID\t3\n    Freight\t6\n\n"
                "d3 Order lines\n  OK, 5 records\n    ProductID\t3\n    Quantity\t2\n\n");
        dataRow("missing table", 1, "SELECT * FROM Clients", failed, "no such table: Clients");
        dataRow("not a SELECT", 3, "DELETE FROM [Order Details]", failed,
                "Your query must start with 'SELECT'");
        dataRow("second statement", 3, "SELECT * FROM Orders; DELETE FROM Orders", failed,
                "statement");
        // A missing parent field is a note; the query itself still runs.
        dataRow("missing field of the parent", 2,
                "SELECT OrderID FROM Orders WHERE CustomerID = '{[Customers].[Code]}'", passed,
                "Note: The field [Code] of the section \"Customers\" cannot be read");
        dataRow("child of an empty parent", 1, "SELECT CustomerID FROM Customers WHERE 0", passed,
                "d1 Customers\n  OK, 0 records\n    CustomerID\t202\n\n"
                "d2 Orders\n  (no parent record: references replaced by 0)\n  OK, 0 records");
    }
    void checkSections()
    {
        QFETCH(int, number);
        QFETCH(QString, sql);
        QFETCH(int, status);
        QFETCH(QString, reason);
        // A writable copy: a write would succeed and change it.
        const QString copy = scratchPath(QStringLiteral("check.db"));
        QFile::remove(copy);
        QVERIFY(QFile::copy(demoDb(), copy));
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const QByteArray before = fileHash(copy);
        auto doc = ordersReport(sqlite(copy));
        if (number > 0)
            dataSection(*doc, number)->SQL = sql;
        const CheckRun run = runCheck(*doc);
        QVERIFY(run.err.isEmpty());
        if (number == 0)
            QCOMPARE(run.out, reason);
        QVERIFY2(run.out.contains(reason), qPrintable(run.out));
        QCOMPARE(run.status, status);
        QCOMPARE(run.out.contains(QLatin1String("\n  FAILED\n")), status == CheckSectionFailed);
        // Every section has its block, also after a failure.
        for (const char *key : {"d1 Customers\n", "d2 Orders\n", "d3 Order lines\n"})
            QVERIFY(run.out.contains(QLatin1String(key)));
        doc.reset();
        QCOMPARE(fileHash(copy), before);
    }
    void checkSpecialReports()
    {
        // No data section at all.
        auto doc = newDocument(sqlite(demoDb()), 0);
        doc->setReportHeader(true);
        CheckRun run = runCheck(*doc);
        QCOMPARE(run.status, int(CheckPassed));
        QCOMPARE(run.out, QStringLiteral("The report has no data section.\n"));

        // A connection that cannot be opened.
        doc = ordersReport(QStringLiteral("Provider=SQLite;Data Source=/nonexistent/gone.db"));
        run = runCheck(*doc);
        QCOMPARE(run.status, int(CheckNoConnection));
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.startsWith(QStringLiteral("Impossible to open the connection\n")));
        QVERIFY2(run.err.contains(QLatin1String("gone.db")), qPrintable(run.err));
    }
};

QTEST_MAIN(tst_Queries)
#include "tst_queries.moc"
