// Which concepts change and how: the draw of a concept's edits, the
// references to removed concepts taken away, the definitions changed.

#include "tools/gen/ChangePlan.h"

#include <algorithm>
#include <cstring>

namespace gen {

using maintenance::ChangeKind;
using maintenance::DefinitionType;

const char kArchiveNamespace[] = "Medvex2_Archive";
const char ChangePlan::kRenameSuffix[] = " Revised";

namespace {

// How often each edit is drawn among those that apply; regrouping applies
// to few concepts (two role groups), so it is drawn often when it does.
const std::uint32_t kEditWeights[kEdits] = {
    4, // AddConcept
    3, // RemoveConcept
    6, // Rename
    4, // NewId
    4, // NewNamespace
    4, // NewKind
    4, // FlipDefined
    5, // AddParent
    5, // DropParent
    5, // AddRole
    5, // DropRole
    5, // AddProperty
    5, // DropProperty
    8, // AlterProperty
    5, // AddAssociation
    5, // DropAssociation
    3, // ShareCode
    4, // Reorder
    400, // Regroup
    4, // Move
};

// Edits that cannot go together in one concept: each group's edits are of
// the same values, which the comparison would pair otherwise.
const Edit kExclusive[][3] = {
    { AddParent, DropParent, DropParent },
    { AddRole, DropRole, DropRole },
    { AddProperty, DropProperty, AlterProperty },
    { AddAssociation, DropAssociation, DropAssociation },
};

// The changes of one definition field each, in the comparison's order of
// fields.
struct DefinitionEdit {
    DefinitionType type;
    const char* name;
    const char* field;
    const char* before;
    const char* after;
};

const DefinitionEdit kDefinitionEdits[] = {
    { DefinitionType::Kind, "Organism_Kind", "reference", "false", "true" },
    { DefinitionType::Role, "Gene_Has_Physical_Location", "parentRole", "",
        "Gene_Product_Expressed_In_Tissue" },
    { DefinitionType::Property, "Semantic_Type", "pickListItem", "", "Enzyme" },
    { DefinitionType::Association, "Has_Component", "inverseName", "Is_Component_Of",
        "Component_Of" },
    { DefinitionType::Association, "Has_Component", "displayable", "false", "true" },
};

const char kLeftOutProperty[] = "Accepted_Therapeutic_Use_For";

} // namespace

ChangePlan::ChangePlan(const Options& options, const ConceptNaming& givenNaming)
    : rate(options.changeRate)
    , numConcepts(options.concepts)
    , naming(givenNaming)
    , rng(mix(options.changeSeed ^ 0x6368616E676573ull))
{
    if (!enabled())
        return;
    state.assign(numConcepts, 0);
    for (const DefinitionEdit& edit : kDefinitionEdits) {
        std::vector<maintenance::DefinitionChanges>& records = log.definitions;
        if (records.empty() || records.back().name != edit.name)
            records.push_back({ edit.type, edit.name, ChangeKind::DefinitionChanged, {} });
        const bool item = std::strcmp(edit.field, "pickListItem") == 0;
        records.back().fields.push_back({ edit.field, edit.before, item ? "" : edit.after });
        if (item)
            records.back().fields.back().after = edit.after;
    }
}

bool ChangePlan::change(ConceptDraft& con, bool canMove)
{
    if (!enabled())
        return false;
    const std::uint64_t i = con.index;
    state[i] = static_cast<std::uint8_t>(con.codeOffset);
    if (con.root)
        return false;
    current.changes.clear();
    dropRemovedTargets(con);
    const bool moves = rng.uniform() < rate && edit(con, canMove);
    if (!current.changes.empty()) {
        current.code = code(i);
        current.oldName = unescaped(con.name);
        current.newName.clear();
        if (!con.removed) {
            writtenName(i, scratch);
            current.newName = unescaped(scratch);
        }
        log.concepts.push_back(std::move(current));
    }
    if (con.extra == Extra::Added) {
        extraName(con, scratch);
        log.concepts.push_back({ "CN" + std::to_string(i), std::string(), unescaped(scratch),
            std::string(), { { ChangeKind::Added, std::monostate() } } });
    }
    return moves;
}

// Takes away the references to removed concepts, noting each as the
// comparison reports it: the values that go, once each.
void ChangePlan::dropRemovedTargets(ConceptDraft& con)
{
    std::vector<std::uint64_t>& parents = con.parents;
    for (std::uint64_t parent : parents) {
        if (removed(parent))
            note(ChangeKind::ParentRemoved, reference(parent, false));
    }
    parents.erase(std::remove_if(parents.begin(), parents.end(),
                      [&](std::uint64_t parent) { return removed(parent); }),
        parents.end());
    dropRemovedRoles(con);
    std::vector<DraftAssociation>& associations = con.associations;
    auto named = [&](const DraftAssociation& a) { return removed(a.target); };
    for (auto it = associations.begin(); it != associations.end(); ++it) {
        if (named(*it) && std::find(associations.begin(), it, *it) == it)
            note(ChangeKind::AssociationRemoved, associationFact(*it, false));
    }
    associations.erase(
        std::remove_if(associations.begin(), associations.end(), named), associations.end());
}

// An ungrouped role that names a removed concept goes; a group that holds
// one goes whole (a group the same as one noted already is the same group
// to the comparison).
void ChangePlan::dropRemovedRoles(ConceptDraft& con)
{
    std::vector<DraftRole>& roles = con.roles;
    bool dropped[3] = { false, false, false };
    for (const DraftRole& role : roles) {
        if (removed(role.target))
            dropped[role.group] = true;
    }
    if (!dropped[0] && !dropped[1] && !dropped[2])
        return;
    auto goes = [&](const DraftRole& role) {
        return role.group == 0 ? removed(role.target) : dropped[role.group];
    };
    const bool sameGroups
        = dropped[1] && dropped[2] && groupWithin(roles, 1, 2) && groupWithin(roles, 2, 1);
    for (auto it = roles.begin(); it != roles.end(); ++it) {
        auto earlier = [&](const DraftRole& r) { return r.group == it->group && sameRole(r, *it); };
        if (goes(*it) && std::find_if(roles.begin(), it, earlier) == it
            && !(sameGroups && it->group == 2))
            note(ChangeKind::RoleRemoved, roleFact(*it, false));
    }
    roles.erase(std::remove_if(roles.begin(), roles.end(), goes), roles.end());
}

// Draws one to three edits among those that apply and makes them; returns
// whether the concept moves.
bool ChangePlan::edit(ConceptDraft& con, bool canMove)
{
    std::uint32_t weights[kEdits];
    std::copy(std::begin(kEditWeights), std::end(kEditWeights), weights);
    const std::uint32_t r = rng.below(100);
    const std::uint32_t wanted = 1 + (r < 25 ? 1 : 0) + (r < 8 ? 1 : 0);
    bool moves = false;
    for (std::uint32_t made = 0; made < wanted;) {
        std::uint32_t total = 0;
        for (std::uint32_t w : weights)
            total += w;
        if (total == 0)
            break;
        const Edit chosen = static_cast<Edit>(weighted(rng, weights));
        weights[chosen] = 0;
        const bool alone = chosen == RemoveConcept || chosen == ShareCode;
        if ((alone && made > 0) || !apply(chosen, con, canMove))
            continue;
        ++made;
        moves = moves || chosen == Move;
        if (alone)
            break;
        weights[RemoveConcept] = weights[ShareCode] = 0;
        for (const Edit(&group)[3] : kExclusive) {
            if (std::find(std::begin(group), std::end(group), chosen) != std::end(group)) {
                for (Edit other : group)
                    weights[other] = 0;
            }
        }
    }
    return moves;
}

// Another id, one no concept of either version has.
void ChangePlan::newId(ConceptDraft& con)
{
    const std::uint64_t id = kConceptIdBase + 2 * numConcepts + con.index;
    noteText(ChangeKind::IdChanged, std::to_string(con.id), std::to_string(id));
    con.id = id;
}

bool ChangePlan::apply(Edit chosen, ConceptDraft& con, bool canMove)
{
    switch (chosen) {
    case AddConcept:
        con.extra = Extra::Added;
        return true;
    case RemoveConcept:
        con.removed = true;
        state[con.index] |= kRemoved;
        current.changes.clear();
        note(ChangeKind::Removed, std::monostate());
        return true;
    case Rename:
        rename(con);
        return true;
    case NewId:
        newId(con);
        return true;
    case NewNamespace:
        noteText(ChangeKind::NamespaceChanged, con.nameSpace, kArchiveNamespace);
        con.nameSpace = kArchiveNamespace;
        return true;
    case NewKind: {
        const char* kind = kKinds[(con.kind + 1) % kNumKinds].name;
        noteText(ChangeKind::KindChanged, con.kindName ? con.kindName : "", kind);
        con.kindName = kind;
        return true;
    }
    case FlipDefined:
        flipDefined(con);
        return true;
    case AddParent:
        return addParent(con);
    case DropParent:
        return dropParent(con);
    case AddRole:
        return addRole(con);
    case DropRole:
        return dropRole(con);
    case AddProperty:
        return addProperty(con);
    case DropProperty:
        dropProperty(con);
        return true;
    case AlterProperty:
        return alterProperty(con);
    case AddAssociation:
        return addAssociation(con);
    case DropAssociation:
        return dropAssociation(con);
    case ShareCode:
        if (!current.changes.empty())
            return false;
        shareCode(con);
        return true;
    case Reorder:
        reorder(con);
        return true;
    case Regroup:
        return regroup(con);
    case Move:
        if (canMove)
            rearranged(con, "moved");
        return canMove;
    default:
        return false;
    }
}

const char* ChangePlan::definitionField(
    DefinitionType type, std::string_view name, const char* field, const char* value) const
{
    if (!enabled())
        return value;
    for (const DefinitionEdit& edit : kDefinitionEdits) {
        if (edit.type == type && name == edit.name && std::strcmp(edit.field, field) == 0)
            return edit.after;
    }
    return value;
}

bool ChangePlan::leavesOut(DefinitionType type, std::string_view name) const
{
    return enabled() && type == DefinitionType::Property && name == kLeftOutProperty;
}

void ChangePlan::noteDefinition(DefinitionType type, const char* name, ChangeKind kind,
    const std::vector<maintenance::FieldChange>& fields)
{
    log.definitions.push_back({ type, name, kind, fields });
}

ChangeLog ChangePlan::takeLog()
{
    std::stable_sort(log.definitions.begin(), log.definitions.end(),
        [](const maintenance::DefinitionChanges& a, const maintenance::DefinitionChanges& b) {
            return a.type != b.type ? a.type < b.type : a.name < b.name;
        });
    return std::move(log);
}

} // namespace gen
