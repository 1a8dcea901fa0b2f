// Comparing one concept of the older version with the concept of the same
// code in the newer one: first a quick test of the fields as stored, then,
// for the few pairs it does not clear, the comparison of what they say.

#include "maintenance/ChangeContext.h"

#include "model/QueltAssociationDef.h"
#include "model/QueltConcept.h"
#include "model/QueltKb.h"
#include "model/QueltKind.h"
#include "model/QueltName.h"
#include "model/QueltPropertyDef.h"
#include "model/QueltQualifierDef.h"
#include "model/QueltRoleDef.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace maintenance::changes {

namespace {

using Type = DefinitionType;

const std::string kNoText;

// ---- The quick test: the same fields, stored alike, naming the same.

bool sameId(const Versions& versions, Type type, long a, long b)
{
    return a == b && !versions.oneSided(type, a);
}

bool sameQualifiers(const Versions& versions, const std::vector<QueltQualifier>& a,
    const std::vector<QueltQualifier>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!sameId(versions, Type::Qualifier, a[i].getNameID(), b[i].getNameID())
            || a[i].getValue() != b[i].getValue())
            return false;
    }
    return true;
}

bool sameRole(const Versions& versions, const QueltRole& a, const QueltRole& b)
{
    return sameId(versions, Type::Role, a.getNameID(), b.getNameID())
        && a.getValue() == b.getValue() && a.modifier() == b.modifier()
        && a.getRolegroup() == b.getRolegroup() && !versions.unstable(a.getValue());
}

bool sameProperty(const Versions& versions, const QueltProperty& a, const QueltProperty& b)
{
    return sameId(versions, Type::Property, a.getNameID(), b.getNameID())
        && a.getValue() == b.getValue()
        && (a.getLocale() == b.getLocale() || !versions.compares(Uncompared::Locale))
        && sameQualifiers(versions, a.getQualifiers(), b.getQualifiers());
}

bool sameAssociation(const Versions& versions, const QueltAssociation& a, const QueltAssociation& b)
{
    return sameId(versions, Type::Association, a.getNameID(), b.getNameID())
        && a.getValue() == b.getValue() && !versions.unstable(a.getValue())
        && sameQualifiers(versions, a.getQualifiers(), b.getQualifiers());
}

template <class List, class Same> bool sameLists(const List& a, const List& b, Same same)
{
    if (a.size() != b.size())
        return false;
    auto other = b.begin();
    for (const auto& entry : a) {
        if (!same(entry.second, (other++)->second))
            return false;
    }
    return true;
}

// ---- What a concept says, in sets of keys that compare across versions.

struct QualKey {
    long name;
    const QueltQualifier* qualifier;
};

bool operator<(const QualKey& a, const QualKey& b)
{
    return std::tie(a.name, a.qualifier->getValue()) < std::tie(b.name, b.qualifier->getValue());
}

bool operator==(const QualKey& a, const QualKey& b)
{
    return a.name == b.name && a.qualifier->getValue() == b.qualifier->getValue();
}

struct RoleKey {
    long name;
    long modifier;
    RefKey target;
    const QueltRole* role;
};

bool operator<(const RoleKey& a, const RoleKey& b)
{
    return std::tie(a.name, a.modifier, a.target) < std::tie(b.name, b.modifier, b.target);
}

bool operator==(const RoleKey& a, const RoleKey& b)
{
    return a.name == b.name && a.modifier == b.modifier && a.target == b.target;
}

struct PropKey {
    long name;
    const std::string* locale; // empty when locales are not compared
    std::vector<QualKey> qualifiers;
    const QueltProperty* property;
};

bool operator<(const PropKey& a, const PropKey& b)
{
    return std::tie(a.name, a.property->getValue(), *a.locale, a.qualifiers)
        < std::tie(b.name, b.property->getValue(), *b.locale, b.qualifiers);
}

bool operator==(const PropKey& a, const PropKey& b)
{
    return !(a < b) && !(b < a);
}

struct AssocKey {
    long name;
    RefKey target;
    std::vector<QualKey> qualifiers;
    const QueltAssociation* association;
};

