#ifndef QUELT_MAINTENANCE_CHANGECONTEXT_H
#define QUELT_MAINTENANCE_CHANGECONTEXT_H

#include "maintenance/Changes.h"

#include <array>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class QueltConcept;

// What the parts of the comparison of two versions share (Changes.cpp pairs
// the concepts, ConceptComparison.cpp compares a pair, DefinitionComparison.cpp
// the definitions).
namespace maintenance::changes {

enum Side { kOld = 0, kNew = 1 };

// The name of the definition registered under that id, the empty text for
// -1. Taken from the registry itself: a record's own getters answer the
// empty text for every record of their class once a name was looked up
// while the definitions were absent, as happens to a concept read before
// the first kind definition of its document.
template <class Def> const std::string& definitionName(long id)
{
    static const std::string none;
    return id < 0 ? none : Def::lookupName(id);
}

// A text that names a concept, as one version reads it: the concept's code
// when the text names one (resolved), else the text itself. Points into
// the knowledge base.
struct RefKey {
    const std::string* key;
    const std::string* name; // the named concept's name, or the text
    bool resolved;
};

inline bool operator==(const RefKey& a, const RefKey& b)
{
    return a.resolved == b.resolved && *a.key == *b.key;
}

inline bool operator<(const RefKey& a, const RefKey& b)
{
    if (a.resolved != b.resolved)
        return b.resolved;
    return *a.key < *b.key;
}

// The two versions, with what the comparison of every pair needs to know
// of both.
class Versions {
public:
    Versions(const QueltKb& older, const QueltKb& newer, const CompareOptions& givenOptions);

    const QueltKb& kb(Side side) const { return *kbs[side]; }
    const CompareOptions& options() const { return opts; }
    // Whether the field is compared: both versions hold some, or neither.
    bool compares(Uncompared field) const
    {
        for (const NotCompared& entry : uncompared) {
            if (entry.field == field)
                return false;
        }
        return true;
    }
    const std::vector<NotCompared>& notCompared() const { return uncompared; }

    // What the text names in that version.
    RefKey reference(Side side, const std::string& text) const;

    // The name id of an attribute (or the namespace or kind id of a
    // concept) of that version, as the version read alone has it: -1 when
    // the version does not define the name. Both versions are read in one
    // process and share the definition registries, so a name that only the
    // other version defines has an id there.
    long defined(DefinitionType type, Side side, long id) const
    {
        const std::vector<unsigned char>& flags = definedBy[static_cast<int>(type)];
        return id >= 0 && static_cast<std::size_t>(id) < flags.size() && (flags[id] & (1 << side))
            ? id
            : -1;
    }
    // Whether exactly one version defines the name of that id.
    bool oneSided(DefinitionType type, long id) const
    {
        const std::vector<unsigned char>& flags = definedBy[static_cast<int>(type)];
        return id >= 0 && static_cast<std::size_t>(id) < flags.size()
            && (flags[id] == 1 || flags[id] == 2);
    }

    // Texts that name concepts of other codes in the two versions (or a
    // concept in one and none in the other). Of the names of the given
    // concepts, those that do so are kept.
    void noteUnstable(const std::vector<const std::string*>& candidates);
    bool unstable(const std::string& text) const
    {
        return !unstableNames.empty() && unstableNames.count(text) != 0;
    }

private:
    const QueltKb* kbs[2];
    CompareOptions opts;
    // Per DefinitionType, by id: bit 0 the older version defines it, bit 1
    // the newer one.
    std::array<std::vector<unsigned char>, 6> definedBy;
    std::unordered_set<std::string_view> unstableNames;
    std::vector<NotCompared> uncompared;
};

// Whether the pair needs no record: every field, attribute and reference
// the same (a quick test; false may still turn out to be no change).
bool unchanged(const Versions& versions, const QueltConcept& older, const QueltConcept& newer);

// The changes of a pair, in the order ConceptChanges gives (none when they
// are the same after all).
std::vector<ConceptChange> conceptDifferences(
    const Versions& versions, const QueltConcept& older, const QueltConcept& newer);

// The records of the definitions that differ, by type, then name.
std::vector<DefinitionChanges> definitionDifferences(const Versions& versions);

// A reference as a record holds it.
Reference referenceOf(const RefKey& key);

} // namespace maintenance::changes

#endif
