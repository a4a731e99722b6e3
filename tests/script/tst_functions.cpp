#include "scripttable.h"

#include <QDateTime>

using namespace ScriptTable;

// The built-in functions, grouped by family, with what VBScript returns.
class tst_Functions : public QObject
{
    Q_OBJECT

private slots:
    void math_data();
    void math() { check(); }
    void conversion_data();
    void conversion() { check(); }
    void inspection_data();
    void inspection() { check(); }
    void strings_data();
    void strings() { check(); }
    void dates_data();
    void dates() { check(); }
    void formatting_data();
    void formatting() { check(); }
    void germanLocale_data();
    void germanLocale() { check(QLocale(QLocale::German, QLocale::Germany)); }
    void clockFunctions();
    void iifEvaluatesOnlyTheChosenBranch_data();
    void iifEvaluatesOnlyTheChosenBranch() { check(); }
    void namesAreCaseInsensitive_data();
    void namesAreCaseInsensitive() { check(); }
};

void tst_Functions::math_data()
{
    columns();
    row("Abs(-32768)", "32768", "Long");
    row("Abs(\"-2\")", "2", "Double");
    row("Abs(Null)", "", "Null");
    row("Int(-2.5)", "-3", "Double");
    row("Fix(-2.5)", "-2", "Double");
    row("Int(CCur(-1.5))", "-2", "Currency");
    row("Round(2.5)", "2", "Double");
    row("Round(3.5)", "4", "Double");
    row("Round(-2.5)", "-2", "Double");
    row("Round(1.2345, 2)", "1.23", "Double");
    row("Round(0.125, 2)", "0.12", "Double");
    row("Round(CCur(2.345), 2)", "2.34", "Currency");
    row("Log(Exp(2))", "2", "Double");
    row("Atn(1)*4", "3.14159265358979", "Double");
    row("Hex(-1)", "FFFF", "String");
    row("Hex(-1.0)", "FFFFFFFF", "String");
    row("Hex(Null)", "", "Null");
    error("Sqr(-1)", "Invalid procedure call or argument");
    error("Log(0)", "Invalid procedure call or argument");
    error("Exp(1000)", "Overflow");
    error("Round(1.5, -1)", "Invalid procedure call or argument");
}

void tst_Functions::conversion_data()
{
    columns();
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
}

void tst_Functions::inspection_data()
{
    columns();
    row("IsNumeric(\"1e3\")", "True", "Boolean");
    row("IsNumeric(\" 12 \")", "True", "Boolean");
    row("IsNumeric(Empty)", "True", "Boolean");
    row("IsNumeric(Null)", "False", "Boolean");
    row("IsNumeric(#1/1/2000#)", "False", "Boolean");
    row("IsDate(\"1/2/2000\")", "True", "Boolean");
    row("IsDate(12)", "False", "Boolean");
    row("TypeName(Nothing)", "Nothing", "String");
    row("TypeName(CByte(1))", "Byte", "String");
    row("VarType(Empty)", "0", "Integer");
    row("VarType(1.5)", "5", "Integer");
    row("VarType(CByte(1))", "17", "Integer");
}

void tst_Functions::strings_data()
{
    columns();
    row("Len(123.5)", "5", "Long");
    row("Len(Null)", "", "Null");
    row("Left(\"abc\", 5)", "abc", "String");
    row("Left(Null, 1)", "", "Null");
    row("Mid(\"hello\", 2, 3)", "ell", "String");
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
    row("Replace(\"aaa\", \"a\", \"bb\")", "bbbbbb", "String");
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
}

