#include "model/QueltPropertyDef.h"

#include "model/NameResolution.h"

NameRegistry::Policy QueltPropertyDef::registryPolicy()
{
    return { QueltTerminology::NO_PROPDEF,
        "Could not allocate memory for a map or a set.  Will EXIT.", true, true };
}

QueltPropertyDef::QueltPropertyDef(const std::string& name, const std::string& code, long id,
    const std::string& range, bool localized, bool containsIndex, const std::string& nameSpace)
    : DefinitionRecord(name, code, id)
    , range_(range)
    , localized_(localized)
    , containsIndex_(containsIndex)
    , namespaceId_(resolveNamespace<QueltPropertyDef>(nameSpace))
{
}

const std::string& QueltPropertyDef::getNamespace() const
{
    return namespaceOf<QueltPropertyDef>(namespaceId_);
}

bool QueltPropertyDef::isSame(const QueltPropertyDef& other) const
{
    return name_ == other.name_ && code_ == other.code_ && id_ == other.id_
        && range_ == other.range_ && namespaceId_ == other.namespaceId_
        && containsIndex_ == other.containsIndex_ && localized_ == other.localized_;
}
