#ifndef QUELT_MODEL_QUELTROLEDEF_H
#define QUELT_MODEL_QUELTROLEDEF_H

#include "model/DefinitionRecord.h"

// A role definition: a relation between concepts of a domain kind and a
// range kind, optionally under a parent role.
class QueltRoleDef : public DefinitionRecord<QueltRoleDef> {
public:
    static constexpr const char* kClassName = "QueltRoleDef";
    static NameRegistry::Policy registryPolicy();

    QueltRoleDef(const std::string& name, const std::string& code, long id,
        const std::string& nameSpace, const std::string& domain, const std::string& range,
        const std::string& right, const std::string& parentRole);
    QueltRoleDef(const QueltRoleDef&) = default;
    QueltRoleDef& operator=(const QueltRoleDef&) = default;
    virtual ~QueltRoleDef() = default;

    long getNamespaceID() const { return namespaceId; }
    const std::string& getNamespace() const;
    long getDomainID() const { return domainId; }
    const std::string& getDomain() const;
    long getRangeID() const { return rangeId; }
    const std::string& getRange() const;
    const std::string& getRight() const { return right; }
    const std::string& getParentRole() const { return parentRole; }
    bool hasParent() const { return !parentRole.empty(); }
    bool isSame(const QueltRoleDef& other) const;

    void addRoleDefToMap() { addToMap(); }
    static long getRoleDefMapID(const std::string& name) { return lookupId(name); }
    static const std::string& getRoleDefMapName(long mapId) { return lookupName(mapId); }
    static bool roleDefInMap(const std::string& name) { return inMap(name); }

private:
    long namespaceId;
    long domainId;
    long rangeId;
    std::string right;
    std::string parentRole;
};

#endif
