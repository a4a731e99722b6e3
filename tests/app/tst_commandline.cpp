#include "../datafixtures.h"
#include "document/reportdocument.h"
#include "platform/settings.h"
#include "program/commandline.h"
#include "program/exitstatus.h"
#include "program/headlesscommands.h"

#include <QStandardPaths>
#include <QTextStream>

namespace {

#define DEMO MIRT_BINARY_DIR "/bin/demo.xml"
#define MIRT MIRT_BINARY_DIR "/bin/mirt"

// One data section of `sql` on the SQLite file `db` (beside the report),
// one record to a line, about 25 lines a page.
QByteArray listReport(const QString &db, const QString &sql)
{
    return QStringLiteral(
               "<MIRTDOCUMENT xmlns=\"http://mirt.talvo.org/schemas/mirt1\" docName=\"Big\" "
               "unit=\"7\" paperType=\"9\" pageWidth=\"21\" pageHeight=\"29.7\" "
               "connectionString=\"Provider=SQLite;Data Source=%1\">"
               "<SECTION name=\"Rows\" type=\"0\" height=\"1\" SQL=\"%2\" mode=\"0\" "
               "sectionParent=\"0\" dataSectionNumber=\"1\" pageBreakAfter=\"false\" "
               "visible=\"true\"><ITEM x=\"1\" y=\"0.2\" width=\"4\" "
               "height=\"0.5\">[Rows].[x]</ITEM></SECTION></MIRTDOCUMENT>")
        .arg(db, sql)
        .toUtf8();
}

// The real program, with or without a display.
ProgramRun runIn(const QString &arguments, bool display = true)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!display) {
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
    }
    return runProgram(QStringLiteral(MIRT), arguments.split(u'|'), QString(), env);
}

ProgramRun runHeadless(const QString &arguments)
{
    ProgramRun run;
    QTextStream out(&run.out), err(&run.err);
    ReportDocument document;
    run.status = runHeadlessCommand(CommandLine::fromArguments(arguments.split(u'|')), document,
                                    out, err, QString());
    err.flush();
    return run;
}

// The arguments, the option read and its value, a flag and whether it is set.
using Arguments = std::tuple<QStringList, QString, QString, QString, bool>;
// The report, the output option, the limit and whether a file is there already.
using Limit = std::tuple<QString, QString, QString, bool>;
// The arguments, whether there is a display, the status and a part of the message.
using Ending = std::tuple<QString, bool, int, QString>;

} // namespace

