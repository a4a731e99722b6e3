// Item texts turned into printed texts: classification, substitution of
// field values into formulas, evaluation, page variables and field lookups.
#include "data/ifield.h"
#include "document/item.h"
#include "document/section.h"
#include "document/talvodocument.h"
#include "engine/formulatext.h"
#include "engine/scriptconvert.h"
#include "document/talvoerror.h"
#include "engine/variabletable.h"
#include "platform/recordset.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using VarList = QList<QPair<QString, QVariant>>;
Q_DECLARE_METATYPE(VarList)

namespace {

QString demoDb()
{
    return QStringLiteral(MIRT_BINARY_DIR "/bin/demo.db");
}

// Sets the German locale for the lifetime of the object.
class LocaleScope
{
public:
    explicit LocaleScope(const QLocale &locale) : m_saved(QLocale())
    {
        QLocale::setDefault(locale);
    }
    ~LocaleScope() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

void setVars(TalvoDocument &doc, const VarList &vars)
{
    for (const auto &v : vars)
        doc.updateVar(v.first, v.second);
}

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// T: one row of every kind of value SQLite keeps (dates as text) and one of
// NULLs; Many: ids 1 to 50.
QString typedDb()
{
    static const QString path = [] {
        const QString p = scratch().filePath(QStringLiteral("typed.db"));
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("typed"));
            db.setDatabaseName(p);
            db.open();
            QSqlQuery q(db);
            q.exec(QStringLiteral(
                "CREATE TABLE T (id INTEGER, Amount REAL, Qty INTEGER, Name TEXT, "
                "OrderDate DATE, Stamp DATETIME, Tm TIME, Flag BOOLEAN, Old DATETIME, "
                "IsoStamp DATETIME)"));
            q.exec(QStringLiteral("INSERT INTO T VALUES (1, 2.5, -3, 'Say \"hi\"', '2024-03-05', "
                                  "'2024-03-05 14:30:15', '14:30:15', 1, '1850-07-04 06:15:30', "
                                  "'2024-03-05T14:30:15Z')"));
            q.exec(QStringLiteral("INSERT INTO T (id) VALUES (2)"));
            q.exec(QStringLiteral("CREATE TABLE Many (id INTEGER)"));
            for (int i = 1; i <= 50; ++i)
                q.exec(QStringLiteral("INSERT INTO Many VALUES (%1)").arg(i));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("typed"));
        return p;
    }();
    return path;
}

void connectTyped(TalvoDocument &doc)
{
    doc.ClearSections();
    doc.connectionStringData = QStringLiteral("Provider=SQLite;Data Source=") + typedDb();
    QCOMPARE(doc.openDataConnection(), 0);
}

// A data section of that name and query, opened; a formula item makes the
// variables follow its records.
section *openSection(TalvoDocument &doc, const QString &name, const QString &sql)
{
    section *sec = doc.AddDataSection();
    sec->sectionName = name;
    sec->SQL = sql;
    sec->NewItem()->content = QStringLiteral("=1");
    sec->initPrint();
    if (sec->OpenRS(0) != 0)
        return nullptr;
    return sec;
}

} // namespace

class tst_Formulas : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void classification_data();
    void classification();
    void substitution_data();
    void substitution();
    void germanLocaleInsertsPeriods();
    void evaluation_data();
    void evaluation();
    void literalsNeedNoEvaluator();
    void badFormulasMakeOneErrorEntry_data();
    void badFormulasMakeOneErrorEntry();
    void explodingFormulasEndWithAnError_data();
    void explodingFormulasEndWithAnError();
    void meIsThePrintedText_data();
    void meIsThePrintedText();
    void pageVariables_data();
    void pageVariables();
    void variablesIgnoreCase();
    void majVarsReadsTheCurrentRecord();
    void fieldValuesKeepTheirTypes_data();
    void fieldValuesKeepTheirTypes();
    void dateLiteralsReadBackExactly_data();
    void dateLiteralsReadBackExactly();
    void sectionNamesInReferences_data();
    void sectionNamesInReferences();
    void missingFieldsAreReportedOncePerItem();
    void formatting_data();
    void formatting();
};

