// The concept record: its class registries and map ids, role-group
// counting, the order of its attribute multimaps, property lookups, kind
// and namespace resolution, and its text form.

#include "ModelTestSupport.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using modeltest::ModelTest;
using T = QueltTerminology;

QueltConcept makeConcept(const std::string& name, const std::string& code = "", long id = 0)
{
    return QueltConcept(name, code, id, "", "", false);
}

TEST_F(ModelTest, ConceptMapIdsStartAtOneAndCopiesDrawTheNextNumber)
{
    QueltConcept first = makeConcept("First", "C1", 1);
    EXPECT_EQ(first.getMapID(), 1);
    QueltConcept second = makeConcept("Second", "C2", 2);
    EXPECT_EQ(second.getMapID(), 2);

    QueltConcept copy(first);
    EXPECT_EQ(copy.getMapID(), 3);
    EXPECT_EQ(copy.getName(), "First");
    // Copies are not registered.
    EXPECT_EQ(&QueltConcept::getConceptMapName(3), &T::emptyString);
    EXPECT_EQ(QueltConcept::getConceptMapName(2), "Second");

    // Assignment takes the map id along and draws no number.
    copy = second;
    EXPECT_EQ(copy.getMapID(), 2);
    QueltConcept third = makeConcept("Third", "C3", 3);
    EXPECT_EQ(third.getMapID(), 4);
}

TEST_F(ModelTest, ConceptsOfOneNameAllRegisterAndTheFirstAnswersForTheName)
{
    const long duplicateBits = T::CODE_EXISTS | T::ID_EXISTS | T::NAME_EXISTS;
    QueltConcept first = makeConcept("Twin", "C1", 1);
    EXPECT_FALSE(QueltConcept::isError(duplicateBits));
    QueltConcept second = makeConcept("Twin", "C1", 1);
    EXPECT_TRUE(QueltConcept::isError(T::NAME_EXISTS));
    EXPECT_TRUE(QueltConcept::isError(T::CODE_EXISTS));
    EXPECT_TRUE(QueltConcept::isError(T::ID_EXISTS));

    EXPECT_EQ(QueltConcept::getConceptMapID("Twin"), first.getMapID());
    EXPECT_EQ(QueltConcept::getConceptMapName(second.getMapID()), "Twin");
    EXPECT_TRUE(QueltConcept::conceptInMap("Twin"));
    EXPECT_EQ(QueltConcept::getConceptMapID("Single"), -1);

    // reName moves only this concept's registration.
    first.reName("Renamed");
    EXPECT_EQ(first.getName(), "Renamed");
    EXPECT_EQ(QueltConcept::getConceptMapID("Renamed"), first.getMapID());
    EXPECT_EQ(QueltConcept::getConceptMapID("Twin"), second.getMapID());
    EXPECT_EQ(QueltConcept::getConceptMapName(first.getMapID()), "Renamed");

    // setName refuses a registered name and does not touch the registries.
    QueltConcept::clearError();
    second.setName("Renamed");
    EXPECT_EQ(second.getName(), "Twin");
    EXPECT_TRUE(QueltConcept::isError(T::NAME_EXISTS));
    second.setName("Free");
    EXPECT_EQ(second.getName(), "Free");
    EXPECT_FALSE(QueltConcept::conceptInMap("Free"));
}

TEST_F(ModelTest, ConceptRegistriesAreForgottenWithTheLastConcept)
{
    {
        QueltConcept old = makeConcept("Old", "OLD", 5);
        std::vector<QueltConcept> kept{old};
    }
    EXPECT_EQ(QueltConcept::getConceptMapID("Old"), -1);
    EXPECT_TRUE(QueltConcept::isError(T::NO_CONCEPTDEF));
    QueltConcept::clearError();
    EXPECT_EQ(&QueltConcept::getConceptMapName(1), &T::emptyString);
    EXPECT_TRUE(QueltConcept::isError(T::NO_CONCEPTDEF));
    QueltConcept::clearError();

    QueltConcept fresh = makeConcept("Old", "OLD", 5);
    EXPECT_EQ(fresh.getMapID(), 1);
    EXPECT_FALSE(QueltConcept::isError(T::CODE_EXISTS | T::ID_EXISTS | T::NAME_EXISTS));
}

