// Texts that need escaping, written into a file and read back through an
// independent XML parser.

#include "tests/owl/OwlTestSupport.h"

#include "model/QueltProperty.h"

using namespace owltest;

class OwlEscaping : public OwlWriterTest {};

TEST_F(OwlEscaping, ContentAndAttributesReadBackAsHeld)
{
    struct Value {
        std::string held;
        std::string written;
        // What a parser reads; a text that already is one CDATA section is
        // kept as it is, so it reads as its inside.
        std::string read;
    };
    const Value values[] = {
        {"a & b", "<![CDATA[a & b]]>", "a & b"},
        {"a < b", "<![CDATA[a < b]]>", "a < b"},
        {"a > b", "a > b", "a > b"},
        {"x ]]> y", "x ]]&gt; y", "x ]]> y"},
        {"<b>]]>", "<![CDATA[<b>]]]]><![CDATA[>]]>", "<b>]]>"},
        {"<![CDATA[x & y]]>", "<![CDATA[x & y]]>", "x & y"},
        {"<![CDATA[x]]> & y", "<![CDATA[<![CDATA[x]]]]><![CDATA[> & y]]>", "<![CDATA[x]]> & y"},
        {"line\rend", "line&#xD;end", "line\rend"},
        {"a&\r", "<![CDATA[a&]]>&#xD;<![CDATA[]]>", "a&\r"},
        {"say \"hi\" & 'bye'", "<![CDATA[say \"hi\" & 'bye']]>", "say \"hi\" & 'bye'"},
        {"tab\tand\nnewline", "tab\tand\nnewline", "tab\tand\nnewline"},
        {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC"},
    };
    const std::string id = "id \"1\" <&>\t\n\r";

    QueltKb kb;
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addKind(QueltKind("K", 2, "K1", "NS", false));
    kb.addPropertyDef(QueltPropertyDef("RXK", "P1", 3, "string", false, false, "NS"));
    kb.addPropertyDef(QueltPropertyDef("Note", "P2", 4, "string", false, false, "NS"));
    QueltConcept concept("Label & name", "code<1>", 0, "NS", "K", false);
    concept.addProperty(QueltProperty("RXK", id, ""));
    for (const Value& value : values)
        concept.addProperty(QueltProperty("Note", value.held, ""));
    kb.addConcept(concept);

    std::string body = writeBody(kb);

    std::string expected = "<owl:Class rdf:about=\"#id &quot;1&quot; &lt;&amp;>&#9;&#xA;&#xD;\">\n"
                           "<rdfs:label><![CDATA[Label & name]]></rdfs:label>\n"
                           "<code><![CDATA[code<1>]]></code>\n"
                           "<RXK><![CDATA[id \"1\" <&>\t\n]]>&#xD;<![CDATA[]]></RXK>\n";
    for (const Value& value : values)
        expected += "<Note>" + value.written + "</Note>\n";
    expected += "</owl:Class>\n\n";
    size_t classes = body.rfind("<owl:Class rdf:about=");
    ASSERT_NE(classes, std::string::npos);
    expectSameLines(expected, body.substr(classes));

    if (!haveXmllint())
        return;
    const std::string out = path("out.owl");
    const std::string theClass = "//*[local-name()='Class'][*[local-name()='label']]";
    EXPECT_EQ(readBack(out, "string(" + theClass + "/@*[local-name()='about'])"), "#" + id);
    EXPECT_EQ(readBack(out, "string(" + theClass + "/*[local-name()='label'])"), "Label & name");
    EXPECT_EQ(readBack(out, "string(" + theClass + "/*[local-name()='code'])"), "code<1>");
    EXPECT_EQ(readBack(out, "string(" + theClass + "/*[local-name()='RXK'])"), id);
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i) {
        std::string xpath = "string((" + theClass + "/*[local-name()='Note'])[" +
                            std::to_string(i + 1) + "])";
        EXPECT_EQ(readBack(out, xpath), values[i].read) << values[i].held;
    }
}
