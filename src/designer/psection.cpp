#include "psection.h"

#include "cgrabhandles.h"
#include "designundo.h"
#include "itembox.h"
#include "psectiontools.h"
#include "snaphelper.h"

#include "platform/units.h"
#include "document/igraph.h"
#include "document/ipic.h"
#include "document/item.h"
#include "document/section.h"
#include "document/talvodocument.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
// The bottom edge can be grabbed this close to it: 50 twips, and never
// less than a few pixels, so that it can be hit at any zoom.
constexpr double kEdgeTwips = 50;
constexpr double kEdgeMinPixels = 4;
// Alignment guides catch edges this close, in pixels.
constexpr double kGuidePixels = 5;
const QColor kMarginColor(255, 128, 128);
const QColor kFrameColor(192, 192, 192);
const QColor kCaptionColor(170, 170, 190);
} // namespace

pSection::pSection(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setMouseTracking(true);
    // Box 0 is the template every box is made like; it is never shown.
    pItem1.append(newBox());
    pItem1[0]->hide();
}

pSection::~pSection()
{
    stopGrab();
    m_section = nullptr;
}

// ---- Binding and layout ----

namespace {
// An item's rectangle in twips, to a thousandth: lengths stored in
// centimetres come back as 999.99998 twips, which would snap a drag's exact
// half to the wrong side.
QRectF twipsOf(const ReportItem &item)
{
    auto fine = [](double v) { return std::round(v * 1000) / 1000; };
    return QRectF(fine(item.xt()), fine(item.yt()), fine(item.wt()), fine(item.ht()));
}
} // namespace

void pSection::init(section *s)
{
    stopGrab();
    m_section = s;
    if (!s) {
        for (int i = 1; i < pItem1.size(); ++i)
            pItem1[i]->hide();
        return;
    }
    m_heightT = s->HeightT();
    // Boxes are reused in collection order; only a grown section makes new
    // ones, so rebuilding after every edit stays cheap on large sections.
    const int n = s->items.count();
    while (pItem1.size() <= n)
        pItem1.append(newBox());
    while (pItem1.size() > n + 1)
        delete pItem1.takeLast();
    for (int i = 1; i <= n; ++i) {
        ReportItem *item = s->items.at(i - 1);
        ItemBox *b = pItem1[i];
        b->tag = item->Key;
        b->twips = twipsOf(*item);
        b->setVisible(true);
    }
    placeAllBoxes();
    // Boxes stack in collection order: later items in front.
    for (int i = 1; i <= n; ++i)
        pItem1[i]->raise();
    resize(qRound(m_pageWidthT * m_scale), qRound(m_heightT * m_scale));
    update();
}

void pSection::initMargin(double left, double right, double top, double bottom)
{
    m_marginL = fromDocUnit(left);
    m_marginR = fromDocUnit(right);
    m_marginT = fromDocUnit(top);
    m_marginB = fromDocUnit(bottom);
}

void pSection::ShowMargins()
{
    m_showMargins = true;
    update();
}

void pSection::setScale(double pixelsPerTwip)
{
    if (pixelsPerTwip <= 0 || pixelsPerTwip == m_scale)
        return;
    m_scale = pixelsPerTwip;
    placeAllBoxes();
    resize(qRound(m_pageWidthT * m_scale), qRound(m_heightT * m_scale));
    update();
}

void pSection::setPageWidthTwips(double width)
{
    m_pageWidthT = width;
    resize(qRound(m_pageWidthT * m_scale), qRound(m_heightT * m_scale));
}

void pSection::setChartSymbol(const QImage &symbol)
{
    m_chartSymbol = symbol;
}

ItemBox *pSection::newBox()
{
    auto *b = new ItemBox(this, pItem1.size());
    b->installEventFilter(this);
    return b;
}

void pSection::placeBox(ItemBox *b)
{
    // Both edges are rounded, so boxes that touch in twips touch on screen.
    const QRectF &r = b->twips;
    const int left = qRound(r.left() * m_scale);
    const int top = qRound(r.top() * m_scale);
    const int right = qRound(r.right() * m_scale);
    const int bottom = qRound(r.bottom() * m_scale);
    m_placing = true;
    b->setGeometry(left, top, std::max(1, right - left), std::max(1, bottom - top));
    m_placing = false;
}

