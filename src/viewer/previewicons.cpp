#include "previewicons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace {

// A magnifying glass with a plus or a minus, painted at the size asked.
class MagnifierIconEngine : public QIconEngine
{
public:
    explicit MagnifierIconEngine(int direction) : m_direction(direction) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const double s = std::min(rect.width(), rect.height());
        QColor ink = QApplication::palette().color(
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active, QPalette::WindowText);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        QPen pen(ink, std::max(1.0, s / 11));
        pen.setCapStyle(Qt::RoundCap);
        painter->setPen(pen);
        const QRectF glass(s * 0.1, s * 0.1, s * 0.58, s * 0.58);
        painter->drawEllipse(glass);
        pen.setWidthF(std::max(1.5, s / 7));
        painter->setPen(pen);
        painter->drawLine(QPointF(s * 0.62, s * 0.62), QPointF(s * 0.88, s * 0.88));
        pen.setWidthF(std::max(1.0, s / 12));
        painter->setPen(pen);
        const QPointF c = glass.center();
        const double arm = s * 0.15;
        painter->drawLine(QPointF(c.x() - arm, c.y()), QPointF(c.x() + arm, c.y()));
        if (m_direction > 0)
            painter->drawLine(QPointF(c.x(), c.y() - arm), QPointF(c.x(), c.y() + arm));
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter painter(&pm);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pm;
    }

    QIconEngine *clone() const override { return new MagnifierIconEngine(m_direction); }

private:
    int m_direction;
};

} // namespace

QIcon previewThemeIcon(const QWidget *widget, const char *themeName,
                       QStyle::StandardPixmap fallback)
{
    const QString name = QLatin1String(themeName);
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    return QIcon::fromTheme(name + QStringLiteral("-symbolic"),
                            widget->style()->standardIcon(fallback));
}

QIcon previewZoomIcon(int direction)
{
    const QString name = direction > 0 ? QStringLiteral("zoom-in") : QStringLiteral("zoom-out");
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    if (QIcon::hasThemeIcon(name + QStringLiteral("-symbolic")))
        return QIcon::fromTheme(name + QStringLiteral("-symbolic"));
    return QIcon(new MagnifierIconEngine(direction));
}
