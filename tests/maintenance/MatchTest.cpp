// Matching a concept of one knowledge base against another: term
// collection, the five verdicts, matching by stems, and the fatal error of
// an unknown concept name.

#include "MaintenanceTestSupport.h"

#include <set>
#include <string>
#include <vector>

namespace {

using namespace mainttest;

// The definitions a term needs. Both knowledge bases of a test get them;
// the names resolve to the same map ids in both.
void addTermDefinitions(QueltKb& kb)
{
    kb.addNamespace(QueltName("Ns", 1, "N1"));
    kb.addKind(QueltKind("Kind", 2, "K2", "Ns", true));
    kb.addPropertyDef(QueltPropertyDef("Preferred_Name", "P1", 3, "string", false, true, "Ns"));
    kb.addPropertyDef(QueltPropertyDef("FULL_SYN", "P2", 4, "long_string", false, true, "Ns"));
    kb.addPropertyDef(QueltPropertyDef("DEFINITION", "P3", 5, "long_string", false, false, "Ns"));
}

// A concept whose first term is its preferred name and the others synonyms.
void addConcept(QueltKb& kb, const std::string& name, const std::string& code,
                const std::vector<std::string>& terms)
{
    QueltConcept concept(name, code, -1, "Ns", "Kind", true);
    for (size_t i = 0; i < terms.size(); ++i)
        concept.addProperty(QueltProperty(i == 0 ? "Preferred_Name" : "FULL_SYN", terms[i], ""));
    kb.addConcept(concept);
}

std::set<long> ids(const QueltKb& kb, const std::vector<std::string>& names)
{
    std::set<long> found;
    for (const std::string& name : names)
        found.insert(kb.getIDFromName(name));
    return found;
}

TEST_F(KbTest, ConceptTermsAreTheLowerCasedNameAndSynonymValues)
{
    auto kb = quietKb();
    addTermDefinitions(*kb);
    QueltConcept concept("Aspirin", "C1", 1, "Ns", "Kind", true);
    concept.addProperty(QueltProperty("FULL_SYN", "Aspirin Tablets", ""));
    concept.addProperty(QueltProperty("FULL_SYN", "ASPIRIN TABLETS", ""));
    concept.addProperty(QueltProperty("Preferred_Name", "Ac\xC3\x89tyl-Salicylic Acid", ""));
    concept.addProperty(QueltProperty("DEFINITION", "Not A Term", ""));

    std::set<std::string> terms{"kept"};
    kb->getConceptTerms(concept, terms);
    // Only A-Z are lowered; the bytes of the non-ASCII letter stay.
    EXPECT_EQ(terms, (std::set<std::string>{"kept", "aspirin tablets",
                                            "ac\xC3\x89tyl-salicylic acid"}));

    std::set<std::string> stems{"kept"};
    kb->getAlphaStemConceptTerms(concept, stems);
    ASSERT_EQ(stems.size(), 3u);
    EXPECT_EQ(stems.count("kept"), 1u);
    EXPECT_EQ(stems.count("aspirin tablet"), 1u);
}

TEST_F(KbTest, EachVerdictOfTheSimpleMatch)
{
    auto terms = quietKb();
    auto terminology = quietKb();
    addTermDefinitions(*terms);
    addTermDefinitions(*terminology);

    // 0: one concept has the term, and its terms lead back to this one only.
    addConcept(*terms, "Aspirin Tablets", "", {"Aspirin Tablets"});
    addConcept(*terminology, "Aspirin_Tab", "X1", {"Aspirin 325 MG Tablet", "aspirin tablets"});
    // -1: two concepts have the term, both lead back to this one only.
    addConcept(*terms, "Heart attack", "", {"Heart attack"});
    addConcept(*terminology, "MI", "X2", {"Myocardial infarction", "Heart Attack"});
    addConcept(*terminology, "AMI", "X3", {"Acute MI", "heart attack"});
    // 1: one concept has the term, but its synonyms lead back to two terms.
    addConcept(*terms, "Kidney", "", {"Kidney"});
    addConcept(*terms, "Ren", "", {"Ren"});
    addConcept(*terminology, "Kidney_Organ", "X4", {"Kidney", "Ren"});
    // 4: several matches leading back to several terms.
    addConcept(*terms, "Cold", "", {"Cold"});
    addConcept(*terms, "Chill", "", {"Chill"});
    addConcept(*terminology, "Common_Cold", "X5", {"Common cold", "Cold"});
    addConcept(*terminology, "Low_Temperature", "X6", {"Low temperature", "Cold", "Chill"});
    // 5: nothing has the term.
    addConcept(*terms, "Unicorn horn", "", {"Unicorn horn"});

    struct Case {
        const char* term;
        int verdict;
        std::vector<std::string> matched;
    };
    const Case cases[] = {
        {"Aspirin Tablets", 0, {"Aspirin_Tab"}},
        {"Heart attack", -1, {"MI", "AMI"}},
        {"Kidney", 1, {"Kidney_Organ"}},
        {"Ren", 1, {"Kidney_Organ"}},
        {"Cold", 4, {"Common_Cold", "Low_Temperature"}},
        {"Unicorn horn", 5, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.term);
        std::set<long> matches{-42};
        EXPECT_EQ(terms->simpleMatchKB(*terminology, c.term, matches), c.verdict);
        EXPECT_EQ(matches, ids(*terminology, c.matched));
    }
}

TEST_F(KbTest, NameMatchesCountWithoutTerms)
{
    auto terms = quietKb();
    auto terminology = quietKb();
    addTermDefinitions(*terms);
    addTermDefinitions(*terminology);
    // No term properties on this side: only the exact name can match.
    addConcept(*terms, "Heart", "", {});
    addConcept(*terms, "heart valve", "", {});
    addConcept(*terminology, "Heart", "X1", {"Heart"});
    addConcept(*terminology, "Heart_Valve", "X2", {"Heart valve"});

    std::set<long> matches;
    EXPECT_EQ(terms->simpleMatchKB(*terminology, "Heart", matches), 4);
    EXPECT_EQ(matches, ids(*terminology, {"Heart"}));
    // Names compare exactly, case included.
    EXPECT_EQ(terms->simpleMatchKB(*terminology, "heart valve", matches), 5);
    EXPECT_TRUE(matches.empty());
}

TEST_F(KbTest, StemsMatchReorderedAndInflectedTerms)
{
    auto terms = quietKb();
    auto terminology = quietKb();
    addTermDefinitions(*terms);
    addTermDefinitions(*terminology);
    addConcept(*terms, "aspirin tablets", "", {"aspirin tablets"});
    addConcept(*terms, "Coronary Artery Diseases", "", {"Coronary Artery Diseases"});
    addConcept(*terminology, "Aspirin_Tab", "X1", {"Tablet Aspirin"});
    addConcept(*terminology, "CAD", "X2", {"Coronary artery disease"});

    std::set<long> matches;
    EXPECT_EQ(terms->simpleMatchKB(*terminology, "aspirin tablets", matches), 5);
    EXPECT_EQ(terms->alphaStemMatchKB(*terminology, "aspirin tablets", matches), 0);
    EXPECT_EQ(matches, ids(*terminology, {"Aspirin_Tab"}));

    // "disease" stems to "diseas", which would stem further to "disea":
    // a stem sequence must be looked up as it is.
    EXPECT_EQ(terms->simpleMatchKB(*terminology, "Coronary Artery Diseases", matches), 5);
    EXPECT_EQ(terms->alphaStemMatchKB(*terminology, "Coronary Artery Diseases", matches), 0);
    EXPECT_EQ(matches, ids(*terminology, {"CAD"}));
}

TEST_F(KbTest, MatchingAnUnknownConceptEndsTheProcess)
{
    auto terms = quietKb();
    auto terminology = quietKb();
    std::set<long> matches;
    EXPECT_EXIT(terms->simpleMatchKB(*terminology, "Nope", matches), ::testing::ExitedWithCode(1),
                "FATAL ERROR. Requested concept with non-existent name 'Nope'. Exiting.");
    EXPECT_EXIT(terms->alphaStemMatchKB(*terminology, "Nope", matches),
                ::testing::ExitedWithCode(1), "non-existent name 'Nope'");
}

} // namespace
