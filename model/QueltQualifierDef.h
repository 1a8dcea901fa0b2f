#ifndef QUELT_MODEL_QUELTQUALIFIERDEF_H
#define QUELT_MODEL_QUELTQUALIFIERDEF_H

#include "model/DefinitionRecord.h"

#include <map>
#include <memory>
#include <vector>

// A qualifier definition: a name/value pair that may qualify a property
// value or an association, of type "CA", "CR" or "CP", optionally with a
// pick list. Besides the name registries the class keeps map id -> record,
// so a qualifier's pick list can be found by its name.
class QueltQualifierDef : public DefinitionRecord<QueltQualifierDef> {
public:
    static constexpr const char* kClassName = "QueltQualifierDef";
    static NameRegistry::Policy registryPolicy();

    QueltQualifierDef(const std::string& name, const std::string& code, long id,
        const std::string& nameSpace, const std::string& type, std::vector<std::string> pickList);
    QueltQualifierDef(const QueltQualifierDef&) = default;
    QueltQualifierDef& operator=(const QueltQualifierDef&) = default;
    virtual ~QueltQualifierDef() = default;

    const std::string& getQualifierType() const { return type; }
    const std::vector<std::string>& getPickList() const { return pickList; }
    bool hasPickList() const { return !pickList.empty(); }
    bool stringInPickList(const std::string& value) const;
    long getNamespaceID() const { return namespaceId; }
    const std::string& getNamespace() const;
    bool isSame(const QueltQualifierDef& other) const;

    // The registered record of that name, or nullptr.
    static const QueltQualifierDef* getQualifierDef(const std::string& name);
    static bool hasPickList(const std::string& name);
    static bool stringInPickList(const std::string& name, const std::string& value);

    void addQualifierDefToMap();
    static long getQualifierDefMapID(const std::string& name) { return lookupId(name); }
    static const std::string& getQualifierDefMapName(long mapId) { return lookupName(mapId); }
    static bool qualifierDefInMap(const std::string& name) { return inMap(name); }

    static void onInitializeMaps();
    static void onReleaseMaps();

private:
    QueltQualifierDef(const QueltQualifierDef& other, Uncounted);
    void registerRecord(long mapId) const;

    long namespaceId;
    std::string type;
    std::vector<std::string> pickList;

    using RecordMap = std::map<long, std::unique_ptr<QueltQualifierDef>>;
    static std::unique_ptr<RecordMap> records;
};

#endif
