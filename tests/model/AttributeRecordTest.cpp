// Roles, role modifiers, properties, associations and qualifiers: name
// resolution through the definition registries, the absent-registry bits,
// text forms and comparisons.

#include "ModelTestSupport.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using modeltest::ModelTest;
using T = QueltTerminology;

template <class Record>
std::string textOf(const Record& record)
{
    std::ostringstream out;
    out << record;
    return out.str();
}

TEST_F(ModelTest, RoleOfADefinedNameWithEmptyModifier)
{
    QueltRoleDef other("Other_Role", "R0", 0, "", "", "", "", "");
    QueltRoleDef hasPart("Has_Part", "R1", 1, "", "", "", "", "");
    QueltRole role("Has_Part", "Wheel", "");

    EXPECT_EQ(role.getNameID(), 1);
    EXPECT_EQ(role.getName(), "Has_Part");
    EXPECT_EQ(role.getModifier(), "some");
    EXPECT_EQ(role.getRolegroup(), 0);
    EXPECT_EQ(textOf(role), "some Has_Part Wheel");

    QueltRole grouped("Other_Role", "Axle", "poss", 3);
    EXPECT_EQ(grouped.getRolegroup(), 3);
    EXPECT_EQ(textOf(grouped), "poss Other_Role Axle");
    grouped.setModififier("all");
    grouped.setRoleGroup(0);
    grouped.setValue("Hub");
    EXPECT_EQ(textOf(grouped), "all Other_Role Hub");
    EXPECT_EQ(grouped.getRolegroup(), 0);
}

TEST(QueltRoleEnumTest, ModifierNamesAreExactAndUnknownOnesMeanSome)
{
    struct Case {
        const char* given;
        long code;
        const char* name;
    };
    const Case cases[] = {{"some", 0, "some"}, {"all", 1, "all"}, {"poss", 2, "poss"},
                          {"ALL", 0, "some"},  {"All", 0, "some"}, {"", 0, "some"},
                          {"all ", 0, "some"}, {"never", 0, "some"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("modifier '") + c.given + "'");
        QueltRoleEnum modifier{std::string(c.given)};
        EXPECT_EQ(modifier.getModifier(), c.code);
        EXPECT_EQ(modifier.getModifier('x'), c.name);
    }
    EXPECT_EQ(QueltRoleEnum::convertToModifier("poss"), 2);
    EXPECT_EQ(QueltRoleEnum::convertToModifier("Poss"), -1);
    EXPECT_FALSE(QueltRoleEnum::isValid(""));
    EXPECT_TRUE(QueltRoleEnum::isValid("all"));
    EXPECT_TRUE(QueltRoleEnum(std::string("all")) == QueltRoleEnum(std::string("all")));
    EXPECT_TRUE(QueltRoleEnum(std::string("some")) < QueltRoleEnum(std::string("poss")));
}

TEST_F(ModelTest, RoleModifierTextIsSharedAndOverwrittenByTheNextCall)
{
    QueltRoleDef def("r", "R1", 1, "", "", "", "", "");
    QueltRole first("r", "a", "some");
    QueltRole second("r", "b", "all");

    const std::string& firstText = first.getModifier();
    EXPECT_EQ(firstText, "some");
    const std::string& secondText = second.getModifier();
    EXPECT_EQ(&firstText, &secondText);
    EXPECT_EQ(firstText, "all");

    // The modifier record gives the same text.
    QueltRoleEnum poss{std::string("poss")};
    poss.getModifier('c');
    EXPECT_EQ(firstText, "poss");
    // The text form does not disturb it.
    EXPECT_EQ(textOf(first), "some r a");
    EXPECT_EQ(firstText, "poss");
}

TEST_F(ModelTest, AttributesWithUndefinedNamesHaveNoNameAndNoError)
{
    QueltRoleDef roleDef("Known_Role", "R1", 1, "", "", "", "", "");
    QueltPropertyDef propDef("Known_Prop", "P1", 1, "string", false, false, "");
    QueltAssociationDef assocDef("Known_Assoc", "A1", 1, "", true, "");
    QueltQualifierDef qualDef("Known_Qual", "Q1", 1, "", "CA", {});

    QueltRole role("Unknown", "v", "all");
    QueltProperty property("Unknown", "v", "en");
    QueltAssociation association("Unknown", "v");
    QueltQualifier qualifier("Unknown", "v");

    EXPECT_EQ(role.getNameID(), -1);
    EXPECT_EQ(property.getNameID(), -1);
    EXPECT_EQ(association.getNameID(), -1);
    EXPECT_EQ(qualifier.getNameID(), -1);
    EXPECT_EQ(textOf(role), "all  v");
    EXPECT_EQ(textOf(property), " v");
    EXPECT_EQ(textOf(association), " v");
    EXPECT_EQ(textOf(qualifier), " v");
    EXPECT_FALSE(QueltRole::isError());
    EXPECT_FALSE(QueltProperty::isError());
    EXPECT_FALSE(QueltAssociation::isError());
    EXPECT_FALSE(QueltQualifier::isError());
    EXPECT_EQ(property.getLocale(), "en");
}

