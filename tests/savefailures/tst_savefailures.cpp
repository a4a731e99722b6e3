// Writing onto a disk that fills up during the write: a small tmpfs, filled
// with dd, so that writes fail with "No space left on device" as on a real
// full disk. Every save and export must then fail, say which file and why,
// and leave the file that was there byte for byte.
#include "../datafixtures.h"
#include "designer/designerwindow.h"
#include "designer/recoveryfile.h"
#include "document/reportdocument.h"
#include "document/userinteraction.h"
#include "program/headlesscommands.h"
#include "program/startup.h"

#include <QAction>
#include <QStandardPaths>

#include <memory>

namespace {

// One data section listing the demo database's customers: a few pages.
QByteArray reportXml()
{
    return "<MIRTDOCUMENT xmlns=\"http://mirt.talvo.org/schemas/mirt1\" docName=\"Customers\" "
           "connectionString=\"Provider=SQLite;Data Source=" MIRT_BINARY_DIR "/bin/demo.db\" "
           "unit=\"7\"><SECTION name=\"Customers\" type=\"0\" height=\"0.6\" "
           "SQL=\"SELECT CompanyName FROM Customers\" mode=\"0\" sectionParent=\"0\" "
           "dataSectionNumber=\"1\" pageBreakAfter=\"false\" visible=\"true\"><ITEM x=\"1\" "
           "y=\"0\" width=\"8\" height=\"0.5\">[Customers].[CompanyName]</ITEM></SECTION>"
           "</MIRTDOCUMENT>";
}

const QString kNoSpace = QStringLiteral("No space left on device");

// Opens the designer on the document, as the program does.
class DesignerWindows : public StartupWindows
{
public:
    std::unique_ptr<DesignerWindow> designer;

    QString showWelcome(bool &) override { return QString(); }
    int openDesigner(ReportDocument &document) override
    {
        designer = std::make_unique<DesignerWindow>();
        designer->init(&document);
        return kRunEventLoop;
    }
    int printPreview(ReportDocument &, bool &, bool &, bool &) override { return 1; }
};

} // namespace

class tst_savefailures : public QObject
{
    Q_OBJECT

    ScriptedInteraction m_ui;
    QTemporaryDir m_work;
    std::unique_ptr<QTemporaryDir> m_mountPoint;
    bool m_mounted = false;

    QString onDisk(const QString &name) const { return m_mountPoint->filePath(name); }

