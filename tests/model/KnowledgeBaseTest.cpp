// The knowledge base: concept identifiers, repeated names, the CUI, code,
// term and stem indexes, kind search through ancestors, and the lookups
// that end the process.

#include "tests/support/TestSupport.h"

#include <initializer_list>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace quelttest;

using Properties = std::vector<std::pair<std::string, std::string>>;

QueltConcept makeConcept(const std::string& name, const std::vector<std::string>& parents = {},
    const std::string& kind = "", const Properties& properties = {})
{
    QueltConcept con(name, "", 0, "", kind, false);
    con.addParents(parents);
    for (const auto& p : properties)
        con.addProperty(QueltProperty(p.first, p.second, ""));
    return con;
}

QueltConcept withProperties(const std::string& name, const Properties& properties)
{
    return makeConcept(name, {}, "", properties);
}

// Property definitions for the indexed property names, alive for a test.
struct IndexedPropertyDefs {
    QueltPropertyDef preferred { "Preferred_Name", "P1", 1, "string", false, false, "" };
    QueltPropertyDef fullSyn { "FULL_SYN", "P2", 2, "string", false, false, "" };
    QueltPropertyDef cui { "CUI", "P3", 3, "string", false, false, "" };
    QueltPropertyDef synonym { "Synonym", "P4", 4, "string", false, false, "" };
};

std::set<long> idsOf(const QueltKb& kb, std::initializer_list<const char*> names)
{
    std::set<long> ids;
    for (const char* name : names)
        ids.insert(kb.getIDFromName(name));
    return ids;
}

TEST_F(KbTest, ConceptIdentifiersComeFromOneCounterForAllKnowledgeBases)
{
    std::unique_ptr<QueltKb> first;
    EXPECT_EQ(stderrOf([&] { first = std::make_unique<QueltKb>(); }), "track: 060828\n");
    first->addConcept(makeConcept("One")).addConcept(makeConcept("Two"));
    const long one = first->getIDFromName("One");
    EXPECT_EQ(first->getIDFromName("Two"), one + 1);
    auto second = quietKb();
    second->addConcept(makeConcept("Three"));
    EXPECT_EQ(second->getIDFromName("Three"), one + 2);
    EXPECT_EQ(second->getIDFromName("One"), -1);
    first->addConcept(makeConcept("Four"));
    EXPECT_EQ(first->getIDFromName("Four"), one + 3);
    EXPECT_EQ(first->getConceptName(one + 1), "Two");
    EXPECT_EQ(&first->getConceptName(one + 2), &T::emptyString);
}

TEST_F(KbTest, RepeatedConceptNameIsReportedAndBothConceptsAreKept)
{
    auto kb = quietKb();
    kb->addConcept(QueltConcept("A", "C1", 0, "", "", false));
    EXPECT_EQ(stdoutOf([&] { kb->addConcept(QueltConcept("A", "C2", 0, "", "", false)); }),
        "ERROR::addConcept:DupConceptName\tA\n");
    kb->addConcept(QueltConcept("B", "C1", 0, "", "", false));

    const long first = kb->getIDFromName("A");
    EXPECT_EQ(kb->getNumConcepts(), 3);
    EXPECT_EQ(kb->getConcept(first + 1).getCode(), "C2");
    EXPECT_EQ(kb->getConcept("A").getCode(), "C1");
    // The code index keeps the first concept of a code, exactly as written.
    EXPECT_EQ(kb->getIDFromCode("C2"), first + 1);
    EXPECT_EQ(kb->getIDFromCode("C1"), first);
    EXPECT_EQ(kb->getIDFromCode("c1"), -1);
}

TEST_F(KbTest, CuiIndexSkipsConceptsWithSeveralCuisAndKeepsTheFirstOfAValue)
{
    IndexedPropertyDefs defs;
    auto kb = quietKb();
    EXPECT_EQ(stderrOf([&] {
        kb->addConcept(withProperties("Multi", { { "CUI", "C001" }, { "CUI", "C002" } }));
    }),
        "ERROR::addConcept:MultiCUI\tMulti\n");
    EXPECT_EQ(stderrOf([&] {
        kb->addConcept(withProperties("NoCui1", { { "Synonym", "x" } }));
        kb->addConcept(withProperties("One", { { "CUI", "C003" } }));
        kb->addConcept(withProperties("NoCui2", {}));
        kb->addConcept(withProperties("OneAgain", { { "CUI", "C003" } }));
    }),
        "");
    EXPECT_EQ(kb->getNumConcepts(), 5);
    EXPECT_EQ(kb->getIDFromCui("C001"), -1);
    EXPECT_EQ(kb->getIDFromCui("C002"), -1);
    EXPECT_EQ(kb->getIDFromCui("C003"), kb->getIDFromName("One"));
    EXPECT_EQ(kb->getIDFromCui(""), kb->getIDFromName("NoCui1"));
    EXPECT_EQ(kb->getIDFromCui("c003"), -1);
}

