#include "itemclipboard.h"

void ItemClipboard::addCopyOf(const ReportItem &item)
{
    m_items.push_back(item.clone());
}

void ItemClipboard::add(std::unique_ptr<ReportItem> item)
{
    if (!item)
        return;
    item->parent = nullptr;
    item->selected = false;
    m_items.push_back(std::move(item));
}