TEST_F(ModelTest, ConceptSetCodeAndSetIdFlagRepeatsButAssignAnyway)
{
    QueltConcept first = makeConcept("First", "C1", 1);
    QueltConcept second = makeConcept("Second", "C2", 2);
    second.setCode("C1");
    EXPECT_EQ(second.getCode(), "C1");
    EXPECT_TRUE(QueltConcept::isError(T::CODE_EXISTS));
    second.setID(1);
    EXPECT_EQ(second.getID(), 1);
    EXPECT_TRUE(QueltConcept::isError(T::ID_EXISTS));
    EXPECT_EQ(second.getID('x'), "1");
    second.clearID();
    second.clearCode();
    EXPECT_EQ(second.getID(), -1);
    EXPECT_EQ(second.getCode(), "");
}

struct RoleGroupCase {
    const char* label;
    std::vector<long> groups;
    long numGroups;
    bool hasGroups;
};

class RoleGroupTest : public ModelTest, public ::testing::WithParamInterface<RoleGroupCase> {};

TEST_P(RoleGroupTest, CountsDistinctNonZeroGroups)
{
    const RoleGroupCase& c = GetParam();
    QueltRoleDef def("r", "R1", 1, "", "", "", "", "");
    QueltConcept concept = makeConcept("C");
    for (long group : c.groups)
        concept.addRole(QueltRole("r", "v" + std::to_string(group), "some", group));
    EXPECT_EQ(concept.getNumRoles(), static_cast<long>(c.groups.size()));
    EXPECT_EQ(concept.getNumRoleGroups(), c.numGroups);
    EXPECT_EQ(concept.hasRolegroups(), c.hasGroups);
}

INSTANTIATE_TEST_SUITE_P(
    Concept, RoleGroupTest,
    ::testing::Values(RoleGroupCase{"Groups0And1And2", {0, 1, 2, 2}, 2, true},
                      RoleGroupCase{"OnlyGroup0", {0, 0}, 0, false},
                      RoleGroupCase{"OnlyGroup1", {1, 1}, 1, true},
                      RoleGroupCase{"OnlyGroup2", {2}, 1, false},
                      // Two tally entries count as groups whatever their numbers.
                      RoleGroupCase{"Group0AndGroup2", {0, 2, 0}, 1, true},
                      RoleGroupCase{"Group0And1", {0, 1}, 1, true},
                      RoleGroupCase{"Groups2And3", {3, 2}, 2, true},
                      RoleGroupCase{"NoRoles", {}, 0, false}),
    [](const ::testing::TestParamInfo<RoleGroupCase>& info) { return info.param.label; });

TEST_F(ModelTest, DeletingRolesKeepsTheGroupTallyInStep)
{
    QueltRoleDef def("r", "R1", 1, "", "", "", "", "");
    QueltConcept concept = makeConcept("C");
    concept.addRoles({QueltRole("r", "a", "some", 1), QueltRole("r", "b", "some", 2),
                      QueltRole("r", "c", "some", 0)});
    EXPECT_EQ(concept.getNumRoleGroups(), 2);
    EXPECT_FALSE(concept.hasAllRolesInGroup()); // group 0 sorts first

    concept.deleteRole("r", "a");
    EXPECT_EQ(concept.getNumRoles(), 2);
    EXPECT_EQ(concept.getNumRoleGroups(), 1);

    // Only group 2 is left: no longer counted as having role groups.
    concept.deleteRole(QueltRole("r", "c", "some", 0));
    EXPECT_EQ(concept.getNumRoles(), 1);
    EXPECT_EQ(concept.getNumRoleGroups(), 1);
    EXPECT_FALSE(concept.hasRolegroups());
    EXPECT_TRUE(concept.hasRole("r"));
    EXPECT_FALSE(concept.hasRole(QueltRole("r", "c", "some", 0)));

    concept.deleteAllRoles();
    EXPECT_EQ(concept.getNumRoleGroups(), 0);
    EXPECT_FALSE(concept.hasRole("r"));
}

