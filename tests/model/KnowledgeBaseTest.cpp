// The knowledge base: concept identifiers, repeated names, the CUI, code,
// term, stem and child indexes, kind search through ancestors, and the
// lookups that end the process.

#include "ModelTestSupport.h"

#include "frontend/ProcessExit.h"

#include <initializer_list>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using modeltest::ModelTest;
using modeltest::quietKb;

QueltConcept makeConcept(const std::string& name, const std::string& code = "",
                         const std::string& kind = "")
{
    return QueltConcept(name, code, 0, "", kind, false);
}

QueltConcept childOf(const std::string& name, const std::vector<std::string>& parents,
                     const std::string& kind = "")
{
    QueltConcept concept = makeConcept(name, "", kind);
    concept.addParents(parents);
    return concept;
}

// Property definitions for the indexed property names, alive for a test.
struct IndexedPropertyDefs {
    QueltPropertyDef preferred{"Preferred_Name", "P1", 1, "string", false, false, ""};
    QueltPropertyDef fullSyn{"FULL_SYN", "P2", 2, "string", false, false, ""};
    QueltPropertyDef cui{"CUI", "P3", 3, "string", false, false, ""};
    QueltPropertyDef synonym{"Synonym", "P4", 4, "string", false, false, ""};
};

QueltConcept withProperties(const std::string& name,
                            const std::vector<std::pair<std::string, std::string>>& properties)
{
    QueltConcept concept = makeConcept(name);
    for (const auto& p : properties)
        concept.addProperty(QueltProperty(p.first, p.second, ""));
    return concept;
}

std::set<long> idsOf(const QueltKb& kb, std::initializer_list<const char*> names)
{
    std::set<long> ids;
    for (const char* name : names)
        ids.insert(kb.getIDFromName(name));
    return ids;
}

TEST_F(ModelTest, KbConstructionWritesTheTrackLineAndCopiesAreSilent)
{
    ::testing::internal::CaptureStderr();
    QueltKb kb;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "track: 060828\n");
    EXPECT_EQ(kb.getKbName(), "");

    kb.setKbName("source");
    kb.addConcept(makeConcept("A", "CA"));
    ::testing::internal::CaptureStderr();
    QueltKb copy(kb);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(copy.getKbName(), "");
    EXPECT_EQ(copy.getIDFromName("A"), kb.getIDFromName("A"));
    EXPECT_EQ(copy.getIDFromCode("CA"), kb.getIDFromName("A"));
}

TEST_F(ModelTest, ConceptIdentifiersComeFromOneCounterForAllKnowledgeBases)
{
    auto first = quietKb();
    first->addConcept(makeConcept("One")).addConcept(makeConcept("Two"));
    const long one = first->getIDFromName("One");
    EXPECT_GT(one, 0);
    EXPECT_EQ(first->getIDFromName("Two"), one + 1);

    auto second = quietKb();
    second->addConcept(makeConcept("Three"));
    EXPECT_EQ(second->getIDFromName("Three"), one + 2);
    EXPECT_EQ(second->getIDFromName("One"), -1);
    first->addConcept(makeConcept("Four"));
    EXPECT_EQ(first->getIDFromName("Four"), one + 3);

    std::vector<long> keys;
    for (const auto& entry : first->getConcepts())
        keys.push_back(entry.first);
    EXPECT_EQ(keys, (std::vector<long>{one, one + 1, one + 3}));
    EXPECT_EQ(first->getConceptName(one + 1), "Two");
    EXPECT_EQ(&first->getConceptName(one + 2), &QueltTerminology::emptyString);
    EXPECT_EQ(first->getNumConcepts(), 3);
}

TEST_F(ModelTest, FirstConceptOfAProcessGetsIdentifierOne)
{
    // A fresh process (the threadsafe style runs this test alone in a new
    // one) that adds concepts before anything else.
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QueltKb kb;
            kb.addConcept(makeConcept("First")).addConcept(makeConcept("Second"));
            bool numbered = kb.getIDFromName("First") == 1 && kb.getIDFromName("Second") == 2;
            quitProcess(numbered ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "track: 060828");
    GTEST_FLAG_SET(death_test_style, style);
}

TEST_F(ModelTest, RepeatedConceptNameIsReportedAndBothConceptsAreKept)
{
    auto kb = quietKb();
    kb->addConcept(makeConcept("A", "C1"));
    ::testing::internal::CaptureStdout();
    kb->addConcept(makeConcept("A", "C2"));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "ERROR::addConcept:DupConceptName\tA\n");
    kb->addConcept(childOf("B", {"A"}));

    const long first = kb->getIDFromName("A");
    EXPECT_EQ(kb->getNumConcepts(), 3);
    EXPECT_EQ(kb->getConcept(first).getCode(), "C1");
    EXPECT_EQ(kb->getConcept(first + 1).getCode(), "C2");
    EXPECT_EQ(kb->getConcept("A").getCode(), "C1");
    EXPECT_EQ(kb->getIDFromCode("C2"), first + 1);

    std::set<std::string> roots{"Z"};
    kb->findRootConcepts(roots);
    EXPECT_EQ(roots, (std::set<std::string>{"A", "Z"}));
}

