#include "sectionsurfacetools.h"

#include "designdocument.h"
#include "itembox.h"
#include "sectionsurface.h"
#include "snaphelper.h"

#include "document/reportitem.h"
#include "document/reportsection.h"

#include <QSet>

#include <cmath>

namespace {
// A band catches an item whose corner (or which holds a corner of the
// band) is this close to it, in twips.
constexpr double kBandReach = 50;
// Alignment guides catch edges this close, in pixels.
constexpr double kGuidePixels = 5;
} // namespace

SurfaceTool::~SurfaceTool() = default;

// ---- Band selection ----

BandSelectTool::BandSelectTool(SectionSurface *surface, const QPointF &start)
    : SurfaceTool(surface), m_start(start)
{
}

void BandSelectTool::move(const QPointF &at, Qt::KeyboardModifiers)
{
    m_moved = true;
    m_surface->setBand(QRectF(m_start, at));
    DesignDocument *design = m_surface->design();
    ReportSection *s = m_surface->sectionRef();
    if (!design || !s)
        return;
    const QRectF band = QRectF(m_start, at).normalized();
    auto near = [](const QPointF &p, const QRectF &r) {
        return r.adjusted(-kBandReach, -kBandReach, kBandReach, kBandReach).contains(p);
    };
    QSet<QString> hit;
    for (int i = 1; i <= m_surface->count(); ++i) {
        const QRectF r = m_surface->box(i)->twips;
        const bool touched = near(r.topLeft(), band) || near(r.topRight(), band) ||
                             near(r.bottomLeft(), band) || near(r.bottomRight(), band) ||
                             near(band.topLeft(), r) || near(band.topRight(), r) ||
                             near(band.bottomLeft(), r) || near(band.bottomRight(), r);
        if (touched)
            hit.insert(m_surface->box(i)->tag);
    }
    design->select(*s, hit);
}

void BandSelectTool::release(const QPointF &, Qt::KeyboardModifiers)
{
    m_surface->setBand(QRectF());
    // A click without a drag leaves the selection alone.
    if (!m_moved)
        emit m_surface->Click();
}

// ---- Dragging items ----

ItemDragTool::ItemDragTool(SectionSurface *surface, ItemBox *pressed, const QPointF &at)
    : SurfaceTool(surface), m_pressed(pressed), m_pressInBox(at - pressed->twips.topLeft())
{
}

void ItemDragTool::moveGroup(double dx, double dy)
{
    // Snapping every box on its own would change the spacing of the group
    // (and make neighbours overlap): one snapped offset moves them all, as
    // the arrow keys do.
    DesignDocument *design = m_surface->design();
    auto snap = [design](double v) { return design ? design->snap(v) : v; };
    QRectF &r = m_pressed->twips;
    const QPointF from = r.topLeft();
    r = QRectF(snap(from.x() + dx), snap(from.y() + dy), snap(r.width()), snap(r.height()));
    m_surface->placeBox(m_pressed);
    const QPointF offset = r.topLeft() - from;
    for (ItemBox *b : m_surface->selectedBoxes()) {
        if (b == m_pressed)
            continue;
        b->twips.translate(offset);
        m_surface->placeBox(b);
    }
}

void ItemDragTool::move(const QPointF &at, Qt::KeyboardModifiers)
{
    if (!m_pressed)
        return;
    m_moved = true;
    // The pressed box follows the mouse: what it still lacks of the mouse's
    // displacement is applied to every selected box.
    const QRectF r = m_pressed->twips;
    double dx = at.x() - r.left() - m_pressInBox.x();
    double dy = at.y() - r.top() - m_pressInBox.y();

    // Alignment guides: the pressed box's edges and centre against the other
    // items. Without a grid they catch the box; with one the grid wins.
    const double tolerance = kGuidePixels / m_surface->scale();
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
    const bool grid = m_surface->design() && m_surface->design()->gridStep() > 0;
    const double nl = r.left() + dx, nt = r.top() + dy;
    const double shiftX =
        SnapHelper::toGuides({nl, nl + r.width(), nl + r.width() / 2}, guidesX, tolerance);
    const double shiftY =
        SnapHelper::toGuides({nt, nt + r.height(), nt + r.height() / 2}, guidesY, tolerance);
    if (!grid) {
        dx += shiftX;
        dy += shiftY;
    }
    moveGroup(dx, dy);

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
    m_surface->setGuidesY(shownY);
    emit m_surface->guidesChanged(shownX);
    emit m_surface->selectionChanged();
}

void ItemDragTool::release(const QPointF &, Qt::KeyboardModifiers)
{
    m_surface->setGuidesY({});
    emit m_surface->guidesChanged({});
    ReportSection *s = m_surface->sectionRef();
    if (!m_moved || !s || !m_surface->design())
        return;
    QHash<QString, QRectF> rects;
    for (const ItemBox *b : m_surface->selectedBoxes())
        rects.insert(b->tag, b->twips);
    m_surface->design()->setGeometry(*s, rects, QObject::tr("Move"));
}

// ---- Resizing the section ----

EdgeResizeTool::EdgeResizeTool(SectionSurface *surface, const QPointF &at)
    : SurfaceTool(surface), m_startHeight(surface->heightTwips())
{
    surface->clickX = at.x();
    surface->clickY = at.y();
}

void EdgeResizeTool::follow(const QPointF &at)
{
    const double height = at.y() - m_surface->clickY + m_startHeight;
    // Dragged above the surface's top: the height stays as it was.
    if (height >= 0)
        m_surface->setHeightTwips(height);
}

void EdgeResizeTool::move(const QPointF &at, Qt::KeyboardModifiers)
{
    follow(at);
}

void EdgeResizeTool::release(const QPointF &at, Qt::KeyboardModifiers)
{
    follow(at);
    m_surface->setCursor(Qt::ArrowCursor);
    ReportSection *s = m_surface->sectionRef();
    if (s && m_surface->design() && m_surface->heightTwips() != m_startHeight)
        m_surface->design()->setSectionHeight(*s, m_surface->heightTwips());
    emit m_surface->heightDragged();
}
