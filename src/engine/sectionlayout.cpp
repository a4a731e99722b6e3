// Laying out one occurrence of a section on the run's pages.

#include "document/reportsection.h"

#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/textitem.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"

#include <algorithm>
#include <vector>

namespace {

float createItem(const ReportItem *item)
{
    switch (item->kind()) {
    case ReportItem::TextKind:
        return static_cast<const TextItem *>(item)->addToPage();
    case ReportItem::PictureKind:
        return static_cast<const PictureItem *>(item)->addToPage();
    case ReportItem::GraphKind:
        return static_cast<const ChartItem *>(item)->addToPage();
    }
    return 0;
}

} // namespace

void ReportSection::layOutOccurrence() const
{
    ReportDocument *doc = parent;
    if (!doc)
        return;
    doc->run().pages.beginBand(quint8(section_Type), Key());

    // The page header starts every page and the page footer has its fixed
    // place at the bottom: both go straight onto the page.
    if (section_Type == PageFooter || section_Type == PageHeader) {
        if (section_Type == PageFooter)
            doc->run().currentY = doc->pageLength() - doc->bottomMargin - Height;
        // A page break after either would leave no page any room.
        doc->run().currentY += Height + layOutItems();
        return;
    }

    if (section_Type == DataSection && doc->run().currentY < doc->topMargin)
        doc->run().currentY = doc->topMargin;

    // Whether the occurrence fits is known only once its texts have grown:
    // it is laid out where it would go, then moved if it does not fit.
    const int firstItem = doc->run().fillingPage ? doc->run().fillingPage->count() : 0;
    const float top = doc->run().currentY;
    const float growth = layOutItems();
    doc->placeOccurrence(firstItem, top, std::max(0.0f, std::min(Height, doc->run().room(*this))) + growth);

    // Past the end of any page, so that the next section (other than the
    // page footer) starts a new one.
    if (pageBreakAfter)
        doc->run().currentY = std::max(doc->pageHeight, doc->pageLength());
}

float ReportSection::layOutItems() const
{
    ReportDocument *doc = parent;
    // Top to bottom; a stable sort keeps items of equal y in their order.
    // The run sorts its own list: the design's order is left alone.
    std::vector<const ReportItem *> order;
    order.reserve(size_t(items.count()));
    for (const ReportItem *item : items)
        order.push_back(item);
    std::stable_sort(order.begin(), order.end(),
                     [](const ReportItem *a, const ReportItem *b) { return a->y < b->y; });

    // How far each item has been pushed down by texts above it that grew.
    // An item below two growing texts side by side moves by the larger
    // growth, not by both; one below a chain of growing texts moves by the
    // whole chain. The push goes to the record, never to the design.
    const size_t n = order.size();
    std::vector<float> pushed(n, 0.0f);
    float largestGrowth = 0;
    for (size_t i = 0; i < n; ++i) {
        const ReportItem *item = order[i];
        const int before = doc->run().fillingPage ? doc->run().fillingPage->count() : 0;
        const float growth = createItem(order[i]);
        if (pushed[i] != 0 && doc->run().fillingPage && doc->run().fillingPage->count() > before)
            doc->run().fillingPage->records[size_t(before)].y += pushed[i];
        if (growth != 0) {
            const float below = item->y + pushed[i] + item->h;
            const float wanted = pushed[i] + growth;
            for (size_t j = 0; j < n; ++j) {
                if (j == i || order[j]->y + pushed[j] < below || pushed[j] >= wanted)
                    continue;
                pushed[j] = wanted;
            }
        }
        largestGrowth = std::max(largestGrowth, growth);
    }
    return largestGrowth;
}
