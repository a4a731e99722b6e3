#include "itembox.h"

#include "sectionsurface.h"

#include "document/reportitem.h"
#include "output/editmodedrawing.h"

#include <QMouseEvent>
#include <QPainter>

ItemBox::ItemBox(SectionSurface *surface, int index)
    : QWidget(surface), m_surface(surface), m_index(index)
{
    setObjectName(QStringLiteral("pItem1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click gives the box the focus, and the focus brings the handles.
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
}

void ItemBox::paintEvent(QPaintEvent *)
{
    const ReportItem *item = m_surface->SubObject(m_index);
    if (!item)
        return;
    QPainter painter(this);
    drawEditMode(painter, *item, size(), m_surface->scale(), m_surface->chartSymbol());
}

void ItemBox::mousePressEvent(QMouseEvent *event)
{
    m_surface->boxPressed(this, event);
}

void ItemBox::mouseMoveEvent(QMouseEvent *event)
{
    m_surface->boxMoved(this, event);
}

void ItemBox::mouseReleaseEvent(QMouseEvent *event)
{
    m_surface->boxReleased(this, event);
}

void ItemBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_surface->boxDoubleClicked(this);
}

void ItemBox::keyPressEvent(QKeyEvent *event)
{
    m_surface->handleKey(event);
}

void ItemBox::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    m_surface->startGrab(this);
    emit m_surface->focusReceived();
}

void ItemBox::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    // A popup menu borrows the focus for a moment; the handles stay for it.
    if (event->reason() != Qt::PopupFocusReason)
        m_surface->stopGrab();
}
