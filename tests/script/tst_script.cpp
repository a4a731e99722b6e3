#include "program/evalcommand.h"
#include "engine/scriptconvert.h"
#include "engine/scriptevaluator.h"
#include "scripttable.h"

#include <QDateTime>
#include <QLocale>
#include <QTest>

// Expression tables: each row is what VBScript gives for the expression, as
// its CStr text and TypeName, or as its error description.
class tst_Script : public QObject
{
    Q_OBJECT

private slots:
    void literals_data();
    void literals() { check(); }
    void arithmetic_data();
    void arithmetic() { check(); }
    void comparisonAndLogic_data();
    void comparisonAndLogic() { check(); }
    void syntaxErrors_data();
    void syntaxErrors() { check(); }
    void evalCommand_data();
    void evalCommand();
    void databaseValues_data();
    void databaseValues();

private:
    static void columns();
    static void row(const char *expression, const char *text, const char *type);
    static void error(const char *expression, const char *description);
    static void check();
};

void tst_Script::columns()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("error");
}

void tst_Script::row(const char *expression, const char *text, const char *type)
{
    QTest::newRow(expression) << QString::fromUtf8(expression) << QString::fromUtf8(text)
                              << QString::fromUtf8(type) << QString();
}

void tst_Script::error(const char *expression, const char *description)
{
    QTest::newRow(expression) << QString::fromUtf8(expression) << QString() << QString()
                              << QString::fromUtf8(description);
}

void tst_Script::check()
{
    QFETCH(QString, expression);
    QFETCH(QString, text);
    QFETCH(QString, type);
    QFETCH(QString, error);
    const ScriptResult r = ScriptEvaluator(QLocale::c()).evaluate(expression);
    if (!error.isEmpty()) {
        QVERIFY2(!r.ok(), qPrintable(cstr(r.value, QLocale::c())));
        QCOMPARE(r.error.description, error);
        return;
    }
    QVERIFY2(r.ok(), qPrintable(r.error.description));
    QCOMPARE(cstr(r.value, QLocale::c()), text);
    QCOMPARE(r.value.typeName(), type);
}

void tst_Script::literals_data()
{
    columns();
    row("32767", "32767", "Integer");
    row("32768", "32768", "Long");
    row("-32768", "-32768", "Long");
    row("2147483647", "2147483647", "Long");
    row("2147483648", "2147483648", "Double");
    row(".5", "0.5", "Double");
    row("1e3", "1000", "Double");
    row("1E15", "1E+15", "Double");
    row("0.00001", "1E-05", "Double");
    row("1/3", "0.333333333333333", "Double");
    row("&HFF", "255", "Integer");
    row("&HFFFF", "-1", "Integer");
    row("&H10000", "65536", "Long");
    row("\"a\"\"b\"", "a\"b", "String");
    row("#1/2/2000#", "1/2/2000", "Date");
    row("#2000-01-02 13:05:09#", "1/2/2000 1:05:09 PM", "Date");
    row("#13:05#", "1:05:00 PM", "Date");
    row("Empty", "", "Empty");
    row("Null", "", "Null");
    error("\"abc", "Unterminated string constant");
    error("#1/2/2000", "Syntax error");
    error("1E999", "Overflow");
    error("[Price]", "Variable is undefined");
    error("1 ? 2", "Invalid character");
}

void tst_Script::arithmetic_data()
{
    columns();
    row("32767+1", "32768", "Long");
    row("2147483647+1", "2147483648", "Double");
    row("200*200", "40000", "Long");
    row("CByte(200)+CByte(55)", "255", "Byte");
    row("CByte(200)+CByte(56)", "256", "Integer");
    row("True+True", "-2", "Integer");
    row("CSng(1.5)+40000", "40001.5", "Double");
    row("CCur(1.5)*3", "4.5", "Currency");
    row("CCur(0.1)+CCur(0.2)", "0.3", "Currency");
    row("\"1\"+1", "2", "Double");
    row("Empty+\"x\"", "x", "String");
    row("Null+1", "", "Null");
    row("7\\2", "3", "Integer");
    row("-7\\2", "-3", "Integer");
    row("7.5\\2", "4", "Long");
    row("-7 Mod 3", "-1", "Integer");
    row("5.5 Mod 2", "0", "Long");
    row("-2^2", "-4", "Double");
    row("2^3^2", "64", "Double");
    row("-(-32768)", "32768", "Long");
    row("2*3 Mod 4", "2", "Integer");
    row("7\\2*2", "1", "Integer");
    row("1 & 2 + 3", "15", "String");
    row("\"a\" & Null", "a", "String");
    row("Null & Null", "", "Null");
    row("#1/1/2000# + 1", "1/2/2000", "Date");
    row("#1/3/2000# - #1/1/2000#", "2", "Double");
    row("#1/1/2000# - 0.5", "12/31/1999 12:00:00 PM", "Date");
    error("1/0", "Division by zero");
    error("0/0", "Overflow");
    error("1\\0", "Division by zero");
    error("\"abc\"+1", "Type mismatch");
    error("1E308*10", "Overflow");
    error("CCur(900000000000000)*100", "Overflow");
    error("(-8)^(1/3)", "Invalid procedure call or argument");
    error("3000000000\\1", "Overflow");
    error("#12/31/9999# + 1", "Overflow");
}

