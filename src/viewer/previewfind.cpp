#include "previewfind.h"

#include "document/reportdocument.h"
#include "engine/reportrun.h"
#include "document/xmlformat.h"
#include "output/drawingsurface.h"
#include "output/textlayout.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

void findInRecord(ReportDocument &doc, const PageRecord &record, int page, const QString &needle,
                  Qt::CaseSensitivity cs, DrawingSurface &surface, QList<PreviewFindHit> &hits)
{
    const bool hasVariables = record.flags & PageRecord::PageVariables;
    const QString stored = record.textLines();
    const QString text = hasVariables ? doc.replacePercentVars(stored) : stored;
    // Most records do not hold the text: measure only those that do.
    if (!text.contains(needle, cs))
        return;
    doc.run().pages.style(record.style).applyTo(surface);
    // The lines as drawn: laid out by the run, or now for page numbers.
    double height = record.h;
    const QString lines =
        hasVariables ? wrapText(surface, normalizeLineBreaks(text), record.w, height, false) : text;
    double y = record.y;
    for (const QString &line : lines.split(kCrLf)) {
        // Empty lines take no room when drawn.
        if (line.isEmpty())
            continue;
        double x = record.x;
        if (record.align == 1)
            x = record.x + record.w - surface.TextWidth(line);
        else if (record.align == 2)
            x = record.x + record.w / 2 - surface.TextWidth(line) / 2;
        const double lineHeight = surface.TextHeight(line);
        for (qsizetype at = line.indexOf(needle, 0, cs); at >= 0;
             at = line.indexOf(needle, at + needle.size(), cs)) {
            const double left = x + surface.TextWidth(line.left(at));
            const double width = surface.TextWidth(line.mid(at, needle.size()));
            hits.append(PreviewFindHit{page, QRectF(left, y, width, lineHeight)});
        }
        y += lineHeight;
    }
}

} // namespace

QList<PreviewFindHit> findInPages(ReportDocument &doc, const QString &needle, Qt::CaseSensitivity cs)
{
    QList<PreviewFindHit> hits;
    if (needle.isEmpty())
        return hits;
    // %page% reads CurrentPage, which a run in progress counts on.
    const int savedPage = doc.run().currentPage;
    DrawingSurface surface(nullptr, doc.unit());
    for (int n = 1; n <= doc.run().pages.count(); ++n) {
        doc.run().currentPage = n;
        for (const PageRecord &record : doc.run().pages.at(n - 1)->records) {
            if (record.kind == PageRecord::Text)
                findInRecord(doc, record, n, needle, cs, surface, hits);
        }
    }
    doc.run().currentPage = savedPage;
    return hits;
}
