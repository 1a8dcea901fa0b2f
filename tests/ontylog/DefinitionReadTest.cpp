// Reading the six kinds of definition from definitions.xml.

#include "ontylog/OntylogHandler.h"
#include "tests/ontylog/OntylogTestSupport.h"

#include <cstdint>

using namespace ontylogtest;

namespace {

class DefinitionReadTest : public ReadTest {
protected:
    void SetUp() override
    {
        ReadTest::SetUp();
        ASSERT_TRUE(read(dataFile("definitions.xml")));
        EXPECT_EQ(out, "");
    }
};

TEST_F(DefinitionReadTest, KindReferenceFlagIsFalseOnlyForTheTextFalse)
{
    struct Case {
        const char* kind;
        bool reference;
    };
    const Case cases[] = {
        {"Kind_False", false},    // reference="false"
        {"Kind_True", true},      // reference="true"
        {"Kind_Capitals", true},  // reference="FALSE"
        {"Kind_Empty", true},     // reference=""
        {"Kind_Missing", true},   // no attribute: read as the empty text
    };
    for (const Case& c : cases) {
        const QueltKind* kind = findDef(kb->getKinds(), c.kind);
        ASSERT_NE(kind, nullptr) << c.kind;
        EXPECT_EQ(kind->getReference(), c.reference) << c.kind;
    }
}

TEST_F(DefinitionReadTest, KindAndNamespaceFieldsTakeIdSecondAndCodeThird)
{
    const QueltName* lab = findDef(kb->getNames(), "Lab");
    ASSERT_NE(lab, nullptr);
    EXPECT_EQ(lab->getCode(), "NS1");
    EXPECT_EQ(lab->getID(), 7);
    // "namespace" inside "namespaceDef" is ignored; no id gives 0.
    EXPECT_EQ(kb->getNumNames(), 2);
    const QueltName* other = findDef(kb->getNames(), "Other_Lab");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->getID(), 0);

    const QueltKind* kind = findDef(kb->getKinds(), "Kind_True");
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->getCode(), "K2");
    EXPECT_EQ(kind->getID(), 12);
    EXPECT_EQ(kind->getNamespace(), "Lab");
    const QueltKind* empty = findDef(kb->getKinds(), "Kind_Empty");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->getNamespace(), "Other_Lab");
    const QueltKind* missing = findDef(kb->getKinds(), "Kind_Missing");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->getID(), 0);
    EXPECT_EQ(missing->getNamespaceID(), -1);
}

TEST_F(DefinitionReadTest, RoleDefinitionsKeepEveryField)
{
    const QueltRoleDef* site = findDef(kb->getRoleDefs(), "Has_Site");
    ASSERT_NE(site, nullptr);
    EXPECT_EQ(site->getCode(), "R1");
    EXPECT_EQ(site->getID(), 21);
    EXPECT_EQ(site->getNamespace(), "Lab");
    EXPECT_EQ(site->getDomain(), "Kind_True");
    EXPECT_EQ(site->getRange(), "Kind_False");
    EXPECT_EQ(site->getRight(), "Has_Part");
    EXPECT_FALSE(site->hasParent());

    // No "id": 0.
    const QueltRoleDef* primary = findDef(kb->getRoleDefs(), "Has_Primary_Site");
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(primary->getID(), 0);
    EXPECT_EQ(primary->getParentRole(), "Has_Site");
    EXPECT_EQ(primary->getRight(), "");
}

TEST_F(DefinitionReadTest, PropertyFlagsArePresenceAndPickListsKeepOrderAndRepeats)
{
    const QueltPropertyDef* flagged = findDef(kb->getPropertyDefs(), "Flagged");
    ASSERT_NE(flagged, nullptr);
    EXPECT_TRUE(flagged->isLocalized());
    EXPECT_TRUE(flagged->isContainsIndex());
    EXPECT_EQ(flagged->getPickList(), (std::vector<std::string>{"b", "a", "b"}));
    EXPECT_EQ(flagged->getRange(), "string");
    EXPECT_EQ(flagged->getID(), 31);
    EXPECT_EQ(flagged->getNamespace(), "Lab");

    // The next definition starts afresh; no "id" gives -1.
    const QueltPropertyDef* plain = findDef(kb->getPropertyDefs(), "Plain");
    ASSERT_NE(plain, nullptr);
    EXPECT_FALSE(plain->isLocalized());
    EXPECT_FALSE(plain->isContainsIndex());
    EXPECT_FALSE(plain->hasPickList());
    EXPECT_EQ(plain->getRange(), "long_string");
    EXPECT_EQ(plain->getID(), -1);

    // A flag element's text is not looked at.
    const QueltPropertyDef* localizedFalse = findDef(kb->getPropertyDefs(), "Localized_False");
    ASSERT_NE(localizedFalse, nullptr);
    EXPECT_TRUE(localizedFalse->isLocalized());
    EXPECT_FALSE(localizedFalse->isContainsIndex());
}