void tst_Formulas::classification_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("expression");

    QTest::newRow("plain") << "  Hello world " << 0 << "Hello world";
    QTest::newRow("qualified field") << "[Customers].[Name]" << 1 << "Customers].[Name";
    QTest::newRow("bare field") << " [Name] " << 1 << "Name";
    QTest::newRow("formula") << "=[Price]*2" << 2 << "=[Price]*2";
    QTest::newRow("formula ending in ]") << "=[Price]" << 2 << "=[Price]";
    QTest::newRow("only ]") << "]" << 1 << "";
    // Words around references: the references are filled in, the words kept.
    QTest::newRow("text before a field") << "Grüße [Straße]" << 3 << "Grüße [Straße]";
    QTest::newRow("text around a field") << "Name: [T].[Txt] (end)" << 3 << "Name: [T].[Txt] (end)";
    QTest::newRow("unclosed bracket") << "a [b" << 0 << "a [b";
}

void tst_Formulas::classification()
{
    QFETCH(QString, content);
    QFETCH(int, type);
    QFETCH(QString, expression);

    TalvoDocument doc;
    section *sec = doc.AddDataSection();
    Item *item = sec->NewItem();
    item->content = content;
    sec->HasFormulas = false;
    item->initPrint();
    QCOMPARE(item->typeContent, type);
    QCOMPARE(item->expression, expression);
    QCOMPARE(sec->HasFormulas, type == 2);
}

void tst_Formulas::substitution_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<VarList>("vars");
    QTest::addColumn<QString>("expected");

    const VarList common{{"Price", 2.5},       {"Qty", 4},     {"Name", QStringLiteral("O\"Brien")},
                         {"City", QVariant()}, {"Paid", true}, {"Day", QDate(2024, 1, 5)}};
    QTest::newRow("numbers bare") << "=[Price]*[Qty]" << common << "=2.5*4";
    QTest::newRow("missing is 0") << "=[Missing]+1" << common << "=0+1";
    QTest::newRow("null is empty in a string") << "=\"[City]\"" << common << "=\"\"";
    QTest::newRow("null is Null") << "=IsNull([City])" << common << "=IsNull(Null)";
    QTest::newRow("quotes doubled inside a string")
        << "=\"Dear [Name]\"" << common << "=\"Dear O\"\"Brien\"";
    QTest::newRow("text is a string literal") << "=[Name]" << common << "=\"O\"\"Brien\"";
    QTest::newRow("boolean") << "=[Paid]" << common << "=True";
    QTest::newRow("date literal") << "=Year([Day])" << common << "=Year(#2024-01-05#)";
    QTest::newRow("negative number bracketed") << "=[Qty]^2" << VarList{{"Qty", -3}} << "=(-3)^2";
    QTest::newRow("quote count decides")
        << "=\"a\"\"[Qty]\"\"b\" & [Qty]" << VarList{{"Qty", QStringLiteral("x\"y")}}
        << "=\"a\"\"x\"\"y\"\"b\" & \"x\"\"y\"";
    QTest::newRow("qualified reference") << "=[Orders].[Qty]*2" << common << "=4*2";
    QTest::newRow("unclosed bracket") << "=[Qty]+[Price" << common << "=4+2.5";
    QTest::newRow("bracket in a value is replaced again")
        << "=\"[Note]\" & [Qty]" << VarList{{"Note", QStringLiteral("see [Qty]")}, {"Qty", 3}}
        << "=\"see 3\" & 3";
    QTest::newRow("unicode name") << "=[Straße] & \"ü\""
                                  << VarList{{"straße", QStringLiteral("Hauptstraße")}}
                                  << "=\"Hauptstraße\" & \"ü\"";
}

void tst_Formulas::substitution()
{
    QFETCH(QString, text);
    QFETCH(VarList, vars);
    QFETCH(QString, expected);

    TalvoDocument doc;
    setVars(doc, vars);
    QCOMPARE(doc.ReplaceVars(text), expected);
}

void tst_Formulas::germanLocaleInsertsPeriods()
{
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    TalvoDocument doc;
    doc.updateVar(QStringLiteral("Price"), 2.5);
    doc.updateVar(QStringLiteral("Qty"), 4);
    doc.updateVar(QStringLiteral("Discount"), 0.1);
    QCOMPARE(doc.ReplaceVars(QStringLiteral("=[Price]*[Qty]")), QStringLiteral("=2.5*4"));
    const ScriptValue v = doc.Evaluate(QStringLiteral("=[Price]*[Qty]*(1-[Discount])"));
    QVERIFY2(doc.errorLst.isEmpty(), qPrintable(doc.errorLst.value(0).GetPureText()));
    QCOMPARE(cstr(v), QStringLiteral("9"));
    QCOMPARE(cstr(doc.Evaluate(QStringLiteral("=[Price]*1"))), QStringLiteral("2,5"));
}