void pSection::placeAllBoxes()
{
    for (int i = 1; i < pItem1.size(); ++i)
        placeBox(pItem1[i]);
}

void pSection::setHeightTwips(double height)
{
    m_heightT = height;
    resize(width(), qRound(m_heightT * m_scale));
    update();
}

// ---- Boxes ----

int pSection::count() const
{
    return int(pItem1.size()) - 1;
}

ItemBox *pSection::box(int index) const
{
    return index >= 0 && index < pItem1.size() ? pItem1[index] : nullptr;
}

ReportItem *pSection::SubObject(int index) const
{
    if (!m_section || index < 1 || index >= pItem1.size())
        return nullptr;
    return m_section->items.value(pItem1[index]->tag);
}

int pSection::indexOfKey(const QString &key) const
{
    for (int i = 1; i < pItem1.size(); ++i) {
        if (pItem1[i]->tag == key)
            return i;
    }
    return -1;
}

QRectF pSection::selectionRect() const
{
    QRectF united;
    for (int i = 1; i < pItem1.size(); ++i) {
        const ReportItem *item = SubObject(i);
        if (item && item->selected)
            united = united.isNull() ? pItem1[i]->twips : united.united(pItem1[i]->twips);
    }
    return united;
}

// ---- Conversions ----

int pSection::unit() const
{
    return m_section ? m_section->unit() : Unit::Centimetres;
}

double pSection::toDocUnit(double twips) const
{
    return convertUnit(twips, Unit::Twips, unit(), kPixelsPerCm);
}

double pSection::fromDocUnit(double value) const
{
    return convertUnit(value, unit(), Unit::Twips, kPixelsPerCm);
}

double pSection::gridStep() const
{
    const TalvoDocument *doc = m_section ? m_section->parent : nullptr;
    return doc ? SnapHelper::gridStep(doc->gridSize, doc->unit()) : 0;
}

float pSection::toStoredLength(double twips) const
{
    const TalvoDocument *doc = m_section ? m_section->parent : nullptr;
    if (!doc)
        return float(toDocUnit(twips));
    return float(SnapHelper::toDocLength(twips, unit(), doc->gridSize));
}

double pSection::toGrid2(double value, bool noGrid) const
{
    return noGrid ? value : SnapHelper::toGrid(value, gridStep());
}

// ---- Model writes ----

void pSection::saveSizes()
{
    if (!m_section)
        return;
    for (int i = 1; i < pItem1.size(); ++i) {
        ReportItem *item = SubObject(i);
        if (!item)
            continue;
        const QRectF &r = pItem1[i]->twips;
        // Only what moved is written: a round trip through twips must not
        // change the numbers of untouched items.
        if (r == twipsOf(*item))
            continue;
        // A box a hair off its item (placed by the handles at a fractional
        // scale) stores the same numbers: it is no change, and must not
        // leave a saved report marked modified.
        const float x = toStoredLength(r.left());
        const float y = toStoredLength(r.top());
        const float w = toStoredLength(r.width());
        const float h = toStoredLength(r.height());
        if (x == item->x && y == item->y && w == item->w && h == item->h)
            continue;
        item->x = x;
        item->y = y;
        item->w = w;
        item->h = h;
        item->modified = true;
    }
    CheckSize();
}

void pSection::CheckSize()
{
    if (!m_section)
        return;
    double required = 240;
    for (int i = 1; i < pItem1.size(); ++i)
        required = std::max(required, pItem1[i]->twips.bottom());
    const bool grown = m_heightT < required;
    if (grown)
        setHeightTwips(required);
    if (m_heightT != m_section->HeightT())
        m_section->Height = toStoredLength(m_heightT);
    if (grown)
        emit changeSize();
}

void pSection::beginChange()
{
    if (m_undo && m_section)
        m_before = std::make_unique<SectionState>(SectionState::capture(*m_section));
}

void pSection::recordChange(const QString &text)
{
    if (m_undo && m_section && m_before)
        m_undo->sectionChanged(text, *m_section, std::move(*m_before));
    m_before.reset();
    emit selectionChanged();
}

// ---- Drawing ----

void pSection::Refresh()
{
    update();
    majAll();
}

void pSection::maj(int index)
{
    if (ItemBox *b = box(index))
        b->update();
}

void pSection::majAll()
{
    for (int i = 1; i < pItem1.size(); ++i)
        maj(i);
}

