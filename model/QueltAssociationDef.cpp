#include "model/QueltAssociationDef.h"

#include "model/NameResolution.h"

NameRegistry::Policy QueltAssociationDef::registryPolicy()
{
    return { QueltTerminology::NO_PROPDEF,
        "Could not allocate memory for a map or a set.  Will EXIT.", true, true };
}

QueltAssociationDef::QueltAssociationDef(const std::string& name, const std::string& code, long id,
    const std::string& inverse, bool displayable, const std::string& nameSpace)
    : DefinitionRecord(name, code, id)
    , inverse_(inverse)
    , displayable_(displayable)
    , namespaceId_(resolveNamespace<QueltAssociationDef>(nameSpace))
{
}

const std::string& QueltAssociationDef::getNamespace() const
{
    return namespaceOf<QueltAssociationDef>(namespaceId_);
}

bool QueltAssociationDef::isSame(const QueltAssociationDef& other) const
{
    return name_ == other.name_ && code_ == other.code_ && id_ == other.id_
        && displayable_ == other.displayable_ && inverse_ == other.inverse_
        && namespaceId_ == other.namespaceId_;
}
