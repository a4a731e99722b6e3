#include "app/settings.h"
#include "app/startup.h"
#include "designer/guistartupwindows.h"
#include "document/item.h"
#include "document/talvodocument.h"
#include "viewer/btnopenhelp.h"
#include "viewer/fdebug.h"
#include "viewer/fexporthtml.h"
#include "viewer/frmabout.h"
#include "viewer/fstart.h"
#include "viewer/helpviewer.h"
#include "viewer/talvocheckbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

// Runs `action` on the next modal window other than `notThis` once it is on
// screen. Modal windows block in exec(), so the test acts from inside their
// event loop.
void onNextModal(std::function<void(QWidget *)> action, QWidget *notThis = nullptr)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action, notThis] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == notThis || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

template <class T> T *child(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no child %s in %s", name, qPrintable(window->objectName()));
    return found;
}

void click(QWidget *window, const char *name)
{
    QAbstractButton *button = child<QAbstractButton>(window, name);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void addPages(TalvoDocument &doc, int count)
{
    for (int n = 1; n <= count; ++n) {
        auto *page = doc.Pages.add(QStringLiteral("p%1").arg(n), std::make_unique<PrintedPage>());
        auto item = std::make_unique<Item>();
        item->content = QStringLiteral("Text of page %page%");
        item->x = 2;
        item->y = 3;
        item->w = 6;
        item->h = 0.5f;
        page->add(QStringLiteral("i1"), std::move(item));
    }
}

talvoError entry(const QString &message, const QString &info)
{
    return talvoError(QStringLiteral("TalvoDocument"), QStringLiteral("Evaluate"), message, info);
}

const QString kIncomplete = QStringLiteral(
    "List incomplete, process still running (to refresh close this window and open again)");

} // namespace

class tst_Dialogs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

