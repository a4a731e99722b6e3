#include "psectiontools.h"

#include "itembox.h"
#include "psection.h"
#include "snaphelper.h"

#include "document/reportitem.h"
#include "document/section.h"

SurfaceTool::~SurfaceTool() = default;

// ---- Band selection ----

BandSelectTool::BandSelectTool(pSection *surface, const QPointF &start)
    : SurfaceTool(surface), m_start(start)
{
}

void BandSelectTool::move(const QPointF &at, Qt::KeyboardModifiers)
{
    m_moved = true;
    m_surface->m_band = QRectF(m_start, at);
    m_surface->update();
    m_surface->checkSelections(m_start.x(), m_start.y(), at.x(), at.y());
    emit m_surface->selectionChanged();
}

void BandSelectTool::release(const QPointF &, Qt::KeyboardModifiers)
{
    m_surface->m_band = QRectF();
    m_surface->update();
    // A click without a drag leaves the selection alone.
    if (!m_moved)
        emit m_surface->Click();
}

// ---- Dragging items ----

ItemDragTool::ItemDragTool(pSection *surface, ItemBox *pressed, const QPointF &at)
    : SurfaceTool(surface), m_pressed(pressed), m_pressInBox(at - pressed->twips.topLeft())
{
}

void ItemDragTool::move(const QPointF &at, Qt::KeyboardModifiers modifiers)
{
    if (!m_pressed)
        return;
    if (!m_moved) {
        m_moved = true;
        m_surface->beginChange();
    }
    // The pressed box follows the mouse: what it still lacks of the mouse's
    // displacement is applied to every selected box.
    const QRectF r = m_pressed->twips;
    double dx = at.x() - r.left() - m_pressInBox.x();
    double dy = at.y() - r.top() - m_pressInBox.y();

    // Alignment guides: the pressed box's edges and centre against the other
    // items. Without a grid they catch the box; with one the grid wins.
    const double tolerance = 5 / m_surface->scale();
    QList<double> guidesX, guidesY;
    for (int i = 1; i <= m_surface->count(); ++i) {
        const ReportItem *item = m_surface->SubObject(i);
        if (!item || item->selected)
            continue;
        const QRectF o = m_surface->box(i)->twips;
        guidesX << o.left() << o.right() << o.center().x();
        guidesY << o.top() << o.bottom() << o.center().y();
    }
    if (m_surface->otherGuidesX)
        guidesX << m_surface->otherGuidesX(m_surface);
    const bool grid = m_surface->gridStep() > 0;
    double matchX = 0, matchY = 0;
    const double nl = r.left() + dx, nt = r.top() + dy;
    const double shiftX =
        SnapHelper::toGuides({nl, nl + r.width(), nl + r.width() / 2}, guidesX, tolerance, &matchX);
    const double shiftY = SnapHelper::toGuides({nt, nt + r.height(), nt + r.height() / 2}, guidesY,
                                               tolerance, &matchY);
    if (!grid) {
        dx += shiftX;
        dy += shiftY;
    }
    m_surface->MajMoveUs(modifiers, m_pressed->index(), dx, dy);

    // Guides are shown where an edge lies on one now.
    const QRectF moved = m_pressed->twips;
    auto lined = [](double a, double b) { return std::abs(a - b) < 0.5; };
    QList<double> shownX;
    for (double g : std::as_const(guidesX)) {
        if ((lined(g, moved.left()) || lined(g, moved.right()) || lined(g, moved.center().x())) &&
            !shownX.contains(g))
            shownX << g;
    }
    QList<double> shownY;
    for (double g : std::as_const(guidesY)) {
        if ((lined(g, moved.top()) || lined(g, moved.bottom()) || lined(g, moved.center().y())) &&
            !shownY.contains(g))
            shownY << g;
    }
    if (shownY != m_surface->m_guidesY) {
        m_surface->m_guidesY = shownY;
        m_surface->update();
    }
    emit m_surface->guidesChanged(shownX);
    emit m_surface->selectionChanged();
}

void ItemDragTool::release(const QPointF &, Qt::KeyboardModifiers)
{
    m_surface->m_guidesY.clear();
    m_surface->update();
    emit m_surface->guidesChanged({});
    if (!m_moved)
        return;
    if (section *s = m_surface->sectionRef())
        s->modified_ = true;
    m_surface->saveSizes();
    m_surface->Refresh();
    m_surface->recordChange(QObject::tr("Move"));
}

// ---- Resizing the section ----

EdgeResizeTool::EdgeResizeTool(pSection *surface, const QPointF &at)
    : SurfaceTool(surface), m_startHeight(surface->heightTwips())
{
    surface->clickX = at.x();
    surface->clickY = at.y();
    surface->beginChange();
}

void EdgeResizeTool::follow(const QPointF &at)
{
    const double height = at.y() - m_surface->clickY + m_startHeight;
    // Dragged above the surface's top: the height stays as it was.
    if (height < 0)
        return;
    m_surface->setHeightTwips(height);
    if (section *s = m_surface->sectionRef())
        s->Height = float(m_surface->toDocUnit(height));
}

void EdgeResizeTool::move(const QPointF &at, Qt::KeyboardModifiers)
{
    follow(at);
}

void EdgeResizeTool::release(const QPointF &at, Qt::KeyboardModifiers)
{
    follow(at);
    m_surface->setCursor(Qt::ArrowCursor);
    if (section *s = m_surface->sectionRef())
        s->modified_ = true;
    emit m_surface->heightDragged();
    m_surface->recordChange(QObject::tr("Section height"));
}
