// Matching a concept of one knowledge base against another: the terms a
// concept is matched by, and matching by stems, which must not stem a stem
// sequence again. The verdicts of whole term lists are checked against
// hand-checked results by the command-line tests (queltKbTool match).

#include "tests/support/TestSupport.h"

#include <set>
#include <string>
#include <vector>

namespace {

using namespace quelttest;

// The definitions a term needs; the names resolve to the same map ids in
// both knowledge bases of a test.
void addTermDefinitions(QueltKb& kb)
{
    kb.addNamespace(QueltName("Ns", 1, "N1"));
    kb.addPropertyDef(QueltPropertyDef("Preferred_Name", "P1", 3, "string", false, true, "Ns"));
    kb.addPropertyDef(QueltPropertyDef("FULL_SYN", "P2", 4, "long_string", false, true, "Ns"));
    kb.addPropertyDef(QueltPropertyDef("DEFINITION", "P3", 5, "long_string", false, false, "Ns"));
}

// A concept whose first term is its preferred name and the others synonyms.
void addConcept(QueltKb& kb, const std::string& name, const std::vector<std::string>& terms)
{
    QueltConcept con(name, "", -1, "Ns", "", true);
    for (size_t i = 0; i < terms.size(); ++i)
        con.addProperty(QueltProperty(i == 0 ? "Preferred_Name" : "FULL_SYN", terms[i], ""));
    kb.addConcept(con);
}

std::set<long> ids(const QueltKb& kb, const std::vector<std::string>& names)
{
    std::set<long> found;
    for (const std::string& name : names)
        found.insert(kb.getIDFromName(name));
    return found;
}

class MatchTest : public KbTest {
protected:
    void SetUp() override
    {
        KbTest::SetUp();
        addTermDefinitions(*terms);
        addTermDefinitions(*terminology);
    }
    void TearDown() override
    {
        terms.reset();
        terminology.reset();
        KbTest::TearDown();
    }
    std::unique_ptr<QueltKb> terms = quietKb();
    std::unique_ptr<QueltKb> terminology = quietKb();
};

TEST_F(MatchTest, ConceptTermsAreTheLowerCasedPreferredNameAndSynonymValues)
{
    QueltConcept con("Aspirin", "C1", 1, "Ns", "", true);
    con.addProperty(QueltProperty("FULL_SYN", "Aspirin Tablets", ""));
    con.addProperty(QueltProperty("FULL_SYN", "ASPIRIN TABLETS", ""));
    con.addProperty(QueltProperty("Preferred_Name", "Ac\xC3\x89tyl-Salicylic Acid", ""));
    con.addProperty(QueltProperty("DEFINITION", "Not A Term", ""));

    std::set<std::string> found { "kept" };
    terms->getConceptTerms(con, found);
    // Only A-Z are lowered; the bytes of the non-ASCII letter stay.
    EXPECT_EQ(found,
        (std::set<std::string> { "kept", "aspirin tablets", "ac\xC3\x89tyl-salicylic acid" }));
    std::set<std::string> stems { "kept" };
    terms->getAlphaStemConceptTerms(con, stems);
    EXPECT_EQ(stems.size(), 3u);
    EXPECT_EQ(stems.count("aspirin tablet"), 1u);
}

TEST_F(MatchTest, StemsMatchReorderedAndInflectedTerms)
{
    addConcept(*terms, "aspirin tablets", { "aspirin tablets" });
    addConcept(*terms, "Coronary Artery Diseases", { "Coronary Artery Diseases" });
    addConcept(*terminology, "Aspirin_Tab", { "Tablet Aspirin" });
    addConcept(*terminology, "CAD", { "Coronary artery disease" });
    // "disease" stems to "diseas", which would stem further to "disea": a
    // stem sequence must be looked up as it is.
    const std::pair<const char*, const char*> cases[]
        = { { "aspirin tablets", "Aspirin_Tab" }, { "Coronary Artery Diseases", "CAD" } };
    for (const auto& c : cases) {
        std::set<long> matches;
        EXPECT_EQ(terms->simpleMatchKB(*terminology, c.first, matches), 5) << c.first;
        EXPECT_EQ(terms->alphaStemMatchKB(*terminology, c.first, matches), 0) << c.first;
        EXPECT_EQ(matches, ids(*terminology, { c.second })) << c.first;
    }
}

} // namespace
