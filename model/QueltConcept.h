#ifndef QUELT_MODEL_QUELTCONCEPT_H
#define QUELT_MODEL_QUELTCONCEPT_H

#include "model/ErrorWord.h"
#include "model/FlatContainers.h"
#include "model/NameRegistry.h"
#include "model/QueltAssociation.h"
#include "model/QueltProperty.h"
#include "model/QueltRole.h"

#include <ostream>
#include <string>
#include <vector>

// One concept of the terminology: name, code, id, namespace and kind,
// defined or primitive, its parents by name, and its roles, properties and
// associations, each kept in a multimap under the map id of its name so they
// iterate in the order the names were defined. The containers are flat
// (FlatContainers.h): a knowledge base holds very many concepts. The name
// and the parents' names are SharedTexts, shared with the registries and
// with every record that names the same concept.
class QueltConcept : public ClassErrors<QueltConcept> {
public:
    static constexpr const char* kClassName = "QueltConcept";

    using ParentSet = TextSet;
    using RoleMap = KeyedList<QueltRole>;
    using PropertyMap = KeyedList<QueltProperty>;
    using AssociationMap = KeyedList<QueltAssociation>;
    using RoleGroupTally = CountMap;

    // Name and code are taken by value, so a caller may move them in.
    QueltConcept(std::string name, std::string code, long id, const std::string& nameSpace,
        const std::string& kind, bool state);
    QueltConcept(SharedText name, std::string code, long id, const std::string& nameSpace,
        const std::string& kind, bool state);
    QueltConcept(const QueltConcept& other);
    QueltConcept(QueltConcept&& other);
    QueltConcept& operator=(const QueltConcept& other);
    virtual ~QueltConcept();

    // Identity.
    const std::string& getName() const { return name.str(); }
    const SharedText& sharedName() const { return name; }
    void setName(const std::string& name);
    void reName(const std::string& name);
    const std::string& getCode() const { return code; }
    void setCode(const std::string& code);
    void clearCode() { code.clear(); }
    long getID() const { return id; }
    std::string getID(char unused) const;
    void setID(long id);
    void clearID() { id = -1; }
    long getMapID() const { return mapId; }
    long getNamespaceID() const { return namespaceId; }
    const std::string& getNamespace() const;
    void setNamespace(const std::string& nameSpace);
    long getKindID() const { return kindId; }
    const std::string& getKind() const;
    void setKind(const std::string& kind);
    void clearKind() { kindId = -1; }
    bool getState() const { return state; }
    void setState(bool givenState) { state = givenState; }
    void setDefined() { state = true; }
    void setPrimitive() { state = false; }
    void clear();

    // Parents.
    const ParentSet& getParents() const { return parents; }
    long getNumParents() const { return static_cast<long>(parents.size()); }
    ParentSet::const_iterator getFirstParent() const { return parents.begin(); }
    ParentSet::const_iterator getEndParent() const { return parents.end(); }
    void addParent(const std::string& givenName) { parents.insert(SharedText(givenName)); }
    void addParent(std::string&& givenName) { parents.insert(SharedText(std::move(givenName))); }
    void addParent(SharedText givenName) { parents.insert(std::move(givenName)); }
    void addParents(const std::vector<std::string>& names);
    void addParents(std::vector<std::string>&& names);
    void deleteParent(const std::string& givenName) { parents.erase(givenName); }

    // Roles and role groups.
    const RoleMap& getRoles() const { return roles; }
    long getNumRoles() const { return static_cast<long>(roles.size()); }
    RoleMap::const_iterator getFirstRole() const { return roles.begin(); }
    RoleMap::const_iterator getEndRole() const { return roles.end(); }
    void addRole(const QueltRole& role);
    void addRole(QueltRole&& role);
    void addRoles(const std::vector<QueltRole>& roles);
    void addRoles(std::vector<QueltRole>&& roles);
    long getNumRoleGroups() const;
    bool hasRolegroups() const;
    bool hasAllRolesInGroup() const;
    const RoleGroupTally& getRoleGroupTally() const { return roleGroups; }
    void setRoleValue(RoleMap::iterator it, const std::string& value);
    RoleMap::iterator roleIterator() { return roles.begin(); }
    void deleteRole(const std::string& name, const std::string& value);
    void deleteRole(const std::string& name);
    void deleteRole(const QueltRole& role);
    void deleteAllRoles();
    bool hasRole(const std::string& name) const;
    bool hasRole(const QueltRole& role) const;

