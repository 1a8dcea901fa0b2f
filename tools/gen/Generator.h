#ifndef QUELT_TOOLS_GEN_GENERATOR_H
#define QUELT_TOOLS_GEN_GENERATOR_H

// Writes one terminology: the definitions (GeneratorDefinitions.cpp), then
// the concepts one after the other (GeneratorConcepts.cpp). A concept's name
// is computed from its index, so earlier concepts can be referred to
// without keeping them.

#include "tools/gen/Faults.h"
#include "tools/gen/Output.h"
#include "tools/gen/Random.h"
#include "tools/gen/Vocabulary.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gen {

class Generator {
public:
    Generator(Output& output, const Options& options);

    void run();
    std::vector<FaultRecord> takeRecords() { return faults.takeRecords(); }

private:
    static constexpr std::uint64_t kNameBits = 16;
    static constexpr std::uint64_t kNameMask = (std::uint64_t(1) << kNameBits) - 1;

    Output& out;
    std::uint64_t numConcepts;
    Rng rng;
    std::uint64_t nameMultiplier, nameOffset;
    std::uint32_t rxkBits;
    std::uint64_t rxkMultiplier, rxkOffset;
    std::vector<std::uint32_t> rolesByDomain[kNumKinds];
    std::uint64_t nextDefId = 1;
    std::string name, other, text;

    FaultPlan faults;
    // The fault of the concept being written.
    Fault fault = kNoFault;

    // Definitions.
    void writeDefinitions();
    void idAndNamespace(const char* codePrefix, std::uint64_t codeNumber);
    void pickList(const std::vector<const char*>& items);
    void writeKindDefinitions();
    void writeRoleDefinitions();
    void writePropertyDefinitions();
    void writeQualifierAndAssociationDefinitions();
    void faultyRoleDefinition(
        const char* roleName, const char* code, const char* domain, const char* parent);
    void writeFaultyRoleDefinitions();
    void writeFaultyPropertyDefinitions(std::uint32_t p);
    void stringPropertyDefinition(const char* propertyName, std::uint32_t p);

    // Naming.
    static std::uint32_t kindOf(std::uint64_t con) { return con % kNumKinds; }
    void conceptName(std::uint64_t i, std::string& to) const;
    std::uint64_t rxkNumber(std::uint64_t i) const;
    std::uint64_t earlierOfKind(std::uint64_t i, std::uint32_t kind);

    // Concepts.
    void writeConcept(std::uint64_t i);
    std::uint64_t drawFault(std::uint64_t i, std::uint32_t kind);
    void writeConceptFault(std::uint64_t i, std::uint32_t kind);
    void writeNamesake(std::uint64_t i, std::uint64_t from);
    void writeParents(std::uint64_t i, std::uint32_t kind);
    void writeRole(std::uint64_t i, std::uint32_t kind);
    void writeRoles(std::uint64_t i, std::uint32_t kind);
    void qualifier(std::string_view qualifierName, std::string_view value);
    void property(std::string_view propertyName, std::string_view value);
    void synonym(std::string_view value, const char* termType, const char* locale = nullptr);
    void reordered(std::string& to) const;
    void abbreviation(std::string& to) const;
    void definitionText(std::string& to);
    void writeProperties(std::uint64_t i, std::uint32_t kind, std::uint64_t from);
    void writeSynonyms(std::uint32_t synonyms);
    void definitionProperty(const char* propertyName);
    void writeExtraProperty(std::uint64_t i);
    void writeAssociations(std::uint64_t i);
};

} // namespace gen

#endif
