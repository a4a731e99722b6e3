#include "app/commandline.h"
#include "app/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void optionSyntax_data();
    void optionSyntax();
    void optionValues_data();
    void optionValues();
    void textHelpers();
    void argumentsKeepWholeFileNames_data();
    void argumentsKeepWholeFileNames();
    void unknownOptionsAreNamed();
    void fileLookup();
    void settingsSectionIsOneLevel();
};

void tst_CommandLine::optionSyntax_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expected");

    QTest::newRow("at the end") << "/f x.xml /e"
                                << "e" << true;
    QTest::newRow("capitals") << "/F x.xml /E"
                              << "e" << true;
    QTest::newRow("p not inside dp") << "/f x.xml /dp"
                                     << "p" << false;
    QTest::newRow("dp found") << "/f x.xml /dp"
                              << "dp" << true;
    QTest::newRow("against its value") << "/fx.xml"
                                       << "f" << false;
    QTest::newRow("absent") << "/f x.xml"
                            << "dhp" << false;
    QTest::newRow("blank line") << "   "
                                << "e" << false;
}

void tst_CommandLine::optionSyntax()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QFETCH(bool, expected);
    QCOMPARE(hasOption(line, name), expected);
}

void tst_CommandLine::optionValues_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << "/f demo.xml /e"
                           << "demo.xml";
    QTest::newRow("quoted with spaces") << "/F \"demo graph.xml\" /e"
                                        << "demo graph.xml";
    QTest::newRow("cut at the slash") << "/f reports/demo.xml"
                                      << "reports";
    QTest::newRow("backslash path") << "/f C:\\r\\demo.xml /p"
                                    << "C:\\r\\demo.xml";
    QTest::newRow("missing") << "/e"
                             << "";
    QTest::newRow("at the end, no value") << "/e /f"
                                          << "";
}

void tst_CommandLine::optionValues()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(optionValue(line, QStringLiteral("f")), expected);
}

void tst_CommandLine::textHelpers()
{
    QCOMPARE(splitPart(QStringLiteral("aXbxc"), 2, QStringLiteral("x")), QStringLiteral("b"));
    QCOMPARE(splitPart(QStringLiteral("a;b"), 3, QStringLiteral(";")), QString());
    QCOMPARE(splitPart(QStringLiteral("a;b"), 1, QStringLiteral(";")), QStringLiteral("a"));
    QCOMPARE(
        replaceChar(QStringLiteral("C:\\Prog\\Mirt"), QStringLiteral("\\x"), QStringLiteral("-")),
        QStringLiteral("C:-Prog-Mirt"));
    QCOMPARE(replaceChar(QStringLiteral("aAb"), QStringLiteral("a"), QStringLiteral("z")),
             QStringLiteral("zzb"));
    QVERIFY(!fileExists(QString()));
    QVERIFY(!fileExists(QDir::tempPath()));
}

void tst_CommandLine::argumentsKeepWholeFileNames_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<bool>("flagSet");

    QTest::newRow("absolute path") << QStringList{"/f", "/home/me/report.xml", "/e"} << "f"
                                   << "/home/me/report.xml"
                                   << "e" << true;
    QTest::newRow("path with spaces") << QStringList{"/F", "/tmp/my reports/a b.xml", "/p"} << "f"
                                      << "/tmp/my reports/a b.xml"
                                      << "p" << true;
    QTest::newRow("path holding /p ") << QStringList{"/f", "/tmp/x /p y.xml"} << "f"
                                      << "/tmp/x /p y.xml"
                                      << "p" << false;
    QTest::newRow("expression with slash") << QStringList{"/eval", "1/2 & \" /e \""} << "eval"
                                           << "1/2 & \" /e \""
                                           << "e" << false;
    QTest::newRow("debug flag") << QStringList{"/dbg"} << "f"
                                << ""
                                << "dbg" << true;
    // What a file manager passes: the report alone opens in the designer.
    QTest::newRow("lone file") << QStringList{"/home/me/my report.xml"} << "f"
                               << "/home/me/my report.xml"
                               << "e" << true;
    QTest::newRow("lone relative file") << QStringList{"demo.xml"} << "f"
                                        << "demo.xml"
                                        << "e" << true;
    QTest::newRow("lone option") << QStringList{"/info"} << "f"
                                 << ""
                                 << "e" << false;
}

void tst_CommandLine::argumentsKeepWholeFileNames()
{
    QFETCH(QStringList, args);
    QFETCH(QString, option);
    QFETCH(QString, value);
    QFETCH(QString, flag);
    QFETCH(bool, flagSet);
    const CommandLine cl = CommandLine::fromArguments(args);
    QCOMPARE(cl.value(option), value);
    QCOMPARE(cl.has(flag), flagSet);
}

void tst_CommandLine::unknownOptionsAreNamed()
{
    const CommandLine cl = CommandLine::fromArguments({"/f", "/a/b.xml", "/zap", "/E", "/Info"});
    QCOMPARE(cl.unknownOptions(), QStringList{"/zap"});
    QVERIFY(CommandLine::fromArguments({"/?"}).unknownOptions().isEmpty());
    QVERIFY(CommandLine::fromArguments({"   "}).isBlank());
}

void tst_CommandLine::fileLookup()
{
    QTemporaryDir programDir, startDir;
    QFile inProgram(programDir.filePath("demo.xml"));
    QVERIFY(inProgram.open(QIODevice::WriteOnly));
    inProgram.close();
    QFile inStart(startDir.filePath("demo.xml"));
    QVERIFY(inStart.open(QIODevice::WriteOnly));
    inStart.close();

    const QString saved = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    QCOMPARE(resolveCommandLineFile("demo.xml", programDir.path()),
             programDir.filePath("demo.xml"));
    // The folder the program was started from wins over the program's folder.
    QDir::setCurrent(startDir.path());
    QCOMPARE(resolveCommandLineFile("demo.xml", programDir.path()), QStringLiteral("demo.xml"));
    QCOMPARE(resolveCommandLineFile("missing.xml", programDir.path()), QString());
    QCOMPARE(resolveCommandLineFile(inProgram.fileName(), QString()), inProgram.fileName());
    QDir::setCurrent(saved);
}

void tst_CommandLine::settingsSectionIsOneLevel()
{
    QCOMPARE(settingsSection("/opt/mirt/bin"), QStringLiteral("-opt-mirt-bin"));
    QVERIFY(!settingsSection("C:\\Mirt").contains('\\'));
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
