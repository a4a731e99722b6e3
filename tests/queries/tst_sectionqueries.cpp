// Opening data sections: a child's query filled from its parent's current
// record, and what happens when a reference cannot be filled.
#include "germanlocale.h"
#include "querysupport.h"

#include "document/section.h"
#include "document/talvodocument.h"
#include "document/talvoerror.h"
#include "platform/field.h"
#include "platform/recordset.h"

#include <QTest>

using namespace QuerySupport;

class tst_SectionQueries : public QObject
{
    Q_OBJECT

private slots:
    void childTakesTheParentsCurrentRecord_data();
    void childTakesTheParentsCurrentRecord();
    void numbersUseAPeriodInAGermanLocale();
    void unfilledReferences_data();
    void unfilledReferences();
    void parentIsFoundByItsNumber();
    void emptyRootQuery();
    void openFailureLeavesAnEntry();
    void fieldLookup_data();
    void fieldLookup();
    void variablesFollowTheFirstRecord();
    void databaseIsNeverChanged();
};

namespace {

// S1 on People; S2 its child with `childSql`; the parent is moved to the
// person with ID `personId`.
std::unique_ptr<TalvoDocument> parentAndChild(const QString &childSql, int personId)
{
    auto doc = newDocument(sqliteConnection(fixtureDb()), 2);
    doc->openDataConnection();
    section *parent = dataSection(*doc, 1);
    parent->SQL = QStringLiteral("SELECT * FROM People ORDER BY ID");
    section *child = dataSection(*doc, 2);
    child->sectionParent = 1;
    child->SQL = childSql;
    if (parent->OpenRS(0) != 0)
        return doc;
    while (!parent->rsd->Eof() && parent->rsd->Fields().Item(0).Value().toInt() != personId)
        parent->rsd->MoveNext();
    return doc;
}

QStringList column(Recordset &rs, int index)
{
    QStringList values;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        values << rs.value(index).toString();
    return values;
}

} // namespace

void tst_SectionQueries::childTakesTheParentsCurrentRecord_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("personId");
    QTest::addColumn<QString>("built");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("number")
        << "SELECT Place FROM Visits WHERE PersonID = {[S1].[ID]} ORDER BY Place" << 1
        << "SELECT Place FROM Visits WHERE PersonID = 1 ORDER BY Place"
        << QStringList{"Cork", "Galway"};
    QTest::newRow("name with a quote, quoted")
        << "SELECT Nick FROM Nicknames WHERE Name = '{[S1].[Name]}'" << 1
        << "SELECT Nick FROM Nicknames WHERE Name = 'O''Brien'" << QStringList{"Obi"};
    QTest::newRow("bare field name")
        << "SELECT Nick FROM Nicknames WHERE Name = '{[Name]}'" << 2
        << "SELECT Nick FROM Nicknames WHERE Name = 'Smith'" << QStringList{"Smithy"};
    QTest::newRow("without brackets")
        << "SELECT Nick FROM Nicknames WHERE Name = '{Name}'" << 2
        << "SELECT Nick FROM Nicknames WHERE Name = 'Smith'" << QStringList{"Smithy"};
    QTest::newRow("same reference twice")
        << "SELECT Place FROM Visits WHERE PersonID = {[S1].[ID]} AND {[S1].[ID]} > 0" << 2
        << "SELECT Place FROM Visits WHERE PersonID = 2 AND 2 > 0" << QStringList{"Leeds"};
    QTest::newRow("decimal") << "SELECT Place FROM Visits WHERE Score = {[S1].[Score]}" << 1
                             << "SELECT Place FROM Visits WHERE Score = 2.5" << QStringList{"Cork"};
    QTest::newRow("unknown section takes the parent")
        << "SELECT Place FROM Visits WHERE PersonID = {[Elsewhere].[ID]}" << 2
        << "SELECT Place FROM Visits WHERE PersonID = 2" << QStringList{"Leeds"};
    QTest::newRow("no references, trimmed")
        << "  SELECT Place FROM Visits WHERE Score > 3  " << 1
        << "SELECT Place FROM Visits WHERE Score > 3" << QStringList{"Leeds"};
}

