// The six kinds of definition in definitions.xml: attributes, flag elements,
// pick lists, identifiers and what each field is when it is missing.

#include "ontylog/OntylogGrammar.h"
#include "tests/ontylog/OntylogTestSupport.h"

#include <cstdint>

using namespace ontylogtest;

namespace {

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ",") + item;
    return text;
}

using DefinitionReadTest = ReadTest;

TEST_F(DefinitionReadTest, FieldsFlagsPickListsAndDefaults)
{
    ASSERT_TRUE(read(dataFile("definitions.xml")));
    EXPECT_EQ(out, "");
    const auto& kinds = kb->getKinds();
    const auto& roles = kb->getRoleDefs();
    const auto& props = kb->getPropertyDefs();
    const auto& assocs = kb->getAssociationDefs();
    const auto& quals = kb->getQualifierDefs();
    using std::to_string;
    struct Row {
        const char* what;
        std::string got;
        std::string want;
    };
    const Row rows[] = {
        // reference is false only for the text "false"; no attribute reads as "".
        { "reference=\"false\"", to_string(byName(kinds, "Kind_False").getReference()), "0" },
        { "reference=\"true\"", to_string(byName(kinds, "Kind_True").getReference()), "1" },
        { "reference=\"FALSE\"", to_string(byName(kinds, "Kind_Capitals").getReference()), "1" },
        { "reference=\"\"", to_string(byName(kinds, "Kind_Empty").getReference()), "1" },
        { "no reference", to_string(byName(kinds, "Kind_Missing").getReference()), "1" },
        { "no type", byName(quals, "No_Type").getQualifierType(), "" },
        // "namespace" inside "namespaceDef" is no namespace of its own.
        { "namespaces", to_string(kb->getNumNames()), "2" },
        { "rightId", byName(roles, "Has_Site").getRight(), "Has_Part" },
        { "parentRole", byName(roles, "Has_Primary_Site").getParentRole(), "Has_Site" },
        { "no rightId", byName(roles, "Has_Primary_Site").getRight(), "" },
        // Flags are the presence of the element; its text is not looked at.
        { "localized", to_string(byName(props, "Flagged").isLocalized()), "1" },
        { "containsIndex", to_string(byName(props, "Flagged").isContainsIndex()), "1" },
        { "<localized>false</localized>", to_string(byName(props, "Localized_False").isLocalized()),
            "1" },
        { "displayable", to_string(byName(assocs, "Mapped_To").isDisplayable()), "1" },
        { "inverseName", byName(assocs, "Mapped_To").getInverse(), "Mapped_From" },
        // Pick lists keep order and repeats, with or without the wrapper.
        { "pick list", joined(byName(props, "Flagged").getPickList()), "b,a,b" },
        { "wrapped pick list", joined(byName(quals, "Source").getPickList()), "MVQ,VQZ" },
        // The next definition starts afresh; a "displayable" between two
        // definitions belongs to neither.
        { "localized reset", to_string(byName(props, "Plain").isLocalized()), "0" },
        { "containsIndex reset", to_string(byName(props, "Plain").isContainsIndex()), "0" },
        { "pick list reset", joined(byName(props, "Plain").getPickList()), "" },
        { "qualifier pick list reset", joined(byName(quals, "No_Type").getPickList()), "" },
        { "displayable reset", to_string(byName(assocs, "Not_Displayable").isDisplayable()), "0" },
        { "inverse reset", byName(assocs, "Not_Displayable").getInverse(), "" },
        // A missing "id" leaves each class's initial value; a present one
        // converts like atoi.
        { "no namespace id", to_string(byName(kb->getNames(), "Other_Lab").getID()), "0" },
        { "no kind id", to_string(byName(kinds, "Kind_Missing").getID()), "0" },
        { "no role id", to_string(byName(roles, "Has_Primary_Site").getID()), "0" },
        { "no property id", to_string(byName(props, "Plain").getID()), "-1" },
        { "no association id", to_string(byName(assocs, "Not_Displayable").getID()), "-1" },
        { "no qualifier id", to_string(byName(quals, "No_Type").getID()), "-1" },
        { "id 12abc", to_string(byName(roles, "Id_Trailing_Letters").getID()), "12" },
        { "id abc", to_string(byName(assocs, "Id_Letters").getID()), "0" },
        { "empty id", to_string(byName(props, "Id_Empty").getID()), "-1" },
        { "id '  -15 '", to_string(byName(kinds, "Id_Signed").getID()), "-15" },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.got, row.want) << row.what;
    // The empty type is a bad one.
    EXPECT_TRUE(QueltQualifierDef::isError(QueltTerminology::NO_PROPDEF));
}

// Identifiers beyond what atoi defines saturate to the signed 32-bit range.
TEST(IdConversionTest, FollowsAtoiAndSaturatesOutOfRange)
{
    const std::pair<std::string, int32_t> cases[] = {
        { " \t\n\v\f\r+42x", 42 },
        { "-0", 0 },
        { "", 0 },
        { "+-1", 0 },
        { "- 1", 0 },
        { "2147483647", INT32_MAX },
        { "2147483648", INT32_MAX },
        { "-2147483648", INT32_MIN },
        { "-2147483649", INT32_MIN },
        { "000000000000000000000000000012", 12 },
        { std::string(100000, '9'), INT32_MAX },
        { "-" + std::string(100000, '9') + "x", INT32_MIN },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ontylog::convertId(c.first), c.second) << c.first.substr(0, 40);
}

} // namespace
