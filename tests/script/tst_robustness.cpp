#include "scripttable.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

using namespace ScriptTable;

// Bad and hostile input: every text ends with a value or an error, in bounded
// time and memory; the parse cache never changes a result.
class tst_Robustness : public QObject
{
    Q_OBJECT

private slots:
    void bounded_data();
    void bounded();
    void longFlatFormulas();
    void cacheKeepsResultsApart_data();
    void cacheKeepsResultsApart();
    void cacheStaysSmall();
    void fuzzRegressions_data();
    void fuzzRegressions();
};

void tst_Robustness::bounded_data()
{
    columns();
    error("String(1E9, \"x\")", "Out of memory");
    error("Space(2147483647)", "Out of memory");
    error("String(40000000, \"x\") & String(40000000, \"x\")", "Out of memory");
    error("Replace(String(10000000, \"a\"), \"a\", String(100, \"b\"))", "Out of memory");
    error("Len(Space(60000000) & Space(60000000) & Space(60000000) & Space(60000000) & "
          "Space(60000000))",
          "Out of memory");
    row("Len(String(1000000, \"x\"))", "1000000", "Long");
    row("Len(Replace(String(100000, \"a\"), \"a\", \"bc\"))", "200000", "Long");
}

void tst_Robustness::bounded()
{
    QElapsedTimer timer;
    timer.start();
    check();
    // Generous: the point is that it ends, not how fast.
    QVERIFY(timer.elapsed() < 60000);
}

void tst_Robustness::longFlatFormulas()
{
    const ScriptEvaluator e(QLocale::c());
    // 900 terms are well inside the nesting limit; deeper chains are refused
    // with an error instead of exhausting the stack.
    QStringList terms(900, QStringLiteral("1"));
    ScriptResult r = e.evaluate(terms.join(QLatin1Char('+')));
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QCOMPARE(cstr(r.value, QLocale::c()), QStringLiteral("900"));

    const QStringList many(200000, QStringLiteral("1"));
    r = e.evaluate(many.join(QLatin1Char('+')));
    QCOMPARE(r.error.description, QStringLiteral("Out of stack space"));

    r = e.evaluate(QString(100000, QLatin1Char('-')) + QLatin1Char('1'));
    QCOMPARE(r.error.description, QStringLiteral("Out of stack space"));

    r = e.evaluate(QStringLiteral("Not ").repeated(100000) + QLatin1Char('1'));
    QCOMPARE(r.error.description, QStringLiteral("Out of stack space"));

    r = e.evaluate(QStringLiteral("Len(").repeated(100000) + QLatin1Char('1'));
    QCOMPARE(r.error.description, QStringLiteral("Out of stack space"));

    // A very long text literal is fine.
    r = e.evaluate(QLatin1Char('"') + QString(1000000, QChar(0x263A)) +
                   QStringLiteral("\" & \"\""));
    QVERIFY(r.ok());
    QCOMPARE(r.value.stringValue().size(), 1000000);
}

void tst_Robustness::cacheKeepsResultsApart_data()
{
    QTest::addColumn<QStringList>("expressions");
    QTest::addColumn<QStringList>("results");
    // Same shape, different literals and literal types.
    QTest::newRow("numbers") << QStringList{"1+2", "1.5+2", "32767+1", "\"a\"+\"b\""}
                             << QStringList{"3|Integer", "3.5|Double", "32768|Long", "ab|String"};
    QTest::newRow("comparison with text")
        << QStringList{"\"1\"=1", "\"2\"=1", "\"x\"=1"}
        << QStringList{"True|Boolean", "False|Boolean", "!Type mismatch"};
    QTest::newRow("error then value")
        << QStringList{"1/0", "1/2", "1/0"}
        << QStringList{"!Division by zero", "0.5|Double", "!Division by zero"};
    QTest::newRow("syntax error stays")
        << QStringList{"(1", "(2", "(3)"}
        << QStringList{"!Expected ')'", "!Expected ')'", "3|Integer"};
    QTest::newRow("names differ") << QStringList{"Len(\"ab\")", "Abs(-2)", "Len(\"abc\")"}
                                  << QStringList{"2|Long", "2|Integer", "3|Long"};
}

void tst_Robustness::cacheKeepsResultsApart()
{
    QFETCH(QStringList, expressions);
    QFETCH(QStringList, results);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < expressions.size(); ++i) {
            const ScriptResult r = ScriptEvaluator(QLocale::c()).evaluate(expressions.at(i));
            const QString got =
                r.ok() ? cstr(r.value, QLocale::c()) + QLatin1Char('|') + r.value.typeName()
                       : QLatin1Char('!') + r.error.description;
            QCOMPARE(got, results.at(i));
        }
    }
}

void tst_Robustness::cacheStaysSmall()
{
    ScriptEvaluator::clearCache();
    const ScriptEvaluator e(QLocale::c());
    for (int i = 0; i < 5000; ++i)
        QVERIFY(e.evaluate(QStringLiteral("Len(\"x\")")
                               .repeated(1 + i % 50)
                               .replace(QStringLiteral(")L"), QStringLiteral(")+L")) +
                           QStringLiteral("+x%1").arg(i))
                    .error.number != 0);
    QVERIFY(ScriptEvaluator::cacheSize() <= 256);
    QVERIFY(ScriptEvaluator::cacheSize() > 0);
}

// Inputs the fuzzer found once; each must end with a value or an error.
void tst_Robustness::fuzzRegressions_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(QStringLiteral(MIRT_TEST_DIR "/fuzz-regressions"));
    const QStringList files = dir.entryList(QDir::Files);
    for (const QString &f : files)
        QTest::newRow(qPrintable(f)) << dir.filePath(f);
    if (files.isEmpty())
        QTest::newRow("none") << QString();
}

void tst_Robustness::fuzzRegressions()
{
    QFETCH(QString, path);
    if (path.isEmpty())
        QSKIP("no regression inputs");
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        const ScriptResult r = ScriptEvaluator(locale).evaluate(text);
        QVERIFY(r.ok() || !r.error.description.isEmpty());
    }
}

int runRobustnessTests(int argc, char **argv)
{
    tst_Robustness t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_robustness.moc"