void tst_SectionQueries::childTakesTheParentsCurrentRecord()
{
    QFETCH(QString, sql);
    QFETCH(int, personId);
    QFETCH(QString, built);
    QFETCH(QStringList, values);
    auto doc = parentAndChild(sql, personId);
    section *child = dataSection(*doc, 2);
    QCOMPARE(doc->BuildSQL(child), built);
    QCOMPARE(child->OpenRS(0), 0);
    QCOMPARE(child->rsd->Source(), built);
    QCOMPARE(column(*child->rsd, 0), values);
    QVERIFY2(!doc->isErrors(), doc->isErrors() ? qPrintable(doc->lastError()->GetPureText()) : "");
}

void tst_SectionQueries::numbersUseAPeriodInAGermanLocale()
{
    GermanLocale german;
    auto doc =
        parentAndChild(QStringLiteral("SELECT Place FROM Visits WHERE Score = {[S1].[Score]}"), 1);
    section *child = dataSection(*doc, 2);
    QCOMPARE(doc->BuildSQL(child), QStringLiteral("SELECT Place FROM Visits WHERE Score = 2.5"));
    QCOMPARE(child->OpenRS(0), 0);
    QCOMPARE(column(*child->rsd, 0), QStringList{"Cork"});
}

void tst_SectionQueries::unfilledReferences_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("personId");
    QTest::addColumn<QString>("built");
    QTest::addColumn<QString>("reason");

    // Smith's city is Null.
    QTest::newRow("null value") << "SELECT Place FROM Visits WHERE Place = '{[S1].[City]}'" << 2
                                << "SELECT Place FROM Visits WHERE Place = ''"
                                << "Null";
    QTest::newRow("missing field") << "SELECT Place FROM Visits WHERE Place = '{[S1].[Town]}'" << 1
                                   << "SELECT Place FROM Visits WHERE Place = ''"
                                   << "Town";
    QTest::newRow("parent past its last record")
        << "SELECT Place FROM Visits WHERE PersonID = {[S1].[ID]}" << 99
        << "SELECT Place FROM Visits WHERE PersonID = "
        << "BOF or EOF";
}

void tst_SectionQueries::unfilledReferences()
{
    QFETCH(QString, sql);
    QFETCH(int, personId);
    QFETCH(QString, built);
    QFETCH(QString, reason);
    auto doc = parentAndChild(sql, personId);
    section *child = dataSection(*doc, 2);
    QCOMPARE(doc->BuildSQL(child), built);
    QCOMPARE(doc->errorLst.size(), 1);
    const talvoError &e = doc->errorLst.first();
    QCOMPARE(e.class_, QStringLiteral("section"));
    QCOMPARE(e.function_, QStringLiteral("BuildSQL"));
    QVERIFY2(e.message.contains(reason), qPrintable(e.message));
    QCOMPARE(e.additionalInfo, sql);
    // The run goes on: the section still opens (or fails on its own).
    child->OpenRS(0);
}

void tst_SectionQueries::parentIsFoundByItsNumber()
{
    // Three sections; the third's parent is number 1, not "1d" nor the
    // second section.
    auto doc = newDocument(sqliteConnection(fixtureDb()), 3);
    QCOMPARE(doc->openDataConnection(), 0);
    dataSection(*doc, 1)->SQL = QStringLiteral("SELECT ID FROM People WHERE ID = 2");
    dataSection(*doc, 2)->SQL = QStringLiteral("SELECT 7 AS ID FROM People");
    section *third = dataSection(*doc, 3);
    third->sectionParent = 1;
    third->SQL = QStringLiteral("SELECT Place FROM Visits WHERE PersonID = {[ID]}");
    QCOMPARE(dataSection(*doc, 1)->OpenRS(0), 0);
    QCOMPARE(dataSection(*doc, 2)->OpenRS(0), 0);
    QCOMPARE(doc->BuildSQL(third), QStringLiteral("SELECT Place FROM Visits WHERE PersonID = 2"));
}

void tst_SectionQueries::emptyRootQuery()
{
    auto doc = newDocument(sqliteConnection(fixtureDb()), 2);
    QCOMPARE(doc->openDataConnection(), 0);
    section *root = dataSection(*doc, 1);
    root->SQL = QStringLiteral("SELECT * FROM Empty");
    QCOMPARE(root->OpenRS(0), 0);
    QCOMPARE(root->rsd->RecordCount(), 0L);
    QVERIFY(root->rsd->Eof());
    QCOMPARE(root->GetValueField(QStringLiteral("ID")), QVariant(QString()));

    section *child = dataSection(*doc, 2);
    child->sectionParent = 1;
    child->SQL = QStringLiteral("SELECT * FROM Visits WHERE PersonID = {[S1].[ID]}");
    QCOMPARE(child->OpenRS(0), 2); // "… PersonID = " is incomplete SQL
    QCOMPARE(doc->errorLst.first().function_, QStringLiteral("BuildSQL"));
    QCOMPARE(doc->errorLst.last().function_, QStringLiteral("RunSQL"));
}

