#include "model/QueltKind.h"

#include "model/NameResolution.h"

NameRegistry::Policy QueltKind::registryPolicy()
{
    return { QueltTerminology::NO_KIND, "Could not allocate memory for a map or a set.  Will EXIT",
        true, true };
}

QueltKind::QueltKind(const std::string& givenName, long givenId, const std::string& givenCode,
    const std::string& nameSpace, bool givenReference)
    : DefinitionRecord(givenName, givenCode, givenId)
    , namespaceId(resolveNamespace<QueltKind>(nameSpace))
    , reference(givenReference)
{
}

const std::string& QueltKind::getNamespace() const
{
    return namespaceOf<QueltKind>(namespaceId);
}

bool QueltKind::isSame(const QueltKind& other) const
{
    return name == other.name && id == other.id && code == other.code
        && namespaceId == other.namespaceId && reference == other.reference;
}
