#include "designer/grabhandles.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
// A shown container with one target: a hidden widget gets moves and resizes only when shown.
struct Surface
{
    QWidget container;
    QWidget *target = new QWidget(&container);
    explicit Surface(const QRect &geometry)
    {
        container.resize(400, 400);
        target->setGeometry(geometry);
        container.show();
        QVERIFY(QTest::qWaitForWindowExposed(&container));
    }
};

// Sends a move with the left button held; the handle keeps the mouse during a
// drag even after it has moved away from under the cursor.
void dragMove(QWidget *handle, const QPoint &global)
{
    QMouseEvent move(QEvent::MouseMove, handle->mapFromGlobal(global), global, Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
}

// Handle size (-1: the default), target geometry, slot, the handle's place, whether shown.
using Place = std::tuple<int, QRect, int, QPoint, bool>;

} // namespace

class tst_GrabHandles : public QObject
{
    Q_OBJECT
private slots:
    void places_data()
    {
        QTest::addColumn<Place>("row");
        const QRect box(10, 20, 100, 50), narrow(10, 20, 7, 50);
        QTest::newRow("default size, top-middle") << Place{-1, box, 1, {58, 15}, true};
        QTest::newRow("top-left") << Place{-1, box, 0, {5, 15}, true};
        QTest::newRow("top-right") << Place{4, box, 2, {110, 16}, true};
        QTest::newRow("right-middle") << Place{4, box, 3, {110, 43}, true};
        QTest::newRow("bottom-right") << Place{4, box, 4, {110, 70}, true};
        QTest::newRow("bottom-middle") << Place{6, {10, 20, 101, 50}, 5, {58, 70}, true};
        QTest::newRow("bottom-left") << Place{6, box, 6, {4, 70}, true};
        QTest::newRow("left-middle") << Place{6, box, 7, {4, 43}, true};
        QTest::newRow("width 7: no top-middle") << Place{5, narrow, 1, {11, 15}, false};
        QTest::newRow("width 7: corner stays") << Place{5, narrow, 2, {17, 15}, true};
        QTest::newRow("width 8: top-middle") << Place{5, {10, 20, 8, 50}, 1, {12, 15}, true};
        QTest::newRow("height 7: no left-middle") << Place{5, {10, 20, 50, 7}, 7, {5, 21}, false};
    }
    void places()
    {
        QFETCH(Place, row);
        const auto &[size, geometry, slot, place, shown] = row;
        // Start elsewhere: the handles must follow the target's move and resize.
        Surface s(QRect(200, 200, 30, 30));
        GrabHandles grab(&s.container, s.target, true, Qt::red, size);
        s.target->setGeometry(geometry);
        const int side = size == -1 ? 5 : size;
        QCOMPARE(grab.handle(slot)->geometry(), QRect(place, QSize(side, side)));
        QCOMPARE(grab.handle(slot)->isVisible(), shown);
    }

    void showAndResizeSignal()
    {
        Surface s(QRect(10, 20, 100, 50));
        GrabHandles grab(&s.container, s.target);
        QSignalSpy resized(&grab, &GrabHandles::TargetReSized);
        s.target->resize(120, 50);
        s.target->move(30, 20); // a move alone is no size change
        QCOMPARE(resized.count(), 1);
        grab.setShowHandles(false);
        for (int slot = 0; slot < 8; ++slot)
            QVERIFY(!grab.handle(slot)->isVisible());
        s.target->setGeometry(40, 40, 60, 60);
        QCOMPARE(resized.count(), 1);
        // Showing again places them around where the target went while hidden.
        grab.setShowHandles(true);
        QCOMPARE(grab.handle(4)->pos(), QPoint(100, 100));
        QVERIFY(grab.handle(4)->isVisible());
        s.target->resize(70, 70);
        QCOMPARE(resized.count(), 2);
    }

    void drag_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<QRect>("expected");
        // The target starts at (50, 60) with size 100 x 80.
        QTest::newRow("left-middle ignores y") << 7 << QPoint(-15, 7) << QRect(35, 60, 115, 80);
        QTest::newRow("top-left") << 0 << QPoint(10, 5) << QRect(60, 65, 90, 75);
        QTest::newRow("top-left past corner") << 0 << QPoint(200, 300) << QRect(150, 140, 0, 0);
        QTest::newRow("bottom-right past corner") << 4 << QPoint(-300, -300) << QRect(50, 60, 0, 0);
    }
    void drag()
    {
        QFETCH(int, slot);
        QFETCH(QPoint, offset);
        QFETCH(QRect, expected);
        Surface s(QRect(50, 60, 100, 80));
        GrabHandles grab(&s.container, s.target);
        QSignalSpy started(&grab, &GrabHandles::resizeStarted);
        QSignalSpy finished(&grab, &GrabHandles::resizeFinished);
        QWidget *h = grab.handle(slot);
        const QPoint from = h->mapToGlobal(QPoint(2, 2));
        QTest::mousePress(h, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(started.count(), 1);
        // In two steps: the second counts from the press, not from where the handle went.
        dragMove(h, from + offset / 2);
        dragMove(h, from + offset);
        QTest::mouseRelease(h, Qt::LeftButton, {}, h->mapFromGlobal(from + offset));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(s.target->geometry(), expected);
        // The handles follow the drag.
        QCOMPARE(grab.handle(4)->pos(),
                 expected.topLeft() + QPoint(expected.width(), expected.height()));
    }

    void ownership()
    {
        Surface s(QRect(10, 20, 100, 50));
        auto first = std::make_unique<GrabHandles>(&s.container, s.target);
        GrabHandles second(&s.container, s.target);
        QSignalSpy firstResized(first.get(), &GrabHandles::TargetReSized);
        QSignalSpy secondResized(&second, &GrabHandles::TargetReSized);
        QVERIFY(!second.SubClassTarget(s.target));
        s.target->resize(90, 50);
        QCOMPARE(firstResized.count(), 1);
        QCOMPARE(secondResized.count(), 0);
        first.reset();
        QCOMPARE(s.container.findChildren<QWidget *>("nvGHNS").size(), 2);
        s.target->resize(80, 50);
        QCOMPARE(firstResized.count(), 1);
        // Released, the target can be taken by another object.
        QVERIFY(second.SubClassTarget(s.target));
        s.target->resize(70, 50);
        QCOMPARE(secondResized.count(), 1);
        // A target destroyed under live handles takes them off the surface.
        delete s.target;
        QVERIFY(!second.target());
        QVERIFY(!second.handle(0)->isVisible());
    }
};

QTEST_MAIN(tst_GrabHandles)
#include "tst_grabhandles.moc"