TEST_F(ModelTest, CuiIndexSkipsConceptsWithSeveralCuisAndKeepsTheFirstOfAValue)
{
    IndexedPropertyDefs defs;
    auto kb = quietKb();
    ::testing::internal::CaptureStderr();
    kb->addConcept(withProperties("Multi", {{"CUI", "C001"}, {"CUI", "C002"}}));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "ERROR::addConcept:MultiCUI\tMulti\n");
    ::testing::internal::CaptureStderr();
    kb->addConcept(withProperties("NoCui1", {{"Synonym", "x"}}));
    kb->addConcept(withProperties("One", {{"CUI", "C003"}}));
    kb->addConcept(withProperties("NoCui2", {}));
    kb->addConcept(withProperties("OneAgain", {{"CUI", "C003"}}));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    EXPECT_EQ(kb->getNumConcepts(), 5);
    EXPECT_EQ(kb->getIDFromCui("C001"), -1);
    EXPECT_EQ(kb->getIDFromCui("C002"), -1);
    EXPECT_EQ(kb->getIDFromCui("C003"), kb->getIDFromName("One"));
    EXPECT_EQ(kb->getIDFromCui(""), kb->getIDFromName("NoCui1"));
    EXPECT_EQ(kb->getIDFromCui("c003"), -1);
}

TEST_F(ModelTest, CodeIndexKeepsTheFirstConceptOfACode)
{
    auto kb = quietKb();
    kb->addConcept(makeConcept("A", "C1"));
    kb->addConcept(makeConcept("B", "C1"));
    kb->addConcept(makeConcept("C", "C2"));
    EXPECT_EQ(kb->getIDFromCode("C1"), kb->getIDFromName("A"));
    EXPECT_EQ(kb->getIDFromCode("C2"), kb->getIDFromName("C"));
    EXPECT_EQ(kb->getIDFromCode("c2"), -1);
}

TEST_F(ModelTest, TermIndexHoldsLowerCasedPreferredNamesAndFullSynonyms)
{
    IndexedPropertyDefs defs;
    auto kb = quietKb();
    kb->addConcept(withProperties("Concept_1", {{"Preferred_Name", "Alpha Beta"},
                                                {"FULL_SYN", "GAMMA <b>Delta</b>"},
                                                {"Synonym", "Epsilon"}}));
    kb->addConcept(withProperties("Concept_2", {{"FULL_SYN", "alpha beta"}}));

    EXPECT_TRUE(kb->termInKB("alpha beta"));
    EXPECT_TRUE(kb->termInKB("ALPHA Beta"));
    EXPECT_TRUE(kb->termInKB("gamma <b>delta</b>"));
    EXPECT_FALSE(kb->termInKB("epsilon"));
    EXPECT_FALSE(kb->termInKB("concept_1"));
    EXPECT_FALSE(kb->termInKB("alpha"));

    std::set<long> ids;
    kb->getIDFromTerm("Alpha Beta", ids);
    EXPECT_EQ(ids, idsOf(*kb, {"Concept_1", "Concept_2"}));
    // The set is added to, not replaced.
    std::set<long> more{-7};
    kb->getIDFromTerm("gamma <B>delta</B>", more);
    EXPECT_EQ(more, (std::set<long>{-7, kb->getIDFromName("Concept_1")}));

    EXPECT_TRUE(kb->conceptNameInKB("Concept_2"));
    EXPECT_FALSE(kb->conceptNameInKB("concept_2"));
}

TEST_F(ModelTest, StemIndexesMatchWordOrderAndInflection)
{
    IndexedPropertyDefs defs;
    auto kb = quietKb();
    kb->addConcept(makeConcept("Aspirin Tablets"));
    kb->addConcept(withProperties("Drug_1", {{"FULL_SYN", "aspirin tablets"}}));
    kb->addConcept(withProperties("Drug_2", {{"Preferred_Name", "Tablet of Aspirin"}}));

    std::set<long> byName;
    kb->getIDFromAlphaStemTerm("tablet ASPIRIN", byName);
    EXPECT_EQ(byName, idsOf(*kb, {"Aspirin Tablets"}));

    std::set<long> byTerm;
    kb->getIDFromAlphaStemTermsTerm("Tablet Aspirin", byTerm);
    EXPECT_EQ(byTerm, idsOf(*kb, {"Drug_1", "Drug_2"}));
    EXPECT_TRUE(kb->alphastemtermInKB("aspirin tablet"));
    EXPECT_FALSE(kb->alphastemtermInKB("aspirin"));
    // The exact term index does not fold word order.
    EXPECT_FALSE(kb->termInKB("tablet aspirin"));
}

