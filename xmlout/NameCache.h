#ifndef QUELT_XMLOUT_NAMECACHE_H
#define QUELT_XMLOUT_NAMECACHE_H

#include "xmlout/XmlText.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The name of a role, property, association or qualifier record, as a
// writer needs it: the text, whether it can be the element name it becomes
// in a file, and for a role whether a role definition has that name and
// the code of that definition (filled in by whoever knows them).
struct ElementName {
    const std::string* text = nullptr;
    bool valid = false;
    bool defined = false;
    std::string_view code;
};

// Values by map id, default-constructed on first use: the ids -1 (no
// definition) to kLimit at index id + 1 of a vector, others aside.
template <class T> class MapIdTable {
public:
    T& at(long id)
    {
        if (id >= -1 && id <= kLimit) {
            std::size_t index = static_cast<std::size_t>(id + 1);
            if (index >= low.size())
                low.resize(index + 1);
            return low[index];
        }
        return high[id];
    }

    // The value of the id; nullptr when it was never used.
    const T* find(long id) const
    {
        if (id >= -1 && id < static_cast<long>(low.size()) - 1)
            return &low[static_cast<std::size_t>(id + 1)];
        auto it = high.find(id);
        return it == high.end() ? nullptr : &it->second;
    }

    // Calls f on every value, those of the ids in order first.
    template <class F> void forEach(F f)
    {
        for (T& value : low)
            f(value);
        for (auto& entry : high)
            f(entry.second);
    }
    template <class F> void forEach(F f) const
    {
        for (const T& value : low)
            f(value);
        for (const auto& entry : high)
            f(entry.second);
    }

private:
    static constexpr long kLimit = 1L << 16;
    std::vector<T> low;
    std::unordered_map<long, T> high;
};

// Names of attribute records by the map id they keep. A record's getName()
// reads its class's registry and may set error bits, so it is called by
// resolve() alone, on one thread, once per map id; of() only reads, so
// threads may call it at once once every map id they need was resolved.
//
// A cache may also only note, for each map id, the first record met that
// holds it, reading no registry: threads that go through parts of a
// knowledge base note into caches of their own, and one thread resolves
// the noted records afterwards.
template <class Record> class NameCache {
public:
    // Keeps the record for its map id when no record of that id was noted
    // or resolved yet.
    void note(const Record& record)
    {
        Entry& entry = entries.at(record.getNameID());
        if (entry.first == nullptr && entry.name.text == nullptr)
            entry.first = &record;
    }

    // Calls f on every record noted, by map id.
    template <class F> void forEachNoted(F f) const
    {
        entries.forEach([&f](const Entry& entry) {
            if (entry.first != nullptr)
                f(*entry.first);
        });
    }

    // The entry of the record's map id, its name looked up on first use.
    ElementName& resolve(const Record& record)
    {
        ElementName& name = entries.at(record.getNameID()).name;
        if (name.text == nullptr) {
            name.text = &record.getName();
            name.valid = xmltext::isElementName(*name.text);
        }
        return name;
    }

    // The name of a record whose map id has been resolved.
    const ElementName& of(const Record& record) const
    {
        const Entry* entry = entries.find(record.getNameID());
        if (entry == nullptr || entry->name.text == nullptr)
            throw std::out_of_range("map id not resolved");
        return entry->name;
    }

    // Calls f on the entry of every map id resolved.
    template <class F> void forEach(F f)
    {
        entries.forEach([&f](Entry& entry) {
            if (entry.name.text != nullptr)
                f(entry.name);
        });
    }

private:
    struct Entry {
        ElementName name;
        const Record* first = nullptr; // noted, not resolved
    };
    MapIdTable<Entry> entries;
};

#endif
