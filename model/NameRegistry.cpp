#include "model/NameRegistry.h"

#include "model/QueltError.h"
#include "model/QueltTerminology.h"

#include <algorithm>
#include <new>

void NameRegistry::initialize()
{
    try {
        maps = std::make_unique<Maps>();
        reserve(0);
    } catch (const std::bad_alloc&) {
        throw QueltError(QueltError::kFailure, policy.allocMessage);
    }
    ++changeCount;
}

void NameRegistry::reserve(std::size_t names)
{
    if (!maps) {
        reserved += names;
        return;
    }
    names += reserved;
    reserved = 0;
    if (names == 0)
        return;
    // Only a hint: without the memory the maps grow as they go.
    try {
        maps->idToName.reserve(maps->idToName.size() + names);
        maps->idNamed.reserve(maps->idNamed.size() + names);
        maps->nameToId.reserve(maps->nameToId.size() + names);
        maps->ids.reserve(maps->ids.size() + names);
        maps->codes.reserve(maps->codes.size() + names);
    } catch (const std::bad_alloc&) {
    }
}

long NameRegistry::lookupId(const std::string& name)
{
    if (!maps) {
        errors.set(policy.absentBit);
        return -1;
    }
    // The first registration of a name answers for it.
    const long* mapId = maps->nameToId.find(name);
    return mapId == nullptr ? -1 : *mapId;
}

const std::string& NameRegistry::lookupName(long mapId)
{
    if (!maps) {
        errors.set(policy.absentBit);
        return QueltTerminology::emptyString;
    }
    if (mapId < 0 || static_cast<std::size_t>(mapId) >= maps->idNamed.size()
        || !maps->idNamed[mapId])
        return QueltTerminology::emptyString;
    return maps->idToName[mapId].str();
}

bool NameRegistry::contains(const std::string& name)
{
    if (!maps) {
        errors.set(policy.absentBit);
        return false;
    }
    return maps->nameToId.find(name) != nullptr;
}

void NameRegistry::addName(long mapId, const SharedText& name)
{
    if (mapId >= 0) {
        std::size_t at = static_cast<std::size_t>(mapId);
        if (at >= maps->idNamed.size()) {
            maps->idToName.resize(at + 1);
            maps->idNamed.resize(at + 1, false);
        }
        if (policy.replaceIdEntry || !maps->idNamed[at]) {
            maps->idToName[at] = name;
            maps->idNamed[at] = true;
        }
    }
    ++changeCount;
}

bool NameRegistry::addId(const SharedText& name, long mapId)
{
    auto inserted = maps->nameToId.tryEmplace(name, mapId);
    // Later registrations follow the first, so lookupId keeps finding it.
    if (!inserted.second && !policy.uniqueNames)
        maps->moreIds.tryEmplace(name, {}).first->push_back(mapId);
    return inserted.second;
}

void NameRegistry::add(long mapId, const SharedText& name)
{
    if (!maps)
        return;
    addName(mapId, name);
    addId(name, mapId);
}

void NameRegistry::remove(long mapId, const std::string& name)
{
    if (!maps)
        return;
    if (mapId >= 0 && static_cast<std::size_t>(mapId) < maps->idNamed.size() && maps->idNamed[mapId]
        && maps->idToName[mapId].str() == name) {
        maps->idToName[mapId] = SharedText();
        maps->idNamed[mapId] = false;
    }
    if (long* first = maps->nameToId.find(name)) {
        std::vector<long>* more = maps->moreIds.find(name);
        if (*first == mapId) {
            if (more == nullptr) {
                maps->nameToId.erase(name);
            } else {
                *first = more->front();
                more->erase(more->begin());
            }
        } else if (more != nullptr) {
            auto it = std::find(more->begin(), more->end(), mapId);
            if (it != more->end())
                more->erase(it);
        }
        if (more != nullptr && more->empty())
            maps->moreIds.erase(name);
    }
    ++changeCount;
}

void NameRegistry::admit(const SharedText& name, const std::string& code, long id, long mapId)
{
    if (!maps->codes.insert(code).second)
        errors.set(QueltTerminology::CODE_EXISTS);
    if (!maps->ids.insert(id).second)
        errors.set(QueltTerminology::ID_EXISTS);
    addName(mapId, name);
    if (!addId(name, mapId))
        errors.set(QueltTerminology::NAME_EXISTS);
}
