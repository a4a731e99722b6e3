// The document, section and add-a-section dialogs on real documents, real
// databases (the demo SQLite file, an Access file, an ODBC data source, the
// private PostgreSQL server) and the real print system: the private CUPS
// server when scripts/run-tests.sh started one, and a child process pointed
// at a print server that is not there for a machine without printers.
#include "../dialogtesting.h"
#include "app/units.h"
#include "designer/connectionbuilder.h"
#include "designer/fadddatasection.h"
#include "designer/fpropdoc.h"
#include "designer/fpropsection.h"
#include "designer/psql.h"
#include "document/section.h"
#include "document/talvodocument.h"
#include "document/userinteraction.h"
#include "output/paper.h"
#include "platform/connectionstring.h"
#include "viewer/printing.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <memory>

namespace {

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

void type(QWidget *window, const char *name, const QString &text)
{
    auto *box = child<QLineEdit>(window, name);
    box->selectAll();
    QTest::keyClicks(box, text);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
}

QString text(QWidget *window, const char *name)
{
    return child<QLineEdit>(window, name)->text();
}

void choose(QWidget *window, const char *name, const QVariant &data)
{
    auto *combo = child<QComboBox>(window, name);
    const int index = combo->findData(data);
    QVERIFY2(index >= 0, name);
    combo->setCurrentIndex(index);
}

int paperIndex(int code)
{
    for (int i = 0; i < paperTable().size(); ++i) {
        if (paperTable().at(i).code == code)
            return i;
    }
    return -1;
}

// Customers (1) > Orders (2) > Lines (3), with a page header and footer.
std::unique_ptr<TalvoDocument> sampleDocument()
{
    auto doc = std::make_unique<TalvoDocument>();
    doc->ClearSections();
    doc->docName = QStringLiteral("Sales");
    doc->leftMargin = 1.5f;
    doc->rightMargin = 1.1f;
    doc->topMargin = 2;
    doc->bottomMargin = 0.7f;
    doc->pageWidth = 21;
    doc->pageHeight = 29.7f;
    doc->paperType = 9;
    doc->connectionStringData = QStringLiteral("Provider=SQLite;Data Source=demo.db");
    doc->setPageHeader(true);
    doc->setPageFooter(true);
    const QStringList names = {QStringLiteral("Customers"), QStringLiteral("Orders"),
                               QStringLiteral("Lines")};
    for (int i = 0; i < names.size(); ++i) {
        section *sec = doc->AddDataSection();
        sec->sectionName = names[i];
        sec->SQL = QStringLiteral("SELECT * FROM ") + names[i];
        sec->sectionParent = i; // 0 for the root
    }
    return doc;
}

struct DocValues
{
    QString docName, conn, texts, printer;
    int unit, paper, orientation, copies;
    float w, h, l, r, t, b, grid;
    bool operator==(const DocValues &) const = default;
};

DocValues values(const TalvoDocument &d)
{
    return {d.docName,
            d.connectionStringData,
            d.connectionStringTexts,
            d.DocPrinterName,
            d.unit(),
            d.paperType,
            d.pageOrientation,
            d.copies,
            d.pageWidth,
            d.pageHeight,
            d.leftMargin,
            d.rightMargin,
            d.topMargin,
            d.bottomMargin,
            d.gridSize};
}

// The test printer of the private print server; empty when there is none.
QString testPrinter()
{
    const QString name = qEnvironmentVariable("MIRT_CUPS_PRINTER");
    if (name.isEmpty() || qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        return QString();
    return installedPrinterNames().contains(name) ? name : QString();
}

QString sqliteOdbcDriver()
{
    for (const QString &root : {QStringLiteral("/usr/lib"), QStringLiteral("/usr/lib64"),
                                QStringLiteral("/usr/local/lib")}) {
        QDirIterator it(root, {QStringLiteral("libsqlite3odbc.so")}, QDir::Files,
                        QDirIterator::Subdirectories);
        if (it.hasNext())
            return it.next();
    }
    return QString();
}

bool copyTo(const QString &from, const QString &to)
{
    QFile::remove(to);
    return QFile::copy(from, to) &&
           QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// Saves grabs of the dialogs when MIRT_GRAB_DIR names a folder.
void grab(QWidget *dialog, const QString &name)
{
    const QString dir = qEnvironmentVariable("MIRT_GRAB_DIR");
    if (dir.isEmpty())
        return;
    dialog->show();
    dialog->adjustSize();
    QApplication::processEvents();
    dialog->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
    dialog->hide();
}

} // namespace

class tst_PropDialogs : public QObject
{
    Q_OBJECT

    ScriptedInteraction m_ui;
    QString m_odbcDsn;

    QStringList shownTexts() const
    {
        QStringList texts;
        for (const auto &s : m_ui.shown)
            texts << s.text;
        return texts;
    }

private slots:
    void initTestCase()
    {
        // An ODBC data source of our own, registered before the driver
        // manager first reads its files.
        const QString driver = sqliteOdbcDriver();
        const QString db = scratch().filePath(QStringLiteral("odbc-demo.db"));
        if (driver.isEmpty() || !copyTo(QStringLiteral(MIRT_BINARY_DIR "/bin/demo.db"), db))
            return;
        QFile inst(scratch().filePath(QStringLiteral("odbcinst.ini")));
        QFile ini(scratch().filePath(QStringLiteral("odbc.ini")));
        if (!inst.open(QIODevice::WriteOnly) || !ini.open(QIODevice::WriteOnly))
            return;
        inst.write(QStringLiteral("[MirtSQLite]\nDriver=%1\nSetup=%1\n").arg(driver).toUtf8());
        ini.write(
            QStringLiteral("[MirtPropDemo]\nDriver=MirtSQLite\nDescription=demo\nDatabase=%1\n")
                .arg(db)
                .toUtf8());
        inst.close();
        ini.close();
        qputenv("ODBCSYSINI", QFile::encodeName(scratch().path()));
        qputenv("ODBCINI", QFile::encodeName(ini.fileName()));
        m_odbcDsn = QStringLiteral("MirtPropDemo");
    }

    void init()
    {
        m_ui.answers.clear();
        m_ui.shown.clear();
        UserInteraction::setCurrent(&m_ui);
    }
    void cleanup() { UserInteraction::setCurrent(nullptr); }

    // What the boxes say goes back only on OK, in the chosen unit; text that
    // is no number becomes 0.
    void documentOkAndCancel_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("unit");
        QTest::newRow("cancel") << false << 7;
        QTest::newRow("ok") << true << 7;
        QTest::newRow("ok in inches") << true << 5;
    }
    void documentOkAndCancel()
    {
        QFETCH(bool, ok);
        QFETCH(int, unit);
        auto doc = sampleDocument();
        const DocValues before = values(*doc);
        fPropDoc dialog;
        dialog.maj(doc.get());
        QCOMPARE(text(&dialog, "ml"), QStringLiteral("1.5"));
        QCOMPARE(text(&dialog, "mr"), QStringLiteral("1.1"));
        choose(&dialog, "unit", unit);
        type(&dialog, "docName", QStringLiteral("Sales 2027"));
        type(&dialog, "dataConnString", QStringLiteral("DSN=Elsewhere"));
        type(&dialog, "copies", QStringLiteral("3"));
        type(&dialog, "ml", QStringLiteral("0.75"));
        type(&dialog, "mb", QStringLiteral("abc"));
        type(&dialog, "gridSize", QStringLiteral("0.25"));
        choose(&dialog, "orientation", 2);
        grab(&dialog, QStringLiteral("fpropdoc"));
        click(&dialog, ok ? "bOK" : "bCancel");
        QCOMPARE(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
        if (!ok) {
            QVERIFY(values(*doc) == before);
            return;
        }
        QCOMPARE(doc->unit(), unit);
        QCOMPARE(doc->docName, QStringLiteral("Sales 2027"));
        QCOMPARE(doc->connectionStringData, QStringLiteral("DSN=Elsewhere"));
        QCOMPARE(int(doc->copies), 3);
        QCOMPARE(doc->leftMargin, 0.75f);
        QCOMPARE(doc->bottomMargin, 0.0f);
        QCOMPARE(doc->gridSize, 0.25f);
        QCOMPARE(int(doc->pageOrientation), 2);
        // Untouched margins come back converted into the new unit.
        QVERIFY(qAbs(doc->topMargin - convertUnit(2, 7, unit)) < 1e-5);
        QCOMPARE(doc->paperType, 9);
    }

    void unitRoundTrip_data()
    {
        QTest::addColumn<QList<int>>("units");
        QTest::newRow("cm in cm") << QList<int>{5, 7};
        QTest::newRow("cm mm in cm") << QList<int>{6, 5, 7};
    }
    void unitRoundTrip()
    {
        QFETCH(QList<int>, units);
        auto doc = sampleDocument();
        fPropDoc dialog;
        dialog.maj(doc.get());
        for (int unit : units) {
            choose(&dialog, "unit", unit);
            QCOMPARE(dialog.dialogUnit(), unit);
        }
        const QList<std::pair<const char *, double>> boxes = {
            {"ml", 1.5}, {"mr", 1.1}, {"mt", 2}, {"mb", 0.7}, {"gridSize", 0.2}};
        for (const auto &[box, value] : boxes)
            QVERIFY2(qAbs(text(&dialog, box).toDouble() - value) < 1e-12, box);
        choose(&dialog, "unit", 5);
        // Plain numbers, not rounded for show.
        QCOMPARE(text(&dialog, "ml"), QStringLiteral("0.590625"));
    }

    // "(other)" lets the user type a size; any other paper shows its size.
    void userDefinedPaper()
    {
        auto doc = sampleDocument();
        doc->DocPrinterName = testPrinter();
        fPropDoc dialog;
        dialog.maj(doc.get());
        auto *paper = child<QComboBox>(&dialog, "paperDoc");
        QVERIFY(!child<QLineEdit>(&dialog, "pageW")->isEnabled());
        QCOMPARE(text(&dialog, "pageW"), QStringLiteral("21.00"));
        QCOMPARE(text(&dialog, "pageH"), QStringLiteral("29.70"));
        paper->setCurrentIndex(paperIndex(kPaperUserDefined));
        QVERIFY(child<QLineEdit>(&dialog, "pageW")->isEnabled());
        QVERIFY(child<QLineEdit>(&dialog, "pageH")->isEnabled());
        paper->setCurrentIndex(paperIndex(11)); // A5
        QVERIFY(!child<QLineEdit>(&dialog, "pageW")->isEnabled());
        QCOMPARE(text(&dialog, "pageW"), QStringLiteral("14.80"));
        QCOMPARE(text(&dialog, "pageH"), QStringLiteral("21.00"));
        QVERIFY(dialog.paperAccepted());
        click(&dialog, "bOK");
        QCOMPARE(doc->paperType, 11);
        QCOMPARE(doc->pageWidth, 14.8f);
    }

    // On a machine without printers every paper of the list can be chosen,
    // and the dialog says why instead of refusing them. Run in a child
    // pointed at a print server that is not there.
    void noPrinterAcceptsEveryPaper()
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("MIRT_PROPDIALOGS_CHILD"), QStringLiteral("noprinter"));
        env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("127.0.0.1:9"));
        env.remove(QStringLiteral("PRINTER"));
        env.remove(QStringLiteral("LPDEST"));
        process.setProcessEnvironment(env);
        process.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(process.waitForFinished(120000));
        QCOMPARE(process.exitCode(), 0);
        const QStringList lines =
            QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QStringLiteral("printers 0"));
        QCOMPARE(lines.value(1), QStringLiteral("refused 0 of %1").arg(paperTable().size()));
        QVERIFY2(lines.value(2).startsWith(QLatin1String("note No printer is installed")),
                 qPrintable(lines.value(2)));
        QCOMPARE(lines.value(3), QStringLiteral("own 12.35 x 8.00"));
        QCOMPARE(lines.value(4), QStringLiteral("written 256 12.35 8"));
    }

    // A real printer refuses what it does not list, and OK waits for a paper
    // it takes.
    void printerRefusesUnlistedPaper_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("size");
        QTest::newRow("A4") << 9 << true << "21.00 x 29.70";
        QTest::newRow("US letter") << 1 << true << "21.59 x 27.94";
        QTest::newRow("B4") << 12 << false << "";
        QTest::newRow("envelope DL") << 27 << false << "";
        // The test printer takes no sizes of a report's own.
        QTest::newRow("own size") << kPaperUserDefined << false << "";
    }
    void printerRefusesUnlistedPaper()
    {
        QFETCH(int, code);
        QFETCH(bool, accepted);
        QFETCH(QString, size);
        const QString printer = testPrinter();
        if (printer.isEmpty())
            QSKIP("No test print server (scripts/run-tests.sh starts one with CUPS)");
        auto doc = sampleDocument();
        doc->DocPrinterName = printer;
        const DocValues before = values(*doc);
        fPropDoc dialog;
        dialog.maj(doc.get());
        QVERIFY(dialog.paperAccepted());
        child<QComboBox>(&dialog, "paperDoc")->setCurrentIndex(paperIndex(code));
        QCOMPARE(dialog.paperAccepted(), accepted);
        QCOMPARE(child<QPushButton>(&dialog, "bOK")->isEnabled(), accepted);
        auto *note = child<QLabel>(&dialog, "paperNote");
        if (accepted) {
            QCOMPARE(text(&dialog, "pageW") + " x " + text(&dialog, "pageH"), size);
            QVERIFY(note->isHidden());
        } else {
            QCOMPARE(note->text(),
                     QStringLiteral("The printer driver doesn't accept or recognize this paper"));
            grab(&dialog, QStringLiteral("fpropdoc-refused"));
            click(&dialog, "bOK");
            QVERIFY(values(*doc) == before);
        }
    }

    // The names OK refuses, with the message each gets; nothing is written
    // then and the dialog stays open.
    void sectionName_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString chars = "The section name cannot contain any of these chars '\"><[]";
        const QString taken = "This section name already exist for another section, please "
                              "choose another name";
        QTest::newRow("parentheses") << "d2"
                                     << "Orders (2)" << chars;
        QTest::newRow("bracket") << "d2"
                                 << "a[b" << chars;
        QTest::newRow("quote") << "d2"
                               << "Bob's" << chars;
        QTest::newRow("empty") << "d2"
                               << ""
                               << "Section name cannot be empty";
        QTest::newRow("another data section") << "d2"
                                              << "Customers" << taken;
        QTest::newRow("a header's name") << "d3"
                                         << "Page footer" << taken;
        QTest::newRow("footer named as header") << "pf"
                                                << "Page header"
                                                << "";
        QTest::newRow("case differs") << "d2"
                                      << "customers"
                                      << "";
        QTest::newRow("valid") << "d2"
                               << "Order lines"
                               << "";
    }
    void sectionName()
    {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QString, message);
        auto doc = sampleDocument();
        doc->sections.value(QStringLiteral("ph"))->sectionName = QStringLiteral("Page header");
        doc->sections.value(QStringLiteral("pf"))->sectionName = QStringLiteral("Page footer");
        section *sec = doc->sections.value(key);
        const QString oldName = sec->sectionName;
        fPropSection dialog;
        dialog.maj(sec);
        type(&dialog, "sectionName", name);
        click(&dialog, "Command1");
        if (message.isEmpty()) {
            QCOMPARE(shownTexts(), QStringList());
            QCOMPARE(dialog.result(), QDialog::Accepted);
            QCOMPARE(sec->sectionName, name);
        } else {
            QCOMPARE(shownTexts(), QStringList{message});
            QCOMPARE(dialog.result(), QDialog::Rejected);
            QCOMPARE(sec->sectionName, oldName);
            QVERIFY(!sec->modified());
        }
    }

    void sectionOkAndCancel_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("cancel") << false;
        QTest::newRow("ok") << true;
    }
    void sectionOkAndCancel()
    {
        QFETCH(bool, ok);
        auto doc = sampleDocument();
        section *lines = doc->sections.value(QStringLiteral("d3"));
        fPropSection dialog;
        dialog.maj(lines);
        QCOMPARE(dialog.sqlEditor()->document(), doc.get());
        QCOMPARE(dialog.sqlEditor()->noSection(), QStringLiteral("3"));
        QCOMPARE(dialog.sqlEditor()->sql(), QStringLiteral("SELECT * FROM Lines"));
        QVERIFY(!child<QGroupBox>(&dialog, "sectionAppearPanel")->isHidden());
        // Parents: the other data sections only.
        auto *parents = child<QComboBox>(&dialog, "parentSection");
        QCOMPARE(parents->count(), 2);
        QCOMPARE(parents->currentText(), QStringLiteral("Orders"));
        dialog.sqlEditor()->editor()->moveCursor(QTextCursor::End);
        QTest::keyClicks(dialog.sqlEditor()->editor(), QStringLiteral(" WHERE 1"));
        type(&dialog, "visible_", QStringLiteral("=[Qty] > 0"));
        child<QCheckBox>(&dialog, "pageBreakAfter")->setChecked(true);
        choose(&dialog, "mode", 1);
        choose(&dialog, "parentSection", 1);
        grab(&dialog, QStringLiteral("fpropsection"));
        click(&dialog, ok ? "Command1" : "Command2");
        QCOMPARE(lines->SQL, ok ? QStringLiteral("SELECT * FROM Lines WHERE 1")
                                : QStringLiteral("SELECT * FROM Lines"));
        QCOMPARE(lines->visible, ok ? QStringLiteral("=[Qty] > 0") : QStringLiteral("true"));
        QCOMPARE(lines->pageBreakAfter, ok);
        QCOMPARE(lines->mode, ok ? 1 : 0);
        QCOMPARE(lines->sectionParent, ok ? 1 : 2);
        QCOMPARE(lines->modified(), ok);

        // The root has no parent to choose.
        fPropSection root;
        root.maj(doc->sections.value(QStringLiteral("d1")));
        QVERIFY(child<QGroupBox>(&root, "sectionAppearPanel")->isHidden());
    }

    void addDataSection_data()
    {
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("number");
        QTest::addColumn<QList<int>>("numbers"); // Customers, Orders, Lines afterwards
        QTest::addColumn<QList<int>>("parents");
        QTest::newRow("before the first")
            << "Customers"
            << "Before" << true << 1 << QList<int>{2, 3, 4} << QList<int>{0, 2, 3};
        QTest::newRow("after the first")
            << "Customers"
            << "After" << true << 2 << QList<int>{1, 3, 4} << QList<int>{0, 1, 3};
        QTest::newRow("after the last")
            << "Lines"
            << "After" << true << 4 << QList<int>{1, 2, 3} << QList<int>{0, 1, 2};
        QTest::newRow("cancel") << "Customers"
                                << "Before" << false << 0 << QList<int>{1, 2, 3}
                                << QList<int>{0, 1, 2};
    }
    void addDataSection()
    {
        QFETCH(QString, after);
        QFETCH(QString, where);
        QFETCH(bool, ok);
        QFETCH(int, number);
        QFETCH(QList<int>, numbers);
        QFETCH(QList<int>, parents);
        auto doc = sampleDocument();
        QList<section *> old;
        for (const char *key : {"d1", "d2", "d3"})
            old << doc->sections.value(QLatin1String(key));
        fAddDataSection dialog;
        dialog.maj(doc.get());
        auto *sections = child<QComboBox>(&dialog, "sections");
        QCOMPARE(sections->count(), 3);
        QCOMPARE(child<QComboBox>(&dialog, "where")->currentText(), QStringLiteral("After"));
        sections->setCurrentIndex(sections->findText(after));
        child<QComboBox>(&dialog, "where")->setCurrentText(where);
        grab(&dialog, QStringLiteral("fadddatasection"));
        click(&dialog, ok ? "bOK" : "bCancel");
        QCOMPARE(doc->nbSections(), ok ? 6 : 5);
        QCOMPARE(dialog.added() != nullptr, ok);
        if (ok)
            QCOMPARE(dialog.added()->dataSectionNumber, number);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(old[i]->dataSectionNumber, numbers[i]);
            QCOMPARE(old[i]->sectionParent, parents[i]);
        }
    }

    // The builder's texts open the databases they describe; the document
    // dialog's Test button says so.
    void connectionBuilder_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("source"); // a file to copy beside the report, a DSN, or env
        QTest::addColumn<QString>("expected");
        QTest::newRow("SQLite beside the report")
            << int(ConnectionBuilder::SqliteFile) << MIRT_BINARY_DIR "/bin/demo.db"
            << "Provider=SQLite;Data Source=demo.db";
        QTest::newRow("Access accdb")
            << int(ConnectionBuilder::AccessFile)
            << MIRT_SHARED_DIR "/testdata/ASampleDatabase.accdb"
            << "Provider=Microsoft.ACE.OLEDB.12.0;Data Source=ASampleDatabase.accdb";
        QTest::newRow("Access mdb in a subfolder")
            << int(ConnectionBuilder::AccessFile)
            << MIRT_SHARED_DIR "/testdata/DateTestDatabase.mdb"
            << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=data/DateTestDatabase.mdb";
        QTest::newRow("ODBC data source") << int(ConnectionBuilder::OdbcSource) << "MirtPropDemo"
                                          << "DSN=MirtPropDemo";
        QTest::newRow("PostgreSQL") << int(ConnectionBuilder::PostgreSqlServer) << "MIRT_PG_CONN"
                                    << "";
        QTest::newRow("PostgreSQL with a password")
            << int(ConnectionBuilder::PostgreSqlServer) << "MIRT_PG_PWCONN"
            << "";
    }
    void connectionBuilder()
    {
        QFETCH(int, kind);
        QFETCH(QString, source);
        QFETCH(QString, expected);
        QTemporaryDir reportDir;
        ConnectionBuilder builder;
        builder.setBaseDir(reportDir.path());
        builder.setKind(ConnectionBuilder::Kind(kind));
        if (kind == ConnectionBuilder::SqliteFile || kind == ConnectionBuilder::AccessFile) {
            const QString relative = expected.section(QStringLiteral("Data Source="), 1);
            QVERIFY(QDir(reportDir.path()).mkpath(QStringLiteral("data")));
            const QString copy = QDir(reportDir.path()).filePath(relative);
            QVERIFY(copyTo(source, copy));
            type(&builder, "filePath", copy);
        } else if (kind == ConnectionBuilder::OdbcSource) {
            if (m_odbcDsn.isEmpty())
                QSKIP("The SQLite ODBC driver is not installed");
            choose(&builder, "dataSource", source);
        } else {
            const ConnectionString server(qEnvironmentVariable(qPrintable(source)));
            if (server.isEmpty())
                QSKIP("No PostgreSQL test server (scripts/run-tests.sh starts one)");
            type(&builder, "host", server.value(ConnectionString::hostKeys()));
            type(&builder, "port", server.value(ConnectionString::portKeys()));
            type(&builder, "database", server.value(ConnectionString::databaseKeys()));
            type(&builder, "user", server.value(ConnectionString::userKeys()));
            type(&builder, "password", server.value(ConnectionString::passwordKeys()));
            expected = server.toString();
            if (server.value(ConnectionString::passwordKeys()).isEmpty())
                expected.remove(QStringLiteral(";Password="));
            QVERIFY(!text(&builder, "result").contains(QStringLiteral("mirt-secret")));
        }
        grab(&builder, QStringLiteral("connectionbuilder-%1").arg(kind));
        QCOMPARE(builder.connectionString(), expected);

        // Read back into the builder, the text comes out the same.
        ConnectionBuilder again;
        again.setBaseDir(reportDir.path());
        again.setConnectionString(expected);
        QCOMPARE(again.connectionString(), expected);

        auto doc = sampleDocument();
        doc->fileName = QDir(reportDir.path()).filePath(QStringLiteral("report.xml"));
        doc->connectionStringData = expected;
        QCOMPARE(doc->openDataConnection(), 0);

        fPropDoc dialog;
        dialog.maj(doc.get());
        click(&dialog, "bTestDC");
        QCOMPARE(shownTexts(), QStringList{QStringLiteral("Test OK !")});
    }

    // A connection that cannot open gets the reason, and no "Test OK !".
    void connectionTestFails()
    {
        auto doc = sampleDocument();
        fPropDoc dialog;
        dialog.maj(doc.get());
        type(&dialog, "textConnString", QStringLiteral("Provider=SQLite;Data Source=none.db"));
        click(&dialog, "bTestTxTConn");
        QCOMPARE(m_ui.shown.size(), 1);
        QVERIFY2(m_ui.shown[0].text.startsWith(QLatin1String("Impossible to open the connection")),
                 qPrintable(m_ui.shown[0].text));
    }
};

