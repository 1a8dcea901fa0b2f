#include "model/QueltQualifierDef.h"

#include "model/NameResolution.h"

#include <algorithm>

std::unique_ptr<QueltQualifierDef::RecordMap> QueltQualifierDef::records_;

NameRegistry::Policy QueltQualifierDef::registryPolicy()
{
    return { QueltTerminology::NO_PROPDEF,
        "Could not allocate memory for a map or a set.  Will EXIT.", true, true };
}

QueltQualifierDef::QueltQualifierDef(const std::string& name, const std::string& code, long id,
    const std::string& nameSpace, const std::string& type, std::vector<std::string> pickList)
    : DefinitionRecord(name, code, id)
    , namespaceId_(resolveNamespace<QueltQualifierDef>(nameSpace))
    , pickList_(std::move(pickList))
{
    if (type == "CA" || type == "CR" || type == "CP")
        type_ = type;
    else
        setError(QueltTerminology::NO_PROPDEF);
    // The base constructor registered the name under the count before it
    // counted this record.
    registerRecord(registry().count() - 1);
}

QueltQualifierDef::QueltQualifierDef(const QueltQualifierDef& other, Uncounted tag)
    : DefinitionRecord(other, tag)
    , namespaceId_(other.namespaceId_)
    , type_(other.type_)
    , pickList_(other.pickList_)
{
}

void QueltQualifierDef::registerRecord(long mapId) const
{
    if (!records_)
        return;
    (*records_)[mapId].reset(new QueltQualifierDef(*this, Uncounted {}));
}

void QueltQualifierDef::addQualifierDefToMap()
{
    addToMap();
    registerRecord(registry().count());
}

void QueltQualifierDef::onInitializeMaps()
{
    records_ = std::make_unique<RecordMap>();
}

void QueltQualifierDef::onReleaseMaps()
{
    records_.reset();
}

const std::string& QueltQualifierDef::getNamespace() const
{
    return namespaceOf<QueltQualifierDef>(namespaceId_);
}

bool QueltQualifierDef::stringInPickList(const std::string& value) const
{
    return std::find(pickList_.begin(), pickList_.end(), value) != pickList_.end();
}

const QueltQualifierDef* QueltQualifierDef::getQualifierDef(const std::string& name)
{
    long mapId = getQualifierDefMapID(name);
    if (!records_)
        return nullptr;
    auto it = records_->find(mapId);
    return it == records_->end() ? nullptr : it->second.get();
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
    return name_ == other.name_ && code_ == other.code_ && id_ == other.id_ && type_ == other.type_
        && pickList_ == other.pickList_ && namespaceId_ == other.namespaceId_;
}
