#ifndef QUELT_MODEL_QUELTNAME_H
#define QUELT_MODEL_QUELTNAME_H

#include "model/DefinitionRecord.h"

// A namespace definition.
class QueltName : public DefinitionRecord<QueltName> {
public:
    static constexpr const char* kClassName = "QueltName";
    static NameRegistry::Policy registryPolicy();

    QueltName(const std::string& name, long id, const std::string& code);
    QueltName(const QueltName&) = default;
    QueltName& operator=(const QueltName&) = default;
    virtual ~QueltName() = default;

    const std::string& getNamespace() const { return name; }
    bool isSame(const QueltName& other) const;

    void addNamespaceToMap() { addToMap(); }
    static long getNamespaceMapID(const std::string& name) { return lookupId(name); }
    static const std::string& getNamespaceMapName(long mapId) { return lookupName(mapId); }
    static bool namespaceInMap(const std::string& name) { return inMap(name); }
};

#endif
