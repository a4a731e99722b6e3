#include "data/ifield.h"
#include "data/sqlreferences.h"

#include <QDate>
#include <QLocale>
#include <QTest>

// Parsing of field references and their replacement in SQL texts.
class tst_References : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void fieldInit_data();
    void fieldInit();
    void fieldFullText_data();
    void fieldFullText();
    void referencesFound_data();
    void referencesFound();
    void zeroReplacement_data();
    void zeroReplacement();
    void substitution_data();
    void substitution();
    void nullValuesInsertNothing();
    void numbersUseAPeriodInEveryLocale_data();
    void numbersUseAPeriodInEveryLocale();
    void eachReferenceLookedUpOnce();
    void selectChecks_data();
    void selectChecks();
};

void tst_References::fieldInit_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("name");

    QTest::newRow("section and field") << "[Orders].[Total]" << "Orders" << "Total";
    QTest::newRow("bare name") << "Total" << "" << "Total";
    QTest::newRow("bracketed name") << "[Total]" << "" << "Total";
    QTest::newRow("doubled brackets") << "[[A]]].[[B]]" << "A" << "B";
    QTest::newRow("separator at the start") << "].[x" << "" << ".x";
    QTest::newRow("names with spaces") << "[Order Details].[Unit Price]" << "Order Details"
                                       << "Unit Price";
    QTest::newRow("without outer brackets") << "Customers].[Name" << "Customers" << "Name";
    QTest::newRow("three parts take the second") << "[a].[b].[c]" << "a" << "b";
    QTest::newRow("empty") << "" << "" << "";
}

void tst_References::fieldInit()
{
    QFETCH(QString, reference);
    QFETCH(QString, table);
    QFETCH(QString, name);
    iField f;
    f.table = QStringLiteral("stale");
    f.init(reference);
    QCOMPARE(f.table, table);
    QCOMPARE(f.name, name);
}

void tst_References::fieldFullText_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fullText");

    QTest::newRow("both") << "Customers" << "Name" << "[Customers].[Name]";
    QTest::newRow("name only") << "" << "Name" << "[Name]";
    QTest::newRow("table but no name") << "Customers" << "" << "";
    QTest::newRow("neither") << "" << "" << "";
}

void tst_References::fieldFullText()
{
    QFETCH(QString, table);
    QFETCH(QString, name);
    QFETCH(QString, fullText);
    iField f;
    f.table = table;
    f.name = name;
    QCOMPARE(f.fullText(), fullText);
    // What fullText writes reads back as the same field.
    if (!fullText.isEmpty()) {
        const iField back(fullText);
        QCOMPARE(back.table, table);
        QCOMPARE(back.name, name);
    }
}

void tst_References::referencesFound_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("refs");

    QTest::newRow("none") << "SELECT * FROM t" << QStringList();
    QTest::newRow("one") << "SELECT * FROM t WHERE id={[Customers].[ID]}"
                         << QStringList{"[Customers].[ID]"};
    QTest::newRow("duplicates kept")
        << "SELECT * FROM t WHERE a={x} OR b={y} OR c={x}" << QStringList{"x", "y", "x"};
    QTest::newRow("closing brace alone") << "SELECT '}' FROM t" << QStringList{""};
    QTest::newRow("second brace does not restart")
        << "a{b{c}d" << QStringList{"bc"};
    QTest::newRow("unclosed") << "SELECT * FROM t WHERE a={x" << QStringList();
}

void tst_References::referencesFound()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, refs);
    QCOMPARE(sqlReferences(sql), refs);
}

void tst_References::zeroReplacement_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no braces, untouched") << "  SELECT * FROM t  " << "  SELECT * FROM t  ";
    QTest::newRow("references")
        << "SELECT * FROM o WHERE c={[Customers].[ID]} AND d={[ID]}"
        << "SELECT * FROM o WHERE c=0 AND d=0";
    QTest::newRow("twice") << "SELECT {a}+{a} FROM t" << "SELECT 0+0 FROM t";
    QTest::newRow("empty reference") << "SELECT {} FROM t }" << "SELECT 0 FROM t }";
    QTest::newRow("unmatched target stays") << "a{b{c}d" << "a{b{c}d";
}

