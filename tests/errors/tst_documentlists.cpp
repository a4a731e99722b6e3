// The document's error and debug lists as the engine fills them and the
// window shows them.
#include "document/talvodocument.h"
#include "engine/errorlisttext.h"
#include "document/talvoerror.h"

#include <QTest>

class tst_DocumentLists : public QObject
{
    Q_OBJECT

private slots:
    void debugLinesOnlyInDebugMode_data();
    void debugLinesOnlyInDebugMode();
    void errorsInOrderOfAddition();
    void windowTextOfADocument_data();
    void windowTextOfADocument();
    void newDocumentForgetsErrorsButNotDebugLines();
};

void tst_DocumentLists::debugLinesOnlyInDebugMode_data()
{
    QTest::addColumn<bool>("dbg");
    QTest::addColumn<QString>("shown");
    QTest::newRow("off") << false << "";
    QTest::newRow("on, two runs, oldest first") << true << "\r\nrun 1\r\nrun 2";
}

void tst_DocumentLists::debugLinesOnlyInDebugMode()
{
    QFETCH(bool, dbg);
    QFETCH(QString, shown);
    TalvoDocument doc;
    doc.dbg = dbg;
    doc.addDebugList(QStringLiteral("run 1"));
    doc.addDebugList(QStringLiteral("run 2"));
    QCOMPARE(doc.debugLst.isEmpty(), !dbg);
    QCOMPARE(debugListText(doc), shown);
}

void tst_DocumentLists::errorsInOrderOfAddition()
{
    TalvoDocument doc;
    QVERIFY(!doc.isErrors());
    QVERIFY(!doc.lastError());
    doc.addError(talvoError(QStringLiteral("TalvoDocument"), QStringLiteral("RunSQL"),
                            QStringLiteral("first")));
    talvoError second(QStringLiteral("section"), QStringLiteral("OpenRS"));
    second.message = QStringLiteral("second");
    doc.addError(second);
    QVERIFY(doc.isErrors());
    QCOMPARE(doc.errorLst.size(), 2);
    QCOMPARE(doc.errorLst.first().message, QStringLiteral("first"));
    QCOMPARE(doc.lastError()->message, QStringLiteral("second"));
    QCOMPARE(doc.lastError()->function_, QStringLiteral("OpenRS"));
}

void tst_DocumentLists::windowTextOfADocument_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<bool>("working");
    QTest::addColumn<int>("lineBreaks");
    QTest::addColumn<bool>("incomplete");

    QTest::newRow("no errors") << 0 << false << 0 << false;
    QTest::newRow("no errors, running") << 0 << true << 2 << true;
    QTest::newRow("two errors") << 2 << false << 4 << false;
    QTest::newRow("two errors, running") << 2 << true << 6 << true;
}

void tst_DocumentLists::windowTextOfADocument()
{
    QFETCH(int, entries);
    QFETCH(bool, working);
    QFETCH(int, lineBreaks);
    QFETCH(bool, incomplete);
    TalvoDocument doc;
    for (int i = 0; i < entries; ++i)
        doc.addError(talvoError(QStringLiteral("section"), QStringLiteral("OpenRS"),
                                QStringLiteral("m%1").arg(i), QStringLiteral("sql")));
    doc.working = working;
    const QString text = errorListText(doc);
    QCOMPARE(int(text.count(QStringLiteral("\r\n"))), lineBreaks);
    QCOMPARE(text.contains(QStringLiteral("List incomplete, process still running")), incomplete);
    if (entries == 2) {
        QVERIFY(text.startsWith(QStringLiteral("\r\n") + doc.errorLst.at(0).GetPureText() +
                                QStringLiteral("\r\n\r\n") + doc.errorLst.at(1).GetPureText() +
                                QStringLiteral("\r\n")));
    }
}

void tst_DocumentLists::newDocumentForgetsErrorsButNotDebugLines()
{
    TalvoDocument doc;
    doc.dbg = true;
    doc.addError(talvoError(QStringLiteral("section"), QStringLiteral("OpenRS")));
    doc.addDebugList(QStringLiteral("kept"));
    doc.init();
    QVERIFY(!doc.isErrors());
    QVERIFY(!doc.lastError());
    QCOMPARE(doc.debugLst, QStringList{QStringLiteral("kept")});
}

int runDocumentListsTests(int argc, char **argv)
{
    tst_DocumentLists t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_documentlists.moc"
