// Reading concepts from concepts.xml: roles, role groups,
// modifiers, properties, associations and their qualifiers.

#include "tests/ontylog/OntylogTestSupport.h"

#include <tuple>

using namespace ontylogtest;

namespace {

using QualifierList = std::vector<std::pair<std::string, std::string>>;

QualifierList qualifiersOf(const std::vector<QueltQualifier>& qualifiers)
{
    QualifierList list;
    for (const QueltQualifier& q : qualifiers)
        list.emplace_back(q.getName(), q.getValue());
    return list;
}

class ConceptReadTest : public ReadTest {
protected:
    void SetUp() override
    {
        ReadTest::SetUp();
        ASSERT_TRUE(read(dataFile("concepts.xml")));
        EXPECT_EQ(out, "");
    }
};

TEST_F(ConceptReadTest, ConceptsArriveOnceEachInDocumentOrder)
{
    EXPECT_EQ(conceptNames(),
              (std::vector<std::string>{"Root Finding", "Grouped Disease", "Bare Concept", "As Def",
                                        "As Inf", "Empty First Group", "Stray Elements"}));
    // Identifiers are consecutive, whatever the first one is.
    const auto& concepts = kb->getConcepts();
    EXPECT_EQ(concepts.rbegin()->first - concepts.begin()->first, 6);
}

TEST_F(ConceptReadTest, ConceptFieldsAndPrimitiveFlag)
{
    const QueltConcept* root = findConcept("Root Finding");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getCode(), "C1");
    EXPECT_EQ(root->getID(), 100);
    EXPECT_EQ(root->getNamespace(), "Lab");
    EXPECT_EQ(root->getKind(), "Finding_Kind");
    EXPECT_FALSE(root->getState()); // <primitive/>: primitive
    EXPECT_EQ(root->getNumParents(), 0);

    const QueltConcept* asDef = findConcept("As Def");
    ASSERT_NE(asDef, nullptr);
    EXPECT_TRUE(asDef->getState()); // no <primitive/>: defined
}

TEST_F(ConceptReadTest, SecondConceptInheritsNothingFromTheFirst)
{
    // "Bare Concept" follows "Grouped Disease", which has everything.
    const QueltConcept* bare = findConcept("Bare Concept");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->getCode(), "");
    EXPECT_EQ(bare->getID(), -1);
    EXPECT_EQ(bare->getNamespaceID(), -1);
    EXPECT_EQ(bare->getKindID(), -1);
    EXPECT_TRUE(bare->getState());
    EXPECT_EQ(bare->getNumParents(), 0);
    EXPECT_EQ(bare->getNumRoles(), 0);
    EXPECT_EQ(bare->getNumProperties(), 0);
    EXPECT_EQ(bare->getNumAssociations(), 0);
    EXPECT_EQ(bare->getNumRoleGroups(), 0);
}

TEST_F(ConceptReadTest, RoleGroupsAreNumberedPerConceptAndModifiersDefaultToSome)
{
    const QueltConcept* grouped = findConcept("Grouped Disease");
    ASSERT_NE(grouped, nullptr);
    using Row = std::tuple<std::string, std::string, long, std::string>;
    std::vector<Row> roles;
    for (const auto& entry : grouped->getRoles()) {
        const QueltRole& r = entry.second;
        roles.emplace_back(r.getName(), r.getValue(), r.getRolegroup(), r.modifier().name());
    }
    // One role name, so the record keeps document order: groups 0, 1, 1, 2, 0.
    // V2 has "all", V3 "poss"; V4 has "some" then "all", and the last counts.
    EXPECT_EQ(roles, (std::vector<Row>{{"Has_Finding", "V1", 0, "some"},
                                       {"Has_Finding", "V2", 1, "all"},
                                       {"Has_Finding", "V3", 1, "poss"},
                                       {"Has_Finding", "V4", 2, "all"},
                                       {"Has_Finding", "V5", 0, "some"}}));
    EXPECT_EQ(grouped->getNumRoleGroups(), 2);
    EXPECT_TRUE(grouped->hasRolegroups());
}

TEST_F(ConceptReadTest, AnEmptyFirstRoleGroupStillCounts)
{
    const QueltConcept* c = findConcept("Empty First Group");
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->getNumRoles(), 1);
    EXPECT_EQ(c->getRoles().begin()->second.getRolegroup(), 2);
    EXPECT_EQ(c->getNumRoleGroups(), 1);
    EXPECT_FALSE(c->hasRolegroups());
}

TEST_F(ConceptReadTest, DefiningConceptsAreTheParents)
{
    const QueltConcept* grouped = findConcept("Grouped Disease");
    ASSERT_NE(grouped, nullptr);
    EXPECT_EQ(grouped->getParents(), (QueltConcept::ParentSet{"Root Finding", "Other Parent"}));
    EXPECT_EQ(grouped->getKind(), "Disease_Kind");
}

