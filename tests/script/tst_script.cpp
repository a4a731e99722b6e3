// The formula language: each row is what VBScript gives (CStr text and
// TypeName, or the error); hostile input ends in bounded memory.
#include "../datafixtures.h"
#include "engine/scriptconvert.h"
#include "engine/scriptevaluator.h"

#include <QDateTime>
#include <QLocale>

namespace {

void columns()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("error");
}

void row(const char *expression, const char *text, const char *type)
{
    QTest::newRow(expression) << QString::fromUtf8(expression) << QString::fromUtf8(text)
                              << QString::fromUtf8(type) << QString();
}

void error(const char *expression, const char *description)
{
    QTest::newRow(expression) << QString::fromUtf8(expression) << QString() << QString()
                              << QString::fromUtf8(description);
}

void check(const QLocale &locale = QLocale::c())
{
    QFETCH(QString, expression);
    QFETCH(QString, error);
    const ScriptResult r = ScriptEvaluator(locale).evaluate(expression);
    if (!error.isEmpty()) {
        QVERIFY2(!r.ok(), qPrintable(cstr(r.value, locale)));
        QCOMPARE(r.error.description, error);
        return;
    }
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QTEST(cstr(r.value, locale), "text");
    QTEST(r.value.typeName(), "type");
}

using Value = std::tuple<QVariant, QString, QString, QVariant>;

} // namespace

