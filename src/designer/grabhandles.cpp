#include "designer/grabhandles.h"

#include <QEvent>
#include <QMouseEvent>
#include <QVariant>

#include <algorithm>

namespace {

// Property names shared with the design surface, which finds the owner of a
// handle or target through them.
constexpr const char *kOwner = "nvGrbHdl";
constexpr const char *kTarget = "nvGrbHdlTarget";
constexpr const char *kIndex = "nvGrabHdlIdx";

// Per slot: the border hit-test code the handle stands for (left 10, right 11,
// top 12, top-left 13, top-right 14, bottom 15, bottom-left 16, bottom-right 17).
constexpr std::array<int, 8> kHitCodes = {13, 12, 14, 11, 17, 15, 16, 10};
// Slots i and i + 4 share class name and cursor.
constexpr std::array<const char *, 4> kClassNames = {"nvGHNWSE", "nvGHNS", "nvGHNESW", "nvGHWE"};
constexpr std::array<Qt::CursorShape, 4> kCursors = {Qt::SizeFDiagCursor, Qt::SizeVerCursor,
                                                     Qt::SizeBDiagCursor, Qt::SizeHorCursor};

bool movesLeft(int code)
{
    return code == 10 || code == 13 || code == 16;
}
bool movesRight(int code)
{
    return code == 11 || code == 14 || code == 17;
}
bool movesTop(int code)
{
    return code == 12 || code == 13 || code == 14;
}
bool movesBottom(int code)
{
    return code == 15 || code == 16 || code == 17;
}

} // namespace

GrabHandles::GrabHandles(QWidget *container, QWidget *target, bool show, const QColor &colour,
                           int size, QObject *parent)
    : QObject(parent), m_container(container), m_target(target), m_visible(show),
      m_size(size == -1 ? 5 : size)
{
    QPalette palette;
    palette.setColor(QPalette::Window, colour);
    for (int slot = 0; slot < 8; ++slot) {
        auto *h = new QWidget(container);
        h->setObjectName(QString::fromLatin1(kClassNames[slot % 4]));
        h->setCursor(kCursors[slot % 4]);
        h->setPalette(palette);
        h->setAutoFillBackground(true);
        h->resize(m_size, m_size);
        // Explicitly hidden: a child created before its container is shown
        // would otherwise appear with it.
        h->hide();
        h->setProperty(kOwner, QVariant::fromValue<QObject *>(this));
        h->setProperty(kTarget, QVariant::fromValue<QWidget *>(target));
        h->setProperty(kIndex, kHitCodes[slot]);
        h->installEventFilter(this);
        m_handles[slot] = h;
    }
    SubClassTarget(target);
    placeHandles();
}

GrabHandles::~GrabHandles()
{
    releaseTarget();
    for (const QPointer<QWidget> &h : m_handles) {
        if (!h)
            continue; // went with the container
        for (const char *name : {kOwner, kTarget, kIndex})
            h->setProperty(name, QVariant());
        // A handle whose proxy has the focus counts as focused: deleting it
        // would take the focus off the target, which drops these handles.
        h->setFocusProxy(nullptr);
        delete h.data();
    }
}

void GrabHandles::setShowHandles(bool show)
{
    if (show == m_visible)
        return;
    m_visible = show;
    if (show) {
        placeHandles();
        return;
    }
    for (const QPointer<QWidget> &h : m_handles)
        if (h)
            h->hide();
}

bool GrabHandles::SubClassTarget(QWidget *target)
{
    // The first object keeps a target: the property can name only one owner.
    if (!target || target->property(kOwner).isValid())
        return false;
    releaseTarget();
    target->setProperty(kOwner, QVariant::fromValue<QObject *>(this));
    target->installEventFilter(this);
    m_target = target;
    m_subclassed = true;
    for (const QPointer<QWidget> &h : m_handles) {
        if (h) {
            h->setProperty(kTarget, QVariant::fromValue<QWidget *>(target));
            // A press on a handle must not take the focus off the target:
            // that would drop the handles in the middle of the press.
            h->setFocusProxy(target);
        }
    }
    // Handles around nothing would be left on the surface.
    connect(target, &QObject::destroyed, this, [this] { setShowHandles(false); });
    return true;
}

QWidget *GrabHandles::handle(int slot) const
{
    return slot >= 0 && slot < 8 ? m_handles[slot].data() : nullptr;
}

