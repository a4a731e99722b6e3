#pragma once

#include <QScrollArea>

class DesignPage;
class DesignRuler;

// The scrolling view of the design page, with a ruler along its top and
// one along its left. Ctrl + wheel asks for zoom instead of scrolling.
class DesignView : public QScrollArea
{
    Q_OBJECT

public:
    explicit DesignView(QWidget *parent = nullptr);

    DesignPage *page() const { return m_page; }
    DesignRuler *topRuler() const { return m_top; }
    DesignRuler *leftRuler() const { return m_left; }

signals:
    // Ctrl + wheel, with the wheel's angle delta.
    void zoomWheel(int angleDelta);
    // The page moved in the view (scrolling or a new size).
    void scrolled();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeRulers();

    DesignPage *m_page;
    DesignRuler *m_top;
    DesignRuler *m_left;
};
