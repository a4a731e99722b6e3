// The designer's main window driven as a user drives it: real surfaces, menu actions and
// keys, questions answered by script, reports written to and read back from real files.
#include "../datafixtures.h"
#include "../dialogtesting.h"
#include "designer/designdocument.h"
#include "designer/designerwindow.h"
#include "designer/designview.h"
#include "designer/itembox.h"
#include "designer/recoveryfile.h"
#include "designer/sectionsurface.h"
#include "document/reportdocument.h"
#include "document/reportsection.h"
#include "document/textitem.h"
#include "document/userinteraction.h"
#include "engine/reportrun.h"
#include "platform/units.h"
#include "viewer/previewwindow.h"
#include "viewer/viewzoom.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStandardPaths>
#include <QTest>
#include <QUndoStack>
#include <QWheelEvent>

namespace {
// "Orders": A4 in cm, data sections 4 and 6 cm high, a text item in the first; the headers
// and footers in `flags` ("rh,ph,pf,rf") come after them, out of the report's order.
void fillReport(ReportDocument &doc, const QString &flags = QString(), int dataSections = 2)
{
    doc.init();
    doc.docName = QStringLiteral("Orders");
    const float heights[] = {4, 6, 3};
    for (int i = 0; i < dataSections; ++i)
        doc.addDataSection()->Height = heights[i % 3];
    if (dataSections > 0) {
        TextItem *item = doc.sections.value(QStringLiteral("d1"))->newTextItem();
        std::tie(item->x, item->y, item->w, item->h) = std::tuple(2.0f, 1.0f, 5.0f, 1.0f);
    }
    using T = ReportDocument;
    const QHash<QString, void (T::*)(bool)> switches{{"rh", &T::setReportHeader},
                                                     {"ph", &T::setPageHeader},
                                                     {"pf", &T::setPageFooter},
                                                     {"rf", &T::setReportFooter}};
    for (const QString &f : flags.split(u',', Qt::SkipEmptyParts))
        (doc.*switches.value(f))(true);
    doc.clearModified();
}

// A report filled as above, saved as `file` (when given), in a window.
struct Designer
{
    ReportDocument doc;
    DesignerWindow w;
    explicit Designer(const QString &file = QString(), const QString &flags = QString(),
                      int dataSections = 2)
    {
        fillReport(doc, flags, dataSections);
        doc.fileName = file;
        w.init(&doc);
    }
};

QStringList surfaceKeys(const DesignerWindow &w)
{
    QStringList keys;
    for (int i = 0; i < w.nbSections(); ++i)
        keys << w.surface(i)->sectionRef()->Key();
    return keys;
}

void trigger(const DesignerWindow &w, const char *name)
{
    QAction *a = w.action(QLatin1String(name));
    QVERIFY2(a, name);
    a->trigger();
}

// Headers and footers, data sections, the page header switched on then, the sections shown.
using Sections = std::tuple<QString, int, bool, QStringList>;
// The section removed, the answer, its name in the question, the sections left.
using Removal = std::tuple<QString, int, QString, QStringList>;
// A command or a dialog (how opened, its box, what is typed); the sections shown then.
using Edit = std::tuple<QString, QString, QString, QStringList>;

} // namespace

