// Comparing two versions of a terminology by concept code.

#include "model/QueltKb.h"

#include <vector>

namespace {

// Calls visit(id, concept) for the concepts that `kb` holds when the walk
// starts, in ascending identifier order. Concepts added meanwhile (when the
// target of a comparison is one of the compared knowledge bases) are not
// visited, so the walk always ends.
template <class Visit> void forEachConcept(const QueltKb& kb, Visit visit)
{
    const QueltKb::ConceptMap& concepts = kb.getConcepts();
    if (concepts.empty())
        return;
    long last = concepts.rbegin()->first;
    for (auto it = concepts.begin(); it != concepts.end() && it->first <= last; ++it)
        visit(it->second);
}

} // namespace

QueltKb& QueltKb::copyDefsTo(QueltKb& target) const
{
    for (const auto& entry : kbNames)
        target.addNamespace(entry.second);
    for (const auto& entry : kbKinds)
        target.addKind(entry.second);
    for (const auto& entry : kbProps)
        target.addPropertyDef(entry.second);
    for (const auto& entry : kbRoles)
        target.addRoleDef(entry.second);
    for (const auto& entry : kbAssocs)
        target.addAssociationDef(entry.second);
    for (const auto& entry : kbQuals)
        target.addQualifierDef(entry.second);
    return target;
}

QueltKb& QueltKb::diff_Concepts(QueltKb& other, QueltKb& target) const
{
    forEachConcept(*this, [&](const QueltConcept& concept) {
        long otherId = other.getIDFromCode(concept.getCode());
        if (otherId == -1)
            return;
        target.addConcept(concept);
        target.addConcept(other.getConcept(otherId));
    });
    return copyDefsTo(target);
}

void QueltKb::unique_Concepts(const QueltKb& other, QueltKb& target) const
{
    std::vector<const QueltConcept*> removed;
    forEachConcept(*this, [&](const QueltConcept& concept) {
        if (other.getIDFromCode(concept.getCode()) == -1)
            removed.push_back(&concept);
    });
    std::vector<const QueltConcept*> added;
    forEachConcept(other, [&](const QueltConcept& concept) {
        if (getIDFromCode(concept.getCode()) == -1)
            added.push_back(&concept);
    });

    target.addConcept(QueltConcept("deleted_concepts", "C0", 0, "Zev", "Zev_Kind", true));
    for (const QueltConcept* concept : removed)
        target.addConcept(*concept);
    target.addConcept(QueltConcept("new_concepts", "C00", 1, "Zev", "Zev_Kind", true));
    for (const QueltConcept* concept : added)
        target.addConcept(*concept);
    copyDefsTo(target);
}