private slots:
    void initTestCase()
    {
        // A private settings store: the "Start" setting of the user stays untouched.
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    }

    void cleanup()
    {
        if (HelpViewer *viewer = HelpViewer::instance())
            delete viewer;
    }

    // ---- Errors and debug lists ----

    void listWindowShowsSnapshot_data()
    {
        QTest::addColumn<bool>("errors");
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("working");
        QTest::addColumn<QString>("caption");

        QTest::newRow("two errors") << true << 2 << false << "Errors list";
        QTest::newRow("no error, idle") << true << 0 << false << "Errors list";
        QTest::newRow("no error, running") << true << 0 << true << "Errors list";
        QTest::newRow("long list, running") << true << 500 << true << "Errors list";
        QTest::newRow("debug lines") << false << 3 << false << "Debug list";
        QTest::newRow("no debug line") << false << 0 << false << "Debug list";
    }
    void listWindowShowsSnapshot()
    {
        QFETCH(bool, errors);
        QFETCH(int, entries);
        QFETCH(bool, working);
        QFETCH(QString, caption);

        TalvoDocument doc;
        doc.dbg = true;
        doc.working = working;
        QString expected;
        for (int i = 0; i < entries; ++i) {
            if (errors) {
                doc.addError(entry(QStringLiteral("Type mismatch %1").arg(i),
                                   QStringLiteral("=[a]+%1 evaluated like: =x+%1").arg(i)));
                expected +=
                    QLatin1Char('\n') + doc.errorLst.last().GetPureText() + QLatin1Char('\n');
            } else {
                doc.addDebugList(QStringLiteral("createPrintItem, offset calculated : %1").arg(i));
                expected += QLatin1Char('\n') + doc.debugLst.last();
            }
        }
        if (working)
            expected += QStringLiteral("\n\n") + kIncomplete;

        QString shownCaption, shownText, afterAddition;
        bool readOnly = false;
        onNextModal([&](QWidget *window) {
            shownCaption = window->windowTitle();
            if (auto *text = child<QPlainTextEdit>(window, "Text1")) {
                shownText = text->toPlainText();
                readOnly = text->isReadOnly();
                // A later entry does not show: the window is a snapshot.
                doc.addError(entry(QStringLiteral("addedAfterwards"), QString()));
                doc.addDebugList(QStringLiteral("addedAfterwards"));
                QCoreApplication::processEvents();
                afterAddition = text->toPlainText();
            }
            window->close();
        });
        if (errors)
            fDebug::ShowErrors(doc, nullptr);
        else
            fDebug::ShowDebug(doc, nullptr);

        QCOMPARE(shownCaption, caption);
        QCOMPARE(shownText, expected);
        QVERIFY(readOnly);
        QCOMPARE(afterAddition, shownText);
        if (working)
            QVERIFY(shownText.endsWith(kIncomplete));
    }

    void errorTextCanBeSelectedAndCopied()
    {
        TalvoDocument doc;
        doc.addError(
            entry(QStringLiteral("Division by zero"), QStringLiteral("=1/0 evaluated like: =1/0")));
        doc.addError(
            entry(QStringLiteral("Overflow"), QStringLiteral("=9^999 evaluated like: =9^999")));
        QApplication::clipboard()->clear();

        QString copiedAll, copiedWord, afterTyping;
        onNextModal([&](QWidget *window) {
            auto *text = child<QPlainTextEdit>(window, "Text1");
            QVERIFY(text);
            text->setFocus();
            QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
            copiedAll = QApplication::clipboard()->text();

            // A double click selects the word under the mouse.
            QTextCursor at = text->document()->find(QStringLiteral("Overflow"));
            at.setPosition(at.selectionStart() + 2);
            const QPoint where = text->cursorRect(at).center();
            QTest::mouseDClick(text->viewport(), Qt::LeftButton, Qt::NoModifier, where);
            QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
            copiedWord = QApplication::clipboard()->text();

            QTest::keyClicks(text, QStringLiteral("typed"));
            afterTyping = text->toPlainText();
            window->close();
        });
        fDebug::ShowErrors(doc, nullptr);

        QVERIFY2(copiedAll.contains(doc.errorLst.at(0).GetPureText()), qPrintable(copiedAll));
        QVERIFY(copiedAll.contains(doc.errorLst.at(1).GetPureText()));
        QCOMPARE(copiedWord, QStringLiteral("Overflow"));
        QVERIFY(!afterTyping.contains(QStringLiteral("typed")));
    }

    // ---- Welcome dialog ----

    void welcomeTexts()
    {
        fStart welcome;
        QCOMPARE(welcome.windowTitle(), QStringLiteral("Welcome in Mirt"));
        QCOMPARE(child<QLabel>(&welcome, "Label1")->text(),
                 QStringLiteral(
                     "This is your first start with Mirt, do you want to open any DEMO file ?"));
        QCOMPARE(child<QPushButton>(&welcome, "bDemo")->text(),
                 QStringLiteral("Open \"&demo.xml\", a report with many data sections"));
        QCOMPARE(child<QPushButton>(&welcome, "bGraph")->text(),
                 QStringLiteral("Open \"demo &graph.xml\", a report with charts"));
        QCOMPARE(child<QPushButton>(&welcome, "bClose")->text(),
                 QStringLiteral("&Open an empty document"));
        QCOMPARE(child<talvoCheckBox>(&welcome, "bNever")->caption(),
                 QStringLiteral("Never show again at the start"));
    }

    void welcomeChoiceAndStartSetting_data()
    {
        QTest::addColumn<QString>("action"); // a button's name, or "close" / "escape"
        QTest::addColumn<bool>("tickNever");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("designer");
        QTest::addColumn<QString>("setting");

        QTest::newRow("demo") << "bDemo" << false << "demo.xml" << true << "";
        QTest::newRow("charts demo") << "bGraph" << false << "demo graph.xml" << true << "";
        QTest::newRow("empty document") << "bClose" << false << "" << false << "";
        QTest::newRow("closed by the frame") << "close" << false << "" << false << "";
        QTest::newRow("escape") << "escape" << false << "" << false << "";
        QTest::newRow("never, demo") << "bDemo" << true << "demo.xml" << true << "never";
        QTest::newRow("never, closed") << "close" << true << "" << false << "never";
    }
    void welcomeChoiceAndStartSetting()
    {
        QFETCH(QString, action);
        QFETCH(bool, tickNever);
        QFETCH(QString, file);
        QFETCH(bool, designer);
        QFETCH(QString, setting);

        writeSetting(startSettingKey(), QString());
        GuiStartupWindows windows;
        bool tickedOnEntry = true;
        onNextModal([&](QWidget *window) {
            auto *never = child<talvoCheckBox>(window, "bNever");
            QVERIFY(never);
            tickedOnEntry = never->value();
            if (tickNever)
                QTest::mouseClick(never->Check1(), Qt::LeftButton);
            if (action == QLatin1String("close"))
                window->close();
            else if (action == QLatin1String("escape"))
                QTest::keyClick(window, Qt::Key_Escape);
            else
                click(window, action.toLatin1().constData());
        });
        const CommandLine chosen = chooseCommandLine(CommandLine(), windows);

        QVERIFY(!tickedOnEntry); // shown only while "Start" is empty
        QCOMPARE(chosen.value(QStringLiteral("f")), file);
        QCOMPARE(chosen.has(QStringLiteral("e")), designer);
        QCOMPARE(readSetting(startSettingKey()), setting);

        if (setting == QLatin1String("never")) {
            // From now on the dialog does not come back.
            bool shown = false;
            QTimer::singleShot(0, [&] {
                if (QWidget *modal = QApplication::activeModalWidget()) {
                    shown = true;
                    modal->close();
                }
            });
            QVERIFY(chooseCommandLine(CommandLine(), windows).isBlank());
            QCoreApplication::processEvents();
            QVERIFY(!shown);
        }
    }

    // ---- Help ----

    void helpButtonOpensTopic_data()
    {
        QTest::addColumn<QString>("topic"); // "-" leaves the default
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");

        QTest::newRow("default") << "-"
                                 << "index.htm"
                                 << "Mirt help";
        QTest::newRow("contents") << "/"
                                  << "index.htm"
                                  << "Mirt help";
        QTest::newRow("designer") << "/emode.htm"
                                  << "emode.htm"
                                  << "The designer";
        QTest::newRow("preview") << "/pmode.htm"
                                 << "pmode.htm"
                                 << "The preview";
        QTest::newRow("document") << "/docprop.htm"
                                  << "docprop.htm"
                                  << "Document properties";
        QTest::newRow("section") << "/secprop.htm"
                                 << "secprop.htm"
                                 << "Section properties";
        QTest::newRow("text item") << "/fields.htm"
                                   << "fields.htm"
                                   << "Text items, fields and formulas";
        QTest::newRow("picture") << "/pics.htm"
                                 << "pics.htm"
                                 << "Pictures";
        QTest::newRow("chart") << "/graph.htm"
                               << "graph.htm"
                               << "Charts";
        QTest::newRow("about box") << "/morehelp.htm"
                                   << "morehelp.htm"
                                   << "More help";
        QTest::newRow("unknown topic") << "/nothere.htm"
                                       << "index.htm"
                                       << "Mirt help";
        QTest::newRow("outside the help") << "/../CMakeLists.txt"
                                          << "index.htm"
                                          << "Mirt help";
    }
    void helpButtonOpensTopic()
    {
        QFETCH(QString, topic);
        QFETCH(QString, page);
        QFETCH(QString, title);

        btnOpenHelp button;
        if (topic != QLatin1String("-"))
            button.setTopicHtmFile(topic);
        button.resize(90, 30);
        button.show();
        QCOMPARE(button.bHelp()->geometry(), button.rect()); // the button fills the control
        QTest::mouseClick(button.bHelp(), Qt::LeftButton);

        HelpViewer *viewer = HelpViewer::instance();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QVERIFY(!viewer->isModal());
        QCOMPARE(viewer->source().fileName(), page);
        QVERIFY2(viewer->windowTitle().endsWith(QStringLiteral(" - ") + title),
                 qPrintable(viewer->windowTitle()));
        // Help left open must not keep the program running.
        QVERIFY(!viewer->testAttribute(Qt::WA_QuitOnClose));

        // One help window for the whole program.
        btnOpenHelp other;
        other.setTopicHtmFile(QStringLiteral("/graph.htm"));
        other.Action();
        QCOMPARE(HelpViewer::instance(), viewer);
        QCOMPARE(viewer->source().fileName(), QStringLiteral("graph.htm"));
    }

    void helpFromAnotherFolder()
    {
        QTemporaryDir dir;
        QFile index(dir.filePath(QStringLiteral("index.htm")));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("<html><head><title>Own index</title></head><body><a "
                    "href=\"t.htm\">t</a></body></html>");
        index.close();
        QFile topic(dir.filePath(QStringLiteral("t.htm")));
        QVERIFY(topic.open(QIODevice::WriteOnly));
        topic.write("<html><head><title>Own topic</title></head><body>x</body></html>");
        topic.close();

        btnOpenHelp button;
        button.setHelpFile(dir.path());
        button.setTopicHtmFile(QStringLiteral("/t.htm"));
        button.Action();
        QVERIFY(HelpViewer::instance()->windowTitle().endsWith(QStringLiteral("Own topic")));
        // Back and the contents button lead to that folder's index.
        QTest::mouseClick(child<QToolButton>(HelpViewer::instance(), "helpBack"), Qt::LeftButton);
        QVERIFY(HelpViewer::instance()->windowTitle().endsWith(QStringLiteral("Own index")));
    }

    void helpNavigation()
    {
        HelpViewer *viewer = HelpViewer::showTopic(QStringLiteral("/"));
        QTextBrowser *browser = viewer->browser();
        auto *back = child<QToolButton>(viewer, "helpBack");
        auto *forward = child<QToolButton>(viewer, "helpForward");
        auto *home = child<QToolButton>(viewer, "helpHome");
        QVERIFY(!back->isEnabled());

        // Follow the index's link to the designer page as a reader would.
        browser->setSource(browser->source().resolved(QUrl(QStringLiteral("emode.htm"))));
        QCOMPARE(viewer->source().fileName(), QStringLiteral("emode.htm"));
        QVERIFY(back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(viewer->source().fileName(), QStringLiteral("index.htm"));
        QVERIFY(viewer->windowTitle().endsWith(QStringLiteral("Mirt help")));
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(viewer->source().fileName(), QStringLiteral("emode.htm"));
        QTest::mouseClick(home, Qt::LeftButton);
        QCOMPARE(viewer->source().fileName(), QStringLiteral("index.htm"));
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
        const QString html = readAll(help.filePath(page));
        QVERIFY(!html.isEmpty());
        QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        QVERIFY(!html.contains(QChar::ReplacementCharacter));
        const QRegularExpression titleRx(QStringLiteral("<title>([^<]+)</title>"));
        QVERIFY2(titleRx.match(html).hasMatch(), "every page has a title");
        QVERIFY(html.contains(QStringLiteral("href=\"help.css\"")));

        const QRegularExpression hrefRx(QStringLiteral("href=\"([^\"]+)\""));
        for (const QRegularExpressionMatch &m : hrefRx.globalMatch(html)) {
            const QUrl link(m.captured(1));
            if (link.scheme().startsWith(QLatin1String("http")))
                continue;
            QVERIFY2(link.isRelative(), qPrintable(m.captured(1)));
            const QString target = link.path();
            QVERIFY2(help.exists(target), qPrintable(page + QStringLiteral(" -> ") + target));
            if (link.hasFragment()) {
                const QString anchor = link.fragment();
                QVERIFY2(readAll(help.filePath(target))
                             .contains(QStringLiteral("name=\"%1\"").arg(anchor)),
                         qPrintable(page + QStringLiteral(" -> ") + m.captured(1)));
            }
        }
    }

    void everyTopicIsInTheContents()
    {
        const QDir help(HelpViewer::builtInHelpDir());
        const QString index = readAll(help.filePath(QStringLiteral("index.htm")));
        for (const char *topic : {"emode.htm", "pmode.htm", "docprop.htm", "secprop.htm",
                                  "fields.htm", "pics.htm", "graph.htm", "morehelp.htm"}) {
            QVERIFY2(help.exists(QLatin1String(topic)), topic);
            QVERIFY2(index.contains(QStringLiteral("href=\"%1\"").arg(QLatin1String(topic))),
                     topic);
        }
    }

    // ---- Check box ----

    void checkBoxValueAndClick_data()
    {
        QTest::addColumn<bool>("initial");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("action"); // "mouse", "space" or "code"
        QTest::addColumn<bool>("value");
        QTest::addColumn<int>("clicks");

        QTest::newRow("mouse ticks") << false << true << "mouse" << true << 1;
        QTest::newRow("mouse unticks") << true << true << "mouse" << false << 1;
        QTest::newRow("space ticks") << false << true << "space" << true << 1;
        QTest::newRow("value set in code") << false << true << "code" << true << 0;
        QTest::newRow("disabled") << false << false << "mouse" << false << 0;
    }
    void checkBoxValueAndClick()
    {
        QFETCH(bool, initial);
        QFETCH(bool, enabled);
        QFETCH(QString, action);
        QFETCH(bool, value);
        QFETCH(int, clicks);

        talvoCheckBox box;
        box.setCaption(QStringLiteral("Page &break after this section"));
        box.setValue(initial);
        box.setEnabledState(enabled);
        box.resize(260, 24);
        box.show();
        QCOMPARE(box.Check1()->isChecked(), initial);
        QCOMPARE(box.Check1()->geometry(), box.rect());

        QSignalSpy clicked(&box, &talvoCheckBox::Click);
        QSignalSpy downs(&box, &talvoCheckBox::MouseDown);
        QSignalSpy keys(&box, &talvoCheckBox::KeyDown);
        if (action == QLatin1String("mouse")) {
            QTest::mouseClick(box.Check1(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 12));
            QCOMPARE(downs.count(), enabled ? 1 : 0);
        } else if (action == QLatin1String("space")) {
            box.Check1()->setFocus();
            QTest::keyClick(box.Check1(), Qt::Key_Space);
            QCOMPARE(keys.count(), 1);
            QCOMPARE(keys.first().at(0).toInt(), int(Qt::Key_Space));
        } else {
            box.setValue(value);
        }
        QCOMPARE(box.value(), value);
        QCOMPARE(box.Check1()->isChecked(), value);
        QCOMPARE(clicked.count(), clicks);
    }

    void checkBoxProperties()
    {
        talvoCheckBox box;
        QSignalSpy changed(&box, &talvoCheckBox::propertyChanged);
        QCOMPARE(box.caption(), QString());
        QCOMPARE(box.alignment(), short(0));
        QVERIFY(!box.value());
        QCOMPARE(box.Check1()->layoutDirection(), Qt::LeftToRight);

        box.setCaption(QStringLiteral("Never show again at the start"));
        box.setAlignment(1); // box right of the caption
        box.setForeColor(QColor(200, 0, 0));
        box.setBorderStyle(1);
        QCOMPARE(box.Check1()->text(), QStringLiteral("Never show again at the start"));
        QCOMPARE(box.Check1()->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(box.foreColor(), QColor(200, 0, 0));
        QVERIFY(box.frameWidth() > 0);
        QCOMPARE(changed.count(), 4);
        // The stored layout reads and writes the properties by their names.
        QVERIFY(box.setProperty("Value", true));
        QVERIFY(box.value());
        QCOMPARE(box.property("Caption").toString(),
                 QStringLiteral("Never show again at the start"));
    }

    // ---- About box ----

    void aboutBox()
    {
        QMap<QString, QString> texts;
        bool closedByOk = false;
        onNextModal([&](QWidget *window) {
            texts[QStringLiteral("caption")] = window->windowTitle();
            for (const char *name :
                 {"lblTitle", "lblVersion", "lblDescription", "lblQt", "lblDrivers"})
                texts[QLatin1String(name)] = child<QLabel>(window, name)->text();
            texts[QStringLiteral("topic")] =
                child<btnOpenHelp>(window, "btnOpenHelp1")->topicHtmFile();
            click(window, "cmdOK");
            closedByOk = !window->isVisible();
        });
        showAbout(nullptr);

        QVERIFY(closedByOk);
        QCOMPARE(texts.value("caption"), QStringLiteral("About Talvo Mirt"));
        QCOMPARE(texts.value("lblTitle"), QStringLiteral("Talvo Mirt"));
        QCOMPARE(texts.value("lblVersion"), QStringLiteral("Version 1.0.1"));
        QCOMPARE(texts.value("lblDescription"),
                 QStringLiteral("This software allows you to create reports from databases like MS "
                                "Access or from any ODBC sources."));
        QVERIFY(texts.value("lblQt").contains(QString::fromLatin1(qVersion())));
        for (const QString &driver : QSqlDatabase::drivers())
            QVERIFY2(texts.value("lblDrivers").contains(driver), qPrintable(driver));
        QCOMPARE(texts.value("topic"), QStringLiteral("/morehelp.htm"));
    }

    // ---- HTML export ----

    void exportHtml_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("shownPage");
        QTest::addColumn<QString>("folder"); // below the temporary folder; "" = the dialog's own
        QTest::addColumn<bool>("allPages");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("written");

        QTest::newRow("page shown")
            << 3 << 2 << "" << false << "bOK" << QStringList{"sales-page-002.html"};
        QTest::newRow("first page")
            << 3 << 1 << "" << false << "bOK" << QStringList{"sales-page-001.html"};
        QTest::newRow("beyond the last")
            << 3 << 9 << "" << false << "bOK" << QStringList{"sales-page-003.html"};
        QTest::newRow("all pages")
            << 3 << 2 << "" << true << "bOK"
            << QStringList{"sales-page-001.html", "sales-page-002.html", "sales-page-003.html"};
        QTest::newRow("many pages")
            << 12 << 1 << "" << true << "bOK"
            << QStringList{"sales-page-001.html", "sales-page-006.html", "sales-page-012.html"};
        QTest::newRow("new folder") << 2 << 1 << "out/html" << false << "bOK"
                                    << QStringList{"out/html/sales-page-001.html"};
        QTest::newRow("cancel") << 3 << 1 << "" << true << "bCancel" << QStringList();
    }
    void exportHtml()
    {
        QFETCH(int, pages);
        QFETCH(int, shownPage);
        QFETCH(QString, folder);
        QFETCH(bool, allPages);
        QFETCH(QString, button);
        QFETCH(QStringList, written);

        QTemporaryDir dir;
        TalvoDocument doc;
        doc.docName = QStringLiteral("Sales");
        doc.fileName = dir.filePath(QStringLiteral("sales.xml"));
        QFile report(doc.fileName);
        QVERIFY(report.open(QIODevice::WriteOnly));
        report.close();
        addPages(doc, pages);
        doc.CurrentPage = 1;

        QString shownDir;
        onNextModal([&](QWidget *window) {
            QCOMPARE(window->windowTitle(), QStringLiteral("Export to HTML"));
            auto *expDir = child<QLineEdit>(window, "expDir");
            shownDir = QDir::fromNativeSeparators(expDir->text());
            if (!folder.isEmpty())
                expDir->setText(dir.filePath(folder));
            if (allPages)
                click(window, "optAll");
            click(window, button.toLatin1().constData());
        });
        const bool done = fExportHTML_run(doc, shownPage, nullptr);

        QCOMPARE(done, button == QLatin1String("bOK"));
        // The dialog starts beside the report.
        QCOMPARE(shownDir, QDir(dir.path()).absolutePath());
        // Exporting leaves the page the preview shows alone.
        QCOMPARE(doc.CurrentPage, 1);
        QStringList files = QDir(dir.path()).entryList({QStringLiteral("*.html")}, QDir::Files);
        if (!folder.isEmpty())
            files = QDir(dir.filePath(folder)).entryList({QStringLiteral("*.html")}, QDir::Files);
        QCOMPARE(int(files.size()), written.isEmpty() ? 0 : (allPages ? pages : 1));
        for (const QString &name : written) {
            const QString html = readAll(dir.filePath(name));
            const int page =
                name.section(QLatin1String("-page-"), 1).section(QLatin1Char('.'), 0, 0).toInt();
            QVERIFY2(html.contains(QStringLiteral("<TITLE>Sales (page %1)</TITLE>").arg(page)),
                     qPrintable(name));
            QVERIFY2(html.contains(QStringLiteral("Text of page %1<").arg(page)), qPrintable(name));
        }
    }

    void exportHtmlRefusals_data()
    {
        QTest::addColumn<QString>("target"); // below the temporary folder
        QTest::addColumn<QString>("answer"); // to a question, if one is asked
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("replaced");

        QTest::newRow("a file, not a folder") << "taken.txt"
                                              << ""
                                              << "is a file, not a folder" << false;
        QTest::newRow("folder below a file") << "taken.txt/sub"
                                             << ""
                                             << "Cannot create the folder" << false;
        QTest::newRow("existing file kept") << ""
                                            << "No"
                                            << "already exists" << false;
        QTest::newRow("existing file replaced") << ""
                                                << "Yes"
                                                << "already exists" << true;
    }
    void exportHtmlRefusals()
    {
        QFETCH(QString, target);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        QFETCH(bool, replaced);

        QTemporaryDir dir;
        QFile taken(dir.filePath(QStringLiteral("taken.txt")));
        QVERIFY(taken.open(QIODevice::WriteOnly));
        taken.close();
        QFile old(dir.filePath(QStringLiteral("report-page-001.html")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        TalvoDocument doc;
        addPages(doc, 2);

        QString shownMessage;
        bool stayedOpen = false;
        onNextModal([&](QWidget *window) {
            child<QLineEdit>(window, "expDir")->setText(dir.filePath(target));
            onNextModal(
                [&](QWidget *box) {
                    shownMessage = static_cast<QMessageBox *>(box)->text();
                    auto *messageBox = static_cast<QMessageBox *>(box);
                    QAbstractButton *b =
                        messageBox->button(answer == QLatin1String("Yes")  ? QMessageBox::Yes
                                           : answer == QLatin1String("No") ? QMessageBox::No
                                                                           : QMessageBox::Ok);
                    QVERIFY(b);
                    QTest::mouseClick(b, Qt::LeftButton);
                },
                window);
            click(window, "bOK");
            stayedOpen = window->isVisible();
            if (stayedOpen)
                click(window, "bCancel");
        });
        const bool done = fExportHTML_run(doc, 1, nullptr);

        QVERIFY2(shownMessage.contains(message), qPrintable(shownMessage));
        QCOMPARE(done, replaced);
        QCOMPARE(stayedOpen, !replaced);
        QCOMPARE(readAll(old.fileName()) == QLatin1String("old"), !replaced);
    }

    void exportWithoutPagesSaysSo()
    {
        TalvoDocument doc;
        QString shown;
        onNextModal([&](QWidget *window) {
            shown = static_cast<QMessageBox *>(window)->text();
            window->close();
        });
        QVERIFY(!fExportHTML_run(doc, 1, nullptr));
        QVERIFY(shown.contains(QStringLiteral("no finished page")));
    }
};

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
