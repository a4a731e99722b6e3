// The document, section and add-a-section dialogs on real documents, real
// databases and the real print system (the private servers of scripts/run-tests.sh).
#include "../datafixtures.h"
#include "../dialogtesting.h"
#include "designer/adddatasectiondialog.h"
#include "designer/connectionbuilder.h"
#include "designer/documentpropertiesdialog.h"
#include "designer/sectionpropertiesdialog.h"
#include "designer/sqlpanel.h"
#include "document/paper.h"
#include "document/reportdocument.h"
#include "document/reportsection.h"
#include "document/userinteraction.h"
#include "platform/connectionstring.h"
#include "platform/units.h"
#include "viewer/printing.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

namespace {

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

// Customers (1) > Orders (2) > Lines (3), with a page header and footer.
std::unique_ptr<ReportDocument> sampleDocument()
{
    auto doc = std::make_unique<ReportDocument>();
    doc->clearSections();
    std::tie(doc->leftMargin, doc->rightMargin, doc->topMargin, doc->bottomMargin) =
        std::tuple(1.5f, 1.1f, 2.0f, 0.7f);
    std::tie(doc->pageWidth, doc->pageHeight) = std::tuple(21.0f, 29.7f);
    doc->setPageHeader(true);
    doc->setPageFooter(true);
    int parent = 0; // none for the root
    for (const QString name : {"Customers", "Orders", "Lines"}) {
        ReportSection *sec = doc->addDataSection();
        sec->sectionName = name;
        sec->SQL = QStringLiteral("SELECT * FROM ") + name;
        sec->sectionParent = parent++;
    }
    return doc;
}

// The document as it would be stored: every field a dialog may write.
QByteArray saved(ReportDocument &doc)
{
    const QString file = scratchPath(QStringLiteral("saved.xml"));
    return doc.saveXml(file) ? bytesIn(file) : QByteArray();
}

// The test printer of the private print server; empty when there is none.
QString testPrinter()
{
    const QString name = qEnvironmentVariable("MIRT_CUPS_PRINTER");
    if (name.isEmpty() || qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        return QString();
    return installedPrinterNames().contains(name) ? name : QString();
}

// The section, the name typed, and the message OK gives ("" when accepted).
using Naming = std::tuple<QString, QString, QString>;
// Where the section goes relative to Customers, its number (0: cancelled), and the
// numbers and parents of Customers, Orders and Lines afterwards.
using Adding = std::tuple<QString, int, QList<int>, QList<int>>;

} // namespace

class tst_PropDialogs : public QObject
{
    Q_OBJECT

    ScriptedInteraction m_ui;

    QStringList shownTexts() const
    {
        QStringList texts;
        for (const auto &s : m_ui.shown)
            texts << s.text;
        return texts;
    }

private slots:
    void init()
    {
        m_ui.answers.clear();
        m_ui.shown.clear();
        UserInteraction::setCurrent(&m_ui);
    }
    void cleanup() { UserInteraction::setCurrent(nullptr); }

