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
    const std::string& getName() const { return name_; }
    const std::string& getCode() const { return code_; }
    long getID() const { return id_; }

    // The map id the record's name is registered under (for a repeated name,
    // the first record's); -1 when the name is not registered.
    long getMapID() const { return registry().lookupId(name_); }

    void setCode(const std::string& code)
    {
        if (registry().codeInSet(code))
            Derived::setError(QueltTerminology::CODE_EXISTS);
        else
            code_ = code;
    }
    void setID(long id)
    {
        if (registry().idInSet(id))
            Derived::setError(QueltTerminology::ID_EXISTS);
        else
            id_ = id;
    }
    void clearID() { id_ = -1; }
    void clearCode() { code_.clear(); }

    bool operator==(const Derived& other) const { return name_ == other.name_; }
    bool operator<(const Derived& other) const { return name_ < other.name_; }

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
    DefinitionRecord(const std::string& name, const std::string& code, long id)
        : name_(name)
        , code_(code)
        , id_(id)
    {
        NameRegistry& reg = registry();
        if (reg.count() == 0)
            initializeMaps();
        // Duplicate checks, then the name under the current count, then the
        // id and the code.
        reg.admit(name_, code_, id_, reg.count());
        reg.construct();
    }

    // A record that is not counted as live: for registries that keep a
    // record of their own class (they must not keep themselves alive).
    struct Uncounted { };
    DefinitionRecord(const DefinitionRecord& other, Uncounted)
        : name_(other.name_)
        , code_(other.code_)
        , id_(other.id_)
        , counted_(false)
    {
    }

    DefinitionRecord(const DefinitionRecord& other)
        : name_(other.name_)
        , code_(other.code_)
        , id_(other.id_)
    {
        registry().construct();
    }
    DefinitionRecord& operator=(const DefinitionRecord& other)
    {
        name_ = other.name_;
        code_ = other.code_;
        id_ = other.id_;
        return *this;
    }
    ~DefinitionRecord()
    {
        if (counted_ && registry().destroy())
            Derived::onReleaseMaps();
    }

    // Registers the name under the current live-instance count.
    void addToMap() { registry().add(registry().count(), name_); }

    static void onInitializeMaps() { }
    static void onReleaseMaps() { }

    std::string name_;
    std::string code_;
    long id_;

private:
    bool counted_ = true;
};

#endif