void pSection::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const double w = width();
    const double h = height();
    if (m_showMargins) {
        painter.setPen(QPen(kMarginColor, 0));
        const double left = m_marginL * m_scale;
        const double right = w - m_marginR * m_scale;
        painter.drawLine(QPointF(left, 0), QPointF(left, h));
        painter.drawLine(QPointF(right, 0), QPointF(right, h));
    }
    // The frame: its top line separates this surface from the one above.
    painter.setPen(QPen(kFrameColor, 0));
    painter.drawRect(QRectF(0, 0, w - 1, h - 1));
    // The section's name, light, in the band's top left corner: the bands
    // of a report look alike otherwise. Items are drawn over it.
    if (m_section) {
        QFont caption = font();
        caption.setPointSizeF(std::max(6.0, caption.pointSizeF() * 0.85));
        painter.setFont(caption);
        painter.setPen(kCaptionColor);
        painter.drawText(QRectF(3, 1, std::max(0.0, w - 6), std::max(0.0, h - 2)),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_section->sectionName);
    }
    if (!m_guidesY.isEmpty()) {
        QPen pen(QColor(0, 150, 255), 0, Qt::DashLine);
        painter.setPen(pen);
        for (double y : std::as_const(m_guidesY))
            painter.drawLine(QPointF(0, y * m_scale), QPointF(w, y * m_scale));
    }
    if (!m_band.isNull()) {
        painter.setPen(QPen(QColor(255, 0, 0), 0, Qt::DotLine));
        painter.drawRect(QRectF(m_band.topLeft() * m_scale, m_band.bottomRight() * m_scale));
    }
}

void pSection::resizeEvent(QResizeEvent *)
{
    ShowMargins();
}

// ---- Grab handles ----

void pSection::startGrab(ItemBox *b)
{
    stopGrab();
    cgh = new cGrabHandles(this, b, true, Qt::black, -1, this);
    connect(cgh, &cGrabHandles::resizeStarted, this, &pSection::beginChange);
    connect(cgh, &cGrabHandles::TargetReSized, this, &pSection::targetResized);
    connect(cgh, &cGrabHandles::resizeFinished, this, [this] {
        // The handles leave sizes unsnapped; the next drag snaps them.
        if (m_section)
            m_section->modified_ = true;
        recordChange(tr("Resize"));
    });
}

void pSection::stopGrab()
{
    delete cgh.data();
    cgh = nullptr;
}

void pSection::targetResized()
{
    // Boxes placed by the surface (zoom, moves) are not resized by the user.
    if (m_placing || !cgh)
        return;
    auto *b = qobject_cast<ItemBox *>(cgh->target());
    if (!b)
        return;
    const QRect g = b->geometry();
    b->twips = QRectF(g.x() / m_scale, g.y() / m_scale, g.width() / m_scale, g.height() / m_scale);
    if (m_section)
        m_section->modified_ = true;
    saveSizes();
    emit selectionChanged();
}

// ---- Mouse on the background ----

bool pSection::onBottomEdge(double y) const
{
    const double zone = std::max(kEdgeTwips, kEdgeMinPixels / m_scale);
    return y >= m_heightT - zone && y <= m_heightT;
}

void pSection::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = twipsAt(event->position());
    m_lastMouse = at;
    if (event->button() == Qt::RightButton) {
        clickX = at.x();
        clickY = at.y();
        emit ClickRight(at.x(), at.y());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    if (onBottomEdge(at.y()))
        m_tool = std::make_unique<EdgeResizeTool>(this, at);
    else
        m_tool = std::make_unique<BandSelectTool>(this, at);
}

void pSection::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = twipsAt(event->position());
    if (m_tool) {
        m_tool->move(at, event->modifiers());
    } else {
        setCursor(onBottomEdge(at.y()) ? Qt::SizeVerCursor : Qt::ArrowCursor);
    }
    reCoordinates(at.x(), at.y());
}

void pSection::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_tool)
        return;
    const QPointF at = twipsAt(event->position());
    m_lastMouse = at;
    // The tool may start another edit; it is gone first.
    std::unique_ptr<SurfaceTool> tool = std::move(m_tool);
    tool->release(at, event->modifiers());
}

