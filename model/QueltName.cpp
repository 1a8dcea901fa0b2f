#include "model/QueltName.h"

NameRegistry::Policy QueltName::registryPolicy()
{
    return { QueltTerminology::NO_NAMESPACE,
        "Could not allocate memory for a map or a set.  Will EXIT.", true, true };
}

QueltName::QueltName(const std::string& givenName, long givenId, const std::string& givenCode)
    : DefinitionRecord(givenName, givenCode, givenId)
{
}

bool QueltName::isSame(const QueltName& other) const
{
    return name == other.name && id == other.id && code == other.code;
}
