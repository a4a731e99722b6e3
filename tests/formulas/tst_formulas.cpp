// Item texts turned into printed texts: classification, substitution, evaluation, page
// variables and field lookups.
#include "../datafixtures.h"
#include "data/fieldreference.h"
#include "document/errorentry.h"
#include "document/reportdocument.h"
#include "document/reportsection.h"
#include "document/textitem.h"
#include "engine/formulatext.h"
#include "engine/reportrun.h"
#include "engine/scriptconvert.h"
#include "engine/variabletable.h"
#include "platform/recordset.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

using VarList = QList<QPair<QString, QVariant>>;
Q_DECLARE_METATYPE(VarList)

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

void setVars(ReportDocument &doc, const VarList &vars)
{
    for (const auto &v : vars)
        doc.updateVar(v.first, v.second);
}

QString errors(const ReportDocument &doc)
{
    return doc.errorLst.isEmpty() ? QString() : doc.errorLst.first().pureText();
}

// T: one row of every kind of value SQLite keeps, one of NULLs; Many: ids 1 to 50.
QString typedDb()
{
    static const QString path = [] {
        const QString p = scratchPath(QStringLiteral("typed.db"));
        const QString error = createSqlite(
            p, {"CREATE TABLE T (id INTEGER, Amount REAL, Qty INTEGER, Name TEXT, OrderDate DATE, "
                "Stamp DATETIME, Tm TIME, Flag BOOLEAN, Old DATETIME, IsoStamp DATETIME)",
                "INSERT INTO T VALUES (1, 2.5, -3, 'Say \"hi\"', '2024-03-05', '2024-03-05 "
                "14:30:15', '14:30:15', 1, '1850-07-04 06:15:30', '2024-03-05T14:30:15Z')",
                "INSERT INTO T (id) VALUES (2)",
                "CREATE TABLE Many AS WITH RECURSIVE c(id) AS (SELECT 1 UNION ALL SELECT id + 1 "
                "FROM c WHERE id < 50) SELECT id FROM c"});
        return error.isEmpty() ? p : QString();
    }();
    return path;
}

bool connectTyped(ReportDocument &doc)
{
    doc.clearSections();
    doc.connectionStringData = sqlite(typedDb());
    return doc.openDataConnection() == 0;
}

// An opened data section; its formula item makes the variables follow its records.
ReportSection *openSection(ReportDocument &doc, const QString &name, const QString &sql)
{
    ReportSection *sec = doc.addDataSection();
    sec->sectionName = name;
    sec->SQL = sql;
    sec->newTextItem()->content = QStringLiteral("=1");
    doc.run().prepare(*sec);
    return sec->openRecordset(0) == 0 ? sec : nullptr;
}

} // namespace

