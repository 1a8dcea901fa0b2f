#ifndef QUELT_TOOLS_GEN_GENERATOR_H
#define QUELT_TOOLS_GEN_GENERATOR_H

// Writes one terminology: the definitions (GeneratorDefinitions.cpp), then
// the concepts one after the other, each drawn into a draft
// (GeneratorConcepts.cpp), changed when a newer version is asked for
// (ChangePlan.h) and written (GeneratorWriting.cpp). A concept's name is
// computed from its index, so earlier concepts can be referred to without
// keeping them.

#include "tools/gen/ChangePlan.h"
#include "tools/gen/Draft.h"
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
    ChangeLog takeChanges() { return changes.takeLog(); }

private:
    Output& out;
    std::uint64_t numConcepts;
    Rng rng;
    ConceptNaming naming;
    std::uint32_t rxkBits;
    std::uint64_t rxkMultiplier, rxkOffset;
    std::uint64_t nextDefId = 1;
    std::string other, text;

    FaultPlan faults;
    ChangePlan changes;
    // The concept being drawn, and one whose place in the document the
    // newer version moves after the next concept.
    ConceptDraft draft, held;
    bool holding = false;

    // Definitions.
    void writeDefinitions();
    void idAndNamespace(const char* codePrefix, std::uint64_t codeNumber);
    void pickList(const std::vector<const char*>& items, const char* extra);
    void writeKindDefinitions();
    void writeRoleDefinitions();
    void writePropertyDefinitions();
    void writeQualifierAndAssociationDefinitions();
    void faultyRoleDefinition(
        const char* roleName, const char* code, const char* domain, const char* parent);
    void writeFaultyRoleDefinitions();
    void writeFaultyPropertyDefinitions(std::uint32_t p);
    void stringPropertyDefinition(const char* propertyName, std::uint32_t p);
    void leaveOut(const PropertyDef& property, std::uint32_t p);
    void addPropertyDefinition();

    // Naming.
    static std::uint32_t kindOf(std::uint64_t con) { return con % kNumKinds; }
    std::uint64_t rxkNumber(std::uint64_t i) const;

    // Drawing a concept into the draft.
    void drawConcept(std::uint64_t i);
    void drawFault(std::uint64_t i, std::uint32_t kind);
    void drawParents(std::uint64_t i, std::uint32_t kind);
    void drawRole(std::uint64_t i, std::uint32_t kind, std::uint32_t group);
    void drawRoles(std::uint64_t i, std::uint32_t kind);
    DraftProperty& synonym(
        std::string_view value, const char* termType, const char* locale = nullptr);
    void reordered(std::string& to) const;
    void abbreviation(std::string& to) const;
    void definitionText(std::string& to);
    void drawProperties(std::uint64_t i, std::uint32_t kind);
    void drawSynonyms(std::uint32_t synonyms);
    void definitionProperty(const char* propertyName);
    void drawExtraProperty(std::uint64_t i);
    void drawAssociations(std::uint64_t i);

    // Writing a draft.
    void writeConcept(const ConceptDraft& con);
    void writeTargetName(std::string_view tag, std::uint64_t target);
    void writeParents(const ConceptDraft& con);
    void writeRoles(const ConceptDraft& con);
    void qualifier(const DraftQualifier& q);
    void writeProperties(const ConceptDraft& con);
    void writeAssociations(const ConceptDraft& con);
    void writeConceptFault(const ConceptDraft& con);
    void writeExtraConcept(const ConceptDraft& con);
};

} // namespace gen

#endif
