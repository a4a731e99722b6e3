#include "../datafixtures.h"
#include "document/reportdocument.h"
#include "document/userinteraction.h"
#include "platform/settings.h"
#include "program/headlesscommands.h"
#include "program/startup.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

// Records which window start-up asked for and with which flags.
class RecordingWindows : public StartupWindows
{
public:
    QString welcomeAnswer;
    int welcomeShown = 0;
    QStringList opened; // "designer" or "preview p d h" with the flags as 0/1
    bool loadedWhenOpened = false;
    QString fileNameWhenOpened;

    QString showWelcome(bool &) override
    {
        ++welcomeShown;
        return welcomeAnswer;
    }
    int openDesigner(ReportDocument &document) override
    {
        record(document);
        opened << QStringLiteral("designer");
        return kRunEventLoop;
    }
    int printPreview(ReportDocument &document, bool &thenPrint, bool &showDialog,
                     bool &hide) override
    {
        record(document);
        opened << QString::asprintf("preview %d %d %d", thenPrint, showDialog, hide);
        return kRunEventLoop;
    }

private:
    void record(ReportDocument &document)
    {
        fileNameWhenOpened = document.fileName;
        loadedWhenOpened = document.docName == QLatin1String("Loaded report");
    }
};

const char kReport[] =
    "<MIRTDOCUMENT xmlns=\"http://mirt.talvo.org/schemas/mirt1\" docName=\"Loaded report\" "
    "unit=\"7\">"
    "<SECTION name=\"Customers\" type=\"0\" height=\"1.5\" SQL=\"SELECT * FROM Customers\" "
    "mode=\"0\" "
    "sectionParent=\"0\" dataSectionNumber=\"1\" pageBreakAfter=\"false\" visible=\"true\">"
    "<ITEM x=\"1\" y=\"0.5\" width=\"4\" "
    "height=\"0.5\">[Customers].[Name]</ITEM></SECTION></MIRTDOCUMENT>";

#define DEMO MIRT_BINARY_DIR "/bin/demo.xml"

