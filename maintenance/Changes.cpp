#include "maintenance/Changes.h"

#include "maintenance/ChangeContext.h"
#include "maintenance/CodeIndex.h"
#include "model/QueltKb.h"

#include <algorithm>
#include <functional>
#include <map>
#include <unordered_set>
#include <utility>

namespace maintenance {

namespace {

const char* const kChangeKindNames[kChangeKindCount] = {
    "added",
    "removed",
    "renamed",
    "id-changed",
    "namespace-changed",
    "kind-changed",
    "defined-changed",
    "parent-added",
    "parent-removed",
    "role-added",
    "role-removed",
    "property-added",
    "property-removed",
    "property-changed",
    "association-added",
    "association-removed",
    "definition-added",
    "definition-removed",
    "definition-changed",
    "duplicate-code",
};

const char* const kDefinitionTypeNames[]
    = { "namespace", "kind", "role", "property", "association", "qualifier" };

const char* const kUncomparedNames[] = { "locale", "rightId" };

} // namespace

const char* changeKindName(ChangeKind kind)
{
    return kChangeKindNames[static_cast<std::size_t>(kind)];
}

const char* definitionTypeName(DefinitionType type)
{
    return kDefinitionTypeNames[static_cast<std::size_t>(type)];
}

const char* uncomparedName(Uncompared field)
{
    return kUncomparedNames[static_cast<std::size_t>(field)];
}

namespace changes {

namespace {

template <class Def>
void noteDefined(std::vector<unsigned char>& flags, const std::map<long, Def>& defs, Side side)
{
    for (const auto& entry : defs) {
        if (entry.first < 0)
            continue;
        if (flags.size() <= static_cast<std::size_t>(entry.first))
            flags.resize(entry.first + 1, 0);
        flags[entry.first] |= static_cast<unsigned char>(1 << side);
    }
}

bool holdsLocales(const QueltKb& kb)
{
    for (const auto& entry : kb.getConcepts()) {
        for (const auto& property : entry.second.getProperties()) {
            if (!property.second.getLocale().empty())
                return true;
        }
    }
    return false;
}

bool holdsRightIds(const QueltKb& kb)
{
    for (const auto& entry : kb.getRoleDefs()) {
        if (!entry.second.getRight().empty())
            return true;
    }
    return false;
}

} // namespace

Versions::Versions(const QueltKb& older, const QueltKb& newer, const CompareOptions& givenOptions)
    : kbs { &older, &newer }
    , opts(givenOptions)
{
    for (Side side : { kOld, kNew }) {
        const QueltKb& kb = *kbs[side];
        noteDefined(definedBy[static_cast<int>(DefinitionType::Namespace)], kb.getNames(), side);
        noteDefined(definedBy[static_cast<int>(DefinitionType::Kind)], kb.getKinds(), side);
        noteDefined(definedBy[static_cast<int>(DefinitionType::Role)], kb.getRoleDefs(), side);
        noteDefined(
            definedBy[static_cast<int>(DefinitionType::Property)], kb.getPropertyDefs(), side);
        noteDefined(definedBy[static_cast<int>(DefinitionType::Association)],
            kb.getAssociationDefs(), side);
        noteDefined(
            definedBy[static_cast<int>(DefinitionType::Qualifier)], kb.getQualifierDefs(), side);
    }
    const bool locales[2] = { holdsLocales(older), holdsLocales(newer) };
    if (locales[kOld] != locales[kNew])
        uncompared.push_back({ Uncompared::Locale, locales[kOld] ? Version::New : Version::Old });
    const bool rightIds[2] = { holdsRightIds(older), holdsRightIds(newer) };
    if (rightIds[kOld] != rightIds[kNew])
        uncompared.push_back({ Uncompared::RightId, rightIds[kOld] ? Version::New : Version::Old });
}

RefKey Versions::reference(Side side, const std::string& text) const
{
    const QueltKb& kb = *kbs[side];
    long id = kb.getIDFromName(text);
    if (id != -1) {
        auto it = kb.getConcepts().find(id);
        if (it != kb.getConcepts().end())
            return { &it->second.getCode(), &it->second.getName(), true };
    }
    return { &text, &text, false };
}

void Versions::noteUnstable(const std::vector<const std::string*>& candidates)
{
    for (const std::string* name : candidates) {
        if (!(reference(kOld, *name) == reference(kNew, *name)))
            unstableNames.insert(*name);
    }
}

namespace {

using CodeEntry = CodeIndex::Entry;

// Adds the names that the version may give to more than one concept (all
// that share their hash with another name): such a text names the first of
// them, which need not be the partner of the first in the other version.
// One version is enough: a name that two versions resolve differently is
// the name of a concept added, removed, renamed or of a repeated code, or
// one that both versions repeat. Hashing each name once and sorting the
// hashes costs less than looking every name up.
void noteRepeatedNames(const QueltKb& kb, std::vector<const std::string*>& candidates)
{
    std::vector<std::pair<std::size_t, const std::string*>> hashes;
    hashes.reserve(kb.getConcepts().size());
    std::hash<std::string> hash;
    for (const auto& entry : kb.getConcepts())
        hashes.emplace_back(hash(entry.second.getName()), &entry.second.getName());
    std::sort(hashes.begin(), hashes.end(),
        [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < hashes.size(); ++i) {
        if (hashes[i].first == hashes[i - 1].first) {
            candidates.push_back(hashes[i - 1].second);
            candidates.push_back(hashes[i].second);
        }
    }
}

// The concepts of both versions by code: pairs, concepts of one version
// only, codes given twice.
struct Pairing {
    std::vector<std::pair<const CodeEntry*, const CodeEntry*>> pairs;
    std::vector<const CodeEntry*> removed;
    std::vector<const CodeEntry*> added;
    std::vector<DuplicateCode> duplicates;
    // Names that may name concepts of other codes in the two versions.
    std::vector<const std::string*> unstableCandidates;
};

void noteDuplicate(Pairing& pairing, Version version, const CodeEntry* begin, const CodeEntry* end)
{
    DuplicateCode duplicate { version, *begin->code, {} };
    for (const CodeEntry* entry = begin; entry != end; ++entry) {
        duplicate.names.push_back(entry->con->getName());
        pairing.unstableCandidates.push_back(&entry->con->getName());
    }
    pairing.duplicates.push_back(std::move(duplicate));
}

// One code: the concepts of the older version [a, aEnd) and of the newer
// one [b, bEnd) that have it.
void pairCode(Pairing& pairing, const CodeEntry* a, const CodeEntry* aEnd, const CodeEntry* b,
    const CodeEntry* bEnd)
{
    std::size_t olds = aEnd - a;
    std::size_t news = bEnd - b;
    if (olds > 1)
        noteDuplicate(pairing, Version::Old, a, aEnd);
    if (news > 1)
        noteDuplicate(pairing, Version::New, b, bEnd);
    if (olds == 1 && news == 1) {
        pairing.pairs.emplace_back(a, b);
        const std::string& name = a->con->getName();
        if (name != b->con->getName()) {
            pairing.unstableCandidates.push_back(&name);
            pairing.unstableCandidates.push_back(&b->con->getName());
        }
    } else if (olds == 1 && news == 0) {
        pairing.removed.push_back(a);
        pairing.unstableCandidates.push_back(&a->con->getName());
    } else if (olds == 0 && news == 1) {
        pairing.added.push_back(b);
        pairing.unstableCandidates.push_back(&b->con->getName());
    } else if (olds == 1) {
        pairing.unstableCandidates.push_back(&a->con->getName());
    } else if (news == 1) {
        pairing.unstableCandidates.push_back(&b->con->getName());
    }
}

Pairing pairByCode(const std::vector<CodeEntry>& older, const std::vector<CodeEntry>& newer)
{
    Pairing pairing;
    const CodeEntry* a = older.data();
    const CodeEntry* aEnd = a + older.size();
    const CodeEntry* b = newer.data();
    const CodeEntry* bEnd = b + newer.size();
    while (a != aEnd || b != bEnd) {
        // The smallest code left, and how far each version has it.
        const CodeEntry* lead = b == bEnd || (a != aEnd && CodeIndex::compare(*a, *b) <= 0) ? a : b;
        const CodeEntry* a2 = a;
        while (a2 != aEnd && CodeIndex::compare(*a2, *lead) == 0)
            ++a2;
        const CodeEntry* b2 = b;
        while (b2 != bEnd && CodeIndex::compare(*b2, *lead) == 0)
            ++b2;
        pairCode(pairing, a, a2, b, b2);
        a = a2;
        b = b2;
    }
    return pairing;
}

// See ConceptChanges::branch.
std::string branchOf(const QueltKb& kb, const QueltConcept& con)
{
    const QueltConcept* top = &con;
    std::unordered_set<const QueltConcept*> passed { top };
    while (!top->getParents().empty()) {
        auto parent = kb.getConcepts().find(kb.getIDFromName(*top->getParents().begin()));
        if (parent == kb.getConcepts().end() || !passed.insert(&parent->second).second)
            break;
        top = &parent->second;
    }
    return top->getName();
}

ConceptChanges oneSided(const QueltKb& kb, const CodeEntry& entry, ChangeKind kind)
{
    ConceptChanges record { *entry.code, std::string(), std::string(), branchOf(kb, *entry.con),
        {} };
    (kind == ChangeKind::Removed ? record.oldName : record.newName) = entry.con->getName();
    record.changes.push_back({ kind, std::monostate() });
    return record;
}

// The pairs that differ, compared in the order of arrival of the older
// version, which is the order of the concepts in memory.
void comparePairs(const Versions& versions, Pairing& pairing, std::vector<ConceptChanges>& records)
{
    std::sort(pairing.pairs.begin(), pairing.pairs.end(),
        [](const auto& a, const auto& b) { return a.first->index < b.first->index; });
    for (const auto& pair : pairing.pairs) {
        const QueltConcept& older = *pair.first->con;
        const QueltConcept& newer = *pair.second->con;
        if (unchanged(versions, older, newer))
            continue;
        std::vector<ConceptChange> changes = conceptDifferences(versions, older, newer);
        if (!changes.empty())
            records.push_back({ older.getCode(), older.getName(), newer.getName(),
                branchOf(versions.kb(kNew), newer), std::move(changes) });
    }
}

void count(ChangeReport& report)
{
    for (const ConceptChanges& record : report.concepts) {
        for (const ConceptChange& change : record.changes)
            ++report.counts[static_cast<std::size_t>(change.kind)];
    }
    for (const DefinitionChanges& record : report.definitions)
        ++report.counts[static_cast<std::size_t>(record.kind)];
    report.counts[static_cast<std::size_t>(ChangeKind::DuplicateCode)]
        += static_cast<long>(report.duplicateCodes.size());
}

} // namespace

} // namespace changes

ChangeReport compareVersions(
    const QueltKb& older, const QueltKb& newer, const CompareOptions& options)
{
    using namespace changes;
    Versions versions(older, newer, options);
    CodeIndex olderCodes(older);
    CodeIndex newerCodes(newer);
    Pairing pairing = pairByCode(olderCodes.entries(), newerCodes.entries());
    noteRepeatedNames(older, pairing.unstableCandidates);
    versions.noteUnstable(pairing.unstableCandidates);

    ChangeReport report;
    report.definitions = definitionDifferences(versions);
    for (const CodeEntry* entry : pairing.removed)
        report.concepts.push_back(oneSided(older, *entry, ChangeKind::Removed));
    for (const CodeEntry* entry : pairing.added)
        report.concepts.push_back(oneSided(newer, *entry, ChangeKind::Added));
    comparePairs(versions, pairing, report.concepts);
    std::sort(report.concepts.begin(), report.concepts.end(),
        [](const ConceptChanges& a, const ConceptChanges& b) { return a.code < b.code; });
    report.duplicateCodes = std::move(pairing.duplicates);
    std::stable_sort(report.duplicateCodes.begin(), report.duplicateCodes.end(),
        [](const DuplicateCode& a, const DuplicateCode& b) { return a.version < b.version; });
    count(report);
    report.notCompared = versions.notCompared();
    return report;
}

} // namespace maintenance