    // Properties.
    const PropertyMap& getProperties() const { return properties; }
    long getNumProperties() const { return static_cast<long>(properties.size()); }
    PropertyMap::const_iterator getFirstProperty() const { return properties.begin(); }
    PropertyMap::const_iterator getEndProperty() const { return properties.end(); }
    void addProperty(const QueltProperty& property);
    void addProperty(QueltProperty&& property);
    void addProperties(const std::vector<QueltProperty>& properties);
    void addProperties(std::vector<QueltProperty>&& properties);
    PropertyMap::const_iterator findProperty(const std::string& name) const;
    PropertyMap::iterator propertyIterator(const std::string& name);
    std::string getPropertyValue(const std::string& name) const;
    long getPropertyNumber(const std::string& name) const;
    void setPropertyValue(PropertyMap::iterator it, const std::string& value);
    void deleteProperty(const std::string& name, const std::string& value);
    void deleteProperty(const QueltProperty& property);
    void deleteProperty(const std::string& name);
    void deleteAllProperties() { properties.clear(); }

    // Associations.
    const AssociationMap& getAssociations() const { return associations; }
    long getNumAssociations() const { return static_cast<long>(associations.size()); }
    void addAssociation(const QueltAssociation& association);
    void addAssociation(QueltAssociation&& association);
    void addAssociations(const std::vector<QueltAssociation>& associations);
    void addAssociations(std::vector<QueltAssociation>&& associations);
    void deleteAssociation(const QueltAssociation& association);
    void deleteAllAssociations() { associations.clear(); }

    // Comparisons.
    bool hasSameName(const QueltConcept& other) const { return name == other.name; }
    bool hasSameCode(const QueltConcept& other) const { return code == other.code; }
    bool hasSameID(const QueltConcept& other) const { return id == other.id; }
    bool hasSameNamespace(const QueltConcept& other) const;
    bool hasSameKind(const QueltConcept& other) const { return kindId == other.kindId; }
    bool hasSameState(const QueltConcept& other) const { return state == other.state; }
    bool hasSameParents(const QueltConcept& other) const { return parents == other.parents; }
    bool hasSameRoles(const QueltConcept& other) const { return roles == other.roles; }
    bool hasSameProperties(const QueltConcept& other) const;
    bool hasSameAssociations(const QueltConcept& other) const;
    bool hasLessThanRoles(const QueltConcept& other) const { return roles < other.roles; }
    bool hasLessThanProperties(const QueltConcept& other) const;
    bool hasLessThanAssociations(const QueltConcept& other) const;
    bool operator==(const QueltConcept& other) const;
    bool isSame(const QueltConcept& other) const { return *this == other; }
    bool operator<(const QueltConcept& other) const;

    // Class-wide registries.
    static void initializeMaps() { registry().initialize(); }
    void addConceptToMap() { registry().add(mapId, name); }
    static bool conceptInMap(const std::string& name) { return registry().contains(name); }
    static long getConceptMapID(const std::string& name) { return registry().lookupId(name); }
    static const std::string& getConceptMapName(long mapId) { return registry().lookupName(mapId); }
    static bool codeInSet(const std::string& code) { return registry().codeInSet(code); }
    static bool idInSet(long id) { return registry().idInSet(id); }
    static NameRegistry& registry();

private:
    // The registries are made ready (created for the first concept) before
    // the constructor proper runs.
    struct Ready { };
    static Ready ready();
    static SharedText readyName(std::string&& name);
    QueltConcept(Ready, SharedText name, std::string code, long id, const std::string& nameSpace,
        const std::string& kind, bool state);
    void countRole(long group, long delta);
    template <class Pred> void eraseRolesIf(Pred pred);

    SharedText name;
    std::string code;
    long id;
    long namespaceId;
    long kindId;
    bool state;
    ParentSet parents;
    long mapId;
    RoleMap roles;
    PropertyMap properties;
    AssociationMap associations;
    RoleGroupTally roleGroups;
};

std::ostream& operator<<(std::ostream& out, const QueltConcept& con);

#endif