void tst_Functions::dates_data()
{
    columns();
    row("DateSerial(2000, 2, 30)", "3/1/2000", "Date");
    row("DateSerial(2000, 0, 0)", "11/30/1999", "Date");
    row("DateSerial(99, 1, 1)", "1/1/1999", "Date");
    row("DateSerial(29, 1, 1)", "1/1/2029", "Date");
    row("TimeSerial(13, 5, 9)", "1:05:09 PM", "Date");
    row("TimeSerial(12, -1, 0)", "11:59:00 AM", "Date");
    row("DateValue(\"March 5, 2001\")", "3/5/2001", "Date");
    row("DateValue(#3/5/2001 13:00#)", "3/5/2001", "Date");
    row("TimeValue(\"1:30 PM\")", "1:30:00 PM", "Date");
    row("Month(\"3/5/2001\")", "3", "Integer");
    row("Year(36526)", "2000", "Integer");
    row("Hour(#13:45:10#)", "13", "Integer");
    row("Year(Null)", "", "Null");
    row("Weekday(#1/1/2000#)", "7", "Integer");
    row("Weekday(#1/1/2000#, 2)", "6", "Integer");
    row("MonthName(2, True)", "Feb", "String");
    row("WeekdayName(1, True, 2)", "Mon", "String");
    row("DateAdd(\"m\", 1, #1/31/2000#)", "2/29/2000", "Date");
    row("DateAdd(\"yyyy\", 1, #2/29/2000#)", "2/28/2001", "Date");
    row("DateAdd(\"q\", 1, #11/30/2000#)", "2/28/2001", "Date");
    row("DateAdd(\"ww\", 2, #1/1/2000#)", "1/15/2000", "Date");
    row("DateAdd(\"h\", 25, #1/1/2000#)", "1/2/2000 1:00:00 AM", "Date");
    row("DateAdd(\"s\", 1, #12/30/1899 11:59:59 PM#)", "12/31/1899", "Date");
    row("DateDiff(\"d\", #3/1/2000#, #1/1/2000#)", "-60", "Long");
    row("DateDiff(\"m\", #1/31/2000#, #2/1/2000#)", "1", "Long");
    row("DateDiff(\"yyyy\", #12/31/1999#, #1/1/2000#)", "1", "Long");
    row("DateDiff(\"q\", #3/31/2000#, #4/1/2000#)", "1", "Long");
    row("DateDiff(\"ww\", #1/1/2000#, #1/9/2000#)", "2", "Long");
    row("DateDiff(\"w\", #1/1/2000#, #1/9/2000#)", "1", "Long");
    row("DateDiff(\"h\", #1/1/2000 23:59#, #1/2/2000 0:01#)", "1", "Long");
    row("DatePart(\"ww\", #1/2/2000#)", "2", "Integer");
    row("DatePart(\"ww\", #12/31/2000#)", "54", "Integer");
    row("DatePart(\"y\", #3/1/2000#)", "61", "Integer");
    row("DatePart(\"w\", #1/1/2000#)", "7", "Integer");
    error("DateAdd(\"x\", 1, #1/1/2000#)", "Invalid procedure call or argument");
    error("DateSerial(10000, 1, 1)", "Invalid procedure call or argument");
    error("DateAdd(\"yyyy\", 9000, #1/1/2000#)", "Invalid procedure call or argument");
    error("Day(\"soon\")", "Type mismatch");
    error("MonthName(13)", "Invalid procedure call or argument");
}

void tst_Functions::formatting_data()
{
    columns();
    row("FormatNumber(0.5, 2, 0)", ".50", "String");
    row("FormatNumber(-1234.5, 1, -1, -1, 0)", "(1234.5)", "String");
    row("FormatNumber(-0.001, 2)", "0.00", "String");
    row("FormatNumber(\"12.5\")", "12.50", "String");
    row("FormatCurrency(1234.5)", "$1,234.50", "String");
    row("FormatCurrency(-1234.5)", "($1,234.50)", "String");
    row("FormatPercent(0.256)", "25.60%", "String");
    row("FormatDateTime(#1/2/2000 13:05#)", "1/2/2000 1:05:00 PM", "String");
    row("FormatDateTime(#1/2/2000 13:05#, 1)", "Sunday, January 2, 2000", "String");
    row("FormatDateTime(#1/2/2000 13:05#, vbShortTime)", "13:05", "String");
    error("FormatNumber(\"abc\")", "Type mismatch");
    error("FormatNumber(Null)", "Type mismatch");
    error("FormatDateTime(#1/1/2000#, 7)", "Invalid procedure call or argument");
}

void tst_Functions::germanLocale_data()
{
    columns();
    row("1.5", "1,5", "Double");
    row("CDbl(\"1,5\")", "1,5", "Double");
    row("\"1,5\" + 1", "2,5", "Double");
    row("CStr(1234.5)", "1234,5", "String");
    row("FormatNumber(1234.567)", "1.234,57", "String");
    row("FormatCurrency(1234.5)", "1.234,50\u00A0€", "String");
    row("MonthName(3)", "März", "String");
    row("CStr(#3/4/2001#)", "04.03.2001", "String");
    row("CDate(\"4.3.2001\")", "04.03.2001", "Date");
    row("#3/4/2001#", "04.03.2001", "Date");
}

void tst_Functions::clockFunctions()
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
    const QDateTime asDateTime = now.value.toVariant().toDateTime();
    QVERIFY(qAbs(asDateTime.secsTo(before)) < 5);
    QCOMPARE(date.value.dateValue(), std::floor(now.value.dateValue()));
    QVERIFY(time.value.dateValue() >= 0 && time.value.dateValue() < 1);
    QVERIFY(qAbs(timer.value.singleValue() - before.time().msecsSinceStartOfDay() / 1000.0) < 5 ||
            before.time().hour() == 23);
}

void tst_Functions::iifEvaluatesOnlyTheChosenBranch_data()
{
    columns();
    row("IIf(0 = 0, 0, 10 / 0)", "0", "Integer");
    row("IIf(Null, 1, 2)", "2", "Integer");
    row("IIf(\"true\", \"y\", \"n\")", "y", "String");
    error("IIf(1 = 1, 1 / 0, 0)", "Division by zero");
    error("IIf(\"x\", 1, 2)", "Type mismatch");
    error("IIf(True, 1)", "Wrong number of arguments or invalid property assignment");
}

void tst_Functions::namesAreCaseInsensitive_data()
{
    columns();
    row("iif(TRUE, MID(\"abc\", 2, 1), \"\")", "b", "String");
    row("VBCRLF = vbCrLf", "True", "Boolean");
    row("1 mod 2 AND 1", "1", "Integer");
}

int runFunctionTests(int argc, char **argv)
{
    tst_Functions t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_functions.moc"
