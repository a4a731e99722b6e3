#pragma once

#include <QPointF>
#include <QPointer>

class ItemBox;
class SectionSurface;

// The mouse modes of a design surface. Each starts with a left press and
// ends with the release; positions are surface twips. They show what they
// do on the surface and make their edit through the design document when
// the mouse is released.
class SurfaceTool
{
public:
    explicit SurfaceTool(SectionSurface *surface) : m_surface(surface) {}
    virtual ~SurfaceTool();
    virtual void move(const QPointF &at, Qt::KeyboardModifiers modifiers) = 0;
    virtual void release(const QPointF &at, Qt::KeyboardModifiers modifiers) = 0;

protected:
    SectionSurface *m_surface;
};

// A band dragged on the background selects what it touches.
class BandSelectTool : public SurfaceTool
{
public:
    BandSelectTool(SectionSurface *surface, const QPointF &start);
    void move(const QPointF &at, Qt::KeyboardModifiers modifiers) override;
    void release(const QPointF &at, Qt::KeyboardModifiers modifiers) override;

private:
    QPointF m_start;
    bool m_moved = false;
};

// The selected boxes follow the pressed one, snapped; the model is written
// on release.
class ItemDragTool : public SurfaceTool
{
public:
    ItemDragTool(SectionSurface *surface, ItemBox *pressed, const QPointF &at);
    void move(const QPointF &at, Qt::KeyboardModifiers modifiers) override;
    void release(const QPointF &at, Qt::KeyboardModifiers modifiers) override;

private:
    void moveGroup(double dx, double dy);

    QPointer<ItemBox> m_pressed;
    QPointF m_pressInBox; // where the box was pressed, from its top-left
    bool m_moved = false;
};

// The section's bottom edge follows the mouse; the height is stored on
// release.
class EdgeResizeTool : public SurfaceTool
{
public:
    EdgeResizeTool(SectionSurface *surface, const QPointF &at);
    void move(const QPointF &at, Qt::KeyboardModifiers modifiers) override;
    void release(const QPointF &at, Qt::KeyboardModifiers modifiers) override;

private:
    void follow(const QPointF &at);
    double m_startHeight;
};
