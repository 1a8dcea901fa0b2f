#include "model/QueltRoleDef.h"

#include "model/NameResolution.h"

NameRegistry::Policy QueltRoleDef::registryPolicy()
{
    return { QueltTerminology::NO_ROLEDEF,
        "Could not allocate memory for a map or a set.  Will EXIT.", true, true };
}

QueltRoleDef::QueltRoleDef(const std::string& name, const std::string& code, long id,
    const std::string& nameSpace, const std::string& domain, const std::string& range,
    const std::string& right, const std::string& parentRole)
    : DefinitionRecord(name, code, id)
    , namespaceId_(resolveNamespace<QueltRoleDef>(nameSpace))
    , domainId_(QueltKind::getKindMapID(domain))
    , rangeId_(QueltKind::getKindMapID(range))
    , right_(right)
    , parentRole_(parentRole)
{
    if (QueltKind::isError(QueltTerminology::NO_KIND))
        setError(QueltTerminology::NO_KIND);
}

const std::string& QueltRoleDef::getNamespace() const
{
    return namespaceOf<QueltRoleDef>(namespaceId_);
}
const std::string& QueltRoleDef::getDomain() const
{
    return kindOf<QueltRoleDef>(domainId_);
}
const std::string& QueltRoleDef::getRange() const
{
    return kindOf<QueltRoleDef>(rangeId_);
}

bool QueltRoleDef::isSame(const QueltRoleDef& other) const
{
    return name_ == other.name_ && code_ == other.code_ && id_ == other.id_
        && namespaceId_ == other.namespaceId_ && domainId_ == other.domainId_
        && rangeId_ == other.rangeId_ && right_ == other.right_ && parentRole_ == other.parentRole_;
}
