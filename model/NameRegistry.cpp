#include "model/NameRegistry.h"

#include "model/QueltError.h"
#include "model/QueltTerminology.h"

#include <algorithm>
#include <new>

void NameRegistry::initialize()
{
    try {
        maps_ = std::make_unique<Maps>();
        reserve(0);
    } catch (const std::bad_alloc&) {
        throw QueltError(QueltError::kFailure, policy_.allocMessage);
    }
    ++generation_;
}

void NameRegistry::reserve(std::size_t names)
{
    if (!maps_) {
        reserved_ += names;
        return;
    }
    names += reserved_;
    reserved_ = 0;
    if (names == 0)
        return;
    // Only a hint: without the memory the maps grow as they go.
    try {
        maps_->idToName.reserve(maps_->idToName.size() + names);
        maps_->nameToId.reserve(maps_->nameToId.size() + names);
        maps_->ids.reserve(maps_->ids.size() + names);
        maps_->codes.reserve(maps_->codes.size() + names);
    } catch (const std::bad_alloc&) {
    }
}

long NameRegistry::lookupId(const std::string& name)
{
    if (!maps_) {
        errors_.set(policy_.absentBit);
        return -1;
    }
    // The first registration of a name answers for it.
    auto it = maps_->nameToId.find(name);
    return it == maps_->nameToId.end() ? -1 : it->second.first;
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

void NameRegistry::addName(long mapId, const std::string& name)
{
    if (policy_.replaceIdEntry)
        maps_->idToName[mapId] = name;
    else
        maps_->idToName.emplace(mapId, name);
    ++generation_;
}

void NameRegistry::add(long mapId, const std::string& name)
{
    if (!maps_)
        return;
    addName(mapId, name);
    auto inserted = maps_->nameToId.try_emplace(name, NameEntry { mapId, {} });
    // Later registrations follow the first, so lookupId keeps finding it.
    if (!inserted.second && !policy_.uniqueNames)
        inserted.first->second.more.push_back(mapId);
}

void NameRegistry::remove(long mapId, const std::string& name)
{
    if (!maps_)
        return;
    auto idIt = maps_->idToName.find(mapId);
    if (idIt != maps_->idToName.end() && idIt->second == name)
        maps_->idToName.erase(idIt);
    auto nameIt = maps_->nameToId.find(name);
    if (nameIt != maps_->nameToId.end()) {
        NameEntry& entry = nameIt->second;
        if (entry.first == mapId) {
            if (entry.more.empty()) {
                maps_->nameToId.erase(nameIt);
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
    ++generation_;
}

void NameRegistry::admit(const std::string& name, const std::string& code, long id, long mapId)
{
    if (!maps_->codes.insert(code).second)
        errors_.set(QueltTerminology::CODE_EXISTS);
    if (!maps_->ids.insert(id).second)
        errors_.set(QueltTerminology::ID_EXISTS);
    addName(mapId, name);
    auto inserted = maps_->nameToId.try_emplace(name, NameEntry { mapId, {} });
    if (!inserted.second) {
        errors_.set(QueltTerminology::NAME_EXISTS);
        if (!policy_.uniqueNames)
            inserted.first->second.more.push_back(mapId);
    }
}
