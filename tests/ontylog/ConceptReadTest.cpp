// The concepts of concepts.xml, each written out whole: role groups and
// modifiers, qualifiers on the right record, grouping wrappers, conceptInf,
// elements out of place, and nothing carried over from one concept to the
// next.

#include "tests/ontylog/OntylogTestSupport.h"

using namespace ontylogtest;

namespace {

using ConceptReadTest = ReadTest;

TEST_F(ConceptReadTest, EveryConceptWhole)
{
    ASSERT_TRUE(read(dataFile("concepts.xml")));
    EXPECT_EQ(out, "");
    const std::pair<const char*, const char*> expected[] = {
        { "Root Finding", "C1|100|Lab|Finding_Kind|primitive" },
        // Wrapped roles in groups 0, 1, 1, 2, 0; "all" or "poss" anywhere in
        // a role, the last one counting; a qualifier's "name" is not its
        // property's; qualifiers go to their own property or association.
        // Nothing of a role, property, association or qualifier carries
        // over to the next one: group, modifier, locale, qualifiers and
        // their values.
        { "Grouped Disease",
            "C2|101|Lab|Disease_Kind|primitive ^Other Parent ^Root Finding"
            " R:Has_Finding=V1/0/some R:Has_Finding=V2/1/all R:Has_Finding=V3/1/poss"
            " R:Has_Finding=V4/2/all R:Has_Finding=V5/0/some"
            " P:Preferred_Name=Grouped Disease{Source=MVQ}{Term_Type=PT} P:Note=first note@en"
            " P:Note=second note{Term_Type=}"
            " A:Mapped_To=Root Finding{Source=VQZ} A:Mapped_To=Elsewhere" },
        // Follows the concept that has everything.
        { "Bare Concept", "|-1|||defined" },
        // Without wrappers, and the same again as conceptInf.
        { "As Def",
            "C4|103|Lab|Disease_Kind|defined ^Root Finding R:Has_Site=Root Finding/1/poss"
            " P:Note=same A:Mapped_To=Root Finding" },
        { "As Inf",
            "C4|103|Lab|Disease_Kind|defined ^Root Finding R:Has_Site=Root Finding/1/poss"
            " P:Note=same A:Mapped_To=Root Finding" },
        // The empty first group still counts.
        { "Empty First Group", "|-1||Disease_Kind|defined R:Has_Site=Root Finding/2/some" },
        // "concept" outside "definingConcepts", "name" inside it, a stray
        // "value" and "all" add nothing; a reference does not split a parent;
        // a qualifier outside any property waits for the next one.
        { "Stray Elements",
            "|-1||Finding_Kind|defined ^Parent & Co R:Has_Site=Root Finding/0/some"
            " P:Note=takes the early qualifier{Source=EARLY} P:Note=has none" },
    };
    std::vector<std::string> names;
    for (const auto& e : expected) {
        names.push_back(e.first);
        EXPECT_EQ(describe(con(e.first)), e.second) << e.first;
    }
    EXPECT_EQ(conceptNames(*kb), names);
    // Identifiers are consecutive, whatever the first one is.
    EXPECT_EQ(kb->getConcepts().rbegin()->first - kb->getConcepts().begin()->first, 6);

    EXPECT_EQ(con("Grouped Disease").getNumRoleGroups(), 2);
    EXPECT_TRUE(con("Grouped Disease").hasRolegroups());
    EXPECT_EQ(con("Empty First Group").getNumRoleGroups(), 1);
    EXPECT_FALSE(con("Empty First Group").hasRolegroups());
    EXPECT_EQ(con("Bare Concept").getNumRoleGroups(), 0);
}

} // namespace
