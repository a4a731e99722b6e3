#pragma once

#include "cgrabhandles.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class DesignUndo;
class ItemBox;
class ReportItem;
class SurfaceTool;
class section;
struct SectionState;

// The design surface of one section: one box per item at its place and
// size, margin lines, a frame, and the mouse and keyboard editing of the
// items and of the section's height.
//
// Geometry on the surface is in twips (boxes keep their twips rectangle);
// the model holds the document unit; screen pixels are twips × scale(),
// where the scale follows the screen's resolution and the zoom. The model
// is written when an edit ends, never during a drag.
class pSection : public QWidget
{
    Q_OBJECT

public:
    explicit pSection(QWidget *parent = nullptr);
    ~pSection() override;

    // ---- Binding and layout ----
    void init(section *s);
    section *sectionRef() const { return m_section; }
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

    // The history edits are recorded in (may be null: edits are not recorded).
    void setUndo(DesignUndo *undo) { m_undo = undo; }
    // Tells where other sections' items have their vertical edges and
    // centres (twips from the page's left), for alignment guides.
    std::function<QList<double>(const pSection *)> otherGuidesX;
    // Opens the item editors and the section property dialog; empty until
    // those dialogs exist.
    std::function<void(ReportItem &)> editItem;
    std::function<void(section &)> editSection;

    // ---- Operations ----
    void prepareSave() { saveSizes(); }
    void Refresh();
    void stopGrab();
    void Cut();
    void copy();
    void Paste();
    void DeleteSelection();
    // "bold", "italic", "underline", "strikethrough"
    void SetSelection(const QString &what);
    // "left", "right", "center"
    void align(const QString &where);
    void selectedInFront();
    void UnSelectAll();
    void selectAllItems();
    // Without a text the item keeps its class's default text.
    int AddField(double x, double y, const std::optional<QString> &text = std::nullopt);
    int AddPicture(double x, double y);
    int AddGraph(double x, double y);
    void ShowProp(const QString &kind, const QString &key);
    void CheckSize();
    void saveSizes();
    double toGrid2(double value, bool noGrid) const;
    float rtg(double value) const { return float(toGrid2(value, false)); }
    // The grid step in twips; 0 without a grid.
    double gridStep() const;
    // What the model stores for a surface length: a length on the grid as
    // the grid multiple in the document unit.
    float toStoredLength(double twips) const;
    void checkSelections(double x1, double y1, double x2, double y2);
    // Moves the selection as box `index` (the pressed one) is dragged by
    // dx, dy: that box is snapped and the others follow it by one offset.
    void MajMoveUs(Qt::KeyboardModifiers shift, int index, double dx, double dy);
    void MajMoveMe(int index, double left, double top);
    void maj(int index);
    void majAll();
    void reCoordinates(double x, double y);

    // Arranging the selection: "left", "right", "top", "bottom", "hcenter",
    // "vcenter", "width", "height", "size", "distribute-h", "distribute-v".
    void arrange(const QString &how);
    // Moves (or with resize, resizes) the selection by a number of steps:
    // one grid step each, one pixel without a grid.
    void nudge(int dx, int dy, bool resize);
    // Gives the next (or previous) item the focus and the selection.
    void focusNextItem(bool backwards);

    // ---- Boxes ----
    // Boxes 1..count(); box 0 is the hidden template.
    int count() const;
    ItemBox *box(int index) const;
    ReportItem *SubObject(int index) const;
    int indexOfKey(const QString &key) const;
    // The union of the selected boxes (twips); null when none is selected.
    QRectF selectionRect() const;
    cGrabHandles *grabHandles() const { return cgh; }

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
    friend class ItemBox;
    friend class SurfaceTool;
    friend class BandSelectTool;
    friend class ItemDragTool;
    friend class EdgeResizeTool;

    ItemBox *newBox();
    void placeBox(ItemBox *b);
    void placeAllBoxes();
    void setHeightTwips(double height);
    void startGrab(ItemBox *b);
    void boxPressed(ItemBox *b, QMouseEvent *event);
    void boxMoved(ItemBox *b, QMouseEvent *event);
    void boxReleased(ItemBox *b, QMouseEvent *event);
    void boxDoubleClicked(ItemBox *b);
    void targetResized();
    bool onBottomEdge(double y) const;
    QPointF twipsAt(const QPointF &pixels) const { return pixels / m_scale; }
    int addItem(ReportItem *item, double x, double y, double w, double h);
    void recordChange(const QString &text);
    void beginChange();

    section *m_section = nullptr;
    QList<ItemBox *> pItem1; // [0] is the hidden template
    QPointer<cGrabHandles> cgh;
    DesignUndo *m_undo = nullptr;
    std::unique_ptr<SectionState> m_before; // state at the start of an edit
    std::unique_ptr<SurfaceTool> m_tool;
    double m_scale = 96.0 / 1440.0;
    double m_pageWidthT = 0;
    double m_heightT = 240;
    double m_marginL = 567, m_marginR = 567, m_marginT = 567, m_marginB = 567;
    bool m_showMargins = false;
    bool m_placing = false; // boxes are being placed by code
    QRectF m_band;          // the band being dragged (twips), drawn red and dotted
    QList<double> m_guidesY;
    QImage m_chartSymbol;
    QPointF m_lastMouse; // twips, for items added at 0
};
