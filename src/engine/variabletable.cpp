#include "variabletable.h"

#include <QChar>

namespace {

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

// FNV-1a over the case-folded code points, so that two names equal without
// regard to case (as QStringView::compare sees it) hash alike.
size_t VariableTable::foldedHash(QStringView name)
{
    size_t h = 1469598103934665603ull;
    const qsizetype n = name.size();
    const QChar *p = name.data();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = p[i].unicode();
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z')
                c += 'a' - 'A';
        } else {
            if (QChar::isHighSurrogate(c) && i + 1 < n && p[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(char16_t(c), p[i + 1].unicode());
                ++i;
            }
            c = QChar::toCaseFolded(c);
        }
        h ^= size_t(c);
        h *= 1099511628211ull;
    }
    return h;
}

size_t VariableTable::slotOf(QStringView name, size_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    for (;;) {
        const int e = m_slots[i];
        if (e < 0)
            return i;
        const Entry &entry = m_entries[size_t(e)];
        if (entry.hash == hash && sameName(entry.name, name))
            return i;
        i = (i + 1) & mask;
    }
}

void VariableTable::rehash(size_t slotCount)
{
    m_slots.assign(slotCount, -1);
    const size_t mask = slotCount - 1;
    for (size_t e = 0; e < m_entries.size(); ++e) {
        size_t i = m_entries[e].hash & mask;
        while (m_slots[i] >= 0)
            i = (i + 1) & mask;
        m_slots[i] = int(e);
    }
}

void VariableTable::set(const QString &name, const QVariant &value)
{
    const size_t hash = foldedHash(name);
    if (!m_slots.empty()) {
        const size_t slot = slotOf(name, hash);
        if (m_slots[slot] >= 0) {
            Entry &entry = m_entries[size_t(m_slots[slot])];
            entry.value = value;
            entry.name = name;
            return;
        }
    }
    m_entries.push_back(Entry{name, value, hash});
    if (m_slots.size() < m_entries.size() * 2)
        rehash(m_slots.empty() ? 16 : m_slots.size() * 2);
    else
        m_slots[slotOf(name, hash)] = int(m_entries.size() - 1);
}

bool VariableTable::remove(QStringView name)
{
    if (m_slots.empty())
        return false;
    const size_t slot = slotOf(name, foldedHash(name));
    const int e = m_slots[slot];
    if (e < 0)
        return false;
    // Removal keeps the order of the others; it is rare (a variable is
    // normally overwritten), so rebuilding the slots is fine.
    m_entries.erase(m_entries.begin() + e);
    rehash(m_slots.size());
    return true;
}

void VariableTable::clear()
{
    m_entries.clear();
    m_slots.clear();
}

const QVariant *VariableTable::find(QStringView name) const
{
    if (m_slots.empty())
        return nullptr;
    const int e = m_slots[slotOf(name, foldedHash(name))];
    return e < 0 ? nullptr : &m_entries[size_t(e)].value;
}
