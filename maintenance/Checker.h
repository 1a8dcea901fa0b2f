#ifndef QUELT_MAINTENANCE_CHECKER_H
#define QUELT_MAINTENANCE_CHECKER_H

// The terminology check behind checkTerminology (Check.h), in three files:
// Check.cpp runs it, CheckConcepts.cpp looks at the concepts and
// CheckDefinitions.cpp at the definitions, kinds and root classes.

#include "maintenance/Check.h"
#include "maintenance/FindingKinds.h"
#include "maintenance/LinkCycles.h"
#include "xmlout/OwlNaming.h"
#include "xmlout/XmlText.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace maintenance {

// The text quoted, its control characters shown as \xNN.
std::string quoted(std::string_view text);
// The texts joined by "; ".
std::string joined(const std::vector<std::string>& texts);
// Up to `most` names, quoted, then how many more there are.
std::string listed(const std::vector<std::string>& names, size_t most);

class Checker {
public:
    Checker(const QueltKb& givenKb, const SourceLines& givenLines)
        : kb(givenKb)
        , lines(givenLines)
        , naming(givenKb, OwlNaming::defaultHelpers())
    {
    }

    std::vector<Finding> run(const std::vector<Message>& readerMessages);

private:
    // Where a concept's class holds a text XML cannot carry: what text, and
    // the name of what it belongs to, when it belongs to something named
    // (shown after it, quoted).
    struct Place {
        const char* what = nullptr; // nullptr: nowhere
        const std::string* name = nullptr;
    };
    struct ConceptEntry {
        const QueltConcept* con = nullptr;
        std::uint64_t line = 0;
        Place uncarried; // the first of its own texts XML cannot carry
        // Its names without a definition: [first, last) of
        // lines.undefinedNames.
        size_t firstUndefined = 0;
        size_t lastUndefined = 0;
    };
    // What a concept's own records show: names without a definition,
    // names that cannot be element names (by what they name: "property",
    // "association", "qualifier"), its "RXK" values and its CUI values.
    struct OwnRecords {
        bool undefinedProperty = false;
        bool undefinedAssociation = false;
        bool undefinedQualifier = false;
        std::set<std::pair<std::string, std::string>> bad;
        const std::string* rxk = nullptr; // the last one
        long rxkCount = 0;
        long cuiCount = 0;
    };

    // What is being checked, for the order of findings of the same line.
    enum Phase { ReaderLines, Definitions, Concepts, Roots, Cycles };

    void add(Kind kind, const char* subject, const std::string& name, const std::string& code,
        std::uint64_t line, std::string explanation)
    {
        findings.push_back({ phase,
            Finding { &kindOf(kind), subject, name, code, line, std::move(explanation) } });
    }
    void addConcept(Kind kind, const ConceptEntry& entry, std::string explanation)
    {
        add(kind, "concept", entry.con->getName(), entry.con->getCode(), entry.line,
            std::move(explanation));
    }
    std::uint64_t definitionLine(SourceLines::Definition type, const std::string& name) const
    {
        auto it = firstDefinitions.find({ type, name });
        return it == firstDefinitions.end() ? 0 : it->second;
    }
    // The entry of the concept of that identifier.
    const ConceptEntry& conceptOf(long id) const { return concepts[kb.getConcepts().position(id)]; }
    // Notes the text as the place of the concept's first uncarried text.
    static void noteUncarried(
        Place& place, std::string_view text, const char* what, const std::string* name = nullptr)
    {
        if (place.what == nullptr && !xmltext::carryable(text.data(), text.size())) {
            place.what = what;
            place.name = name;
        }
    }

    void gatherReaderMessages(const std::vector<Message>& readerMessages);

    // CheckConcepts.cpp
    void readConcepts();
    void checkName(const ConceptEntry& entry, long id);
    OwnRecords checkOwnTexts(ConceptEntry& entry);
    void checkOwnProperties(ConceptEntry& entry, OwnRecords& own);
    void checkOwnAssociations(ConceptEntry& entry, OwnRecords& own);
    template <class Record>
    void checkValued(ConceptEntry& entry, const Record& record, const ElementName& name,
        const char* what, const char* where, bool& undefined, OwnRecords& own);
    template <class Record>
    void checkQualifiers(ConceptEntry& entry, const Record& record, OwnRecords& own);
    void checkIdentifier(const ConceptEntry& entry, size_t index, const OwnRecords& own);
    // " ('A', 'B')": the names the document gave the concept's records of
    // that type that have no definition; empty when none is known.
    std::string undefinedNames(const ConceptEntry& entry, SourceLines::Attribute type) const;
    void checkReferences(const ConceptEntry& entry);
    void checkParents(const ConceptEntry& entry, Place& uncarried);
    void checkRoles(const ConceptEntry& entry, Place& uncarried);
    void checkAssociations(const ConceptEntry& entry, Place& uncarried);
    Links linkParents() const;
    void checkCycles();

    // CheckDefinitions.cpp
    void checkDefinitions();
    void checkDefinitionNames();
    void checkRoleDefinitions();
    // withCode: declared with its code and pick list, not only its name.
    template <bool withCode, class Def>
    void checkAnnotationDefinitions(const std::map<long, Def>& defs, SourceLines::Definition type);
    void checkKinds();
    void checkRootClasses();

    const QueltKb& kb;
    const SourceLines& lines;
    const OwlNaming naming;
    Phase phase = ReaderLines;
    std::vector<std::pair<Phase, Finding>> findings;
    // The line of the first definition of each type and name.
    std::map<std::pair<SourceLines::Definition, std::string>, std::uint64_t> firstDefinitions;
    std::vector<ConceptEntry> concepts; // in identifier order
    // Each concept's own last RXK value -> the first concept that has it.
    std::unordered_map<std::string_view, size_t> byRxk;
};

} // namespace maintenance

#endif
