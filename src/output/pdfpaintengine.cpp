#include "pdfpaintengine.h"

#include "pdfwriter.h"

#include <QImage>
#include <QPixmap>
#include <QRawFont>
#include <QTextItem>
#include <QtMath>

#include <cmath>

namespace {

class PdfPaintEngine : public QPaintEngine
{
public:
    explicit PdfPaintEngine(PdfPaintDevice::Host *host) : QPaintEngine(AllFeatures), m_host(host) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState &state) override
    {
        const QPaintEngine::DirtyFlags flags = state.state();
        if (flags & DirtyTransform)
            m_transform = state.transform();
        if (flags & DirtyPen)
            m_pen = state.pen();
        if (flags & DirtyBrush)
            m_brush = state.brush();
        if (flags & DirtyOpacity)
            m_opacity = state.opacity();
        if (flags & DirtyClipEnabled)
            m_clipEnabled = state.isClipEnabled();
        if (flags & (DirtyClipPath | DirtyClipRegion)) {
            QPainterPath clip;
            if (flags & DirtyClipPath) {
                clip = m_transform.map(state.clipPath());
            } else {
                clip.addRegion(state.clipRegion());
                clip = m_transform.map(clip);
            }
            switch (state.clipOperation()) {
            case Qt::NoClip:
                m_clip = QPainterPath();
                m_clipEnabled = false;
                break;
            case Qt::IntersectClip:
                m_clip = m_clipEnabled && !m_clip.isEmpty() ? m_clip.intersected(clip) : clip;
                m_clipEnabled = true;
                break;
            default:
                m_clip = clip;
                m_clipEnabled = true;
                break;
            }
        }
    }

    void drawPath(const QPainterPath &path) override
    {
        const bool fill = m_brush.style() != Qt::NoBrush;
        const bool stroke = m_pen.style() != Qt::NoPen && m_pen.brush().style() != Qt::NoBrush;
        if ((!fill && !stroke) || clippedAway())
            return;
        open();
        if (fill && setColour(brushColour(m_brush), false)) {
            appendPath(m_transform.map(path));
            m_out += path.fillRule() == Qt::OddEvenFill ? "f*\n" : "f\n";
        }
        if (stroke && setColour(brushColour(m_pen.brush()), true)) {
            const double scale = std::sqrt(std::abs(m_transform.determinant()));
            double width = m_pen.widthF();
            // A cosmetic pen is a device pixel wide: a pixel of the screen.
            width = m_pen.isCosmetic() ? std::max(width, 1.0) * metricDpi() / 96.0 : width * scale;
            PdfWriter::appendNumber(m_out, width);
            m_out += " w ";
            m_out += m_pen.capStyle() == Qt::RoundCap    ? "1 J "
                     : m_pen.capStyle() == Qt::SquareCap ? "2 J "
                                                         : "0 J ";
            m_out += m_pen.joinStyle() == Qt::RoundJoin   ? "1 j "
                     : m_pen.joinStyle() == Qt::BevelJoin ? "2 j "
                                                          : "0 j ";
            if (m_pen.style() != Qt::SolidLine) {
                m_out += '[';
                for (const qreal dash : m_pen.dashPattern()) {
                    PdfWriter::appendNumber(m_out, dash * width);
                    m_out += ' ';
                }
                m_out += "] 0 d ";
            }
            appendPath(m_transform.map(path));
            m_out += "S\n";
        }
        close();
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (count < 2)
            return;
        QPainterPath path;
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        path.moveTo(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode == PolylineMode) {
            const QBrush brush = m_brush;
            m_brush = Qt::NoBrush;
            drawPath(path);
            m_brush = brush;
            return;
        }
        path.closeSubpath();
        drawPath(path);
    }

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QString text = item.text();
        if (text.isEmpty() || clippedAway())
            return;
        // Text as text, in the page's fonts, where the host can; else (and
        // for complex scripts, which would need shaping) as outlines.
        bool simple = m_host != nullptr;
        for (const QChar c : text)
            simple = simple && c.unicode() < 0x0590;
        const QColor colour = brushColour(m_pen.brush());
        const int alpha = qRound(colour.alphaF() * m_opacity * 255);
        if (simple && alpha == 255) {
            QFont font = item.font();
            const double pixels =
                font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * m_dpi / 72.0;
            QRawFont raw = QRawFont::fromFont(font);
            if (raw.isValid() && pixels > 0) {
                raw.setPixelSize(pixels);
                open();
                if (m_host->text(m_out, text, raw,
                                 QTransform::fromTranslate(p.x(), p.y()) * m_transform, colour)) {
                    close();
                    return;
                }
                close();
            }
        }
        QPaintEngine::drawTextItem(p, item);
    }

    void drawPixmap(const QRectF &r, const QPixmap &pixmap, const QRectF &source) override
    {
        drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
    }

    void drawImage(const QRectF &r, const QImage &image, const QRectF &source,
                   Qt::ImageConversionFlags) override
    {
        const QImage part =
            source == QRectF(image.rect()) ? image : image.copy(source.toAlignedRect());
        if (part.isNull() || !m_host || clippedAway())
            return;
        const QByteArray name = m_host->image(part);
        open();
        const QTransform placed =
            QTransform(r.width(), 0, 0, -r.height(), r.left(), r.bottom()) * m_transform;
        for (const double v :
             {placed.m11(), placed.m12(), placed.m21(), placed.m22(), placed.dx(), placed.dy()}) {
            PdfWriter::appendNumber(m_out, v);
            m_out += ' ';
        }
        m_out += "cm /" + name + " Do\n";
        close();
    }

    QByteArray m_out;

