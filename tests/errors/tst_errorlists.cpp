// The error and debug lists: an entry's text, the lists and the list window's text.
#include "document/errorentry.h"
#include "document/reportdocument.h"
#include "engine/errorlisttext.h"
#include "engine/reportrun.h"

#include <QLocale>
#include <QTest>

class tst_ErrorLists : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // An entry's time: the reader's short date, with seconds, without the zone.
    void pureText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("date");
        QTest::newRow("German") << QStringLiteral("de_DE") << QStringLiteral("09.03.24");
        QTest::newRow("US English") << QStringLiteral("en_US") << QStringLiteral("3/9/24");
    }
    void pureText()
    {
        QFETCH(QString, locale);
        QFETCH(QString, date);
        QLocale::setDefault(QLocale(locale));
        ErrorEntry e(QStringLiteral("TalvoDocument"), QStringLiteral("Evaluate"),
                     QStringLiteral("Division by zero"),
                     QStringLiteral("=1/[x] evaluated like: 1/0"));
        e.dateTime = QDateTime(QDate(2024, 3, 9), QTime(14, 5, 7));
        const QString time = errorTimeText(e.dateTime);
        QVERIFY2(time.startsWith(date + u' ') && time.contains(QStringLiteral("5:07")) &&
                     !time.contains(QStringLiteral("UTC")) && !time.contains(QStringLiteral("CET")),
                 qPrintable(time));
        QCOMPARE(e.pureText(), time + QStringLiteral(", (TalvoDocument.Evaluate) Division by zero, "
                                                     "=1/[x] evaluated like: 1/0"));
    }

    void errorsInOrderOfAddition()
    {
        ReportDocument doc;
        QVERIFY(!doc.isErrors() && !doc.lastError());
        doc.addError(ErrorEntry(QStringLiteral("TalvoDocument"), QStringLiteral("RunSQL"),
                                QStringLiteral("first")));
        ErrorEntry second(QStringLiteral("section"), QStringLiteral("OpenRS"));
        second.message = QStringLiteral("second");
        doc.addError(second);
        QVERIFY(doc.isErrors());
        QCOMPARE(doc.errorLst.size(), 2);
        QCOMPARE(doc.errorLst.first().message, QStringLiteral("first"));
        QCOMPARE(doc.lastError()->function_, QStringLiteral("OpenRS"));
        // Debug lines are kept only in debug mode; a new document forgets its errors, not them.
        doc.addDebugList(QStringLiteral("dropped"));
        doc.dbg = true;
        doc.addDebugList(QStringLiteral("run 1"));
        doc.addDebugList(QStringLiteral("run 2"));
        doc.init();
        QVERIFY(!doc.isErrors() && !doc.lastError());
        // The debug window's text: each line after a line break, oldest first.
        QCOMPARE(::debugListText(doc), QStringLiteral("\r\nrun 1\r\nrun 2"));
    }

    // The window's text: each entry between line breaks, an empty line
    // between entries, oldest first; the note while a run goes on.
    void errorListText_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("working");
        QTest::newRow("empty, idle") << 0 << false;
        QTest::newRow("two entries, running") << 2 << true;
    }
    void errorListText()
    {
        QFETCH(int, entries);
        QFETCH(bool, working);
        ReportDocument doc;
        doc.run().working = working;
        QString expected;
        for (int i = 0; i < entries; ++i) {
            doc.addError(ErrorEntry(QStringLiteral("section"), QStringLiteral("OpenRS"),
                                    QStringLiteral("no such table: T%1").arg(i),
                                    QStringLiteral("SELECT * FROM T%1").arg(i)));
            expected +=
                QStringLiteral("\r\n") + doc.errorLst.last().pureText() + QStringLiteral("\r\n");
        }
        if (working) {
            expected += QStringLiteral("\r\n\r\nList incomplete, process still running (to "
                                       "refresh close this window and open again)");
        }
        QCOMPARE(::errorListText(doc), expected);
    }
};

QTEST_GUILESS_MAIN(tst_ErrorLists)
#include "tst_errorlists.moc"