void tst_Formulas::evaluation_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<VarList>("vars");
    QTest::addColumn<QString>("text");

    const VarList vars{
        {"Price", 2.5}, {"Qty", 4}, {"Name", QStringLiteral("Smith")}, {"Contact", QString()}};
    QTest::newRow("concatenation") << "=\"Mr \" & \"[Name]\"" << vars << "Mr Smith";
    QTest::newRow("iif on empty text")
        << "=IIf(\"[Contact]\" = \"\", \"no contact\", \"[Contact]\")" << vars << "no contact";
    QTest::newRow("no leading =") << "1+1" << vars << "2";
    QTest::newRow("FormatNumber") << "=FormatNumber([Price]*1000, 2)" << vars << "2,500.00";
}

void tst_Formulas::evaluation()
{
    QFETCH(QString, formula);
    QFETCH(VarList, vars);
    QFETCH(QString, text);

    TalvoDocument doc;
    setVars(doc, vars);
    QCOMPARE(cstr(doc.Evaluate(formula)), text);
    QVERIFY2(doc.errorLst.isEmpty(), qPrintable(doc.errorLst.value(0).GetPureText()));
}

void tst_Formulas::literalsNeedNoEvaluator()
{
    // "t" and "y" would be undefined names for the evaluator: only the table
    // can make them true.
    TalvoDocument doc;
    const QStringList yes{"true", "=TRUE", "=t", "=Yes", "=y", "Y", "yes", "t"};
    const QStringList no{"false", "=False", "=f", "=NO", "=n", "n", "No", "F"};
    for (const QString &t : yes) {
        const ScriptValue v = doc.Evaluate(t);
        QVERIFY2(v.type() == ScriptValue::Boolean && v.boolValue(), qPrintable(t));
    }
    for (const QString &t : no) {
        const ScriptValue v = doc.Evaluate(t);
        QVERIFY2(v.type() == ScriptValue::Boolean && !v.boolValue(), qPrintable(t));
    }
    QVERIFY(doc.errorLst.isEmpty());
}

void tst_Formulas::badFormulasMakeOneErrorEntry_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("evaluatedLike");

    QTest::newRow("= alone") << "="
                             << "=";
    QTest::newRow("dangling operator") << "=1+"
                                       << "=1+";
    QTest::newRow("unbalanced quote") << "=\"abc"
                                      << "=\"abc";
    QTest::newRow("substituted then cut off") << "=[a]+"
                                              << "=0+";
    QTest::newRow("division by zero") << "=[Qty]/0"
                                      << "=4/0";
    QTest::newRow("unknown function") << "=Shell(\"rm\")"
                                      << "=Shell(\"rm\")";
}

void tst_Formulas::badFormulasMakeOneErrorEntry()
{
    QFETCH(QString, formula);
    QFETCH(QString, evaluatedLike);

    TalvoDocument doc;
    doc.updateVar(QStringLiteral("Qty"), 4);
    const ScriptValue v = doc.Evaluate(formula);
    QCOMPARE(v.type(), ScriptValue::String);
    QCOMPARE(v.stringValue(), QString());
    QCOMPARE(doc.errorLst.size(), 1);
    const talvoError &e = doc.errorLst.first();
    QCOMPARE(e.class_, QStringLiteral("TalvoDocument"));
    QCOMPARE(e.function_, QStringLiteral("Evaluate"));
    QVERIFY(!e.message.isEmpty());
    QCOMPARE(e.additionalInfo, formula + QStringLiteral(" evaluated like: ") + evaluatedLike);
}

void tst_Formulas::explodingFormulasEndWithAnError_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<VarList>("vars");

    // Each value names the next variable twice: the text doubles per token.
    VarList doubling;
    QString formula = QStringLiteral("=\"[v0]");
    for (int i = 0; i < 40; ++i) {
        doubling.append({QStringLiteral("v%1").arg(i), QStringLiteral("[v%1][v%1]").arg(i + 1)});
        formula += QStringLiteral("[v%1]").arg(i + 1);
    }
    formula += u'"';
    QTest::newRow("doubling values") << formula << doubling;
    QTest::newRow("huge string") << "=String(2000000000, \"x\")" << VarList{};
    QTest::newRow("deep nesting") << "=" + QString(100000, u'(') + "1" + QString(100000, u')')
                                  << VarList{};
}