TEST_F(ModelTest, ChildIndexListsEveryConceptThatNamesAParent)
{
    auto kb = quietKb();
    kb->addConcept(makeConcept("Root"));
    kb->addConcept(childOf("Left", {"Root"}));
    kb->addConcept(childOf("Right", {"Root", "Left"}));
    kb->addConcept(childOf("Orphan", {"Nowhere"}));

    std::set<long> children;
    kb->getChildIDs("Root", children);
    EXPECT_EQ(children, idsOf(*kb, {"Left", "Right"}));
    children.clear();
    kb->getChildIDs("Nowhere", children);
    EXPECT_EQ(children, idsOf(*kb, {"Orphan"}));
    children.clear();
    kb->getChildIDs("Right", children);
    EXPECT_TRUE(children.empty());

    std::set<std::string> roots;
    kb->findRootConcepts(roots);
    EXPECT_EQ(roots, (std::set<std::string>{"Root"}));
}

// The indexes are filled on first use; that must not change their answers.
TEST_F(ModelTest, IndexesAnswerAsIfFilledWhenEachConceptArrived)
{
    auto kb = quietKb();
    {
        IndexedPropertyDefs defs;
        kb->addConcept(withProperties("Early", {{"Preferred_Name", "Early Term"}, {"CUI", "C1"}}));
        EXPECT_TRUE(kb->termInKB("early term"));
        kb->addConcept(withProperties("Late", {{"FULL_SYN", "Late Term"}, {"CUI", "C2"}}));
        kb->addConcept(withProperties("Later", {{"Preferred_Name", "Later Term"}, {"CUI", "C3"}}));
    }
    // The property definitions that named the terms are gone now; the
    // concepts had them when they were added.
    EXPECT_TRUE(kb->termInKB("late term"));
    EXPECT_TRUE(kb->termInKB("later term"));
    EXPECT_TRUE(kb->alphastemtermInKB("Terms Later"));
    EXPECT_EQ(kb->getIDFromCui("C2"), kb->getIDFromName("Late"));
    EXPECT_EQ(kb->getIDFromCui("C3"), kb->getIDFromName("Later"));
    EXPECT_EQ(kb->getIDFromCui(""), -1);

    // A copy taken before the first lookup answers the same.
    auto other = quietKb();
    {
        IndexedPropertyDefs defs;
        other->addConcept(withProperties("Solo", {{"Preferred_Name", "Solo Term"}}));
    }
    QueltKb copy(*other);
    EXPECT_TRUE(copy.termInKB("solo term"));
    EXPECT_TRUE(other->termInKB("solo term"));
}

TEST_F(ModelTest, ConceptKindIsTheFirstKindAmongRootAncestors)
{
    QueltKind alpha("Alpha_Kind", 1, "K1", "", true);
    QueltKind beta("Beta_Kind", 2, "K2", "", true);
    QueltKind early("Aaa_Kind", 3, "K3", "", true);
    auto kb = quietKb();
    kb->addConcept(makeConcept("Root_B", "", "Beta_Kind"));
    kb->addConcept(makeConcept("Root_A", "", "Alpha_Kind"));
    kb->addConcept(makeConcept("Root_None"));
    // An intermediate ancestor's own kind is not looked at.
    kb->addConcept(childOf("Middle", {"Root_B"}, "Aaa_Kind"));
    kb->addConcept(childOf("Leaf", {"Middle", "Root_A"}));
    kb->addConcept(childOf("Grandchild", {"Leaf"}));
    kb->addConcept(childOf("Mixed", {"Root_B", "Root_None"}));

    EXPECT_EQ(kb->getConceptKind(kb->getIDFromName("Root_B")), "Beta_Kind");
    EXPECT_EQ(kb->getConceptKind(kb->getIDFromName("Middle")), "Aaa_Kind");
    EXPECT_EQ(kb->getConceptKind(kb->getIDFromName("Leaf")), "Alpha_Kind");
    EXPECT_EQ(kb->getConceptKind(kb->getIDFromName("Grandchild")), "Alpha_Kind");
    // A root without a kind contributes the empty text, which sorts first.
    EXPECT_EQ(kb->getConceptKind(kb->getIDFromName("Mixed")), "");

    std::set<std::string> kinds;
    kb->findKinds(kb->getConcept("Grandchild"), kinds);
    EXPECT_EQ(kinds, (std::set<std::string>{"Alpha_Kind", "Beta_Kind"}));

    // A concept that is not stored is answered through its parents too.
    QueltConcept outside = childOf("Outside", {"Root_B"});
    EXPECT_EQ(kb->getConceptKind(outside), "Beta_Kind");
}