TEST_F(DefinitionReadTest, DisplayableOutsideAnAssociationDefinitionChangesNothing)
{
    const QueltAssociationDef* mapped = findDef(kb->getAssociationDefs(), "Mapped_To");
    ASSERT_NE(mapped, nullptr);
    EXPECT_EQ(mapped->getCode(), "A1");
    EXPECT_EQ(mapped->getID(), 41);
    EXPECT_EQ(mapped->getInverse(), "Mapped_From");
    EXPECT_TRUE(mapped->isDisplayable());
    EXPECT_EQ(mapped->getNamespace(), "Lab");

    const QueltAssociationDef* next = findDef(kb->getAssociationDefs(), "Not_Displayable");
    ASSERT_NE(next, nullptr);
    EXPECT_FALSE(next->isDisplayable());
    EXPECT_FALSE(next->hasInverse());
    EXPECT_EQ(next->getID(), -1);
}

TEST_F(DefinitionReadTest, QualifierTypeIsTheAttributeAsWritten)
{
    const QueltQualifierDef* source = findDef(kb->getQualifierDefs(), "Source");
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->getQualifierType(), "CA");
    EXPECT_EQ(source->getCode(), "Q1");
    EXPECT_EQ(source->getID(), 51);
    EXPECT_EQ(source->getNamespace(), "Lab");
    // The "pickList" wrapper needs no handling of its own.
    EXPECT_EQ(source->getPickList(), (std::vector<std::string>{"MVX", "GDC"}));

    // No "type" attribute reads as the empty text, a bad type; no "id": -1.
    const QueltQualifierDef* noType = findDef(kb->getQualifierDefs(), "No_Type");
    ASSERT_NE(noType, nullptr);
    EXPECT_EQ(noType->getQualifierType(), "");
    EXPECT_TRUE(QueltQualifierDef::isError(QueltTerminology::NO_PROPDEF));
    EXPECT_EQ(noType->getID(), -1);
    EXPECT_FALSE(noType->hasPickList());
}

TEST_F(DefinitionReadTest, IdentifierTextsConvertLikeAtoi)
{
    const QueltRoleDef* trailing = findDef(kb->getRoleDefs(), "Id_Trailing_Letters");
    ASSERT_NE(trailing, nullptr);
    EXPECT_EQ(trailing->getID(), 12); // "12abc"

    const QueltAssociationDef* letters = findDef(kb->getAssociationDefs(), "Id_Letters");
    ASSERT_NE(letters, nullptr);
    EXPECT_EQ(letters->getID(), 0); // "abc"

    const QueltPropertyDef* empty = findDef(kb->getPropertyDefs(), "Id_Empty");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->getID(), -1); // empty element: the init value stays

    const QueltKind* signedId = findDef(kb->getKinds(), "Id_Signed");
    ASSERT_NE(signedId, nullptr);
    EXPECT_EQ(signedId->getID(), -15); // "  -15 "
}

TEST_F(DefinitionReadTest, DefinitionsArriveInDocumentOrder)
{
    std::vector<std::string> kinds;
    for (const auto& entry : kb->getKinds())
        kinds.push_back(entry.second.getName());
    EXPECT_EQ(kinds, (std::vector<std::string>{"Kind_False", "Kind_True", "Kind_Capitals",
                                               "Kind_Empty", "Kind_Missing", "Id_Signed"}));
    EXPECT_EQ(kb->getNumRoles(), 3);
    EXPECT_EQ(kb->getNumProps(), 4);
    EXPECT_EQ(kb->getNumAssocs(), 3);
    EXPECT_EQ(kb->getNumQuals(), 2);
    EXPECT_EQ(kb->getNumConcepts(), 0);
}

// Identifiers beyond what atoi defines: saturated to the signed 32-bit range.
TEST(IdConversionTest, FollowsAtoiAndSaturatesOutOfRange)
{
    EXPECT_EQ(OntylogHandler::convertId("42"), 42);
    EXPECT_EQ(OntylogHandler::convertId(" \t\n\v\f\r+42x"), 42);
    EXPECT_EQ(OntylogHandler::convertId("-0"), 0);
    EXPECT_EQ(OntylogHandler::convertId(""), 0);
    EXPECT_EQ(OntylogHandler::convertId("+-1"), 0);
    EXPECT_EQ(OntylogHandler::convertId("- 1"), 0);
    EXPECT_EQ(OntylogHandler::convertId("2147483647"), INT32_MAX);
    EXPECT_EQ(OntylogHandler::convertId("2147483648"), INT32_MAX);
    EXPECT_EQ(OntylogHandler::convertId("-2147483648"), INT32_MIN);
    EXPECT_EQ(OntylogHandler::convertId("-2147483649"), INT32_MIN);
    EXPECT_EQ(OntylogHandler::convertId("000000000000000000000000000012"), 12);
    EXPECT_EQ(OntylogHandler::convertId(std::string(100000, '9')), INT32_MAX);
    EXPECT_EQ(OntylogHandler::convertId("-" + std::string(100000, '9') + "x"), INT32_MIN);
}

} // namespace