void pSection::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    stopGrab();
    m_tool.reset();
    m_band = QRectF();
    const QPointF at = twipsAt(event->position());
    if (onBottomEdge(at.y())) {
        beginChange();
        CheckSize();
        recordChange(tr("Section height"));
    } else if (m_section && m_section->section_Type == section::DataSection) {
        if (editSection)
            editSection(*m_section);
        else
            emit statusText(tr("The section properties dialog is not available yet."));
    } else {
        emit DblClick();
    }
}

void pSection::reCoordinates(double x, double y)
{
    emit Coordinates(toDocUnit(x), toDocUnit(y));
}

void pSection::checkSelections(double x1, double y1, double x2, double y2)
{
    auto inside = [](double px, double py, double ax, double ay, double bx, double by) {
        if (ax > bx)
            std::swap(ax, bx);
        if (ay > by)
            std::swap(ay, by);
        return px >= ax - 50 && px <= bx + 50 && py >= ay - 50 && py <= by + 50;
    };
    for (int i = 1; i < pItem1.size(); ++i) {
        ReportItem *item = SubObject(i);
        if (!item)
            continue;
        const QRectF &r = pItem1[i]->twips;
        const double l = r.left(), t = r.top(), rr = r.left() + r.width(), b = r.top() + r.height();
        const bool hit = inside(l, t, x1, y1, x2, y2) || inside(rr, t, x1, y1, x2, y2) ||
                         inside(l, b, x1, y1, x2, y2) || inside(rr, b, x1, y1, x2, y2) ||
                         inside(x1, y1, l, t, rr, b) || inside(x2, y1, l, t, rr, b) ||
                         inside(x1, y2, l, t, rr, b) || inside(x2, y2, l, t, rr, b);
        if (item->selected != hit) {
            item->selected = hit;
            maj(i);
        }
    }
}

// ---- Mouse on a box ----

void pSection::boxPressed(ItemBox *b, QMouseEvent *event)
{
    ReportItem *item = SubObject(b->index());
    if (!item)
        return;
    const QPointF at = twipsAt(b->mapToParent(event->position()));
    m_lastMouse = at;
    if (event->button() == Qt::RightButton) {
        // The menu acts on what is selected: the item under the mouse is.
        if (!item->selected) {
            UnSelectAll();
            item->selected = true;
            maj(b->index());
            emit selectionChanged();
        }
        emit ShowMenuDelProp(item->whatIs(), item->Key);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) {
        // Ctrl or Shift adds to (or takes from) the selection.
        item->selected = !item->selected;
        maj(b->index());
        emit selectionChanged();
        if (!item->selected)
            return;
    } else if (!item->selected) {
        UnSelectAll();
        item->selected = true;
        maj(b->index());
        emit selectionChanged();
    }
    m_tool = std::make_unique<ItemDragTool>(this, b, at);
}

void pSection::boxMoved(ItemBox *b, QMouseEvent *event)
{
    const QPointF at = twipsAt(b->mapToParent(event->position()));
    if (m_tool)
        m_tool->move(at, event->modifiers());
    reCoordinates(at.x(), at.y());
}

void pSection::boxReleased(ItemBox *b, QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_tool)
        return;
    const QPointF at = twipsAt(b->mapToParent(event->position()));
    std::unique_ptr<SurfaceTool> tool = std::move(m_tool);
    tool->release(at, event->modifiers());
}

void pSection::boxDoubleClicked(ItemBox *b)
{
    m_tool.reset();
    stopGrab();
    ReportItem *item = SubObject(b->index());
    if (!item)
        return;
    if (editItem)
        editItem(*item);
    else
        emit statusText(tr("The item editors are not available yet."));
}

// ---- Moving ----

void pSection::MajMoveUs(Qt::KeyboardModifiers, int index, double dx, double dy)
{
    // Snapping every box on its own would change the spacing of the group
    // (and make neighbours overlap): one snapped offset moves them all, as
    // the arrow keys do.
    ItemBox *pressed = box(index);
    if (!pressed || index < 1)
        return;
    const QPointF from = pressed->twips.topLeft();
    MajMoveMe(index, from.x() + dx, from.y() + dy);
    const QPointF offset = pressed->twips.topLeft() - from;
    for (int i = 1; i < pItem1.size(); ++i) {
        const ReportItem *item = SubObject(i);
        if (i == index || !item || !item->selected)
            continue;
        pItem1[i]->twips.translate(offset);
        placeBox(pItem1[i]);
    }
}

