#include "engine/errorlisttext.h"
#include "document/talvoerror.h"

#include <QLocale>
#include <QTest>

class tst_ErrorLists : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void pureTextLayout();
    void pureTextDateFollowsLocale_data();
    void pureTextDateFollowsLocale();
    void entryIsStampedWhenMade();
    void errorListText_data();
    void errorListText();
    void debugListText_data();
    void debugListText();
    void captions();
};

void tst_ErrorLists::pureTextLayout()
{
    talvoError e(QStringLiteral("TalvoDocument"), QStringLiteral("Evaluate"),
                 QStringLiteral("Division by zero"), QStringLiteral("=1/[x] evaluated like: 1/0"));
    e.dateTime = QDateTime(QDate(2024, 3, 9), QTime(14, 5, 7));
    const QString text = e.GetPureText();
    QCOMPARE(text, errorTimeText(e.dateTime)
                       + QStringLiteral(", (TalvoDocument.Evaluate) Division by zero, "
                                        "=1/[x] evaluated like: 1/0"));
}

void tst_ErrorLists::pureTextDateFollowsLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("dateExpected");

    QTest::newRow("German") << "de_DE" << "09.03.24";
    QTest::newRow("US English") << "en_US" << "3/9/24";
}

void tst_ErrorLists::pureTextDateFollowsLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, dateExpected);
    QLocale::setDefault(QLocale(locale));
    const QString text = errorTimeText(QDateTime(QDate(2024, 3, 9), QTime(14, 5, 7)));
    QVERIFY2(text.startsWith(dateExpected + u' '), qPrintable(text));
    // Seconds matter when entries come in quick succession.
    QVERIFY2(text.contains(QStringLiteral("05:07")) || text.contains(QStringLiteral("5:07")),
             qPrintable(text));
    // The zone is noise in a list made on one machine.
    QVERIFY2(!text.contains(QStringLiteral("UTC")) && !text.contains(QStringLiteral("CET")),
             qPrintable(text));
}

void tst_ErrorLists::entryIsStampedWhenMade()
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const talvoError e;
    QVERIFY(e.dateTime >= before);
    QVERIFY(e.dateTime <= QDateTime::currentDateTime());
}

void tst_ErrorLists::errorListText_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<bool>("working");

    QTest::newRow("empty, idle") << 0 << false;
    QTest::newRow("empty, running") << 0 << true;
    QTest::newRow("two entries") << 2 << false;
    QTest::newRow("two entries, running") << 2 << true;
}

void tst_ErrorLists::errorListText()
{
    QFETCH(int, entries);
    QFETCH(bool, working);

    QList<talvoError> list;
    for (int i = 0; i < entries; ++i) {
        list.append(talvoError(QStringLiteral("section"), QStringLiteral("OpenRS"),
                               QStringLiteral("no such table: T%1").arg(i),
                               QStringLiteral("SELECT * FROM T%1").arg(i)));
    }
    QString expected;
    for (const talvoError &e : list)
        expected += QStringLiteral("\r\n") + e.GetPureText() + QStringLiteral("\r\n");
    if (working) {
        expected += QStringLiteral("\r\n\r\nList incomplete, process still running (to refresh "
                                   "close this window and open again)");
    }
    QCOMPARE(::errorListText(list, working), expected);
    if (entries == 2) {
        // Entries are separated by an empty line, oldest first.
        const QStringList lines = ::errorListText(list, false).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines.at(1).endsWith(QStringLiteral("SELECT * FROM T0")));
        QVERIFY(lines.at(2).isEmpty());
        QVERIFY(lines.at(3).endsWith(QStringLiteral("SELECT * FROM T1")));
    }
}

void tst_ErrorLists::debugListText_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("expected");

    QTest::newRow("none") << QStringList() << QString();
    QTest::newRow("one") << QStringList{"createPrintItem, offset calculated : 120"}
                         << "\r\ncreatePrintItem, offset calculated : 120";
    QTest::newRow("two, oldest first") << QStringList{"first run", "second run"}
                                       << "\r\nfirst run\r\nsecond run";
}

void tst_ErrorLists::debugListText()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, expected);
    QCOMPARE(::debugListText(lines), expected);
}

void tst_ErrorLists::captions()
{
    QCOMPARE(debugListCaption(), QStringLiteral("Debug list"));
    QCOMPARE(errorListCaption(), QStringLiteral("Errors list"));
}

int runErrorListsTests(int argc, char **argv)
{
    tst_ErrorLists t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_errorlists.moc"
