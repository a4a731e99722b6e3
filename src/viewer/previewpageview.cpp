#include "previewpageview.h"

#include "previewrender.h"
#include "viewzoom.h"

#include "platform/units.h"
#include "document/reportdocument.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kDeskMargin = 12; // grey around the sheet, logical pixels
// Wheel travel past the end of a page that turns it: one notch, so a
// touchpad's small steps do not flip pages by accident.
constexpr int kTurnTravel = 120;
} // namespace

PreviewPageView::PreviewPageView(ViewZoom *zoom, QWidget *parent)
    : QAbstractScrollArea(parent), m_zoom(zoom)
{
    setObjectName(QStringLiteral("pic"));
    horizontalScrollBar()->setObjectName(QStringLiteral("sbh"));
    verticalScrollBar()->setObjectName(QStringLiteral("sbv"));
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    connect(m_zoom, &ViewZoom::changed, this, [this] {
        m_cacheValid = false;
        calcScroll();
        viewport()->update();
    });
}

void PreviewPageView::setDocument(ReportDocument *doc)
{
    m_doc = doc;
    m_page = 0;
    invalidate();
    calcScroll();
}

void PreviewPageView::setPage(int n)
{
    if (n == m_page)
        return;
    m_page = n;
    m_cacheValid = false;
    m_wheelPastEnd = 0;
    // Page sizes can differ between reports, not between pages; the range
    // still follows a new report's sheet.
    calcScroll();
    viewport()->update();
}

void PreviewPageView::invalidate()
{
    m_cacheValid = false;
    calcScroll();
    viewport()->update();
}

QSizeF PreviewPageView::pageSizeAt100() const
{
    if (!m_doc)
        return QSizeF(8.27, 11.69) * logicalDpiX(); // A4 until a report comes
    return pageSizeInches(*m_doc) * logicalDpiX();
}

double PreviewPageView::pixelsPerInch() const
{
    // Fits are made for the view without scroll bars; a width fit leaves
    // room for the vertical bar that a tall page brings.
    QSizeF area = QSizeF(maximumViewportSize()) - QSizeF(2 * kDeskMargin, 2 * kDeskMargin);
    if (m_zoom->mode() == ViewZoom::FitWidth)
        area.rwidth() -=
            style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    return logicalDpiX() * m_zoom->factorFor(pageSizeAt100(), area);
}

double PreviewPageView::unitToPixels() const
{
    if (!m_doc)
        return 0;
    return convertUnit(1.0, m_doc->unit(), Unit::Inches) * pixelsPerInch();
}

QSize PreviewPageView::pageSizePixels() const
{
    const QSizeF inches = m_doc ? pageSizeInches(*m_doc) : QSizeF(8.27, 11.69);
    const double ppi = pixelsPerInch();
    return QSize(std::max(1, int(std::ceil(inches.width() * ppi))),
                 std::max(1, int(std::ceil(inches.height() * ppi))));
}

QRect PreviewPageView::pageRect() const
{
    const QSize page = pageSizePixels();
    const QSize view = viewport()->size();
    // Centred while it is narrower (or shorter) than the view, else at the
    // margin less what is scrolled away.
    const int left = page.width() + 2 * kDeskMargin <= view.width()
                         ? (view.width() - page.width()) / 2
                         : kDeskMargin - horizontalScrollBar()->value();
    const int top = page.height() + 2 * kDeskMargin <= view.height()
                        ? (view.height() - page.height()) / 2
                        : kDeskMargin - verticalScrollBar()->value();
    return QRect(QPoint(left, top), page);
}

void PreviewPageView::calcScroll()
{
    // Decide from the view without bars which bars the sheet needs, so that
    // a sheet made to fit (a fit zoom) drops the bars it had.
    const QSize full = maximumViewportSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    const QSize need = pageSizePixels() + QSize(2 * kDeskMargin, 2 * kDeskMargin);
    bool vertical = need.height() > full.height();
    const bool horizontal = need.width() > full.width() - (vertical ? bar : 0);
    vertical = vertical || (horizontal && need.height() > full.height() - bar);
    const QSize view(full.width() - (vertical ? bar : 0), full.height() - (horizontal ? bar : 0));
    auto setUp = [](QScrollBar *scrollBar, int overflow, int visible) {
        if (overflow <= 0) {
            scrollBar->setRange(0, 0);
            return;
        }
        scrollBar->setRange(0, overflow);
        // Half and a quarter of the overflow, as far as the view reaches:
        // a small overflow is crossed in two steps, a tall page at a time.
        scrollBar->setPageStep(std::max(1, std::min(overflow / 2 + 1, visible * 9 / 10)));
        scrollBar->setSingleStep(std::max(1, std::min(overflow / 4 + 1, 48)));
    };
    setUp(horizontalScrollBar(), need.width() - view.width(), view.width());
    setUp(verticalScrollBar(), need.height() - view.height(), view.height());
}