// The term index holds the lower-cased Preferred_Name and FULL_SYN values;
// the stem indexes the sorted stems of the names and of those values.
TEST_F(KbTest, TermAndStemIndexes)
{
    IndexedPropertyDefs defs;
    auto kb = quietKb();
    kb->addConcept(withProperties("Concept_1",
        { { "Preferred_Name", "Alpha Beta" }, { "FULL_SYN", "GAMMA <b>Delta</b>" },
            { "Synonym", "Epsilon" } }));
    kb->addConcept(withProperties("Concept_2", { { "FULL_SYN", "alpha beta" } }));
    kb->addConcept(makeConcept("Aspirin Tablets"));
    kb->addConcept(withProperties("Drug_1", { { "FULL_SYN", "aspirin tablets" } }));
    kb->addConcept(withProperties("Drug_2", { { "Preferred_Name", "Tablet of Aspirin" } }));
    for (const char* term : { "alpha beta", "ALPHA Beta", "gamma <b>delta</b>" })
        EXPECT_TRUE(kb->termInKB(term)) << term;
    for (const char* term : { "epsilon", "concept_1", "alpha", "tablet aspirin" })
        EXPECT_FALSE(kb->termInKB(term)) << term;

    std::set<long> ids { -7 }; // added to, not replaced
    kb->getIDFromTerm("Alpha Beta", ids);
    EXPECT_EQ(ids,
        (std::set<long> { -7, kb->getIDFromName("Concept_1"), kb->getIDFromName("Concept_2") }));
    std::set<long> byName;
    kb->getIDFromAlphaStemTerm("tablet ASPIRIN", byName);
    EXPECT_EQ(byName, idsOf(*kb, { "Aspirin Tablets" }));
    std::set<long> byTerm;
    kb->getIDFromAlphaStemTermsTerm("Tablet Aspirin", byTerm);
    EXPECT_EQ(byTerm, idsOf(*kb, { "Drug_1", "Drug_2" }));
    EXPECT_TRUE(kb->alphastemtermInKB("aspirin tablet"));
    EXPECT_FALSE(kb->alphastemtermInKB("aspirin"));
    // The keys of both are lower-cased from A to Z only: not the bytes
    // around them, nor the bytes of UTF-8.
    EXPECT_EQ(kb->toLower("@AZ[`az{\xC3\x89"), "@az[`az{\xC3\x89");
}

// The indexes are filled on first use; that must not change their answers.
TEST_F(KbTest, IndexesAnswerAsIfFilledWhenEachConceptArrived)
{
    auto kb = quietKb();
    {
        IndexedPropertyDefs defs;
        kb->addConcept(
            withProperties("Early", { { "Preferred_Name", "Early Term" }, { "CUI", "C1" } }));
        EXPECT_TRUE(kb->termInKB("early term"));
        kb->addConcept(withProperties("Late", { { "FULL_SYN", "Late Term" }, { "CUI", "C2" } }));
        kb->addConcept(
            withProperties("Later", { { "Preferred_Name", "Later Term" }, { "CUI", "C3" } }));
    }
    // The property definitions that named the terms are gone now; the
    // concepts had them when they were added.
    EXPECT_TRUE(kb->termInKB("late term"));
    EXPECT_TRUE(kb->termInKB("later term"));
    EXPECT_TRUE(kb->alphastemtermInKB("Terms Later"));
    EXPECT_EQ(kb->getIDFromCui("C2"), kb->getIDFromName("Late"));
    EXPECT_EQ(kb->getIDFromCui("C3"), kb->getIDFromName("Later"));
    EXPECT_EQ(kb->getIDFromCui(""), -1);
}

