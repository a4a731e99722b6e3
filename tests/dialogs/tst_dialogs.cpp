#include "../datafixtures.h"
#include "../dialogtesting.h"
#include "designer/fieldspanel.h"
#include "designer/sectionpropertiesdialog.h"
#include "document/reportdocument.h"
#include "document/textitem.h"
#include "engine/printitemoutput.h"
#include "engine/reportrun.h"
#include "platform/settings.h"
#include "program/guistartupwindows.h"
#include "program/startup.h"
#include "viewer/aboutdialog.h"
#include "viewer/checkbox.h"
#include "viewer/fdebug.h"
#include "viewer/helpbutton.h"
#include "viewer/helpviewer.h"
#include "viewer/htmlexportdialog.h"

#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>

namespace {

void addPages(ReportDocument &doc, int count)
{
    for (int n = 1; n <= count; ++n) {
        PrintedPage *page = doc.run().pages.add();
        TextItem item;
        item.content = QStringLiteral("Text of page %page%");
        std::tie(item.x, item.y, item.w, item.h) = std::tuple(2.0f, 3.0f, 6.0f, 0.5f);
        addItemText(doc, *page, item, item.content, item.y, PageRecord::PageVariables);
    }
}

ErrorEntry entry(const QString &message, const QString &info)
{
    return ErrorEntry(QStringLiteral("TalvoDocument"), QStringLiteral("Evaluate"), message, info);
}

// A report on `database` with one data section per query.
void reportOn(ReportDocument &doc, const QString &database, const QStringList &queries)
{
    doc.init();
    doc.connectionStringData = sqlite(database);
    for (const QString &sql : queries)
        doc.addDataSection()->SQL = sql;
}

// Pages, the page shown, the folder, all pages, the files written.
using ExportRow = std::tuple<int, int, QString, bool, QStringList>;
// A database or none, the second query, the fields listed, the problem's start ("": none).
using Fields = std::tuple<bool, QString, int, QString>;

} // namespace

class tst_Dialogs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    const QString m_db = scratchPath(QStringLiteral("fields.db")); // T(ID, Name), 40 rows