// The command line, whether the report was loaded, the debug flag, and the
// window opened ("" for none).
using Chosen = std::tuple<QString, bool, bool, QString>;
// The arguments joined with "|", a part of the standard output, the status
// and a part of the error output.
using Headless = std::tuple<QString, QString, int, QString>;

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    QTemporaryDir m_dir;        // the folder the program is started from
    QTemporaryDir m_programDir; // the program's own folder
    ScriptedInteraction m_interaction;
    QString m_savedCwd;

    // Runs the arguments "a|b c" = {"a", "b c"} without a window.
    ProgramRun runHeadless(const QString &joined)
    {
        ProgramRun run;
        QTextStream out(&run.out), err(&run.err);
        ReportDocument document;
        run.status = runHeadlessCommand(CommandLine::fromArguments(joined.split(u'|')), document,
                                        out, err, m_programDir.path());
        out.flush();
        err.flush();
        return run;
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        m_savedCwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QVERIFY(saveBytes(m_dir.filePath(QStringLiteral("here.xml")), kReport));
        QVERIFY(saveBytes(m_dir.filePath(QStringLiteral("with space.xml")), kReport));
        QVERIFY(saveBytes(m_programDir.filePath(QStringLiteral("demo.xml")), kReport));
        // The folder the program is started from wins over the program's own.
        QVERIFY(saveBytes(m_programDir.filePath(QStringLiteral("here.xml")), "<MIRTDOCUMENT/>"));
        QVERIFY(saveBytes(m_dir.filePath(QStringLiteral("broken.xml")), "<MIRTDOCUMENT><SECTION"));
    }
    void cleanupTestCase() { QDir::setCurrent(m_savedCwd); }
    void init()
    {
        m_interaction = ScriptedInteraction();
        UserInteraction::setCurrent(&m_interaction);
    }
    void cleanup() { UserInteraction::setCurrent(nullptr); }

    void windowsChosen_data()
    {
        QTest::addColumn<Chosen>("row");
        const auto row = [](const char *name, const Chosen &r) { QTest::newRow(name) << r; };
        row("no file", {"", false, false, "designer"});
        row("dbg alone", {"/dbg", false, true, "designer"});
        row("preview only", {"/f here.xml", true, false, "preview 0 1 0"});
        row("designer wins over print", {"/f here.xml /p /e", true, false, "designer"});
        row("print with dialog", {"/f here.xml /p", true, false, "preview 1 1 0"});
        row("hidden print", {"/f here.xml /dhp", true, false, "preview 1 0 1"});
        row("capitals and quotes",
            {"/F \"with space.xml\" /DP /DEBUG", true, true, "preview 1 0 0"});
        row("program folder", {"/f demo.xml /e", true, false, "designer"});
        row("cut at the slash", {"/f sub/here.xml", false, false, "designer"});
        row("broken file still opens", {"/f broken.xml", false, false, "preview 0 1 0"});
        row("broken file, hidden print", {"/f broken.xml /dhp", false, false, ""});
        row("missing file", {"/f gone.xml /p", false, false, "designer"});
        row("missing file, hidden print", {"/f gone.xml /dhp", false, false, ""});
        // Nobody would see the designer, and the program would never end.
        row("hidden print wins over designer",
            {"/f here.xml /e /dhp", true, false, "preview 1 0 1"});
    }
    void windowsChosen()
    {
        QFETCH(Chosen, row);
        const auto &[commandLine, loaded, debug, window] = row;

        QVERIFY(!isHeadlessCommand(CommandLine::fromText(commandLine)));
        ReportDocument document;
        RecordingWindows windows;
        int ends = 0;
        connect(&document, &ReportDocument::goEnd, this, [&ends] { ++ends; });
        const int status = processCommandLine(CommandLine::fromText(commandLine), document, windows,
                                              m_programDir.path());
        // A file that could not be read is said once; a missing one by name.
        QCOMPARE(m_interaction.shown.size(), int(!loaded && commandLine.contains("/f")));
        if (commandLine.contains(QLatin1String("gone.xml")))
            QCOMPARE(m_interaction.shown.at(0).text,
                     QStringLiteral("this file is not existing: \r\ngone.xml"));
        if (window.isEmpty()) {
            QCOMPARE(status, 1); // nothing to print: the program ends
            QVERIFY(windows.opened.isEmpty());
            return;
        }
        // A print without a window ends the program with its status.
        QCOMPARE(status, window.endsWith(QLatin1String(" 1")) ? 0 : kRunEventLoop);
        QCOMPARE(windows.opened, QStringList{window});
        QCOMPARE(windows.loadedWhenOpened, loaded);
        // A file that could not be read is not the document's: a save would
        // write over it.
        QCOMPARE(windows.fileNameWhenOpened.isEmpty(), !loaded);
        QCOMPARE(document.dbg, debug);
        // Only the hidden print asks the program to end once it is done.
        QCOMPARE(ends, int(window == QLatin1String("preview 1 0 1")));
    }

    // The first start and the "never" setting are tested with the real dialog.
    void welcomeDialog_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("start"); // the setting
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("chosen");
        const QString demo = QStringLiteral("/f \"demo.xml\" /e");
        QTest::newRow("blanks only") << QStringList{"   "} << "" << 1 << demo;
        QTest::newRow("arguments skip the dialog") << QStringList{"/e"} << "" << 0 << "/e";
        QTest::newRow("never again") << QStringList{} << "never" << 0 << "";
    }
    void welcomeDialog()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, start);
        writeSetting(startSettingKey(), start);
        RecordingWindows windows;
        windows.welcomeAnswer = QStringLiteral("/f \"demo.xml\" /e");
        const CommandLine line = chooseCommandLine(CommandLine::fromArguments(arguments), windows);
        QTEST(windows.welcomeShown, "shown");
        QTEST(line.text().trimmed(), "chosen");
        QCOMPARE(readSetting(startSettingKey(), QString()), start);
    }

    void headless_data()
    {
        QTest::addColumn<Headless>("row");
        const auto row = [](const char *name, const Headless &r) { QTest::newRow(name) << r; };
        row("help", {"/help", "/saveas FILE", 0, ""});
        row("question mark", {"/?", "/info", 0, ""});
        row("info, capitals",
            {"/F|here.xml|/INFO", "Section d1: data section \"Customers\", height 1.5", 0, ""});
        row("info item",
            {"/f|demo.xml|/info", "item k1 at 1, 0.5 size 4 x 0.5: \"[Customers].[Name]\"", 0, ""});
        row("info broken", {"/f|broken.xml|/info", "", 1, "broken.xml"});
        row("info missing", {"/f|gone.xml|/info", "", 1, "this file is not existing: gone.xml"});
        row("eval", {"/eval|7 \\ 2 & \"/\" & 1.5", "3/1.5", 0, ""});
        row("eval error", {"/eval|1/0", "", 3, "Division by zero"});
        row("check demo", {"/f|" DEMO "|/check", "d4 Order lines\n  OK", 0, ""});
        row("check charts",
            {"/f|" MIRT_BINARY_DIR "/bin/demo graph.xml|/check", "  chart k3\n    OK, ", 0, ""});
        row("html all pages", {"/f|" DEMO "|/html|all.html|/allpages", "", 0, ""});
        row("html no connection",
            {"/f|here.xml|/html|x.html", "", 2, "Impossible to open the connection"});
    }
    void headless()
    {
        QFETCH(Headless, row);
        const auto &[joined, inOut, status, inErr] = row;
        UserInteraction::setCurrent(nullptr);
        QVERIFY(isHeadlessCommand(CommandLine::fromArguments(joined.split(u'|'))));
        const ProgramRun run = runHeadless(joined);
        QCOMPARE(run.status, status);
        QVERIFY2(run.out.contains(inOut), qPrintable(run.out));
        QVERIFY2(run.err.contains(inErr) || status == 1, qPrintable(run.err));
        if (status != 0)
            QVERIFY(run.out.isEmpty());
    }

    void saveAsWritesTheSameReport()
    {
        const QString target = m_dir.filePath(QStringLiteral("copy of here.xml"));
        QCOMPARE(runHeadless("/f|here.xml|/saveas|" + target).status, 0);
        const ProgramRun original = runHeadless("/f|here.xml|/info");
        const ProgramRun copy = runHeadless("/f|" + target + "|/info");
        QCOMPARE(copy.status, 0);
        // Everything but the file line is the same.
        QCOMPARE(copy.out.section(QLatin1Char('\n'), 2),
                 original.out.section(QLatin1Char('\n'), 2));
    }

    // /pdf, /html and /png together are written from one run; /pages
    // limits the PDF and the PNG pages alike.
    void severalOutputsFromOneRun()
    {
        const ProgramRun run =
            runHeadless("/f|" DEMO "|/pdf|part.pdf|/html|part.html|/png|pngs|/pages|2-3|/dpi|20");
        QCOMPARE(run.status, 0);
        QCOMPARE(QDir(QStringLiteral("pngs")).entryList({"*.png"}, QDir::Files),
                 QStringList({"demo-page-002.png", "demo-page-003.png"}));
        QVERIFY(QFileInfo(QStringLiteral("part.html")).size() > 1000);
        const QString info = runProgram(QStringLiteral("pdfinfo"), {"part.pdf"}).out;
        QVERIFY2(info.simplified().contains("Pages: 2"), "the PDF holds pages 2 and 3 only");
    }
};

// Running a report measures text, which needs the GUI application.
QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
