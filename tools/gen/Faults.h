#ifndef QUELT_TOOLS_GEN_FAULTS_H
#define QUELT_TOOLS_GEN_FAULTS_H

// The faults the generator puts in, each of a kind "queltKbTool check"
// reports. The faults of concepts are drawn for every concept but the
// roots: each enabled kind with probability RATE, at most one per concept
// (so RATE times the number of enabled kinds must not exceed 1). A fault
// that breaks a concept never breaks what others say of it: a second
// concept of an existing name is an extra concept, and a fault that takes
// something of an earlier concept (its RXK value) takes it only from one
// without a fault. The faults of definitions are put in once each. Every
// decision comes from a random generator of its own, so the document is the
// one without faults except where a fault is.

#include "tools/gen/Generate.h"
#include "tools/gen/Random.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace gen {

enum Fault : std::uint32_t {
    // Faults of concepts.
    MissingRxk,
    SharedRxk,
    UnknownParent,
    UnknownRoleTarget,
    UnknownAssociationTarget,
    UndefinedRole,
    UndefinedProperty,
    UndefinedAssociation,
    UndefinedQualifier,
    BadElementName,
    UncarriedCharacter,
    InvalidOwlName, // an RXK value that is no OWL name
    ExtraRoot,
    OwnParent,
    DuplicateName,
    PickListValue,
    kConceptFaults,
    // Faults of definitions.
    KindWithoutRoot = kConceptFaults,
    RootlessRoleKind,
    UndefinedParentRole,
    MissingRoleCode,
    DuplicateDefinitionName,
    kFaults,
    // A concept without a fault.
    kNoFault = kFaults,
};

// A property definition whose name cannot be an element name, for the
// bad-element-name faults.
extern const char kBadPropertyName[];

// Which faults go where, and the record of those put in.
class FaultPlan {
public:
    explicit FaultPlan(const Options& options);

    // Whether the options ask for faults of this kind.
    static bool selected(const Options& options, Fault fault);
    bool enabled(Fault fault) const { return enabledFaults[fault]; }

    // The fault of concept i; kNoFault when it has none.
    Fault draw(std::uint64_t i);
    // An earlier concept without a fault, not a root; the number of
    // concepts when there is none.
    std::uint64_t earlierWithoutFault(std::uint64_t i) const;
    void markFaulty(std::uint64_t i) { faulted[i] = true; }

    // Notes a fault put in, of the kind of `kind`, as the check reports it.
    void note(Fault kind, const char* subject, std::string_view name);
    std::vector<FaultRecord> takeRecords() { return std::move(records); }

private:
    double rate;
    std::uint64_t numConcepts;
    bool enabledFaults[kFaults] = {};
    std::vector<Fault> conceptFaults; // the enabled ones
    std::vector<bool> faulted; // by concept index, when faults are enabled
    Rng rng;
    std::vector<FaultRecord> records;
};

} // namespace gen

#endif