bool operator<(const AssocKey& a, const AssocKey& b)
{
    return std::tie(a.name, a.target, a.qualifiers) < std::tie(b.name, b.target, b.qualifiers);
}

bool operator==(const AssocKey& a, const AssocKey& b)
{
    return !(a < b) && !(b < a);
}

template <class Key> void makeSet(std::vector<Key>& keys)
{
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
}

// Calls gone(a) for each key of a that b lacks and came(b) for each of b
// that a lacks; both sorted.
template <class Key, class Gone, class Came>
void difference(const std::vector<Key>& a, const std::vector<Key>& b, Gone gone, Came came)
{
    auto i = a.begin();
    auto j = b.begin();
    while (i != a.end() || j != b.end()) {
        if (j == b.end() || (i != a.end() && *i < *j))
            gone(*i++);
        else if (i == a.end() || *j < *i)
            came(*j++);
        else
            ++i, ++j;
    }
}

// One side of the pair, read into keys.
class SideReader {
public:
    SideReader(const Versions& givenVersions, Side givenSide)
        : versions(givenVersions)
        , side(givenSide)
    {
    }

    long id(Type type, long nameId) const { return versions.defined(type, side, nameId); }

    std::vector<QualKey> qualifiers(const std::vector<QueltQualifier>& list) const
    {
        std::vector<QualKey> keys;
        keys.reserve(list.size());
        for (const QueltQualifier& qualifier : list)
            keys.push_back({ id(Type::Qualifier, qualifier.getNameID()), &qualifier });
        makeSet(keys);
        return keys;
    }

    std::vector<RefKey> parents(const QueltConcept& con) const
    {
        std::vector<RefKey> keys;
        for (const std::string& parent : con.getParents())
            keys.push_back(versions.reference(side, parent));
        makeSet(keys);
        return keys;
    }

    RoleKey role(const QueltRole& role) const
    {
        return { id(Type::Role, role.getNameID()), role.modifier().getModifier(),
            versions.reference(side, role.getValue()), &role };
    }

    std::vector<PropKey> properties(const QueltConcept& con) const
    {
        std::vector<PropKey> keys;
        for (const auto& entry : con.getProperties()) {
            const QueltProperty& property = entry.second;
            keys.push_back({ id(Type::Property, property.getNameID()),
                versions.compares(Uncompared::Locale) ? &property.getLocale() : &kNoText,
                qualifiers(property.getQualifiers()), &property });
        }
        makeSet(keys);
        return keys;
    }

    std::vector<AssocKey> associations(const QueltConcept& con) const
    {
        std::vector<AssocKey> keys;
        for (const auto& entry : con.getAssociations()) {
            const QueltAssociation& association = entry.second;
            keys.push_back({ id(Type::Association, association.getNameID()),
                versions.reference(side, association.getValue()),
                qualifiers(association.getQualifiers()), &association });
        }
        makeSet(keys);
        return keys;
    }

    const Versions& versions;
    const Side side;
};

// The roles of a concept: the set of ungrouped ones and the set of groups,
// each group a set of roles.
struct RoleSets {
    std::vector<RoleKey> ungrouped;
    std::vector<std::vector<RoleKey>> groups;
};

RoleSets roleSets(const SideReader& reader, const QueltConcept& con)
{
    std::vector<std::pair<long, RoleKey>> all;
    for (const auto& entry : con.getRoles())
        all.emplace_back(entry.second.getRolegroup(), reader.role(entry.second));
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    });
    RoleSets sets;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].first == 0) {
            sets.ungrouped.push_back(all[i].second);
            continue;
        }
        if (i == 0 || all[i - 1].first != all[i].first)
            sets.groups.emplace_back();
        sets.groups.back().push_back(all[i].second);
    }
    makeSet(sets.ungrouped);
    for (std::vector<RoleKey>& group : sets.groups)
        makeSet(group);
    makeSet(sets.groups);
    return sets;
}

