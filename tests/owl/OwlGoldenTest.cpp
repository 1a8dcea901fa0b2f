// End to end: Ontylog XML documents read by the reader and written by the
// OWL writer, compared byte for byte with OWL files checked by hand.
//
//   small  every section: role with a parent, pick lists of three values on
//          a property and one on a qualifier, two roots, a defined concept
//          whose first role group is empty, a primitive one with two groups
//          and an ungrouped role, qualified property and association
//   texts  texts that need escaping: markup characters, "]]>", text that
//          looks like CDATA (complete and not), CR and tab, non-ASCII

#include "tests/owl/OwlTestSupport.h"

using namespace owltest;

class OwlGolden : public OwlWriterTest, public testing::WithParamInterface<const char*> { };

TEST_P(OwlGolden, MatchesHandCheckedFile)
{
    const std::string input = std::string(QUELT_TEST_DATA) + "/golden/" + GetParam() + ".xml";
    const std::string expected
        = readFile(std::string(QUELT_TEST_DATA) + "/golden/" + GetParam() + ".owl");
    ASSERT_FALSE(expected.empty());
    QueltKb kb;
    testing::internal::CaptureStdout();
    bool read = kb.readQueltXMLFile(input);
    std::string readerOutput = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(read) << readerOutput;
    std::string file = write(kb);
    EXPECT_EQ(messages, "");
    expectSameLines(expected, file);
}

INSTANTIATE_TEST_SUITE_P(Cases, OwlGolden, testing::Values("small", "texts"));
