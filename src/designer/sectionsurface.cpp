#include "sectionsurface.h"

#include "grabhandles.h"
#include "designdocument.h"
#include "itembox.h"
#include "sectionsurfacetools.h"

#include "document/reportitem.h"
#include "document/reportsection.h"
#include "platform/units.h"

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
const QColor kMarginColor(255, 128, 128);
const QColor kFrameColor(192, 192, 192);
const QColor kCaptionColor(170, 170, 190);
} // namespace

SectionSurface::SectionSurface(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setMouseTracking(true);
    // Box 0 is the template every box is made like; it is never shown.
    pItem1.append(newBox());
    pItem1[0]->hide();
}

SectionSurface::~SectionSurface()
{
    stopGrab();
    m_section = nullptr;
}

// ---- Binding and layout ----

void SectionSurface::setDesignDocument(DesignDocument *design)
{
    if (m_design)
        m_design->disconnect(this);
    m_design = design;
    if (!design)
        return;
    connect(design, &QObject::destroyed, this, [this] { m_design = nullptr; });
    connect(design, &DesignDocument::sectionChanged, this, &SectionSurface::sectionChanged);
    connect(design, &DesignDocument::selectionChanged, this, &SectionSurface::selectionChangedIn);
}

void SectionSurface::sectionChanged(ReportSection *s)
{
    if (!s || s != m_section)
        return;
    const double before = m_heightT;
    init(s);
    Refresh();
    emit selectionChanged();
    if (m_heightT != before)
        emit changeSize();
}

void SectionSurface::selectionChangedIn(ReportSection *s)
{
    if (!s || s != m_section)
        return;
    majAll();
    emit selectionChanged();
}

void SectionSurface::init(ReportSection *s)
{
    // The handles stay on their item when the same section is shown again
    // after an edit; on another item or section they go.
    const QString grabbed = s == m_section ? grabbedKey() : QString();
    QPointer<ItemBox> grabbedBox = cgh ? qobject_cast<ItemBox *>(cgh->target()) : nullptr;
    m_section = s;
    if (!s) {
        stopGrab();
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
        b->twips = DesignDocument::twipsOf(*item);
        b->setVisible(true);
    }
    placeAllBoxes();
    // Boxes stack in collection order: later items in front.
    for (int i = 1; i <= n; ++i)
        pItem1[i]->raise();
    resize(qRound(m_pageWidthT * m_scale), qRound(m_heightT * m_scale));
    if (grabbed.isEmpty() || !grabbedBox || grabbedBox->tag != grabbed || grabbedBox->isHidden())
        stopGrab();
    update();
}

void SectionSurface::initMargin(double left, double right, double top, double bottom)
{
    m_marginL = fromDocUnit(left);
    m_marginR = fromDocUnit(right);
    m_marginT = fromDocUnit(top);
    m_marginB = fromDocUnit(bottom);
}

void SectionSurface::ShowMargins()
{
    m_showMargins = true;
    update();
}

void SectionSurface::setScale(double pixelsPerTwip)
{
    if (pixelsPerTwip <= 0 || pixelsPerTwip == m_scale)
        return;
    m_scale = pixelsPerTwip;
    placeAllBoxes();
    resize(qRound(m_pageWidthT * m_scale), qRound(m_heightT * m_scale));
    update();
}

void SectionSurface::setPageWidthTwips(double width)
{
    m_pageWidthT = width;
    resize(qRound(m_pageWidthT * m_scale), qRound(m_heightT * m_scale));
}

void SectionSurface::setChartSymbol(const QImage &symbol)
{
    m_chartSymbol = symbol;
}

ItemBox *SectionSurface::newBox()
{
    auto *b = new ItemBox(this, pItem1.size());
    b->installEventFilter(this);
    return b;
}

void SectionSurface::placeBox(ItemBox *b)
{
    const QRectF &r = b->twips;
    const int left = qRound(r.left() * m_scale);
    const int top = qRound(r.top() * m_scale);
    const int right = qRound(r.right() * m_scale);
    const int bottom = qRound(r.bottom() * m_scale);
    m_placing = true;
    b->setGeometry(left, top, std::max(1, right - left), std::max(1, bottom - top));
    m_placing = false;
}

void SectionSurface::placeAllBoxes()
{
    for (int i = 1; i < pItem1.size(); ++i)
        placeBox(pItem1[i]);
}

void SectionSurface::setHeightTwips(double height)
{
    m_heightT = height;
    resize(width(), qRound(m_heightT * m_scale));
    update();
}

void SectionSurface::setBand(const QRectF &band)
{
    m_band = band;
    update();
}

void SectionSurface::setGuidesY(const QList<double> &ys)
{
    if (ys == m_guidesY)
        return;
    m_guidesY = ys;
    update();
}