std::size_t overlap(const std::vector<RoleKey>& a, const std::vector<RoleKey>& b)
{
    std::size_t count = 0;
    for (auto i = a.begin(), j = b.begin(); i != a.end() && j != b.end();) {
        if (*i < *j)
            ++i;
        else if (*j < *i)
            ++j;
        else
            ++count, ++i, ++j;
    }
    return count;
}

// ---- Records.

std::vector<Qualifier> qualifierFacts(const std::vector<QualKey>& keys)
{
    std::vector<Qualifier> facts;
    for (const QualKey& key : keys)
        facts.push_back({ definitionName<QueltQualifierDef>(key.name), key.qualifier->getValue() });
    return facts;
}

RoleFact roleFact(const RoleKey& key)
{
    return { definitionName<QueltRoleDef>(key.name), key.role->modifier().name(),
        referenceOf(key.target), key.role->getRolegroup() };
}

PropertyFact propertyFact(const PropKey& key)
{
    const QueltProperty& property = *key.property;
    return { definitionName<QueltPropertyDef>(key.name), property.getValue(), property.getLocale(),
        qualifierFacts(key.qualifiers) };
}

AssociationFact associationFact(const AssocKey& key)
{
    return { definitionName<QueltAssociationDef>(key.name), referenceOf(key.target),
        qualifierFacts(key.qualifiers) };
}

// The changes of one pair, gathered kind by kind.
class PairComparison {
public:
    PairComparison(
        const Versions& versions, const QueltConcept& givenOlder, const QueltConcept& givenNewer)
        : older(givenOlder)
        , newer(givenNewer)
        , oldSide(versions, kOld)
        , newSide(versions, kNew)
    {
    }

    std::vector<ConceptChange> run()
    {
        fields();
        parents();
        roles();
        properties();
        associations();
        return std::move(changes);
    }

private:
    template <class Detail> void add(ChangeKind kind, Detail&& detail)
    {
        changes.push_back({ kind, std::forward<Detail>(detail) });
    }
    void text(ChangeKind kind, const std::string& before, const std::string& after)
    {
        if (before != after)
            add(kind, TextChange { before, after });
    }
    template <class Def> const std::string& nameOf(const SideReader& side, Type type, long id)
    {
        return definitionName<Def>(side.id(type, id));
    }

    void fields();
    void parents();
    void roles();
    void roleDifference(const std::vector<RoleKey>& before, const std::vector<RoleKey>& after);
    void groupDifference(
        std::vector<std::vector<RoleKey>> gone, std::vector<std::vector<RoleKey>> came);
    void properties();
    void propertiesOfOneName(std::vector<const PropKey*>& gone, std::vector<const PropKey*>& came);
    void associations();

    const QueltConcept& older;
    const QueltConcept& newer;
    SideReader oldSide;
    SideReader newSide;
    std::vector<ConceptChange> changes;
};

void PairComparison::fields()
{
    text(ChangeKind::Renamed, older.getName(), newer.getName());
    if (!oldSide.versions.options().ignoreIds)
        text(ChangeKind::IdChanged, std::to_string(older.getID()), std::to_string(newer.getID()));
    text(ChangeKind::NamespaceChanged,
        nameOf<QueltName>(oldSide, Type::Namespace, older.getNamespaceID()),
        nameOf<QueltName>(newSide, Type::Namespace, newer.getNamespaceID()));
    text(ChangeKind::KindChanged, nameOf<QueltKind>(oldSide, Type::Kind, older.getKindID()),
        nameOf<QueltKind>(newSide, Type::Kind, newer.getKindID()));
    auto state = [](bool defined) { return std::string(defined ? "defined" : "primitive"); };
    text(ChangeKind::DefinedChanged, state(older.getState()), state(newer.getState()));
}

void PairComparison::parents()
{
    difference(
        oldSide.parents(older), newSide.parents(newer),
        [&](const RefKey& key) { add(ChangeKind::ParentRemoved, referenceOf(key)); },
        [&](const RefKey& key) { add(ChangeKind::ParentAdded, referenceOf(key)); });
}

