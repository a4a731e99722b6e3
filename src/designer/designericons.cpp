#include "designericons.h"

#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

QString iconPath(const QString &key)
{
    return QStringLiteral(":/designer/icons/%1.svg").arg(key);
}

// Renders the SVG itself at every size asked, rather than through Qt's SVG
// icon plugin, which a machine may lack.
class SvgIconEngine : public QIconEngine
{
public:
    explicit SvgIconEngine(const QString &path) : m_path(path) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        QSvgRenderer renderer(m_path);
        painter->save();
        // Disabled actions show their icon faded, as themed icons do.
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.35);
        renderer.setAspectRatioMode(Qt::KeepAspectRatio);
        renderer.render(painter, rect);
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        QPixmap pixmap(size * scale);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            paint(&painter, QRect(QPoint(), pixmap.size()), mode, state);
        }
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    QIconEngine *clone() const override { return new SvgIconEngine(m_path); }
    QString key() const override { return QStringLiteral("mirt-designer-svg"); }

private:
    QString m_path;
};

} // namespace

QStringList designerIconKeys()
{
    return {
        QStringLiteral("new"),           QStringLiteral("open"),
        QStringLiteral("save"),          QStringLiteral("preview"),
        QStringLiteral("field"),         QStringLiteral("picture"),
        QStringLiteral("graph"),         QStringLiteral("delete"),
        QStringLiteral("bold"),          QStringLiteral("italic"),
        QStringLiteral("underline"),     QStringLiteral("left"),
        QStringLiteral("center"),        QStringLiteral("right"),
        QStringLiteral("help"),          QStringLiteral("undo"),
        QStringLiteral("redo"),          QStringLiteral("cut"),
        QStringLiteral("copy"),          QStringLiteral("paste"),
        QStringLiteral("zoom-in"),       QStringLiteral("zoom-out"),
        QStringLiteral("grid"),          QStringLiteral("align-left"),
        QStringLiteral("align-right"),   QStringLiteral("align-top"),
        QStringLiteral("align-bottom"),  QStringLiteral("align-hcenter"),
        QStringLiteral("align-vcenter"), QStringLiteral("same-width"),
        QStringLiteral("same-height"),   QStringLiteral("same-size"),
        QStringLiteral("distribute-h"),  QStringLiteral("distribute-v"),
        QStringLiteral("chart-symbol"),
    };
}

QIcon designerIcon(const QString &key)
{
    const QString path = iconPath(key);
    if (key.isEmpty() || !QFile::exists(path))
        return QIcon();
    return QIcon(new SvgIconEngine(path));
}

QImage designerChartSymbol(int side)
{
    QSvgRenderer renderer(iconPath(QStringLiteral("chart-symbol")));
    if (side <= 0 || !renderer.isValid())
        return QImage();
    const QSizeF size = renderer.defaultSize().scaled(side, side, Qt::KeepAspectRatio);
    QImage image(size.toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}