void tst_Formulas::explodingFormulasEndWithAnError()
{
    QFETCH(QString, formula);
    QFETCH(VarList, vars);

    TalvoDocument doc;
    setVars(doc, vars);
    doc.Evaluate(formula);
    QCOMPARE(doc.errorLst.size(), 1);
    QCOMPARE(doc.errorLst.first().function_, QStringLiteral("Evaluate"));
    // The entry keeps only the start of what was built.
    QVERIFY(doc.errorLst.first().additionalInfo.size() < 5000);
}

void tst_Formulas::meIsThePrintedText_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("me");
    QTest::addColumn<bool>("result");

    QTest::newRow("equal text") << "=[me]=\"X\""
                                << "X" << true;
    QTest::newRow("upper case ME") << "=[ME]=\"X\""
                                   << "X" << true;
    QTest::newRow("quoted me") << "=\"[me]\"=\"a\"\"b\""
                               << "a\"b" << true;
    QTest::newRow("number") << "=[me]>100"
                            << "250" << true;
    QTest::newRow("empty text is empty") << "=[me]<>\"\""
                                         << "" << false;
}

void tst_Formulas::meIsThePrintedText()
{
    QFETCH(QString, condition);
    QFETCH(QString, me);
    QFETCH(bool, result);

    TalvoDocument doc;
    const ScriptValue v = doc.Evaluate(condition, me);
    QVERIFY2(doc.errorLst.isEmpty(), qPrintable(doc.errorLst.value(0).GetPureText()));
    QCOMPARE(v.type(), ScriptValue::Boolean);
    QCOMPARE(v.boolValue(), result);
}

void tst_Formulas::pageVariables_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("page of pages") << "Page %page% of %pages%"
                                   << "Page 3 of 7";
    QTest::newRow("case matters") << "%PAGE%"
                                  << "%PAGE%";
    QTest::newRow("file and title") << "%title% (%filename%)"
                                    << "Sales (/tmp/r.xml)";
}

void tst_Formulas::pageVariables()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);

    TalvoDocument doc;
    for (int i = 1; i <= 7; ++i)
        doc.Pages.add();
    doc.CurrentPage = 3;
    doc.docName = QStringLiteral("Sales");
    doc.fileName = QStringLiteral("/tmp/r.xml");
    QCOMPARE(doc.ReplacePercentVars(text), expected);
}

void tst_Formulas::variablesIgnoreCase()
{
    VariableTable vars;
    vars.set(QStringLiteral("Straße"), 1);
    vars.set(QStringLiteral("STRASSE"), 2);
    vars.set(QStringLiteral("straße"), 3);
    QCOMPARE(vars.count(), 2);
    QCOMPARE(*vars.find(u"STRAßE"), QVariant(3));
    for (int i = 0; i < 1000; ++i)
        vars.set(QStringLiteral("f%1").arg(i), i);
    QCOMPARE(*vars.find(u"F999"), QVariant(999));
    QVERIFY(vars.remove(u"f500"));
    QVERIFY(!vars.find(u"f500"));
    QCOMPARE(*vars.find(u"f501"), QVariant(501));
}

void tst_Formulas::majVarsReadsTheCurrentRecord()
{
    TalvoDocument doc;
    doc.ClearSections();
    doc.connectionStringData = QStringLiteral("Provider=SQLite;Data Source=") + demoDb();
    QCOMPARE(doc.openDataConnection(), 0);
    section *sec = doc.AddDataSection();
    sec->SQL = QStringLiteral("SELECT CustomerID, City FROM Customers ORDER BY CustomerID");
    Item *item = sec->NewItem();
    item->content = QStringLiteral("=\"[City]\"");
    sec->initPrint();
    QVERIFY(sec->HasFormulas);
    QCOMPARE(sec->OpenRS(0), 0);
    QCOMPARE(cstr(doc.Evaluate(item->expression)), QStringLiteral("Berlin"));
    sec->rsd->MoveNext();
    doc.MajVars(sec);
    QCOMPARE(doc.Evaluate(QStringLiteral("=\"[customerid]\"")).stringValue(),
             sec->rsd->value(0).toString());
    // Past the end the variables keep the last values seen.
    while (!sec->rsd->Eof())
        sec->rsd->MoveNext();
    const QString last = doc.ReplaceVars(QStringLiteral("[City]"));
    doc.MajVars(sec);
    QCOMPARE(doc.ReplaceVars(QStringLiteral("[City]")), last);
}

