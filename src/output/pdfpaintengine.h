#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>

#include <memory>

class QImage;
class QRawFont;

// A paint device whose drawing becomes PDF page operators: paths, fills and
// strokes stay vectors; text, pictures and transparency go through the
// host, the page being written. Its units are those of the page content it
// is drawn into (reference dots, y down).
class PdfPaintDevice : public QPaintDevice
{
public:
    class Host
    {
    public:
        virtual ~Host() = default;
        // The resource name of the picture as an image XObject.
        virtual QByteArray image(const QImage &image) = 0;
        // The resource name of a graphics state with this opacity (0-255).
        virtual QByteArray opacity(int alpha) = 0;
        // Appends a line of text in the font (its size in the units of
        // `matrix`, which places the baseline's left end at 0, 0); false
        // when it cannot be written as text, and is then drawn as outlines.
        virtual bool text(QByteArray &out, const QString &text, const QRawFont &font,
                          const QTransform &matrix, const QColor &colour) = 0;
    };
    PdfPaintDevice(QSizeF size, int dpi, Host *host);
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
