#ifndef QUELT_MODEL_QUELTPROPERTYDEF_H
#define QUELT_MODEL_QUELTPROPERTYDEF_H

#include "model/DefinitionRecord.h"

#include <vector>

// A property definition: a named text attribute of concepts, optionally
// restricted to a pick list of values.
class QueltPropertyDef : public DefinitionRecord<QueltPropertyDef> {
public:
    static constexpr const char* kClassName = "QueltPropertyDef";
    static NameRegistry::Policy registryPolicy();

    QueltPropertyDef(const std::string& name, const std::string& code, long id,
        const std::string& range, bool localized, bool containsIndex, const std::string& nameSpace);
    QueltPropertyDef(const QueltPropertyDef&) = default;
    QueltPropertyDef& operator=(const QueltPropertyDef&) = default;
    virtual ~QueltPropertyDef() = default;

    const std::string& getRange() const { return range; }
    bool isLocalized() const { return localized; }
    bool isContainsIndex() const { return containsIndex; }
    long getNamespaceID() const { return namespaceId; }
    const std::string& getNamespace() const;
    std::vector<std::string> getPickList() const { return pickListItems; }
    const std::vector<std::string>& pickList() const { return pickListItems; }
    void setPickList(const std::vector<std::string>& items) { pickListItems = items; }
    bool hasPickList() const { return !pickListItems.empty(); }
    // Whether some item of the pick list equals the value exactly.
    bool stringInPickList(const std::string& value) const;
    bool isSame(const QueltPropertyDef& other) const;

    void addPropDefToMap() { addToMap(); }
    static long getPropDefMapID(const std::string& name) { return lookupId(name); }
    static const std::string& getPropDefMapName(long mapId) { return lookupName(mapId); }
    static bool propDefInMap(const std::string& name) { return inMap(name); }

private:
    std::string range;
    bool localized;
    bool containsIndex;
    long namespaceId;
    std::vector<std::string> pickListItems;
};

#endif