private slots:
    void initTestCase()
    {
        // A private settings store: the "Start" setting of the user stays untouched.
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        QCOMPARE(createSqlite(m_db, {QStringLiteral("CREATE TABLE T (ID INTEGER, Name TEXT)"),
                                     QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                                                    "SELECT i + 1 FROM n WHERE i < 40) INSERT "
                                                    "INTO T SELECT i, 'Name ' || i FROM n")}),
                 QString());
    }

    void cleanup() { delete HelpViewer::instance(); }

    // The field list says why fields are missing instead of staying blank.
    void fieldListSaysWhy_data()
    {
        QTest::addColumn<Fields>("row");
        const auto row = [](const char *name, const Fields &r) { QTest::newRow(name) << r; };
        row("every field", {true, "SELECT Name FROM T", 3, ""});
        row("missing database", {false, "SELECT Name FROM T", 0, "No fields can be read:"});
        row("one query fails",
            {true, "SELECT Nope FROM T", 2, "The fields of some sections cannot be read:"});
    }
    void fieldListSaysWhy()
    {
        QFETCH(Fields, row);
        const auto &[database, secondQuery, rows, problem] = row;
        ReportDocument doc;
        reportOn(doc, database ? m_db : scratchPath(QStringLiteral("none.db")),
                 {QStringLiteral("SELECT ID, Name FROM T"), secondQuery});
        FieldsPanel fields;
        fields.resize(300, 300);
        fields.show();
        fields.setDocument(&doc);
        QCOMPARE(fields.list()->topLevelItemCount(), rows);
        auto *label = child<QLabel>(&fields, "fieldsProblem");
        QCOMPARE(label->isVisible(), !problem.isEmpty());
        QCOMPARE(fields.problem().section(u'\n', 0, 0), problem);
        if (!database) // the driver's own reason is named
            QVERIFY2(fields.problem().contains(doc.connectionError()),
                     qPrintable(fields.problem()));
        if (secondQuery.contains(QLatin1String("Nope")))
            QVERIFY(fields.problem().contains(QLatin1String("no such column: Nope")));
    }

    // The section dialog grows for the rows of Run, within the screen.
    void sectionRunShowsRows()
    {
        ReportDocument doc;
        reportOn(doc, m_db, {QStringLiteral("SELECT * FROM T")});
        int shown = 0;
        bool onScreen = false;
        onNextModal([&](QWidget *dialog) {
            click(dialog, "bRun");
            auto *grid = child<QTableView>(dialog, "runGrid");
            QApplication::processEvents();
            shown = grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize();
            onScreen = dialog->screen()->availableGeometry().contains(dialog->frameGeometry());
            dialog->close();
        });
        SectionPropertiesDialog dialog;
        dialog.editPropSection(doc.sections.value(QStringLiteral("d1")));
        QVERIFY2(shown >= 10, qPrintable(QString::number(shown)));
        QVERIFY(onScreen);
    }

    // The list as opened, read-only yet copyable (its text is checked in tst_errorlists; the
    // debug list goes through the same window).
    void listWindowShowsSnapshot()
    {
        ReportDocument doc;
        QString expected;
        for (int i = 0; i < 2; ++i) {
            doc.addError(entry(QStringLiteral("Type mismatch %1").arg(i),
                               QStringLiteral("=[a]+%1 evaluated like: =x+%1").arg(i)));
            expected += QLatin1Char('\n') + doc.errorLst.last().pureText() + QLatin1Char('\n');
        }
        QApplication::clipboard()->clear();
        QString shownText, afterAddition, copiedAll, afterTyping;
        bool readOnly = false;
        onNextModal([&](QWidget *window) {
            if (auto *text = child<QPlainTextEdit>(window, "Text1")) {
                shownText = text->toPlainText();
                readOnly = text->isReadOnly();
                // A later entry does not show: the window is a snapshot.
                doc.addError(entry(QStringLiteral("addedAfterwards"), QString()));
                QCoreApplication::processEvents();
                afterAddition = text->toPlainText();

                // Read-only, yet the text can be selected and copied.
                text->setFocus();
                QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
                copiedAll = QApplication::clipboard()->text();
                QTest::keyClicks(text, QStringLiteral("typed"));
                afterTyping = text->toPlainText();
            }
            window->close();
        });
        fDebug::ShowErrors(doc, nullptr);
        QVERIFY(readOnly);
        // Neither later entries nor typing change it; it is copied whole.
        for (const QString &text : {shownText, afterAddition, afterTyping, copiedAll})
            QCOMPARE(text, expected);
    }

    void welcomeChoiceAndStartSetting_data()
    {
        QTest::addColumn<QString>("action"); // a button's name, or "close"
        QTest::addColumn<bool>("tickNever");
        QTest::addColumn<QString>("file"); // a demo opens in the designer
        QTest::newRow("demo") << "bDemo" << false << "demo.xml";
        QTest::newRow("empty document") << "bClose" << false << "";
        QTest::newRow("never, closed") << "close" << true << "";
    }
    void welcomeChoiceAndStartSetting()
    {
        QFETCH(QString, action);
        QFETCH(bool, tickNever);
        QFETCH(QString, file);

        writeSetting(startSettingKey(), QString());
        GuiStartupWindows windows;
        bool tickedOnEntry = true;
        onNextModal([&](QWidget *window) {
            auto *never = child<CheckBox>(window, "bNever");
            QVERIFY(never);
            tickedOnEntry = never->value();
            if (tickNever)
                QTest::mouseClick(never->Check1(), Qt::LeftButton);
            if (action == QLatin1String("close"))
                window->close();
            else
                click(window, action.toLatin1().constData());
        });
        const CommandLine chosen = chooseCommandLine(CommandLine(), windows);

        QVERIFY(!tickedOnEntry); // shown only while "Start" is empty
        QCOMPARE(chosen.value(QStringLiteral("f")), file);
        QCOMPARE(chosen.has(QStringLiteral("e")), !file.isEmpty());
        // That "never" then keeps the dialog away is checked in tst_startup.
        QCOMPARE(readSetting(startSettingKey()), tickNever ? QStringLiteral("never") : QString());
    }

    void helpButtonOpensTopic_data()
    {
        QTest::addColumn<QString>("topic"); // "-" leaves the default
        QTest::addColumn<QString>("page");
        dataRow("default", "-", "index.htm");
        dataRow("designer", "/emode.htm", "emode.htm");
        dataRow("unknown topic", "/nothere.htm", "index.htm");
        dataRow("outside the help", "/../CMakeLists.txt", "index.htm");
    }
    void helpButtonOpensTopic()
    {
        QFETCH(QString, topic);
        HelpButton button;
        if (topic != QLatin1String("-"))
            button.setTopicHtmFile(topic);
        button.resize(90, 30);
        button.show();
        QTest::mouseClick(button.bHelp(), Qt::LeftButton);

        HelpViewer *viewer = HelpViewer::instance();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QVERIFY(!viewer->isModal());
        QTEST(viewer->source().fileName(), "page");
        // Help left open must not keep the program running.
        QVERIFY(!viewer->testAttribute(Qt::WA_QuitOnClose));

        // One help window for the whole program.
        HelpButton other;
        other.setTopicHtmFile(QStringLiteral("/graph.htm"));
        other.Action();
        QCOMPARE(HelpViewer::instance(), viewer);
        QCOMPARE(viewer->source().fileName(), QStringLiteral("graph.htm"));
    }

    // The help window opens whole on the screen, even with a large font.
    void helpNavigation()
    {
        const QFont usual = QApplication::font();
        QFont font = usual;
        font.setPointSizeF(usual.pointSizeF() * 2);
        QApplication::setFont(font);
        HelpViewer *viewer = HelpViewer::showTopic(QStringLiteral("/"));
        QApplication::setFont(usual);
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        const QRect room = viewer->screen()->availableGeometry();
        QVERIFY(room.contains(viewer->frameGeometry()));
        QVERIFY(viewer->width() > room.width() / 3);
        QTextBrowser *browser = viewer->browser();
        auto *back = child<QToolButton>(viewer, "helpBack");
        QVERIFY(!back->isEnabled());

        // Follow the index's link to the designer page as a reader would.
        browser->setSource(browser->source().resolved(QUrl(QStringLiteral("emode.htm"))));
        QCOMPARE(viewer->source().fileName(), QStringLiteral("emode.htm"));
        QVERIFY(back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(viewer->source().fileName(), QStringLiteral("index.htm"));
        QTest::mouseClick(child<QToolButton>(viewer, "helpForward"), Qt::LeftButton);
        QCOMPARE(viewer->source().fileName(), QStringLiteral("emode.htm"));
        QTest::mouseClick(child<QToolButton>(viewer, "helpHome"), Qt::LeftButton);
        QCOMPARE(viewer->source().fileName(), QStringLiteral("index.htm"));

        // A help folder of one's own: Back leads to that folder's index.
        delete viewer;
        QTemporaryDir dir;
        QVERIFY(saveBytes(dir.filePath(QStringLiteral("index.htm")),
                          "<html><head><title>Own index</title></head><body><a "
                          "href=\"t.htm\">t</a></body></html>"));
        QVERIFY(saveBytes(dir.filePath(QStringLiteral("t.htm")),
                          "<html><head><title>Own topic</title></head><body>x</body></html>"));

        HelpButton button;
        button.setHelpFile(dir.path());
        button.setTopicHtmFile(QStringLiteral("/t.htm"));
        button.Action();
        QVERIFY(HelpViewer::instance()->windowTitle().endsWith(QStringLiteral("Own topic")));
        QTest::mouseClick(child<QToolButton>(HelpViewer::instance(), "helpBack"), Qt::LeftButton);
        QVERIFY(HelpViewer::instance()->windowTitle().endsWith(QStringLiteral("Own index")));
    }

    void helpPagesAndLinks_data()
    {
        QTest::addColumn<QString>("page");
        const QDir help(HelpViewer::builtInHelpDir());
        for (const QString &page : help.entryList({QStringLiteral("*.htm")}, QDir::Files))
            QTest::newRow(qPrintable(page)) << page;
    }
    void helpPagesAndLinks()
    {
        QFETCH(QString, page);
        const QDir help(HelpViewer::builtInHelpDir());
        const QString html = QString::fromUtf8(bytesIn(help.filePath(page)));
        QVERIFY(!html.isEmpty());
        QVERIFY(!html.contains(QChar::ReplacementCharacter));
        QVERIFY2(html.contains(QRegularExpression(QStringLiteral("<title>[^<]+</title>"))),
                 "every page has a title");

        const QRegularExpression hrefRx(QStringLiteral("href=\"([^\"]+)\""));
        for (const QRegularExpressionMatch &m : hrefRx.globalMatch(html)) {
            const QUrl link(m.captured(1));
            if (link.scheme().startsWith(QLatin1String("http")))
                continue;
            QVERIFY2(link.isRelative(), qPrintable(m.captured(1)));
            const QString target = link.path();
            QVERIFY2(help.exists(target), qPrintable(page + QStringLiteral(" -> ") + target));
            if (link.hasFragment())
                QVERIFY2(bytesIn(help.filePath(target))
                             .contains(("name=\"" + link.fragment() + '"').toUtf8()),
                         qPrintable(page + QStringLiteral(" -> ") + m.captured(1)));
        }
    }

    void checkBoxValueAndClick_data()
    {
        QTest::addColumn<bool>("enabled");   // a click toggles an enabled box only
        QTest::addColumn<QString>("action"); // "mouse" or "space"
        QTest::newRow("mouse ticks") << true << "mouse";
        QTest::newRow("space ticks") << true << "space";
        QTest::newRow("disabled") << false << "mouse";
    }
    void checkBoxValueAndClick()
    {
        QFETCH(bool, enabled);
        QFETCH(QString, action);
        CheckBox box;
        box.setEnabledState(enabled);
        box.resize(260, 24);
        box.show();

        QSignalSpy clicked(&box, &CheckBox::Click);
        QSignalSpy downs(&box, &CheckBox::MouseDown);
        QSignalSpy keys(&box, &CheckBox::KeyDown);
        if (action == QLatin1String("mouse")) {
            QTest::mouseClick(box.Check1(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 12));
            QCOMPARE(downs.count(), enabled ? 1 : 0);
        } else if (action == QLatin1String("space")) {
            box.Check1()->setFocus();
            QTest::keyClick(box.Check1(), Qt::Key_Space);
            QCOMPARE(keys.count(), 1);
            QCOMPARE(keys.first().at(0).toInt(), int(Qt::Key_Space));
        }
        QCOMPARE(box.value(), enabled);
        QCOMPARE(clicked.count(), enabled ? 1 : 0);
    }

    void aboutBox()
    {
        QString drivers;
        bool closedByOk = false;
        onNextModal([&](QWidget *window) {
            drivers = child<QLabel>(window, "lblDrivers")->text();
            click(window, "cmdOK");
            closedByOk = !window->isVisible();
        });
        showAbout(nullptr);
        QVERIFY(closedByOk);
        for (const QString &driver : QSqlDatabase::drivers())
            QVERIFY2(drivers.contains(driver), qPrintable(driver));
    }

    void exportHtml_data()
    {
        // The folder below the temporary one ("": the dialog's own); the files named are read.
        QTest::addColumn<ExportRow>("row");
        QTest::newRow("page shown") << ExportRow{3, 2, "", false, {"sales-page-002.html"}};
        QTest::newRow("beyond the last") << ExportRow{3, 9, "", false, {"sales-page-003.html"}};
        const QStringList some = {"sales-page-001.html", "sales-page-006.html",
                                  "sales-page-012.html"};
        QTest::newRow("many pages") << ExportRow{12, 1, "", true, some};
        QTest::newRow("new folder")
            << ExportRow{2, 1, "out/html", false, {"out/html/sales-page-001.html"}};
    }
    void exportHtml()
    {
        QFETCH(ExportRow, row);
        const auto &[pages, shownPage, folder, allPages, written] = row;
        QTemporaryDir dir;
        ReportDocument doc;
        doc.docName = QStringLiteral("Sales");
        doc.fileName = dir.filePath(QStringLiteral("sales.xml"));
        QVERIFY(saveBytes(doc.fileName, {}));
        addPages(doc, pages);
        doc.run().currentPage = 1;

        QString shownDir;
        onNextModal([&](QWidget *window) {
            auto *expDir = child<QLineEdit>(window, "expDir");
            shownDir = QDir::fromNativeSeparators(expDir->text());
            if (!folder.isEmpty())
                expDir->setText(dir.filePath(folder));
            if (allPages)
                click(window, "optAll");
            click(window, "bOK");
        });
        QVERIFY(runHtmlExportDialog(doc, shownPage, nullptr));
        // The dialog starts beside the report.
        QCOMPARE(shownDir, QDir(dir.path()).absolutePath());
        // Exporting leaves the page the preview shows alone.
        QCOMPARE(doc.run().currentPage, 1);
        const QStringList files =
            QDir(dir.filePath(folder)).entryList({QStringLiteral("*.html")}, QDir::Files);
        QCOMPARE(int(files.size()), allPages ? pages : 1);
        for (const QString &name : written) {
            const QString html = QString::fromUtf8(bytesIn(dir.filePath(name)));
            const int page =
                name.section(QLatin1String("-page-"), 1).section(QLatin1Char('.'), 0, 0).toInt();
            QVERIFY2(html.contains(QStringLiteral("Text of page %1<").arg(page)), qPrintable(name));
        }
    }

    void exportHtmlRefusals_data()
    {
        QTest::addColumn<QString>("target"); // below the temporary folder
        QTest::addColumn<int>("answer");     // the button pressed in the message box
        QTest::addColumn<QString>("message");
        const int ok = QMessageBox::Ok;
        QTest::newRow("a file, not a folder") << "taken.txt" << ok << "is a file, not a folder";
        QTest::newRow("folder below a file") << "taken.txt/sub" << ok << "Cannot create the folder";
        QTest::newRow("existing file kept") << "" << int(QMessageBox::No) << "already exists";
        QTest::newRow("existing file replaced") << "" << int(QMessageBox::Yes) << "already exists";
    }
    void exportHtmlRefusals()
    {
        QFETCH(QString, target);
        QFETCH(int, answer);
        QFETCH(QString, message);
        const bool replaced = answer == QMessageBox::Yes; // only Yes writes over a file

        QTemporaryDir dir;
        const QString old = dir.filePath(QStringLiteral("report-page-001.html"));
        QVERIFY(saveBytes(dir.filePath(QStringLiteral("taken.txt")), {}));
        QVERIFY(saveBytes(old, "old"));
        ReportDocument doc;
        addPages(doc, 2);

        QString shownMessage;
        bool stayedOpen = false;
        onNextModal([&](QWidget *window) {
            child<QLineEdit>(window, "expDir")->setText(dir.filePath(target));
            onNextModal(
                [&](QWidget *box) {
                    auto *messageBox = static_cast<QMessageBox *>(box);
                    shownMessage = messageBox->text();
                    QAbstractButton *b = messageBox->button(QMessageBox::StandardButton(answer));
                    QVERIFY(b);
                    QTest::mouseClick(b, Qt::LeftButton);
                },
                window);
            click(window, "bOK");
            stayedOpen = window->isVisible();
            if (stayedOpen)
                click(window, "bCancel");
        });
        const bool done = runHtmlExportDialog(doc, 1, nullptr);

        QVERIFY2(shownMessage.contains(message), qPrintable(shownMessage));
        QCOMPARE(done, replaced);
        QCOMPARE(stayedOpen, !replaced);
        QCOMPARE(bytesIn(old) == "old", !replaced);
    }

    void exportWithoutPagesSaysSo()
    {
        ReportDocument doc;
        QString shown;
        onNextModal([&](QWidget *window) {
            shown = static_cast<QMessageBox *>(window)->text();
            window->close();
        });
        QVERIFY(!runHtmlExportDialog(doc, 1, nullptr));
        QVERIFY(shown.contains(QStringLiteral("no finished page")));
    }
};

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