bool PreviewPageView::cacheable() const
{
    const QSize page = pageSizePixels();
    const qreal dpr = devicePixelRatioF();
    return qint64(page.width() * dpr) * qint64(page.height() * dpr) <= kMaxCachedPixels;
}

void PreviewPageView::setHighlights(const QList<QRectF> &rects, int current)
{
    m_highlights = rects;
    m_currentHighlight = current;
    if (current >= 0 && current < rects.size()) {
        const double k = unitToPixels();
        const QRectF r(rects.at(current).x() * k, rects.at(current).y() * k,
                       rects.at(current).width() * k, rects.at(current).height() * k);
        // Into view with some room around it.
        const QRect view =
            viewport()->rect().translated(horizontalScrollBar()->value() - kDeskMargin,
                                          verticalScrollBar()->value() - kDeskMargin);
        const int room = 40;
        if (r.top() < view.top() || r.bottom() > view.bottom())
            verticalScrollBar()->setValue(int(r.top()) + kDeskMargin - room);
        if (r.left() < view.left() || r.right() > view.right())
            horizontalScrollBar()->setValue(int(r.left()) + kDeskMargin - room);
    }
    viewport()->update();
}

void PreviewPageView::scrollPages(int steps)
{
    QScrollBar *bar = verticalScrollBar();
    bar->setValue(bar->value() + steps * bar->pageStep()); // clamped by the bar
}

void PreviewPageView::scrollLines(int steps)
{
    QScrollBar *bar = verticalScrollBar();
    bar->setValue(bar->value() + steps * bar->singleStep());
}

void PreviewPageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    const QRect sheet = pageRect();
    painter.fillRect(sheet.translated(3, 3), QColor(0, 0, 0, 60)); // a shadow
    if (!m_doc || m_page <= 0 || !cacheable()) {
        painter.fillRect(sheet, Qt::white);
    }
    if (m_doc && m_page > 0) {
        if (cacheable()) {
            if (!m_cacheValid || m_cache.devicePixelRatio() != devicePixelRatioF()) {
                m_cache = renderPreviewPage(*m_doc, m_page, pixelsPerInch(), devicePixelRatioF());
                m_cacheValid = true;
            }
            painter.drawImage(sheet.topLeft(), m_cache);
        } else {
            m_cache = QImage();
            painter.save();
            painter.setClipRect(sheet & event->rect());
            painter.translate(sheet.topLeft());
            paintPreviewPage(*m_doc, painter, m_page, pixelsPerInch());
            painter.restore();
        }
    }
    if (!m_highlights.isEmpty()) {
        const double k = unitToPixels();
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < m_highlights.size(); ++i) {
            const QRectF &r = m_highlights.at(i);
            const QRectF onView(sheet.left() + r.x() * k, sheet.top() + r.y() * k, r.width() * k,
                                r.height() * k);
            painter.setBrush(i == m_currentHighlight ? QColor(255, 140, 0, 110)
                                                     : QColor(255, 230, 0, 90));
            painter.drawRect(onView);
        }
    }
}

void PreviewPageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_zoom->mode() != ViewZoom::Fixed)
        m_cacheValid = false;
    calcScroll();
}

void PreviewPageView::scrollContentsBy(int dx, int dy)
{
    m_wheelPastEnd = 0;
    // The picture of the sheet does not change; only the part in view.
    viewport()->scroll(dx, dy);
}

void PreviewPageView::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (event->modifiers() & Qt::ControlModifier) {
        if (delta > 0)
            m_zoom->zoomIn();
        else if (delta < 0)
            m_zoom->zoomOut();
        event->accept();
        return;
    }
    QScrollBar *bar = verticalScrollBar();
    const bool atEnd = delta < 0 && bar->value() >= bar->maximum();
    const bool atStart = delta > 0 && bar->value() <= bar->minimum();
    if (!atEnd && !atStart) {
        m_wheelPastEnd = 0;
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    // Only travel in one direction adds up.
    if ((m_wheelPastEnd > 0) != (delta < 0))
        m_wheelPastEnd = 0;
    m_wheelPastEnd += -delta;
    if (std::abs(m_wheelPastEnd) < kTurnTravel)
        return;
    const int direction = m_wheelPastEnd > 0 ? 1 : -1;
    m_wheelPastEnd = 0;
    emit turnPage(direction);
}
