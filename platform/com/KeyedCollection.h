#pragma once

#include "Error.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace com {

// The platform's keyed collection: items in insertion order, addressed by a 1-based position or
// by an optional text key compared without regard to case. Adding a key twice raises 457, a
// position or key that does not exist raises 9 (subscript) on Item and 5 on Remove.
template <typename T>
class KeyedCollection {
    struct Entry {
        QString key;
        T item;
    };

public:
    int32_t Count() const { return static_cast<int32_t>(m_entries.size()); }

    void Add(T item, const QString& key = {})
    {
        if (!key.isEmpty() && indexOf(key))
            throw Error::duplicateKey();
        m_entries.push_back({key, std::move(item)});
    }

    const T& Item(int32_t position) const { return m_entries.at(checkedIndex(position, errSubscript)).item; }
    T& Item(int32_t position) { return m_entries.at(checkedIndex(position, errSubscript)).item; }

    const T& Item(const QString& key) const { return m_entries[keyIndex(key, errSubscript)].item; }
    T& Item(const QString& key) { return m_entries[keyIndex(key, errSubscript)].item; }

    bool Contains(const QString& key) const { return indexOf(key).has_value(); }

    // The key an item was added under (empty when it had none).
    const QString& KeyAt(int32_t position) const { return m_entries.at(checkedIndex(position, errSubscript)).key; }

    void Remove(int32_t position) { m_entries.erase(m_entries.begin() + checkedIndex(position, errInvalidCall)); }
    void Remove(const QString& key) { m_entries.erase(m_entries.begin() + keyIndex(key, errInvalidCall)); }
    void Clear() { m_entries.clear(); }

    // Iteration over the items in order.
    class Iterator {
    public:
        explicit Iterator(typename std::vector<Entry>::const_iterator it) : m_it(it) {}
        const T& operator*() const { return m_it->item; }
        Iterator& operator++() { ++m_it; return *this; }
        bool operator==(const Iterator& other) const = default;

    private:
        typename std::vector<Entry>::const_iterator m_it;
    };
    Iterator begin() const { return Iterator(m_entries.begin()); }
    Iterator end() const { return Iterator(m_entries.end()); }

private:
    std::optional<size_t> indexOf(const QString& key) const
    {
        for (size_t i = 0; i < m_entries.size(); ++i)
            if (!m_entries[i].key.isEmpty() && m_entries[i].key.compare(key, Qt::CaseInsensitive) == 0)
                return i;
        return std::nullopt;
    }

    size_t keyIndex(const QString& key, int32_t errorNumber) const
    {
        if (const auto index = indexOf(key))
            return *index;
        throw Error(errorNumber, {}, Error::runtimeDescription(errorNumber));
    }

    size_t checkedIndex(int32_t position, int32_t errorNumber) const
    {
        if (position < 1 || position > Count())
            throw Error(errorNumber, {}, Error::runtimeDescription(errorNumber));
        return static_cast<size_t>(position - 1);
    }

    std::vector<Entry> m_entries;
};

} // namespace com
