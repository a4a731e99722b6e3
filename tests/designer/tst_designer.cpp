// The section design surface driven with real mouse and key events: edits land in the
// model exactly, and undo brings the file back byte for byte.
#include "designer/designdocument.h"
#include "designer/grabhandles.h"
#include "designer/itembox.h"
#include "designer/sectionsurface.h"
#include "document/pictureitem.h"
#include "document/reportdocument.h"
#include "document/textitem.h"
#include "platform/units.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <charconv>
#include <functional>

using S = ReportSection;
using Edit = std::function<void(DesignDocument &, S &, S &)>;
using Band = std::tuple<QPoint, QPoint, QList<bool>>;
using Stored = std::tuple<int, float, QString, float, QString>;
using Height = std::tuple<int, QRect, int, int>;
using Drop = std::tuple<QString, bool, QList<QPoint>>;

class DesignerTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        doc = new ReportDocument;
        doc->init();
        // A grid of exactly 100 twips; at 1 pixel per twip mouse positions are twips.
        doc->gridSize = float(100.0 / 567);
        ReportSection *a = doc->addDataSection();
        ReportSection *b = doc->addDataSection();
        a->Height = float(3000.0 / 567);
        b->Height = float(2000.0 / 567);
        design = new DesignDocument(*doc);
        host = new QWidget;
        host->resize(3200, 5200);
        for (int i = 0; i < 2; ++i) {
            surf[i] = new SectionSurface(host);
            surf[i]->setScale(1.0);
            surf[i]->setPageWidthTwips(3000);
            surf[i]->initMargin(0.5, 0.5, 0.5, 0.5);
            surf[i]->setDesignDocument(design);
            surf[i]->init(i == 0 ? a : b);
            surf[i]->move(0, i * 3100);
        }
        // As the window does: a restored report has new sections.
        connect(design, &DesignDocument::documentRestored, host, [this] {
            surf[0]->init(doc->sections.value(QStringLiteral("d1")));
            surf[1]->init(doc->sections.value(QStringLiteral("d2")));
        });
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host));
    }

    void cleanup()
    {
        delete host;
        delete design;
        delete doc;
    }

    void snapping_data()
    {
        QTest::addColumn<double>("grid");  // in centimetres
        QTest::addColumn<double>("value"); // twips
        QTest::addColumn<double>("snapped");
        const double step = 100.0 / 567;
        QTest::newRow("half a step to the even 200") << step << 250.0 << 200.0;
        QTest::newRow("negative") << step << -160.0 << -200.0;
        QTest::newRow("no grid keeps the value") << 0.0 << 149.3 << 149.3;
        // Steps beyond a byte are steps all the same (1 cm = 567 twips).
        QTest::newRow("large step") << 1.0 << 800.0 << 567.0;
    }
    void snapping()
    {
        QFETCH(double, grid);
        QFETCH(double, value);
        doc->gridSize = float(grid);
        QTEST(design->snap(value), "snapped");
    }

    // Arranging moves or sizes each chosen item against the box around them all
    // (sizes: against the reference item, k2); the items' twips afterwards.
    void arranging_data()
    {
        QTest::addColumn<QString>("after"); // the row's name is how they are arranged
        QTest::newRow("left") << "114 228 1500 300|114 400 800 350|114 1500 300 200";
        QTest::newRow("right") << "1000 228 1500 300|1700 400 800 350|2200 1500 300 200";
        QTest::newRow("top") << "114 228 1500 300|1700 228 800 350|900 228 300 200";
        QTest::newRow("bottom") << "114 1400 1500 300|1700 1350 800 350|900 1500 300 200";
        QTest::newRow("hcenter") << "557 228 1500 300|907 400 800 350|1157 1500 300 200";
        QTest::newRow("vcenter") << "114 814 1500 300|1700 789 800 350|900 864 300 200";
        QTest::newRow("width") << "114 228 800 300|1700 400 800 350|900 1500 800 200";
        QTest::newRow("size") << "114 228 800 350|1700 400 800 350|900 1500 800 350";
        // Overlapping items close up with a negative gap, kept in their order.
        QTest::newRow("distribute-h") << "114 228 1500 300|1700 400 800 350|1507 1500 300 200";
        QTest::newRow("distribute-v") << "114 228 1500 300|1700 839 800 350|900 1500 300 200";
    }
    void arranging()
    {
        for (const QRect &r :
             {QRect(114, 228, 1500, 300), QRect(1700, 400, 800, 350), QRect(900, 1500, 300, 200)})
            addText(0, r);
        design->selectAll(sec(0));
        design->arrange(sec(0), QString::fromLatin1(QTest::currentDataTag()), QStringLiteral("k2"));
        QStringList after;
        for (const ReportItem *item : sec(0).items) {
            const QRectF r = DesignDocument::twipsOf(*item);
            after << QStringLiteral("%1 %2 %3 %4")
                         .arg(qRound(r.x()))
                         .arg(qRound(r.y()))
                         .arg(qRound(r.width()))
                         .arg(qRound(r.height()));
        }
        QTEST(after.join(u'|'), "after");
    }

    void editsAreOneUndoStep_data()
    {
        // One step per edit (two for cut and paste); undo gives the file back byte for byte.
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<int>("steps");
        auto row = [](const char *name, const Edit &edit, int steps = 1) {
            QTest::newRow(name) << edit << steps;
        };
        using D = DesignDocument;
        row("nudge", [](D &d, S &a, S &) { d.nudge(a, 1, -1, false, 15); });
        row("distribute", [](D &d, S &a, S &) { d.arrange(a, "distribute-h", "k2"); });
        row("add field", [](D &d, S &a, S &) { d.addField(a, {500, 2900}); });
        row("add picture", [](D &d, S &a, S &) { d.addPicture(a, {500, 500}); });
        row("drop fields", [](D &d, S &a, S &) {
            d.dropFields(a, QPointF(230, 2800), {"[T].[a]", "[T].[b]"}, false, 2700);
        });
        row("delete", [](D &d, S &a, S &) { d.removeSelected(a); });
        row(
            "cut and paste",
            [](D &d, S &a, S &b) {
                d.cut(a);
                d.paste(b);
            },
            2);
        row("bold", [](D &d, S &a, S &) { d.toggleFont(a, "bold"); });
        row("align", [](D &d, S &a, S &) { d.alignText(a, "right"); });
        row("section height", [](D &d, S &a, S &) { d.setSectionHeight(a, 3412.5); });
        row("item editor", [](D &d, S &a, S &) {
            d.changeSection(a, "Edit item", [&] {
                auto *item = static_cast<TextItem *>(a.items.at(0));
                item->content = QStringLiteral("=2*2");
                item->h = 8; // the section grows with it
                d.fitSectionHeight(a);
            });
        });
    }
    void editsAreOneUndoStep()
    {
        QFETCH(Edit, edit);
        addText(0, QRect(113, 227, 1501, 299), QStringLiteral("[T].[a]"));
        addText(0, QRect(1700, 400, 800, 350), QStringLiteral("=1+1"));
        addText(0, QRect(900, 1500, 300, 200), QStringLiteral("x"));
        design->selectAll(sec(0));
        design->reset();
        QVERIFY(!doc->modified());
        const QByteArray saved = design->snapshot();
        edit(*design, sec(0), sec(1));
        QTEST(design->stack()->count(), "steps");
        const QByteArray changed = design->snapshot();
        QVERIFY(changed != saved);
        QVERIFY(doc->modified());
        while (design->stack()->canUndo())
            design->stack()->undo();
        QCOMPARE(design->snapshot(), saved);
        QVERIFY(!doc->modified());
        // The surfaces show the section as it is again.
        QCOMPARE(surf[0]->count(), sec(0).items.count());
        QCOMPARE(surf[0]->box(1)->twips, DesignDocument::twipsOf(*sec(0).items.at(0)));
        while (design->stack()->canRedo())
            design->stack()->redo();
        QCOMPARE(design->snapshot(), changed);
        QVERIFY(doc->modified());
    }

    void bandSelection_data()
    {
        // From top-left to bottom-right, pixels = twips; the items selected of
        // A (100,100 300x200), B (1000,100 300x200), C (100,1000 300x200).
        QTest::addColumn<Band>("row");
        const auto row = [](const char *name, const Band &r) { QTest::newRow(name) << r; };
        row("crossing A and B", {{300, 150}, {1100, 250}, {true, true, false}});
        row("within 50 twips of C", {{450, 700}, {900, 950}, {false, false, true}});
        row("60 twips from C", {{460, 700}, {900, 930}, {false, false, false}});
    }
    void bandSelection()
    {
        QFETCH(Band, row);
        const auto &[topLeft, bottomRight, selected] = row;
        const QRect band(topLeft, bottomRight);
        addText(0, QRect(100, 100, 300, 200));
        addText(0, QRect(1000, 100, 300, 200));
        addText(0, QRect(100, 1000, 300, 200));
        for (bool backwards : {false, true}) {
            const QPoint from = backwards ? band.bottomRight() : band.topLeft();
            const QPoint to = backwards ? band.topLeft() : band.bottomRight();
            design->clearSelection(sec(0));
            QTest::mousePress(surf[0], Qt::LeftButton, {}, from);
            QTest::mouseMove(surf[0], (from + to) / 2);
            QTest::mouseMove(surf[0], to);
            QTest::mouseRelease(surf[0], Qt::LeftButton, {}, to);
            QCOMPARE(selection(0), selected);
        }
        // A click without a drag changes nothing.
        QTest::mouseClick(surf[0], Qt::LeftButton, {}, QPoint(2000, 2000));
        QCOMPARE(selection(0), selected);
    }

    void groupDrag()
    {
        // B pressed and dragged by 150 snaps to 1200; A, off the grid, keeps its distance to B.
        const int aLeft = 1030, dx = 150, expectedLeft = 1200;
        TextItem *a = addText(0, QRect(aLeft, 1000, 570, 300));
        TextItem *b = addText(0, QRect(1000, 2000, 500, 300));
        TextItem *c = addText(0, QRect(2000, 2000, 500, 300));
        const float aWidth = a->w;
        // A and B selected; a press on B keeps both, so the group moves.
        design->select(sec(0), {a->Key, b->Key});
        ItemBox *pressed = surf[0]->box(2);
        const QPoint start(50, 50);
        QTest::mousePress(pressed, Qt::LeftButton, {}, start);
        QCOMPARE(selection(0), (QList<bool>{true, true, false}));
        // The mouse moves in two steps; positions are given on the surface.
        const QPoint onSurface = pressed->mapToParent(start);
        for (const QPoint &p : {onSurface + QPoint(dx / 2, 0), onSurface + QPoint(dx, 0)})
            QTest::mouseMove(surf[0], p);
        QTest::mouseRelease(surf[0], Qt::LeftButton, {}, onSurface + QPoint(dx, 0));
        // B and A across, neither down, C left alone.
        QCOMPARE(QList<int>({qRound(b->xt()), qRound(a->xt()), qRound(a->yt()), qRound(b->yt()),
                             qRound(c->xt())}),
                 QList<int>({expectedLeft, aLeft + expectedLeft - 1000, 1000, 2000, 2000}));
        QCOMPARE(a->w, aWidth);
        QVERIFY(doc->modified());
        // A press on an unselected item makes it the only one.
        pressOn(0, 3);
        QCOMPARE(selection(0), (QList<bool>{false, false, true}));
    }

    void storedPositions_data()
    {
        // A moved or new item stores the grid's number in the document's unit, as typed.
        QTest::addColumn<Stored>("row"); // unit, grid, action, start, stored
        const auto row = [](const char *name, const Stored &r) { QTest::newRow(name) << r; };
        row("nudge from off the grid", {7, 0.2f, "nudge", 1.5f, "1.7"});
        row("new item, fine grid", {7, 0.1234f, "add", 1.85f, "1.851"});
        row("far right", {7, 0.2f, "drag", 27.9f, "28"});
        row("inches", {5, 0.1f, "nudge", 1.05f, "1.15"});
        row("no grid", {7, 0.0f, "nudge", 1.5f, "1.5017637"});
    }
    void storedPositions()
    {
        QFETCH(Stored, row);
        const auto &[unit, grid, action, start, stored] = row;
        doc->setUnit(unit);
        doc->gridSize = grid;
        ReportSection *sec = surf[0]->sectionRef();
        sec->Height = float(convertUnit(3000, Unit::Twips, unit));
        surf[0]->setPageWidthTwips(20000);
        TextItem *item = sec->newTextItem();
        item->x = item->y = start;
        item->w = item->h = grid > 0 ? grid : 1;
        surf[0]->init(sec);
        if (action == QLatin1String("add")) {
            const double at = convertUnit(start, unit, Unit::Twips);
            item = static_cast<TextItem *>(design->addField(*sec, QPointF(at, at)));
        } else if (action == QLatin1String("nudge")) {
            pressOn(0, 1);
            QTest::keyClick(surf[0], Qt::Key_Right);
        } else {
            ItemBox *b = surf[0]->box(1);
            const QPoint from = b->mapToParent(QPoint(2, 2));
            QTest::mousePress(b, Qt::LeftButton, {}, QPoint(2, 2));
            QTest::mouseMove(surf[0], from + QPoint(100, 0));
            QTest::mouseRelease(surf[0], Qt::LeftButton, {}, from + QPoint(100, 0));
        }
        auto text = [](float v) {
            char buf[32];
            return QString::fromLatin1(buf, std::to_chars(buf, buf + sizeof buf, v).ptr - buf);
        };
        QCOMPARE(text(item->x), stored);
    }

    void grabHandleResize()
    {
        TextItem *a = addText(0, QRect(1000, 1000, 500, 300));
        const QByteArray saved = design->snapshot();
        pressOn(0, 1);
        GrabHandles *handles = surf[0]->grabHandles();
        QCOMPARE(handles->target(), surf[0]->box(1));
        QSignalSpy resized(handles, &GrabHandles::TargetReSized);
        QWidget *bottomRight = handles->handle(4);
        QTest::mousePress(bottomRight, Qt::LeftButton, {}, QPoint(2, 2));
        const QPointF to = bottomRight->mapToGlobal(QPointF(39, 25));
        QMouseEvent move(QEvent::MouseMove, QPointF(39, 25), to, Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(bottomRight, &move);
        // The handle has followed the corner; the mouse is where it was.
        QTest::mouseRelease(bottomRight, Qt::LeftButton, {},
                            bottomRight->mapFromGlobal(to).toPoint());
        QVERIFY(resized.count() > 0);
        // Written back unsnapped.
        QCOMPARE(qRound(a->wt()), 537);
        QCOMPARE(qRound(a->ht()), 323);
        QCOMPARE(design->stack()->count(), 1);
        // The handles stay on their item after the edit.
        QCOMPARE(surf[0]->grabHandles(), handles);
        // A rectangle a hair off what its item stores (handles at a fractional
        // scale) is no change and no step.
        design->setGeometry(sec(0), {{a->Key, DesignDocument::twipsOf(*a).translated(1e-7, 0)}},
                            QStringLiteral("Resize"));
        QCOMPARE(design->stack()->count(), 1);
        design->stack()->undo();
        QVERIFY(!doc->modified());
        QCOMPARE(design->snapshot(), saved);
        QCOMPARE(qRound(surf[0]->SubObject(1)->wt()), 500);
    }

    void sectionHeight_data()
    {
        // dy 0: a double click, which grows the section to hold its items, at least 240 twips.
        QTest::addColumn<Height>("row"); // start, an item (null: none), dy, height
        const auto row = [](const char *name, const Height &r) { QTest::newRow(name) << r; };
        row("down", {3000, {}, 400, 3400});
        row("above the top keeps it", {3000, {}, -3500, 3000});
        row("empty grows to 240", {100, {}, 0, 240});
        row("never lowers", {3000, {0, 0, 100, 100}, 0, 3000});
        row("grows to the lowest item", {1000, {0, 1500, 100, 400}, 0, 1900});
    }
    void sectionHeight()
    {
        QFETCH(Height, row);
        const auto &[start, item, dy, height] = row;
        sec(0).Height = float(start / 567.0);
        surf[0]->init(&sec(0));
        if (!item.isNull())
            addText(0, item);
        QSignalSpy restack(surf[0], &SectionSurface::heightDragged);
        QSignalSpy grown(surf[0], &SectionSurface::changeSize);
        const QPoint edge(1500, start - 5);
        QTest::mouseMove(surf[0], edge - QPoint(0, 40));
        QTest::mouseMove(surf[0], edge);
        if (dy == 0) {
            QTest::mouseDClick(surf[0], Qt::LeftButton, {}, edge);
        } else {
            QCOMPARE(surf[0]->cursor().shape(), Qt::SizeVerCursor);
            QTest::mousePress(surf[0], Qt::LeftButton, {}, edge);
            QTest::mouseMove(surf[0], edge + QPoint(0, dy));
            QTest::mouseRelease(surf[0], Qt::LeftButton, {}, edge + QPoint(0, dy));
            QCOMPARE(restack.count(), 1);
            QCOMPARE(surf[0]->cursor().shape(), Qt::ArrowCursor);
        }
        QCOMPARE(qRound(surf[0]->heightTwips()), height);
        QCOMPARE(qRound(sec(0).HeightT()), height);
        if (dy == 0)
            QCOMPARE(grown.count(), height != start ? 1 : 0);
        QCOMPARE(design->stack()->count(), height != start ? 1 : 0);
    }

    void cutCopyPasteAcrossSections()
    {
        addText(0, QRect(100, 100, 500, 300), QStringLiteral("one"));
        addText(0, QRect(700, 100, 500, 300), QStringLiteral("two"));
        addText(0, QRect(100, 2500, 500, 300), QStringLiteral("three"));
        design->setSelected(*surf[0]->SubObject(1), true);
        design->setSelected(*surf[0]->SubObject(3), true);
        design->cut(sec(0));
        QCOMPARE(surf[0]->count(), 1);
        QCOMPARE(design->clipboard().count(), 2);
        design->paste(sec(1));
        // Same coordinates, selected, the section grown to hold them.
        QCOMPARE(surf[1]->count(), 2);
        QStringList texts;
        for (int i = 1; i <= 2; ++i) {
            auto *item = static_cast<TextItem *>(surf[1]->SubObject(i));
            texts << item->content + (item->selected ? "" : " unselected");
        }
        texts.sort();
        QCOMPARE(texts, (QStringList{"one", "three"}));
        QCOMPARE(qRound(surf[1]->heightTwips()), 2800);
        // Copying nothing empties the clipboard.
        design->clearSelection(sec(0));
        design->copy(sec(0));
        QVERIFY(design->clipboard().isEmpty());
    }

    void dropFields_data()
    {
        // The text dropped, with Ctrl or not, where the fields land in twips. Fields
        // are 1500 x 300 twips; the right margin line is at 3000 - 283.5.
        QTest::addColumn<Drop>("row");
        const auto row = [](const char *name, const Drop &r) { QTest::newRow(name) << r; };
        const QString three = QStringLiteral("[T].[a];[T].[b];[T].[c]");
        row("horizontal wraps at the margin", {three, true, {{200, 100}, {1700, 100}, {200, 400}}});
        row("vertical, a trailing separator adds an empty field",
            {"a;b;", false, {{200, 100}, {200, 400}, {200, 700}}});
        row("empty text adds nothing", {"", false, {}});
    }
    void dropFields()
    {
        QFETCH(Drop, row);
        const auto &[text, ctrl, places] = row;
        QMimeData data;
        data.setText(text);
        const QPointF at(230, 80); // snaps to (200, 100)
        const Qt::KeyboardModifiers mods = ctrl ? Qt::ControlModifier : Qt::NoModifier;
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, mods);
        QApplication::sendEvent(surf[0], &enter);
        QSignalSpy status(surf[0], &SectionSurface::statusText);
        QDragMoveEvent over(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, mods);
        QApplication::sendEvent(surf[0], &over);
        QCOMPARE(status.count(), 1);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, mods);
        QApplication::sendEvent(surf[0], &drop);
        QCOMPARE(surf[0]->count(), places.size());
        const QStringList parts = text.split(QLatin1Char(';'));
        for (int i = 0; i < places.size(); ++i) {
            auto *item = static_cast<TextItem *>(surf[0]->SubObject(i + 1));
            QCOMPARE(QPoint(qRound(item->xt()), qRound(item->yt())), places[i]);
            QCOMPARE(item->content, parts[i]);
        }
        // One drop, one undo step.
        QCOMPARE(design->stack()->count(), places.isEmpty() ? 0 : 1);
    }

    void fontToggleOnMixedSelection()
    {
        TextItem *boldOne = addText(0, QRect(100, 100, 500, 300));
        TextItem *regular = addText(0, QRect(100, 500, 500, 300));
        addText(0, QRect(100, 900, 500, 300))->fontBold = true; // not selected
        PictureItem *pic = surf[0]->sectionRef()->newPicture();
        surf[0]->init(surf[0]->sectionRef());
        boldOne->fontBold = true;
        design->select(sec(0), {boldOne->Key, regular->Key, pic->Key});
        design->toggleFont(sec(0), QStringLiteral("bold"));
        QVERIFY(!boldOne->fontBold && !regular->fontBold);
        QVERIFY(static_cast<TextItem *>(surf[0]->SubObject(3))->fontBold);
        design->toggleFont(sec(0), QStringLiteral("bold"));
        QVERIFY(boldOne->fontBold && regular->fontBold);
    }

    void zoomKeepsGeometry()
    {
        TextItem *a = addText(0, QRect(113, 227, 1496, 299));
        const QByteArray saved = design->snapshot();
        for (double scale : {0.5 * 96 / 1440, 96.0 / 1440, 2 * 96.0 / 1440, 4 * 96.0 / 1440}) {
            surf[0]->setScale(scale);
            QCOMPARE(design->snapshot(), saved);
            QCOMPARE(surf[0]->box(1)->geometry(), QRect(qRound(113 * scale), qRound(227 * scale),
                                                        qRound(1609 * scale) - qRound(113 * scale),
                                                        qRound(526 * scale) - qRound(227 * scale)));
        }
        // At 200 % a drag of 20 pixels is 150 twips, which snaps to 200.
        surf[0]->setScale(2 * 96.0 / 1440);
        ItemBox *b = surf[0]->box(1);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(4, 4));
        const QPoint from = b->mapToParent(QPoint(4, 4));
        QTest::mouseMove(surf[0], from + QPoint(20, 0));
        QTest::mouseRelease(surf[0], Qt::LeftButton, {}, from + QPoint(20, 0));
        QCOMPARE(qRound(a->xt()), 300);
        QCOMPARE(design->stack()->count(), 1);
    }

    void keyboard()
    {
        addText(0, QRect(1000, 1000, 500, 300));
        addText(0, QRect(2000, 1000, 500, 300));
        surf[0]->setFocus();
        QTest::keyClick(surf[0], Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(selection(0), (QList<bool>{true, true}));
        QTest::keyClick(surf[0], Qt::Key_Escape);
        QCOMPARE(selection(0), (QList<bool>{false, false}));
        // Tab walks the items, selecting each in turn.
        QTest::keyClick(surf[0], Qt::Key_Tab);
        QCOMPARE(selection(0), (QList<bool>{true, false}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(selection(0), (QList<bool>{false, true}));
        QVERIFY(surf[0]->grabHandles());
        // One grid step per arrow; Shift resizes.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ShiftModifier);
        const ReportItem *second = surf[0]->SubObject(2);
        QCOMPARE(QRect(qRound(second->xt()), qRound(second->yt()), qRound(second->wt()),
                       qRound(second->ht())),
                 QRect(1900, 1000, 600, 300));
        // Without a grid a step is one pixel.
        doc->gridSize = 0;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(qRound(second->yt()), 1001);
    }

private:
    // Items given in twips on surface `s` (0 or 1).
    TextItem *addText(int s, const QRect &twips, const QString &content = QStringLiteral("Text"))
    {
        ReportSection *sec = surf[s]->sectionRef();
        TextItem *item = sec->newTextItem();
        std::tie(item->x, item->y, item->w, item->h) =
            std::tuple(float(twips.x() / 567.0), float(twips.y() / 567.0),
                       float(twips.width() / 567.0), float(twips.height() / 567.0));
        item->content = content;
        surf[s]->init(sec);
        return item;
    }
    QList<bool> selection(int s) const
    {
        QList<bool> flags;
        for (int i = 1; i <= surf[s]->count(); ++i)
            flags << surf[s]->SubObject(i)->selected;
        return flags;
    }
    ReportSection &sec(int s) const { return *surf[s]->sectionRef(); }
    void pressOn(int s, int index)
    {
        ItemBox *b = surf[s]->box(index);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
    }

    ReportDocument *doc = nullptr;
    DesignDocument *design = nullptr;
    QWidget *host = nullptr;
    SectionSurface *surf[2] = {};
};

QTEST_MAIN(DesignerTest)
#include "tst_designer.moc"
