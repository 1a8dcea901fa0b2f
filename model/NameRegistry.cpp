#include "model/NameRegistry.h"

#include "frontend/ProcessExit.h"
#include "model/QueltTerminology.h"

#include <iostream>
#include <new>

void NameRegistry::initialize()
{
    try {
        maps_ = std::make_unique<Maps>();
    } catch (const std::bad_alloc&) {
        std::cerr << policy_.allocMessage << std::endl;
        quitProcess(1);
    }
}

long NameRegistry::lookupId(const std::string& name)
{
    if (!maps_) {
        errors_.set(policy_.absentBit);
        return -1;
    }
    // The first registration of a name answers for it.
    auto it = maps_->nameToId.lower_bound(name);
    return it == maps_->nameToId.end() || it->first != name ? -1 : it->second;
}

const std::string& NameRegistry::lookupName(long mapId)
{
    if (!maps_) {
        errors_.set(policy_.absentBit);
        return QueltTerminology::emptyString;
    }
    auto it = maps_->idToName.find(mapId);
    return it == maps_->idToName.end() ? QueltTerminology::emptyString : it->second;
}

bool NameRegistry::contains(const std::string& name)
{
    if (!maps_) {
        errors_.set(policy_.absentBit);
        return false;
    }
    return maps_->nameToId.count(name) != 0;
}

void NameRegistry::add(long mapId, const std::string& name)
{
    if (!maps_)
        return;
    if (policy_.replaceIdEntry)
        maps_->idToName[mapId] = name;
    else
        maps_->idToName.emplace(mapId, name);
    // Equal keys keep their insertion order, so lookupId finds the first.
    if (!policy_.uniqueNames || maps_->nameToId.find(name) == maps_->nameToId.end())
        maps_->nameToId.emplace(name, mapId);
}

void NameRegistry::remove(long mapId, const std::string& name)
{
    if (!maps_)
        return;
    auto idIt = maps_->idToName.find(mapId);
    if (idIt != maps_->idToName.end() && idIt->second == name)
        maps_->idToName.erase(idIt);
    auto range = maps_->nameToId.equal_range(name);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == mapId) {
            maps_->nameToId.erase(it);
            break;
        }
    }
}

void NameRegistry::rememberIdAndCode(long id, const std::string& code)
{
    if (!maps_)
        return;
    maps_->ids.insert(id);
    maps_->codes.insert(code);
}

void NameRegistry::checkDuplicates(const std::string& name, const std::string& code, long id)
{
    if (codeInSet(code))
        errors_.set(QueltTerminology::CODE_EXISTS);
    if (idInSet(id))
        errors_.set(QueltTerminology::ID_EXISTS);
    if (contains(name))
        errors_.set(QueltTerminology::NAME_EXISTS);
}