TEST_F(ModelTest, ConceptKindSkipsMissingParentsAndSurvivesCycles)
{
    QueltKind alpha("Alpha_Kind", 1, "K1", "", true);
    QueltKind beta("Beta_Kind", 2, "K2", "", true);
    auto kb = quietKb();
    kb->addConcept(makeConcept("Root_A", "", "Alpha_Kind"));
    kb->addConcept(makeConcept("Root_B", "", "Beta_Kind"));
    kb->addConcept(childOf("Half_Known", {"Ghost", "Root_B"}));
    kb->addConcept(childOf("Unknown_Only", {"Ghost"}));
    kb->addConcept(childOf("Self", {"Self"}));
    kb->addConcept(childOf("Ping", {"Pong", "Root_A"}));
    kb->addConcept(childOf("Pong", {"Ping"}));
    kb->addConcept(childOf("Loop_1", {"Loop_2"}));
    kb->addConcept(childOf("Loop_2", {"Loop_3"}));
    kb->addConcept(childOf("Loop_3", {"Loop_1", "Root_B"}));
    kb->addConcept(childOf("Below_Loop", {"Loop_2", "Ping"}));

    EXPECT_EQ(kb->getConceptKind(kb->getIDFromName("Half_Known")), "Beta_Kind");
    EXPECT_EQ(kb->getConceptKind(kb->getIDFromName("Unknown_Only")), "");
    EXPECT_EQ(kb->getConceptKind(kb->getIDFromName("Self")), "");
    EXPECT_EQ(kb->getConceptKind(kb->getIDFromName("Pong")), "Alpha_Kind");
    EXPECT_EQ(kb->getConceptKind(kb->getIDFromName("Loop_1")), "Beta_Kind");

    std::set<std::string> kinds;
    kb->findKinds(kb->getConcept("Below_Loop"), kinds);
    EXPECT_EQ(kinds, (std::set<std::string>{"Alpha_Kind", "Beta_Kind"}));
}

TEST_F(ModelTest, ConceptKindOfAVeryDeepHierarchy)
{
    const int depth = 100000;
    QueltKind alpha("Alpha_Kind", 1, "K1", "", true);
    auto kb = quietKb();
    kb->addConcept(makeConcept("N0", "", "Alpha_Kind"));
    for (int i = 1; i < depth; ++i)
        kb->addConcept(childOf("N" + std::to_string(i), {"N" + std::to_string(i - 1)}));
    ASSERT_EQ(kb->getNumConcepts(), depth);

    EXPECT_EQ(kb->getConceptKind(kb->getIDFromName("N" + std::to_string(depth - 1))),
              "Alpha_Kind");
}

using KbDeathTest = ModelTest;

TEST_F(KbDeathTest, LookupOfAMissingConceptEndsTheProcessWithStatusOne)
{
    auto kb = quietKb();
    kb->addConcept(makeConcept("Present"));
    const QueltKb& constKb = *kb;

    EXPECT_EXIT(kb->getConcept(0L), ::testing::ExitedWithCode(1),
                "FATAL ERROR\\. Requested concept with non-existent ID = 0\\. Exiting\\.\n");
    EXPECT_EXIT(constKb.getConcept(-3L), ::testing::ExitedWithCode(1),
                "FATAL ERROR\\. Requested concept with non-existent ID = -3\\. Exiting\\.\n");
    EXPECT_EXIT(kb->getConcept(std::string("Absent")), ::testing::ExitedWithCode(1),
                "FATAL ERROR\\. Requested concept with non-existent name 'Absent'\\. "
                "Exiting\\.\n");
    EXPECT_EXIT(kb->getConceptKind(kb->getIDFromName("Absent")), ::testing::ExitedWithCode(1),
                "non-existent ID = -1\\. Exiting\\.");
    EXPECT_EQ(kb->getConcept(std::string("Present")).getName(), "Present");
}

TEST(QueltKbText, ToLowerChangesOnlyAsciiCapitals)
{
    auto kb = quietKb();
    EXPECT_EQ(kb->toLower("MiXeD Case 123 _Z@["), "mixed case 123 _z@[");
    EXPECT_EQ(kb->toLower("\xC0\xC9 \xE9"), "\xC0\xC9 \xE9");
}

} // namespace
