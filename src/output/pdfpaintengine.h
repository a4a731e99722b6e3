#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>

#include <functional>
#include <memory>

class QImage;

// A paint device whose drawing becomes PDF page operators: paths, fills and
// strokes stay vectors, text becomes outlines, pictures go through
// `picture` (which returns the resource name of an image XObject). Its
// units are those of the page content it is drawn into (reference dots,
// y down).
class PdfPaintDevice : public QPaintDevice
{
public:
    using Pictures = std::function<QByteArray(const QImage &)>;
    using Opacities = std::function<QByteArray(int alpha)>;
    PdfPaintDevice(QSizeF size, int dpi, Pictures pictures, Opacities opacities);
    ~PdfPaintDevice() override;

    QPaintEngine *paintEngine() const override;
    // The operators drawn so far.
    const QByteArray &content() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSizeF m_size;
    int m_dpi;
    std::unique_ptr<QPaintEngine> m_engine;
};
