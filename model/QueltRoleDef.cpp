#include "model/QueltRoleDef.h"

#include "model/NameResolution.h"

NameRegistry::Policy QueltRoleDef::registryPolicy()
{
    return { QueltTerminology::NO_ROLEDEF,
        "Could not allocate memory for a map or a set.  Will EXIT.", true, true };
}

QueltRoleDef::QueltRoleDef(const std::string& givenName, const std::string& givenCode, long givenId,
    const std::string& nameSpace, const std::string& domain, const std::string& range,
    const std::string& givenRight, const std::string& givenParentRole)
    : DefinitionRecord(givenName, givenCode, givenId)
    , namespaceId(resolveNamespace<QueltRoleDef>(nameSpace))
    , domainId(QueltKind::getKindMapID(domain))
    , rangeId(QueltKind::getKindMapID(range))
    , right(givenRight)
    , parentRole(givenParentRole)
{
    if (QueltKind::isError(QueltTerminology::NO_KIND))
        setError(QueltTerminology::NO_KIND);
}

const std::string& QueltRoleDef::getNamespace() const
{
    return namespaceOf<QueltRoleDef>(namespaceId);
}
const std::string& QueltRoleDef::getDomain() const
{
    return kindOf<QueltRoleDef>(domainId);
}
const std::string& QueltRoleDef::getRange() const
{
    return kindOf<QueltRoleDef>(rangeId);
}

bool QueltRoleDef::isSame(const QueltRoleDef& other) const
{
    return name == other.name && code == other.code && id == other.id
        && namespaceId == other.namespaceId && domainId == other.domainId
        && rangeId == other.rangeId && right == other.right && parentRole == other.parentRole;
}
