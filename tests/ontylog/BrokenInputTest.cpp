// Broken and hostile input: a fatal error prints one line, stops the parse
// and keeps what was read before it; nothing outside the input file is read.

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
    EXPECT_EQ(describe(concept("Complete Concept")), "|-1||Finding_Kind|defined P:Note=kept");
}

TEST_F(BrokenInputTest, MissingFileIsAFatalError)
{
    ScratchDir dir;
    EXPECT_FALSE(read(dir.file("no-such-file.xml")));
    EXPECT_TRUE(isFatalErrorLine(out)) << out;
    EXPECT_EQ(kb->getNumConcepts(), 0);
}

// Element names are the qualified names as written: a prefix, other case or
// another spelling is some other element, and is ignored without a word.
TEST_F(BrokenInputTest, UnknownElementsAddNothing)
{
    EXPECT_TRUE(read(dataFile("unknown_elements.xml")));
    EXPECT_EQ(out, "");
    EXPECT_EQ(kb->getNumConcepts() + kb->getNumNames() + kb->getNumKinds() + kb->getNumProps(), 0);
}

// concepts.xml names "ontylog.dtd", which does not exist beside it; beside an
// "ontylog.dtd" that is not even well-formed it reads the same.
TEST_F(BrokenInputTest, TheDtdThatTheDoctypeNamesIsNeverRead)
{
    ScratchDir dir;
    writeAll(dir.file("ontylog.dtd"), "<!ELEMENT this is not a DTD");
    writeAll(dir.file("concepts.xml"), readAll(dataFile("concepts.xml")));
    for (const std::string& file : { dataFile("concepts.xml"), dir.file("concepts.xml") }) {
        fresh();
        EXPECT_TRUE(read(file)) << file;
        EXPECT_EQ(out, "") << file;
        EXPECT_EQ(kb->getNumConcepts(), 7) << file;
    }
}

TEST_F(BrokenInputTest, ExternalEntityIsNeverRead)
{
    ScratchDir dir;
    const std::string secret = dir.file("secret.txt");
    writeAll(secret, "SECRET-7f3a");
    writeAll(dir.file("external.xml"),
        "<?xml version=\"1.0\"?>\n"
        "<!DOCTYPE terminology SYSTEM \"ontylog.dtd\" [\n"
        "<!ENTITY secret SYSTEM \"file://"
            + secret
            + "\">\n]>\n"
              "<terminology>\n"
              "<conceptDef><name>Before</name></conceptDef>\n"
              "<conceptDef><name>Leak &secret;</name></conceptDef>\n"
              "<conceptDef><name>After</name></conceptDef>\n"
              "</terminology>\n");
    EXPECT_FALSE(read(dir.file("external.xml")));
    EXPECT_TRUE(isFatalErrorLine(out)) << out;
    EXPECT_EQ(conceptNames(*kb), (std::vector<std::string> { "Before" }));
}

// The internal entity is expanded; the bomb, ten to the eighth expansions,
// is refused after what came before it.
TEST_F(BrokenInputTest, InternalEntitiesExpandButTheBombIsRefused)
{
    EXPECT_TRUE(read(dataFile("internal_entity.xml")));
    EXPECT_EQ(out, "");
    EXPECT_EQ(byName(kb->getNames(), "Laboratory Namespace").getCode(), "NS1");

    fresh();
    EXPECT_FALSE(read(dataFile("entity_bomb.xml")));
    EXPECT_TRUE(isFatalErrorLine(out)) << out;
    EXPECT_EQ(kb->getNumNames(), 1);
    EXPECT_EQ(kb->getNumConcepts(), 0);
}

} // namespace
