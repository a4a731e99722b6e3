#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QList>
#include <QRectF>

class ViewZoom;
class ReportDocument;

// The page area of the preview: one stored page drawn at its real size
// (the document unit to the screen's logical resolution, times the zoom)
// on a grey desk, with the scroll bars when it is larger than the view.
//
// Pages up to a size are drawn once into a picture and blitted; larger ones
// (high zoom) are drawn straight onto the exposed part of the view, so a
// page at 400 % costs what the window shows, not the whole sheet.
class PreviewPageView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit PreviewPageView(ViewZoom *zoom, QWidget *parent = nullptr);

    void setDocument(ReportDocument *doc);
    // The page on display; 0 shows an empty sheet ("clear the picture").
    int page() const { return m_page; }
    void setPage(int n);
    // The page's drawing is out of date (it grew, or the run restarted).
    void invalidate();

    // Logical pixels per inch at the zoom in force.
    double pixelsPerInch() const;
    // The sheet's size in logical pixels at the zoom in force.
    QSize pageSizePixels() const;
    // Where the sheet lies in the viewport.
    QRect pageRect() const;

    // Rectangles to mark on pages (in the document unit); `current` is
    // drawn stronger and scrolled into view.
    void setHighlights(const QList<QRectF> &rects, int current);

    // Vertical scrolling by one large or one small step (negative: up),
    // stopping at the ends.
    void scrollPages(int steps);
    void scrollLines(int steps);

    // The picture the view keeps of the page (null while none is drawn);
    // for tests and benchmarks.
    const QImage &cachedPicture() const { return m_cache; }
    // Largest sheet, in device pixels, that is kept as a picture.
    static constexpr qint64 kMaxCachedPixels = 8 * 1024 * 1024;

signals:
    // The wheel went past the end (1) or the start (-1) of the page.
    void turnPage(int direction);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void calcScroll();
    double unitToPixels() const; // document unit -> logical pixels
    QSizeF pageSizeAt100() const;
    bool cacheable() const;

    ReportDocument *m_doc = nullptr;
    ViewZoom *m_zoom;
    int m_page = 0;
    QImage m_cache;
    bool m_cacheValid = false;
    QList<QRectF> m_highlights;
    int m_currentHighlight = -1;
    int m_wheelPastEnd = 0; // wheel travel beyond an end, in eighths of a degree
};
