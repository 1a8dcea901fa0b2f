#ifndef QUELT_MODEL_NAMEREGISTRY_H
#define QUELT_MODEL_NAMEREGISTRY_H

#include "model/ErrorWord.h"

#include <map>
#include <memory>
#include <set>
#include <string>

// The class-wide name registries of one record class: map id -> name,
// name -> map id(s), and the sets of ids and codes given to constructors,
// together with the live-instance counter that decides when they exist.
// The registries are created by initialize() when the first record is
// constructed from fields and released when the last record dies; while
// they are absent every lookup sets the class's "absent" bit.
class NameRegistry {
public:
    struct Policy {
        long absentBit;           // error bit set on lookups while absent
        const char* allocMessage; // printed when the maps cannot be created
        bool uniqueNames;         // name -> map id keeps only the first registration
        bool replaceIdEntry;      // map id -> name takes the latest registration
    };

    NameRegistry(ErrorWord& errors, Policy policy) : errors_(errors), policy_(policy) {}

    bool present() const { return maps_ != nullptr; }
    void initialize();
    void release() { maps_.reset(); }

    // Lookups; while absent they set the absent bit and report "not found".
    long lookupId(const std::string& name);
    const std::string& lookupName(long mapId);
    bool contains(const std::string& name);

    void add(long mapId, const std::string& name);
    void remove(long mapId, const std::string& name);

    bool idInSet(long id) const { return maps_ && maps_->ids.count(id) != 0; }
    bool codeInSet(const std::string& code) const { return maps_ && maps_->codes.count(code) != 0; }
    void rememberIdAndCode(long id, const std::string& code);

    // Duplicate checks of a constructor: sets CODE_EXISTS, ID_EXISTS and
    // NAME_EXISTS as they apply.
    void checkDuplicates(const std::string& name, const std::string& code, long id);

    // Live-instance counter.
    long count() const { return counter_; }
    void construct() { ++counter_; }
    // Returns true when the last record is gone and the maps were released.
    bool destroy()
    {
        if (--counter_ == 0) {
            release();
            return true;
        }
        return false;
    }

private:
    struct Maps {
        std::map<long, std::string> idToName;
        std::multimap<std::string, long> nameToId;
        std::set<long> ids;
        std::set<std::string> codes;
    };

    ErrorWord& errors_;
    Policy policy_;
    long counter_ = 0;
    std::unique_ptr<Maps> maps_;
};

#endif