TEST_F(ConceptReadTest, QualifiersAttachToTheirOwnPropertyInDocumentOrder)
{
    const QueltConcept* grouped = findConcept("Grouped Disease");
    ASSERT_NE(grouped, nullptr);
    ASSERT_EQ(grouped->getNumProperties(), 2);

    auto preferred = grouped->findProperty("Preferred_Name");
    ASSERT_NE(preferred, grouped->getEndProperty());
    // A qualifier's "name" does not rename its property.
    EXPECT_EQ(preferred->second.getValue(), "Grouped Disease");
    EXPECT_EQ(qualifiersOf(preferred->second.getQualifiers()),
              (QualifierList{{"Source", "MVX"}, {"Term_Type", "PT"}}));
    EXPECT_EQ(preferred->second.getLocale(), "");

    auto note = grouped->findProperty("Note");
    ASSERT_NE(note, grouped->getEndProperty());
    EXPECT_EQ(note->second.getValue(), "first note");
    EXPECT_EQ(note->second.getLocale(), "en");
    EXPECT_FALSE(note->second.hasQualifier());
}

TEST_F(ConceptReadTest, AssociationsTakeTheirQualifiersOrNone)
{
    const QueltConcept* grouped = findConcept("Grouped Disease");
    ASSERT_NE(grouped, nullptr);
    std::vector<std::pair<std::string, QualifierList>> associations;
    for (const auto& entry : grouped->getAssociations()) {
        EXPECT_EQ(entry.second.getName(), "Mapped_To");
        associations.emplace_back(entry.second.getValue(),
                                  qualifiersOf(entry.second.getQualifiers()));
    }
    EXPECT_EQ(associations, (std::vector<std::pair<std::string, QualifierList>>{
                                {"Root Finding", {{"Source", "GDC"}}}, {"Elsewhere", {}}}));
}

TEST_F(ConceptReadTest, ConceptInfReadsExactlyLikeConceptDef)
{
    const QueltConcept* asDef = findConcept("As Def");
    const QueltConcept* asInf = findConcept("As Inf");
    ASSERT_NE(asDef, nullptr);
    ASSERT_NE(asInf, nullptr);
    EXPECT_EQ(asInf->getCode(), asDef->getCode());
    EXPECT_EQ(asInf->getID(), asDef->getID());
    EXPECT_TRUE(asInf->hasSameNamespace(*asDef));
    EXPECT_TRUE(asInf->hasSameKind(*asDef));
    EXPECT_TRUE(asInf->hasSameState(*asDef));
    EXPECT_TRUE(asInf->hasSameParents(*asDef));
    EXPECT_TRUE(asInf->hasSameRoles(*asDef));
    EXPECT_TRUE(asInf->hasSameProperties(*asDef));
    EXPECT_TRUE(asInf->hasSameAssociations(*asDef));
    // And the content is really there, not equally empty.
    EXPECT_EQ(asInf->getNumParents(), 1);
    ASSERT_EQ(asInf->getNumRoles(), 1);
    EXPECT_EQ(asInf->getRoles().begin()->second.getRolegroup(), 1);
    EXPECT_EQ(asInf->getRoles().begin()->second.modifier().name(), "poss");
    EXPECT_EQ(asInf->getNumProperties(), 1);
    EXPECT_EQ(asInf->getNumAssociations(), 1);
}

TEST_F(ConceptReadTest, ElementsOutsideTheirBlocksAreIgnored)
{
    const QueltConcept* stray = findConcept("Stray Elements");
    ASSERT_NE(stray, nullptr);
    // "concept" outside "definingConcepts" and "name" inside it add no
    // parent; an entity reference does not split the one parent it is in.
    EXPECT_EQ(stray->getParents(), (QueltConcept::ParentSet{"Parent & Co"}));
    // "all" directly inside the concept is no role's modifier.
    ASSERT_EQ(stray->getNumRoles(), 1);
    EXPECT_EQ(stray->getRoles().begin()->second.modifier().name(), "some");
    EXPECT_EQ(stray->getRoles().begin()->second.getRolegroup(), 0);
    // A qualifier outside any property waits for the next one.
    std::vector<std::pair<std::string, QualifierList>> properties;
    for (const auto& entry : stray->getProperties())
        properties.emplace_back(entry.second.getValue(),
                                qualifiersOf(entry.second.getQualifiers()));
    EXPECT_EQ(properties, (std::vector<std::pair<std::string, QualifierList>>{
                              {"takes the early qualifier", {{"Source", "EARLY"}}},
                              {"has none", {}}}));
    // Nothing of the stray "value" landed anywhere.
    for (const std::string& text : allTexts(*kb))
        EXPECT_EQ(text.find("stray value"), std::string::npos);
}

} // namespace
