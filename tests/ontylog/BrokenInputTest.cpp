// Documents the reader takes apart without the grammar's help: a fatal error
// prints one line, stops the parse and keeps what was read before it;
// elements it does not know add nothing; an internal entity is expanded.
// Inputs that are missing, hostile or refer to other files are run through
// the programs by the command-line tests (badinput.sh).

#include "tests/ontylog/OntylogTestSupport.h"

using namespace ontylogtest;

namespace {

using BrokenInputTest = ReadTest;

TEST_F(BrokenInputTest, TruncatedFileKeepsTheRecordsBeforeTheBreak)
{
    EXPECT_FALSE(read(dataFile("truncated.xml")));
    EXPECT_TRUE(isFatalErrorLine(out)) << out;
    EXPECT_EQ(kb->getNumNames() + kb->getNumKinds() + kb->getNumProps(), 3);
    EXPECT_EQ(conceptNames(*kb), (std::vector<std::string> { "Complete Concept" }));
    EXPECT_EQ(describe(con("Complete Concept")), "|-1||Finding_Kind|defined P:Note=kept");
}

// Element names are the qualified names as written: a prefix, other case or
// another spelling is some other element, and is ignored without a word.
TEST_F(BrokenInputTest, UnknownElementsAddNothing)
{
    EXPECT_TRUE(read(dataFile("unknown_elements.xml")));
    EXPECT_EQ(out, "");
    EXPECT_EQ(kb->getNumConcepts() + kb->getNumNames() + kb->getNumKinds() + kb->getNumProps(), 0);
}

TEST_F(BrokenInputTest, InternalEntityIsExpanded)
{
    EXPECT_TRUE(read(dataFile("internal_entity.xml")));
    EXPECT_EQ(out, "");
    EXPECT_EQ(byName(kb->getNames(), "Laboratory Namespace").getCode(), "NS1");
}

} // namespace
