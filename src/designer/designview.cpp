#include "designview.h"

#include "designer/designpage.h"
#include "designer/designruler.h"

#include <QScrollBar>
#include <QWheelEvent>

DesignView::DesignView(QWidget *parent)
    : QScrollArea(parent), m_page(new DesignPage), m_top(new DesignRuler(Qt::Horizontal, this)),
      m_left(new DesignRuler(Qt::Vertical, this))
{
    setObjectName(QStringLiteral("designView"));
    m_top->setObjectName(QStringLiteral("topRuler"));
    m_left->setObjectName(QStringLiteral("leftRuler"));
    viewport()->setBackgroundRole(QPalette::Dark);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWidgetResizable(false);
    setWidget(m_page);
    const int t = m_top->thickness();
    setViewportMargins(t, t, 0, 0);
    placeRulers();
}

void DesignView::placeRulers()
{
    const QRect vp = viewport()->geometry();
    const int t = m_top->thickness();
    m_top->setGeometry(vp.left(), vp.top() - t, vp.width(), t);
    m_left->setGeometry(vp.left() - t, vp.top(), t, vp.height());
}

void DesignView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    placeRulers();
    emit scrolled();
}

void DesignView::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    emit scrolled();
}

bool DesignView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            emit zoomWheel(wheel->angleDelta().y());
            wheel->accept();
            return true;
        }
    }
    return QScrollArea::viewportEvent(event);
}

bool DesignView::eventFilter(QObject *watched, QEvent *event)
{
    // The view centres a narrow page: a resize moves it without scrolling.
    const bool moved = watched == m_page && event->type() == QEvent::Move;
    const bool handled = QScrollArea::eventFilter(watched, event);
    if (moved)
        emit scrolled();
    return handled;
}
