#include "model/QueltName.h"

NameRegistry::Policy QueltName::registryPolicy()
{
    return { QueltTerminology::NO_NAMESPACE,
        "Could not allocate memory for a map or a set.  Will EXIT.", true, true };
}

QueltName::QueltName(const std::string& name, long id, const std::string& code)
    : DefinitionRecord(name, code, id)
{
}

bool QueltName::isSame(const QueltName& other) const
{
    return name_ == other.name_ && id_ == other.id_ && code_ == other.code_;
}