    // Boxes go back only on OK, in the chosen unit; letters cannot be typed into a number box.
    void documentOkAndCancel_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("unit");
        QTest::newRow("cancel") << false << 7;
        QTest::newRow("ok in inches") << true << 5;
    }
    void documentOkAndCancel()
    {
        QFETCH(bool, ok);
        QFETCH(int, unit);
        auto doc = sampleDocument();
        const QByteArray before = saved(*doc);
        DocumentPropertiesDialog dialog;
        dialog.maj(doc.get());
        choose(&dialog, "unit", unit);
        type(&dialog, "docName", QStringLiteral("Sales 2027"));
        type(&dialog, "dataConnString", QStringLiteral("DSN=Elsewhere"));
        type(&dialog, "copies", QStringLiteral("3"));
        type(&dialog, "ml", QStringLiteral("0.75"));
        type(&dialog, "mb", QStringLiteral("abc"));
        type(&dialog, "gridSize", QStringLiteral("0.25"));
        type(&dialog, "language", QStringLiteral(" de-CH"));
        choose(&dialog, "orientation", 2);
        click(&dialog, ok ? "bOK" : "bCancel");
        QCOMPARE(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
        if (!ok) {
            QCOMPARE(saved(*doc), before);
            return;
        }
        QCOMPARE(doc->unit(), unit);
        QCOMPARE(doc->docName + doc->connectionStringData, "Sales 2027DSN=Elsewhere");
        QCOMPARE(int(doc->copies), 3);
        QCOMPARE(doc->leftMargin, 0.75f);
        QVERIFY(qAbs(doc->bottomMargin - convertUnit(0.7f, 7, unit)) < 1e-5);
        QCOMPARE(doc->gridSize, 0.25f);
        QCOMPARE(doc->language, QStringLiteral("de-CH"));
        QCOMPARE(int(doc->pageOrientation), 2);
        // Untouched margins come back converted into the new unit.
        QVERIFY(qAbs(doc->topMargin - convertUnit(2, 7, unit)) < 1e-5);
    }

    // Boxes take what their field holds; OK refuses the rest naming the field, changing nothing.
    void documentRefusesBadValues_data()
    {
        // The box, what is typed, what it shows, the start of OK's message ("" when accepted).
        QTest::addColumn<QStringList>("row");
        QTest::newRow("margins wider than the page")
            << QStringList{"ml", "99999", "99999", "Left and right margins: together"};
        QTest::newRow("no exponent")
            << QStringList{"mb", "1e308", "1308", "Top and bottom margins"};
        QTest::newRow("empty margin") << QStringList{"mr", "", "", "Right margin: type a length"};
        QTest::newRow("no grid") << QStringList{"gridSize", "0", "0", ""};
        QTest::newRow("grid too coarse") << QStringList{"gridSize", "50", "50", "Grid size:"};
        QTest::newRow("no copy") << QStringList{"copies", "0", "0", "Copies: type a whole number"};
        QTest::newRow("more copies than a byte") << QStringList{"copies", "300", "300", "Copies:"};
        QTest::newRow("negative margin from the file") << QStringList{"", "", "", "Left margin:"};
        QTest::newRow("no underscore") << QStringList{"language", "de_CH", "deCH", ""};
        QTest::newRow("unfinished language") << QStringList{"language", "de-", "de-", "Language:"};
    }
    void documentRefusesBadValues()
    {
        QFETCH(QStringList, row);
        const QString box = row[0], typed = row[1], shown = row[2], refused = row[3];
        auto doc = sampleDocument();
        if (box.isEmpty())
            doc->leftMargin = -5;
        const QByteArray before = saved(*doc);
        DocumentPropertiesDialog dialog;
        dialog.maj(doc.get());
        if (!box.isEmpty()) {
            type(&dialog, qPrintable(box), typed);
            QCOMPARE(text(&dialog, qPrintable(box)), shown);
        }
        click(&dialog, "bOK");
        if (refused.isEmpty()) {
            QVERIFY(m_ui.shown.isEmpty());
            QCOMPARE(dialog.result(), QDialog::Accepted);
            return;
        }
        QCOMPARE(dialog.result(), QDialog::Rejected);
        QCOMPARE(m_ui.shown.size(), 1);
        QVERIFY2(m_ui.shown.at(0).text.startsWith(refused), qPrintable(m_ui.shown.at(0).text));
        QCOMPARE(saved(*doc), before);
    }

    // cm -> in -> cm gives the lengths back exactly; inches show unrounded.
    void unitRoundTrip()
    {
        auto doc = sampleDocument();
        DocumentPropertiesDialog dialog;
        dialog.maj(doc.get());
        choose(&dialog, "unit", 5);
        QCOMPARE(text(&dialog, "ml"), QStringLiteral("0.590625"));
        choose(&dialog, "unit", 7);
        const QList<std::pair<const char *, double>> boxes = {
            {"ml", 1.5}, {"mr", 1.1}, {"mt", 2}, {"mb", 0.7}, {"gridSize", 0.2}, {"pageH", 29.7}};
        for (const auto &[box, value] : boxes)
            QVERIFY2(qAbs(text(&dialog, box).toDouble() - value) < 1e-12, box);
    }

    // Without printers every paper can be chosen and the dialog says why; runs again in a
    // child pointed at a print server that is not there.
    void noPrinterAcceptsEveryPaper()
    {
        if (qEnvironmentVariableIsEmpty("MIRT_PROPDIALOGS_CHILD")) {
            const ProgramRun child = runChildWithoutPrinters(
                QStringLiteral("MIRT_PROPDIALOGS_CHILD"), QStringLiteral("1"),
                {QStringLiteral("noPrinterAcceptsEveryPaper")});
            QVERIFY2(child.status == 0, qPrintable(child.out));
            return;
        }
        QCOMPARE(installedPrinterNames().size(), 0);
        auto doc = sampleDocument();
        DocumentPropertiesDialog dialog;
        dialog.maj(doc.get());
        auto *paper = child<QComboBox>(&dialog, "paperDoc");
        QCOMPARE(paper->count(), paperTable().size());
        for (int i = 0; i < paper->count(); ++i) {
            paper->setCurrentIndex(i);
            QVERIFY2(dialog.paperAccepted(), qPrintable(paper->currentText()));
        }
        const QString note = child<QLabel>(&dialog, "paperNote")->text();
        QVERIFY2(note.startsWith(QLatin1String("No printer is installed")), qPrintable(note));
        // A listed paper shows its size; "(other)" lets the user type one.
        auto *width = child<QLineEdit>(&dialog, "pageW");
        choose(&dialog, "paperDoc", 11); // A5
        QVERIFY(!width->isEnabled());
        QCOMPARE(width->text() + " x " + text(&dialog, "pageH"), QStringLiteral("14.8 x 21"));
        // A size of the report's own is written back as shown, in hundredths.
        choose(&dialog, "paperDoc", kPaperUserDefined);
        QVERIFY(width->isEnabled() && child<QLineEdit>(&dialog, "pageH")->isEnabled());
        width->setText(QStringLiteral("12.3456"));
        child<QLineEdit>(&dialog, "pageH")->setText(QStringLiteral("8"));
        dialog.majSizePaper();
        click(&dialog, "bOK");
        QCOMPARE(m_ui.shown.size(), 0);
        QCOMPARE(doc->paperType, kPaperUserDefined);
        QCOMPARE(doc->pageWidth, 12.35f);
        QCOMPARE(doc->pageHeight, 8.0f);
    }

    // A real printer refuses what it does not list; OK waits for a paper it takes.
    void printerRefusesUnlistedPaper_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("A4") << 9 << true;
        QTest::newRow("B4") << 12 << false;
        // The test printer takes no sizes of a report's own.
        QTest::newRow("own size") << kPaperUserDefined << false;
    }
    void printerRefusesUnlistedPaper()
    {
        QFETCH(int, code);
        QFETCH(bool, accepted);
        const QString printer = testPrinter();
        if (printer.isEmpty())
            QSKIP("No test print server (scripts/run-tests.sh starts one with CUPS)");
        auto doc = sampleDocument();
        doc->DocPrinterName = printer;
        const QByteArray before = saved(*doc);
        DocumentPropertiesDialog dialog;
        dialog.maj(doc.get());
        choose(&dialog, "paperDoc", code);
        QCOMPARE(dialog.paperAccepted(), accepted);
        QCOMPARE(child<QPushButton>(&dialog, "bOK")->isEnabled(), accepted);
        auto *note = child<QLabel>(&dialog, "paperNote");
        QCOMPARE(note->isHidden(), accepted);
        if (!accepted) {
            QCOMPARE(note->text(),
                     QStringLiteral("The printer driver doesn't accept or recognize this paper"));
            click(&dialog, "bOK");
            QCOMPARE(saved(*doc), before);
        }
    }

