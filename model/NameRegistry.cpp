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
    auto it = maps->nameToId.find(name);
    return it == maps->nameToId.end() ? -1 : it->second.first;
}

const std::string& NameRegistry::lookupName(long mapId)
{
    if (!maps) {
        errors.set(policy.absentBit);
        return QueltTerminology::emptyString;
    }
    auto it = maps->idToName.find(mapId);
    return it == maps->idToName.end() ? QueltTerminology::emptyString : it->second;
}

bool NameRegistry::contains(const std::string& name)
{
    if (!maps) {
        errors.set(policy.absentBit);
        return false;
    }
    return maps->nameToId.count(name) != 0;
}

void NameRegistry::addName(long mapId, const std::string& name)
{
    if (policy.replaceIdEntry)
        maps->idToName[mapId] = name;
    else
        maps->idToName.emplace(mapId, name);
    ++changeCount;
}

void NameRegistry::add(long mapId, const std::string& name)
{
    if (!maps)
        return;
    addName(mapId, name);
    auto inserted = maps->nameToId.try_emplace(name, NameEntry { mapId, {} });
    // Later registrations follow the first, so lookupId keeps finding it.
    if (!inserted.second && !policy.uniqueNames)
        inserted.first->second.more.push_back(mapId);
}

void NameRegistry::remove(long mapId, const std::string& name)
{
    if (!maps)
        return;
    auto idIt = maps->idToName.find(mapId);
    if (idIt != maps->idToName.end() && idIt->second == name)
        maps->idToName.erase(idIt);
    auto nameIt = maps->nameToId.find(name);
    if (nameIt != maps->nameToId.end()) {
        NameEntry& entry = nameIt->second;
        if (entry.first == mapId) {
            if (entry.more.empty()) {
                maps->nameToId.erase(nameIt);
            } else {
                entry.first = entry.more.front();
                entry.more.erase(entry.more.begin());
            }
        } else {
            auto it = std::find(entry.more.begin(), entry.more.end(), mapId);
            if (it != entry.more.end())
                entry.more.erase(it);
        }
    }
    ++changeCount;
}

void NameRegistry::admit(const std::string& name, const std::string& code, long id, long mapId)
{
    if (!maps->codes.insert(code).second)
        errors.set(QueltTerminology::CODE_EXISTS);
    if (!maps->ids.insert(id).second)
        errors.set(QueltTerminology::ID_EXISTS);
    addName(mapId, name);
    auto inserted = maps->nameToId.try_emplace(name, NameEntry { mapId, {} });
    if (!inserted.second) {
        errors.set(QueltTerminology::NAME_EXISTS);
        if (!policy.uniqueNames)
            inserted.first->second.more.push_back(mapId);
    }
}
