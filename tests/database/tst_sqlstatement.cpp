// The one-statement rule: a text after ';' never reaches a driver, however
// the dialect of the data source hides it.
#include "testsupport.h"

#include "platform/databaseerror.h"
#include "platform/sqlstatement.h"

#include <QTest>

class tst_SqlStatement : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
};

void tst_SqlStatement::accepted_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("runs");

    QTest::newRow("plain") << "SELECT * FROM t" << "SELECT * FROM t";
    QTest::newRow("final ;") << "SELECT * FROM t;" << "SELECT * FROM t";
    QTest::newRow("final ; and spaces") << "SELECT * FROM t ;  \r\n" << "SELECT * FROM t";
    QTest::newRow("two final ;") << "SELECT 1 FROM t;;" << "SELECT 1 FROM t";
    QTest::newRow("comment after ;") << "SELECT 1 FROM t; -- done" << "SELECT 1 FROM t";
    QTest::newRow("block comment after ;") << "SELECT 1 FROM t; /* x; y */" << "SELECT 1 FROM t";
    QTest::newRow("; in a string") << "SELECT * FROM t WHERE a = 'x;y'"
                                   << "SELECT * FROM t WHERE a = 'x;y'";
    QTest::newRow("; in a doubled-quote string") << "SELECT * FROM t WHERE a = 'it''s;'"
                                                 << "SELECT * FROM t WHERE a = 'it''s;'";
    QTest::newRow("; in double quotes") << "SELECT \"a;b\" FROM t" << "SELECT \"a;b\" FROM t";
    QTest::newRow("; in backquotes") << "SELECT `a;b` FROM t" << "SELECT `a;b` FROM t";
    QTest::newRow("; in a comment") << "SELECT 1 -- a; b\nFROM t" << "SELECT 1 -- a; b\nFROM t";
    QTest::newRow("brackets without ;") << "SELECT [Order ID] FROM [Order Details]"
                                        << "SELECT [Order ID] FROM [Order Details]";
    QTest::newRow("empty") << "" << "";
}

void tst_SqlStatement::accepted()
{
    QFETCH(QString, sql);
    QFETCH(QString, runs);
    QCOMPARE(SqlStatement::single(sql), runs);
    QCOMPARE(SqlStatement::secondStatementAt(sql), qsizetype(-1));
}

void tst_SqlStatement::refused_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("at");

    QTest::newRow("DELETE after SELECT") << "SELECT * FROM t; DELETE FROM t" << 15;
    QTest::newRow("no space") << "SELECT * FROM t;DELETE FROM t" << 15;
    QTest::newRow("after a string") << "SELECT 'a;b' FROM t; DROP TABLE t" << 19;
    QTest::newRow("after a comment") << "SELECT 1 /* ; */ FROM t; DELETE FROM t" << 23;
    // MySQL reads 'x\'' as one string: the ';' after it separates.
    QTest::newRow("MySQL backslash escape") << "SELECT 'x\\''; DELETE FROM t; -- '" << 12;
    // Standard SQL ends the string at the second quote.
    QTest::newRow("backslash is no escape") << "SELECT 'a\\'; DELETE FROM t; --'" << 11;
    // MySQL needs a space after "--" for a comment.
    QTest::newRow("MySQL --x is no comment") << "SELECT 1 --x; DELETE FROM t" << 12;
    // MySQL runs the inside of /*! … */.
    QTest::newRow("MySQL executable comment") << "SELECT 1 /*! ; DELETE FROM t */" << 13;
    // PostgreSQL nests comments: the ';' after the first "*/" is still inside.
    QTest::newRow("PostgreSQL nested comment") << "SELECT 1 /* /* */ ; DELETE FROM t */" << 18;
    // For other dialects $$…$$ is no string.
    QTest::newRow("dollar quote") << "SELECT $$; DELETE FROM t; $$" << 9;
    // Brackets quote names only in some dialects.
    QTest::newRow("bracket hides ;") << "SELECT a[1] FROM t [; DELETE FROM t]" << 20;
    QTest::newRow("COMMIT trick") << "SELECT 1; COMMIT; SET x = 1; DELETE FROM t" << 8;
}

void tst_SqlStatement::refused()
{
    QFETCH(QString, sql);
    QFETCH(int, at);
    QCOMPARE(SqlStatement::secondStatementAt(sql), qsizetype(at));
    try {
        SqlStatement::single(sql);
        QFAIL("a second statement was let through");
    } catch (const DatabaseError &e) {
        QVERIFY2(e.description().contains(QString::number(at + 1)), qPrintable(e.description()));
    }
}

MIRT_REGISTER_TEST(tst_SqlStatement)
#include "tst_sqlstatement.moc"
