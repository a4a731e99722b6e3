#pragma once

#include "document/reportitem.h"

#include <memory>
#include <vector>

// The designer's cut/copy/paste store, owned by the design document so
// that items cut or copied on one section can be pasted on any other. It
// owns what it holds: a copied item is kept as a snapshot taken at copy time, a cut item
// is the item itself, taken out of its section. Nothing in it can dangle
// when a section or an item is removed afterwards.
class ItemClipboard
{
public:
    ItemClipboard() = default;
    ItemClipboard(const ItemClipboard &) = delete;
    ItemClipboard &operator=(const ItemClipboard &) = delete;

    void clear() { m_items.clear(); }
    // Keeps a snapshot of item (same kind, same properties, no key).
    void addCopyOf(const ReportItem &item);
    // Keeps an item taken out of its section; it no longer refers to it.
    void add(std::unique_ptr<ReportItem> item);

    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    // In the order added; the designer creates one new item per entry and
    // copies it from the entry.
    const ReportItem *at(int index) const { return m_items[size_t(index)].get(); }

private:
    std::vector<std::unique_ptr<ReportItem>> m_items;
};
