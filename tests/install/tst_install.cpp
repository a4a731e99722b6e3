// Installed into a temporary prefix: the demo runs from any folder, the desktop
// entry and file type validate, the manual page lists exactly the options of /help.
#include "../datafixtures.h"

#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

namespace {

QStringList filesUnder(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

// Option spellings ("/f", "/dbg", …) of /help's lines and of the manual page.
QSet<QString> helpOptions(const QString &help)
{
    QSet<QString> names;
    static const QRegularExpression line(QStringLiteral("^\\s+(/[^\\s,]+(?:, /[^\\s,]+)*)"));
    for (const QString &l : help.split(QLatin1Char('\n'))) {
        const auto m = line.match(l);
        if (m.hasMatch()) {
            for (const QString &name : m.captured(1).split(QStringLiteral(", ")))
                names << name;
        }
    }
    return names;
}

QSet<QString> manOptions(const QString &page)
{
    QSet<QString> names;
    const QString options =
        page.section(QStringLiteral(".SH OPTIONS"), 1).section(QStringLiteral(".SH "), 0, 0);
    static const QRegularExpression macro(QStringLiteral("^\\.B[IR]? (.*)$"),
                                          QRegularExpression::MultilineOption);
    static const QRegularExpression option(QStringLiteral("(/[^\\s\",]+)"));
    for (auto m = macro.globalMatch(options); m.hasNext();) {
        for (auto o = option.globalMatch(m.next().captured(1)); o.hasNext();)
            names << o.next().captured(1);
    }
    return names;
}

} // namespace

class tst_Install : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(prefix.isValid());
        // The installed program runs without a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
        QVERIFY(!cmake.isEmpty());
        const ProgramRun r =
            runProgram(cmake, {"--install", MIRT_BINARY_DIR, "--prefix", prefix.path()});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        program = prefix.filePath(QStringLiteral("bin/mirt"));
        QVERIFY(QFile::exists(program));
    }

    void installedDemoRunsFromAnyFolder()
    {
        QTemporaryDir elsewhere;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), elsewhere.path());
        const QStringList before = filesUnder(prefix.path());
        // "demo.xml" alone: the installed program finds its examples.
        const ProgramRun r =
            runProgram(program, {"/f", "demo.xml", "/pdf", "out.pdf"}, elsewhere.path(), env);
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(bytesIn(elsewhere.filePath(QStringLiteral("out.pdf"))).startsWith("%PDF-"));
        // Nothing is written beside the program.
        QCOMPARE(filesUnder(prefix.path()), before);
    }

    void desktopEntryValidates()
    {
        const QString validator =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed (scripts/install-deps.sh installs it)");
        const QString entry = prefix.filePath(QStringLiteral("share/applications/mirt.desktop"));
        const ProgramRun r = runProgram(validator, {entry});
        QVERIFY2(r.status == 0 && r.out.isEmpty(), qPrintable(r.out + r.err));
        QVERIFY(bytesIn(entry).contains("MimeType=application/x-mirt-report;"));
        QVERIFY(QFile::exists(
            prefix.filePath(QStringLiteral("share/icons/hicolor/scalable/apps/mirt.svg"))));
    }

    void fileTypeRecognisesReports()
    {
        const QString updater =
            QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
        if (updater.isEmpty() || gio.isEmpty())
            QSKIP("update-mime-database or gio is missing (scripts/install-deps.sh installs them)");
        // The installed type, compiled into a database of its own beside the system's.
        QTemporaryDir data;
        QVERIFY(QDir().mkpath(data.filePath(QStringLiteral("mime/packages"))));
        QVERIFY(QFile::copy(prefix.filePath(QStringLiteral("share/mime/packages/mirt.xml")),
                            data.filePath(QStringLiteral("mime/packages/mirt.xml"))));
        QCOMPARE(runProgram(updater, {data.filePath(QStringLiteral("mime"))}).status, 0);
        const QString bare = data.filePath(QStringLiteral("report.xml"));
        const QString other = data.filePath(QStringLiteral("other.xml"));
        QVERIFY(saveBytes(bare, "<?xml version=\"1.0\"?>\n<MIRTDOCUMENT docName=\"x\"/>\n"));
        QVERIFY(saveBytes(other, "<?xml version=\"1.0\"?>\n<catalog/>\n"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_DIRS"), data.path() + QStringLiteral(":/usr/share"));
        // What a file manager sees (GIO reads the database as the desktop does): the
        // demo, a report without a namespace, other XML.
        QStringList types;
        for (const QString &file : {prefix.filePath("share/mirt/examples/demo.xml"), bare, other}) {
            const ProgramRun r =
                runProgram(gio, {"info", "-a", "standard::content-type", file}, QString(), env);
            types << r.out.section(QStringLiteral("standard::content-type:"), 1).trimmed();
        }
        const QString report = QStringLiteral("application/x-mirt-report");
        QCOMPARE(types, QStringList({report, report, "application/xml"}));
    }

    void manualPageListsTheOptionsOfHelp()
    {
        const ProgramRun help = runProgram(program, {"/help"});
        QCOMPARE(help.status, 0);
        const QSet<QString> fromHelp = helpOptions(help.out + help.err);
        QVERIFY(fromHelp.size() > 10);
        const QByteArray page = bytesIn(prefix.filePath(QStringLiteral("share/man/man1/mirt.1")));
        QCOMPARE(manOptions(QString::fromUtf8(page)), fromHelp);
    }

private:
    QTemporaryDir prefix;
    QString program;
};

QTEST_GUILESS_MAIN(tst_Install)

#include "tst_install.moc"
