#include "maintenance/Compare.h"

#include "model/QueltKb.h"

#include <vector>

namespace maintenance {

namespace {

// Calls visit(concept) for the concepts that `kb` holds when the walk
// starts, in ascending identifier order. Concepts added meanwhile (when the
// target of a comparison is one of the compared knowledge bases) are not
// visited, so the walk always ends.
template <class Visit> void forEachConcept(const QueltKb& kb, Visit visit)
{
    const QueltKb::ConceptMap& concepts = kb.getConcepts();
    const std::size_t count = concepts.size();
    for (std::size_t i = 0; i < count; ++i)
        visit(concepts.at(i).second);
}

} // namespace

QueltKb& copyDefinitions(const QueltKb& from, QueltKb& target)
{
    for (const auto& entry : from.getNames())
        target.addNamespace(entry.second);
    for (const auto& entry : from.getKinds())
        target.addKind(entry.second);
    for (const auto& entry : from.getPropertyDefs())
        target.addPropertyDef(entry.second);
    for (const auto& entry : from.getRoleDefs())
        target.addRoleDef(entry.second);
    for (const auto& entry : from.getAssociationDefs())
        target.addAssociationDef(entry.second);
    for (const auto& entry : from.getQualifierDefs())
        target.addQualifierDef(entry.second);
    return target;
}

QueltKb& pairSharedConcepts(const QueltKb& older, const QueltKb& newer, QueltKb& target)
{
    forEachConcept(older, [&](const QueltConcept& concept) {
        long newerId = newer.getIDFromCode(concept.getCode());
        if (newerId == -1)
            return;
        target.addConcept(concept);
        target.addConcept(newer.getConcept(newerId));
    });
    return copyDefinitions(older, target);
}

void collectUniqueConcepts(const QueltKb& older, const QueltKb& newer, QueltKb& target)
{
    std::vector<const QueltConcept*> removed;
    forEachConcept(older, [&](const QueltConcept& concept) {
        if (newer.getIDFromCode(concept.getCode()) == -1)
            removed.push_back(&concept);
    });
    std::vector<const QueltConcept*> added;
    forEachConcept(newer, [&](const QueltConcept& concept) {
        if (older.getIDFromCode(concept.getCode()) == -1)
            added.push_back(&concept);
    });

    target.addConcept(QueltConcept("deleted_concepts", "C0", 0, "Zev", "Zev_Kind", true));
    for (const QueltConcept* concept : removed)
        target.addConcept(*concept);
    target.addConcept(QueltConcept("new_concepts", "C00", 1, "Zev", "Zev_Kind", true));
    for (const QueltConcept* concept : added)
        target.addConcept(*concept);
    copyDefinitions(older, target);
}

DiffCounts countDifferences(const QueltKb& older, const QueltKb& newer)
{
    DiffCounts counts;
    for (const auto& entry : older.getConcepts()) {
        if (newer.getIDFromCode(entry.second.getCode()) == -1)
            ++counts.removed;
        else
            ++counts.shared;
    }
    for (const auto& entry : newer.getConcepts()) {
        if (older.getIDFromCode(entry.second.getCode()) == -1)
            ++counts.added;
    }
    return counts;
}

} // namespace maintenance