void tst_Formulas::fieldValuesKeepTheirTypes_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("expected"); // the result's text in the C locale

    QTest::newRow("IsNull qualified, null") << "=IsNull([T].[OrderDate])" << 2 << "True";
    QTest::newRow("IsNull bare, null") << "=IsNull([Amount])" << 2 << "True";
    QTest::newRow("null times two") << "=[Amount]*2" << 2 << "";
    QTest::newRow("null concatenated") << "=\"A\" & [Amount] & \"B\"" << 2 << "AB";
    QTest::newRow("real times two") << "=[Amount]*2" << 1 << "5";
    QTest::newRow("negative squared") << "=[Qty]^2" << 1 << "9";
    QTest::newRow("year") << "=Year([OrderDate])" << 1 << "2024";
    QTest::newRow("hour") << "=Hour([Stamp])" << 1 << "14";
    QTest::newRow("time column") << "=Hour([Tm]) * 100 + Minute([Tm])" << 1 << "1430";
    QTest::newRow("date with zone mark") << "=Year([IsoStamp]) & Hour([IsoStamp])" << 1 << "202414";
    QTest::newRow("date arithmetic") << "=[OrderDate] + 1 = DateSerial(2024, 3, 6)" << 1 << "True";
    QTest::newRow("before 1900")
        << "=Year([Old]) & \"-\" & Month([Old]) & \"-\" & Day([Old]) & \" \" & Hour([Old]) "
           "& \":\" & Minute([Old]) & \":\" & Second([Old])"
        << 1 << "1850-7-4 6:15:30";
    QTest::newRow("between hashes") << "=Year(#[OrderDate]#)" << 1 << "2024";
    QTest::newRow("boolean") << "=Not [Flag]" << 1 << "False";
    QTest::newRow("quoted text") << "=\"[Name]\" & \"!\"" << 1 << "Say \"hi\"!";
    QTest::newRow("bare text") << "=[Name] & \"!\"" << 1 << "Say \"hi\"!";
    QTest::newRow("bare text length") << "=Len([T].[Name])" << 1 << "8";
    QTest::newRow("not a variable") << "=[Missing]+1" << 1 << "1";
    QTest::newRow("unknown section falls back") << "=[Nowhere].[Qty]+1" << 1 << "-2";
}

void tst_Formulas::fieldValuesKeepTheirTypes()
{
    QFETCH(QString, formula);
    QFETCH(int, id);
    QFETCH(QString, expected);

    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        LocaleScope scope(locale);
        TalvoDocument doc;
        connectTyped(doc);
        section *sec = openSection(doc, QStringLiteral("T"),
                                   QStringLiteral("SELECT * FROM T WHERE id = %1").arg(id));
        QVERIFY(sec);
        const ScriptValue v = doc.Evaluate(formula);
        QVERIFY2(doc.errorLst.isEmpty(), qPrintable(doc.errorLst.value(0).GetPureText()));
        QCOMPARE(cstr(v, QLocale::c()), expected);
        if (expected.isEmpty())
            QVERIFY(v.isNull());
    }
}

void tst_Formulas::dateLiteralsReadBackExactly_data()
{
    QTest::addColumn<QVariant>("value");

    QTest::newRow("date") << QVariant(QDate(2024, 3, 5));
    QTest::newRow("date and time")
        << QVariant(QDateTime(QDate(2024, 3, 5), QTime(14, 30, 59), Qt::UTC));
    QTest::newRow("time") << QVariant(QTime(23, 59, 59));
    QTest::newRow("before 1900") << QVariant(
        QDateTime(QDate(1850, 7, 4), QTime(6, 15, 30), Qt::UTC));
    QTest::newRow("the epoch") << QVariant(QDateTime(QDate(1899, 12, 30), QTime(12, 0), Qt::UTC));
    QTest::newRow("year 100") << QVariant(QDate(100, 1, 1));
    QTest::newRow("year 9999") << QVariant(
        QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC));
}

