#include "editmodedrawing.h"

#include "drawingsurface.h"
#include "itemrendering.h"
#include "textlayout.h"

#include "platform/units.h"
#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/textitem.h"

#include <QCache>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <optional>

namespace {

// Twips in one pixel of 1/96 inch, the unit of border widths.
constexpr double kTwipsPerPixel = 1440.0 / 96.0;
// The room left between the box's edge and what the designer writes in it.
constexpr double kInsetTwips = 30;
// What the designer writes on placeholders: small, in a neutral grey.
constexpr double kLabelPoints = 8;
constexpr int kLabelColor = 0x505050; // Windows RGB
// A missing picture file is looked for again after this long, so a file
// copied into place shows without reopening the report, but a surface of
// missing pictures does not search the disk on every paint.
constexpr qint64 kMissingFileRetryMs = 2000;

// Fields and formulas get their colour by the rule the run classifies
// contents with: a trimmed text starting with "=" is a formula, one ending
// with "]" a field.
bool showsData(const QString &content)
{
    const QStringView text = QStringView(content).trimmed();
    return text.startsWith(u'=') || text.endsWith(u']');
}

// A DrawingSurface in twips on the painter, 1 twip being pixelsPerTwip of
// the painter's pixels; the painter's state comes back when it goes.
class TwipsSurface
{
public:
    TwipsSurface(QPainter &painter, double pixelsPerTwip) : m_painter(painter)
    {
        painter.save();
        // The surface maps a twip to the device's logical dpi / 1440 pixels;
        // this brings that to the view's scale.
        const QPaintDevice *device = painter.device();
        painter.scale(pixelsPerTwip * 1440.0 / device->logicalDpiX(),
                      pixelsPerTwip * 1440.0 / device->logicalDpiY());
        m_surface.emplace(&painter, Unit::Twips);
    }
    ~TwipsSurface()
    {
        m_surface.reset();
        m_painter.restore();
    }
    TwipsSurface(const TwipsSurface &) = delete;
    TwipsSurface &operator=(const TwipsSurface &) = delete;

    DrawingSurface &operator*() { return *m_surface; }
    DrawingSurface *operator->() { return &*m_surface; }

private:
    QPainter &m_painter;
    std::optional<DrawingSurface> m_surface;
};

// Writes `text` into the box from its top-left corner, wrapped to its width
// and cut to its height; returns the height the text takes, in twips.
double writeLabel(QPainter &painter, double pixelsPerTwip, const QString &text, double x, double y,
                  double width, double height)
{
    TwipsSurface surface(painter, pixelsPerTwip);
    surface->setFontName(QStringLiteral("Arial"));
    surface->setFontSize(kLabelPoints);
    surface->ForeColor = kLabelColor;
    return printTextBlock(*surface, 0, text, x, y, width, height, false);
}

struct PictureKey
{
    quint64 source; // QImage::cacheKey, or a hash of SVG bytes
    QSize size;     // device pixels
    bool operator==(const PictureKey &other) const = default;
};

size_t qHash(const PictureKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.source, key.size.width(), key.size.height());
}

// A surface repaints all its items on every paint: scaling a photo down or
// rendering an SVG each time would make that slow, so each picture is made
// once per size it is shown at and kept (64 MB at most).
template <typename Make> QImage scaledPicture(quint64 source, const QSize &size, Make make)
{
    static QCache<PictureKey, QImage> cache(64 * 1024);
    const PictureKey key{source, size};
    if (const QImage *known = cache.object(key))
        return *known;
    QImage made = make();
    cache.insert(key, new QImage(made), qMax<qsizetype>(1, made.sizeInBytes() / 1024));
    return made;
}

// Paints into `target` (painter pixels) a picture made at the device's
// resolution, so it stays sharp on high-density screens and when zoomed.
template <typename Make>
void paintScaled(QPainter &painter, quint64 source, const QRectF &target, Make make)
{
    const QSize size = painter.deviceTransform().mapRect(target).size().toSize();
    if (size.isEmpty())
        return;
    const QImage image = scaledPicture(source, size, [&] { return make(size); });
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
}

// The rectangle a picture of `size` takes in the box: all of it when
// stretched, else scaled to fit and anchored at the top-left corner, as on
// the printed page.
QRectF fittedRect(const QSizeF &size, const QSizeF &box, bool stretch)
{
    if (stretch)
        return QRectF(QPointF(), box);
    const double scale = fitScale(size.width(), size.height(), box.width(), box.height());
    return QRectF(0, 0, scale * size.width(), scale * size.height());
}