void PairComparison::roleDifference(
    const std::vector<RoleKey>& before, const std::vector<RoleKey>& after)
{
    difference(
        before, after, [&](const RoleKey& key) { add(ChangeKind::RoleRemoved, roleFact(key)); },
        [&](const RoleKey& key) { add(ChangeKind::RoleAdded, roleFact(key)); });
}

// Groups that are in one version only: each paired with the group of the
// other that shares the most roles with it, most first, and compared role by
// role; the rest removed or added whole.
void PairComparison::groupDifference(
    std::vector<std::vector<RoleKey>> gone, std::vector<std::vector<RoleKey>> came)
{
    static const std::vector<RoleKey> none;
    for (;;) {
        std::size_t best = 0, bestGone = 0, bestCame = 0;
        for (std::size_t i = 0; i < gone.size(); ++i) {
            for (std::size_t j = 0; j < came.size(); ++j) {
                std::size_t shared = overlap(gone[i], came[j]);
                if (shared > best)
                    best = shared, bestGone = i, bestCame = j;
            }
        }
        if (best == 0)
            break;
        roleDifference(gone[bestGone], came[bestCame]);
        gone.erase(gone.begin() + bestGone);
        came.erase(came.begin() + bestCame);
    }
    for (const std::vector<RoleKey>& group : gone)
        roleDifference(group, none);
    for (const std::vector<RoleKey>& group : came)
        roleDifference(none, group);
}

void PairComparison::roles()
{
    RoleSets before = roleSets(oldSide, older);
    RoleSets after = roleSets(newSide, newer);
    roleDifference(before.ungrouped, after.ungrouped);
    std::vector<std::vector<RoleKey>> gone, came;
    difference(
        before.groups, after.groups,
        [&](const std::vector<RoleKey>& group) { gone.push_back(group); },
        [&](const std::vector<RoleKey>& group) { came.push_back(group); });
    groupDifference(std::move(gone), std::move(came));
}

// Values of one name in one version only: those whose text stays are
// changed in place (their locale or qualifiers), and so is a single value
// left on each side; the rest are removed or added.
void PairComparison::propertiesOfOneName(
    std::vector<const PropKey*>& gone, std::vector<const PropKey*>& came)
{
    auto changed = [&](const PropKey* before, const PropKey* after) {
        add(ChangeKind::PropertyChanged,
            PropertyChange { propertyFact(*before), propertyFact(*after) });
    };
    for (auto i = gone.begin(); i != gone.end();) {
        auto same = std::find_if(came.begin(), came.end(), [&](const PropKey* key) {
            return key->property->getValue() == (*i)->property->getValue();
        });
        if (same == came.end()) {
            ++i;
            continue;
        }
        changed(*i, *same);
        came.erase(same);
        i = gone.erase(i);
    }
    if (gone.size() == 1 && came.size() == 1) {
        changed(gone.front(), came.front());
        return;
    }
    for (const PropKey* key : gone)
        add(ChangeKind::PropertyRemoved, propertyFact(*key));
    for (const PropKey* key : came)
        add(ChangeKind::PropertyAdded, propertyFact(*key));
}

void PairComparison::properties()
{
    std::vector<const PropKey*> gone, came;
    std::vector<PropKey> before = oldSide.properties(older);
    std::vector<PropKey> after = newSide.properties(newer);
    difference(
        before, after, [&](const PropKey& key) { gone.push_back(&key); },
        [&](const PropKey& key) { came.push_back(&key); });
    // Both in the order of the name ids, the same in the two versions.
    auto g = gone.begin();
    auto c = came.begin();
    while (g != gone.end() || c != came.end()) {
        long name = g == gone.end() ? (*c)->name
            : c == came.end()       ? (*g)->name
                                    : std::min((*g)->name, (*c)->name);
        std::vector<const PropKey*> goneOfName, cameOfName;
        for (; g != gone.end() && (*g)->name == name; ++g)
            goneOfName.push_back(*g);
        for (; c != came.end() && (*c)->name == name; ++c)
            cameOfName.push_back(*c);
        propertiesOfOneName(goneOfName, cameOfName);
    }
}

