#pragma once

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <array>

// Eight square resize handles around one child widget (the target) of a
// container. Dragging a handle resizes the target; the handles follow the
// target whenever it moves or changes size, and every size change while they
// are shown is reported with TargetReSized.
//
// Slots: 0 top-left, 1 top-middle, 2 top-right, 3 right-middle,
//        4 bottom-right, 5 bottom-middle, 6 bottom-left, 7 left-middle.
class GrabHandles : public QObject
{
    Q_OBJECT
public:
    // `size` is the side of each handle in pixels; -1 means 5. The handles are
    // shown at once when `show` is set.
    GrabHandles(QWidget *container, QWidget *target, bool show = true,
                 const QColor &colour = Qt::black, int size = -1, QObject *parent = nullptr);
    ~GrabHandles() override;

    bool ShowHandles() const { return m_visible; }
    // Setting the current value again does nothing; true places and shows.
    void setShowHandles(bool show);
    // Watches the target's moves and resizes. A target already watched by
    // another GrabHandles is left to that object and false is returned.
    bool SubClassTarget(QWidget *target);

    QWidget *target() const { return m_target; }
    int handleSize() const { return m_size; }
    QWidget *handle(int slot) const;

signals:
    void TargetReSized();
    void resizeStarted();
    void resizeFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeHandles();
    void releaseTarget();
    QRect targetRect() const;
    void dragTo(const QPoint &globalPos);

    QPointer<QWidget> m_container;
    QPointer<QWidget> m_target;
    bool m_subclassed = false;
    bool m_visible = false;
    int m_size = 5;
    std::array<QPointer<QWidget>, 8> m_handles;

    // Drag state: the hit-test code of the pressed handle (0 when idle), the
    // press point and the target's rectangle at the press, in container pixels.
    int m_dragCode = 0;
    QPoint m_pressPos;
    QRect m_startRect;
};
