#pragma once

#include "grabhandles.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class DesignDocument;
class ItemBox;
class ReportItem;
class SurfaceTool;
class ReportSection;

// The design surface of one section: one box per item at its place and
// size, margin lines and a frame. Mouse and keys go to small tools
// (psectiontools.h) that edit through the design document; the surface
// shows again whatever the document says changed.
//
// Geometry on the surface is in twips (boxes keep their twips rectangle);
// the model holds the document unit; screen pixels are twips × scale(),
// where the scale follows the screen's resolution and the zoom. The model
// is written when an edit ends, never during a drag.
class SectionSurface : public QWidget
{
    Q_OBJECT

public:
    explicit SectionSurface(QWidget *parent = nullptr);
    ~SectionSurface() override;

    // ---- Binding and layout ----
    void init(ReportSection *s);
    ReportSection *sectionRef() const { return m_section; }
    // Margins in the document unit.
    void initMargin(double left, double right, double top, double bottom);
    void ShowMargins();
    // Pixels per twip: the screen's dots per inch / 1440 × zoom.
    double scale() const { return m_scale; }
    void setScale(double pixelsPerTwip);
    // Width of the page (twips); the surface is this wide.
    void setPageWidthTwips(double width);
    // The surface height in twips (the section's height while shown).
    double heightTwips() const { return m_heightT; }
    // The chart symbol chart items show.
    void setChartSymbol(const QImage &symbol);

    // The report's editing: every edit the surface makes goes there, and
    // the surface shows again what it changed. Without one the surface
    // only shows its section.
    void setDesignDocument(DesignDocument *design);
    DesignDocument *design() const { return m_design; }
    // Tells where other sections' items have their vertical edges and
    // centres (twips from the page's left), for alignment guides.
    std::function<QList<double>(const SectionSurface *)> otherGuidesX;
    // Opens the item editors and the section property dialog; empty until
    // those dialogs exist.
    std::function<void(ReportItem &)> editItem;
    std::function<void(ReportSection &)> editSection;

    // ---- Operations ----
    void Refresh();
    // Puts the handles on a box (it has the focus), or takes them away.
    void startGrab(ItemBox *b);
    void stopGrab();
    // Where an item added at (x, y) goes (twips): at 0 it goes where the
    // mouse last was on this surface.
    QPointF newItemPlace(double x, double y) const;
    // The key of the item with the handles; empty when none has them.
    QString grabbedKey() const;
    void maj(int index);
    void majAll();
    void reCoordinates(double x, double y);
    // Gives the next (or previous) item the focus and the selection.
    void focusNextItem(bool backwards);

    // ---- For the mouse tools and the boxes ----
    QPointF twipsAt(const QPointF &pixels) const { return pixels / m_scale; }
    // Places a box at its twips rectangle (both edges rounded, so boxes
    // that touch in twips touch on screen).
    void placeBox(ItemBox *b);
    // The shown height, while the bottom edge is dragged.
    void setHeightTwips(double height);
    // The band being dragged (twips), drawn red and dotted; null for none.
    void setBand(const QRectF &band);
    // Horizontal alignment guides on this surface (twips from its top).
    void setGuidesY(const QList<double> &ys);
    const QList<double> &guidesY() const { return m_guidesY; }
    const QImage &chartSymbol() const { return m_chartSymbol; }
    bool onBottomEdge(double y) const;
    // Keys and mouse on a box are handled as on the surface.
    void boxPressed(ItemBox *b, QMouseEvent *event);
    void boxMoved(ItemBox *b, QMouseEvent *event);
    void boxReleased(ItemBox *b, QMouseEvent *event);
    void boxDoubleClicked(ItemBox *b);
    void handleKey(QKeyEvent *event) { keyPressEvent(event); }

    // ---- Boxes ----
    // Boxes 1..count(); box 0 is the hidden template.
    int count() const;
    ItemBox *box(int index) const;
    ReportItem *SubObject(int index) const;
    int indexOfKey(const QString &key) const;
    // The union of the selected boxes (twips); null when none is selected.
    QRectF selectionRect() const;
    QList<ItemBox *> selectedBoxes() const;
    GrabHandles *grabHandles() const { return cgh; }

    // The mouse's last right press (or edge-drag start), twips.
    double clickX = 0;
    double clickY = 0;

    // ---- Conversions ----
    int unit() const;
    double toDocUnit(double twips) const;
    double fromDocUnit(double value) const;

signals:
    void KeyDown(int key, Qt::KeyboardModifiers shift);
    void Click();
    void DblClick();
    void Coordinates(double x, double y);
    void ClickRight(double x, double y);
    // The shown height changed (an edit, undo or redo): restack the surfaces.
    void changeSize();
    void ShowMenuDelProp(const QString &kind, const QString &key);
    // The surface (or one of its boxes) received the focus.
    void focusReceived();
    // Text for the window's status bar.
    void statusText(const QString &text);
    // The selection changed (rulers show its extent).
    void selectionChanged();
    // The bottom edge was dragged and released: restack the surfaces.
    void heightDragged();
    // Alignment guides to show over the whole page (twips from the page's
    // left); empty to hide them.
    void guidesChanged(const QList<double> &xs);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ItemBox *newBox();
    void placeAllBoxes();
    void targetResized();
    void resizeFinished();
    void sectionChanged(ReportSection *s);
    void selectionChangedIn(ReportSection *s);

    ReportSection *m_section = nullptr;
    QList<ItemBox *> pItem1; // [0] is the hidden template
    QPointer<GrabHandles> cgh;
    DesignDocument *m_design = nullptr; // cleared when it goes
    std::unique_ptr<SurfaceTool> m_tool;
    double m_scale = 96.0 / 1440.0;
    double m_pageWidthT = 0;
    double m_heightT = 240;
    double m_marginL = 567, m_marginR = 567, m_marginT = 567, m_marginB = 567;
    bool m_showMargins = false;
    bool m_placing = false; // boxes are being placed by code
    QRectF m_band;
    QList<double> m_guidesY;
    QImage m_chartSymbol;
    QPointF m_lastMouse; // twips, for items added at 0
};