// A concept's kind is the first, in byte order, of the kinds of the roots
// it descends from; the kinds of ancestors in between are not looked at.
// Missing parents are skipped and cycles end the search.
TEST_F(KbTest, ConceptKindIsTheFirstKindAmongRootAncestors)
{
    QueltKind alpha("Alpha_Kind", 1, "K1", "", true);
    QueltKind beta("Beta_Kind", 2, "K2", "", true);
    QueltKind early("Aaa_Kind", 3, "K3", "", true);
    auto kb = quietKb();
    kb->addConcept(makeConcept("Root_B", {}, "Beta_Kind"));
    kb->addConcept(makeConcept("Root_A", {}, "Alpha_Kind"));
    kb->addConcept(makeConcept("Root_None"));
    kb->addConcept(makeConcept("Middle", { "Root_B" }, "Aaa_Kind"));
    kb->addConcept(makeConcept("Leaf", { "Middle", "Root_A" }));
    kb->addConcept(makeConcept("Grandchild", { "Leaf" }));
    kb->addConcept(makeConcept("Mixed", { "Root_B", "Root_None" }));
    kb->addConcept(makeConcept("Half_Known", { "Ghost", "Root_B" }));
    kb->addConcept(makeConcept("Unknown_Only", { "Ghost" }));
    kb->addConcept(makeConcept("Self", { "Self" }));
    kb->addConcept(makeConcept("Ping", { "Pong", "Root_A" }));
    kb->addConcept(makeConcept("Pong", { "Ping" }));
    kb->addConcept(makeConcept("Loop_1", { "Loop_2" }));
    kb->addConcept(makeConcept("Loop_2", { "Loop_3" }));
    kb->addConcept(makeConcept("Loop_3", { "Loop_1", "Root_B" }));

    const std::pair<const char*, const char*> cases[] = { { "Root_B", "Beta_Kind" },
        { "Middle", "Aaa_Kind" }, { "Leaf", "Alpha_Kind" }, { "Grandchild", "Alpha_Kind" },
        { "Mixed", "" }, // a root without a kind gives the empty text, which sorts first
        { "Half_Known", "Beta_Kind" }, { "Unknown_Only", "" }, { "Self", "" },
        { "Pong", "Alpha_Kind" }, { "Loop_1", "Beta_Kind" } };
    for (const auto& c : cases)
        EXPECT_EQ(kb->getConceptKind(kb->getIDFromName(c.first)), c.second) << c.first;

    // A concept that is not stored is answered through its parents too.
    EXPECT_EQ(kb->getConceptKind(makeConcept("Outside", { "Root_B" })), "Beta_Kind");
}

TEST_F(KbTest, ConceptKindOfAVeryDeepHierarchy)
{
    const int depth = 100000;
    QueltKind alpha("Alpha_Kind", 1, "K1", "", true);
    auto kb = quietKb();
    kb->addConcept(makeConcept("N0", {}, "Alpha_Kind"));
    for (int i = 1; i < depth; ++i)
        kb->addConcept(makeConcept("N" + std::to_string(i), { "N" + std::to_string(i - 1) }));
    ASSERT_EQ(kb->getNumConcepts(), depth);
    EXPECT_EQ(kb->getConceptKind(kb->getIDFromName("N" + std::to_string(depth - 1))), "Alpha_Kind");
}

TEST_F(KbTest, LookupOfAMissingConceptRaisesAnErrorWithStatusOne)
{
    auto kb = quietKb();
    kb->addConcept(makeConcept("Present"));
    const QueltKb& constKb = *kb;
    EXPECT_EQ(raisedBy([&] { kb->getConcept(0L); }),
        "status 1\nerr: FATAL ERROR. Requested concept with non-existent ID = 0. Exiting.\n");
    EXPECT_EQ(raisedBy([&] { constKb.getConcept(-3L); }),
        "status 1\nerr: FATAL ERROR. Requested concept with non-existent ID = -3. Exiting.\n");
    EXPECT_EQ(raisedBy([&] { kb->getConcept(std::string("Absent")); }),
        "status 1\nerr: FATAL ERROR. Requested concept with non-existent name 'Absent'. "
        "Exiting.\n");
    EXPECT_EQ(raisedBy([&] { kb->getConceptKind(kb->getIDFromName("Absent")); }),
        "status 1\nerr: FATAL ERROR. Requested concept with non-existent ID = -1. Exiting.\n");
    EXPECT_EQ(kb->getConcept(std::string("Present")).getName(), "Present");
}

} // namespace
