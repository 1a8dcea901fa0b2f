// The text of an element: all its character data, whole, with references and
// CDATA resolved, not trimmed, and converted to exact UTF-8.

#include "ontylog/OntylogBuilder.h"
#include "ontylog/OntylogHandler.h"
#include "tests/ontylog/OntylogTestSupport.h"

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <algorithm>

using namespace ontylogtest;
using ontylog::OntylogBuilder;
using ontylog::OntylogHandler;

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
    EXPECT_EQ(conceptNames(*kb), (std::vector<std::string> { "Salt & Pepper <Mix> \"Q\" 'A'" }));
    const QueltConcept& c = kb->getConcepts().begin()->second;
    // Blanks around a name are kept, in the definition and in the reference.
    EXPECT_EQ(byName(kb->getPropertyDefs(), " Spaced Name ").getCode(), "P1");
    EXPECT_EQ(propertyValues(c, " Spaced Name "), (std::vector<std::string> { "x < y && <tag/>" }));
    EXPECT_EQ(propertyValues(c, "Value"),
        (std::vector<std::string> {
            "beforeafter", // a comment splits the text
            "onetwo", // a child's text is the child's
            "\nline two\n  line three\ttab", // line ends and blanks count
            "a&b&cd", // character references, empty CDATA
        }));
}

TEST_F(TextReadTest, NonAsciiTextArrivesAsExactUtf8)
{
    ASSERT_TRUE(read(dataFile("non_ascii.xml")));
    EXPECT_EQ(out, "");
    const QueltConcept& c = con("H\xC3\xA9morragie r\xC3\xA9"
                                "cidivante");
    // Names with non-ASCII characters resolve between records.
    EXPECT_EQ(c.getKind(), "Kind_\xC3\xA9");
    EXPECT_EQ(propertyValues(c, "Synonym_\xC2\xB5"),
        (std::vector<std::string> {
            "5 \xC2\xB5g", // micro sign
            "\xCE\xBA\xCE\xB1\xCF\x81\xCE\xBA\xCE\xAF\xCE\xBD\xCF\x89\xCE\xBC\xCE\xB1", // Greek
            "\xE5\xBF\x83\xE7\xAD\x8B\xE6\xA2\x97\xE5\xA1\x9E", // CJK
            // &#x3bc; (Greek mu), &#233; and &#x1F600; (outside the BMP)
            "5 \xCE\xBCg caf\xC3\xA9 \xF0\x9F\x98\x80",
            "\xF0\x9F\x98\x80 \xF0\x9D\x94\xB8", // written as UTF-8, outside the BMP
        }));
}

