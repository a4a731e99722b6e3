#pragma once

#include <QRectF>
#include <QString>
#include <QWidget>

class SectionSurface;

// One item's box on a design surface. It keeps the item's rectangle in
// twips (the surface places it in pixels from that, at the surface's scale)
// and hands its mouse and key events to the surface, whose tools edit.
class ItemBox : public QWidget
{
    Q_OBJECT

public:
    ItemBox(SectionSurface *surface, int index);

    int index() const { return m_index; }
    // The key of the item shown ("k1", …).
    QString tag;
    QRectF twips;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    SectionSurface *m_surface;
    int m_index;
};
