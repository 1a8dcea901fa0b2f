#ifndef QUELT_MODEL_QUELTKB_H
#define QUELT_MODEL_QUELTKB_H

#include "model/ConceptStore.h"
#include "model/Console.h"
#include "model/QueltAssociationDef.h"
#include "model/QueltConcept.h"
#include "model/QueltKind.h"
#include "model/QueltName.h"
#include "model/QueltPropertyDef.h"
#include "model/QueltQualifierDef.h"
#include "model/QueltRoleDef.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// The in-memory knowledge base of one terminology: every definition, filed
// under its map id, every concept, filed under an identifier handed out in
// order of arrival, and indexes from names, codes, CUIs, terms and stems to
// concept identifiers.
//
// The name index is kept up to date as concepts arrive. The other indexes
// (term, stem, parent, CUI, code) are filled on first use, in identifier
// order. Property names are resolved through the definition registries,
// which can change or go away after a concept arrives, so which properties
// of a concept are its CUI and terms is found on arrival and only their
// indexing is deferred. A stored concept changes only through a reference
// from getConcept, which indexes the concepts waiting first; so the
// indexes answer exactly as if built on arrival.
//
// Its messages go to the console it was given. A lookup of a concept that
// does not exist raises a QueltError.
//
// Reading and writing Ontylog XML, writing OWL, matching against another
// knowledge base, importing a term list and comparing two versions are
// members too, but each is the work of its own layer, built over this one:
// they are defined there (ontylog/, owl/, maintenance/), each in one file
// that hands the call on, and nothing in this class calls them.
class QueltKb {
public:
    using ConceptMap = ConceptStore;

    // Prints "track: 060828" on the console's error stream.
    explicit QueltKb(Console& console = Console::standard());
    QueltKb(const QueltKb& other);
    QueltKb& operator=(const QueltKb& other) = default;
    virtual ~QueltKb() = default;

    Console& getConsole() const { return *console; }
    const std::string& getKbName() const { return kbName; }
    void setKbName(const std::string& name) { kbName = name; }

    // Building; each returns the knowledge base for chaining. A definition
    // whose map id is already filed is dropped.
    QueltKb& addNamespace(const QueltName& def);
    QueltKb& addKind(const QueltKind& def);
    QueltKb& addPropertyDef(const QueltPropertyDef& def);
    QueltKb& addRoleDef(const QueltRoleDef& def);
    QueltKb& addAssociationDef(const QueltAssociationDef& def);
    QueltKb& addQualifierDef(const QueltQualifierDef& def);
    QueltKb& addConcept(const QueltConcept& con);
    QueltKb& addConcept(QueltConcept&& con);
    // Room for about `count` more concepts in the name maps, taken before a
    // large terminology is read so the maps need not grow step by step.
    void reserveConcepts(std::size_t count);

    // Containers, read-only.
    const std::map<long, QueltName>& getNames() const { return kbNames; }
    const std::map<long, QueltKind>& getKinds() const { return kbKinds; }
    const std::map<long, QueltPropertyDef>& getPropertyDefs() const { return kbProps; }
    const std::map<long, QueltRoleDef>& getRoleDefs() const { return kbRoles; }
    const std::map<long, QueltAssociationDef>& getAssociationDefs() const { return kbAssocs; }
    const std::map<long, QueltQualifierDef>& getQualifierDefs() const { return kbQuals; }
    const ConceptMap& getConcepts() const { return kbConcepts; }

    // Lookups. The two that give a concept to change index the concepts
    // that wait for it first.
    long getIDFromName(const std::string& name) const;
    QueltConcept& getConcept(long id);
    const QueltConcept& getConcept(long id) const;
    QueltConcept& getConcept(const std::string& name);
    const std::string& getConceptName(long id) const;
    // Moves the concept out, leaving an empty record under its id, without
    // indexing what waits: the indexes no longer answer for what is taken,
    // and the knowledge base is fit only to be destroyed once a concept was.
    QueltConcept takeConcept(long id);
    std::string getConceptKind(long id);
    std::string getConceptKind(const QueltConcept& con) const;
    void findKinds(const QueltConcept& con, std::set<std::string>& kinds) const;
    void findRootConcepts(std::set<std::string>& roots) const;
    long getNumKinds() const { return static_cast<long>(kbKinds.size()); }
    long getNumConcepts() const { return static_cast<long>(kbConcepts.size()); }
    long getNumRoles() const { return static_cast<long>(kbRoles.size()); }
    long getNumProps() const { return static_cast<long>(kbProps.size()); }
    long getNumNames() const { return static_cast<long>(kbNames.size()); }
    long getNumAssocs() const { return static_cast<long>(kbAssocs.size()); }
    long getNumQuals() const { return static_cast<long>(kbQuals.size()); }
    std::string toLower(const std::string& text) const;