// The child of noPrinterAcceptsEveryPaper: every paper of the list tried,
// then a size of the report's own written back.
static int noPrinterChild()
{
    ScriptedInteraction ui;
    UserInteraction::setCurrent(&ui);
    auto doc = sampleDocument();
    fPropDoc dialog;
    dialog.maj(doc.get());
    auto *paper = dialog.findChild<QComboBox *>(QStringLiteral("paperDoc"));
    int refused = 0;
    for (int i = 0; i < paper->count(); ++i) {
        paper->setCurrentIndex(i);
        if (!dialog.paperAccepted())
            ++refused;
    }
    QTextStream out(stdout);
    out << "printers " << installedPrinterNames().size() << '\n';
    out << "refused " << refused << " of " << paper->count() << '\n';
    out << "note " << dialog.findChild<QLabel *>(QStringLiteral("paperNote"))->text() << '\n';
    paper->setCurrentIndex(paperIndex(kPaperUserDefined));
    auto *w = dialog.findChild<QLineEdit *>(QStringLiteral("pageW"));
    auto *h = dialog.findChild<QLineEdit *>(QStringLiteral("pageH"));
    w->setText(QStringLiteral("12.3456"));
    h->setText(QStringLiteral("8"));
    dialog.majSizePaper();
    out << "own " << w->text() << " x " << h->text() << '\n';
    dialog.findChild<QPushButton *>(QStringLiteral("bOK"))->click();
    out << "written " << doc->paperType << ' ' << doc->pageWidth << ' ' << doc->pageHeight << '\n';
    UserInteraction::setCurrent(nullptr);
    return ui.shown.isEmpty() ? 0 : 1;
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (qEnvironmentVariable("MIRT_PROPDIALOGS_CHILD") == QLatin1String("noprinter"))
        return noPrinterChild();
    tst_PropDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_propdialogs.moc"