void tst_References::zeroReplacement()
{
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QCOMPARE(sqlWithZeroReferences(sql), expected);
}

void tst_References::substitution_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("bare number") << "SELECT * FROM o WHERE c={[C].[ID]}" << QVariant(42)
                                 << "SELECT * FROM o WHERE c=42";
    QTest::newRow("bare text becomes a literal")
        << "SELECT * FROM o WHERE c={[C].[ID]}" << QVariant("O'Brien")
        << "SELECT * FROM o WHERE c='O''Brien'";
    QTest::newRow("quote doubled between single quotes")
        << "SELECT * FROM c WHERE n='{[C].[Name]}'" << QVariant("O'Brien")
        << "SELECT * FROM c WHERE n='O''Brien'";
    QTest::newRow("inside a longer literal")
        << "SELECT * FROM c WHERE n LIKE '%{[C].[Name]}%'" << QVariant("it's")
        << "SELECT * FROM c WHERE n LIKE '%it''s%'";
    QTest::newRow("literal ending a value cannot close the quote")
        << "SELECT * FROM c WHERE n='{N}' AND x=1" << QVariant("' OR '1'='1")
        << "SELECT * FROM c WHERE n=''' OR ''1''=''1' AND x=1";
    QTest::newRow("after a literal with doubled quotes")
        << "SELECT 'a''b' AS q FROM c WHERE n={N}" << QVariant("x'y")
        << "SELECT 'a''b' AS q FROM c WHERE n='x''y'";
    QTest::newRow("text outside quotes is a literal, not SQL")
        << "SELECT * FROM c WHERE id={N}" << QVariant("0 OR 1=1")
        << "SELECT * FROM c WHERE id='0 OR 1=1'";
    QTest::newRow("numeric text outside quotes stays a number")
        << "SELECT * FROM c WHERE id={N}" << QVariant("-42.5") << "SELECT * FROM c WHERE id=-42.5";
    QTest::newRow("double-quoted literal")
        << "SELECT * FROM c WHERE n=\"{N}\"" << QVariant("say \"hi\"")
        << "SELECT * FROM c WHERE n=\"say \"\"hi\"\"\"";
    QTest::newRow("double quotes in a single-quoted literal stay")
        << "SELECT * FROM c WHERE n='{N}'" << QVariant("say \"hi\"")
        << "SELECT * FROM c WHERE n='say \"hi\"'";
    QTest::newRow("inserted braces are not references")
        << "SELECT * FROM c WHERE n='{N}' OR m='{M}'" << QVariant("{M}")
        << "SELECT * FROM c WHERE n='{M}' OR m='{M}'";
    QTest::newRow("date") << "SELECT * FROM o WHERE d='{D}'" << QVariant(QDate(2024, 2, 29))
                          << "SELECT * FROM o WHERE d='2024-02-29'";
    QTest::newRow("date and time")
        << "SELECT * FROM o WHERE d='{D}'" << QVariant(QDateTime(QDate(2024, 2, 29), QTime(8, 5, 1)))
        << "SELECT * FROM o WHERE d='2024-02-29 08:05:01'";
    QTest::newRow("boolean") << "SELECT * FROM o WHERE f={F}" << QVariant(true)
                             << "SELECT * FROM o WHERE f=True";
}

void tst_References::substitution()
{
    QFETCH(QString, sql);
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    const QString out = substituteSqlReferences(
        sql, [&](const QString &ref) { return ref == u"M" ? QVariant(QStringLiteral("m")) : value; });
    // The only reference named M is the one of the "inserted braces" row.
    QString want = expected;
    if (sql.contains(QStringLiteral("{M}")))
        want = QStringLiteral("SELECT * FROM c WHERE n='{M}' OR m='m'");
    QCOMPARE(out, want);
}

