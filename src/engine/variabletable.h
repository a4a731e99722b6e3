#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>

#include <vector>

// The engine's formula variables: one value per bare field name, the name
// compared without regard to case. Formulas look names up once per bracket
// for every record, so lookups take a view and allocate nothing.
class VariableTable
{
public:
    // Sets the variable `name` to `value`: an existing entry of that name (in
    // any case) takes the new value and the new spelling, otherwise one is
    // added at the end.
    void set(const QString &name, const QVariant &value);
    // Removes the entry; false when there was none.
    bool remove(QStringView name);
    void clear();

    // The value of `name`, nullptr when there is no such variable.
    const QVariant *find(QStringView name) const;
    // The same, under the name the other keyed collections use.
    const QVariant *value(QStringView name) const { return find(name); }
    bool contains(QStringView name) const { return find(name) != nullptr; }

    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    const QString &nameAt(int index) const { return m_entries[size_t(index)].name; }
    const QVariant &valueAt(int index) const { return m_entries[size_t(index)].value; }

private:
    struct Entry
    {
        QString name;
        QVariant value;
        size_t hash;
    };

    static size_t foldedHash(QStringView name);
    // Slot of `name` in m_slots: the one holding it, or the empty one where it
    // would go.
    size_t slotOf(QStringView name, size_t hash) const;
    void rehash(size_t slotCount);

    std::vector<Entry> m_entries;
    // Open addressing over indexes into m_entries; -1 marks a free slot. The
    // size is a power of two and at least twice the number of entries.
    std::vector<int> m_slots;
};
