// Roles, properties, associations and qualifiers (modifiers, undefined
// names) and the concept record: map ids, repeated names, role-group
// counting. The order in which a concept's attributes are written is
// checked by the golden conversions.

#include "tests/support/TestSupport.h"

#include <deque>
#include <string>
#include <vector>

namespace {

using namespace quelttest;

QueltConcept makeConcept(const std::string& name, const std::string& code = "", long id = 0)
{
    return QueltConcept(name, code, id, "", "", false);
}

TEST(QueltRoleEnumTest, ModifierNamesAreExactAndAnyOtherTextMeansSome)
{
    const std::pair<const char*, long> cases[] = { { "some", 0 }, { "all", 1 }, { "poss", 2 },
        { "ALL", 0 }, { "All", 0 }, { "", 0 }, { "all ", 0 }, { "never", 0 } };
    for (const auto& c : cases) {
        QueltRoleEnum modifier { std::string(c.first) };
        EXPECT_EQ(modifier.getModifier(), c.second) << c.first;
        EXPECT_EQ(modifier.name(), QueltRoleEnum::modifierNames[c.second]) << c.first;
    }
    EXPECT_EQ(QueltRoleEnum::convertToModifier("Poss"), -1);
    EXPECT_FALSE(QueltRoleEnum::isValid(""));
}

// Names that no definition has resolve to nothing, without an error: an
// error bit would hide the names of every record of the class.
TEST_F(KbTest, UndefinedNamesResolveToNothingAndSetNoError)
{
    QueltName ns("ns", 1, "N1");
    QueltKind kind("Kind", 1, "K1", "ns", true);
    QueltRoleDef roleDef("Known_Role", "R1", 1, "no-ns", "No_Kind", "Kind", "", "");
    QueltPropertyDef propDef("Known_Prop", "P1", 1, "string", false, false, "");
    QueltAssociationDef assocDef("Known_Assoc", "A1", 1, "", true, "");
    QueltQualifierDef qualDef("Known_Qual", "Q1", 1, "", "CA", {});
    const long ids[] = { roleDef.getNamespaceID(), roleDef.getDomainID(),
        QueltRole("Unknown", "v", "all").getNameID(),
        QueltProperty("Unknown", "v", "en").getNameID(),
        QueltAssociation("Unknown", "v").getNameID(), QueltQualifier("Unknown", "v").getNameID() };
    for (long id : ids)
        EXPECT_EQ(id, -1);
    EXPECT_EQ(roleDef.getRange(), "Kind");
    for (bool error : { QueltRoleDef::isError(), QueltRole::isError(), QueltProperty::isError(),
             QueltAssociation::isError(), QueltQualifier::isError() })
        EXPECT_FALSE(error);
}

TEST_F(KbTest, ConceptMapIdsCountLiveConceptsFromOne)
{
    {
        QueltConcept first = makeConcept("First", "C1", 1);
        QueltConcept second = makeConcept("Second", "C2", 2);
        EXPECT_EQ(first.getMapID(), 1);
        EXPECT_EQ(second.getMapID(), 2);
        // A copy draws the next number and is not registered.
        QueltConcept copy(first);
        EXPECT_EQ(copy.getMapID(), 3);
        EXPECT_EQ(&QueltConcept::getConceptMapName(3), &T::emptyString);
        // Assignment takes the map id along and draws no number.
        copy = second;
        EXPECT_EQ(copy.getMapID(), 2);
        EXPECT_EQ(makeConcept("Third").getMapID(), 4);
    }
    // The registries went with the last concept; the next ones start afresh.
    EXPECT_EQ(QueltConcept::getConceptMapID("First"), -1);
    EXPECT_TRUE(QueltConcept::isError(T::NO_CONCEPTDEF));
    QueltConcept::clearError();
    QueltConcept fresh = makeConcept("First", "C1", 1);
    EXPECT_EQ(fresh.getMapID(), 1);
    EXPECT_EQ(repeatBits<QueltConcept>(), 0);
}

TEST_F(KbTest, ConceptsOfOneNameAllRegisterAndTheFirstAnswersForTheName)
{
    QueltConcept first = makeConcept("Twin", "C1", 1);
    QueltConcept second = makeConcept("Twin", "C1", 1);
    EXPECT_EQ(repeatBits<QueltConcept>(), T::NAME_EXISTS | T::CODE_EXISTS | T::ID_EXISTS);
    EXPECT_EQ(QueltConcept::getConceptMapID("Twin"), first.getMapID());
    EXPECT_EQ(QueltConcept::getConceptMapName(second.getMapID()), "Twin");
}

// A renamed concept's old name leaves the registries: the others stay found
// (enough names for their table's slots to collide), and of two concepts of
// one name the second answers for it once the first is renamed.
TEST_F(KbTest, RenamingLeavesTheOtherNamesFoundAndTheNextOfANameAnswers)
{
    std::deque<QueltConcept> held;
    for (int i = 0; i < 300; ++i)
        held.emplace_back("N" + std::to_string(i), "", 0, "", "", false);
    const QueltConcept& twin = held.emplace_back("N8", "", 0, "", "", false);
    for (int i = 0; i < 300; i += 2)
        held[i].reName("R" + std::to_string(i));
    for (int i = 0; i < 300; ++i) {
        const std::string name = (i % 2 == 0 ? "R" : "N") + std::to_string(i);
        EXPECT_EQ(QueltConcept::getConceptMapID(name), held[i].getMapID()) << name;
        EXPECT_EQ(QueltConcept::getConceptMapName(held[i].getMapID()), name);
    }
    EXPECT_EQ(QueltConcept::getConceptMapID("N8"), twin.getMapID());
    EXPECT_EQ(QueltConcept::getConceptMapID("N6"), -1);
}

TEST_F(KbTest, RoleGroupsCountDistinctNonZeroGroups)
{
    struct Case {
        std::vector<long> groups;
        long numGroups;
        bool hasGroups;
    };
    const Case cases[] = {
        { { 0, 1, 2, 2 }, 2, true },
        { { 0, 0 }, 0, false },
        { { 1, 1 }, 1, true },
        { { 2 }, 1, false },
        // Two tally entries count as groups whatever their numbers.
        { { 0, 2, 0 }, 1, true },
        { { 0, 1 }, 1, true },
        { { 3, 2 }, 2, true },
        { {}, 0, false },
    };
    QueltRoleDef def("r", "R1", 1, "", "", "", "", "");
    for (const Case& c : cases) {
        QueltConcept con = makeConcept("C");
        for (long group : c.groups)
            con.addRole(QueltRole("r", "v" + std::to_string(group), "some", group));
        SCOPED_TRACE(::testing::PrintToString(c.groups));
        EXPECT_EQ(con.getNumRoles(), static_cast<long>(c.groups.size()));
        EXPECT_EQ(con.getNumRoleGroups(), c.numGroups);
        EXPECT_EQ(con.hasRolegroups(), c.hasGroups);
    }
}

} // namespace
