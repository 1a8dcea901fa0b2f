#ifndef QUELT_TOOLS_GEN_DRAFT_H
#define QUELT_TOOLS_GEN_DRAFT_H

// One concept as drawn, before it is written: what the older version says
// of it, which the changes of a newer version then edit. References name
// concepts by index, so that they are written with the name the version
// being written gives the concept. The drafts of one run are reused from
// concept to concept, and the values of all properties share one text, so
// drawing a concept allocates nothing once the lists have grown.

#include "tools/gen/Faults.h"
#include "tools/gen/Random.h"
#include "tools/gen/Vocabulary.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gen {

// The modifier of a role, as written; kNoModifier: none (read as "some").
enum Modifier : std::uint32_t { kSome, kAll, kPoss, kNoModifier };

struct DraftRole {
    std::uint32_t role; // in kRoles
    std::uint32_t modifier;
    std::uint64_t target;
    std::uint32_t group; // 0: in none; the roles of a group follow each other
};

// Two roles as the comparison tells them apart: name, modifier (none is
// "some") and target.
inline bool sameRole(const DraftRole& a, const DraftRole& b)
{
    auto modifier = [](std::uint32_t m) { return m == kNoModifier ? kSome : m; };
    return a.role == b.role && modifier(a.modifier) == modifier(b.modifier) && a.target == b.target;
}

// Whether every role of group g is one of group h.
inline bool groupWithin(const std::vector<DraftRole>& roles, std::uint32_t g, std::uint32_t h)
{
    for (const DraftRole& role : roles) {
        if (role.group != g)
            continue;
        bool found = false;
        for (const DraftRole& other : roles)
            found = found || (other.group == h && sameRole(other, role));
        if (!found)
            return false;
    }
    return true;
}

struct DraftQualifier {
    const char* name;
    const char* value;
};

inline bool operator==(const DraftQualifier& a, const DraftQualifier& b)
{
    return std::string_view(a.name) == b.name && std::string_view(a.value) == b.value;
}

struct DraftProperty {
    const char* name;
    std::size_t valueAt, valueSize; // in the draft's text
    const char* locale; // nullptr: none
    std::uint32_t qualifierCount;
    DraftQualifier qualifiers[2];
};

struct DraftAssociation {
    std::uint32_t association; // in kAssociations
    std::uint64_t target;
    DraftQualifier qualifier; // name nullptr: none
};

inline bool operator==(const DraftAssociation& a, const DraftAssociation& b)
{
    const bool qualified = a.qualifier.name != nullptr;
    return a.association == b.association && a.target == b.target
        && qualified == (b.qualifier.name != nullptr) && (!qualified || a.qualifier == b.qualifier);
}

// A random concept of the given kind before concept i; i > kind.
inline std::uint64_t earlierOfKind(Rng& rng, std::uint64_t i, std::uint32_t kind)
{
    std::uint64_t count = (i - kind + kNumKinds - 1) / kNumKinds; // kind, kind+6, ... < i
    return kind + kNumKinds * rng.below64(count);
}

// What follows the concept in the document: nothing, a second concept of
// its name (a fault), a concept the newer version adds, or a second concept
// of its code.
enum class Extra { None, Namesake, Added, Twin };

struct ConceptDraft {
    std::uint64_t index = 0;
    std::uint32_t kind = 0;
    bool root = false;
    std::string name; // as the older version has it, escaped
    std::uint32_t codeOffset = 0; // the code is C(100 + 3 index + codeOffset)
    std::uint64_t id = 0;
    const char* nameSpace = nullptr;
    const char* kindName = nullptr; // nullptr: no kind element
    bool primitive = false;
    std::vector<std::uint64_t> parents;
    std::vector<DraftRole> roles;
    std::vector<DraftProperty> properties;
    std::vector<DraftAssociation> associations;
    std::string text; // the values of the properties, escaped
    Fault fault = kNoFault;
    std::uint64_t from = 0; // the concept a fault takes from
    bool removed = false; // left out of the version
    Extra extra = Extra::None;

    void start(std::uint64_t i, std::uint32_t conceptKind, bool isRoot)
    {
        index = i;
        kind = conceptKind;
        root = isRoot;
        kindName = nullptr;
        primitive = false;
        parents.clear();
        roles.clear();
        properties.clear();
        associations.clear();
        text.clear();
        fault = kNoFault;
        removed = false;
        extra = Extra::None;
    }

    DraftProperty& addProperty(const char* propertyName, std::string_view value)
    {
        properties.push_back({ propertyName, text.size(), value.size(), nullptr, 0, {} });
        text += value;
        return properties.back();
    }
    static void addQualifier(DraftProperty& property, const char* qualifierName, const char* value)
    {
        property.qualifiers[property.qualifierCount++] = { qualifierName, value };
    }
    std::string_view value(const DraftProperty& property) const
    {
        return std::string_view(text).substr(property.valueAt, property.valueSize);
    }
};

} // namespace gen

#endif