TEST_F(ModelTest, ParentsAreASetInByteOrder)
{
    QueltConcept concept = makeConcept("C");
    concept.addParent("beta");
    concept.addParents({"Alpha", "beta", "Gamma"});
    EXPECT_EQ(concept.getNumParents(), 3);
    std::vector<std::string> parents(concept.getFirstParent(), concept.getEndParent());
    EXPECT_EQ(parents, (std::vector<std::string>{"Alpha", "Gamma", "beta"}));
    concept.deleteParent("Gamma");
    EXPECT_EQ(concept.getNumParents(), 2);
}

// Attributes iterate grouped by the definition order of their names (the
// map id), undefined names first, and in insertion order within a name.
TEST_F(ModelTest, AttributesIterateByDefinitionOrderThenInsertionOrder)
{
    QueltRoleDef zeta("Zeta_Role", "R1", 1, "", "", "", "", "");
    QueltRoleDef alpha("Alpha_Role", "R2", 2, "", "", "", "", "");
    QueltPropertyDef synonym("Synonym", "P1", 1, "string", false, false, "");
    QueltPropertyDef code("Code", "P2", 2, "string", false, false, "");
    QueltAssociationDef later("Later", "A1", 1, "", true, "");
    QueltAssociationDef earlier("Earlier", "A2", 2, "", true, "");

    QueltConcept concept = makeConcept("C");
    concept.addRole(QueltRole("Alpha_Role", "a1", "some"));
    concept.addRole(QueltRole("Undefined", "u", "some"));
    concept.addRole(QueltRole("Zeta_Role", "z1", "some"));
    concept.addRole(QueltRole("Alpha_Role", "a2", "some"));
    concept.addRole(QueltRole("Zeta_Role", "z0", "some"));

    std::vector<std::string> roleOrder;
    for (auto it = concept.getFirstRole(); it != concept.getEndRole(); ++it)
        roleOrder.push_back(it->second.getValue());
    EXPECT_EQ(roleOrder, (std::vector<std::string>{"u", "z1", "z0", "a1", "a2"}));

    concept.addProperties({QueltProperty("Code", "c1", ""), QueltProperty("Synonym", "s1", ""),
                           QueltProperty("Nope", "n", ""), QueltProperty("Code", "c0", ""),
                           QueltProperty("Synonym", "s0", "")});
    std::vector<std::string> propertyOrder;
    for (auto it = concept.getFirstProperty(); it != concept.getEndProperty(); ++it)
        propertyOrder.push_back(it->second.getValue());
    EXPECT_EQ(propertyOrder, (std::vector<std::string>{"n", "s1", "s0", "c1", "c0"}));

    concept.addAssociations({QueltAssociation("Earlier", "e"), QueltAssociation("Later", "l")});
    ASSERT_EQ(concept.getNumAssociations(), 2);
    EXPECT_EQ(concept.getAssociations().begin()->second.getValue(), "l");
}

