#ifndef QUELT_MAINTENANCE_FINDINGKINDS_H
#define QUELT_MAINTENANCE_FINDINGKINDS_H

#include "maintenance/Check.h"

#include <cstddef>

namespace maintenance {

// The kinds of findings, as the check names them; findingKinds() lists
// them in this order (errors first).
enum Kind {
    UndefinedProperty,
    UndefinedAssociation,
    UndefinedQualifier,
    BadElementName,
    UncarriedCharacter,
    MissingRxk,
    SharedRxk,
    UnknownParent,
    UnknownRoleTarget,
    UnknownAssociationTarget,
    UndefinedRole,
    UndefinedParentRole,
    MissingRoleCode,
    RootlessRoleKind,
    NotWellFormed,
    InvalidOwlName,
    KindWithoutRoot,
    KindWithSeveralRoots,
    RootOfUndeclaredKind,
    ParentCycle,
    DuplicateConceptName,
    DuplicateDefinitionName,
    PickListValue,
    SeveralRxk,
    SeveralCui,
    ReaderMessage,
    KindCount // not a kind: their number
};

inline const FindingKind& kindOf(Kind kind)
{
    return findingKinds()[static_cast<std::size_t>(kind)];
}

} // namespace maintenance

#endif
