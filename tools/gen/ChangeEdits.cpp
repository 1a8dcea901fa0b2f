// The edits of one concept, each noted as the comparison of the two
// versions reports it.

#include "tools/gen/ChangePlan.h"

#include <algorithm>
#include <cstring>

namespace gen {

using maintenance::ChangeKind;

namespace {

std::string_view textOf(const char* text)
{
    return text ? text : "";
}

// A property value as the comparison tells them apart.
bool sameProperty(const ConceptDraft& con, const DraftProperty& a, const DraftProperty& b)
{
    if (std::strcmp(a.name, b.name) != 0 || con.value(a) != con.value(b)
        || textOf(a.locale) != textOf(b.locale) || a.qualifierCount != b.qualifierCount)
        return false;
    return std::equal(a.qualifiers, a.qualifiers + a.qualifierCount, b.qualifiers);
}

bool sameUngroupedRole(const DraftRole& a, const DraftRole& b)
{
    return a.group == 0 && b.group == 0 && sameRole(a, b);
}

const char* const kModifierNames[] = { "some", "all", "poss", "some" };

} // namespace

void ChangePlan::rename(const ConceptDraft& con)
{
    state[con.index] |= kRenamed;
    noteText(ChangeKind::Renamed, con.name, con.name + kRenameSuffix);
}

void ChangePlan::flipDefined(ConceptDraft& con)
{
    auto stateOf = [](bool primitive) { return primitive ? "primitive" : "defined"; };
    noteText(ChangeKind::DefinedChanged, stateOf(con.primitive), stateOf(!con.primitive));
    con.primitive = !con.primitive;
}

bool ChangePlan::addParent(ConceptDraft& con)
{
    for (int tries = 0; tries < 4; ++tries) {
        const std::uint64_t parent = earlierOfKind(rng, con.index, con.kind);
        if (removed(parent)
            || std::find(con.parents.begin(), con.parents.end(), parent) != con.parents.end())
            continue;
        con.parents.push_back(parent);
        note(ChangeKind::ParentAdded, reference(parent, true));
        return true;
    }
    return false;
}

bool ChangePlan::dropParent(ConceptDraft& con)
{
    if (con.parents.empty())
        return false;
    auto gone = con.parents.begin() + rng.below(static_cast<std::uint32_t>(con.parents.size()));
    note(ChangeKind::ParentRemoved, reference(*gone, false));
    con.parents.erase(gone);
    return true;
}

// A role in no group, of a name, modifier and target no such role has.
bool ChangePlan::addRole(ConceptDraft& con)
{
    const std::vector<std::uint32_t>& names = rolesOfDomain(con.kind);
    const std::uint32_t role = names[rng.below(static_cast<std::uint32_t>(names.size()))];
    for (int tries = 0; tries < 4; ++tries) {
        const DraftRole added { role, kSome, earlierOfKind(rng, con.index, kRoles[role].range), 0 };
        if (removed(added.target)
            || std::any_of(con.roles.begin(), con.roles.end(),
                [&](const DraftRole& r) { return sameUngroupedRole(r, added); }))
            continue;
        con.roles.push_back(added);
        note(ChangeKind::RoleAdded, roleFact(added, true));
        return true;
    }
    return false;
}

// A role in no group, with every copy of it.
bool ChangePlan::dropRole(ConceptDraft& con)
{
    std::vector<DraftRole>& roles = con.roles;
    const auto ungrouped = std::count_if(
        roles.begin(), roles.end(), [](const DraftRole& r) { return r.group == 0; });
    if (ungrouped == 0)
        return false;
    std::uint32_t k = rng.below(static_cast<std::uint32_t>(ungrouped));
    const DraftRole gone = *std::find_if(
        roles.begin(), roles.end(), [&](const DraftRole& r) { return r.group == 0 && k-- == 0; });
    note(ChangeKind::RoleRemoved, roleFact(gone, false));
    roles.erase(std::remove_if(roles.begin(), roles.end(),
                    [&](const DraftRole& r) { return sameUngroupedRole(r, gone); }),
        roles.end());
    return true;
}

// A status, or a synonym, that the older version never gives.
bool ChangePlan::addProperty(ConceptDraft& con)
{
    if (rng.below(2) == 0) {
        const std::vector<const char*>& items = kProperties[kConceptStatus].pickList;
        con.addProperty(kProperties[kConceptStatus].name,
            items[rng.below(static_cast<std::uint32_t>(items.size()))]);
    } else {
        scratch = con.name + ", NOS";
        DraftProperty& synonym = con.addProperty("FULL_SYN", scratch);
        ConceptDraft::addQualifier(synonym, "Syn_Term_Type", "SY");
        ConceptDraft::addQualifier(synonym, "Syn_Source", pick(rng, kSources));
    }
    note(ChangeKind::PropertyAdded, propertyFact(con, con.properties.back()));
    return true;
}

// A property value, with every copy of it.
void ChangePlan::dropProperty(ConceptDraft& con)
{
    std::vector<DraftProperty>& properties = con.properties;
    const DraftProperty gone = properties[rng.below(static_cast<std::uint32_t>(properties.size()))];
    note(ChangeKind::PropertyRemoved, propertyFact(con, gone));
    properties.erase(std::remove_if(properties.begin(), properties.end(),
                         [&](const DraftProperty& p) { return sameProperty(con, p, gone); }),
        properties.end());
}

// A property value, with every copy of it, given another source, a locale
// or another text, into a value the concept does not hold.
bool ChangePlan::alterProperty(ConceptDraft& con)
{
    std::vector<DraftProperty>& properties = con.properties;
    const DraftProperty before
        = properties[rng.below(static_cast<std::uint32_t>(properties.size()))];
    DraftProperty after = before;
    const std::uint32_t how = rng.below(3);
    const char* const* source = after.qualifierCount == 0
        ? std::end(kSources)
        : std::find_if(std::begin(kSources), std::end(kSources), [&](const char* s) {
              return std::strcmp(s, after.qualifiers[after.qualifierCount - 1].value) == 0;
          });
    if (how == 0 && source != std::end(kSources)) {
        const std::size_t at = static_cast<std::size_t>(source - std::begin(kSources));
        after.qualifiers[after.qualifierCount - 1].value
            = kSources[(at + 1 + rng.below(countOf(kSources) - 1)) % countOf(kSources)];
    } else if (how == 1 && after.locale == nullptr) {
        after.locale = "en";
    } else {
        if (std::strcmp(after.name, kProperties[kSemanticType].name) == 0) {
            const std::vector<const char*>& items = kProperties[kSemanticType].pickList;
            scratch = items[rng.below(static_cast<std::uint32_t>(items.size()))];
        } else {
            scratch.assign(con.value(before));
            scratch += " (revised)";
        }
        after.valueAt = con.text.size();
        after.valueSize = scratch.size();
        con.text += scratch;
    }
    for (const DraftProperty& property : properties) {
        if (sameProperty(con, property, after))
            return false;
    }
    for (DraftProperty& property : properties) {
        if (sameProperty(con, property, before))
            property = after;
    }
    note(ChangeKind::PropertyChanged,
        maintenance::PropertyChange { propertyFact(con, before), propertyFact(con, after) });
    return true;
}

// An association without qualifiers that the concept does not have.
bool ChangePlan::addAssociation(ConceptDraft& con)
{
    const std::uint32_t association = rng.below(countOf(kAssociations));
    for (int tries = 0; tries < 4; ++tries) {
        const DraftAssociation added { association, rng.below64(con.index), {} };
        if (removed(added.target)
            || std::find(con.associations.begin(), con.associations.end(), added)
                != con.associations.end())
            continue;
        con.associations.push_back(added);
        note(ChangeKind::AssociationAdded, associationFact(added, true));
        return true;
    }
    return false;
}

// An association, with every copy of it.
bool ChangePlan::dropAssociation(ConceptDraft& con)
{
    std::vector<DraftAssociation>& associations = con.associations;
    if (associations.empty())
        return false;
    const DraftAssociation gone
        = associations[rng.below(static_cast<std::uint32_t>(associations.size()))];
    note(ChangeKind::AssociationRemoved, associationFact(gone, false));
    associations.erase(
        std::remove(associations.begin(), associations.end(), gone), associations.end());
    return true;
}

void ChangePlan::shareCode(ConceptDraft& con)
{
    con.extra = Extra::Twin;
    extraName(con, scratch);
    log.duplicateCodes.push_back({ maintenance::Version::New, code(con.index),
        { unescaped(con.name), unescaped(scratch) } });
}

void ChangePlan::extraName(const ConceptDraft& con, std::string& to)
{
    to = con.name;
    to += con.extra == Extra::Added ? " Variant" : " Twin";
}

// The two role groups in the other order, so that each takes the other's
// number (when they differ: else nothing would).
bool ChangePlan::regroup(ConceptDraft& con)
{
    std::vector<DraftRole>& roles = con.roles;
    auto inGroup = [](std::uint32_t g) { return [g](const DraftRole& r) { return r.group == g; }; };
    if (std::none_of(roles.begin(), roles.end(), inGroup(1))
        || std::none_of(roles.begin(), roles.end(), inGroup(2))
        || (groupWithin(roles, 1, 2) && groupWithin(roles, 2, 1)))
        return false;
    auto grouped = [](const DraftRole& r) { return r.group != 0; };
    auto first = std::find_if(roles.begin(), roles.end(), grouped);
    auto last = std::find_if(roles.rbegin(), roles.rend(), grouped).base();
    std::stable_sort(
        first, last, [](const DraftRole& a, const DraftRole& b) { return a.group > b.group; });
    rearranged(con, "regrouped");
    return true;
}

// The parents, properties, associations and roles in no group in the
// reverse order.
void ChangePlan::reorder(ConceptDraft& con)
{
    std::reverse(con.parents.begin(), con.parents.end());
    std::reverse(con.properties.begin(), con.properties.end());
    std::reverse(con.associations.begin(), con.associations.end());
    std::vector<DraftRole*> ungrouped;
    for (DraftRole& role : con.roles) {
        if (role.group == 0)
            ungrouped.push_back(&role);
    }
    for (std::size_t a = 0, b = ungrouped.size(); a + 1 < b; ++a, --b)
        std::swap(*ungrouped[a], *ungrouped[b - 1]);
    rearranged(con, "reordered");
}

// --- records -----------------------------------------------------------

std::string ChangePlan::code(std::uint64_t i) const
{
    return "C" + std::to_string(100 + 3 * i + (state[i] & kCodeOffset));
}

maintenance::Reference ChangePlan::reference(std::uint64_t i, bool newer) const
{
    std::string name;
    if (newer)
        writtenName(i, name);
    else
        naming.name(i, name);
    return { true, code(i), unescaped(name) };
}

maintenance::RoleFact ChangePlan::roleFact(const DraftRole& role, bool newer) const
{
    return { kRoles[role.role].name, kModifierNames[role.modifier], reference(role.target, newer),
        static_cast<long>(role.group) };
}

maintenance::PropertyFact ChangePlan::propertyFact(
    const ConceptDraft& con, const DraftProperty& property)
{
    maintenance::PropertyFact fact { property.name, unescaped(con.value(property)),
        std::string(textOf(property.locale)), {} };
    for (std::uint32_t q = 0; q < property.qualifierCount; ++q)
        fact.qualifiers.push_back(
            { property.qualifiers[q].name, unescaped(property.qualifiers[q].value) });
    return fact;
}

maintenance::AssociationFact ChangePlan::associationFact(
    const DraftAssociation& association, bool newer) const
{
    maintenance::AssociationFact fact { kAssociations[association.association].name,
        reference(association.target, newer), {} };
    if (association.qualifier.name)
        fact.qualifiers.push_back(
            { association.qualifier.name, unescaped(association.qualifier.value) });
    return fact;
}

void ChangePlan::noteText(ChangeKind kind, std::string before, std::string after)
{
    note(kind, maintenance::TextChange { unescaped(before), unescaped(after) });
}

void ChangePlan::rearranged(const ConceptDraft& con, const char* how)
{
    log.rearrangements.push_back({ code(con.index), how });
}

} // namespace gen