    // Index lookups (term and stem matching).
    bool conceptNameInKB(const std::string& name) const;
    bool termInKB(const std::string& term) const;
    bool alphastemtermInKB(const std::string& term) const;
    long getIDFromCui(const std::string& cui) const;
    long getIDFromCode(const std::string& code) const;
    void getIDFromTerm(const std::string& term, std::set<long>& ids) const;
    void getIDFromAlphaStemTerm(const std::string& term, std::set<long>& ids) const;
    void getIDFromAlphaStemTermsTerm(const std::string& term, std::set<long>& ids) const;
    // The concepts whose terms have this sorted stem sequence (as the
    // stem terms of getAlphaStemConceptTerms are, so it is not stemmed again).
    void getIDFromStemSequence(const std::string& stems, std::set<long>& ids) const;
    void getConceptTerms(const QueltConcept& con, std::set<std::string>& terms) const;
    void getAlphaStemConceptTerms(const QueltConcept& con, std::set<std::string>& terms) const;
    void getChildIDs(const std::string& parentName, std::set<long>& ids) const;
    // Key of the stem indexes: the sorted stem sequence of the lower-cased text.
    std::string stemKey(const std::string& text) const;

    // Matching against another knowledge base (maintenance/).
    int simpleMatchKB(QueltKb& other, const std::string& conceptName, std::set<long>& matches);
    int alphaStemMatchKB(QueltKb& other, const std::string& conceptName, std::set<long>& matches);

    // Term-list import (maintenance/): one primitive concept per non-empty
    // line. A file that cannot be read raises a QueltError.
    void readFlatFile(const std::string& fileName, const std::string& nameSpace,
        const std::string& kind, const std::string& semanticType, const std::string& parent,
        const std::string& unused);

    // Comparison of two versions by concept code (maintenance/).
    QueltKb& copyDefsTo(QueltKb& target) const;
    QueltKb& diff_Concepts(QueltKb& other, QueltKb& target) const;
    void unique_Concepts(const QueltKb& other, QueltKb& target) const;

    // Ontylog XML input (ontylog/). Returns false when the document could not be read
    // completely (the parser stopped at a fatal error); what was read before
    // stays in the knowledge base.
    bool readQueltXMLFile(const std::string& fileName);
    // Ontylog XML output (ontylog/). Returns false, after one line on standard error,
    // when the file cannot be written or a text cannot be carried by XML.
    bool writeQueltXMLFile(const std::string& fileName, bool renumber);

    // OWL output (owl/). Returns false, after one line on standard error, when the
    // file cannot be written or a text cannot be carried by XML.
    bool writeMedvex2OWLFile(
        std::string& fileName, std::vector<std::string>& headerLines, std::string& nameSpace);
    std::string verifyOutString(const std::string& text) const;
    bool isValidOWL(const std::string& name) const;

private:
    // Where the CUI and term indexes find their values in a concept, found
    // on arrival: the positions of the properties among the concept's
    // properties; the term positions of all pending concepts one after the
    // other in pendingTerms.
    struct ArrivalKeys {
        static const std::uint32_t kNoCui = ~std::uint32_t(0); // index the empty CUI
        static const std::uint32_t kSeveralCuis = kNoCui - 1; // index no CUI
        std::uint32_t cui;
        std::uint32_t termsEnd; // this concept's terms end here in pendingTerms
    };
    void indexPending() const;
    void indexConcept(
        long id, const QueltConcept& con, const ArrivalKeys& keys, std::size_t termsBegin) const;
    QueltKb& fileConcept(QueltConcept&& stored);
    void keepArrivalKeys(const QueltConcept& con);
    // Bits of propertyNameBits().
    static const unsigned kCuiName = 1;
    static const unsigned kTermName = 2; // Preferred_Name or FULL_SYN
    // Which of the property names the indexes look for the property
    // definition registered under mapId is. The registry must be present.
    unsigned propertyNameBits(long mapId) const;

    Console* console;
    std::string kbName;
    std::map<long, QueltName> kbNames;
    std::map<long, QueltKind> kbKinds;
    std::map<long, QueltPropertyDef> kbProps;
    std::map<long, QueltRoleDef> kbRoles;
    std::map<long, QueltAssociationDef> kbAssocs;
    std::map<long, QueltQualifierDef> kbQuals;
    ConceptMap kbConcepts;
    // Never iterated, so hashed: it is looked up and filled once per concept.
    SharedTextMap<long> nameToID;
    mutable std::multimap<std::string, long> termToID;
    mutable std::multimap<std::string, long> stemTermToID;
    mutable std::multimap<std::string, long> parentToID;
    mutable std::map<std::string, long> cuiToID;
    mutable std::map<std::string, long> codeToID;
    mutable std::multimap<std::string, long> stemNameToID;
    // Arrival keys of the concepts not yet indexed, the last ones stored, in
    // identifier order.
    mutable std::vector<ArrivalKeys> pendingKeys;
    mutable std::vector<std::uint32_t> pendingTerms;
    // propertyNameBits() answers, by map id, for one generation of the
    // property definition registry; 0xFF = not yet known.
    mutable std::uint64_t nameBitsGeneration = 0;
    mutable std::vector<unsigned char> nameBits;

    static long s_conMapID;
};

#endif
