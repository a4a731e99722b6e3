// The preview window driven as a user drives it: runs on real SQLite files, keys
// and clicks while pages come, Stop, closing, zoom, find and export.
#include "../datafixtures.h"
#include "document/reportdocument.h"
#include "document/reportsection.h"
#include "document/textitem.h"
#include "document/userinteraction.h"
#include "engine/reportrun.h"
#include "viewer/previewexport.h"
#include "viewer/previewfind.h"
#include "viewer/previewpageview.h"
#include "viewer/previewrender.h"
#include "viewer/previewthumbnails.h"
#include "viewer/previewwindow.h"
#include "viewer/viewzoom.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

// Rows(ID, Name) with IDs 1..20000, named "Row 1", "Row 2", …
QString fixtureDb()
{
    static const QString path = makeSqliteFile(
        scratchPath(QStringLiteral("preview.db")),
        {QStringLiteral("CREATE TABLE Rows (ID INTEGER, Name TEXT)"),
         QStringLiteral("INSERT INTO Rows WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                        "FROM n WHERE i < 20000) SELECT i, 'Row ' || i FROM n")});
    return path;
}

TextItem *textItem(ReportSection *sec, const QString &content, float x = 1, float w = 8)
{
    TextItem *item = sec->newTextItem();
    item->content = content;
    item->x = x;
    item->y = 0;
    item->w = w;
    item->h = 0.5f;
    return item;
}

// A4 in centimetres; a page header "Page %page% of %pages%" and ten rows a
// page (one 2 cm band per row) unless `headers` is false. `rows` rows.
std::unique_ptr<ReportDocument> listReport(int rows, bool headers = true)
{
    auto doc = std::make_unique<ReportDocument>();
    doc->clearSections();
    doc->connectionStringData = sqlite(fixtureDb());
    doc->pageWidth = 21;
    doc->pageHeight = 29.7f;
    doc->topMargin = 1;
    doc->bottomMargin = 1;
    if (headers) {
        doc->setPageHeader(true);
        ReportSection *ph = doc->sections.value(QStringLiteral("ph"));
        ph->Height = 1;
        textItem(ph, QStringLiteral("Page %page% of %pages%"), 10, 8);
    }
    ReportSection *list = doc->addDataSection();
    list->sectionName = QStringLiteral("Rows");
    list->Height = 2.5f;
    list->SQL = QStringLiteral("SELECT ID, Name FROM Rows WHERE ID <= %1 ORDER BY ID").arg(rows);
    textItem(list, QStringLiteral("[Name]"));
    doc->orderSections();
    doc->clearModified();
    return doc;
}

QString panel(const PreviewWindow &w, const char *name)
{
    const auto *label = w.findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no panel>");
}

void run(PreviewWindow &w, ReportDocument &doc, bool hide = false)
{
    bool thenPrint = false, dialog = false;
    w.PrintPreview(&doc, thenPrint, dialog, hide);
}

QToolButton *button(PreviewWindow &w, const char *key)
{
    return w.findChild<QToolButton *>(QLatin1String("button_") + QLatin1String(key));
}

// Runs `then` once, at the first yield after page `page` is complete (the
// window must yield at every record: a fast run may not yield otherwise).
void atPage(ReportDocument &doc, int page, std::function<void()> then)
{
    auto done = std::make_shared<bool>(false);
    QObject::connect(&doc, &ReportDocument::pageFinished, &doc, [=, &doc](int finished) {
        if (finished == page && !*done) {
            *done = true;
            QTimer::singleShot(0, &doc, then); // never after the test's end
        }
    });
}

// Share of pixels that are not (nearly) white.
double inkShare(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    qint64 ink = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ink += qGray(line[x]) < 200;
    }
    return double(ink) / (qint64(rgb.width()) * rgb.height());
}

// Ink on the sheet as the page view shows it.
double sheetInk(PreviewWindow &w)
{
    return inkShare(w.pageView()->viewport()->grab().toImage().copy(w.pageView()->pageRect()));
}

void wheel(QWidget *viewport, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWheelEvent e(QPointF(50, 50), viewport->mapToGlobal(QPointF(50, 50)), QPoint(),
                  QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &e);
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT
    ScriptedInteraction *ui = nullptr;
    std::unique_ptr<ReportDocument> m_listDoc;
    std::unique_ptr<PreviewWindow> m_list;

    // 40 rows (five pages), run once for the tests that only look: at 100 %, page 1.
    PreviewWindow &listWindow()
    {
        if (!m_list) {
            m_listDoc = listReport(40);
            m_list = std::make_unique<PreviewWindow>();
            run(*m_list, *m_listDoc);
        }
        QApplication::setActiveWindow(m_list.get());
        m_list->zoom()->setFactor(1.0);
        QTest::keyClick(m_list->pageView(), Qt::Key_Home);
        return *m_list;
    }

private slots:
    void init() { UserInteraction::setCurrent(ui = new ScriptedInteraction); }
    void cleanup()
    {
        UserInteraction::setCurrent(nullptr);
        delete ui;
    }
    void cleanupTestCase()
    {
        m_list.reset();
        m_listDoc.reset();
    }

    // 29.7 - 2 margins - 1 header - 2 (no footer: its room) leaves 24.7 cm: nine
    // rows of 2.5 cm. The debug list follows a child query per record.
    void runShowsPages()
    {
        const int pages = 5;
        auto doc = listReport(40);
        doc->dbg = true;
        ReportSection *child = doc->addDataSection();
        child->sectionName = QStringLiteral("Again");
        child->sectionParent = 1;
        child->Height = 0;
        child->SQL = QStringLiteral("SELECT ID FROM Rows WHERE ID = {[Rows].[ID]}");
        doc->orderSections();
        PreviewWindow w;
        run(w, *doc);
        QCOMPARE(doc->pageCount(), pages);
        QCOMPARE(panel(w, "status"), QStringLiteral("ready"));
        QCOMPARE(panel(w, "pages"), QStringLiteral("Page 1/%1").arg(pages));
        // Shown: the window and the debug list; progress, Stop and errors gone; print ready.
        QCOMPARE((QList<bool>{w.isVisible(), w.findChild<QProgressBar *>("PB1")->isVisibleTo(&w),
                              w.action("stop")->isEnabled(), w.action("errors")->isVisible(),
                              w.action("m_debug")->isVisible(), w.action("print")->isEnabled()}),
                 (QList<bool>{true, false, false, false, true, true}));
        qsizetype at = 0; // the starts of these lines, in order
        for (const char *line :
             {"Query of \"Rows\": SELECT ID, Name FROM Rows WHERE ID <= 40 ORDER BY ID -> 40 "
              "records, ",
              "Query of \"Again\": SELECT ID FROM Rows WHERE ID = 1 -> 1 record, ",
              "Query of \"Again\": SELECT ID FROM Rows WHERE ID = 2 -> 1 record, ",
              "Page 1: records 1 to 9 of \"Rows\"", "Page 5: records 37 to 40 of \"Rows\"",
              "Run complete: 5 pages, 40 of 40 records, "}) {
            while (at < doc->debugLst.size() && !doc->debugLst.at(at).startsWith(line))
                ++at;
            QVERIFY2(at < doc->debugLst.size(),
                     qPrintable(line + QStringLiteral(" not in order in:\n") +
                                doc->debugLst.join(u'\n')));
        }
        QVERIFY(ui->shown.isEmpty());
        QCOMPARE(w.findChild<QListView *>(QStringLiteral("thumbnails"))->model()->rowCount(),
                 pages);
        QVERIFY(sheetInk(w) > 0.0005); // the page is drawn
    }

    void pagingKeys_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("page");
        using K = QList<int>;
        QTest::newRow("space goes back") << K{Qt::Key_Right, Qt::Key_Right, Qt::Key_Space} << 2;
        QTest::newRow("left at the first page") << K{Qt::Key_Left} << 1;
        QTest::newRow("right stops at the last page") << K{Qt::Key_End, Qt::Key_Right} << 5;
    }
    void pagingKeys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, page);
        PreviewWindow &w = listWindow();
        auto *box = w.findChild<QSpinBox *>(QStringLiteral("pageNumber"));
        // The window sees the keys first, whichever control has them: a tool
        // button would take Space for a click.
        for (QWidget *target :
             {static_cast<QWidget *>(w.pageView()), static_cast<QWidget *>(button(w, "print"))}) {
            QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
            QApplication::sendEvent(target, &home);
            for (int key : keys)
                QTest::keyClick(target, Qt::Key(key));
            QCOMPARE(w.pageView()->page(), page);
            QCOMPARE(panel(w, "pages"), QStringLiteral("Page %1/5").arg(page));
            QCOMPARE(box->value(), page);
        }
        // Typing in the page number box is typing, not paging.
        box->setValue(2);
        QTest::keyClick(box, Qt::Key_Left);
        QCOMPARE(w.currentPage(), 2);
    }

    void keysWhileRunning()
    {
        auto doc = listReport(3000);
        PreviewWindow w;
        w.yieldInterval = 0; // a yield per record: atPage's moment comes in any case
        int pagesAtEnd = 0, rowsAtPage5 = -1;
        QString panelAtEnd;
        bool workingAtEnd = false;
        double inkOfPage1 = 0;
        auto *thumbs = w.findChild<QListView *>(QStringLiteral("thumbnails"));
        // The complete page 1 is on display as soon as page 2 is started.
        atPage(*doc, 1, [&] { inkOfPage1 = sheetInk(w); });
        atPage(*doc, 5, [&] {
            rowsAtPage5 = thumbs->model()->rowCount();
            QTest::keyClick(w.pageView(), Qt::Key_End);
            pagesAtEnd = doc->pageCount();
            panelAtEnd = panel(w, "pages");
            workingAtEnd = doc->run().working;
            QCOMPARE(panel(w, "status"), QStringLiteral("working..."));
            QVERIFY(w.findChild<QProgressBar *>(QStringLiteral("PB1"))->isVisible());
            QVERIFY(!w.action(QStringLiteral("open"))->isEnabled());
        });
        run(w, *doc);
        QVERIFY(workingAtEnd && inkOfPage1 > 0.0005 && pagesAtEnd >= 6 && rowsAtPage5 >= 6);
        QCOMPARE(panelAtEnd, QStringLiteral("Page %1/%1").arg(pagesAtEnd));
        // The run went on; the page chosen then stays on display.
        QVERIFY(doc->pageCount() > pagesAtEnd);
        QCOMPARE(w.currentPage(), pagesAtEnd);
        QCOMPARE(panel(w, "pages"),
                 QStringLiteral("Page %1/%2").arg(pagesAtEnd).arg(doc->pageCount()));
        QCOMPARE(thumbs->model()->rowCount(), int(doc->pageCount()));
        // Drawn while the total grew ("Page 6 of 7"), drawn again with the final
        // total: the page on display and its thumbnail.
        PreviewPageView *view = w.pageView();
        view->viewport()->grab();
        QCOMPARE(view->cachedPicture(), renderPreviewPage(*doc, pagesAtEnd, view->pixelsPerInch(),
                                                          view->devicePixelRatioF()));
        auto *strip = qobject_cast<PreviewThumbnailModel *>(thumbs->model());
        PreviewThumbnailModel fresh;
        fresh.setDocument(doc.get());
        fresh.setThumbnailWidth(strip->thumbnailWidth(), strip->pixelRatio());
        auto picture = [](const QAbstractItemModel &m, int row) {
            return m.data(m.index(row, 0), Qt::DecorationRole).value<QPixmap>().toImage();
        };
        QCOMPARE(picture(*strip, pagesAtEnd - 1), picture(fresh, pagesAtEnd - 1));
    }

    // Closing is refused while pages come; Stop (button or Escape) ends the run.
    void stopDuringRun_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("stop button") << false;
        QTest::newRow("escape key") << true;
    }
    void stopDuringRun()
    {
        QFETCH(bool, byKey);
        auto doc = listReport(20000);
        PreviewWindow w;
        w.yieldInterval = 0;
        QSignalSpy unloaded(&w, &PreviewWindow::unloaded);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QApplication::setActiveWindow(&w);
        QStringList during; // print or export enabled, the panel...
        atPage(*doc, 3, [&] {
            // A cut report would look complete ("Page 3 of 3"): no print or export yet.
            bool enabled = false;
            for (const char *key : {"print", "m_print", "export", "exportHtml", "html"})
                enabled |= w.action(QLatin1String(key))->isEnabled();
            during << QString::number(enabled);
            w.Print_(); // a shortcut or a stale click
            during << panel(w, "status") << QString::number(w.close());
            QVERIFY(w.isVisible());
            if (byKey)
                QTest::keyClick(w.pageView(), Qt::Key_Escape);
            else
                QTest::mouseClick(button(w, "stop"), Qt::LeftButton);
            during << panel(w, "status");
        });
        run(w, *doc);
        QCOMPARE(during,
                 (QStringList{"0", "Printing waits for the end of the run.", "0", "Stopping..."}));
        QVERIFY(doc->run().recordsDone < doc->run().rootRecords);
        const int pages = doc->pageCount();
        QVERIFY(pages < 2223 && !doc->run().working && w.runIncomplete()); // 20,000 rows make 2223
        QCOMPARE(panel(w, "status"),
                 QStringLiteral("Stopped: the report is incomplete, %1 pages made").arg(pages));
        // Only the refusal was said: a stopped run is no empty report.
        QCOMPARE(ui->shown.size(), 1);
        QCOMPARE(ui->shown.at(0).text,
                 QStringLiteral("Please stop the process before to close the window"));
        // Printing or exporting the cut report asks first, naming its pages: No
        // prints and exports nothing, Yes goes on.
        QTemporaryDir out;
        w.programDir = out.path();
        ui->answers = {UserInteraction::No, UserInteraction::No, UserInteraction::Yes};
        w.Print_();
        w.exportPages();
        w.exportHtmlTest();
        QCOMPARE(ui->shown.size(), 4);
        for (int i = 1; i < 4; ++i) {
            QVERIFY(ui->shown.at(i).text.contains(QStringLiteral("only the %1 pages").arg(pages)));
            QCOMPARE(ui->shown.at(i).buttons, UserInteraction::Yes | UserInteraction::No);
        }
        QVERIFY(ui->shown.at(1).text.endsWith(QStringLiteral("Print them anyway?")));
        QVERIFY(QFile::exists(out.filePath(QStringLiteral("test.html"))));
        QCOMPARE(unloaded.count(), 0);
        QVERIFY(w.close());
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(doc->nbSections(), 0);
        QCOMPARE(doc->pageCount(), 0);
    }

    void emptyReport_data()
    {
        QTest::addColumn<QList<UserInteraction::Button>>("answers");
        QTest::addColumn<bool>("badDatabase");
        QTest::addColumn<int>("runs");
        QTest::addColumn<bool>("hide");
        using A = QList<UserInteraction::Button>;
        QTest::newRow("retry then cancel")
            << A{UserInteraction::Retry, UserInteraction::Cancel} << false << 2 << false;
        QTest::newRow("missing database") << A{UserInteraction::Cancel} << true << 0 << false;
        // Nobody to ask: the hidden run ends, and the window never shows.
        QTest::newRow("hidden") << A{} << false << 1 << true;
    }
    void emptyReport()
    {
        QFETCH(QList<UserInteraction::Button>, answers);
        QFETCH(bool, badDatabase);
        QFETCH(bool, hide);
        auto doc = listReport(0, false);
        if (badDatabase)
            doc->connectionStringData = sqlite(scratchPath("none/x.db"));
        PreviewWindow w;
        QSignalSpy started(doc.get(), &ReportDocument::startWorking);
        QSignalSpy unloaded(&w, &PreviewWindow::unloaded);
        bool seen = false;
        connect(doc.get(), &ReportDocument::pageFinished, &w, [&] { seen |= w.isVisible(); });
        ui->answers = answers;
        run(w, *doc, hide);
        QTEST(int(started.count()), "runs");
        QCOMPARE(seen || w.isVisible(), !hide);
        QCOMPARE(unloaded.count(), int(hide));
        QCOMPARE(ui->shown.size(), answers.size());
        for (const auto &shown : std::as_const(ui->shown)) {
            QCOMPARE(shown.text,
                     QStringLiteral("The document seems to be empty, query again the database ?"));
            QVERIFY(shown.buttons & UserInteraction::Cancel);
        }
        // Cancel leaves the empty preview, open and usable.
        QCOMPARE(panel(w, "status"), QStringLiteral("ready"));
        QCOMPARE(w.action(QStringLiteral("errors"))->isVisible(), badDatabase);
        if (badDatabase)
            QVERIFY(doc->errorLst.constFirst().pureText().contains(QStringLiteral("x.db")));
    }

    // Closing the preview ends the program: changes made before the run (in the
    // designer) must not vanish because the run was stopped or failed.
    void closingKeepsChanges_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("failedRun");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("written");
        const int yes = UserInteraction::Yes, no = UserInteraction::No;
        QTest::newRow("unchanged, stopped") << false << false << yes << true << false;
        QTest::newRow("changed, stopped, save") << true << false << yes << true << true;
        QTest::newRow("changed, failed run, save") << true << true << yes << true << true;
        QTest::newRow("changed, stopped, don't save") << true << false << no << true << false;
        QTest::newRow("changed, stopped, cancel")
            << true << false << int(UserInteraction::Cancel) << false << false;
    }
    void closingKeepsChanges()
    {
        QFETCH(bool, changed);
        QFETCH(bool, failedRun);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("report.xml"));
        auto doc = listReport(20000);
        if (failedRun)
            doc->connectionStringData = QStringLiteral("Provider=SQLite;Data Source=missing/x.db");
        QVERIFY(doc->saveXml(file));
        doc->fileName = file;
        doc->clearModified();
        const QByteArray before = bytesIn(file);
        TextItem *item =
            static_cast<TextItem *>(doc->sections.value(QStringLiteral("d1"))->items.at(0));
        if (changed) {
            item->content = QStringLiteral("[Name] changed");
            item->modified = true;
        }
        PreviewWindow w;
        atPage(*doc, 2, [&] { w.stopRun(); });
        if (failedRun)
            ui->answers = {UserInteraction::Cancel}; // the empty question of the failed run
        run(w, *doc);
        ui->answers = {UserInteraction::Button(answer)};
        ui->shown.clear();
        QCOMPARE(w.close(), closes);
        QCOMPARE(ui->shown.size(), changed ? 1 : 0);
        const QByteArray after = bytesIn(file);
        QVERIFY(!after.isEmpty());
        QCOMPARE(after != before, written);
        if (written) {
            QVERIFY(after.contains("[Name] changed"));
            // Written at the design position, not where the run moved it.
            ReportDocument back;
            QVERIFY(back.loadXml(file));
            QCOMPARE(back.sections.value(QStringLiteral("d1"))->items.at(0)->y, 0.0f);
        }
        if (!closes) {
            QCOMPARE(doc->nbSections(), 2); // not released
            ui->answers = {UserInteraction::No};
            QVERIFY(w.close());
        }
    }

    void htmlButtonTarget_data()
    {
        QTest::addColumn<QString>("programDir"); // relative to a scratch folder
        QTest::addColumn<QString>("expected");   // "bin", "reports" or "" (fails)
        QTest::newRow("program folder writable") << QString("bin") << QString("bin");
        QTest::newRow("program folder missing") << QString("gone") << QString("reports");
        QTest::newRow("target is a folder") << QString("blocked") << QString();
    }
    void htmlButtonTarget()
    {
        QFETCH(QString, programDir);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const char *folder : {"bin", "reports", "blocked/test.html"}) // the last: no file
            QDir(dir.path()).mkpath(QLatin1String(folder));
        auto doc = listReport(12);
        doc->fileName = dir.filePath(QStringLiteral("reports/list.xml"));
        PreviewWindow w;
        w.programDir = dir.filePath(programDir);
        run(w, *doc);
        QTest::mouseClick(button(w, "html"), Qt::LeftButton);
        if (expected.isEmpty()) {
            QCOMPARE(ui->shown.size(), 1);
            QVERIFY(ui->shown.at(0).text.contains(dir.filePath("blocked/test.html")));
            QCOMPARE(panel(w, "status"), QStringLiteral("ready"));
            return;
        }
        const QString target = dir.filePath(expected + QStringLiteral("/test.html"));
        QVERIFY(ui->shown.isEmpty());
        const QByteArray text = bytesIn(target);
        QVERIFY(text.contains("Row 1") && text.contains("Page 1 of 2"));
        QVERIFY(panel(w, "status").contains(target));
    }

    void zoom_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<double>("factor");
        QTest::newRow("ctrl+plus from 100") << "ctrl+" << 1.25;
        QTest::newRow("ctrl+wheel up from 100") << "wheel+" << 1.25;
        QTest::newRow("zoom out below 25 % stays") << "min" << 0.25;
        QTest::newRow("fit page") << "fitpage" << 0.0;
    }
    void zoom()
    {
        QFETCH(QString, action);
        QFETCH(double, factor);
        auto doc = listReport(40);
        PreviewWindow w;
        run(w, *doc);
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        ViewZoom *zoom = w.zoom();
        zoom->setFactor(1.0);
        if (action == QLatin1String("ctrl+"))
            QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier);
        else if (action == QLatin1String("wheel+"))
            wheel(w.pageView()->viewport(), 120, Qt::ControlModifier);
        else if (action == QLatin1String("min"))
            for (int i = 0; i < 20; ++i)
                zoom->zoomOut();
        else if (action == QLatin1String("fitpage"))
            zoom->setMode(ViewZoom::FitPage);
        PreviewPageView *view = w.pageView();
        if (factor == 0) { // the whole sheet in view: nothing to scroll
            QCOMPARE(view->verticalScrollBar()->maximum(), 0);
            QVERIFY(view->viewport()->rect().contains(view->pageRect()));
            return;
        }
        QCOMPARE(zoom->factor(), factor);
        // Real size: 21 cm (567 twips each) at the screen's resolution, times the zoom.
        const double expected = 21 * 567.0 / 1440 * view->logicalDpiX() * factor;
        QVERIFY(qAbs(view->pageSizePixels().width() - expected) <= 1);
        if (view->pageSizePixels().height() < view->viewport()->height())
            return;
        // PageDown moves one large step and stops at the end.
        QScrollBar *bar = view->verticalScrollBar();
        bar->setValue(0);
        QTest::keyClick(view, Qt::Key_PageDown);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(bar->value(), std::min(bar->pageStep() + bar->singleStep(), bar->maximum()));
        for (int i = 0; i < 200; ++i)
            QTest::keyClick(view, Qt::Key_PageDown);
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(0); // the sheet is drawn at any zoom
        QVERIFY(inkShare(view->viewport()->grab().toImage()) > 0.0002);
    }

    // A screen of pixel ratio 2 gets a picture with twice the pixels, drawn at
    // that size, not a 1x picture blown up.
    void crispAtPixelRatio()
    {
        listWindow();
        const QImage doubled = renderPreviewPage(*m_listDoc, 1, 96, 2);
        QCOMPARE(doubled.devicePixelRatio(), 2.0);
        const QImage a = doubled.convertToFormat(QImage::Format_RGB32);
        const QImage b =
            renderPreviewPage(*m_listDoc, 1, 192, 1).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(a.size(), b.size());
        qint64 differing = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                differing += qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64;
        QVERIFY(inkShare(a) > 0.0005);
        QVERIFY2(differing < a.width() * a.height() / 2000, qPrintable(QString::number(differing)));
    }

    void wheelTurnsPages()
    {
        PreviewWindow &w = listWindow();
        w.zoom()->setMode(ViewZoom::FitPage);
        QWidget *viewport = w.pageView()->viewport();
        wheel(viewport, -120);
        QCOMPARE(w.currentPage(), 2);
        wheel(viewport, -60); // half a notch past the end turns nothing yet
        QCOMPARE(w.currentPage(), 2);
        wheel(viewport, -60);
        QCOMPARE(w.currentPage(), 3);
        wheel(viewport, 120);
        QCOMPARE(w.currentPage(), 2);
        // At 400 % the wheel scrolls the sheet first.
        w.zoom()->setFactor(4.0);
        QScrollBar *bar = w.pageView()->verticalScrollBar();
        bar->setValue(0);
        wheel(viewport, -120);
        QCOMPARE(w.currentPage(), 2);
        QVERIFY(bar->value() > 0);
    }

    void find_data()
    {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("hits");
        QTest::addColumn<int>("firstPage");
        QTest::newRow("any case") << "row 1" << 11 << 1; // 1, 10..19
        QTest::newRow("page variable filled in") << "Page 3 of 5" << 1 << 3;
        QTest::newRow("nowhere") << "Column" << 0 << 1;
    }
    void find()
    {
        QFETCH(QString, needle);
        QFETCH(int, hits);
        PreviewWindow &w = listWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
        auto *text = w.findChild<QLineEdit *>(QStringLiteral("findText"));
        QVERIFY(text->isVisible() && text->hasFocus());
        QTest::keyClicks(text, needle);
        QTest::keyClick(text, Qt::Key_Return);
        QTEST(w.currentPage(), "firstPage");
        if (hits == 0) {
            QCOMPARE(panel(w, "findCount"), QStringLiteral("Not found"));
            return;
        }
        QCOMPARE(panel(w, "findCount"), QStringLiteral("1 of %1").arg(hits));
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(panel(w, "findCount"), QStringLiteral("%1 of %2").arg(hits > 1 ? 2 : 1).arg(hits));
        QTest::keyClick(&w, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(panel(w, "findCount"), QStringLiteral("1 of %1").arg(hits));
        // Every match lies on the line of its item, over the matched letters;
        // "Page 3 of 5" is in an item at x 10: the match starts there.
        const QList<PreviewFindHit> found = findInPages(*m_listDoc, needle, Qt::CaseInsensitive);
        QCOMPARE(found.size(), hits);
        for (const PreviewFindHit &hit : found)
            QVERIFY(hit.rect.width() > 0.3 && hit.rect.height() > 0.2 &&
                    hit.rect.left() >= 1 - 1e-3 && hit.rect.right() <= 18 + 1e-3);
        if (needle.startsWith(QLatin1String("Page")))
            QVERIFY(qAbs(found.at(0).rect.left() - 10) < 0.05);
        QTest::keyClick(text, Qt::Key_Escape); // closes the find bar
        QVERIFY(!text->isVisible());
    }

    void exportPages_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("firstText");
        using R = PreviewExportRequest;
        QTest::newRow("pdf range")
            << int(R::Pdf) << 2 << 3 << QStringList{"out.pdf"} << "Page 2 of 5";
        QTest::newRow("png shown page")
            << int(R::Png) << 4 << 4 << QStringList{"pngs/list-page-004.png"} << "";
        QTest::newRow("html all") << int(R::Html) << 1 << 5 << QStringList{"out.html"}
                                  << "Page 5 of 5";
        QTest::newRow("html range")
            << int(R::Html) << 2 << 3 << QStringList{"out-2.html", "out-3.html"} << "Page 2 of 5";
        // A spreadsheet holds the whole report, whatever the pages chosen.
        QTest::newRow("csv") << int(R::Csv) << 2 << 3 << QStringList{"out.csv"}
                             << "Row 1\r\nRow 2\r\n";
    }
    void exportPages()
    {
        QFETCH(int, format);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, files);
        QFETCH(QString, firstText);
        QTemporaryDir dir;
        listWindow();
        ReportDocument *doc = m_listDoc.get();
        doc->fileName = dir.filePath(QStringLiteral("list.xml"));
        PreviewExportRequest request;
        request.format = PreviewExportRequest::Format(format);
        request.fromPage = from;
        request.toPage = to;
        request.target = dir.filePath(format == PreviewExportRequest::Png    ? QString("pngs")
                                      : format == PreviewExportRequest::Html ? QString("out.html")
                                                                             : files.at(0));
        QStringList written;
        QString error;
        int steps = 0;
        const int current = std::exchange(doc->run().currentPage, 77);
        auto restore = qScopeGuard([&] { doc->run().currentPage = current; });
        // The counter a paused run counts on is left alone.
        QVERIFY2(exportPreviewPages(
                     *doc, request, [&](int, int) { return ++steps > 0; }, &written, &error),
                 qPrintable(error));
        QCOMPARE(written.size(), files.size());
        for (int i = 0; i < files.size(); ++i)
            QCOMPARE(written.at(i), dir.filePath(files.at(i)));
        QVERIFY(steps > 0);
        QCOMPARE(doc->run().currentPage, 77);
        if (format == PreviewExportRequest::Pdf) {
            QVERIFY(programOutput("pdfinfo", {written.at(0)})
                        .contains(QRegularExpression("Pages:\\s+2\\n")));
            QVERIFY(
                programOutput("pdftotext", {"-l", "1", written.at(0), "-"}).contains(firstText));
        } else if (format == PreviewExportRequest::Png) {
            const QImage page(written.at(0));
            QCOMPARE(page.width(), qRound(21 / 2.54 * 150));
            QVERIFY(inkShare(page) > 0.0005);
        } else if (format == PreviewExportRequest::Csv) {
            const QString csv = QString::fromUtf8(bytesIn(written.at(0)));
            QVERIFY(csv.startsWith(firstText) && csv.endsWith("Row 40\r\n"));
            QVERIFY(!csv.contains("Page"));
        } else {
            QVERIFY(QString::fromUtf8(bytesIn(written.at(0))).contains(firstText));
        }
    }

    // Only the page on display is marked in the strip, on the screen too: the
    // rows left behind are painted plain again.
    void thumbnailsMarkOnlyTheShownPage()
    {
        PreviewWindow &w = listWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *thumbs = w.findChild<QListView *>(QStringLiteral("thumbnails"));
        const QRgb marks[] = {
            thumbs->palette().color(QPalette::Active, QPalette::Highlight).rgb(),
            thumbs->palette().color(QPalette::Inactive, QPalette::Highlight).rgb()};
        auto markedRows = [&] {
            const QImage shot = w.screen()->grabWindow(w.winId()).toImage();
            QList<int> marked;
            for (int row = 0; row < 4; ++row) {
                const QRect r = thumbs->visualRect(thumbs->model()->index(row, 0));
                const QRect onShot(thumbs->viewport()->mapTo(&w, r.topLeft()), r.size());
                int count = 0;
                for (int y = onShot.top(); y <= onShot.bottom(); ++y)
                    for (int x = onShot.left(); x <= onShot.right(); ++x)
                        count += shot.valid(x, y) &&
                                 (shot.pixel(x, y) == marks[0] || shot.pixel(x, y) == marks[1]);
                if (count > 20)
                    marked << row;
            }
            return marked;
        };
        for (int page = 2; page <= 4; ++page) {
            QTest::keyClick(w.pageView(), Qt::Key_Right);
            QTest::qWait(50); // the strip repaints
            QCOMPARE(markedRows(), QList<int>{page - 1});
        }
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
