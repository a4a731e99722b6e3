#pragma once

#include <QList>
#include <QWidget>

// The page of the designer: the grey area inside the scroll view on which
// the section surfaces are stacked (the window places them), with an
// overlay on top that draws the alignment guides across all of them.
class DesignPage : public QWidget
{
    Q_OBJECT

public:
    explicit DesignPage(QWidget *parent = nullptr);

    // Vertical guide lines at these x (pixels on the page), from top to
    // bottom; an empty list hides them.
    void setGuides(const QList<double> &xs, int top, int bottom);
    QList<double> guides() const;
    // Keeps the overlay above surfaces created after it.
    void raiseOverlay();

signals:
    // A press or a double click on the page itself, not on a surface.
    void backgroundClicked();
    void backgroundDoubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    class GuideOverlay;
    GuideOverlay *m_overlay;
};
