#ifndef QUELT_TOOLS_GEN_CHANGEPLAN_H
#define QUELT_TOOLS_GEN_CHANGEPLAN_H

// The changes a newer version makes, and their log as the comparison of
// the two versions reports them.
//
// Each concept but the roots is changed with the rate's probability, by
// one edit, sometimes two or three of different kinds, each drawn among
// those that apply to it and change what the comparison sees: a value
// removed is removed with every copy of it, a value added or changed is one
// the concept does not hold. A concept removed takes with it every
// reference to it: the parents, ungrouped roles and associations that name
// it and the role groups that hold a role naming it (a group is a whole),
// each a change of the concept that referred to it. A renamed concept is
// named by its new name everywhere, so only its name changes; a concept
// added or given a second concept of its code is one no other names. The
// decisions come from a random generator of their own, so the newer
// version is the older one but where a change is.
//
// Of every concept the plan keeps a byte (its code, whether it is removed
// or renamed), as concepts name earlier ones.

#include "tools/gen/Draft.h"
#include "tools/gen/Generate.h"
#include "tools/gen/Random.h"
#include "tools/gen/Vocabulary.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gen {

// An escaped text as a reader has it: the references to the predefined
// entities replaced by their characters.
std::string unescaped(std::string_view xml);

// The namespace the newer version adds, for the concepts moved into it.
extern const char kArchiveNamespace[];

enum Edit : std::uint32_t {
    AddConcept, // a concept after it, of a code of its own
    RemoveConcept,
    Rename,
    NewId,
    NewNamespace,
    NewKind,
    FlipDefined,
    AddParent,
    DropParent,
    AddRole,
    DropRole,
    AddProperty,
    DropProperty,
    AlterProperty,
    AddAssociation,
    DropAssociation,
    ShareCode, // a second concept of its code after it
    Reorder,
    Regroup,
    Move,
    kEdits,
};

class ChangePlan {
public:
    ChangePlan(const Options& options, const ConceptNaming& givenNaming);

    bool enabled() const { return rate > 0; }

    // Notes the drawn concept and makes its changes in the draft; returns
    // whether it is to be written after the next concept (only when
    // canMove).
    bool change(ConceptDraft& con, bool canMove);

    // The name this version gives concept i, as written.
    void writtenName(std::uint64_t i, std::string& to) const
    {
        naming.name(i, to);
        if (enabled() && (state[i] & kRenamed))
            to += kRenameSuffix;
    }
    // The name of the concept written after con (added, or of its code).
    static void extraName(const ConceptDraft& con, std::string& to);

    // The value this version gives a field of a definition (its element
    // name as in maintenance::FieldChange): value, or what it is changed
    // to. For "pickListItem", an item added to the list (value "": none).
    const char* definitionField(maintenance::DefinitionType type, std::string_view name,
        const char* field, const char* value) const;
    // Whether this version leaves the definition out.
    bool leavesOut(maintenance::DefinitionType type, std::string_view name) const;
    // Notes a definition added or left out, with its fields.
    void noteDefinition(maintenance::DefinitionType type, const char* name,
        maintenance::ChangeKind kind, const std::vector<maintenance::FieldChange>& fields);

    ChangeLog takeLog();

private:
    static constexpr std::uint8_t kCodeOffset = 3, kRemoved = 4, kRenamed = 8;
    static const char kRenameSuffix[];

    // Drawing and making the edits of one concept.
    void dropRemovedTargets(ConceptDraft& con);
    void dropRemovedRoles(ConceptDraft& con);
    bool edit(ConceptDraft& con, bool canMove);
    bool apply(Edit edit, ConceptDraft& con, bool canMove);
    bool addParent(ConceptDraft& con);
    bool dropParent(ConceptDraft& con);
    bool addRole(ConceptDraft& con);
    bool dropRole(ConceptDraft& con);
    bool addProperty(ConceptDraft& con);
    void dropProperty(ConceptDraft& con);
    bool alterProperty(ConceptDraft& con);
    bool addAssociation(ConceptDraft& con);
    bool dropAssociation(ConceptDraft& con);
    void shareCode(ConceptDraft& con);
    void rename(const ConceptDraft& con);
    void flipDefined(ConceptDraft& con);
    void newId(ConceptDraft& con);
    bool regroup(ConceptDraft& con);
    void reorder(ConceptDraft& con);

    // What identifies concepts and their attributes in the records.
    std::string code(std::uint64_t i) const;
    bool removed(std::uint64_t i) const { return state[i] & kRemoved; }
    maintenance::Reference reference(std::uint64_t i, bool newer) const;
    maintenance::RoleFact roleFact(const DraftRole& role, bool newer) const;
    static maintenance::PropertyFact propertyFact(
        const ConceptDraft& con, const DraftProperty& property);
    maintenance::AssociationFact associationFact(
        const DraftAssociation& association, bool newer) const;
    template <class Detail> void note(maintenance::ChangeKind kind, Detail&& detail)
    {
        current.changes.push_back({ kind, std::forward<Detail>(detail) });
    }
    void noteText(maintenance::ChangeKind kind, std::string before, std::string after);
    void rearranged(const ConceptDraft& con, const char* how);

    double rate;
    std::uint64_t numConcepts;
    const ConceptNaming& naming;
    Rng rng;
    std::vector<std::uint8_t> state; // by concept index, when enabled
    std::string scratch;
    maintenance::ConceptChanges current; // of the concept being changed
    ChangeLog log;
};

} // namespace gen

#endif
