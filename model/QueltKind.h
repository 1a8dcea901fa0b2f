#ifndef QUELT_MODEL_QUELTKIND_H
#define QUELT_MODEL_QUELTKIND_H

#include "model/DefinitionRecord.h"

// A kind definition: a top-level category of concepts.
class QueltKind : public DefinitionRecord<QueltKind> {
public:
    static constexpr const char* kClassName = "QueltKind";
    static NameRegistry::Policy registryPolicy();

    QueltKind(const std::string& name, long id, const std::string& code,
        const std::string& nameSpace, bool reference);
    QueltKind(const QueltKind&) = default;
    QueltKind& operator=(const QueltKind&) = default;
    virtual ~QueltKind() = default;

    const std::string& getKindname() const { return name; }
    bool getReference() const { return reference; }
    long getNamespaceID() const { return namespaceId; }
    const std::string& getNamespace() const;
    bool isSame(const QueltKind& other) const;

    void addKindToMap() { addToMap(); }
    static long getKindMapID(const std::string& name) { return lookupId(name); }
    static const std::string& getKindMapName(long mapId) { return lookupName(mapId); }
    static bool kindInMap(const std::string& name) { return inMap(name); }

private:
    long namespaceId;
    bool reference;
};

#endif