void pSection::MajMoveMe(int index, double left, double top)
{
    ItemBox *b = box(index);
    if (!b)
        return;
    b->twips = QRectF(rtg(left), rtg(top), rtg(b->twips.width()), rtg(b->twips.height()));
    placeBox(b);
}

// ---- Editing ----

void pSection::UnSelectAll()
{
    if (!m_section)
        return;
    m_section->SelectAll(false);
    majAll();
    emit selectionChanged();
}

void pSection::selectAllItems()
{
    if (!m_section)
        return;
    m_section->SelectAll(true);
    majAll();
    emit selectionChanged();
}

void pSection::selectedInFront()
{
    for (int i = 1; i < pItem1.size(); ++i) {
        const ReportItem *item = SubObject(i);
        if (item && item->selected)
            pItem1[i]->raise();
    }
}

void pSection::copy()
{
    stopGrab();
    if (!m_section)
        return;
    ItemClipboard &clip = m_section->parent->ClipBrd;
    clip.clear();
    for (int i = count(); i >= 1; --i) {
        const ReportItem *item = SubObject(i);
        if (item && item->selected)
            clip.addCopyOf(*item);
    }
    init(m_section);
}

void pSection::Cut()
{
    stopGrab();
    if (!m_section)
        return;
    beginChange();
    ItemClipboard &clip = m_section->parent->ClipBrd;
    clip.clear();
    bool any = false;
    for (int i = count(); i >= 1; --i) {
        const ReportItem *item = SubObject(i);
        if (item && item->selected) {
            std::unique_ptr<ReportItem> taken = m_section->items.take(item->Key);
            taken->parent = nullptr;
            clip.add(std::move(taken));
            any = true;
        }
    }
    if (any)
        m_section->modified_ = true;
    init(m_section);
    recordChange(tr("Cut"));
}

void pSection::Paste()
{
    stopGrab();
    if (!m_section)
        return;
    beginChange();
    m_section->SelectAll(false);
    const ItemClipboard &clip = m_section->parent->ClipBrd;
    for (int i = 0; i < clip.count(); ++i) {
        const ReportItem *src = clip.at(i);
        ReportItem *created = nullptr;
        switch (src->kind()) {
        case ReportItem::TextKind:
            created = m_section->NewItem();
            break;
        case ReportItem::PictureKind:
            created = m_section->NewPicture();
            break;
        case ReportItem::GraphKind:
            created = m_section->NewGraph();
            break;
        }
        created->copy(*src, m_section);
        created->selected = true;
    }
    m_section->modified_ = true;
    init(m_section);
    CheckSize();
    selectedInFront();
    Refresh();
    recordChange(tr("Paste"));
}

void pSection::DeleteSelection()
{
    stopGrab();
    if (!m_section)
        return;
    beginChange();
    m_section->modified_ = true;
    for (int i = count(); i >= 1; --i) {
        const ReportItem *item = SubObject(i);
        if (item && item->selected)
            m_section->items.remove(item->Key);
    }
    init(m_section);
    recordChange(tr("Delete"));
}

void pSection::SetSelection(const QString &what)
{
    if (!m_section)
        return;
    std::optional<bool> value;
    for (ReportItem *item : m_section->items) {
        if (item->selected && item->kind() == ReportItem::TextKind) {
            auto *text = static_cast<Item *>(item);
            if (!value)
                value = !text->fontWhat(what);
        }
    }
    if (!value)
        return;
    beginChange();
    for (ReportItem *item : m_section->items) {
        if (item->selected && item->kind() == ReportItem::TextKind) {
            static_cast<Item *>(item)->setFontWhat(what, *value);
            item->modified = true;
        }
    }
    m_section->modified_ = true;
    majAll();
    const QString name = what.toLower();
    recordChange(name == QLatin1String("bold")        ? tr("Bold")
                 : name == QLatin1String("italic")    ? tr("Italic")
                 : name == QLatin1String("underline") ? tr("Underline")
                                                      : tr("Strikethrough"));
}

void pSection::align(const QString &where)
{
    if (!m_section)
        return;
    beginChange();
    for (ReportItem *item : m_section->items) {
        if (item->selected && item->kind() == ReportItem::TextKind) {
            static_cast<Item *>(item)->align(where);
            item->modified = true;
        }
    }
    m_section->modified_ = true;
    majAll();
    recordChange(tr("Align text"));
}

