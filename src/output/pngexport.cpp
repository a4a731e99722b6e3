#include "pngexport.h"

#include "platform/outputfile.h"

#include "pageoutput.h"

#include "platform/units.h"
#include "document/reportdocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PngExport", text);
}

} // namespace

QImage renderPage(ReportDocument &doc, int n, int dpi)
{
    const QSizeF page = pageSizeO(doc);
    const int width = qMax(1, qRound(convertUnit(page.width(), doc.unit(), Unit::Inches) * dpi));
    const int height = qMax(1, qRound(convertUnit(page.height(), doc.unit(), Unit::Inches) * dpi));
    QImage image(width, height, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawPage(doc, painter, n);
    painter.end();
    return image;
}

bool exportPng(ReportDocument &doc, const QString &dir, int dpi, QStringList *written, QString *error, int fromPage,
               int toPage)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const int pages = doc.pageCount();
    if (pages == 0)
        return fail(tr("The report has no page to write."));
    if (fromPage < 1)
        fromPage = 1;
    if (toPage < 1 || toPage > pages)
        toPage = pages;
    if (fromPage > toPage)
        return fail(tr("The report has only %1 pages.").arg(pages));
    if (dpi < 1 || dpi > 2400)
        return fail(tr("A resolution from 1 to 2400 dpi is needed, not %1.").arg(dpi));
    if (!QDir().mkpath(dir))
        return fail(tr("Cannot create the folder %1.").arg(dir));
    QString base = QFileInfo(doc.fileName).completeBaseName();
    if (base.isEmpty())
        base = QStringLiteral("report");
    const int digits = qMax(3, int(QString::number(pages).size()));
    for (int n = fromPage; n <= toPage; ++n) {
        const QString file = QDir(dir).filePath(
            QStringLiteral("%1-page-%2.png").arg(base).arg(n, digits, 10, QLatin1Char('0')));
        OutputFile out(file);
        if (out.open() && !renderPage(doc, n, dpi).save(out.device(), "PNG"))
            out.abandon(tr("the PNG image could not be written"));
        if (!out.commit())
            return fail(tr("Cannot write %1: %2").arg(file, out.errorString()));
        if (written)
            written->append(file);
    }
    return true;
}