class tst_designwindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // Copies left by an earlier run would be offered again.
        QDir(RecoveryFile().folder()).removeRecursively();
    }
    void init()
    {
        ui = ScriptedInteraction();
        UserInteraction::setCurrent(&ui);
        reportPath = scratchPath(QStringLiteral("orders.xml"));
    }
    void cleanup() { UserInteraction::setCurrent(nullptr); }

    void drawSections_data()
    {
        QTest::addColumn<Sections>("row");
        const auto row = [](const char *name, const Sections &r) { QTest::newRow(name) << r; };
        row("all, added out of order",
            {"rf,pf,ph,rh", 2, false, {"rh", "ph", "d1", "d2", "pf", "rf"}});
        row("page header after report header", {"rh,pf", 2, true, {"rh", "ph", "d1", "d2", "pf"}});
        row("page header first without report header", {"rf", 1, true, {"ph", "d1", "rf"}});
        row("nothing shown", {"", 0, false, {}});
    }
    void drawSections()
    {
        QFETCH(Sections, row);
        const auto &[flags, dataSections, switchPageHeaderOn, expected] = row;
        Designer d({}, QStringLiteral("rh,ph,pf,rf"), 3); // leaves surplus surfaces behind
        auto &[doc, w] = d;
        fillReport(doc, flags, dataSections);
        w.drawSections();
        if (switchPageHeaderOn)
            trigger(w, "m_pageHead");
        QCOMPARE(surfaceKeys(w), expected);
        QCOMPARE(w.surfaceCount(), std::max<int>(int(expected.size()), 1));
        QCOMPARE(w.action(QStringLiteral("m_pageHead"))->isChecked(),
                 expected.contains(QStringLiteral("ph")));
        if (expected.isEmpty())
            QVERIFY(w.surface(0)->isHidden());
        for (int i = 1; i < expected.size(); ++i) {
            QVERIFY(!w.surface(i)->isHidden());
            QCOMPARE(w.surface(i)->y(), w.surface(i - 1)->y() + w.surface(i - 1)->height());
        }
    }

    void placesSurfaces_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<float>("pageWidth"); // 0: the paper's
        QTest::addColumn<double>("expectedWidthCm");
        QTest::newRow("portrait") << 1 << 21.0f << 21.0;
        QTest::newRow("landscape: the paper's height") << 2 << 21.0f << 29.7;
        QTest::newRow("no size stored: A4 paper") << 1 << 0.0f << 21.0;
    }
    void placesSurfaces()
    {
        QFETCH(int, orientation);
        QFETCH(float, pageWidth);
        QFETCH(double, expectedWidthCm);
        ReportDocument doc;
        fillReport(doc, QString(), 3);
        doc.pageOrientation = (unsigned char)orientation;
        doc.pageWidth = pageWidth;
        doc.pageHeight = pageWidth > 0 ? 29.7f : 0;
        DesignerWindow w;
        w.init(&doc);
        const double widthPx =
            convertUnit(expectedWidthCm, Unit::Centimetres, Unit::Twips) * w.scale();
        for (int i = 0; i < 3; ++i)
            QVERIFY2(qAbs(w.surface(i)->width() - widthPx) <= 1,
                     qPrintable(QString::number(w.surface(i)->width())));
    }

    void saveAs_data()
    {
        QTest::addColumn<bool>("chosen"); // a name is given; the report is handed over modified
        QTest::newRow("cancelled") << false;
        QTest::newRow("handed over modified, edited") << true;
    }
    void saveAs()
    {
        // A cancelled Save As keeps the name; a done one leaves nothing for Quit to ask.
        QFETCH(bool, chosen);
        const QString other = scratchPath(QStringLiteral("saved-as.xml"));
        QFile::remove(reportPath);
        QFile::remove(other);
        ReportDocument doc;
        fillReport(doc);
        doc.fileName = reportPath;
        if (chosen)
            doc.sections.value(QStringLiteral("d1"))->modified_ = true;
        DesignerWindow w;
        w.init(&doc);
        w.show();
        trigger(w, "m_pageHead");
        if (chosen)
            ui.fileNames = {other};
        trigger(w, "m_save_as");
        QCOMPARE(ui.fileDialogs, 1);
        QCOMPARE(doc.fileName, chosen ? other : reportPath);
        QVERIFY(!QFile::exists(reportPath));
        QCOMPARE(QFile::exists(other), chosen);
        if (!chosen)
            return;
        QVERIFY(!doc.modified());
        QVERIFY(!w.isWindowModified());
        trigger(w, "m_closeEditor");
        QCOMPARE(ui.shown.size(), 0);
        QVERIFY(!w.isVisible());
    }

    void pasteFollowsClipboard()
    {
        Designer d;
        auto &[doc, w] = d;
        auto *freeZone = w.findChild<QMenu *>(QStringLiteral("m_freeZone"));
        QVERIFY(freeZone);
        emit w.surface(1)->ClickRight(100, 100);
        QCOMPARE(w.currentSurface(), 1);
        QVERIFY(!w.action(QStringLiteral("m_paste"))->isEnabled());
        freeZone->hide();
        emit w.surface(0)->focusReceived();
        doc.sections.value(QStringLiteral("d1"))->items.at(0)->selected = true;
        trigger(w, "m_copy");
        emit w.surface(1)->ClickRight(100, 100);
        QVERIFY(w.action(QStringLiteral("m_paste"))->isEnabled());
        freeZone->hide();
    }

    void saveQuestion_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        // The answers themselves (No too) are checked in tst_document.
        for (const char *command : {"m_closeEditor", "f_new", "m_load"}) {
            QTest::addRow("%s Yes", command) << command << int(UserInteraction::Yes);
            QTest::addRow("%s Cancel", command) << command << int(UserInteraction::Cancel);
        }
    }
    void saveQuestion()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        // Yes saves and goes on (the report in the window is another then), Cancel stays.
        const bool saved = answer == UserInteraction::Yes;
        const bool replaced = answer != UserInteraction::Cancel;
        const QString other = scratchPath(QStringLiteral("other.xml"));
        ReportDocument second;
        fillReport(second, QStringLiteral("rf"), 1);
        QVERIFY(second.saveXml(other));
        Designer d(reportPath);
        auto &[doc, w] = d;
        w.show();
        trigger(w, "m_save");
        trigger(w, "m_pageHead");
        QVERIFY(doc.modified());
        ui.answers = {UserInteraction::Button(answer)};
        ui.fileNames = {other};
        w.action(command)->trigger();
        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(bytesIn(reportPath).contains("Page Header"), saved);
        if (command == QLatin1String("m_closeEditor")) {
            QCOMPARE(w.isVisible(), !replaced);
            QCOMPARE(doc.sections.isEmpty(), replaced);
        } else if (command == QLatin1String("f_new")) {
            QCOMPARE(doc.fileName.isEmpty(), replaced);
            QCOMPARE(surfaceKeys(w),
                     (replaced ? QStringList{"d1"} : QStringList{"ph", "d1", "d2"}));
        } else {
            QCOMPARE(ui.fileDialogs, replaced ? 1 : 0);
            QCOMPARE(doc.fileName, replaced ? other : reportPath);
            QCOMPARE(surfaceKeys(w),
                     (replaced ? QStringList{"d1", "rf"} : QStringList{"ph", "d1", "d2"}));
        }
        QCOMPARE(doc.modified(), !replaced);
    }

    void removeSection_data()
    {
        QTest::addColumn<Removal>("row");
        const auto row = [](const char *name, const Removal &r) { QTest::newRow(name) << r; };
        const int yes = UserInteraction::Yes, no = UserInteraction::No;
        row("data section, yes", {"d2", yes, "Data 2", {"ph", "d1"}});
        row("data section, no", {"d2", no, "Data 2", {"ph", "d1", "d2"}});
        row("page header, yes", {"ph", yes, "Page Header", {"d1", "d2"}});
    }
    void removeSection()
    {
        QFETCH(Removal, row);
        const auto &[key, answer, name, expected] = row;
        Designer d(reportPath, "ph");
        auto &[doc, w] = d;
        w.setCurrentSurface(int(surfaceKeys(w).indexOf(key)));
        ui.answers = {UserInteraction::Button(answer)};
        trigger(w, "m_removeSection");
        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown.at(0).text, QStringLiteral("Remove the section:%1 ?").arg(name));
        QCOMPARE(surfaceKeys(w), expected);
        QCOMPARE(doc.pageHeader(), expected.contains(QStringLiteral("ph")));
        QCOMPARE(w.action(QStringLiteral("m_pageHead"))->isChecked(), doc.pageHeader());
        trigger(w, "m_save");
        QCOMPARE(bytesIn(reportPath).contains("Page Header"), doc.pageHeader());
    }

    void unitChangeKeepsSizes_data()
    {
        // Options > Measure units, or the unit box of the document properties.
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<int>("unit");
        QTest::newRow("inches") << false << 5;
        QTest::newRow("millimetres, document properties") << true << 6;
    }
    void unitChangeKeepsSizes()
    {
        QFETCH(bool, dialog);
        QFETCH(int, unit);
        Designer d;
        auto &[doc, w] = d;
        trigger(w, "m_unit7"); // already the unit: nothing to record
        QCOMPARE(w.design()->stack()->count(), 0);
        const QByteArray snapshot = w.design()->snapshot();
        // What is on the page, in hundredths of twips: it keeps its size in any unit.
        const auto sizes = [&doc, &w, d1 = doc.sections.value(QStringLiteral("d1"))] {
            QList<qint64> out;
            for (double twips : {d1->items.at(0)->xt(), d1->items.at(0)->wt(), d1->HeightT(),
                                 convertUnit(doc.gridSize, doc.unit(), Unit::Twips),
                                 convertUnit(doc.leftMargin, doc.unit(), Unit::Twips),
                                 double(w.surface(0)->height())})
                out << qRound64(twips * 100);
            return out;
        };
        const QList<qint64> before = sizes();
        if (dialog) {
            bool answered = false;
            onNextModal([&](QWidget *box) {
                auto *units = child<QComboBox>(box, "unit");
                units->setCurrentIndex(units->findData(unit));
                answered = QMetaObject::invokeMethod(box, "accept");
            });
            trigger(w, "m_docProp");
            QVERIFY(answered);
        } else {
            trigger(w, qPrintable(QStringLiteral("m_unit%1").arg(unit)));
        }
        QCOMPARE(doc.unit(), unit);
        for (int u : {5, 6, 7})
            QCOMPARE(w.action(QStringLiteral("m_unit%1").arg(u))->isChecked(), u == unit);
        QCOMPARE(sizes(), before);
        // One step undoes it all.
        QCOMPARE(w.design()->stack()->count(), 1);
        trigger(w, "m_undo");
        QCOMPARE(w.design()->snapshot(), snapshot);
    }

    void keysZoomAndEdit()
    {
        Designer d(reportPath);
        auto &[doc, w] = d;
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        trigger(w, "m_save");
        const QByteArray saved = bytesIn(reportPath);
        const int width100 = w.surface(0)->width();
        QTest::keyClick(&w, Qt::Key_Equal, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(w.zoom()->percent(), 150);
        QVERIFY(qAbs(w.surface(0)->width() - 1.5 * width100) <= 2);
        for (int i = 0; i < 8; ++i)
            QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(w.zoom()->percent(), 50);
        QVERIFY(!w.action(QStringLiteral("m_zoomOut"))->isEnabled());
        // Ctrl + wheel on the page zooms instead of scrolling.
        QWidget *viewport = w.view()->viewport();
        QWheelEvent wheel(QPointF(20, 20), viewport->mapToGlobal(QPointF(20, 20)), QPoint(),
                          QPoint(0, 240), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(viewport, &wheel);
        QCOMPARE(w.zoom()->percent(), 75);
        QTest::keyClick(&w, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(w.surface(0)->width(), width100);
        QVERIFY(!doc.modified());
        trigger(w, "m_save");
        QCOMPARE(bytesIn(reportPath), saved);
        // Edit keys reach their actions too.
        QTest::keyClick(&w, Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(surfaceKeys(w), (QStringList{"d1", "d2", "d3"}));
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(surfaceKeys(w), (QStringList{"d1", "d2"}));
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(surfaceKeys(w), (QStringList{"d1", "d2", "d3"}));
        // Delete removes the current surface's selection without a question.
        emit w.surface(0)->focusReceived();
        doc.sections.value(QStringLiteral("d1"))->items.at(0)->selected = true;
        QTest::keyClick(&w, Qt::Key_Delete);
        QCOMPARE(doc.sections.value(QStringLiteral("d1"))->items.count(), 0);
        QVERIFY(ui.shown.isEmpty());
    }

    void recoveryAfterCrash_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("restore") << int(UserInteraction::Yes);
        QTest::newRow("discard") << int(UserInteraction::No);
    }
    void recoveryAfterCrash()
    {
        QFETCH(int, answer);
        const bool restore = answer == UserInteraction::Yes;
        QString copy;
        {
            Designer d(reportPath);
            auto &w = d.w;
            trigger(w, "m_save");
            w.writeRecoveryNow(); // nothing to keep yet
            QVERIFY(!w.recovery()->exists());
            trigger(w, "m_addDataSection");
            w.writeRecoveryNow();
            copy = w.recovery()->path();
            QVERIFY(copy.startsWith(
                QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)));
            QVERIFY(QFile::exists(copy));
            QVERIFY(!bytesIn(reportPath).contains("Data 3"));
            // The window goes without closing, as in a crash.
        }
        ReportDocument next;
        DesignerWindow w;
        w.init(&next);
        ui.answers = {UserInteraction::Button(answer)};
        QCOMPARE(w.offerRecovery(), restore);
        QCOMPARE(ui.shown.size(), 1);
        QVERIFY(ui.shown.at(0).text.contains(reportPath));
        QVERIFY(!QFile::exists(copy));
        QCOMPARE(surfaceKeys(w), (restore ? QStringList{"d1", "d2", "d3"} : QStringList{"d1"}));
        QCOMPARE(next.fileName, restore ? reportPath : QString());
        QCOMPARE(next.modified(), restore);
        if (restore) {
            // Undo goes back to the report as its file holds it.
            trigger(w, "m_undo");
            QCOMPARE(surfaceKeys(w), (QStringList{"d1", "d2"}));
            QVERIFY(!next.modified());
            w.close();
        }
        QVERIFY(w.recovery()->leftOver().isEmpty());
    }

    void previewLeavesDesignAlone_data()
    {
        // The examples beside the program (with their database) and every test report.
        QTest::addColumn<QString>("report");
        ScriptedInteraction quiet;
        UserInteraction::setCurrent(&quiet);
        for (const char *folder : {MIRT_BINARY_DIR "/bin", MIRT_SOURCE_DIR "/tests"}) {
            QDirIterator it(QString::fromUtf8(folder), {QStringLiteral("*.xml")}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                ReportDocument probe;
                if (probe.loadXml(path))
                    QTest::newRow(qPrintable(QDir(MIRT_SOURCE_DIR).relativeFilePath(path))) << path;
            }
        }
        UserInteraction::setCurrent(nullptr);
    }
    void previewLeavesDesignAlone()
    {
        // A run must not reorder or move the design's items: file order is drawing order.
        QFETCH(QString, report);
        ReportDocument doc;
        QVERIFY(doc.loadXml(report));
        doc.fileName = report;
        doc.clearModified();
        DesignerWindow w;
        w.init(&doc);
        w.show();
        const bool modified = doc.modified();
        const QString before = scratchPath(QStringLiteral("before.xml"));
        const QString after = scratchPath(QStringLiteral("after.xml"));
        QVERIFY(doc.saveXml(before));
        // Twice: what one run leaves behind must not change the next.
        int pages = -1;
        for (int run = 0; run < 2; ++run) {
            trigger(w, "m_printPreview");
            QVERIFY(!w.isVisible());
            PreviewWindow *viewer = nullptr;
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (auto *v = qobject_cast<PreviewWindow *>(top); v && v->isVisible())
                    viewer = v;
            }
            QVERIFY(viewer);
            QCOMPARE(viewer->document(), &doc);
            QTRY_VERIFY(!doc.run().working);
            if (run == 0)
                pages = doc.pageCount();
            QCOMPARE(int(doc.pageCount()), pages);
            // Back to the designer; the preview goes.
            QPointer<PreviewWindow> gone(viewer);
            viewer->EditDoc();
            QVERIFY(w.isVisible());
            QTRY_VERIFY(gone.isNull());
            QVERIFY(doc.saveXml(after));
            QCOMPARE(bytesIn(after), bytesIn(before));
        }
        QCOMPARE(w.design()->stack()->count(), 0);
        QCOMPARE(doc.modified(), modified);
        QCOMPARE(w.isWindowModified(), modified);
    }

    void editsAreOneUndoStep_data()
    {
        QTest::addColumn<Edit>("row");
        const auto row = [](const char *name, const Edit &r) { QTest::newRow(name) << r; };
        const QStringList same = {"d1", "d2"};
        row("insert data section", {"m_insertDataSection", "", "", {"d1", "d3", "d2"}});
        row("item editor", {"item", "Text1", "[Orders].[Total]", same});
        row("section properties", {"section", "sectionName", "Lines", same});
    }
    void editsAreOneUndoStep()
    {
        QFETCH(Edit, row);
        const auto &[open, box, typed, changed] = row;
        Designer d(reportPath);
        auto &[doc, w] = d;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        trigger(w, "m_save");
        const QByteArray saved = bytesIn(reportPath);
        const QLabel *section = child<QLabel>(&w, "section");
        QVERIFY(section);
        // The status bar names the section under the mouse, by its current name.
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 20),
                         w.surface(0)->mapToGlobal(QPointF(20, 20)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w.surface(0), &move);
        QCOMPARE(section->text(), QStringLiteral("Data 1"));
        bool answered = false;
        const bool dialog = !box.isEmpty() || open == "m_insertDataSection";
        if (dialog) {
            onNextModal([&](QWidget *modal) {
                if (auto *line = modal->findChild<QLineEdit *>(box))
                    line->setText(typed);
                else if (auto *text = modal->findChild<QPlainTextEdit *>(box))
                    text->setPlainText(typed);
                answered = QMetaObject::invokeMethod(modal, "accept");
            });
        }
        if (open == QLatin1String("item"))
            QTest::mouseDClick(w.surface(0)->box(1), Qt::LeftButton, {}, QPoint(3, 3));
        else if (open == QLatin1String("section"))
            QTest::mouseDClick(w.surface(0), Qt::LeftButton, {},
                               QPoint(w.surface(0)->width() - 5, 5));
        else
            trigger(w, qPrintable(open));
        QCOMPARE(answered, dialog);
        QCOMPARE(w.design()->stack()->count(), 1);
        QVERIFY(doc.modified());
        QVERIFY(w.isWindowModified());
        QCOMPARE(surfaceKeys(w), changed);
        QCOMPARE(section->text(),
                 open == QLatin1String("section") ? typed : QStringLiteral("Data 1"));
        trigger(w, "m_undo");
        QVERIFY(!doc.modified());
        QCOMPARE(surfaceKeys(w), (QStringList{"d1", "d2"}));
        QCOMPARE(section->text(), QStringLiteral("Data 1"));
        trigger(w, "m_save");
        QCOMPARE(bytesIn(reportPath), saved);
        trigger(w, "m_redo");
        QVERIFY(doc.modified());
        QCOMPARE(surfaceKeys(w), changed);
    }

private:
    ScriptedInteraction ui;
    QString reportPath;
};

QTEST_MAIN(tst_designwindow)
#include "tst_designwindow.moc"
