#include "designpage.h"

#include <QMouseEvent>
#include <QPainter>

// Drawn above the surfaces and their item boxes, and transparent to the
// mouse, so that guides never take a click.
class DesignPage::GuideOverlay : public QWidget
{
public:
    explicit GuideOverlay(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

    void setGuides(const QList<double> &xs, int top, int bottom)
    {
        if (xs == m_xs && top == m_top && bottom == m_bottom)
            return;
        m_xs = xs;
        m_top = top;
        m_bottom = bottom;
        update();
    }

    QList<double> m_xs;
    int m_top = 0;
    int m_bottom = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_xs.isEmpty())
            return;
        QPainter p(this);
        QPen pen(QColor(0, 160, 255));
        pen.setStyle(Qt::DashLine);
        pen.setCosmetic(true);
        p.setPen(pen);
        for (double x : std::as_const(m_xs))
            p.drawLine(QPointF(x, m_top), QPointF(x, m_bottom));
    }
};

DesignPage::DesignPage(QWidget *parent) : QWidget(parent), m_overlay(new GuideOverlay(this))
{
    setObjectName(QStringLiteral("designPage"));
    // Surfaces inherit their parent's background role: they keep the
    // ordinary one, and the page paints its own darker ground.
    setBackgroundRole(QPalette::Window);
    m_overlay->resize(size());
}

void DesignPage::setGuides(const QList<double> &xs, int top, int bottom)
{
    m_overlay->setGuides(xs, top, bottom);
}

QList<double> DesignPage::guides() const
{
    return m_overlay->m_xs;
}

void DesignPage::raiseOverlay()
{
    m_overlay->raise();
}

void DesignPage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Dark));
}

void DesignPage::mousePressEvent(QMouseEvent *event)
{
    emit backgroundClicked();
    event->accept();
}

void DesignPage::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit backgroundDoubleClicked();
    event->accept();
}

void DesignPage::resizeEvent(QResizeEvent *event)
{
    m_overlay->resize(size());
    QWidget::resizeEvent(event);
}