// ASCII is narrowed in runs of 8 units, the last one overlapping the one
// before, and the UTF-8 is appended in pieces of 128 bytes; a character of
// two, three or four bytes (a surrogate pair; U+0080, the first that is not
// ASCII) at every place in and around such runs and at the end of a piece, a
// run of nothing but U+0080, and ASCII texts of every length up to past a
// piece, come out exactly.
TEST_F(TextReadTest, NonAsciiAtEveryPlaceOfACopiedRunIsExact)
{
    const std::string wide[] = { "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xC2\x80" };
    std::vector<std::string> expected(1);
    for (int i = 0; i < 16; ++i)
        expected[0] += wide[3];
    std::string document = "<terminology><propertyDef><name>Note</name><code>P1</code>"
                           "<id>1</id></propertyDef><conceptDef><name>Runs</name>";
    for (size_t length = 0; length <= 136; ++length) {
        std::string text;
        for (size_t i = 0; i < length; ++i)
            text += static_cast<char>('a' + i % 26);
        expected.push_back(text);
        for (size_t at = 0; at <= length; at += (length < 20 || length > 116 ? 1 : 7)) {
            const std::string& c = wide[(length + at) % 4];
            expected.push_back(text.substr(0, at) + c + text.substr(at));
        }
    }
    // Characters of several bytes only, over several pieces.
    expected.emplace_back();
    for (size_t i = 0; i < 100; ++i)
        expected.back() += wide[i % 3];
    for (const std::string& text : expected)
        document += "<property><name>Note</name><value>" + text + "</value></property>";
    ASSERT_TRUE(readText(document + "</conceptDef></terminology>"));
    EXPECT_EQ(out, "");
    std::vector<std::string> values = propertyValues(con("Runs"), "Note");
    std::sort(values.begin(), values.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(values, expected);
}

// The steps of a parse, applied to a knowledge base as soon as a batch is
// sent.
class ApplyingSink : public ontylog::StepSink {
public:
    explicit ApplyingSink(QueltKb& kb)
        : builder(kb)
    {
    }
    void ship(ontylog::Batch& batch) override
    {
        builder.apply(batch);
        batch.clear();
    }
    OntylogBuilder builder;
};

// A handler that hands on every piece of character data one unit at a
// time, so every surrogate pair arrives cut in two, and notes a fatal error.
class UnitByUnitHandler : public OntylogHandler {
public:
    using OntylogHandler::OntylogHandler;
    void characters(const XMLCh* chars, XMLSize_t length) override
    {
        for (XMLSize_t i = 0; i < length; ++i)
            OntylogHandler::characters(chars + i, 1);
    }
    void fatalError(const xercesc::SAXParseException& exc) override
    {
        failed = true;
        OntylogHandler::fatalError(exc);
    }
    bool failed = false;
};

// Parses the document through that handler and a grammar that sends its
// steps to the sink; true when the parse went through.
bool parseUnitByUnit(const std::string& document, ontylog::StepSink& sink)
{
    using namespace xercesc;
    XMLPlatformUtils::Initialize();
    bool parsed;
    {
        ontylog::OntylogGrammar grammar(sink);
        UnitByUnitHandler handler(grammar);
        std::unique_ptr<SAX2XMLReader> reader(XMLReaderFactory::createXMLReader());
        reader->setContentHandler(&handler);
        reader->setErrorHandler(&handler);
        MemBufInputSource input(
            reinterpret_cast<const XMLByte*>(document.data()), document.size(), "test.xml");
        reader->parse(input);
        grammar.flush();
        parsed = !handler.failed;
    }
    XMLPlatformUtils::Terminate();
    return parsed;
}

// Character data is converted piece by piece as the parser delivers it; a
// piece may end between the two units of a surrogate pair. The pairs of the
// first and the last character outside the BMP (D800 DC00, DBFF DFFF) and
// the characters just below and above the surrogates (U+D7FF, U+E000) come
// out whole both when every unit is a piece and when the text is one piece.
TEST_F(TextReadTest, SurrogatePairCutBetweenPiecesComesOutWhole)
{
    const std::string text = "a\xF0\x9F\x98\x80\xF0\x9D\x94\xB8 caf\xC3\xA9 \xE2\x82\xAC"
                             "\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF\xF0\x90\x80\x80";
    const std::string document
        = "<terminology><propertyDef><name>Note</name><code>P1</code><id>1</id></propertyDef>"
          "<conceptDef><name>"
        + text
        + "</name><property><name>Note</name><value>\xF0\x9F\x98\x80</value></property>"
          "</conceptDef></terminology>";
    for (bool unitByUnit : { true, false }) {
        fresh();
        ApplyingSink applying(*kb);
        EXPECT_TRUE(unitByUnit ? parseUnitByUnit(document, applying) : readText(document));
        EXPECT_EQ(conceptNames(*kb), (std::vector<std::string> { text })) << unitByUnit;
    }
    EXPECT_EQ(propertyValues(con(text), "Note"), (std::vector<std::string> { "\xF0\x9F\x98\x80" }));
}

// Messages of the parser library: UTF-16 to UTF-8 at every bound of the
// forms, a lone surrogate as U+FFFD.
TEST(OntylogHandler, MessageTextIsUtf8)
{
    const std::pair<std::u16string, std::string> cases[] = {
        { u"\x7F", "\x7F" },
        { u"\x80", "\xC2\x80" },
        { u"\x7FF", "\xDF\xBF" },
        { u"\x800", "\xE0\xA0\x80" },
        { u"\xD7FF\xE000\xFFFF", "\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF" },
        { std::u16string { 0xD800, 0xDC00, 0xDBFF, 0xDFFF }, "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF" },
        { std::u16string { 0xDC00, 0xDFFF, 0xDBFF, 0xE000, 0xD800 },
            "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEE\x80\x80\xEF\xBF\xBD" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(OntylogHandler::messageText(c.first.c_str()), c.second) << c.second;
    EXPECT_EQ(OntylogHandler::messageText(nullptr), "");
}

} // namespace