    // The names OK refuses, with their messages; nothing is written and the dialog stays open.
    void sectionName_data()
    {
        QTest::addColumn<Naming>("row");
        const QString chars = "The section name cannot contain any of these chars '\"><[]";
        const QString taken = "This section name already exist for another section, please "
                              "choose another name";
        const auto row = [](const char *name, const Naming &r) { QTest::newRow(name) << r; };
        row("parentheses", {"d2", "Orders (2)", chars});
        row("empty", {"d2", "", "Section name cannot be empty"});
        row("another data section", {"d2", "Customers", taken});
        row("footer named as header", {"pf", "Page header", ""});
    }
    void sectionName()
    {
        QFETCH(Naming, row);
        const auto &[key, name, message] = row;
        auto doc = sampleDocument();
        doc->sections.value(QStringLiteral("ph"))->sectionName = QStringLiteral("Page header");
        doc->sections.value(QStringLiteral("pf"))->sectionName = QStringLiteral("Page footer");
        ReportSection *sec = doc->sections.value(key);
        const QString oldName = sec->sectionName;
        SectionPropertiesDialog dialog;
        dialog.maj(sec);
        type(&dialog, "sectionName", name);
        click(&dialog, "Command1");
        QCOMPARE(shownTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(dialog.result(), message.isEmpty() ? QDialog::Accepted : QDialog::Rejected);
        QCOMPARE(sec->sectionName, message.isEmpty() ? name : oldName);
        QCOMPARE(sec->modified(), message.isEmpty());
    }

    void sectionOkAndCancel()
    {
        for (const bool ok : {false, true}) {
            auto doc = sampleDocument();
            const QByteArray before = saved(*doc);
            ReportSection *lines = doc->sections.value(QStringLiteral("d3"));
            SectionPropertiesDialog dialog;
            dialog.maj(lines);
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
            click(&dialog, ok ? "Command1" : "Command2");
            QCOMPARE(lines->modified(), ok);
            if (!ok) {
                QCOMPARE(saved(*doc), before);
                continue;
            }
            QCOMPARE(lines->SQL, QStringLiteral("SELECT * FROM Lines WHERE 1"));
            QCOMPARE(lines->visible, QStringLiteral("=[Qty] > 0"));
            QVERIFY(lines->pageBreakAfter && lines->mode == 1 && lines->sectionParent == 1);
            // The root has no parent to choose.
            SectionPropertiesDialog root;
            root.maj(doc->sections.value(QStringLiteral("d1")));
            QVERIFY(child<QWidget>(&root, "sectionAppearPanel")->isHidden());
        }
    }

    void addDataSection_data()
    {
        QTest::addColumn<Adding>("row");
        const auto row = [](const char *name, const Adding &r) { QTest::newRow(name) << r; };
        row("before the first", {"Before", 1, {2, 3, 4}, {0, 2, 3}});
        row("cancel", {"Before", 0, {1, 2, 3}, {0, 1, 2}});
    }
    void addDataSection()
    {
        QFETCH(Adding, row);
        const auto &[where, number, numbers, parents] = row;
        auto doc = sampleDocument();
        QList<ReportSection *> old;
        for (const char *key : {"d1", "d2", "d3"})
            old << doc->sections.value(QLatin1String(key));
        AddDataSectionDialog dialog;
        dialog.maj(doc.get());
        auto *sections = child<QComboBox>(&dialog, "sections");
        sections->setCurrentIndex(sections->findText(QStringLiteral("Customers")));
        child<QComboBox>(&dialog, "where")->setCurrentText(where);
        click(&dialog, number ? "bOK" : "bCancel");
        QCOMPARE(doc->nbSections(), number ? 6 : 5);
        QCOMPARE(dialog.added() ? dialog.added()->dataSectionNumber : 0, number);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(old[i]->dataSectionNumber, numbers[i]);
            QCOMPARE(old[i]->sectionParent, parents[i]);
        }
    }