class tst_Script : public QObject
{
    Q_OBJECT

private slots:
    void expressions_data()
    {
        columns();
        // Literals
        row("32767", "32767", "Integer");
        row("32768", "32768", "Long");
        row("-32768", "-32768", "Long");
        row("2147483647", "2147483647", "Long");
        row("2147483648", "2147483648", "Double");
        row(".5", "0.5", "Double");
        row("1E15", "1E+15", "Double");
        row("0.00001", "1E-05", "Double");
        row("1/3", "0.333333333333333", "Double");
        row("&HFFFF", "-1", "Integer");
        row("&H10000", "65536", "Long");
        row("\"a\"\"b\"", "a\"b", "String");
        row("#2000-01-02 13:05:09#", "1/2/2000 1:05:09 PM", "Date");
        row("#13:05#", "1:05:00 PM", "Date");
        error("\"abc", "Unterminated string constant");
        error("#1/2/2000", "Syntax error");
        error("1E999", "Overflow");
        error("[Price]", "Variable is undefined");
        error("1 ? 2", "Invalid character");
        // Arithmetic: result types widen as VBScript widens them
        row("32767+1", "32768", "Long");
        row("2147483647+1", "2147483648", "Double");
        row("CByte(200)+CByte(55)", "255", "Byte");
        row("CByte(200)+CByte(56)", "256", "Integer");
        row("True+True", "-2", "Integer");
        row("CSng(1.5)+40000", "40001.5", "Double");
        row("CCur(1.5)*3", "4.5", "Currency");
        row("CCur(0.1)+CCur(0.2)", "0.3", "Currency");
        row("Empty+\"x\"", "x", "String");
        row("-7\\2", "-3", "Integer");
        row("7.5\\2", "4", "Long");
        row("-7 Mod 3", "-1", "Integer");
        row("-2^2", "-4", "Double");
        row("2^3^2", "64", "Double");
        row("2*3 Mod 4", "2", "Integer");
        row("7\\2*2", "1", "Integer");
        row("1 & 2 + 3", "15", "String");
        row("Null & Null", "", "Null");
        row("#1/1/2000# + 1", "1/2/2000", "Date");
        row("#1/3/2000# - #1/1/2000#", "2", "Double");
        error("1/0", "Division by zero");
        error("0/0", "Overflow");
        error("1\\0", "Division by zero");
        error("\"abc\"+1", "Type mismatch");
        error("1E308*10", "Overflow");
        error("CCur(900000000000000)*100", "Overflow");
        error("(-8)^(1/3)", "Invalid procedure call or argument");
        error("3000000000\\1", "Overflow");
        error("#12/31/9999# + 1", "Overflow");
        // Comparison and logic
        row("\"B\"<\"a\"", "True", "Boolean");
        row("\"1\"=1", "True", "Boolean");
        row("Empty=0", "True", "Boolean");
        row("Empty=\"\"", "True", "Boolean");
        row("Null=Null", "", "Null");
        row("True=-1", "True", "Boolean");
        row("#1/1/2000#=36526", "True", "Boolean");
        row("Nothing Is Nothing", "True", "Boolean");
        row("1 = 1 = True", "True", "Boolean");
        error("\"abc\"=1", "Type mismatch");
        error("1 Is Nothing", "Object required");
        row("False Imp False", "True", "Boolean");
        row("Not 5", "-6", "Integer");
        row("Not 100000", "-100001", "Long");
        row("12 And 10", "8", "Integer");
        row("5 Xor 1", "4", "Integer");
        row("Null And False", "False", "Boolean");
        row("Null And True", "", "Null");
        row("Null Or False", "", "Null");
        row("False Imp Null", "True", "Boolean");
        row("Not Null", "", "Null");
        row("True Or True And False", "True", "Boolean");
        row("\"True\" And True", "True", "Boolean");
        row("Not 1 = 1 Or True", "True", "Boolean");
        error("\"x\" And True", "Type mismatch");
        // Syntax errors
        error("", "Syntax error");
        error("(1", "Expected ')'");
        error("1)", "Syntax error");
        error("1 2", "Expected end of statement");
        error("1 +", "Syntax error");
        error("Len(\"a\"", "Expected ')'");
        error("Len(\"a\", 2)", "Wrong number of arguments or invalid property assignment");
        error("[unterminated", "Expected ']'");
        error("CreateObject(\"WScript.Shell\")", "Variable is undefined");
        error(QByteArray(1000, '(').append('1').append(QByteArray(1000, ')')).constData(),
              "Out of stack space");
        // Mathematical functions
        row("Abs(-32768)", "32768", "Long");
        row("Abs(Null)", "", "Null");
        row("Int(-2.5)", "-3", "Double");
        row("Fix(-2.5)", "-2", "Double");
        row("Int(CCur(-1.5))", "-2", "Currency");
        row("Round(2.5)", "2", "Double");
        row("Round(3.5)", "4", "Double");
        row("Round(0.125, 2)", "0.12", "Double");
        row("Round(CCur(2.345), 2)", "2.34", "Currency");
        row("Atn(1)*4", "3.14159265358979", "Double");
        row("Hex(-1)", "FFFF", "String");
        row("Hex(-1.0)", "FFFFFFFF", "String");
        row("Hex(Null)", "", "Null");
        error("Sqr(-1)", "Invalid procedure call or argument");
        error("Log(0)", "Invalid procedure call or argument");
        error("Exp(1000)", "Overflow");
        error("Round(1.5, -1)", "Invalid procedure call or argument");
        // Conversions
        row("CBool(\"false\")", "False", "Boolean");
        row("CInt(2.5)", "2", "Integer");
        row("CInt(3.5)", "4", "Integer");
        row("CLng(\"1,234\")", "1234", "Long");
        row("CSng(1/3)", "0.3333333", "Single");
        row("CDbl(\"  42  \")", "42", "Double");
        row("CDbl(\"$12.50\")", "12.5", "Double");
        row("CDbl(\"&HFF\")", "255", "Double");
        row("CCur(1.23456)", "1.2346", "Currency");
        row("CDate(\"2001-02-03\")", "2/3/2001", "Date");
        row("CDate(\"March 5, 2001 2:30 PM\")", "3/5/2001 2:30:00 PM", "Date");
        row("CDate(36526.5)", "1/1/2000 12:00:00 PM", "Date");
        row("CStr(Empty)", "", "String");
        row("CStr(#1/2/2000#)", "1/2/2000", "String");
        row("Chr(128)", "€", "String");
        row("ChrW(8364)", "€", "String");
        row("Asc(\"€\")", "128", "Integer");
        row("AscW(\"€\")", "8364", "Integer");
        error("CByte(256)", "Overflow");
        error("CInt(32768)", "Overflow");
        error("CLng(\"abc\")", "Type mismatch");
        error("CStr(Null)", "Invalid use of Null");
        error("CDate(\"not a date\")", "Type mismatch");
        error("CBool(\"maybe\")", "Type mismatch");
        error("Chr(256)", "Invalid procedure call or argument");
        error("Asc(\"\")", "Invalid procedure call or argument");
        // Inspection
        row("IsNumeric(\"1e3\")", "True", "Boolean");
        row("IsNumeric(Empty)", "True", "Boolean");
        row("IsNumeric(Null)", "False", "Boolean");
        row("IsNumeric(#1/1/2000#)", "False", "Boolean");
        row("IsDate(\"1/2/2000\")", "True", "Boolean");
        row("IsDate(12)", "False", "Boolean");
        row("TypeName(Nothing)", "Nothing", "String");
        row("VarType(CByte(1))", "17", "Integer");
        // Text functions
        row("Len(123.5)", "5", "Long");
        row("Len(Null)", "", "Null");
        row("Left(\"abc\", 5)", "abc", "String");
        row("Left(Null, 1)", "", "Null");
        row("Mid(\"abc\", 5)", "", "String");
        row("InStr(4, \"hello\", \"l\")", "4", "Long");
        row("InStr(1, \"HELLO\", \"l\", 1)", "3", "Long");
        row("InStr(\"hello\", \"\")", "1", "Long");
        row("InStr(Null, \"a\")", "", "Null");
        row("InStrRev(\"hello\", \"l\")", "4", "Long");
        row("InStrRev(\"hello\", \"l\", 3)", "3", "Long");
        row("LCase(\"ÄBC\")", "äbc", "String");
        row("LTrim(\"  a \") & \"|\"", "a |", "String");
        row("RTrim(\"  a \") & \"|\"", "  a|", "String");
        row("Replace(\"abcabc\", \"b\", \"X\", 3)", "caXc", "String");
        row("Replace(\"abab\", \"b\", \"X\", 1, 1)", "aXab", "String");
        row("Replace(\"aBc\", \"b\", \"X\", 1, -1, 1)", "aXc", "String");
        row("Replace(\"abc\", \"\", \"X\")", "abc", "String");
        row("Space(3) & \"|\"", "   |", "String");
        row("String(3, \"ab\")", "aaa", "String");
        row("StrComp(\"a\", \"B\")", "1", "Integer");
        row("StrComp(\"a\", \"A\", 1)", "0", "Integer");
        row("StrComp(Null, \"b\")", "", "Null");
        error("Mid(\"abc\", 0)", "Invalid procedure call or argument");
        error("Left(\"abc\", -1)", "Invalid procedure call or argument");
        error("String(2, \"\")", "Invalid procedure call or argument");
        error("InStr(0, \"a\", \"a\")", "Invalid procedure call or argument");
        // Dates
        row("DateSerial(2000, 2, 30)", "3/1/2000", "Date");
        row("DateSerial(2000, 0, 0)", "11/30/1999", "Date");
        row("DateSerial(99, 1, 1)", "1/1/1999", "Date");
        row("DateSerial(29, 1, 1)", "1/1/2029", "Date");
        row("TimeSerial(13, 5, 9)", "1:05:09 PM", "Date");
        row("DateValue(#3/5/2001 13:00#)", "3/5/2001", "Date");
        row("TimeValue(\"1:30 PM\")", "1:30:00 PM", "Date");
        row("Year(Null)", "", "Null");
        row("Weekday(#1/1/2000#)", "7", "Integer");
        row("Weekday(#1/1/2000#, 2)", "6", "Integer");
        row("MonthName(2, True)", "Feb", "String");
        row("WeekdayName(1, True, 2)", "Mon", "String");
        row("DateAdd(\"m\", 1, #1/31/2000#)", "2/29/2000", "Date");
        row("DateAdd(\"yyyy\", 1, #2/29/2000#)", "2/28/2001", "Date");
        row("DateAdd(\"ww\", 2, #1/1/2000#)", "1/15/2000", "Date");
        row("DateAdd(\"h\", 25, #1/1/2000#)", "1/2/2000 1:00:00 AM", "Date");
        row("DateAdd(\"s\", 1, #12/30/1899 11:59:59 PM#)", "12/31/1899", "Date");
        row("DateDiff(\"d\", #3/1/2000#, #1/1/2000#)", "-60", "Long");
        row("DateDiff(\"m\", #1/31/2000#, #2/1/2000#)", "1", "Long");
        row("DateDiff(\"yyyy\", #12/31/1999#, #1/1/2000#)", "1", "Long");
        row("DateDiff(\"ww\", #1/1/2000#, #1/9/2000#)", "2", "Long");
        row("DateDiff(\"w\", #1/1/2000#, #1/9/2000#)", "1", "Long");
        row("DateDiff(\"h\", #1/1/2000 23:59#, #1/2/2000 0:01#)", "1", "Long");
        row("DatePart(\"ww\", #1/2/2000#)", "2", "Integer");
        row("DatePart(\"ww\", #12/31/2000#)", "54", "Integer");
        row("DatePart(\"y\", #3/1/2000#)", "61", "Integer");
        error("DateAdd(\"x\", 1, #1/1/2000#)", "Invalid procedure call or argument");
        error("DateSerial(10000, 1, 1)", "Invalid procedure call or argument");
        error("DateAdd(\"yyyy\", 9000, #1/1/2000#)", "Invalid procedure call or argument");
        error("Day(\"soon\")", "Type mismatch");
        error("MonthName(13)", "Invalid procedure call or argument");
        // Formatting
        row("FormatNumber(0.5, 2, 0)", ".50", "String");
        row("FormatNumber(-1234.5, 1, -1, -1, 0)", "(1234.5)", "String");
        row("FormatNumber(-0.001, 2)", "0.00", "String");
        row("FormatCurrency(-1234.5)", "($1,234.50)", "String");
        row("FormatPercent(0.256)", "25.60%", "String");
        row("FormatDateTime(#1/2/2000 13:05#)", "1/2/2000 1:05:00 PM", "String");
        row("FormatDateTime(#1/2/2000 13:05#, 1)", "Sunday, January 2, 2000", "String");
        row("FormatDateTime(#1/2/2000 13:05#, vbShortTime)", "13:05", "String");
        error("FormatNumber(\"abc\")", "Type mismatch");
        error("FormatNumber(Null)", "Type mismatch");
        error("FormatDateTime(#1/1/2000#, 7)", "Invalid procedure call or argument");
        // IIf evaluates only the chosen branch; names compare without case.
        row("IIf(0 = 0, 0, 10 / 0)", "0", "Integer");
        row("IIf(Null, 1, 2)", "2", "Integer");
        row("IIf(\"true\", \"y\", \"n\")", "y", "String");
        error("IIf(1 = 1, 1 / 0, 0)", "Division by zero");
        error("IIf(\"x\", 1, 2)", "Type mismatch");
        error("IIf(True, 1)", "Wrong number of arguments or invalid property assignment");
        row("iif(TRUE, MID(\"abc\", 2, 1), \"\")", "b", "String");
        row("VBCRLF = vbCrLf", "True", "Boolean");
        row("1 mod 2 AND 1", "1", "Integer");
        // Bounded memory
        error("String(1E9, \"x\")", "Out of memory");
        error("Space(2147483647)", "Out of memory");
        error("String(40000000, \"x\") & String(40000000, \"x\")", "Out of memory");
        error("Replace(String(10000000, \"a\"), \"a\", String(100, \"b\"))", "Out of memory");
        // Texts each within the limit of one value, together past the evaluation's budget.
        error("Len(String(6E7, \"x\")) + Len(String(6E7, \"x\")) + Len(String(6E7, \"x\")) + "
              "Len(String(6E7, \"x\")) + Len(String(6E7, \"x\"))",
              "Out of memory");
        row("Len(String(6E7, \"x\")) + Len(String(6E7, \"x\"))", "120000000", "Long");
        row("Len(String(1000000, \"x\"))", "1000000", "Long");
        row("Len(Replace(String(100000, \"a\"), \"a\", \"bc\"))", "200000", "Long");
    }
    void expressions() { check(); }
    void germanLocale_data()
    {
        columns();
        row("CDbl(\"1,5\")", "1,5", "Double");
        row("\"1,5\" + 1", "2,5", "Double");
        row("CStr(1234.5)", "1234,5", "String");
        row("FormatNumber(1234.567)", "1.234,57", "String");
        row("FormatCurrency(1234.5)", "1.234,50\u00A0€", "String");
        row("MonthName(3)", "März", "String");
        row("CStr(#3/4/2001#)", "04.03.2001", "String");
        row("CDate(\"4.3.2001\")", "04.03.2001", "Date");
    }
    void germanLocale() { check(QLocale(QLocale::German, QLocale::Germany)); }
    void clockFunctions()
    {
        const ScriptEvaluator e(QLocale::c());
        const QDateTime before = QDateTime::currentDateTime();
        const ScriptResult now = e.evaluate(QStringLiteral("Now"));
        const ScriptResult date = e.evaluate(QStringLiteral("Date()"));
        const ScriptResult time = e.evaluate(QStringLiteral("Time"));
        const ScriptResult timer = e.evaluate(QStringLiteral("Timer"));
        QVERIFY(now.ok() && date.ok() && time.ok() && timer.ok());
        QCOMPARE(now.value.typeName(), QStringLiteral("Date"));
        QCOMPARE(timer.value.typeName(), QStringLiteral("Single"));
        QVERIFY(qAbs(now.value.toVariant().toDateTime().secsTo(before)) < 5);
        QCOMPARE(date.value.dateValue(), std::floor(now.value.dateValue()));
        QVERIFY(time.value.dateValue() >= 0 && time.value.dateValue() < 1);
        QVERIFY(qAbs(timer.value.singleValue() - before.time().msecsSinceStartOfDay() / 1000.0) <
                    5 ||
                before.time().hour() == 23);
    }
    void databaseValues_data()
    {
        // The database's value, its TypeName and CStr text, and the value it gives back.
        QTest::addColumn<Value>("row");
        const auto row = [](const char *name, const Value &r) { QTest::newRow(name) << r; };
        const QDateTime early(QDate(1899, 12, 29), QTime(6, 0));
        row("invalid is Empty", {QVariant(), "Empty", "", QVariant()});
        row("null int is Null", {QVariant(QMetaType::fromType<int>()), "Null", "",
                                 QVariant(QMetaType::fromType<QString>())});
        row("bool", {true, "Boolean", "True", true});
        row("int", {42, "Long", "42", 42});
        row("short",
            {QVariant::fromValue<short>(7), "Integer", "7", QVariant::fromValue<short>(7)});
        row("big integer", {qlonglong(1) << 40, "Double", "1099511627776", 1099511627776.0});
        row("date",
            {QDate(2001, 3, 4), "Date", "3/4/2001", QDateTime(QDate(2001, 3, 4), QTime(0, 0))});
        row("date and time", {early, "Date", "12/29/1899 6:00:00 AM", early});
        row("bytes become text", {QByteArray("xy"), "String", "xy", "xy"});
    }
    void databaseValues()
    {
        QFETCH(Value, row);
        const auto &[variant, type, text, back] = row;
        const ScriptValue v = ScriptValue::fromVariant(variant);
        QCOMPARE(v.typeName(), type);
        QCOMPARE(cstr(v, QLocale::c()), text);
        QCOMPARE(v.toVariant(), back);
    }
    void longFlatFormulas()
    {
        const ScriptEvaluator e(QLocale::c());
        // 900 terms are well inside the nesting limit; deeper chains are refused
        // with an error instead of exhausting the stack.
        QStringList terms(900, QStringLiteral("1"));
        ScriptResult r = e.evaluate(terms.join(QLatin1Char('+')));
        QVERIFY2(r.ok(), qPrintable(r.error.description));
        QCOMPARE(cstr(r.value, QLocale::c()), QStringLiteral("900"));

        for (const QString &deep :
             {QStringList(200000, QStringLiteral("1")).join(u'+'), QString(100000, u'-') + u'1',
              QStringLiteral("Not ").repeated(100000) + u'1',
              QStringLiteral("Len(").repeated(100000) + u'1'})
            QCOMPARE(e.evaluate(deep).error.description, QStringLiteral("Out of stack space"));

        // A very long text literal is fine.
        r = e.evaluate(QLatin1Char('"') + QString(1000000, QChar(0x263A)) +
                       QStringLiteral("\" & \"\""));
        QVERIFY(r.ok());
        QCOMPARE(r.value.stringValue().size(), 1000000);
    }
    void cacheKeepsResultsApart_data()
    {
        QTest::addColumn<QStringList>("expressions");
        QTest::addColumn<QStringList>("results");
        // Same shape, different literals and literal types.
        QTest::newRow("numbers") << QStringList{"1+2", "1.5+2", "32767+1", "\"a\"+\"b\""}
                                 << QStringList{"3|Integer", "3.5|Double", "32768|Long",
                                                "ab|String"};
        QTest::newRow("error then value")
            << QStringList{"1/0", "1/2", "1/0"}
            << QStringList{"!Division by zero", "0.5|Double", "!Division by zero"};
        QTest::newRow("syntax error stays")
            << QStringList{"(1", "(2", "(3)"}
            << QStringList{"!Expected ')'", "!Expected ')'", "3|Integer"};
        QTest::newRow("names differ") << QStringList{"Len(\"ab\")", "Abs(-2)", "Len(\"abc\")"}
                                      << QStringList{"2|Long", "2|Integer", "3|Long"};
    }
    void cacheKeepsResultsApart()
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
    void cacheStaysSmall()
    {
        ScriptEvaluator::clearCache();
        const ScriptEvaluator e(QLocale::c());
        for (int i = 0; i < 5000; ++i)
            QVERIFY(e.evaluate(QStringLiteral("Len(\"x\")")
                                   .repeated(1 + i % 50)
                                   .replace(QStringLiteral(")L"), QStringLiteral(")+L")) +
                               QStringLiteral("+x%1").arg(i))
                        .error.number != 0);
        QVERIFY(ScriptEvaluator::cacheSize() > 0 && ScriptEvaluator::cacheSize() <= 256);
    }
    // Inputs the fuzzer found once; each must end with a value or an error.
    void fuzzRegressions_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(MIRT_TEST_DIR "/fuzz-regressions"));
        for (const QString &f : dir.entryList(QDir::Files))
            QTest::newRow(qPrintable(f)) << dir.filePath(f);
    }
    void fuzzRegressions()
    {
        QFETCH(QString, path);
        const QString text = QString::fromUtf8(bytesIn(path));
        for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
            const ScriptResult r = ScriptEvaluator(locale).evaluate(text);
            QVERIFY(r.ok() || !r.error.description.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(tst_Script)
#include "tst_script.moc"