void tst_Formulas::dateLiteralsReadBackExactly()
{
    QFETCH(QVariant, value);
    // The literal goes in unchanged in every locale and reads back as the
    // serial the value stands for.
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                  QLocale(QLocale::English, QLocale::UnitedKingdom)}) {
        LocaleScope scope(locale);
        TalvoDocument doc;
        doc.updateVar(QStringLiteral("V"), value);
        const ScriptValue v = doc.Evaluate(QStringLiteral("=[V]"));
        QVERIFY2(doc.errorLst.isEmpty(), qPrintable(doc.errorLst.value(0).GetPureText()));
        QCOMPARE(v.type(), ScriptValue::Date);
        QCOMPARE(v.number(), ScriptValue::fromVariant(value).number());
    }
}

void tst_Formulas::sectionNamesInReferences_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("spaces") << "My Orders";
    QTest::newRow("dot") << "Q.1";
    QTest::newRow("punctuation") << "a-b, c!";
    QTest::newRow("unicode") << "Ü";
}

void tst_Formulas::sectionNamesInReferences()
{
    QFETCH(QString, name);

    TalvoDocument doc;
    connectTyped(doc);
    // The item lives in another section that has an id of its own, so only
    // the section named in the reference gives 7.
    QVERIFY(openSection(doc, name, QStringLiteral("SELECT id + 6 AS id FROM Many WHERE id = 1")));
    section *other = openSection(doc, QStringLiteral("Other"),
                                 QStringLiteral("SELECT id FROM Many WHERE id = 1"));
    QVERIFY(other);
    Item *item = other->NewItem();
    item->content = QLatin1Char('[') + name + QStringLiteral("].[id]");
    item->initPrint();
    QCOMPARE(item->typeContent, 1);
    QCOMPARE(iField(item->expression).table, name);
    QCOMPARE(nullToEmpty(doc.GetField(iField(item->expression), other)), QStringLiteral("7"));
    QCOMPARE(cstr(doc.Evaluate(QLatin1Char('=') + item->content + QStringLiteral("*10"))),
             QStringLiteral("70"));
    QVERIFY(doc.errorLst.isEmpty());
}

void tst_Formulas::missingFieldsAreReportedOncePerItem()
{
    TalvoDocument doc;
    connectTyped(doc);
    doc.pageHeight = 30;
    doc.pageWidth = 20;
    section *sec = doc.AddDataSection();
    sec->sectionName = QStringLiteral("T");
    sec->SQL = QStringLiteral("SELECT id FROM Many ORDER BY id");
    sec->Height = 0.5f;
    const QStringList contents{
        "[T].[id]",           // found
        "[Elsewhere].[id]",   // found in the item's own section
        "=[Missing]+1",       // a name that is no variable stays 0
        "[T].[Nope]",         // missing
        "=[T].[Gone]+1",      // missing in a formula
        "[Absent]",           // missing in the own section
        "[Elsewhere].[Lost]", // missing after the fall-back
    };
    for (const QString &content : contents) {
        Item *item = sec->NewItem();
        item->content = content;
        item->w = 3;
        item->h = 0.4f;
    }
    sec->NewItem()->visible = QStringLiteral("=[T].[Hidden]=0");
    doc.orderSections();

    for (int run = 1; run <= 2; ++run) {
        doc.errorLst.clear();
        doc.initPrint();
        QStringList seen;
        for (const talvoError &e : doc.errorLst) {
            QCOMPARE(e.function_, QStringLiteral("GetField"));
            QVERIFY2(e.message.contains(QLatin1String("\"T\"")), qPrintable(e.message));
            seen << e.message.section(QLatin1Char('"'), 3, 3) + u' ' + e.additionalInfo;
        }
        seen.sort();
        QCOMPARE(seen,
                 QStringList({"Absent [Absent]", "Gone =[T].[Gone]+1", "Hidden =[T].[Hidden]=0",
                              "Lost [Elsewhere].[Lost]", "Nope [T].[Nope]"}));
    }
}

void tst_Formulas::formatting_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    QTest::newRow("decimals") << "3.14159"
                              << "0.00"
                              << "3.14";
    QTest::newRow("date") << "2024-01-05"
                          << "dd.mm.yyyy"
                          << "05.01.2024";
    QTest::newRow("not a number") << "abc"
                                  << "0.00"
                                  << "abc";
}

void tst_Formulas::formatting()
{
    QFETCH(QString, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(Item::formatValue(ScriptValue(value), pattern), expected);
}

QTEST_MAIN(tst_Formulas)
#include "tst_formulas.moc"