void GrabHandles::releaseTarget()
{
    if (!m_target || !m_subclassed)
        return;
    m_target->removeEventFilter(this);
    m_target->setProperty(kOwner, QVariant());
    disconnect(m_target, &QObject::destroyed, this, nullptr);
    m_subclassed = false;
}

// The target's rectangle in container pixels; it may sit deeper than a direct child.
QRect GrabHandles::targetRect() const
{
    return QRect(m_target->mapTo(m_container, QPoint(0, 0)), m_target->size());
}

void GrabHandles::placeHandles()
{
    if (!m_target || !m_container)
        return;
    const QRect rect = targetRect();
    const int s = m_size, l = rect.x(), t = rect.y();
    const int r = l + rect.width(), b = t + rect.height();
    // Middle handles sit a fixed 2 px before the centre, whatever their size.
    const int mx = l + (r - l) / 2 - 2, my = t + (b - t) / 2 - 2;
    const std::array<QPoint, 8> places = {{{l - s, t - s},
                                           {mx, t - s},
                                           {r, t - s},
                                           {r, my},
                                           {r, b},
                                           {mx, b},
                                           {l - s, b},
                                           {l - s, my}}};
    // A middle handle is dropped when the side is too short for it (1.5 * s >= side).
    const bool noTopBottom = 3 * s >= 2 * rect.width();
    const bool noLeftRight = 3 * s >= 2 * rect.height();
    for (int slot = 0; slot < 8; ++slot) {
        QWidget *h = m_handles[slot];
        if (!h)
            continue;
        h->move(places[slot]);
        if (!m_visible)
            continue;
        const bool hidden =
            ((slot == 1 || slot == 5) && noTopBottom) || ((slot == 3 || slot == 7) && noLeftRight);
        h->setVisible(!hidden);
        // Above every sibling, so a handle over a neighbouring box can still be pressed.
        h->raise();
    }
}

void GrabHandles::dragTo(const QPoint &globalPos)
{
    if (!m_target || !m_container)
        return;
    // Offsets from the press in container pixels: exact even while the
    // target (and with it the handle) moves under the cursor.
    const QPoint d = m_container->mapFromGlobal(globalPos) - m_pressPos;
    int l = m_startRect.x(), t = m_startRect.y();
    int r = l + m_startRect.width(), b = t + m_startRect.height();
    if (movesLeft(m_dragCode))
        l = std::min(l + d.x(), r);
    if (movesRight(m_dragCode))
        r = std::max(r + d.x(), l);
    if (movesTop(m_dragCode))
        t = std::min(t + d.y(), b);
    if (movesBottom(m_dragCode))
        b = std::max(b + d.y(), t);
    // Keep within the target's own limits by moving the dragged edge, so the
    // opposite edge never shifts.
    const int w = qBound(m_target->minimumWidth(), r - l, m_target->maximumWidth());
    const int h = qBound(m_target->minimumHeight(), b - t, m_target->maximumHeight());
    if (movesLeft(m_dragCode))
        l = r - w;
    if (movesTop(m_dragCode))
        t = b - h;
    const QPoint toParent = m_target->pos() - m_target->mapTo(m_container, QPoint(0, 0));
    m_target->setGeometry(QRect(l, t, w, h).translated(toParent));
}

bool GrabHandles::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_target.data()) {
        if (m_visible && (type == QEvent::Move || type == QEvent::Resize)) {
            placeHandles();
            if (type == QEvent::Resize)
                emit TargetReSized();
        }
        return false;
    }
    const auto it =
        std::find_if(m_handles.begin(), m_handles.end(),
                     [watched](const QPointer<QWidget> &h) { return h.data() == watched; });
    if (it == m_handles.end())
        return false;
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint global = mouse->globalPosition().toPoint();
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && m_target &&
        m_dragCode == 0) {
        m_dragCode = kHitCodes[it - m_handles.begin()];
        m_pressPos = m_container->mapFromGlobal(global);
        m_startRect = targetRect();
        emit resizeStarted();
    } else if (type == QEvent::MouseMove && m_dragCode != 0) {
        dragTo(global);
    } else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
               m_dragCode != 0) {
        dragTo(global);
        m_dragCode = 0;
        emit resizeFinished();
    }
    return true;
}
