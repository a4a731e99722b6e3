#include "previewfind.h"

#include "document/item.h"
#include "document/talvodocument.h"
#include "document/xmlformat.h"
#include "output/drawingsurface.h"
#include "output/textlayout.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The text of a print item as Item::Print_ draws it: its lines, CR LF
// between them.
QString drawnLines(const Item &item, DrawingSurface &surface, const QString &text,
                   bool hasVariables)
{
    if (item.laidOut && !hasVariables)
        return text;
    double height = item.h;
    return wrapText(surface, normalizeLineBreaks(text), item.w, height, false);
}

void findInItem(TalvoDocument &doc, const Item &item, int page, const QString &needle,
                Qt::CaseSensitivity cs, DrawingSurface &surface, QList<PreviewFindHit> &hits)
{
    const bool hasVariables = item.typeContent == 0 && item.content.contains(u'%');
    const QString text = hasVariables ? doc.ReplacePercentVars(item.content) : item.content;
    // Most items do not hold the text: measure only those that do.
    if (!text.contains(needle, cs))
        return;
    item.initFont(surface);
    const QString lines = drawnLines(item, surface, text, hasVariables);
    double y = item.y;
    for (const QString &line : lines.split(kCrLf)) {
        // Empty lines take no room when drawn.
        if (line.isEmpty())
            continue;
        double x = item.x;
        if (item.AlignH == 1)
            x = item.x + item.w - surface.TextWidth(line);
        else if (item.AlignH == 2)
            x = item.x + item.w / 2 - surface.TextWidth(line) / 2;
        const double height = surface.TextHeight(line);
        for (qsizetype at = line.indexOf(needle, 0, cs); at >= 0;
             at = line.indexOf(needle, at + needle.size(), cs)) {
            const double left = x + surface.TextWidth(line.left(at));
            const double width = surface.TextWidth(line.mid(at, needle.size()));
            hits.append(PreviewFindHit{page, QRectF(left, y, width, height)});
        }
        y += height;
    }
}

} // namespace

QList<PreviewFindHit> findInPages(TalvoDocument &doc, const QString &needle, Qt::CaseSensitivity cs)
{
    QList<PreviewFindHit> hits;
    if (needle.isEmpty())
        return hits;
    // %page% reads CurrentPage, which a run in progress counts on.
    const int savedPage = doc.CurrentPage;
    DrawingSurface surface(nullptr, doc.unit());
    for (int n = 1; n <= doc.Pages.count(); ++n) {
        doc.CurrentPage = n;
        const PrintedPage *page = doc.Pages.at(n - 1);
        for (const ReportItem *item : *page) {
            if (item->kind() == ReportItem::TextKind)
                findInItem(doc, *static_cast<const Item *>(item), n, needle, cs, surface, hits);
        }
    }
    doc.CurrentPage = savedPage;
    return hits;
}
