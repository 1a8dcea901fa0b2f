#include "model/QueltPropertyDef.h"

#include "model/NameResolution.h"

#include <algorithm>

NameRegistry::Policy QueltPropertyDef::registryPolicy()
{
    return { QueltTerminology::NO_PROPDEF,
        "Could not allocate memory for a map or a set.  Will EXIT.", true, true };
}

QueltPropertyDef::QueltPropertyDef(const std::string& givenName, const std::string& givenCode,
    long givenId, const std::string& givenRange, bool givenLocalized, bool givenContainsIndex,
    const std::string& nameSpace)
    : DefinitionRecord(givenName, givenCode, givenId)
    , range(givenRange)
    , localized(givenLocalized)
    , containsIndex(givenContainsIndex)
    , namespaceId(resolveNamespace<QueltPropertyDef>(nameSpace))
{
}

const std::string& QueltPropertyDef::getNamespace() const
{
    return namespaceOf<QueltPropertyDef>(namespaceId);
}

bool QueltPropertyDef::isSame(const QueltPropertyDef& other) const
{
    return name == other.name && code == other.code && id == other.id && range == other.range
        && namespaceId == other.namespaceId && containsIndex == other.containsIndex
        && localized == other.localized;
}

bool QueltPropertyDef::stringInPickList(const std::string& value) const
{
    return std::find(pickListItems.begin(), pickListItems.end(), value) != pickListItems.end();
}
