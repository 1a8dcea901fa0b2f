#include "maintenance/Compare.h"

#include "maintenance/CodeIndex.h"
#include "model/QueltKb.h"

#include <unordered_set>
#include <utility>
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
    const CodeIndex newerCodes(newer);
    forEachConcept(older, [&](const QueltConcept& con) {
        long newerId = newerCodes.find(con.getCode());
        if (newerId == -1)
            return;
        target.addConcept(con);
        target.addConcept(newer.getConcept(newerId));
    });
    return copyDefinitions(older, target);
}

void collectUniqueConcepts(const QueltKb& older, const QueltKb& newer, QueltKb& target)
{
    const CodeIndex olderCodes(older);
    const CodeIndex newerCodes(newer);
    std::vector<const QueltConcept*> removed;
    forEachConcept(older, [&](const QueltConcept& con) {
        if (newerCodes.find(con.getCode()) == -1)
            removed.push_back(&con);
    });
    std::vector<const QueltConcept*> added;
    forEachConcept(newer, [&](const QueltConcept& con) {
        if (olderCodes.find(con.getCode()) == -1)
            added.push_back(&con);
    });

    target.addConcept(QueltConcept("deleted_concepts", "C0", 0, "Zev", "Zev_Kind", true));
    for (const QueltConcept* con : removed)
        target.addConcept(*con);
    target.addConcept(QueltConcept("new_concepts", "C00", 1, "Zev", "Zev_Kind", true));
    for (const QueltConcept* con : added)
        target.addConcept(*con);
    copyDefinitions(older, target);
}

DiffCounts splitVersions(QueltKb& older, QueltKb& newer, QueltKb& shared, QueltKb& unique)
{
    const CodeIndex olderCodes(older);
    const CodeIndex newerCodes(newer);
    // By identifier: pairs of older and newer concepts, the unpaired ones.
    std::vector<std::pair<long, long>> pairs;
    std::vector<long> removed;
    std::vector<long> added;
    for (const auto& entry : older.getConcepts()) {
        const long newerId = newerCodes.find(entry.second.getCode());
        if (newerId == -1)
            removed.push_back(entry.first);
        else
            pairs.emplace_back(entry.first, newerId);
    }
    for (const auto& entry : newer.getConcepts()) {
        if (olderCodes.find(entry.second.getCode()) == -1)
            added.push_back(entry.first);
    }
    // Whether a pair is the last one to name its newer concept.
    std::vector<bool> lastPairing(pairs.size());
    std::unordered_set<long> paired;
    for (std::size_t i = pairs.size(); i-- > 0;)
        lastPairing[i] = paired.insert(pairs[i].second).second;

    shared.reserveConcepts(2 * pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        shared.addConcept(older.takeConcept(pairs[i].first));
        if (lastPairing[i])
            shared.addConcept(newer.takeConcept(pairs[i].second));
        else
            shared.addConcept(std::as_const(newer).getConcept(pairs[i].second));
    }
    copyDefinitions(older, shared);
    unique.addConcept(QueltConcept("deleted_concepts", "C0", 0, "Zev", "Zev_Kind", true));
    for (long id : removed)
        unique.addConcept(older.takeConcept(id));
    unique.addConcept(QueltConcept("new_concepts", "C00", 1, "Zev", "Zev_Kind", true));
    for (long id : added)
        unique.addConcept(newer.takeConcept(id));
    copyDefinitions(older, unique);
    copyDefinitions(newer, shared);
    copyDefinitions(newer, unique);
    return { static_cast<long>(pairs.size()), static_cast<long>(removed.size()),
        static_cast<long>(added.size()) };
}

} // namespace maintenance