TEST_F(ModelTest, PropertyLookupsByName)
{
    QueltPropertyDef synonym("FULL_SYN", "P1", 1, "string", false, false, "");
    QueltPropertyDef preferred("Preferred_Name", "P2", 2, "string", false, false, "");
    QueltConcept concept = makeConcept("C");
    concept.addProperty(QueltProperty("Preferred_Name", "first", ""));
    concept.addProperty(QueltProperty("FULL_SYN", "syn", ""));
    concept.addProperty(QueltProperty("Preferred_Name", "second", ""));

    EXPECT_EQ(concept.getPropertyNumber("Preferred_Name"), 2);
    EXPECT_EQ(concept.getPropertyValue("Preferred_Name"), "first");
    EXPECT_EQ(concept.findProperty("FULL_SYN")->second.getValue(), "syn");
    EXPECT_TRUE(concept.findProperty("Semantic_Type") == concept.getEndProperty());
    EXPECT_EQ(concept.getPropertyValue("Semantic_Type"), "");
    EXPECT_EQ(concept.getPropertyNumber("Semantic_Type"), 0);

    auto it = concept.propertyIterator("Preferred_Name");
    concept.setPropertyValue(it, "changed");
    EXPECT_EQ(concept.getPropertyValue("Preferred_Name"), "changed");
    concept.deleteProperty("Preferred_Name", "changed");
    EXPECT_EQ(concept.getPropertyValue("Preferred_Name"), "second");
    concept.deleteProperty("Preferred_Name");
    EXPECT_EQ(concept.getNumProperties(), 1);
}

TEST_F(ModelTest, ConceptResolvesKindAndNamespaceByName)
{
    QueltName ns("ns", 1, "N1");
    QueltKind drug("Drug_Kind", 1, "K1", "ns", true);
    QueltKind other("Other_Kind", 2, "K2", "ns", true);

    QueltConcept concept("C", "C1", 1, "ns", "Drug_Kind", true);
    EXPECT_EQ(concept.getKind(), "Drug_Kind");
    EXPECT_EQ(concept.getKindID(), 0);
    EXPECT_EQ(concept.getNamespace(), "ns");
    EXPECT_TRUE(concept.getState());

    concept.setKind("Other_Kind");
    EXPECT_EQ(concept.getKind(), "Other_Kind");
    concept.clearKind();
    EXPECT_EQ(concept.getKindID(), -1);
    EXPECT_EQ(concept.getKind(), "");
    concept.setNamespace("missing");
    EXPECT_EQ(concept.getNamespaceID(), -1);
    EXPECT_EQ(concept.getNamespace(), "");

    QueltConcept unknown("D", "C2", 2, "no-ns", "No_Kind", false);
    EXPECT_EQ(unknown.getKind(), "");
    EXPECT_EQ(unknown.getNamespace(), "");
    EXPECT_FALSE(QueltConcept::isError());
}

TEST_F(ModelTest, ConceptBuiltBeforeAnyKindLosesEveryKind)
{
    QueltConcept early("Early", "C1", 1, "", "Drug_Kind", false);
    EXPECT_TRUE(QueltConcept::isError(T::NO_KIND));

    QueltKind drug("Drug_Kind", 1, "K1", "", true);
    QueltConcept late("Late", "C2", 2, "", "Drug_Kind", false);
    EXPECT_EQ(late.getKindID(), 0);
    EXPECT_EQ(late.getKind(), "");
    early.setKind("Drug_Kind"); // ignored while the bit is set
    EXPECT_EQ(early.getKindID(), -1);

    // clear() resets the class's error word along with the fields.
    long mapId = late.getMapID();
    late.addParent("P");
    late.clear();
    EXPECT_FALSE(QueltConcept::isError());
    EXPECT_EQ(late.getMapID(), mapId);
    EXPECT_EQ(late.getName(), "");
    EXPECT_EQ(late.getKindID(), -1);
    EXPECT_EQ(late.getNumParents(), 0);
    early.setKind("Drug_Kind");
    EXPECT_EQ(early.getKind(), "Drug_Kind");
}

TEST_F(ModelTest, ConceptTakesOverTheAbsentBitsOfTheRecordsItIsGiven)
{
    QueltConcept concept = makeConcept("C");
    concept.addRole(QueltRole("r", "v", "some"));
    concept.addProperty(QueltProperty("p", "v", ""));
    EXPECT_TRUE(QueltConcept::isError(T::NO_ROLEDEF));
    EXPECT_TRUE(QueltConcept::isError(T::NO_PROPDEF));
    EXPECT_EQ(concept.getNumRoles(), 1);
    EXPECT_EQ(concept.getNumProperties(), 1);

    QueltConcept::clearError();
    QueltAssociation association("a", "v");
    concept.addAssociation(association);
    EXPECT_TRUE(QueltConcept::isError(T::NO_PROPDEF));
    EXPECT_FALSE(QueltConcept::isError(T::NO_ROLEDEF));
}

