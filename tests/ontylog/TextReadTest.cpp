// The text rule (Part 3.2) and the conversion of every text to UTF-8.

#include "ontylog/OntylogHandler.h"
#include "tests/ontylog/OntylogTestSupport.h"

#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLUni.hpp>

using namespace ontylogtest;

namespace {

std::vector<std::string> propertyValues(const QueltConcept& c, const std::string& name)
{
    std::vector<std::string> values;
    for (const auto& entry : c.getProperties()) {
        if (entry.second.getName() == name)
            values.push_back(entry.second.getValue());
    }
    return values;
}

using TextReadTest = ReadTest;

TEST_F(TextReadTest, TextIsWholeUntrimmedAndResolved)
{
    ASSERT_TRUE(read(dataFile("text.xml")));
    EXPECT_EQ(out, "");
    // Entity references of every predefined kind, in one name.
    const QueltConcept* c = findConcept("Salt & Pepper <Mix> \"Q\" 'A'");
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(conceptNames().size(), 1u);

    // Blanks around a name are kept, in the definition and in the reference.
    ASSERT_NE(findDef(kb->getPropertyDefs(), " Spaced Name "), nullptr);
    EXPECT_EQ(propertyValues(*c, " Spaced Name "), (std::vector<std::string>{"x < y && <tag/>"}));

    EXPECT_EQ(propertyValues(*c, "Value"),
              (std::vector<std::string>{
                  "beforeafter",                  // a comment splits the text
                  "onetwo",                       // a child's text is the child's
                  "\nline two\n  line three\ttab", // line ends and blanks count
                  "a&b&cd",                       // character references, empty CDATA
              }));
}

TEST_F(TextReadTest, NonAsciiTextArrivesAsExactUtf8)
{
    ASSERT_TRUE(read(dataFile("non_ascii.xml")));
    EXPECT_EQ(out, "");
    const QueltConcept* c = findConcept("H\xC3\xA9morragie r\xC3\xA9" "cidivante");
    ASSERT_NE(c, nullptr);
    // Names with non-ASCII characters resolve between records.
    EXPECT_EQ(c->getKind(), "Kind_\xC3\xA9");
    EXPECT_EQ(propertyValues(*c, "Synonym_\xC2\xB5"),
              (std::vector<std::string>{
                  "5 \xC2\xB5g",                                             // micro sign
                  "\xCE\xBA\xCE\xB1\xCF\x81\xCE\xBA\xCE\xAF\xCE\xBD\xCF\x89\xCE\xBC\xCE\xB1", // Greek
                  "\xE5\xBF\x83\xE7\xAD\x8B\xE6\xA2\x97\xE5\xA1\x9E",         // CJK
                  // &#x3bc; (Greek mu), &#233; and &#x1F600; (outside the BMP)
                  "5 \xCE\xBCg caf\xC3\xA9 \xF0\x9F\x98\x80",
                  "\xF0\x9F\x98\x80 \xF0\x9D\x94\xB8", // written as UTF-8, outside the BMP
              }));
}

TEST_F(TextReadTest, TextOfALatin1DocumentArrivesAsUtf8)
{
    ASSERT_TRUE(read(dataFile("latin1.xml")));
    EXPECT_EQ(conceptNames(), (std::vector<std::string>{"Caf\xC3\xA9 \xC2\xB5-Gr\xC3\xB6\xC3\x9F" "e"}));
}

TEST_F(TextReadTest, InternalEntityIsExpanded)
{
    ASSERT_TRUE(read(dataFile("internal_entity.xml")));
    EXPECT_EQ(out, "");
    EXPECT_NE(findDef(kb->getNames(), "Laboratory Namespace"), nullptr);
}

// Counts the character events of a parse; otherwise the reader's handler.
class CountingHandler : public OntylogHandler {
public:
    using OntylogHandler::OntylogHandler;
    void characters(const XMLCh* chars, XMLSize_t length) override
    {
        ++events;
        OntylogHandler::characters(chars, length);
    }
    int events = 0;
};

TEST_F(TextReadTest, LongTextInManyEventsIsReadWhole)
{
    // About 200 KB in one name, cut by CDATA sections and references, which
    // the parser delivers as events of their own.
    std::string expected;
    std::string written;
    for (int chunk = 0; chunk < 20; ++chunk) {
        std::string piece;
        for (int i = 0; i < 10000; ++i)
            piece += static_cast<char>('a' + (chunk + i) % 26);
        expected += piece;
        written += piece;
        if (chunk % 2 == 0) {
            expected += "<&>";
            written += "<![CDATA[<&>]]>";
        } else {
            expected += "&\xC3\xA9";
            written += "&amp;&#233;";
        }
    }
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    std::string file = dir.write("long.xml", "<terminology><conceptDef><name>" + written +
                                                 "</name></conceptDef></terminology>");

    using namespace xercesc;
    XMLPlatformUtils::Initialize();
    int events = 0;
    {
        std::unique_ptr<SAX2XMLReader> reader(XMLReaderFactory::createXMLReader());
        reader->setFeature(XMLUni::fgSAX2CoreNameSpaces, false);
        CountingHandler handler(*kb);
        reader->setContentHandler(&handler);
        reader->setErrorHandler(&handler);
        reader->parse(file.c_str());
        events = handler.events;
        EXPECT_FALSE(handler.hadFatalError());
    }
    XMLPlatformUtils::Terminate();

    EXPECT_GE(events, 40);
    ASSERT_EQ(kb->getNumConcepts(), 1);
    const std::string& name = kb->getConcepts().begin()->second.getName();
    EXPECT_EQ(name.size(), expected.size());
    EXPECT_TRUE(name == expected);
}

} // namespace
