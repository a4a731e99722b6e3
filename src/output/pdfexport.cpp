#include "pdfexport.h"

#include "platform/outputfile.h"

#include "drawingsurface.h"
#include "pageoutput.h"

#include "platform/appinfo.h"
#include "document/reportdocument.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PdfExport", text);
}

} // namespace

bool exportPdf(ReportDocument &doc, const QString &file, int fromPage, int toPage, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const int pages = doc.pageCount();
    if (pages == 0)
        return fail(tr("The report has no page to write."));
    const int first = fromPage <= 0 ? 1 : fromPage;
    const int last = toPage <= 0 ? pages : qMin(toPage, pages);
    if (first > last)
        return fail(tr("There is no page %1: the report has %2 pages.").arg(first).arg(pages));

    OutputFile out(file);
    if (!out.open())
        return fail(tr("Cannot write %1: %2").arg(file, out.errorString()));
    {
        QPdfWriter writer(out.device());
        writer.setResolution(DrawingSurface::kReferenceDpi);
        writer.setTitle(doc.docName);
        writer.setCreator(appTitle());
        const QPageLayout layout(QPageSize(pageSizeMillimetres(doc), QPageSize::Millimeter, QString(),
                                           QPageSize::ExactMatch),
                                 doc.pageOrientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape,
                                 QMarginsF(0, 0, 0, 0));
        writer.setPageLayout(layout);
        QPainter painter;
        if (!painter.begin(&writer))
            return fail(tr("Cannot write %1: the PDF could not be started.").arg(file));
        for (int n = first; n <= last; ++n) {
            if (n > first)
                writer.newPage();
            drawPage(doc, painter, n);
        }
        painter.end();
    }
    if (!out.commit())
        return fail(tr("Cannot write %1: %2").arg(file, out.errorString()));
    return true;
}
