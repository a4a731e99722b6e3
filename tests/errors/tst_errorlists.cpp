// The error and debug lists: an entry's text, the lists and the list window's text.
#include "document/errorentry.h"
#include "document/reportdocument.h"
#include "engine/errorlisttext.h"

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
        doc.addDebugList(QStringLiteral("kept"));
        doc.init();
        QVERIFY(!doc.isErrors() && !doc.lastError());
        QCOMPARE(doc.debugLst, QStringList{QStringLiteral("kept")});
    }
};

QTEST_GUILESS_MAIN(tst_ErrorLists)
#include "tst_errorlists.moc"