void tst_SectionQueries::openFailureLeavesAnEntry()
{
    auto doc = newDocument(sqliteConnection(fixtureDb()));
    QCOMPARE(doc->openDataConnection(), 0);
    section *s = dataSection(*doc, 1);
    s->SQL = QStringLiteral("SELECT * FROM Nowhere");
    QCOMPARE(s->OpenRS(0), 2);
    QVERIFY(s->rsd);
    QCOMPARE(s->rsd->State(), int(Recordset::adStateClosed));
    QVERIFY(doc->lastError()->message.contains(QStringLiteral("no such table")));
    // A section outside any document cannot run, but does not crash.
    section loose;
    loose.SQL = QStringLiteral("SELECT * FROM People");
    QCOMPARE(loose.OpenRS(0), 2);
}

void tst_SectionQueries::fieldLookup_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("type");

    QTest::newRow("text") << "Name" << QVariant(QStringLiteral("O'Brien")) << 202;
    QTest::newRow("any letter case") << "nAmE" << QVariant(QStringLiteral("O'Brien")) << 202;
    QTest::newRow("double") << "Score" << QVariant(2.5) << 5;
    QTest::newRow("missing: empty text") << "Nothing" << QVariant(QString()) << 0;
}

void tst_SectionQueries::fieldLookup()
{
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QFETCH(int, type);
    auto doc = parentAndChild(QStringLiteral("SELECT 1 FROM People"), 1);
    section *s = dataSection(*doc, 1);
    QCOMPARE(s->GetValueField(name), value);
    QCOMPARE(s->GetTypeField(name), type);
    QCOMPARE(s->GetField(name).isValid(), type != 0);
    // No open recordset: nothing, no crash.
    QCOMPARE(dataSection(*doc, 2)->GetValueField(name), QVariant(QString()));
}

void tst_SectionQueries::variablesFollowTheFirstRecord()
{
    auto doc = newDocument(sqliteConnection(fixtureDb()), 2);
    QCOMPARE(doc->openDataConnection(), 0);
    section *withFormulas = dataSection(*doc, 1);
    withFormulas->SQL = QStringLiteral("SELECT Name, City FROM People ORDER BY ID DESC");
    withFormulas->HasFormulas = true;
    QCOMPARE(withFormulas->OpenRS(0), 0);
    QCOMPARE(*doc->vars.value(QStringLiteral("name")), QVariant(QStringLiteral("Jones")));
    QCOMPARE(*doc->vars.value(QStringLiteral("CITY")), QVariant(QStringLiteral("Cardiff")));

    section *plain = dataSection(*doc, 2);
    plain->SQL = QStringLiteral("SELECT Place AS City FROM Visits");
    QCOMPARE(plain->OpenRS(0), 0);
    // Sections without formulas leave the variables alone.
    QCOMPARE(*doc->vars.value(QStringLiteral("City")), QVariant(QStringLiteral("Cardiff")));
}

void tst_SectionQueries::databaseIsNeverChanged()
{
    const QString copy = scratchCopy(fixtureDb(), QStringLiteral("unchanged.db"));
    const QByteArray before = fileHash(copy);
    {
        auto doc = newDocument(sqliteConnection(copy), 2);
        QCOMPARE(doc->openDataConnection(), 0);
        section *root = dataSection(*doc, 1);
        root->SQL = QStringLiteral("SELECT * FROM People");
        QCOMPARE(root->OpenRS(0), 0);
        section *child = dataSection(*doc, 2);
        child->sectionParent = 1;
        // A value that tries to end the literal and start a statement.
        child->SQL = QStringLiteral(
            "SELECT * FROM Nicknames WHERE Name = '{[S1].[Name]}'; DELETE FROM People; --'");
        QCOMPARE(child->OpenRS(0), 2);
        child->SQL = QStringLiteral("SELECT 1 FROM People WHERE '{Name}' = 'x'");
        QCOMPARE(child->OpenRS(0), 0);
    }
    QCOMPARE(fileHash(copy), before);
}

MIRT_REGISTER_QUERY_TEST(tst_SectionQueries)
#include "tst_sectionqueries.moc"