QPointF SectionSurface::newItemPlace(double x, double y) const
{
    auto snapped = [this](double v) { return m_design ? m_design->snap(v) : v; };
    return QPointF(snapped(x) == 0 ? m_lastMouse.x() : x, snapped(y) == 0 ? m_lastMouse.y() : y);
}

QString SectionSurface::grabbedKey() const
{
    const auto *b = cgh ? qobject_cast<const ItemBox *>(cgh->target()) : nullptr;
    return b ? b->tag : QString();
}

// ---- Boxes ----

int SectionSurface::count() const
{
    return int(pItem1.size()) - 1;
}

ItemBox *SectionSurface::box(int index) const
{
    return index >= 0 && index < pItem1.size() ? pItem1[index] : nullptr;
}

ReportItem *SectionSurface::SubObject(int index) const
{
    if (!m_section || index < 1 || index >= pItem1.size())
        return nullptr;
    return m_section->items.value(pItem1[index]->tag);
}

int SectionSurface::indexOfKey(const QString &key) const
{
    for (int i = 1; i < pItem1.size(); ++i) {
        if (pItem1[i]->tag == key)
            return i;
    }
    return -1;
}

QRectF SectionSurface::selectionRect() const
{
    QRectF united;
    for (const ItemBox *b : selectedBoxes())
        united = united.isNull() ? b->twips : united.united(b->twips);
    return united;
}

QList<ItemBox *> SectionSurface::selectedBoxes() const
{
    QList<ItemBox *> chosen;
    for (int i = 1; i < pItem1.size(); ++i) {
        const ReportItem *item = SubObject(i);
        if (item && item->selected)
            chosen << pItem1[i];
    }
    return chosen;
}

// ---- Conversions ----

int SectionSurface::unit() const
{
    return m_section ? m_section->unit() : Unit::Centimetres;
}

double SectionSurface::toDocUnit(double twips) const
{
    return convertUnit(twips, Unit::Twips, unit(), kPixelsPerCm);
}

double SectionSurface::fromDocUnit(double value) const
{
    return convertUnit(value, unit(), Unit::Twips, kPixelsPerCm);
}

// ---- Drawing ----

void SectionSurface::Refresh()
{
    update();
    majAll();
}

void SectionSurface::maj(int index)
{
    if (ItemBox *b = box(index))
        b->update();
}

void SectionSurface::majAll()
{
    for (int i = 1; i < pItem1.size(); ++i)
        maj(i);
}

void SectionSurface::paintEvent(QPaintEvent *)
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

void SectionSurface::resizeEvent(QResizeEvent *)
{
    ShowMargins();
}

// ---- Grab handles ----

void SectionSurface::startGrab(ItemBox *b)
{
    stopGrab();
    cgh = new GrabHandles(this, b, true, Qt::black, -1, this);
    connect(cgh, &GrabHandles::TargetReSized, this, &SectionSurface::targetResized);
    connect(cgh, &GrabHandles::resizeFinished, this, &SectionSurface::resizeFinished);
}

void SectionSurface::stopGrab()
{
    delete cgh.data();
    cgh = nullptr;
}

void SectionSurface::targetResized()
{
    // Boxes placed by the surface (zoom, moves) are not resized by the user.
    if (m_placing || !cgh)
        return;
    auto *b = qobject_cast<ItemBox *>(cgh->target());
    if (!b)
        return;
    const QRect g = b->geometry();
    b->twips = QRectF(g.x() / m_scale, g.y() / m_scale, g.width() / m_scale, g.height() / m_scale);
    emit selectionChanged();
}

void SectionSurface::resizeFinished()
{
    auto *b = cgh ? qobject_cast<ItemBox *>(cgh->target()) : nullptr;
    // The handles leave sizes unsnapped; the next drag snaps them.
    if (b && m_design && m_section)
        m_design->setGeometry(*m_section, {{b->tag, b->twips}}, tr("Resize"));
}

// ---- Mouse on the background ----

bool SectionSurface::onBottomEdge(double y) const
{
    const double zone = std::max(kEdgeTwips, kEdgeMinPixels / m_scale);
    return y >= m_heightT - zone && y <= m_heightT;
}

void SectionSurface::mousePressEvent(QMouseEvent *event)
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

void SectionSurface::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = twipsAt(event->position());
    if (m_tool) {
        m_tool->move(at, event->modifiers());
    } else {
        setCursor(onBottomEdge(at.y()) ? Qt::SizeVerCursor : Qt::ArrowCursor);
    }
    reCoordinates(at.x(), at.y());
}

void SectionSurface::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_tool)
        return;
    const QPointF at = twipsAt(event->position());
    m_lastMouse = at;
    // The tool may start another edit; it is gone first.
    std::unique_ptr<SurfaceTool> tool = std::move(m_tool);
    tool->release(at, event->modifiers());
}