TEST_F(ModelTest, PropertyAndAssociationTextCarriesTheirQualifiersInOrder)
{
    QueltPropertyDef propDef("Preferred_Name", "P1", 1, "string", false, false, "");
    QueltAssociationDef assocDef("Has_Target", "A1", 1, "Is_Target", true, "");
    QueltQualifierDef source("Source", "Q1", 1, "", "CA", {});
    QueltQualifierDef date("Date", "Q2", 2, "", "CP", {});

    QueltProperty property("Preferred_Name", "Alpha Beta", "");
    EXPECT_FALSE(property.hasQualifier());
    property.addQualifier(QueltQualifier("Source", "NCI"));
    property.addQualifier(QueltQualifier("Date", "2006"));
    EXPECT_TRUE(property.hasQualifier());
    EXPECT_EQ(textOf(property), "Preferred_Name Alpha Beta|Source NCI|Date 2006");

    property.setQualifier(std::vector<QueltQualifier>{QueltQualifier("Date", "2007")});
    EXPECT_EQ(textOf(property), "Preferred_Name Alpha Beta|Date 2007");

    QueltAssociation association("Has_Target", "Other Concept",
                                 {QueltQualifier("Date", "1999"), QueltQualifier("Nope", "x")});
    EXPECT_TRUE(association.hasQualifier());
    EXPECT_EQ(textOf(association), "Has_Target Other Concept|Date 1999| x");
}

TEST_F(ModelTest, RoleBuiltBeforeAnyRoleDefBlanksEveryRoleName)
{
    QueltRole early("Has_Part", "Wheel", "some");
    EXPECT_TRUE(QueltRoleDef::isError(T::NO_ROLEDEF));
    EXPECT_TRUE(QueltRole::isError(T::NO_ROLEDEF));
    EXPECT_EQ(early.getNameID(), -1);

    QueltRoleDef def("Has_Part", "R1", 1, "", "", "", "", "");
    QueltRole late("Has_Part", "Wheel", "some");
    EXPECT_EQ(late.getNameID(), 0);
    EXPECT_EQ(late.getName(), "");
    EXPECT_EQ(textOf(late), "some  Wheel");

    QueltRole::clearError();
    EXPECT_EQ(late.getName(), "Has_Part");
}

TEST_F(ModelTest, PropertyAndAssociationBuiltWhileTheirDefsAreAbsentSetNoPropdef)
{
    {
        QueltProperty property("Preferred_Name", "x", "");
        EXPECT_TRUE(QueltPropertyDef::isError(T::NO_PROPDEF));
        EXPECT_TRUE(QueltProperty::isError(T::NO_PROPDEF));
        EXPECT_FALSE(QueltAssociation::isError());
    }
    {
        QueltAssociation association("Has_Target", "x");
        EXPECT_TRUE(QueltAssociationDef::isError(T::NO_PROPDEF));
        EXPECT_TRUE(QueltAssociation::isError(T::NO_PROPDEF));
    }
    QueltPropertyDef def("Preferred_Name", "P1", 1, "string", false, false, "");
    QueltProperty property("Preferred_Name", "x", "");
    EXPECT_EQ(property.getNameID(), 0);
    EXPECT_EQ(property.getName(), "");
}

TEST_F(ModelTest, QualifierCopiesNoPropdefOnlyWhenItsOwnLookupFoundNoRegistries)
{
    {
        QueltQualifier early("Source", "NCI");
        EXPECT_TRUE(QueltQualifier::isError(T::NO_PROPDEF));
        EXPECT_TRUE(QueltQualifierDef::isError(T::NO_PROPDEF));
        EXPECT_EQ(early.getNameID(), -1);
    }
    QueltQualifierDef def("Source", "Q1", 1, "", "CA", {});
    QueltQualifier late("Source", "NCI");
    EXPECT_EQ(late.getNameID(), 0);
    EXPECT_EQ(late.getName(), ""); // the qualifier class's own bit is sticky

    QueltQualifier::clearError();
    QueltQualifier again("Source", "FDA");
    EXPECT_FALSE(QueltQualifier::isError());
    EXPECT_EQ(again.getName(), "Source");
    EXPECT_EQ(late.getName(), "Source");
}

