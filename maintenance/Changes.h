#ifndef QUELT_MAINTENANCE_CHANGES_H
#define QUELT_MAINTENANCE_CHANGES_H

#include <array>
#include <cstddef>
#include <string>
#include <variant>
#include <vector>

class QueltKb;

// What changed from one version of a terminology to the next, as records:
// one per concept that differs, one per definition that differs, one per
// code that a version gives to more than one concept, and the count of
// each kind of change.
//
// Concepts are paired by code, definitions by name. A concept named by a
// parent, role or association is compared by the code of the concept its
// text names in its own version, so renaming a concept is a change of that
// concept alone; a text that names no concept is compared as text. Roles
// compare as the set of ungrouped roles and the set of role groups (a group
// is the set of its roles, whatever its number); parents, roles,
// properties, associations and qualifiers as sets (a value given twice
// counts once), in no order. An attribute whose name its own version does
// not define counts as nameless, as the model keeps it when that version is
// read on its own. The locales of property values and the right identities
// of role definitions are compared only when both versions hold some: the
// Ontylog writer writes neither, so a version without any (a copy it wrote)
// has lost them, not changed them.
namespace maintenance {

// In the order a report lists them; the names (changeKindName) are the
// interface scripts rely on.
enum class ChangeKind {
    Added, // the concept is only in the newer version
    Removed, // only in the older one
    Renamed,
    IdChanged,
    NamespaceChanged,
    KindChanged,
    DefinedChanged,
    ParentAdded,
    ParentRemoved,
    RoleAdded,
    RoleRemoved,
    PropertyAdded,
    PropertyRemoved,
    PropertyChanged,
    AssociationAdded,
    AssociationRemoved,
    DefinitionAdded,
    DefinitionRemoved,
    DefinitionChanged,
    DuplicateCode,
};
constexpr std::size_t kChangeKindCount = 20;

// "added", "removed", "renamed", "id-changed", "namespace-changed",
// "kind-changed", "defined-changed", "parent-added", ...,
// "definition-changed", "duplicate-code".
const char* changeKindName(ChangeKind kind);

// A concept that a parent, role or association names, as its own version
// has it: the code and name of the concept the text names, or the text
// alone (as name) when it names none.
struct Reference {
    bool resolved = false;
    std::string code; // empty when not resolved
    std::string name;
};

struct Qualifier {
    std::string name;
    std::string value;
};

struct RoleFact {
    std::string name;
    std::string modifier; // "some", "all" or "poss"
    Reference target;
    long group = 0; // its role group's number in its version; 0: in none
};

struct PropertyFact {
    std::string name;
    std::string value;
    std::string locale;
    std::vector<Qualifier> qualifiers; // by name, then value
};

struct AssociationFact {
    std::string name;
    Reference target;
    std::vector<Qualifier> qualifiers; // by name, then value
};

// A field whose text differs: ids in decimal, the state as "defined" or
// "primitive".
struct TextChange {
    std::string before;
    std::string after;
};

struct PropertyChange {
    PropertyFact before;
    PropertyFact after;
};

// One change of a concept. Its detail, by kind:
//   added, removed                               nothing (std::monostate)
//   renamed, id-changed, namespace-changed,
//   kind-changed, defined-changed                TextChange
//   parent-added, parent-removed                 Reference (the parent)
//   role-added, role-removed                     RoleFact
//   property-added, property-removed             PropertyFact
//   property-changed                             PropertyChange
//   association-added, association-removed       AssociationFact
// Facts of removals come from the older version, of additions from the
// newer one. A property value is changed in place (property-changed) when
// its text stays and its locale or qualifiers change, or when it is the one
// value of its name that goes and the one that comes.
struct ConceptChange {
    ChangeKind kind;
    std::variant<std::monostate, TextChange, Reference, RoleFact, PropertyFact, PropertyChange,
        AssociationFact>
        detail;
};

// A concept that differs. Its changes are in the order of ChangeKind, those
// of one kind in the byte-wise order of their texts, name first (then the
// target's code or text, the value, ...).
struct ConceptChanges {
    std::string code;
    std::string oldName; // empty when only the newer version holds it
    std::string newName; // empty when only the older one does
    // The name of the concept at the top of its branch: reached by following
    // first parents (the byte-wise first) in the newer version, the older
    // one for a removed concept, until a concept without parents, a parent
    // that names no concept or one already passed; the concept itself when
    // it has no parents.
    std::string branch;
    std::vector<ConceptChange> changes;
};

enum class DefinitionType { Namespace, Kind, Role, Property, Association, Qualifier };
// "namespace", "kind", "role", "property", "association", "qualifier".
const char* definitionTypeName(DefinitionType type);

// A field of a definition, by the name of its element in Ontylog XML
// ("code", "id", "namespace", "reference", "domain", "range", "rightId",
// "parentRole", "localized", "containsIndex", "inverseName",
// "displayable", "type", "pickListItem"). Flags are "true" or "false". A
// pick-list item added has only an after, one removed only a before.
struct FieldChange {
    std::string field;
    std::string before;
    std::string after;
};

// A definition that differs. kind is DefinitionAdded (fields: every field
// of the new definition that is not empty, as afters), DefinitionRemoved
// (the same of the old one, as befores) or DefinitionChanged (the fields
// that differ, in the order of the list above).
struct DefinitionChanges {
    DefinitionType type;
    std::string name;
    ChangeKind kind;
    std::vector<FieldChange> fields;
};

enum class Version { Old, New };

// A code that one version gives to several concepts: none of them is
// compared.
struct DuplicateCode {
    Version version;
    std::string code;
    std::vector<std::string> names; // in document order
};

// Fields compared only when both versions hold some.
enum class Uncompared { Locale, RightId };
// "locale", "rightId".
const char* uncomparedName(Uncompared field);

struct NotCompared {
    Uncompared field;
    Version without; // the version that holds none
};

struct ChangeReport {
    std::vector<DefinitionChanges> definitions; // by type, then name
    std::vector<ConceptChanges> concepts; // by code
    std::vector<DuplicateCode> duplicateCodes; // older version first, then by code
    // Per ChangeKind: one for each change of a concept, each definition
    // record and each duplicate code.
    std::array<long, kChangeKindCount> counts {};
    // The fields one version holds and the other does not hold anywhere.
    std::vector<NotCompared> notCompared;
};

struct CompareOptions {
    bool ignoreIds = false; // no id-changed, no "id" field of a definition
};

// Codes, names and texts are compared byte-wise, and records ordered so.
// Both versions must stay alive, unchanged, while this runs; it copies no
// concept and builds records only for what differs.
ChangeReport compareVersions(
    const QueltKb& older, const QueltKb& newer, const CompareOptions& options = {});

} // namespace maintenance

#endif