void paintImage(QPainter &painter, const QImage &image, const QRectF &target)
{
    paintScaled(painter, image.cacheKey(), target, [&](const QSize &size) {
        return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    });
}

void paintSvg(QPainter &painter, const QByteArray &svg, const QSizeF &box, bool stretch)
{
    // The size an SVG asks for is known only once it is parsed: keep it.
    static QHash<quint64, QSizeF> defaultSizes;
    const quint64 source = qHash(svg);
    auto known = defaultSizes.constFind(source);
    if (known == defaultSizes.constEnd()) {
        if (defaultSizes.size() > 4096)
            defaultSizes.clear();
        known = defaultSizes.insert(source, QSvgRenderer(svg).defaultSize());
    }
    paintScaled(painter, source, fittedRect(*known, box, stretch), [&](const QSize &size) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter imagePainter(&image);
        QSvgRenderer(svg).render(&imagePainter);
        return image;
    });
}

// A small picture sign (a frame with a hill and a sun) at `at`, `side`
// pixels square.
void drawPictureGlyph(QPainter &painter, const QPointF &at, double side)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(at);
    painter.scale(side / 16, side / 16);
    QPen pen(QColor(0x50, 0x50, 0x50), 1);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.5, 2.5, 13, 11));
    QPainterPath hill;
    hill.moveTo(2, 13);
    hill.lineTo(6, 8);
    hill.lineTo(9, 11);
    hill.lineTo(11, 9);
    hill.lineTo(14, 13);
    painter.setBrush(QColor(0x8f, 0xb0, 0xd8));
    painter.drawPath(hill);
    painter.setBrush(QColor(0xf5, 0xc2, 0x11));
    painter.drawEllipse(QPointF(10.5, 5.5), 1.5, 1.5);
    painter.restore();
}

// What stands for a picture the designer cannot show (a database field's,
// a missing file): a grey box with a picture sign and the name.
void drawPicturePlaceholder(QPainter &painter, const QSizeF &box, double pixelsPerTwip,
                            const QString &name)
{
    painter.fillRect(QRectF(QPointF(), box), QColor(236, 236, 236));
    const double inset = kInsetTwips * pixelsPerTwip;
    const double side =
        qMin(16 * kTwipsPerPixel * pixelsPerTwip, qMin(box.width(), box.height()) - 2 * inset);
    if (side > 0)
        drawPictureGlyph(painter, QPointF(inset, inset), side);
    if (name.isEmpty())
        return;
    // The name goes beside the sign, or under it when the box is narrow.
    const double besideX = 2 * inset + qMax(0.0, side);
    const bool beside = box.width() - besideX > 4 * side;
    const double x = (beside ? besideX : inset) / pixelsPerTwip;
    const double y = (beside ? inset : 2 * inset + qMax(0.0, side)) / pixelsPerTwip;
    const double width = box.width() / pixelsPerTwip - x - kInsetTwips;
    const double height = box.height() / pixelsPerTwip - y - kInsetTwips;
    if (width > 0 && height > 0)
        writeLabel(painter, pixelsPerTwip, name, x, y, width, height);
}

// Loads a file picture unless it is loaded, or was missing a moment ago.
void loadForDesigner(PictureItem &picture)
{
    if (picture.hasPicture() || picture.fileName.isEmpty())
        return;
    static QElapsedTimer clock;
    static QHash<QString, qint64> lastMissed;
    if (!clock.isValid())
        clock.start();
    const auto missed = lastMissed.constFind(picture.fileName);
    if (missed != lastMissed.constEnd() && clock.elapsed() - *missed < kMissingFileRetryMs)
        return;
    picture.loadPicture(nullptr);
    if (picture.hasPicture()) {
        lastMissed.remove(picture.fileName);
        return;
    }
    if (lastMissed.size() > 4096)
        lastMissed.clear();
    lastMissed.insert(picture.fileName, clock.elapsed());
}

