// Preparing a section for a run and laying out one occurrence of it.

#include "document/section.h"

#include "document/igraph.h"
#include "document/ipic.h"
#include "document/item.h"
#include "document/talvodocument.h"

#include <algorithm>
#include <vector>

namespace {

void initItem(ReportItem *item)
{
    switch (item->kind()) {
    case ReportItem::TextKind:
        static_cast<Item *>(item)->initPrint();
        break;
    case ReportItem::PictureKind:
        static_cast<iPic *>(item)->initPrint();
        break;
    case ReportItem::GraphKind:
        static_cast<iGraph *>(item)->initPrint();
        break;
    }
}

float createItem(ReportItem *item)
{
    switch (item->kind()) {
    case ReportItem::TextKind:
        return static_cast<Item *>(item)->CreatePrintItem();
    case ReportItem::PictureKind:
        return static_cast<iPic *>(item)->CreatePrintItem();
    case ReportItem::GraphKind:
        return static_cast<iGraph *>(item)->CreatePrintItem();
    }
    return 0;
}

} // namespace

void section::initPrint()
{
    // A stable sort gives what repeated neighbour swaps give: top to bottom,
    // items of equal y in their old order.
    bool sorted = true;
    for (int i = 1; i < items.count() && sorted; ++i)
        sorted = !(items.at(i)->yOrder() < items.at(i - 1)->yOrder());
    if (!sorted) {
        // Taken from the end, where taking costs nothing.
        std::vector<std::pair<QString, std::unique_ptr<ReportItem>>> entries;
        entries.reserve(size_t(items.count()));
        while (!items.isEmpty()) {
            QString key = items.keyAt(items.count() - 1);
            entries.emplace_back(std::move(key), items.takeLast());
        }
        std::reverse(entries.begin(), entries.end());
        std::stable_sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) {
            return a.second->yOrder() < b.second->yOrder();
        });
        for (auto &entry : entries)
            items.add(entry.first, std::move(entry.second));
    }

    HasFormulas = false;
    for (ReportItem *item : items)
        initItem(item);
}

void section::donePrint()
{
    for (ReportItem *item : items)
        item->retrieveCoord();
}

void section::CreatePrintItems()
{
    TalvoDocument *doc = parent;
    if (!doc)
        return;
    for (ReportItem *item : items)
        item->retrieveCoord();

    // The page header starts every page and the page footer has its fixed
    // place at the bottom: both go straight onto the page.
    if (section_Type == PageFooter || section_Type == PageHeader) {
        if (section_Type == PageFooter)
            doc->CurrentY = doc->pageLength() - doc->bottomMargin - Height;
        // A page break after either would leave no page any room.
        doc->CurrentY += Height + layOutItems();
        return;
    }

    if (section_Type == DataSection && doc->CurrentY < doc->topMargin)
        doc->CurrentY = doc->topMargin;

    // Whether the occurrence fits is known only once its texts have grown:
    // it is laid out where it would go, then moved if it does not fit.
    const int firstItem = doc->items ? doc->items->count() : 0;
    const float top = doc->CurrentY;
    const float growth = layOutItems();
    doc->placeOccurrence(firstItem, top, std::max(0.0f, std::min(Height, roomOnAPage)) + growth);

    // Past the end of any page, so that the next section (other than the
    // page footer) starts a new one.
    if (pageBreakAfter)
        doc->CurrentY = std::max(doc->pageHeight, doc->pageLength());
}

float section::layOutItems()
{
    // How far each item has been pushed. An item below two growing texts
    // side by side moves by the larger growth, not by both; one below a
    // chain of growing texts moves by the whole chain.
    std::vector<float> pushed(size_t(items.count()), 0.0f);
    float largestGrowth = 0;
    for (int i = 0; i < items.count(); ++i) {
        ReportItem *item = items.at(i);
        const float growth = createItem(item);
        if (growth != 0) {
            const float below = item->y + item->h;
            const float wanted = pushed[size_t(i)] + growth;
            for (int j = 0; j < items.count(); ++j) {
                ReportItem *other = items.at(j);
                if (j == i || other->y < below || pushed[size_t(j)] >= wanted)
                    continue;
                other->AddOffset(below, wanted - pushed[size_t(j)]);
                pushed[size_t(j)] = wanted;
            }
        }
        largestGrowth = std::max(largestGrowth, growth);
    }
    return largestGrowth;
}
