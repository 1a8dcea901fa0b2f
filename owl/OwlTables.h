#ifndef QUELT_OWL_OWLTABLES_H
#define QUELT_OWL_OWLTABLES_H

// The lookup tables of the OWL writer. They are built on the calling
// thread before any concept is written and are only read afterwards, so
// any number of threads may format concepts from them at once.

#include "model/QueltAssociation.h"
#include "model/QueltProperty.h"
#include "model/QueltQualifier.h"
#include "model/QueltRole.h"
#include "model/QueltTerminology.h"
#include "owl/XmlText.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace owl {

// Name -> identifier: open addressing with linear probing, at most half
// full. Names and identifiers are copied into one block of text, each name
// followed by its identifier, so a look-up reads one slot and one place of
// that block, and never the knowledge base, whose records lie scattered
// over far more memory. A later entry for the same name replaces the
// earlier one.
class CodeTable {
public:
    void reserve(size_t entries)
    {
        size_t capacity = 16;
        while (capacity < 2 * entries)
            capacity *= 2;
        if (capacity > slots_.size())
            rehash(capacity);
    }

    void set(std::string_view key, std::string_view code)
    {
        if (2 * (used_ + 1) > slots_.size())
            rehash(slots_.empty() ? 16 : 2 * slots_.size());
        size_t hash = std::hash<std::string_view>()(key);
        Slot& slot = slots_[position(key, hash)];
        if (slot.at == kFree) {
            slot.hash = hash;
            ++used_;
        }
        slot.at = text_.size();
        slot.keySize = key.size();
        slot.codeSize = code.size();
        text_.append(key);
        text_.append(code);
    }

    // The identifier of the name, or the empty text.
    std::string_view get(std::string_view key) const
    {
        if (slots_.empty())
            return std::string_view();
        const Slot& slot = slots_[position(key, std::hash<std::string_view>()(key))];
        if (slot.at == kFree)
            return std::string_view();
        return std::string_view(text_.data() + slot.at + slot.keySize, slot.codeSize);
    }

private:
    static constexpr size_t kFree = ~size_t(0);

    struct Slot {
        size_t hash = 0;
        size_t at = kFree; // where the name starts in text_; kFree: the slot is free
        size_t keySize = 0;
        size_t codeSize = 0;
    };

    std::string_view keyOf(const Slot& slot) const
    {
        return std::string_view(text_.data() + slot.at, slot.keySize);
    }

    // Index of the slot holding the key, or of the free slot where it goes.
    size_t position(std::string_view key, size_t hash) const
    {
        size_t mask = slots_.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.at == kFree || (slot.hash == hash && keyOf(slot) == key))
                return at;
        }
    }

    void rehash(size_t capacity)
    {
        std::vector<Slot> old(capacity);
        old.swap(slots_);
        for (const Slot& entry : old) {
            if (entry.at != kFree)
                slots_[position(keyOf(entry), entry.hash)] = entry;
        }
    }

    std::vector<Slot> slots_;
    size_t used_ = 0;
    std::string text_;
};

// The name of a role, property, association or qualifier record: the text,
// whether it can be the element name it becomes in the file, and for a
// role the identifier of its definition.
struct ElementName {
    const std::string* text = nullptr;
    bool valid = false;
    std::string_view code;
};

// Names of attribute records (roles, properties, associations, qualifiers)
// by the map id they keep. A record's getName() reads its class's registry
// and may set error bits, so it is called by resolve() alone, on the
// thread that builds the tables, once per map id; of() only reads.
template <class Record>
class NameCache {
public:
    // Looks the record's name up unless its map id is known already.
    void resolve(const Record& record);

    // Calls f on the entry of every map id resolved.
    template <class F>
    void forEach(F f)
    {
        for (ElementName& name : names_) {
            if (name.text != nullptr)
                f(name);
        }
        for (auto& entry : others_)
            f(entry.second);
    }

    // The name of a record whose map id has been resolved.
    const ElementName& of(const Record& record) const
    {
        long id = record.getNameID();
        if (id >= -1 && id < static_cast<long>(names_.size()) - 1) {
            const ElementName& name = names_[static_cast<size_t>(id + 1)];
            if (name.text != nullptr)
                return name;
        }
        return others_.at(id);
    }

private:
    static constexpr long kLimit = 1L << 16;
    // Map ids -1 (no definition) to kLimit at index id + 1, others aside.
    std::vector<ElementName> names_;
    std::unordered_map<long, ElementName> others_;
};

template <class Record>
void NameCache<Record>::resolve(const Record& record)
{
    long id = record.getNameID();
    ElementName* entry;
    if (id >= -1 && id <= kLimit) {
        size_t at = static_cast<size_t>(id + 1);
        if (at >= names_.size())
            names_.resize(at + 1);
        entry = &names_[at];
    } else {
        entry = &others_[id];
    }
    if (entry->text != nullptr)
        return;
    entry->text = &record.getName();
    entry->valid = xmltext::isElementName(*entry->text);
}

// The tables every concept is formatted from.
struct ConceptTables {
    CodeTable conceptCodes; // concept name -> value of its "RXK" property
    CodeTable roleCodes;    // role definition name -> its code
    NameCache<QueltProperty> propertyNames;
    NameCache<QueltRole> roleNames;
    NameCache<QueltAssociation> associationNames;
    NameCache<QueltQualifier> qualifierNames;
};

} // namespace owl

#endif