void drawText(QPainter &painter, const TextItem &item, const QSizeF &box, double pixelsPerTwip)
{
    painter.fillRect(QRectF(QPointF(), box),
                     showsData(item.content) ? QColor(255, 255, 192) : QColor(Qt::white));
    drawEditFrame(painter, box, false);
    drawBorders(painter, item.borders, box, false, pixelsPerTwip);
    TwipsSurface surface(painter, pixelsPerTwip);
    item.initFont(*surface);
    // The layout of the printed page: the same lines break at the same
    // places whatever the zoom.
    printTextBlock(*surface, item.AlignH, editModeText(item.content), 0, 0,
                   box.width() / pixelsPerTwip, box.height() / pixelsPerTwip, false);
}

void drawPicture(QPainter &painter, const PictureItem &item, const QSizeF &box, double pixelsPerTwip)
{
    painter.fillRect(QRectF(QPointF(), box), Qt::white);
    drawEditFrame(painter, box, false);
    // Loading fills the item's cache of its picture; what the item stores
    // does not change.
    PictureItem &picture = const_cast<PictureItem &>(item);
    if (picture.pType == PictureItem::FromFile)
        loadForDesigner(picture);
    if (!picture.pic.isNull()) {
        paintImage(painter, picture.pic, fittedRect(picture.pic.size(), box, picture.stretch));
    } else if (!picture.svg.isEmpty()) {
        paintSvg(painter, picture.svg, box, picture.stretch);
    } else {
        const QString name = picture.pType == PictureItem::FromFile
                                 ? QFileInfo(picture.fileName).fileName()
                                 : editModeText(picture.fileName);
        drawPicturePlaceholder(painter, box, pixelsPerTwip, name);
    }
    drawBorders(painter, item.borders, box, false, pixelsPerTwip);
}

void drawChart(QPainter &painter, const QSizeF &box, double pixelsPerTwip, const QImage &symbol)
{
    // The box is drawn whole: nothing under it shows through.
    painter.fillRect(QRectF(QPointF(), box), Qt::white);
    drawEditFrame(painter, box, false);
    const double width = box.width() / pixelsPerTwip - 2 * kInsetTwips;
    const double height = box.height() / pixelsPerTwip - 2 * kInsetTwips;
    if (width <= 0 || height <= 0)
        return;
    const double textHeight =
        writeLabel(painter, pixelsPerTwip,
                   QCoreApplication::translate("Mirt", "Your chart will be plot here..."),
                   kInsetTwips, kInsetTwips, width, height);
    if (symbol.isNull())
        return;
    // The symbol fills the room under the text, centred, keeping its shape.
    const double inset = kInsetTwips * pixelsPerTwip;
    const QRectF room(inset, inset + (textHeight + kInsetTwips) * pixelsPerTwip,
                      box.width() - 2 * inset,
                      box.height() - 2 * inset - (textHeight + kInsetTwips) * pixelsPerTwip);
    if (room.width() < 1 || room.height() < 1)
        return;
    const double scale = fitScale(symbol.width(), symbol.height(), room.width(), room.height());
    QRectF target(0, 0, scale * symbol.width(), scale * symbol.height());
    target.moveCenter(room.center());
    paintImage(painter, symbol, target);
}

} // namespace

QString editModeText(const QString &content)
{
    const qsizetype cut = content.lastIndexOf(QLatin1String("].["));
    QString text = cut < 0 ? content : content.mid(cut + 3);
    text.remove(u'[');
    text.remove(u']');
    return text;
}

void drawEditMode(QPainter &painter, const ReportItem &item, const QSizeF &boxPixels,
                  double pixelsPerTwip, const QImage &chartSymbol)
{
    if (!painter.isActive() || boxPixels.isEmpty() || !(pixelsPerTwip > 0))
        return;
    painter.save();
    painter.setClipRect(QRectF(QPointF(), boxPixels), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (item.kind()) {
    case ReportItem::TextKind:
        drawText(painter, static_cast<const TextItem &>(item), boxPixels, pixelsPerTwip);
        break;
    case ReportItem::PictureKind:
        drawPicture(painter, static_cast<const PictureItem &>(item), boxPixels, pixelsPerTwip);
        break;
    case ReportItem::GraphKind:
        drawChart(painter, boxPixels, pixelsPerTwip, chartSymbol);
        break;
    }
    // The selection shows over the item's own drawing, which a dotted
    // frame under it would let hide (a picture filling its box, a border).
    if (item.selected)
        drawEditFrame(painter, boxPixels, true);
    painter.restore();
}