    // The builder's texts open their databases; the document dialog's Test button says so.
    void connectionBuilder_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("source"); // a file to copy beside the report, or env
        QTest::addColumn<QString>("expected");
        const int sqlite = ConnectionBuilder::SqliteFile, access = ConnectionBuilder::AccessFile,
                  server = ConnectionBuilder::PostgreSqlServer;
        QTest::newRow("SQLite beside the report") << sqlite << MIRT_BINARY_DIR "/bin/demo.db"
                                                  << "Provider=SQLite;Data Source=demo.db";
        QTest::newRow("Access accdb")
            << access << MIRT_SHARED_DIR "/testdata/ASampleDatabase.accdb"
            << "Provider=Microsoft.ACE.OLEDB.12.0;Data Source=ASampleDatabase.accdb";
        QTest::newRow("Access mdb in a subfolder")
            << access << MIRT_SHARED_DIR "/testdata/DateTestDatabase.mdb"
            << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=data/DateTestDatabase.mdb";
        QTest::newRow("PostgreSQL") << server << "MIRT_PG_CONN" << QString();
        QTest::newRow("PostgreSQL with a password") << server << "MIRT_PG_PWCONN" << QString();
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
        if (kind != ConnectionBuilder::PostgreSqlServer) {
            const QString relative = expected.section(QStringLiteral("Data Source="), 1);
            QVERIFY(QDir(reportDir.path()).mkpath(QStringLiteral("data")));
            const QString copy = QDir(reportDir.path()).filePath(relative);
            QVERIFY(QFile::copy(source, copy));
            QVERIFY(QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
            type(&builder, "filePath", copy);
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
        QCOMPARE(builder.connectionString(), expected);
        // Read back into the builder, the text comes out the same.
        ConnectionBuilder again;
        again.setBaseDir(reportDir.path());
        again.setConnectionString(expected);
        QCOMPARE(again.connectionString(), expected);
        auto doc = sampleDocument();
        doc->fileName = QDir(reportDir.path()).filePath(QStringLiteral("report.xml"));
        doc->connectionStringData = expected;
        DocumentPropertiesDialog dialog;
        dialog.maj(doc.get());
        click(&dialog, "bTestDC");
        QCOMPARE(shownTexts(), QStringList{QStringLiteral("Test OK !")});
    }

    // A connection that cannot open gets the reason, and no "Test OK !".
    void connectionTestFails()
    {
        auto doc = sampleDocument();
        DocumentPropertiesDialog dialog;
        dialog.maj(doc.get());
        type(&dialog, "textConnString", QStringLiteral("Provider=SQLite;Data Source=none.db"));
        click(&dialog, "bTestTxTConn");
        QCOMPARE(shownTexts().size(), 1);
        QVERIFY2(shownTexts()[0].startsWith(QLatin1String("Impossible to open the connection")),
                 qPrintable(shownTexts()[0]));
    }
};

QTEST_MAIN(tst_PropDialogs)
#include "tst_propdialogs.moc"