    // Takes the little room the small disk has left.
    void fillDisk()
    {
        // dd says the disk is full: that is the point.
        runProgram(QStringLiteral("dd"), {"if=/dev/zero", "of=" + onDisk("fill"), "bs=4k"});
        QFile probe(onDisk(QStringLiteral("probe")));
        QVERIFY(probe.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        QVERIFY2(probe.write(QByteArray(8192, 'x')) < 8192, "the disk is not full");
        probe.close();
        probe.remove();
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir(RecoveryFile().folder()).removeRecursively();
        QVERIFY(saveBytes(m_work.filePath(QStringLiteral("report.xml")), reportXml()));
    }
    void init()
    {
        m_ui = ScriptedInteraction();
        UserInteraction::setCurrent(&m_ui);
        m_mountPoint = std::make_unique<QTemporaryDir>();
        if (qstrcmp(QTest::currentTestFunction(), "unreadableReportIsNotOverwritten") == 0)
            return;
        const ProgramRun mount =
            runProgram(QStringLiteral("mount"),
                       {"-t", "tmpfs", "-o", "size=512k", "tmpfs", m_mountPoint->path()});
        m_mounted = mount.status == 0;
        if (!m_mounted)
            QSKIP(qPrintable("a small tmpfs cannot be mounted here (root is needed): " +
                             mount.err.trimmed()));
    }
    void cleanup()
    {
        UserInteraction::setCurrent(nullptr);
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_mountPoint->path()});
        m_mounted = false;
        m_mountPoint.reset();
    }

    void commandLineOutput_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("status");
        QTest::newRow("save as") << QStringList{"/saveas", "@/old.xml"} << "old.xml" << 1;
        QTest::newRow("pdf") << QStringList{"/pdf", "@/old.pdf"} << "old.pdf" << 4;
        QTest::newRow("png") << QStringList{"/png", "@"} << "report-page-001.png" << 4;
        // One page or all pages: the same writer.
        QTest::newRow("html") << QStringList{"/html", "@/old.html"} << "old.html" << 4;
        QTest::newRow("xlsx") << QStringList{"/xlsx", "@/old.xlsx"} << "old.xlsx" << 4;
        QTest::newRow("csv") << QStringList{"/csv", "@/old.csv"} << "old.csv" << 4;
    }
    void commandLineOutput()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, target);
        const QString path = onDisk(target);
        const QByteArray old(3000, 'o');
        QVERIFY(saveBytes(path, old));
        fillDisk();

        QStringList arguments{QStringLiteral("/f"), m_work.filePath(QStringLiteral("report.xml"))};
        for (const QString &option : std::as_const(options))
            arguments << QString(option).replace(QLatin1Char('@'), m_mountPoint->path());
        ReportDocument doc;
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        QTEST(runHeadlessCommand(CommandLine::fromArguments(arguments), doc, outStream, errStream,
                                 m_work.path()),
              "status");
        QVERIFY2(err.contains(path) && err.contains(kNoSpace), qPrintable(err));
        QCOMPARE(bytesIn(path), old);
        // Nothing half-written is left beside it.
        QCOMPARE(QDir(m_mountPoint->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"fill", target}));
    }

    void designerKeepsChanges_data()
    {
        QTest::addColumn<QString>("route");
        QTest::newRow("save") << "m_save";
        QTest::newRow("save as") << "m_save_as";
        QTest::newRow("recovery copy") << "recovery";
    }
    void designerKeepsChanges()
    {
        QFETCH(QString, route);
        const QString path = onDisk(QStringLiteral("orders.xml"));
        const QString other = onDisk(QStringLiteral("other.xml"));
        ReportDocument doc;
        QVERIFY(doc.loadXmlData(reportXml(), QString()));
        QVERIFY(doc.saveXml(path));
        QVERIFY(saveBytes(other, "<other/>"));
        doc.fileName = path;
        DesignerWindow w;
        w.init(&doc);
        RecoveryFile recovery(onDisk(QStringLiteral("recovery")));
        QVERIFY(recovery.write(doc));
        const QByteArray copy = bytesIn(recovery.path());
        const QByteArray saved = bytesIn(path);
        fillDisk();

        w.action(QStringLiteral("m_addDataSection"))->trigger();
        QVERIFY(doc.modified());
        QString written = path;
        if (route == QLatin1String("recovery")) {
            QVERIFY(!recovery.write(doc));
            QVERIFY2(recovery.errorString().contains(recovery.path()) &&
                         recovery.errorString().contains(kNoSpace),
                     qPrintable(recovery.errorString()));
            QCOMPARE(bytesIn(recovery.path()), copy);
            return;
        }
        if (route == QLatin1String("m_save_as")) {
            written = other;
            m_ui.fileNames << other;
        }
        const QByteArray before = bytesIn(written);
        w.action(route)->trigger();
        QCOMPARE(m_ui.shown.size(), 1);
        const QString message = m_ui.shown.at(0).text;
        QVERIFY2(message.contains(written) && message.contains(kNoSpace), qPrintable(message));
        QCOMPARE(bytesIn(written), before);
        QCOMPARE(bytesIn(path), saved);
        QCOMPARE(doc.fileName, path);
        QVERIFY(doc.modified());
        QVERIFY(w.isWindowModified());
    }

    // A report the designer could not read opens as an untitled document: a
    // save asks for a name and never writes over the file.
    void unreadableReportIsNotOverwritten()
    {
        const QString path = m_work.filePath(QStringLiteral("broken.xml"));
        const QByteArray broken = reportXml().chopped(20).repeated(4);
        QVERIFY(saveBytes(path, broken));
        ReportDocument doc;
        DesignerWindows windows;
        QCOMPARE(processCommandLine(
                     CommandLine::fromArguments({QStringLiteral("/f"), path, QStringLiteral("/e")}),
                     doc, windows, m_work.path()),
                 kRunEventLoop);
        QCOMPARE(m_ui.shown.size(), 1); // why it could not be read
        QVERIFY(windows.designer);
        QCOMPARE(windows.designer->windowTitle(), QStringLiteral("Talvo Mirt - Untitled[*]"));
        windows.designer->action(QStringLiteral("m_save"))->trigger();
        QCOMPARE(m_ui.fileDialogs, 1); // cancelled
        QCOMPARE(bytesIn(path), broken);
        QVERIFY(doc.fileName.isEmpty());
    }
};

QTEST_MAIN(tst_savefailures)
#include "tst_savefailures.moc"
