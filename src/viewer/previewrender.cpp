#include "previewrender.h"

#include "platform/units.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"
#include "output/pageoutput.h"

#include <QPainter>

#include <cmath>

namespace {
// The resolution the pictures claim: the drawing code scales from the
// device's logical resolution, which a picture only keeps as a whole
// number; the zoom goes into the painter's scale instead.
constexpr int kPictureDpi = 96;
} // namespace

QSizeF pageSizeInches(const ReportDocument &doc)
{
    const QSizeF page = pageSizeO(doc);
    return QSizeF(convertUnit(page.width(), doc.unit(), Unit::Inches),
                  convertUnit(page.height(), doc.unit(), Unit::Inches));
}

void paintPreviewPage(ReportDocument &doc, QPainter &painter, int n, double pixelsPerInch)
{
    const int savedPage = doc.run().currentPage;
    const QPaintDevice *device = painter.device();
    const double deviceDpi = device ? device->logicalDpiX() : kPictureDpi;
    painter.save();
    painter.scale(pixelsPerInch / deviceDpi, pixelsPerInch / deviceDpi);
    drawPage(doc, painter, n);
    painter.restore();
    doc.run().currentPage = savedPage;
}

QImage renderPreviewPage(ReportDocument &doc, int n, double pixelsPerInch, qreal dpr)
{
    const QSizeF inches = pageSizeInches(doc);
    const int width = std::max(1, int(std::ceil(inches.width() * pixelsPerInch * dpr)));
    const int height = std::max(1, int(std::ceil(inches.height() * pixelsPerInch * dpr)));
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMetre = qRound(kPictureDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    if (n > 0) {
        QPainter painter(&image);
        paintPreviewPage(doc, painter, n, pixelsPerInch);
    }
    return image;
}
