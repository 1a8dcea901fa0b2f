#include "model/QueltQualifierDef.h"

#include "model/NameResolution.h"

#include <algorithm>

std::unique_ptr<QueltQualifierDef::RecordMap> QueltQualifierDef::records;

NameRegistry::Policy QueltQualifierDef::registryPolicy()
{
    return { QueltTerminology::NO_PROPDEF,
        "Could not allocate memory for a map or a set.  Will EXIT.", true, true };
}

QueltQualifierDef::QueltQualifierDef(const std::string& givenName, const std::string& givenCode,
    long givenId, const std::string& nameSpace, const std::string& givenType,
    std::vector<std::string> givenPickList)
    : DefinitionRecord(givenName, givenCode, givenId)
    , namespaceId(resolveNamespace<QueltQualifierDef>(nameSpace))
    , pickList(std::move(givenPickList))
{
    if (givenType == "CA" || givenType == "CR" || givenType == "CP")
        type = givenType;
    else
        setError(QueltTerminology::NO_PROPDEF);
    // The base constructor registered the name under the count before it
    // counted this record.
    registerRecord(registry().count() - 1);
}

QueltQualifierDef::QueltQualifierDef(const QueltQualifierDef& other, Uncounted tag)
    : DefinitionRecord(other, tag)
    , namespaceId(other.namespaceId)
    , type(other.type)
    , pickList(other.pickList)
{
}

void QueltQualifierDef::registerRecord(long mapId) const
{
    if (!records)
        return;
    (*records)[mapId].reset(new QueltQualifierDef(*this, Uncounted {}));
}

void QueltQualifierDef::addQualifierDefToMap()
{
    addToMap();
    registerRecord(registry().count());
}

void QueltQualifierDef::onInitializeMaps()
{
    records = std::make_unique<RecordMap>();
}

void QueltQualifierDef::onReleaseMaps()
{
    records.reset();
}

const std::string& QueltQualifierDef::getNamespace() const
{
    return namespaceOf<QueltQualifierDef>(namespaceId);
}

bool QueltQualifierDef::stringInPickList(const std::string& value) const
{
    return std::find(pickList.begin(), pickList.end(), value) != pickList.end();
}

const QueltQualifierDef* QueltQualifierDef::getQualifierDef(const std::string& name)
{
    long mapId = getQualifierDefMapID(name);
    if (!records)
        return nullptr;
    auto it = records->find(mapId);
    return it == records->end() ? nullptr : it->second.get();
}

bool QueltQualifierDef::hasPickList(const std::string& name)
{
    const QueltQualifierDef* def = getQualifierDef(name);
    return def != nullptr && def->hasPickList();
}

bool QueltQualifierDef::stringInPickList(const std::string& name, const std::string& value)
{
    const QueltQualifierDef* def = getQualifierDef(name);
    return def != nullptr && def->stringInPickList(value);
}

bool QueltQualifierDef::isSame(const QueltQualifierDef& other) const
{
    return name == other.name && code == other.code && id == other.id && type == other.type
        && pickList == other.pickList && namespaceId == other.namespaceId;
}
