#pragma once

#include <QHash>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

// An owning collection that keeps insertion order and finds entries by a
// short key ("d1", "ph", "k3", …). Keys compare without regard to case, as
// the report's collections always have; adding a key that is taken fails.
template <typename T>
class KeyedCollection
{
public:
    KeyedCollection() = default;
    KeyedCollection(KeyedCollection &&) noexcept = default;
    KeyedCollection &operator=(KeyedCollection &&) noexcept = default;
    KeyedCollection(const KeyedCollection &) = delete;
    KeyedCollection &operator=(const KeyedCollection &) = delete;

    // Appends value under key, or inserts it before position `before`
    // (0-based). Returns the stored pointer, or nullptr when the key is taken
    // (value is then destroyed).
    T *add(const QString &key, std::unique_ptr<T> value, int before = -1)
    {
        const QString folded = fold(key);
        if (m_index.contains(folded))
            return nullptr;
        T *raw = value.get();
        if (before < 0 || before >= int(m_entries.size())) {
            m_index.insert(folded, int(m_entries.size()));
            m_entries.push_back(Entry{key, std::move(value)});
        } else {
            m_entries.insert(m_entries.begin() + before, Entry{key, std::move(value)});
            reindex();
        }
        return raw;
    }

    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    bool contains(const QString &key) const { return m_index.contains(fold(key)); }
    int indexOf(const QString &key) const { return m_index.value(fold(key), -1); }

    T *value(const QString &key) const
    {
        const int i = indexOf(key);
        return i < 0 ? nullptr : m_entries[size_t(i)].value.get();
    }
    T *at(int index) const { return m_entries[size_t(index)].value.get(); }
    const QString &keyAt(int index) const { return m_entries[size_t(index)].key; }

    // Removes and returns the entry; empty when the key is missing.
    std::unique_ptr<T> take(const QString &key)
    {
        const int i = indexOf(key);
        if (i < 0)
            return nullptr;
        std::unique_ptr<T> out = std::move(m_entries[size_t(i)].value);
        m_entries.erase(m_entries.begin() + i);
        reindex();
        return out;
    }
    bool remove(const QString &key) { return take(key) != nullptr; }

    // Removes and returns the last entry; cheap, unlike take() of an entry
    // before others, which renumbers the ones after it.
    std::unique_ptr<T> takeLast()
    {
        if (m_entries.empty())
            return nullptr;
        m_index.remove(fold(m_entries.back().key));
        std::unique_ptr<T> out = std::move(m_entries.back().value);
        m_entries.pop_back();
        return out;
    }

    void clear()
    {
        m_entries.clear();
        m_index.clear();
    }

private:
    // Declared before the iterator that names it (clang needs it complete there).
    struct Entry
    {
        QString key;
        std::unique_ptr<T> value;
    };

public:
    // Iteration yields T* in collection order.
    class const_iterator
    {
    public:
        using Base = typename std::vector<typename KeyedCollection::Entry>::const_iterator;
        explicit const_iterator(Base it) : m_it(it) {}
        T *operator*() const { return m_it->value.get(); }
        const_iterator &operator++()
        {
            ++m_it;
            return *this;
        }
        bool operator!=(const const_iterator &o) const { return m_it != o.m_it; }
        bool operator==(const const_iterator &o) const { return m_it == o.m_it; }

    private:
        Base m_it;
    };
    const_iterator begin() const { return const_iterator(m_entries.cbegin()); }
    const_iterator end() const { return const_iterator(m_entries.cend()); }

private:
    static QString fold(const QString &key) { return key.toLower(); }
    void reindex()
    {
        m_index.clear();
        for (int i = 0; i < int(m_entries.size()); ++i)
            m_index.insert(fold(m_entries[size_t(i)].key), i);
    }

    std::vector<Entry> m_entries;
    QHash<QString, int> m_index;
};
