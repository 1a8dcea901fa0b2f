#ifndef QUELT_MODEL_DEFINITIONRECORD_H
#define QUELT_MODEL_DEFINITIONRECORD_H

#include "model/ErrorWord.h"
#include "model/NameRegistry.h"
#include "model/QueltTerminology.h"

#include <string>

// What the six definition classes (namespace, kind, role, property,
// association and qualifier definitions) have in common: name, code and id,
// and one class-wide NameRegistry per Derived class. A record constructed
// from fields registers its name under the number of live records of its
// class; copies only count.
//
// Derived supplies:
//   static constexpr const char* kClassName;
//   static NameRegistry::Policy registryPolicy();
// and may hide onInitializeMaps() / onReleaseMaps() for extra registries.
template <class Derived> class DefinitionRecord : public ClassErrors<Derived> {
public:
    const std::string& getName() const { return name; }
    const std::string& getCode() const { return code; }
    long getID() const { return id; }

    // The map id the record's name is registered under (for a repeated name,
    // the first record's); -1 when the name is not registered.
    long getMapID() const { return registry().lookupId(name); }

    void setCode(const std::string& givenCode)
    {
        if (registry().codeInSet(givenCode))
            Derived::setError(QueltTerminology::CODE_EXISTS);
        else
            code = givenCode;
    }
    void setID(long givenId)
    {
        if (registry().idInSet(givenId))
            Derived::setError(QueltTerminology::ID_EXISTS);
        else
            id = givenId;
    }
    void clearID() { id = -1; }
    void clearCode() { code.clear(); }

    bool operator==(const Derived& other) const { return name == other.name; }
    bool operator<(const Derived& other) const { return name < other.name; }

    static bool codeInSet(const std::string& code) { return registry().codeInSet(code); }
    static bool idInSet(long id) { return registry().idInSet(id); }
    static void initializeMaps()
    {
        registry().initialize();
        Derived::onInitializeMaps();
    }

    static long lookupId(const std::string& name) { return registry().lookupId(name); }
    static const std::string& lookupName(long mapId) { return registry().lookupName(mapId); }
    static bool inMap(const std::string& name) { return registry().contains(name); }

    static NameRegistry& registry()
    {
        static NameRegistry reg(Derived::errors(), Derived::registryPolicy());
        return reg;
    }

protected:
    DefinitionRecord(const std::string& givenName, const std::string& givenCode, long givenId)
        : name(givenName)
        , code(givenCode)
        , id(givenId)
    {
        NameRegistry& reg = registry();
        if (reg.count() == 0)
            initializeMaps();
        // Duplicate checks, then the name under the current count, then the
        // id and the code.
        reg.admit(SharedText(name), code, id, reg.count());
        reg.construct();
    }

    // A record that is not counted as live: for registries that keep a
    // record of their own class (they must not keep themselves alive).
    struct Uncounted { };
    DefinitionRecord(const DefinitionRecord& other, Uncounted)
        : name(other.name)
        , code(other.code)
        , id(other.id)
        , counted(false)
    {
    }

    DefinitionRecord(const DefinitionRecord& other)
        : name(other.name)
        , code(other.code)
        , id(other.id)
    {
        registry().construct();
    }
    DefinitionRecord& operator=(const DefinitionRecord& other)
    {
        name = other.name;
        code = other.code;
        id = other.id;
        return *this;
    }
    ~DefinitionRecord()
    {
        if (counted && registry().destroy())
            Derived::onReleaseMaps();
    }

    // Registers the name under the current live-instance count.
    void addToMap() { registry().add(registry().count(), name); }

    static void onInitializeMaps() { }
    static void onReleaseMaps() { }

    std::string name;
    std::string code;
    long id;

private:
    bool counted = true;
};

#endif