private:
    int metricDpi() const { return m_dpi; }
    // A clip that leaves nothing: whatever is drawn stays unseen.
    bool clippedAway() const { return m_clipEnabled && m_clip.isEmpty(); }

    static QColor brushColour(const QBrush &brush)
    {
        // Gradients come out in their first colour: charts fill with plain
        // colours, and a flat fill keeps the area where it belongs.
        if (const QGradient *gradient = brush.gradient()) {
            const QGradientStops stops = gradient->stops();
            return stops.isEmpty() ? QColor(Qt::black) : stops.front().second;
        }
        return brush.color();
    }

    void open()
    {
        m_out += "q\n";
        if (m_clipEnabled) {
            appendPath(m_clip);
            m_out += m_clip.fillRule() == Qt::OddEvenFill ? "W* n\n" : "W n\n";
        }
    }
    void close() { m_out += "Q\n"; }

    // False for a colour that shows nothing.
    bool setColour(const QColor &colour, bool stroke)
    {
        const int alpha = qRound(colour.alphaF() * m_opacity * 255);
        if (alpha <= 0)
            return false;
        if (alpha < 255 && m_host)
            m_out += '/' + m_host->opacity(alpha) + " gs ";
        const QColor rgb = colour.toRgb();
        for (const double v : {rgb.redF(), rgb.greenF(), rgb.blueF()}) {
            PdfWriter::appendNumber(m_out, v);
            m_out += ' ';
        }
        m_out += stroke ? "RG\n" : "rg\n";
        return true;
    }

    void appendPoint(const QPointF &p)
    {
        PdfWriter::appendNumber(m_out, p.x());
        m_out += ' ';
        PdfWriter::appendNumber(m_out, p.y());
        m_out += ' ';
    }

    void appendPath(const QPainterPath &path)
    {
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element &e = path.elementAt(i);
            switch (e.type) {
            case QPainterPath::MoveToElement:
                appendPoint(e);
                m_out += "m\n";
                break;
            case QPainterPath::LineToElement:
                appendPoint(e);
                m_out += "l\n";
                break;
            case QPainterPath::CurveToElement:
                if (i + 2 < path.elementCount()) {
                    appendPoint(e);
                    appendPoint(path.elementAt(i + 1));
                    appendPoint(path.elementAt(i + 2));
                    m_out += "c\n";
                    i += 2;
                }
                break;
            default:
                break;
            }
        }
    }

public:
    int m_dpi = 96;

private:
    PdfPaintDevice::Host *m_host;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    qreal m_opacity = 1;
    bool m_clipEnabled = false;
    QPainterPath m_clip;
};

} // namespace

PdfPaintDevice::PdfPaintDevice(QSizeF size, int dpi, Host *host) : m_size(size), m_dpi(dpi)
{
    auto engine = std::make_unique<PdfPaintEngine>(host);
    engine->m_dpi = dpi;
    m_engine = std::move(engine);
}

PdfPaintDevice::~PdfPaintDevice() = default;

QPaintEngine *PdfPaintDevice::paintEngine() const
{
    return m_engine.get();
}

const QByteArray &PdfPaintDevice::content() const
{
    return static_cast<PdfPaintEngine *>(m_engine.get())->m_out;
}

int PdfPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return int(std::ceil(m_size.width()));
    case PdmHeight:
        return int(std::ceil(m_size.height()));
    case PdmWidthMM:
        return int(m_size.width() * 25.4 / m_dpi);
    case PdmHeightMM:
        return int(m_size.height() * 25.4 / m_dpi);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_dpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    default:
        return 0;
    }
}