int pSection::addItem(ReportItem *item, double x, double y, double w, double h)
{
    x = rtg(x);
    y = rtg(y);
    // A new item at 0 goes where the mouse last was on this surface.
    if (x == 0)
        x = rtg(m_lastMouse.x());
    if (y == 0)
        y = rtg(m_lastMouse.y());
    item->x = toStoredLength(x);
    item->y = toStoredLength(y);
    item->w = toStoredLength(rtg(w));
    item->h = toStoredLength(rtg(h));
    item->modified = true;
    m_section->modified_ = true;
    init(m_section);
    return indexOfKey(item->Key);
}

int pSection::AddField(double x, double y, const std::optional<QString> &text)
{
    if (!m_section)
        return -1;
    const bool outer = !m_before;
    if (outer)
        beginChange();
    Item *item = m_section->NewItem();
    if (text)
        item->content = *text;
    const int index = addItem(item, x, y, 1500, 300);
    if (outer)
        recordChange(tr("Add field"));
    return index;
}

int pSection::AddPicture(double x, double y)
{
    if (!m_section)
        return -1;
    beginChange();
    iPic *pic = m_section->NewPicture();
    const int index = addItem(pic, x, y, pic->wt(), pic->ht());
    recordChange(tr("Add picture"));
    return index;
}

int pSection::AddGraph(double x, double y)
{
    if (!m_section)
        return -1;
    beginChange();
    iGraph *graph = m_section->NewGraph();
    const int index = addItem(graph, x, y, graph->wt(), graph->ht());
    recordChange(tr("Add chart"));
    return index;
}

void pSection::ShowProp(const QString &kind, const QString &key)
{
    if (!m_section)
        return;
    ReportItem *item = m_section->items.value(key);
    if (!item || item->whatIs() != kind)
        return;
    // Pictures and charts have editors too: they open as on a double click.
    if (editItem)
        editItem(*item);
    else
        emit statusText(tr("The item editors are not available yet."));
}

// ---- Keyboard ----

void pSection::nudge(int dx, int dy, bool resize)
{
    if (!m_section || selectionRect().isNull())
        return;
    const double grid = gridStep();
    const double step = grid > 0 ? grid : 1 / m_scale;
    beginChange();
    for (int i = 1; i < pItem1.size(); ++i) {
        const ReportItem *item = SubObject(i);
        if (!item || !item->selected)
            continue;
        QRectF &r = pItem1[i]->twips;
        if (resize) {
            r.setWidth(std::max(0.0, r.width() + dx * step));
            r.setHeight(std::max(0.0, r.height() + dy * step));
        } else {
            r.translate(dx * step, dy * step);
            r.moveTo(std::max(0.0, r.left()), std::max(0.0, r.top()));
        }
        placeBox(pItem1[i]);
    }
    m_section->modified_ = true;
    saveSizes();
    recordChange(resize ? tr("Resize") : tr("Move"));
}

void pSection::focusNextItem(bool backwards)
{
    const int n = count();
    if (n == 0)
        return;
    int current = 0;
    for (int i = 1; i <= n; ++i) {
        if (pItem1[i]->hasFocus())
            current = i;
    }
    int next = backwards ? current - 1 : current + 1;
    if (next < 1)
        next = n;
    if (next > n)
        next = 1;
    UnSelectAll();
    if (ReportItem *item = SubObject(next))
        item->selected = true;
    maj(next);
    pItem1[next]->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    emit selectionChanged();
}

bool pSection::focusNextPrevChild(bool)
{
    // Tab walks the items (keyPressEvent), not the window's widgets.
    return false;
}

void pSection::keyPressEvent(QKeyEvent *event)
{
    emit KeyDown(event->key(), event->modifiers());
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        nudge(-1, 0, shift);
        return;
    case Qt::Key_Right:
        nudge(1, 0, shift);
        return;
    case Qt::Key_Up:
        nudge(0, -1, shift);
        return;
    case Qt::Key_Down:
        nudge(0, 1, shift);
        return;
    case Qt::Key_Tab:
        focusNextItem(false);
        return;
    case Qt::Key_Backtab:
        focusNextItem(true);
        return;
    case Qt::Key_Escape:
        stopGrab();
        UnSelectAll();
        setFocus();
        return;
    default:
        break;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAllItems();
        return;
    }
    QWidget::keyPressEvent(event);
}

void pSection::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    emit focusReceived();
}