void SectionSurface::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    stopGrab();
    m_tool.reset();
    m_band = QRectF();
    const QPointF at = twipsAt(event->position());
    if (onBottomEdge(at.y())) {
        if (m_design && m_section)
            m_design->fitSectionHeight(*m_section);
    } else if (m_section && m_section->section_Type == ReportSection::DataSection) {
        if (editSection)
            editSection(*m_section);
        else
            emit statusText(tr("The section properties dialog is not available yet."));
    } else {
        emit DblClick();
    }
}

void SectionSurface::reCoordinates(double x, double y)
{
    emit Coordinates(toDocUnit(x), toDocUnit(y));
}

// ---- Mouse on a box ----

void SectionSurface::boxPressed(ItemBox *b, QMouseEvent *event)
{
    ReportItem *item = SubObject(b->index());
    if (!item)
        return;
    const QPointF at = twipsAt(b->mapToParent(event->position()));
    m_lastMouse = at;
    if (event->button() == Qt::RightButton) {
        // The menu acts on what is selected: the item under the mouse is.
        if (!item->selected && m_design)
            m_design->select(*m_section, {item->Key});
        emit ShowMenuDelProp(item->whatIs(), item->Key);
        return;
    }
    if (event->button() != Qt::LeftButton || !m_design)
        return;
    if (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) {
        // Ctrl or Shift adds to (or takes from) the selection.
        m_design->setSelected(*item, !item->selected);
        if (!item->selected)
            return;
    } else if (!item->selected) {
        m_design->select(*m_section, {item->Key});
    }
    m_tool = std::make_unique<ItemDragTool>(this, b, at);
}

void SectionSurface::boxMoved(ItemBox *b, QMouseEvent *event)
{
    const QPointF at = twipsAt(b->mapToParent(event->position()));
    if (m_tool)
        m_tool->move(at, event->modifiers());
    reCoordinates(at.x(), at.y());
}

void SectionSurface::boxReleased(ItemBox *b, QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_tool)
        return;
    const QPointF at = twipsAt(b->mapToParent(event->position()));
    std::unique_ptr<SurfaceTool> tool = std::move(m_tool);
    tool->release(at, event->modifiers());
}

void SectionSurface::boxDoubleClicked(ItemBox *b)
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

void SectionSurface::focusNextItem(bool backwards)
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
    if (m_design && m_section)
        m_design->select(*m_section, {pItem1[next]->tag});
    pItem1[next]->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
}

bool SectionSurface::focusNextPrevChild(bool)
{
    // Tab walks the items (keyPressEvent), not the window's widgets.
    return false;
}

void SectionSurface::keyPressEvent(QKeyEvent *event)
{
    emit KeyDown(event->key(), event->modifiers());
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    // Without a grid an arrow moves by one pixel.
    auto nudge = [this, shift](int dx, int dy) {
        if (m_design && m_section)
            m_design->nudge(*m_section, dx, dy, shift, 1 / m_scale);
    };
    switch (event->key()) {
    case Qt::Key_Left:
        nudge(-1, 0);
        return;
    case Qt::Key_Right:
        nudge(1, 0);
        return;
    case Qt::Key_Up:
        nudge(0, -1);
        return;
    case Qt::Key_Down:
        nudge(0, 1);
        return;
    case Qt::Key_Tab:
        focusNextItem(false);
        return;
    case Qt::Key_Backtab:
        focusNextItem(true);
        return;
    case Qt::Key_Escape:
        stopGrab();
        if (m_design && m_section)
            m_design->clearSelection(*m_section);
        setFocus();
        return;
    default:
        break;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        if (m_design && m_section)
            m_design->selectAll(*m_section);
        return;
    }
    QWidget::keyPressEvent(event);
}

void SectionSurface::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    emit focusReceived();
}

bool SectionSurface::eventFilter(QObject *watched, QEvent *event)
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

// ---- Dropping fields ----

void SectionSurface::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
}

void SectionSurface::dragMoveEvent(QDragMoveEvent *event)
{
    if (!event->mimeData()->hasText())
        return;
    event->acceptProposedAction();
    emit statusText(tr("When you drop the field you can press CTRL to Drop the fields horizontally "
                       "instead of vertically"));
    const QPointF at = twipsAt(event->position());
    reCoordinates(at.x(), at.y());
}

void SectionSurface::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasText() || !m_section || !m_design)
        return;
    event->acceptProposedAction();
    const QString text = event->mimeData()->text();
    const QPointF at = twipsAt(event->position());
    m_lastMouse = at;
    m_design->dropFields(*m_section, at,
                         text.isEmpty() ? QStringList() : text.split(QLatin1Char(';')),
                         event->modifiers() & Qt::ControlModifier, m_pageWidthT - m_marginR);
}
