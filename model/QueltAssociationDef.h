#ifndef QUELT_MODEL_QUELTASSOCIATIONDEF_H
#define QUELT_MODEL_QUELTASSOCIATIONDEF_H

#include "model/DefinitionRecord.h"

// An association definition: a named, non-defining link between concepts.
class QueltAssociationDef : public DefinitionRecord<QueltAssociationDef> {
public:
    static constexpr const char* kClassName = "QueltAssociationDef";
    static NameRegistry::Policy registryPolicy();

    QueltAssociationDef(const std::string& name, const std::string& code, long id,
        const std::string& inverse, bool displayable, const std::string& nameSpace);
    QueltAssociationDef(const QueltAssociationDef&) = default;
    QueltAssociationDef& operator=(const QueltAssociationDef&) = default;
    virtual ~QueltAssociationDef() = default;

    const std::string& getInverse() const { return inverse; }
    void setInverse(const std::string& givenInverse) { inverse = givenInverse; }
    bool hasInverse() const { return !inverse.empty(); }
    bool isDisplayable() const { return displayable; }
    void setDisplayable(bool givenDisplayable) { displayable = givenDisplayable; }
    long getNamespaceID() const { return namespaceId; }
    const std::string& getNamespace() const;
    bool isSame(const QueltAssociationDef& other) const;

    void addAssocDefToMap() { addToMap(); }
    static long getAssocDefMapID(const std::string& name) { return lookupId(name); }
    static const std::string& getAssocDefMapName(long mapId) { return lookupName(mapId); }
    static bool assocDefInMap(const std::string& name) { return inMap(name); }

private:
    std::string inverse;
    bool displayable;
    long namespaceId;
};

#endif
