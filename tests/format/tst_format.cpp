#include "engine/scriptevaluator.h"
#include "engine/vbformat.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

// Format patterns by family. A value "=expr" is that expression's result; anything else is
// text, the way field values reach formatValue.
class tst_Format : public QObject
{
    Q_OBJECT

private slots:
    void patterns_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        // Numbers.
        row("1234.567", "#,##0.00", "1,234.57");
        row("0", "#", "");
        row("2.5", "0", "3");
        row("5", "000", "005");
        row("1.5", "0.0#", "1.5");
        row("1.555", "0.0#", "1.56");
        row("0.1234", "##0.00%", "12.34%");
        row("1234567", "#,##0,", "1,235");
        row("1234567", "0.0,,", "1.2");
        row("0.000123", "0.00e-00", "1.23e-04");
        row("1234.5", "0.00E-00", "1.23E03");
        row("0", "0.00E+00", "0.00E+00");
        row("1e20", "0", "100000000000000000000");
        row("5", "\"Total: \"0", "Total: 5");
        row("5", "\\T0", "T5");
        row("-0.4", "0", "0");
        row("=2.675", "0.00", "2.68");
        row("=CCur(12.5)", "0.000", "12.500");
        row("=True", "0.00", "-1.00");
        row("=#1/2/2001#", "0.00", "36893.00");
        // Sections for positive;negative;zero;Null.
        row("-1234.5", "#,##0.00;(#,##0.00)", "(1,234.50)");
        row("0", "0.00;-0.00;\"zero\"", "zero");
        row("-3", "0;;\"nil\"", "-3");
        row("=Null", "0;-0;\"z\";\"null\"", "null");
        row("=Null", "0.00", "");
        row("=Empty", "0.00", "");
        row("0.001", "0.00;-0.00;\"zero\"", "0.00");
        // Dates and times.
        row("2001-03-04 13:05:09", "dd mmmm yyyy", "04 March 2001");
        row("2001-03-04 13:05:09", "d mmm yy", "4 Mar 01");
        row("2001-03-04 13:05:09", "hh nn ss", "13 05 09");
        row("2001-03-04 13:05:09", "h:mm AM/PM", "1:05 PM");
        row("2001-03-04 13:05:09", "dddd, ddd", "Sunday, Sun");
        row("=#1/2/2001 9:05:03#", "m/d/yy", "1/2/01");
        row("=#1/2/2001 21:05:03#", "h:nn am/pm", "9:05 pm");
        row("=#1/2/2001 21:05:03#", "h:nn a/p", "9:05 p");
        row("=#1/2/2001 21:05:03#", "ttttt", "9:05:03 PM");
        row("=#1/2/2001 0:30#", "h:nn AM/PM", "12:30 AM");
        row("2001-03-04 13:05:09", "c", "3/4/2001 1:05:09 PM");
        row("2001-05-04", "q", "2");
        row("2001-05-04", "y", "124");
        row("2001-05-04", "w", "6");
        // Weeks start on Sunday; week 1 holds 1 January.
        row("=#1/1/2001#", "ww", "1");
        row("=#1/6/2001#", "ww", "1");
        row("=#1/7/2001#", "ww", "2");
        row("=#12/31/2000#", "ww", "54");
        row("36892", "dd/mm/yyyy", "01/01/2001");
        row("=#12/30/1899#", "General Date", "12:00:00 AM");
        row("2001-03-04", "\"Day \"d", "Day 4");
        // Named formats.
        row("1234.5", "General Number", "1234.5");
        row("1234.5", "Fixed", "1234.50");
        row("1234.5", "Scientific", "1.23E+03");
        row("1", "Yes/No", "Yes");
        row("0", "True/False", "False");
        row("-1", "On/Off", "On");
        row("=#3/4/2001#", "Medium Date", "04-Mar-01");
        row("=#3/4/2001#", "Short Date", "3/4/2001");
        row("=#3/4/2001 13:05:09#", "Long Time", "1:05:09 PM");
        row("=#3/4/2001 13:05:09#", "Medium Time", "01:05 PM");
        row("=#3/4/2001 13:05:09#", "Short Time", "13:05");
        row("1234.5", "standard", "1,234.50");
        // Text.
        row("hello", ">", "HELLO");
        row("HELLO", "<", "hello");
        row("abc", "@@@@@", "  abc");
        row("abc", "!@@@@@", "abc  ");
        row("abc", "&&&&&", "abc");
        row("1234567", "(@@@) @@@-@@@@", "(   ) 123-4567");
        row("abcdef", "@@@", "abcdef");
        row("", "@;\"empty\"", "empty");
        row("ab", "\"[\"@@\"]\"", "[ab]");
        // A value the pattern cannot format comes back unchanged.
        row("not a number", "0.00", "not a number");
        row("1e400", "0.00", "1e400");
        row("hello", "dd.mm.yyyy", "hello");
        row("12,5", "0.00", "12,5");
        row("42", "", "42");
        row("=12.5", "", "12.5");
        // In the locale of the report's reader.
        row("de_DE", "1234.567", "#,##0.00", "1.234,57");
        row("de_DE", "1.234,5", "0.00", "1234,50");
        row("de_DE", "4.3.2001", "dddd d. mmmm yyyy", "Sonntag 4. März 2001");
        row("de_DE", "1234.5", "Currency", "1.234,50\u00A0€");
        row("de_DE", "=#3/4/2001#", "Short Date", "04.03.2001");
        row("de_DE", "=#3/4/2001 13:05#", "General Date", "04.03.2001 13:05:00");
        row("fr_FR", "1 234,5", "0.00", "1234,50");
        row("fr_FR", "=#3/4/2001#", "Long Date", "dimanche 4 mars 2001");
    }
    void patterns()
    {
        QFETCH(QString, locale);
        QFETCH(QString, value);
        QFETCH(QString, pattern);
        ScriptValue v(value);
        if (value.startsWith(QLatin1Char('='))) {
            const ScriptResult r = ScriptEvaluator(QLocale::c()).evaluate(value.mid(1));
            QVERIFY2(r.ok(), qPrintable(r.error.description));
            v = r.value;
        }
        QTEST(formatValue(v, pattern, QLocale(locale)), "expected");
        if (locale != u"C") {
            // Without a locale argument the application's default is used.
            QLocale::setDefault(QLocale(locale));
            QTEST(formatValue(v, pattern), "expected");
            QLocale::setDefault(QLocale::c());
        }
    }
    // Inputs kept from fuzzing (a value line, then the pattern) format without failing.
    void fuzzRegressions_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(MIRT_TEST_DIR "/fuzz-regressions"));
        const QStringList files = dir.entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString &f : files)
            QTest::newRow(qPrintable(f)) << dir.filePath(f);
    }
    void fuzzRegressions()
    {
        QFETCH(QString, path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString input = QString::fromUtf8(f.readAll());
        const qsizetype cut = input.indexOf(QLatin1Char('\n'));
        const QString value = cut < 0 ? QString() : input.left(cut);
        const QString pattern = cut < 0 ? input : input.mid(cut + 1);
        for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::French, QLocale::France)}) {
            const QString asText = formatValue(ScriptValue(value), pattern, locale);
            QVERIFY(asText.size() < 1000000);
            (void)formatValue(ScriptValue::fromDouble(-1234.5678), pattern, locale);
            (void)formatValue(ScriptValue::fromDate(36892.75), pattern, locale);
            (void)formatValue(ScriptValue::null(), pattern, locale);
        }
    }

private:
    static void row(const char *value, const char *pattern, const char *expected)
    {
        row("C", value, pattern, expected);
    }
    static void row(const char *locale, const char *value, const char *pattern,
                    const char *expected)
    {
        QTest::addRow("%s | %s | %s", locale, value, pattern)
            << QString::fromLatin1(locale) << QString::fromUtf8(value) << QString::fromUtf8(pattern)
            << QString::fromUtf8(expected);
    }
};

QTEST_GUILESS_MAIN(tst_Format)
#include "tst_format.moc"