void PairComparison::associations()
{
    difference(
        oldSide.associations(older), newSide.associations(newer),
        [&](const AssocKey& key) { add(ChangeKind::AssociationRemoved, associationFact(key)); },
        [&](const AssocKey& key) { add(ChangeKind::AssociationAdded, associationFact(key)); });
}

// ---- The order of the changes in a record.

void appendKey(std::string& key, const std::string& text)
{
    key += text;
    key += '\x1f';
}

void appendReference(std::string& key, const Reference& reference)
{
    appendKey(key, reference.resolved ? reference.code : reference.name);
    appendKey(key, reference.name);
}

void appendQualifiers(std::string& key, const std::vector<Qualifier>& qualifiers)
{
    for (const Qualifier& qualifier : qualifiers) {
        appendKey(key, qualifier.name);
        appendKey(key, qualifier.value);
    }
}

void appendProperty(std::string& key, const PropertyFact& property)
{
    appendKey(key, property.name);
    appendKey(key, property.value);
    appendKey(key, property.locale);
    appendQualifiers(key, property.qualifiers);
}

// Every text of the change, so that the order depends on nothing else.
std::string orderKey(const ConceptChange& change)
{
    std::string key;
    if (const auto* parent = std::get_if<Reference>(&change.detail)) {
        appendReference(key, *parent);
    } else if (const auto* role = std::get_if<RoleFact>(&change.detail)) {
        appendKey(key, role->name);
        appendReference(key, role->target);
        appendKey(key, role->modifier);
        appendKey(key, std::to_string(role->group));
    } else if (const auto* property = std::get_if<PropertyFact>(&change.detail)) {
        appendProperty(key, *property);
    } else if (const auto* changed = std::get_if<PropertyChange>(&change.detail)) {
        appendProperty(key, changed->before);
        appendProperty(key, changed->after);
    } else if (const auto* association = std::get_if<AssociationFact>(&change.detail)) {
        appendKey(key, association->name);
        appendReference(key, association->target);
        appendQualifiers(key, association->qualifiers);
    }
    return key;
}

} // namespace

bool unchanged(const Versions& versions, const QueltConcept& older, const QueltConcept& newer)
{
    if (older.getName() != newer.getName() || older.getState() != newer.getState()
        || (!versions.options().ignoreIds && older.getID() != newer.getID())
        || !sameId(versions, Type::Namespace, older.getNamespaceID(), newer.getNamespaceID())
        || !sameId(versions, Type::Kind, older.getKindID(), newer.getKindID())
        || !(older.getParents() == newer.getParents()))
        return false;
    for (const std::string& parent : older.getParents()) {
        if (versions.unstable(parent))
            return false;
    }
    auto role = [&](const QueltRole& a, const QueltRole& b) { return sameRole(versions, a, b); };
    auto property = [&](const QueltProperty& a, const QueltProperty& b) {
        return sameProperty(versions, a, b);
    };
    auto association = [&](const QueltAssociation& a, const QueltAssociation& b) {
        return sameAssociation(versions, a, b);
    };
    return sameLists(older.getRoles(), newer.getRoles(), role)
        && sameLists(older.getProperties(), newer.getProperties(), property)
        && sameLists(older.getAssociations(), newer.getAssociations(), association);
}

std::vector<ConceptChange> conceptDifferences(
    const Versions& versions, const QueltConcept& older, const QueltConcept& newer)
{
    std::vector<ConceptChange> changes = PairComparison(versions, older, newer).run();
    std::vector<std::pair<std::string, std::size_t>> order;
    for (std::size_t i = 0; i < changes.size(); ++i)
        order.emplace_back(orderKey(changes[i]), i);
    std::stable_sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
        return std::tie(changes[a.second].kind, a.first)
            < std::tie(changes[b.second].kind, b.first);
    });
    std::vector<ConceptChange> sorted;
    sorted.reserve(changes.size());
    for (const auto& entry : order)
        sorted.push_back(std::move(changes[entry.second]));
    return sorted;
}

Reference referenceOf(const RefKey& key)
{
    return { key.resolved, key.resolved ? *key.key : std::string(), *key.name };
}

} // namespace maintenance::changes