class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    // Capitals, quotes, "/p" against "/dp" and the cut at a slash go through
    // the same reading in the start-up tests.
    void optionValues_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("against its value") << "/fx.xml" << QString();
        QTest::newRow("backslash path") << "/f C:\\r\\demo.xml /p" << QString("C:\\r\\demo.xml");
        QTest::newRow("at the end, no value") << "/e /f" << QString();
    }
    void optionValues()
    {
        QFETCH(QString, line);
        QTEST(optionValue(line, QStringLiteral("f")), "expected");
    }
    void textHelpers()
    {
        QVERIFY(!fileExists(QString()));
        QVERIFY(!fileExists(QDir::tempPath()));
        // The settings section of a program folder is one level deep.
        QCOMPARE(settingsSection("/opt/mirt/bin"), QStringLiteral("-opt-mirt-bin"));
        QVERIFY(!settingsSection("C:\\Mirt").contains('\\'));
    }
    void argumentsKeepWholeFileNames_data()
    {
        QTest::addColumn<Arguments>("row");
        const auto row = [](const char *name, const Arguments &r) { QTest::newRow(name) << r; };
        row("path with spaces",
            {{"/F", "/tmp/my reports/a b.xml", "/p"}, "f", "/tmp/my reports/a b.xml", "p", true});
        row("path holding /p ", {{"/f", "/tmp/x /p y.xml"}, "f", "/tmp/x /p y.xml", "p", false});
        row("expression with slash",
            {{"/eval", "1/2 & \" /e \""}, "eval", "1/2 & \" /e \"", "e", false});
        // What a file manager passes: the report alone opens in the designer.
        row("lone file", {{"/home/me/my report.xml"}, "f", "/home/me/my report.xml", "e", true});
        row("lone option", {{"/info"}, "f", "", "e", false});
    }
    void argumentsKeepWholeFileNames()
    {
        QFETCH(Arguments, row);
        const auto &[args, option, value, flag, flagSet] = row;
        const CommandLine cl = CommandLine::fromArguments(args);
        QCOMPARE(cl.value(option), value);
        QCOMPARE(cl.has(flag), flagSet);
    }
    // A table of 100 numbers: its cross joins are a million rows (three) and ten
    // billion (five). The tests run from the scratch folder.
    void initTestCase()
    {
        QVERIFY(scratch().isValid());
        QVERIFY(QDir::setCurrent(scratch().path()));
        QCOMPARE(createSqlite(QStringLiteral("big.db"),
                              {"CREATE TABLE t (n INTEGER)",
                               "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c "
                               "WHERE n < 100) INSERT INTO t SELECT n FROM c"}),
                 QString());
        QVERIFY(saveBytes(
            QStringLiteral("million.xml"),
            listReport("big.db", "SELECT a.n AS x, b.n AS y, c.n AS z FROM t a, t b, t c")));
        // SQLite works long before this one's only row.
        QVERIFY(
            saveBytes(QStringLiteral("count.xml"),
                      listReport("big.db", "SELECT count(*) AS x FROM t a, t b, t c, t d, t e")));
        // Terminal controls (C0 and C1) on the line the parser stops at.
        QByteArray binary("<MIRTDOCUMENT \x1b[2J \xc2\x9b"
                          "31m \x01\xff\xfe");
        for (int i = 0; i < 4096; ++i)
            binary.append(char(i * 7 % 256));
        QVERIFY(saveBytes(QStringLiteral("binary.xml"), binary));
    }
    // A value the command line cannot use is named, and nothing is written.
    void usageErrors_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("named");

        const QString pdf = QStringLiteral("/f|" DEMO "|/pdf|usage.pdf|");
        const auto row = [](const char *tag, const QString &arguments, const char *named) {
            QTest::newRow(tag) << arguments << QString(named);
        };
        row("pages 0", pdf + "/pages|0", "/pages");
        row("pages backwards", pdf + "/pages|5-2", "/pages");
        row("pages not a number", pdf + "/pages|abc", "/pages");
        row("range past the end", pdf + "/pages|40-999", "/pages 40-999: the report has only");
        row("dpi not a number", "/f|" DEMO "|/png|pngs|/dpi|abc", "/dpi");
        row("html page 0", "/f|" DEMO "|/html|x.html|/page|0", "/page");
        row("html page past the end", "/f|" DEMO "|/html|x.html|/page|999", "/page 999");
        row("misspelt option", pdf + "/pags|2-5", "/pags");
        row("maxpages 0", pdf + "/maxpages|0", "/maxpages");
        row("timeout negative", pdf + "/timeout|-1", "/timeout");
        row("pdf without a name", "/f|" DEMO "|/pdf", "/pdf");
        row("csv separator unknown", pdf + "/csv|usage.csv|/csvsep|x", "/csvsep");
        row("f without a name", "/pdf|usage.pdf|/f", "/f");
        row("info without a report", "/info", "/f FILE");
    }
    void usageErrors()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, named);
        const ProgramRun run = runHeadless(arguments);
        QCOMPARE(run.status, int(ExitUsage));
        QVERIFY2(run.err.contains(named), qPrintable(run.err));
        for (const char *name : {"usage.pdf", "usage.csv", "x.html"})
            QVERIFY2(!QFile::exists(name), name);
        QVERIFY(!QFile::exists(QStringLiteral("pngs")) || QDir(QStringLiteral("pngs")).isEmpty());
    }
    // A run past its bound writes nothing and leaves a file already there alone.
    void runLimits_data()
    {
        QTest::addColumn<Limit>("row");
        const auto row = [](const char *name, const Limit &r) { QTest::newRow(name) << r; };
        row("maxpages, pdf", {"million.xml", "/pdf", "/maxpages|50", false});
        row("maxpages, html over a file", {"million.xml", "/html", "/maxpages|50", true});
        row("timeout, pdf over a file", {"million.xml", "/pdf", "/timeout|0.5", true});
        // Ten billion rows to count: only breaking off the query ends it.
        row("timeout inside a query", {"count.xml", "/pdf", "/timeout|0.5", false});
        row("timeout of check", {"count.xml", "/check", "/timeout|0.5", false});
    }
    void runLimits()
    {
        QFETCH(Limit, row);
        auto [report, output, limit, existing] = row;
        const QString target = QStringLiteral("limited.") + output.mid(1);
        const QByteArray before = "earlier content, not to be touched";
        QFile::remove(target);
        if (existing)
            QVERIFY(saveBytes(target, before));
        QString arguments = QStringLiteral("/f|%1|%2|").arg(report, output);
        if (output != QLatin1String("/check"))
            arguments += target + u'|';
        const ProgramRun run = runIn(arguments + limit);
        QCOMPARE(run.status, int(ExitLimitReached));
        QVERIFY2(run.err.contains(limit.replace(u'|', u' ')), qPrintable(run.err));
        if (existing)
            QCOMPARE(bytesIn(target), before);
        else
            QVERIFY(!QFileInfo(target).isFile() &&
                    (!QFileInfo(target).isDir() || QDir(target).isEmpty()));
    }
    // The program ends with a readable message, never waiting for an unseen window.
    void programEnds_data()
    {
        QTest::addColumn<Ending>("row");
        const auto row = [](const char *name, const Ending &r) { QTest::newRow(name) << r; };
        row("dhp, missing report", {"/f|nowhere.xml|/dhp", true, 1, "nowhere.xml"});
        row("dhp without a report", {"/dhp", true, ExitUsage, "/f FILE"});
        row("dhp, misspelt option", {"/f|" DEMO "|/dhp|/pags|2-5", true, ExitUsage, "/pags"});
        row("dhp over its page limit",
            {"/f|million.xml|/dhp|/maxpages|50", true, ExitLimitReached, "/maxpages 50"});
        row("f without a value, no display", {"/f", false, ExitUsage, "/f needs a report file"});
        row("designer without a display", {"/f|" DEMO "|/e", false, ExitUsage, "no display"});
        row("binary report", {"/f|binary.xml|/pdf|binary.pdf", true, 1, "format is not correct"});
    }
    void programEnds()
    {
        QFETCH(Ending, row);
        const auto &[arguments, display, status, message] = row;
        const ProgramRun run = runIn(arguments, display);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        // Readable text only: no undecodable bytes of a binary file, no terminal controls.
        for (const QChar c : run.err)
            QVERIFY2(c != QChar::ReplacementCharacter &&
                         (c.category() != QChar::Other_Control || c == u'\n' || c == u'\r'),
                     qPrintable(run.err));
        QVERIFY(!QFile::exists(QStringLiteral("binary.pdf")));
    }
    // On a terminal the progress line is rewritten a few times a second, not for
    // each of 20,000 records, and ends with the final count.
    void progressOnATerminal()
    {
        const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
        if (script.isEmpty())
            QSKIP("script (util-linux) runs the program on a terminal");
        QByteArray report = listReport("big.db", "SELECT a.n AS x FROM t a, t b, t c LIMIT 20000");
        report.replace("visible=\"true\"", "visible=\"false\"");
        QVERIFY(saveBytes(QStringLiteral("progress.xml"), report));
        const ProgramRun shown =
            runProgram(script, {"-qec", MIRT " /f progress.xml /pdf progress.pdf", "/dev/null"});
        QCOMPARE(shown.status, 0);
        QVERIFY2(shown.out.contains("records 20000 of 20000, pages 1"), qPrintable(shown.out));
        QVERIFY2(shown.out.count(u'\r') < 200, qPrintable(shown.out));
    }
};

// Running reports measures text, which needs the GUI application.
QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