void tst_Script::comparisonAndLogic_data()
{
    columns();
    row("\"a\"=\"A\"", "False", "Boolean");
    row("\"B\"<\"a\"", "True", "Boolean");
    row("\"1\"=1", "True", "Boolean");
    row("Len(\"ab\")=\"2\"", "True", "Boolean");
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
}

void tst_Script::syntaxErrors_data()
{
    columns();
    error("", "Syntax error");
    error("(1", "Expected ')'");
    error("1)", "Syntax error");
    error("1 2", "Expected end of statement");
    error("1 +", "Syntax error");
    error("Len(\"a\"", "Expected ')'");
    error("Len(\"a\", 2)", "Wrong number of arguments or invalid property assignment");
    error("Now(1)", "Wrong number of arguments or invalid property assignment");
    error("[unterminated", "Expected ']'");
    error("CreateObject(\"WScript.Shell\")", "Variable is undefined");
    error("x = 1 : y = 2", "Invalid character");
    error(QByteArray(1000, '(').append('1').append(QByteArray(1000, ')')).constData(),
          "Out of stack space");
}

void tst_Script::evalCommand_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("slash and spaces") << "10 / 4" << 0 << "2.5\n"
                                      << "";
    QTest::newRow("date in C locale") << "#3/4/2001#" << 0 << "3/4/2001\n"
                                      << "";
    QTest::newRow("null prints empty") << "Null" << 0 << "\n"
                                       << "";
    QTest::newRow("division by zero") << "1/0" << 3 << ""
                                      << "Division by zero\n";
    QTest::newRow("syntax") << "1 +" << 3 << ""
                            << "Syntax error\n";
}

void tst_Script::evalCommand()
{
    QFETCH(QString, expression);
    QFETCH(int, status);
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    QCOMPARE(runEvalCommand(expression, outStream, errStream), status);
    outStream.flush();
    errStream.flush();
    QTEST(out, "out");
    QTEST(err, "err");
}

void tst_Script::databaseValues_data()
{
    QTest::addColumn<QVariant>("variant");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("back");
    QTest::newRow("invalid is Empty") << QVariant() << "Empty"
                                      << "" << QVariant();
    QTest::newRow("null int is Null") << QVariant(QMetaType::fromType<int>()) << "Null"
                                      << "" << QVariant(QMetaType::fromType<QString>());
    QTest::newRow("bool") << QVariant(true) << "Boolean"
                          << "True" << QVariant(true);
    QTest::newRow("int") << QVariant(42) << "Long"
                         << "42" << QVariant(42);
    QTest::newRow("short") << QVariant::fromValue<short>(7) << "Integer"
                           << "7" << QVariant::fromValue<short>(7);
    QTest::newRow("big integer") << QVariant(qlonglong(1) << 40) << "Double"
                                 << "1099511627776" << QVariant(1099511627776.0);
    QTest::newRow("date") << QVariant(QDate(2001, 3, 4)) << "Date"
                          << "3/4/2001" << QVariant(QDateTime(QDate(2001, 3, 4), QTime(0, 0)));
    QTest::newRow("date and time")
        << QVariant(QDateTime(QDate(1899, 12, 29), QTime(6, 0))) << "Date"
        << "12/29/1899 6:00:00 AM" << QVariant(QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    QTest::newRow("bytes become text") << QVariant(QByteArray("xy")) << "String"
                                       << "xy" << QVariant(QStringLiteral("xy"));
}

void tst_Script::databaseValues()
{
    QFETCH(QVariant, variant);
    const ScriptValue v = ScriptValue::fromVariant(variant);
    QTEST(v.typeName(), "type");
    QTEST(cstr(v, QLocale::c()), "text");
    QTEST(v.toVariant(), "back");
}

int runScriptTests(int argc, char **argv)
{
    tst_Script t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_script.moc"