bool pSection::eventFilter(QObject *watched, QEvent *event)
{
    // Tab reaches a box's keyPressEvent only when it is taken here first.
    if (event->type() == QEvent::KeyPress && qobject_cast<ItemBox *>(watched)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Arranging ----

void pSection::arrange(const QString &how)
{
    if (!m_section)
        return;
    QList<ItemBox *> chosen;
    for (int i = 1; i < pItem1.size(); ++i) {
        const ReportItem *item = SubObject(i);
        if (item && item->selected)
            chosen << pItem1[i];
    }
    if (chosen.size() < 2)
        return;
    // Sizes follow the item with the handles, else the first selected one.
    ItemBox *reference = chosen.first();
    if (cgh && chosen.contains(cgh->target()))
        reference = static_cast<ItemBox *>(cgh->target());
    const QRectF all = selectionRect();
    const QRectF ref = reference->twips;
    beginChange();
    if (how.startsWith(QLatin1String("distribute"))) {
        const bool horizontal = how.endsWith(QLatin1String("-h"));
        auto start = [horizontal](const ItemBox *b) {
            return horizontal ? b->twips.left() : b->twips.top();
        };
        auto extent = [horizontal](const ItemBox *b) {
            return horizontal ? b->twips.width() : b->twips.height();
        };
        std::stable_sort(chosen.begin(), chosen.end(),
                         [&](const ItemBox *a, const ItemBox *b) { return start(a) < start(b); });
        double used = 0;
        for (const ItemBox *b : std::as_const(chosen))
            used += extent(b);
        const double span = (horizontal ? all.width() : all.height());
        const double gap = (span - used) / (chosen.size() - 1);
        double pos = start(chosen.first());
        for (ItemBox *b : std::as_const(chosen)) {
            if (horizontal)
                b->twips.moveLeft(pos);
            else
                b->twips.moveTop(pos);
            pos += extent(b) + gap;
        }
    } else {
        for (ItemBox *b : std::as_const(chosen)) {
            QRectF &r = b->twips;
            if (how == QLatin1String("left"))
                r.moveLeft(all.left());
            else if (how == QLatin1String("right"))
                r.moveRight(all.right());
            else if (how == QLatin1String("top"))
                r.moveTop(all.top());
            else if (how == QLatin1String("bottom"))
                r.moveBottom(all.bottom());
            else if (how == QLatin1String("hcenter"))
                r.moveLeft(all.center().x() - r.width() / 2);
            else if (how == QLatin1String("vcenter"))
                r.moveTop(all.center().y() - r.height() / 2);
            if (how == QLatin1String("width") || how == QLatin1String("size"))
                r.setWidth(ref.width());
            if (how == QLatin1String("height") || how == QLatin1String("size"))
                r.setHeight(ref.height());
        }
    }
    for (ItemBox *b : std::as_const(chosen))
        placeBox(b);
    m_section->modified_ = true;
    saveSizes();
    recordChange(tr("Arrange"));
}

// ---- Dropping fields ----

void pSection::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
}

void pSection::dragMoveEvent(QDragMoveEvent *event)
{
    if (!event->mimeData()->hasText())
        return;
    event->acceptProposedAction();
    emit statusText(tr("When you drop the field you can press CTRL to Drop the fields horizontally "
                       "instead of vertically"));
    const QPointF at = twipsAt(event->position());
    reCoordinates(at.x(), at.y());
}

void pSection::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasText() || !m_section)
        return;
    event->acceptProposedAction();
    const QString text = event->mimeData()->text();
    const bool horizontal = event->modifiers() & Qt::ControlModifier;
    const QPointF at = twipsAt(event->position());
    m_lastMouse = at;
    const double x0 = rtg(at.x());
    double x = x0;
    double y = rtg(at.y());
    const QStringList parts = text.isEmpty() ? QStringList() : text.split(QLatin1Char(';'));
    const double rightLine = m_pageWidthT - m_marginR;
    beginChange();
    for (const QString &part : parts) {
        const int index = AddField(x, y, part);
        const QRectF r = pItem1[index]->twips;
        if (!horizontal) {
            y += rtg(r.height());
        } else {
            x += rtg(r.width());
            if (x > rightLine) {
                x = x0;
                y += rtg(r.height());
            }
        }
    }
    CheckSize();
    recordChange(tr("Drop fields"));
}