void tst_References::nullValuesInsertNothing()
{
    QStringList nulls;
    const QString out = substituteSqlReferences(
        QStringLiteral("SELECT * FROM o WHERE a='{[C].[Name]}' AND b={[C].[ID]} AND c='{[C].[Name]}'"),
        [](const QString &ref) {
            return ref == u"[C].[Name]" ? QVariant(QMetaType(QMetaType::QString)) : QVariant(7);
        },
        &nulls);
    QCOMPARE(out, QStringLiteral("SELECT * FROM o WHERE a='' AND b=7 AND c=''"));
    // Reported once, however often it is written.
    QCOMPARE(nulls, QStringList{QStringLiteral("[C].[Name]")});
}

void tst_References::numbersUseAPeriodInEveryLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");

    for (const char *loc : {"de_DE", "fr_FR", "en_US"}) {
        QTest::addRow("%s decimal", loc) << loc << QVariant(1234.5) << "1234.5";
        QTest::addRow("%s negative", loc) << loc << QVariant(-0.25) << "-0.25";
        QTest::addRow("%s whole double", loc) << loc << QVariant(1000000.0) << "1000000";
        QTest::addRow("%s integer", loc) << loc << QVariant(qint64(1234567)) << "1234567";
        QTest::addRow("%s float", loc) << loc << QVariant(2.5f) << "2.5";
    }
}

void tst_References::numbersUseAPeriodInEveryLocale()
{
    QFETCH(QString, locale);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(sqlValueText(value), text);
    QCOMPARE(substituteSqlReferences(QStringLiteral("SELECT * FROM t WHERE p={P}"),
                                     [&](const QString &) { return value; }),
             QStringLiteral("SELECT * FROM t WHERE p=") + text);
}

void tst_References::eachReferenceLookedUpOnce()
{
    QStringList asked;
    substituteSqlReferences(QStringLiteral("SELECT {b}, {a}, {b} FROM t"), [&](const QString &ref) {
        asked.append(ref);
        return QVariant(1);
    });
    QCOMPARE(asked, (QStringList{"b", "a"}));
}

void tst_References::selectChecks_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");

    const QString first = QStringLiteral("Your query must start with 'SELECT'");
    const QString third = QStringLiteral("You query is not complete");

    QTest::newRow("lower case passes") << "select a from t" << "";
    QTest::newRow("star against SELECT") << "SELECT*FROM t" << "";
    QTest::newRow("not a select") << "DELETE FROM t" << first;
    QTest::newRow("empty") << "" << first;
    QTest::newRow("only a comment") << "-- SELECT a FROM t" << first;
    QTest::newRow("FROM at the very end") << "SELECT * FROM" << third;
    QTest::newRow("no table") << "SELECT 1 AS One" << "";
    QTest::newRow("ends with FROM") << "SELECT a FROM t1 JOIN t2 FROM" << third;
    QTest::newRow("ends with a name ending in from") << "SELECT a FROM ValidFrom" << "";
    QTest::newRow("ends with from after a line break") << "SELECT a FROM t1,\r\nFROM" << third;
    QTest::newRow("from in a string at the end") << "SELECT a FROM t WHERE b = 'x from'" << "";
    QTest::newRow("line comment first") << "-- customers\nSELECT a FROM t" << "";
    QTest::newRow("block comment first") << "/* list */ SELECT a FROM t" << "";
    QTest::newRow("comment hides a change") << "-- SELECT\nDELETE FROM t" << first;
    QTest::newRow("common table") << "WITH c AS (SELECT a FROM t) SELECT * FROM c" << "";
    QTest::newRow("recursive table")
        << "WITH RECURSIVE n(i) AS (SELECT 1 UNION SELECT i + 1 FROM n) SELECT i FROM n" << "";
    QTest::newRow("change after a common table")
        << "WITH c AS (SELECT a FROM t) DELETE FROM t WHERE a IN (SELECT a FROM c)" << first;
    QTest::newRow("insert after a common table") << "WITH c AS (SELECT 1) INSERT INTO t SELECT * FROM c" << first;
}

void tst_References::selectChecks()
{
    QFETCH(QString, sql);
    QFETCH(QString, message);
    QCOMPARE(selectCheckMessage(sql), message);
}

int runReferencesTests(int argc, char **argv)
{
    tst_References t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_references.moc"
