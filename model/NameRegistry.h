#ifndef QUELT_MODEL_NAMEREGISTRY_H
#define QUELT_MODEL_NAMEREGISTRY_H

#include "model/ErrorWord.h"
#include "model/SharedText.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The class-wide name registries of one record class: map id -> name,
// name -> map id(s), and the sets of ids and codes given to constructors,
// together with the live-instance counter that decides when they exist.
// The registries are created by initialize() when the first record is
// constructed from fields and released when the last record dies; while
// they are absent every lookup sets the class's "absent" bit.
//
// Nothing iterates the registries, so they are hash tables: the concept
// registry holds one entry per concept, and its lookups and insertions are
// on the reader's path. Names are SharedTexts, one text for both
// directions and for the records that hold the same name. Map ids are
// counts of live records, so map id -> name is a vector.
class NameRegistry {
public:
    struct Policy {
        long absentBit; // error bit set on lookups while absent
        const char* allocMessage; // the error raised when the maps cannot be created
        bool uniqueNames; // name -> map id keeps only the first registration
        bool replaceIdEntry; // map id -> name takes the latest registration
    };

    NameRegistry(ErrorWord& givenErrors, Policy givenPolicy)
        : errors(givenErrors)
        , policy(givenPolicy)
    {
    }

    bool present() const { return maps != nullptr; }
    void initialize();
    // Room for `names` more registrations, so the maps do not grow step by
    // step while a large terminology is read; kept for maps created later.
    void reserve(std::size_t names);
    void release()
    {
        maps.reset();
        ++changeCount;
    }

    // Lookups; while absent they set the absent bit and report "not found".
    long lookupId(const std::string& name);
    const std::string& lookupName(long mapId);
    bool contains(const std::string& name);

    void add(long mapId, const std::string& name) { add(mapId, SharedText(name)); }
    void add(long mapId, const SharedText& name);
    void remove(long mapId, const std::string& name);

    bool idInSet(long id) const { return maps && maps->ids.count(id) != 0; }
    bool codeInSet(const std::string& code) const { return maps && maps->codes.count(code) != 0; }

    // What a constructor from fields does to the registries, in one pass:
    // CODE_EXISTS, ID_EXISTS and NAME_EXISTS set as they apply, the name
    // registered under mapId, the id and the code remembered. The
    // registries must be present.
    void admit(const SharedText& name, const std::string& code, long id, long mapId);

    // Changes with every change of what lookupId and lookupName answer
    // (creation, release, add, remove), so a caller may keep an answer for
    // as long as the generation stays the same.
    std::uint64_t generation() const { return changeCount; }

    // Live-instance counter.
    long count() const { return counter; }
    void construct() { ++counter; }
    // Returns true when the last record is gone and the maps were released.
    bool destroy()
    {
        if (--counter == 0) {
            release();
            return true;
        }
        return false;
    }

private:
    struct Maps {
        // By map id; an id without a name holds the empty text and false.
        std::vector<SharedText> idToName;
        std::vector<bool> idNamed;
        // The first map id registered under a name, and, for a name
        // registered more than once, the later ones in order.
        SharedTextMap<long> nameToId;
        SharedTextMap<std::vector<long>> moreIds;
        std::unordered_set<long> ids;
        std::unordered_set<std::string> codes;
    };

    void addName(long mapId, const SharedText& name);
    // Registers the name under mapId in name -> map id; false when the
    // name was registered already.
    bool addId(const SharedText& name, long mapId);

    ErrorWord& errors;
    Policy policy;
    long counter = 0;
    std::size_t reserved = 0;
    std::uint64_t changeCount = 0;
    std::unique_ptr<Maps> maps;
};

#endif
