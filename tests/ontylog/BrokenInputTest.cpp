// Broken and hostile input: a fatal error prints one line, stops
// the parse and keeps what was read; nothing outside the input file is
// ever read.

#include "tests/ontylog/OntylogTestSupport.h"

#include <fstream>
#include <sstream>

using namespace ontylogtest;

namespace {

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool anyTextContains(const QueltKb& kb, const std::string& needle)
{
    for (const std::string& text : allTexts(kb)) {
        if (text.find(needle) != std::string::npos)
            return true;
    }
    return false;
}

using BrokenInputTest = ReadTest;

TEST_F(BrokenInputTest, TruncatedFileKeepsTheRecordsBeforeTheBreak)
{
    EXPECT_FALSE(read(dataFile("truncated.xml")));
    EXPECT_TRUE(isFatalErrorLine(out)) << out;

    EXPECT_EQ(kb->getNumNames(), 1);
    EXPECT_EQ(kb->getNumKinds(), 1);
    EXPECT_EQ(kb->getNumProps(), 1);
    EXPECT_EQ(conceptNames(), (std::vector<std::string>{"Complete Concept"}));
    const QueltConcept* complete = findConcept("Complete Concept");
    ASSERT_NE(complete, nullptr);
    EXPECT_EQ(complete->getPropertyValue("Note"), "kept");
}

TEST_F(BrokenInputTest, MissingFileIsAFatalError)
{
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    EXPECT_FALSE(read(dir.path() + "/no-such-file.xml"));
    EXPECT_TRUE(isFatalErrorLine(out)) << out;
    EXPECT_EQ(kb->getNumConcepts(), 0);
}

TEST_F(BrokenInputTest, DirectoryAsInputIsAFatalError)
{
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    EXPECT_FALSE(read(dir.path()));
    EXPECT_TRUE(isFatalErrorLine(out)) << out;
}

TEST_F(BrokenInputTest, UnknownElementsLeaveTheKnowledgeBaseEmptyAndSilent)
{
    EXPECT_TRUE(read(dataFile("unknown_elements.xml")));
    EXPECT_EQ(out, "");
    EXPECT_EQ(kb->getNumConcepts(), 0);
    EXPECT_EQ(kb->getNumNames(), 0);
    EXPECT_TRUE(allTexts(*kb).empty());
}

// concepts.xml names "ontylog.dtd", which does not exist beside it. The same
// document beside an "ontylog.dtd" that is not even well-formed reads the
// same: the DTD is never opened.
TEST_F(BrokenInputTest, TheDtdThatTheDoctypeNamesIsNeverRead)
{
    ASSERT_TRUE(read(dataFile("concepts.xml")));
    EXPECT_EQ(out, "");
    std::vector<std::string> withoutDtd = conceptNames();
    ASSERT_EQ(withoutDtd.size(), 7u);
    kb.reset(); // one knowledge base at a time: the registries start afresh

    TempDir dir;
    ASSERT_TRUE(dir.ok());
    dir.write("ontylog.dtd", "<!ELEMENT this is not a DTD");
    std::string copy = dir.write("concepts.xml", fileText(dataFile("concepts.xml")));
    SetUp();
    EXPECT_TRUE(read(copy));
    EXPECT_EQ(out, "");
    EXPECT_EQ(conceptNames(), withoutDtd);
}

TEST_F(BrokenInputTest, ExternalGeneralEntityIsRefused)
{
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string secret = "SECRET-7f3a";
    std::string secretFile = dir.write("secret.txt", secret);
    std::string document = "<?xml version=\"1.0\"?>\n"
                           "<!DOCTYPE terminology SYSTEM \"ontylog.dtd\" [\n"
                           "<!ENTITY secret SYSTEM \"file://" + secretFile + "\">\n"
                           "]>\n"
                           "<terminology>\n"
                           "<conceptDef><name>Before</name></conceptDef>\n"
                           "<conceptDef><name>Leak &secret;</name></conceptDef>\n"
                           "<conceptDef><name>After</name></conceptDef>\n"
                           "</terminology>\n";
    std::string file = dir.write("external.xml", document);

    EXPECT_FALSE(read(file));
    EXPECT_TRUE(isFatalErrorLine(out)) << out;
    EXPECT_EQ(conceptNames(), (std::vector<std::string>{"Before"}));
    EXPECT_FALSE(anyTextContains(*kb, secret));
}

TEST_F(BrokenInputTest, ExternalParameterEntityIsRefused)
{
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    // If it were read, it would declare an entity holding the secret.
    std::string secretFile = dir.write("secret.ent", "<!ENTITY leak \"SECRET-9c1d\">");
    std::string document = "<?xml version=\"1.0\"?>\n"
                           "<!DOCTYPE terminology [\n"
                           "<!ENTITY % secret SYSTEM \"file://" + secretFile + "\">\n"
                           "%secret;\n"
                           "]>\n"
                           "<terminology><conceptDef><name>&leak;</name></conceptDef></terminology>\n";
    std::string file = dir.write("parameter.xml", document);

    EXPECT_FALSE(read(file));
    EXPECT_TRUE(isFatalErrorLine(out)) << out;
    EXPECT_EQ(kb->getNumConcepts(), 0);
    EXPECT_FALSE(anyTextContains(*kb, "SECRET-9c1d"));
}

TEST_F(BrokenInputTest, EntityBombIsRefused)
{
    EXPECT_FALSE(read(dataFile("entity_bomb.xml")));
    EXPECT_TRUE(isFatalErrorLine(out)) << out;
    EXPECT_EQ(kb->getNumNames(), 1); // the namespace before the bomb
    EXPECT_EQ(kb->getNumConcepts(), 0);
}

} // namespace