class tst_Formulas : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void classification_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("expression");
        dataRow("plain", "  Hello world ", 0, "Hello world");
        dataRow("bare field", " [Name] ", 1, "Name");
        dataRow("formula ending in ]", "=[Price]", 2, "=[Price]");
        dataRow("only ]", "]", 1, "");
        dataRow("unclosed bracket", "a [b", 0, "a [b");
    }
    void classification()
    {
        QFETCH(QString, content);
        QFETCH(int, type);
        ReportDocument doc;
        ReportSection *sec = doc.addDataSection();
        TextItem *item = sec->newTextItem();
        item->content = content;
        doc.run().prepare(*sec);
        const PreparedText &prepared = doc.run().prepared(*item);
        QCOMPARE(int(prepared.type), type);
        QTEST(prepared.expression, "expression");
        QCOMPARE(doc.run().sectionsWithFormulas.contains(sec), type == 2);
    }

    // A formula with its references filled in, in C and German (numbers keep their periods).
    void substitution_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<VarList>("vars");
        QTest::addColumn<QString>("expected");
        const VarList common{
            {"Price", 2.5},       {"Qty", 4},     {"Name", QStringLiteral("O\"Brien")},
            {"City", QVariant()}, {"Paid", true}, {"Day", QDate(2024, 1, 5)}};
        auto row = [&](const char *name, const char *text, const char *expected,
                       VarList vars = {}) {
            QTest::newRow(name) << QString::fromUtf8(text) << (vars.isEmpty() ? common : vars)
                                << QString::fromUtf8(expected);
        };
        row("numbers bare", "=[Price]*[Qty]", "=2.5*4");
        row("missing is 0", "=[Missing]+1", "=0+1");
        row("null is empty in a string", "=\"[City]\"", "=\"\"");
        row("null is Null", "=IsNull([City])", "=IsNull(Null)");
        row("quotes doubled inside a string", "=\"Dear [Name]\"", "=\"Dear O\"\"Brien\"");
        row("text is a string literal", "=[Name]", "=\"O\"\"Brien\"");
        row("boolean", "=[Paid]", "=True");
        row("date literal", "=Year([Day])", "=Year(#2024-01-05#)");
        row("negative number bracketed", "=[Qty]^2", "=(-3)^2", {{"Qty", -3}});
        row("quote count decides", "=\"a\"\"[Qty]\"\"b\" & [Qty]",
            "=\"a\"\"x\"\"y\"\"b\" & \"x\"\"y\"", {{"Qty", QStringLiteral("x\"y")}});
        row("qualified reference", "=[Orders].[Qty]*2", "=4*2");
        row("unclosed bracket", "=[Qty]+[Price", "=4+2.5");
        row("bracket in a value is replaced again", "=\"[Note]\" & [Qty]", "=\"see 3\" & 3",
            {{"Note", QStringLiteral("see [Qty]")}, {"Qty", 3}});
        row("unicode name", "=[Straße] & \"ü\"", "=\"Hauptstraße\" & \"ü\"",
            {{"straße", QStringLiteral("Hauptstraße")}});
    }
    void substitution()
    {
        QFETCH(QString, text);
        QFETCH(VarList, vars);
        for (const QLocale &locale : {QLocale::c(), kGerman}) {
            QLocale::setDefault(locale);
            ReportDocument doc;
            setVars(doc, vars);
            QTEST(doc.replaceVars(text), "expected");
        }
    }

    // What a formula prints, [me] being `me`; "t" and "y" are true only by the literal table.
    void evaluation_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("me");
        auto row = [](const char *name, const char *formula, const char *text, bool german = false,
                      const QVariant &me = {}) {
            QTest::newRow(name) << QString::fromUtf8(formula) << german << QString::fromUtf8(text)
                                << me;
        };
        row("iif on empty text", "=IIf(\"[Contact]\" = \"\", \"no contact\", \"[Contact]\")",
            "no contact");
        row("no leading =", "1+1", "2");
        row("german, periods read", "=[Price]*[Qty]*(1-[Discount])", "9", true);
        row("german, comma written", "=[Price]*1", "2,5", true);
        for (const char *yes : {"true", "=TRUE", "=t", "=Yes", "=y", "Y", "yes", "t"})
            row(yes, yes, "boolean true");
        for (const char *no : {"false", "=False", "=f", "=NO", "=n", "n", "No", "F"})
            row(no, no, "boolean false");
        row("me: upper case ME", "=[ME]=\"X\"", "boolean true", false, "X");
        row("me: quoted", "=\"[me]\"=\"a\"\"b\"", "boolean true", false, "a\"b");
        row("me: number", "=[me]>100", "boolean true", false, "250");
        row("me: empty text is empty", "=[me]<>\"\"", "boolean false", false, "");
    }
    void evaluation()
    {
        QFETCH(QString, formula);
        QFETCH(bool, german);
        QFETCH(QString, text);
        QFETCH(QVariant, me);
        QLocale::setDefault(german ? kGerman : QLocale::c());
        ReportDocument doc;
        setVars(doc, {{"Price", 2.5}, {"Qty", 4}, {"Discount", 0.1}, {"Contact", ""}});
        const ScriptValue v = doc.evaluate(formula, me);
        QVERIFY2(doc.errorLst.isEmpty(), qPrintable(errors(doc)));
        if (text.startsWith(QLatin1String("boolean "))) {
            QCOMPARE(v.type(), ScriptValue::Boolean);
            QCOMPARE(v.boolValue(), text.endsWith(QLatin1String("true")));
        } else {
            QCOMPARE(cstr(v), text);
        }
    }

    // A failing formula prints nothing and leaves one bounded entry with what was evaluated.
    void badFormulasMakeOneErrorEntry_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<VarList>("vars");
        QTest::addColumn<QString>("evaluatedLike"); // empty: not checked
        auto row = [](const char *name, const QString &formula, const char *like,
                      VarList vars = {}) {
            QTest::newRow(name) << formula << vars << QString::fromUtf8(like);
        };
        row("= alone", "=", "=");
        row("unbalanced quote", "=\"abc", "=\"abc");
        row("substituted then cut off", "=[a]+", "=0+");
        row("division by zero", "=[Qty]/0", "=4/0", {{"Qty", 4}});
        row("unknown function", "=Shell(\"rm\")", "=Shell(\"rm\")");
        // Each value names the next variable twice: the text doubles per token.
        VarList doubling;
        QString formula = QStringLiteral("=\"[v0]");
        for (int i = 0; i < 40; ++i) {
            doubling.append(
                {QStringLiteral("v%1").arg(i), QStringLiteral("[v%1][v%1]").arg(i + 1)});
            formula += QStringLiteral("[v%1]").arg(i + 1);
        }
        row("doubling values", formula + u'"', "", doubling);
        row("huge string", "=String(2000000000, \"x\")", "");
    }
    void badFormulasMakeOneErrorEntry()
    {
        QFETCH(QString, formula);
        QFETCH(VarList, vars);
        QFETCH(QString, evaluatedLike);
        ReportDocument doc;
        setVars(doc, vars);
        const ScriptValue v = doc.evaluate(formula);
        QCOMPARE(doc.errorLst.size(), 1);
        const ErrorEntry &e = doc.errorLst.first();
        QCOMPARE(e.function_, QStringLiteral("Evaluate"));
        QVERIFY(e.additionalInfo.size() < 5000);
        if (evaluatedLike.isEmpty())
            return;
        QCOMPARE(v.type(), ScriptValue::String);
        QCOMPARE(v.stringValue(), QString());
        QCOMPARE(e.class_, QStringLiteral("TalvoDocument"));
        QVERIFY(!e.message.isEmpty());
        QCOMPARE(e.additionalInfo, formula + QStringLiteral(" evaluated like: ") + evaluatedLike);
    }

    // Names are case-sensitive; each variable is replaced wherever it stands.
    void pageVariables()
    {
        ReportDocument doc;
        for (int i = 1; i <= 7; ++i)
            doc.run().pages.add();
        doc.run().currentPage = 3;
        doc.docName = QStringLiteral("Sales");
        doc.fileName = QStringLiteral("/tmp/r.xml");
        QCOMPARE(
            doc.replacePercentVars(QStringLiteral("%page%/%pages% %PAGE% %title% (%filename%)")),
            QStringLiteral("3/7 %PAGE% Sales (/tmp/r.xml)"));
    }

    void variablesIgnoreCase()
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

    void majVarsReadsTheCurrentRecord()
    {
        ReportDocument doc;
        QVERIFY(connectTyped(doc));
        ReportSection *sec = openSection(
            doc, "M", QStringLiteral("SELECT id, 'c' || id AS City FROM Many WHERE id < 4"));
        QVERIFY(sec);
        const QString city = QStringLiteral("=\"[City]\"");
        QCOMPARE(cstr(doc.evaluate(city)), QStringLiteral("c1"));
        sec->rsd->moveNext();
        doc.updateVars(sec);
        QCOMPARE(cstr(doc.evaluate(QStringLiteral("=[ID] * 10"))), QStringLiteral("20"));
        // Past the end the variables keep the last values seen.
        while (!sec->rsd->eof())
            sec->rsd->moveNext();
        doc.updateVars(sec);
        QCOMPARE(cstr(doc.evaluate(city)), QStringLiteral("c2"));
        // A section without formulas leaves the variables alone.
        ReportSection *plain = doc.addDataSection();
        plain->SQL = QStringLiteral("SELECT 'Nowhere' AS City");
        QCOMPARE(plain->openRecordset(0), 0);
        QCOMPARE(cstr(doc.evaluate(city)), QStringLiteral("c2"));
    }

    void fieldValuesKeepTheirTypes_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("expected"); // the result's text in the C locale
        QTest::newRow("IsNull qualified, null") << "=IsNull([T].[OrderDate])" << 2 << "True";
        QTest::newRow("IsNull bare, null") << "=IsNull([Amount])" << 2 << "True";
        QTest::newRow("null times two") << "=[Amount]*2" << 2 << "";
        QTest::newRow("null concatenated") << "=\"A\" & [Amount] & \"B\"" << 2 << "AB";
        QTest::newRow("real times two") << "=[Amount]*2" << 1 << "5";
        QTest::newRow("hour") << "=Hour([Stamp])" << 1 << "14";
        QTest::newRow("time column") << "=Hour([Tm]) * 100 + Minute([Tm])" << 1 << "1430";
        dataRow("date with zone mark", "=Year([IsoStamp]) & Hour([IsoStamp])", 1, "202414");
        dataRow("date arithmetic", "=[OrderDate] + 1 = DateSerial(2024, 3, 6)", 1, "True");
        QTest::newRow("before 1900")
            << "=Year([Old]) & \"-\" & Month([Old]) & \"-\" & Day([Old]) & \" \" & Hour([Old]) "
               "& \":\" & Minute([Old]) & \":\" & Second([Old])"
            << 1 << "1850-7-4 6:15:30";
        QTest::newRow("between hashes") << "=Year(#[OrderDate]#)" << 1 << "2024";
        QTest::newRow("boolean") << "=Not [Flag]" << 1 << "False";
        QTest::newRow("bare text") << "=[Name] & \"!\"" << 1 << "Say \"hi\"!";
        QTest::newRow("unknown section falls back") << "=[Nowhere].[Qty]+1" << 1 << "-2";
    }
    void fieldValuesKeepTheirTypes()
    {
        QFETCH(QString, formula);
        QFETCH(int, id);
        QFETCH(QString, expected);
        for (const QLocale &locale : {QLocale::c(), kGerman}) {
            QLocale::setDefault(locale);
            ReportDocument doc;
            QVERIFY(connectTyped(doc));
            QVERIFY(openSection(doc, "T", QStringLiteral("SELECT * FROM T WHERE id = %1").arg(id)));
            const ScriptValue v = doc.evaluate(formula);
            QVERIFY2(doc.errorLst.isEmpty(), qPrintable(errors(doc)));
            QCOMPARE(cstr(v, QLocale::c()), expected);
            if (expected.isEmpty())
                QVERIFY(v.isNull());
        }
    }

    // The literal reads back as the same serial in every locale.
    void dateLiteralsReadBackExactly_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("date") << QVariant(QDate(2024, 3, 5));
        QTest::newRow("date and time") << QVariant(QDateTime({2024, 3, 5}, {14, 30, 59}, Qt::UTC));
        QTest::newRow("time") << QVariant(QTime(23, 59, 59));
        QTest::newRow("the epoch") << QVariant(QDateTime({1899, 12, 30}, {12, 0}, Qt::UTC));
        QTest::newRow("year 100") << QVariant(QDate(100, 1, 1));
        QTest::newRow("year 9999") << QVariant(QDateTime({9999, 12, 31}, {23, 59, 59}, Qt::UTC));
    }
    void dateLiteralsReadBackExactly()
    {
        QFETCH(QVariant, value);
        for (const QLocale &locale :
             {QLocale::c(), kGerman, QLocale(QLocale::English, QLocale::UnitedKingdom)}) {
            QLocale::setDefault(locale);
            ReportDocument doc;
            doc.updateVar(QStringLiteral("V"), value);
            const ScriptValue v = doc.evaluate(QStringLiteral("=[V]"));
            QVERIFY2(doc.errorLst.isEmpty(), qPrintable(errors(doc)));
            QCOMPARE(v.type(), ScriptValue::Date);
            QCOMPARE(v.number(), ScriptValue::fromVariant(value).number());
        }
    }

    void sectionNamesInReferences()
    {
        // A dot, punctuation and a letter beyond ASCII.
        const QString name = QStringLiteral("Q.1 a-b, c! Ü");
        ReportDocument doc;
        QVERIFY(connectTyped(doc));
        // The item's own section has another id: only the named section gives 7.
        QVERIFY(
            openSection(doc, name, QStringLiteral("SELECT id + 6 AS id FROM Many WHERE id = 1")));
        ReportSection *other =
            openSection(doc, "Other", QStringLiteral("SELECT id FROM Many WHERE id = 1"));
        QVERIFY(other);
        const QString content = QLatin1Char('[') + name + QStringLiteral("].[id]");
        const PreparedText prepared = prepareText(content);
        QCOMPARE(int(prepared.type), 1);
        QCOMPARE(FieldReference(prepared.expression).table, name);
        QCOMPARE(nullToEmpty(doc.fieldValue(FieldReference(prepared.expression), other)),
                 QStringLiteral("7"));
        QCOMPARE(cstr(doc.evaluate(QLatin1Char('=') + content + QStringLiteral("*10"))),
                 QStringLiteral("70"));
        QVERIFY(doc.errorLst.isEmpty());
    }

    void missingFieldsAreReportedOncePerItem()
    {
        ReportDocument doc;
        QVERIFY(connectTyped(doc));
        doc.pageHeight = 30;
        doc.pageWidth = 20;
        ReportSection *sec = doc.addDataSection();
        sec->sectionName = QStringLiteral("T");
        sec->SQL = QStringLiteral("SELECT id FROM Many ORDER BY id");
        sec->Height = 0.5f;
        // Three found (or 0), then missing: plain, in a formula, own section, after fall-back.
        for (const char *content : {"[T].[id]", "[Elsewhere].[id]", "=[Missing]+1", "[T].[Nope]",
                                    "=[T].[Gone]+1", "[Absent]", "[Elsewhere].[Lost]"}) {
            TextItem *item = sec->newTextItem();
            item->content = QString::fromLatin1(content);
            item->w = 3;
            item->h = 0.4f;
        }
        sec->newTextItem()->visible = QStringLiteral("=[T].[Hidden]=0");
        doc.orderSections();
        for (int run = 1; run <= 2; ++run) {
            doc.errorLst.clear();
            doc.initPrint();
            QStringList seen;
            for (const ErrorEntry &e : doc.errorLst) {
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
};

QTEST_MAIN(tst_Formulas)
#include "tst_formulas.moc"
