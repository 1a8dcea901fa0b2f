#include "model/QueltAssociationDef.h"

#include "model/NameResolution.h"

NameRegistry::Policy QueltAssociationDef::registryPolicy()
{
    return { QueltTerminology::NO_PROPDEF,
        "Could not allocate memory for a map or a set.  Will EXIT.", true, true };
}

QueltAssociationDef::QueltAssociationDef(const std::string& givenName, const std::string& givenCode,
    long givenId, const std::string& givenInverse, bool givenDisplayable,
    const std::string& nameSpace)
    : DefinitionRecord(givenName, givenCode, givenId)
    , inverse(givenInverse)
    , displayable(givenDisplayable)
    , namespaceId(resolveNamespace<QueltAssociationDef>(nameSpace))
{
}

const std::string& QueltAssociationDef::getNamespace() const
{
    return namespaceOf<QueltAssociationDef>(namespaceId);
}

bool QueltAssociationDef::isSame(const QueltAssociationDef& other) const
{
    return name == other.name && code == other.code && id == other.id
        && displayable == other.displayable && inverse == other.inverse
        && namespaceId == other.namespaceId;
}