TEST_F(ModelTest, ConceptEqualityLooksAtContentNotAtTheMapId)
{
    QueltRoleDef roleDef("r", "R1", 1, "", "", "", "", "");
    QueltPropertyDef propDef("p", "P1", 1, "string", false, false, "");
    QueltConcept original = makeConcept("C", "C1", 1);
    original.addParent("P");
    original.addRole(QueltRole("r", "v", "some", 1));
    original.addProperty(QueltProperty("p", "x", ""));

    QueltConcept copy(original);
    EXPECT_NE(copy.getMapID(), original.getMapID());
    EXPECT_TRUE(copy == original);
    EXPECT_TRUE(copy.isSame(original));

    QueltConcept otherProperty(original);
    otherProperty.setPropertyValue(otherProperty.propertyIterator("p"), "y");
    EXPECT_FALSE(otherProperty == original);
    EXPECT_FALSE(otherProperty.hasSameProperties(original));

    QueltConcept otherRole(original);
    otherRole.setRoleValue(otherRole.roleIterator(), "w");
    EXPECT_FALSE(otherRole == original);
    EXPECT_TRUE(otherRole.hasSameParents(original));

    QueltConcept otherParent(original);
    otherParent.addParent("Q");
    EXPECT_FALSE(otherParent == original);

    QueltConcept otherState(original);
    otherState.setDefined();
    EXPECT_FALSE(otherState == original);
}

TEST_F(ModelTest, ConceptTextFormWritesRightAlignedLabels)
{
    QueltName ns("ns", 1, "N1");
    QueltKind kind("Drug_Kind", 1, "K1", "ns", true);
    QueltRoleDef roleDef("Has_Part", "R1", 1, "ns", "", "", "", "");
    QueltPropertyDef propDef("Preferred_Name", "P1", 1, "string", false, false, "ns");
    QueltAssociationDef assocDef("Has_Target", "A1", 1, "", true, "ns");

    QueltConcept concept("Aspirin", "C100", 100, "ns", "Drug_Kind", true);
    concept.addParents({"Drug", "Analgesic"});
    concept.addRole(QueltRole("Has_Part", "Salicylate", "all", 1));
    concept.addProperty(QueltProperty("Preferred_Name", "Aspirin", "en"));
    concept.addAssociation(QueltAssociation("Has_Target", "Pain"));

    auto label = [](const std::string& text) { return std::string(20 - text.size(), ' ') + text; };
    const std::string expected = label("Name:\t") + "Aspirin\n" + label("\t") + "Defined\n" +
                                 label("Code:\t") + "C100\n" + label("ID:\t") + "100\n" +
                                 label("Namespace:\t") + "ns\n" + label("Kind:\t") + "Drug_Kind\n" +
                                 label("Defining Concept:\t") + "Analgesic\n" +
                                 label("Defining Concept:\t") + "Drug\n" +
                                 label("Defining Role:\t") + "all Has_Part Salicylate\n" +
                                 label("Property:\t") + "Preferred_Name Aspirin\n" +
                                 label("Association:\t") + "Has_Target Pain\n";

    std::ostringstream out;
    out << std::left;
    out << concept;
    EXPECT_EQ(out.str(), expected);
    // The alignment is switched back afterwards.
    EXPECT_EQ(out.flags() & std::ios_base::adjustfield, std::ios_base::left);

    std::ostringstream plain;
    QueltConcept primitive("Bare", "", 7, "", "", false);
    plain << primitive;
    EXPECT_EQ(plain.str(), label("Name:\t") + "Bare\n" + label("\t") + "Primitive\n" +
                               label("Code:\t") + "\n" + label("ID:\t") + "7\n" +
                               label("Namespace:\t") + "\n" + label("Kind:\t") + "\n");
}

} // namespace
