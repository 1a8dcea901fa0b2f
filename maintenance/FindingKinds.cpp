#include "maintenance/FindingKinds.h"

#include <iterator>

namespace maintenance {

namespace {

// Whether the OWL writer refuses a terminology with a finding of the kind.
constexpr bool kRefused = true;
constexpr bool kNotRefused = false;

// Each kind with its name, severity, whether it is refused, and meaning, in
// the order of Kind.
struct Row {
    Kind kind;
    FindingKind description;
};

constexpr Row kRows[] = {
    { UndefinedProperty,
        { "undefined-property", Severity::Error, kRefused,
            "a property whose name has no definition: the concept is refused" } },
    { UndefinedAssociation,
        { "undefined-association", Severity::Error, kRefused,
            "an association whose name has no definition: the concept is refused" } },
    { UndefinedQualifier,
        { "undefined-qualifier", Severity::Error, kRefused,
            "a qualifier whose name has no definition: the concept is refused" } },
    { BadElementName,
        { "bad-element-name", Severity::Error, kRefused,
            "a property, association or qualifier name that cannot be an XML element name: the "
            "concept is refused" } },
    { UncarriedCharacter,
        { "uncarried-character", Severity::Error, kRefused,
            "a text holding a character XML cannot carry: the definition or concept is refused" } },
    { MissingRxk,
        { "missing-rxk", Severity::Error, kNotRefused,
            "a concept without an RXK value: its class is written as \"#\"" } },
    { SharedRxk,
        { "shared-rxk", Severity::Error, kNotRefused,
            "a concept with the RXK value of another one: both are written as one class" } },
    { UnknownParent,
        { "unknown-parent", Severity::Error, kNotRefused,
            "a parent that names no concept: the reference is written as \"#\"" } },
    { UnknownRoleTarget,
        { "unknown-role-target", Severity::Error, kNotRefused,
            "a role whose value names no concept: the restriction refers to \"#\"" } },
    { UnknownAssociationTarget,
        { "unknown-association-target", Severity::Error, kNotRefused,
            "an association whose value names no concept: the reference is written as \"#\"" } },
    { UndefinedRole,
        { "undefined-role", Severity::Error, kNotRefused,
            "a role whose name has no definition: the restriction is on property \"#\"" } },
    { UndefinedParentRole,
        { "undefined-parent-role", Severity::Error, kNotRefused,
            "a role definition whose parent role has no definition: its super-property is "
            "\"#\"" } },
    { MissingRoleCode,
        { "missing-role-code", Severity::Error, kNotRefused,
            "a role definition without a code: the property is declared without a name and "
            "every restriction on it refers to \"#\"" } },
    { RootlessRoleKind,
        { "rootless-role-kind", Severity::Error, kNotRefused,
            "a role definition whose domain or range kind has no root concept: written as "
            "\"#\"" } },
    { NotWellFormed,
        { "not-well-formed", Severity::Error, kNotRefused,
            "the document is not well-formed XML: reading stops there" } },
    { InvalidOwlName,
        { "invalid-owl-name", Severity::Warning, kNotRefused,
            "an RXK value, role code, or property, qualifier or association name that is not a "
            "valid OWL name (the converter prints an ERROR line for the names it checks)" } },
    { KindWithoutRoot,
        { "kind-without-root", Severity::Warning, kNotRefused,
            "a kind that no root concept belongs to" } },
    { KindWithSeveralRoots,
        { "kind-with-several-roots", Severity::Warning, kNotRefused,
            "a kind with several root concepts: the last in byte order stands for it" } },
    { RootOfUndeclaredKind,
        { "root-of-undeclared-kind", Severity::Warning, kNotRefused,
            "a root concept whose kind no kind definition declares" } },
    { ParentCycle,
        { "parent-cycle", Severity::Warning, kNotRefused,
            "concepts that are their own ancestors" } },
    { DuplicateConceptName,
        { "duplicate-concept-name", Severity::Warning, kNotRefused,
            "a concept with the name of an earlier one: both are written under the RXK value "
            "given last" } },
    { DuplicateDefinitionName,
        { "duplicate-definition-name", Severity::Warning, kNotRefused,
            "a definition with the name of an earlier one of its type: the reader keeps the "
            "first" } },
    { PickListValue,
        { "pick-list-value", Severity::Warning, kNotRefused,
            "a property or qualifier value that is not in the pick list of its definition" } },
    { SeveralRxk,
        { "several-rxk", Severity::Warning, kNotRefused,
            "a concept with several RXK values: the last one names its class" } },
    { SeveralCui,
        { "several-cui", Severity::Warning, kNotRefused,
            "a concept with several CUI values: none is indexed (the reader says so)" } },
    { ReaderMessage,
        { "reader-message", Severity::Warning, kNotRefused, "another message of the reader" } },
};

constexpr bool rowsFollowKind()
{
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        if (kRows[i].kind != static_cast<Kind>(i))
            return false;
    }
    return std::size(kRows) == static_cast<std::size_t>(KindCount);
}
static_assert(rowsFollowKind(), "one row per kind, in the order of Kind");

} // namespace

const char* severityWord(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

const std::vector<FindingKind>& findingKinds()
{
    static const std::vector<FindingKind> kinds = [] {
        std::vector<FindingKind> all;
        for (const Row& row : kRows)
            all.push_back(row.description);
        return all;
    }();
    return kinds;
}

const FindingKind* findingKind(const std::string& name)
{
    for (const FindingKind& kind : findingKinds()) {
        if (name == kind.name)
            return &kind;
    }
    return nullptr;
}

} // namespace maintenance