TEST_F(ModelTest, SetNameComplainsOnlyWhenTheDefinitionRegistriesAreAbsent)
{
    ::testing::internal::CaptureStderr();
    QueltRole role("Has_Part", "Wheel", "some");
    role.setName("Has_Part");
    QueltProperty property("Synonym", "x", "");
    property.setName("Synonym");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "ERROR:  QueltRoleDef for 'Has_Part' not yet defined.\n"
              "ERROR:  PropertyDef for 'Synonym' not yet defined.\n");

    modeltest::clearAllErrorWords();
    QueltRoleDef roleDef("Has_Part", "R1", 1, "", "", "", "", "");
    QueltRoleDef roleDef2("Is_Part_Of", "R2", 2, "", "", "", "", "");
    QueltPropertyDef propDef("Synonym", "P1", 1, "string", false, false, "");
    ::testing::internal::CaptureStderr();
    role.setName("Is_Part_Of");
    EXPECT_EQ(role.getNameID(), 1);
    EXPECT_EQ(role.getName(), "Is_Part_Of");
    role.setName("Not_A_Role");
    EXPECT_EQ(role.getNameID(), -1);
    property.setName("Synonym");
    EXPECT_EQ(property.getName(), "Synonym");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(ModelTest, AttributeComparisons)
{
    QueltRoleDef r0("r0", "R0", 0, "", "", "", "", "");
    QueltRoleDef r1("r1", "R1", 1, "", "", "", "", "");
    QueltPropertyDef p0("p0", "P0", 0, "string", false, false, "");
    QueltPropertyDef p1("p1", "P1", 1, "string", false, false, "");
    QueltQualifierDef q0("q0", "Q0", 0, "", "CA", {});
    QueltQualifierDef q1("q1", "Q1", 1, "", "CA", {});

    QueltRole role("r0", "a", "some", 1);
    EXPECT_TRUE(role == QueltRole("r0", "a", "", 1));
    EXPECT_FALSE(role == QueltRole("r0", "a", "all", 1));
    EXPECT_FALSE(role == QueltRole("r0", "a", "some", 2));
    // Less only when every field is strictly less.
    EXPECT_TRUE(role < QueltRole("r1", "b", "all", 2));
    EXPECT_FALSE(role < QueltRole("r1", "b", "all", 1));

    QueltQualifier qual("q0", "x");
    EXPECT_TRUE(qual == QueltQualifier("q0", "x"));
    EXPECT_FALSE(qual == QueltQualifier("q1", "x"));
    EXPECT_TRUE(qual < QueltQualifier("q1", "y"));
    EXPECT_FALSE(qual < QueltQualifier("q1", "x"));

    QueltProperty plain("p0", "v", "en");
    QueltProperty qualified("p0", "v", "en");
    qualified.addQualifier(qual);
    // A property without qualifiers does not look at the other's.
    EXPECT_TRUE(plain == qualified);
    EXPECT_FALSE(qualified == plain);
    EXPECT_FALSE(plain == QueltProperty("p0", "v", "fr"));

    QueltAssociationDef a0("a0", "A0", 0, "", true, "");
    QueltAssociation assoc("a0", "t");
    QueltAssociation assocQualified("a0", "t", {qual});
    EXPECT_TRUE(assoc == assocQualified);
    EXPECT_FALSE(assocQualified == assoc);
}

template <class Record>
std::string printedErrors()
{
    ::testing::internal::CaptureStderr();
    Record::printError();
    return ::testing::internal::GetCapturedStderr();
}

TEST_F(ModelTest, EachRecordClassPrintsItsOwnName)
{
    QueltRole::setError(T::NO_ROLEDEF);
    QueltProperty::setError(T::NO_PROPDEF | T::NO_NAMESPACE);
    QueltAssociation::setError(T::NO_PROPDEF);
    QueltQualifier::setError(T::NO_PROPDEF);
    QueltConcept::setError(T::NO_CONCEPTDEF | T::ID_EXISTS);

    EXPECT_EQ(printedErrors<QueltRole>(), "Error class QueltRole NO_ROLEDEF\n");
    EXPECT_EQ(printedErrors<QueltProperty>(),
              "Error class QueltProperty NO_NAMESPACE\nError class QueltProperty NO_PROPDEF\n");
    EXPECT_EQ(printedErrors<QueltAssociation>(), "Error class QueltAssociation NO_PROPDEF\n");
    EXPECT_EQ(printedErrors<QueltQualifier>(), "Error class QueltQualifier NO_PROPDEF\n");
    EXPECT_EQ(printedErrors<QueltConcept>(),
              "Error class QueltConcept ID_EXISTS\nError class QueltConcept NO_CONCEPTDEF\n");
    // The words are separate: clearing one leaves the others.
    QueltRole::clearError();
    EXPECT_EQ(printedErrors<QueltRole>(), "");
    EXPECT_TRUE(QueltQualifier::isError(T::NO_PROPDEF));
    modeltest::clearAllErrorWords();
}

} // namespace
