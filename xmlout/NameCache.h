#ifndef QUELT_XMLOUT_NAMECACHE_H
#define QUELT_XMLOUT_NAMECACHE_H

#include "xmlout/XmlText.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The name of a role, property, association or qualifier record, as a
// writer needs it: the text, whether it can be the element name it becomes
// in a file, and for a role the code of its definition (filled in by
// whoever knows it).
struct ElementName {
    const std::string* text = nullptr;
    bool valid = false;
    std::string_view code;
};

// Names of attribute records by the map id they keep. A record's getName()
// reads its class's registry and may set error bits, so it is called by
// resolve() alone, once per map id; of() only reads, so threads may call it
// at once once every map id they need was resolved.
template <class Record> class NameCache {
public:
    // The entry of the record's map id, its name looked up on first use.
    ElementName& resolve(const Record& record)
    {
        long id = record.getNameID();
        ElementName* entry;
        if (id >= -1 && id <= kLimit) {
            std::size_t at = static_cast<std::size_t>(id + 1);
            if (at >= names.size())
                names.resize(at + 1);
            entry = &names[at];
        } else {
            entry = &others[id];
        }
        if (entry->text == nullptr) {
            entry->text = &record.getName();
            entry->valid = xmltext::isElementName(*entry->text);
        }
        return *entry;
    }

    // The name of a record whose map id has been resolved.
    const ElementName& of(const Record& record) const
    {
        long id = record.getNameID();
        if (id >= -1 && id < static_cast<long>(names.size()) - 1) {
            const ElementName& name = names[static_cast<std::size_t>(id + 1)];
            if (name.text != nullptr)
                return name;
        }
        return others.at(id);
    }

    // Calls f on the entry of every map id resolved.
    template <class F> void forEach(F f)
    {
        for (ElementName& name : names) {
            if (name.text != nullptr)
                f(name);
        }
        for (auto& entry : others)
            f(entry.second);
    }

private:
    static constexpr long kLimit = 1L << 16;
    // Map ids -1 (no definition) to kLimit at index id + 1, others aside.
    std::vector<ElementName> names;
    std::unordered_map<long, ElementName> others;
};

#endif
