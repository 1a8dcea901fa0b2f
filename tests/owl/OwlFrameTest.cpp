// The frame of the OWL output: indentation, identifier check, content
// escaping, the empty knowledge base, one small terminology checked whole,
// and the kinds message.

#include "tests/owl/OwlTestSupport.h"

#include "model/QueltAssociation.h"
#include "model/QueltProperty.h"
#include "model/QueltQualifier.h"
#include "model/QueltRole.h"
#include "owl/Indent.h"
#include "owl/XmlText.h"

using namespace owltest;

TEST(Indent, LevelMovesAndNeverGoesBelowZero)
{
    struct Step {
        const char* command;
        const char* tabs;
    };
    const Step steps[] = {
        {"c", ""},     {"+", "\t"}, {"+", "\t\t"}, {"s", "\t\t"}, {"x", "\t\t"}, {"", "\t\t"},
        {"-", "\t"},   {"-", ""},   {"-", ""},     {"-", ""},     {"+", "\t"},   {"+", "\t\t"},
        {"+", "\t\t\t"}, {"c", ""}, {"s", ""},
    };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i)
        EXPECT_EQ(indent(steps[i].command), steps[i].tabs) << "step " << i << " '" << steps[i].command << "'";
}

TEST(IsValidOwl, MessagesPerFault)
{
    QueltKb kb;
    struct Case {
        std::string name;
        bool valid;
        std::string messages;
    };
    const Case cases[] = {
        {"Abc_1-2.x", true, ""},
        {"_x", true, ""},
        {"Z", true, ""},
        {"1abc", false, "ERROR:  invalid OWL name; first char \"1abc\"\n"},
        // A bad first character does not stop the check of the others.
        {"1a b", false,
         "ERROR:  invalid OWL name; first char \"1a b\"\n"
         "ERROR:  invalid OWL name; internal char at 3, \"1a b\"\n"},
        {"a b+c", false,
         "ERROR:  invalid OWL name; internal char at 2, \"a b+c\"\n"
         "ERROR:  invalid OWL name; internal char at 4, \"a b+c\"\n"},
        {"", false, "ERROR:  invalid OWL name; first char \"\"\n"},
        {"-a", false, "ERROR:  invalid OWL name; first char \"-a\"\n"},
        {".a", false, "ERROR:  invalid OWL name; first char \".a\"\n"},
        {"a:b", false, "ERROR:  invalid OWL name; internal char at 2, \"a:b\"\n"},
        // Every byte of a multi-byte character is invalid, first or later.
        {"\xC3\xA9t\xC3\xA9", false,
         "ERROR:  invalid OWL name; first char \"\xC3\xA9t\xC3\xA9\"\n"
         "ERROR:  invalid OWL name; internal char at 2, \"\xC3\xA9t\xC3\xA9\"\n"
         "ERROR:  invalid OWL name; internal char at 4, \"\xC3\xA9t\xC3\xA9\"\n"
         "ERROR:  invalid OWL name; internal char at 5, \"\xC3\xA9t\xC3\xA9\"\n"},
        {"a\x7F", false, "ERROR:  invalid OWL name; internal char at 2, \"a\x7F\"\n"},
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStderr();
        bool valid = kb.isValidOWL(c.name);
        std::string messages = testing::internal::GetCapturedStderr();
        EXPECT_EQ(valid, c.valid) << c.name;
        EXPECT_EQ(messages, c.messages) << c.name;
    }
}

TEST(VerifyOutString, WrapsMarkupInCdata)
{
    QueltKb kb;
    struct Case {
        std::string text;
        std::string written;
    };
    const Case cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {"a > b", "a > b"},
        {"\"quoted\" 'and' tab\tnew\nline", "\"quoted\" 'and' tab\tnew\nline"},
        {"R&D", "<![CDATA[R&D]]>"},
        {"a<b", "<![CDATA[a<b]]>"},
        {"<![CDATA[x & y]]>", "<![CDATA[x & y]]>"},
        {"<![CDATA[]]>", "<![CDATA[]]>"},
        // Not one complete section: treated as any other text.
        {"<![CDATA[x", "<![CDATA[<![CDATA[x]]>"},
        {"<![CDATA[a]]>b", "<![CDATA[<![CDATA[a]]]]><![CDATA[>b]]>"},
        {"<![CDATA[a]]><![CDATA[b]]>",
         "<![CDATA[<![CDATA[a]]]]><![CDATA[><![CDATA[b]]]]><![CDATA[>]]>"},
        {"a]]>b", "a]]&gt;b"},
        {"]]]>", "]]]&gt;"},
        {"x]]", "x]]"},
        {"<a]]>", "<![CDATA[<a]]]]><![CDATA[>]]>"},
        {"a\rb", "a&#xD;b"},
        {"a&\rb", "<![CDATA[a&]]>&#xD;<![CDATA[b]]>"},
        {"<![CDATA[a\rb]]>", "<![CDATA[<![CDATA[a]]>&#xD;<![CDATA[b]]]]><![CDATA[>]]>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kb.verifyOutString(c.text), c.written) << c.text;
}

// The check runs in blocks; a bad byte must be found wherever it falls
// relative to the block edges, and tab, LF and CR are never bad.
TEST(Carryable, FindsEveryC0ControlAtEveryPosition)
{
    const std::string clean = std::string(150, 'a') + "\t\n\r\x7F\xC3\xA9 ";
    EXPECT_TRUE(xmltext::carryable(clean));
    EXPECT_TRUE(xmltext::carryable(""));
    for (int byte = 0; byte < 0x20; ++byte) {
        if (byte == '\t' || byte == '\n' || byte == '\r')
            continue;
        for (size_t at = 0; at < clean.size(); ++at) {
            std::string text = clean;
            text[at] = static_cast<char>(byte);
            EXPECT_FALSE(xmltext::carryable(text)) << "byte " << byte << " at " << at;
            EXPECT_TRUE(xmltext::carryable(text.data(), at)) << "byte " << byte << " at " << at;
        }
    }
}

class OwlFrame : public OwlWriterTest {};

TEST_F(OwlFrame, EmptyKnowledgeBaseGivesHeaderEmptyLineAndClosing)
{
    QueltKb kb;
    std::string file = write(kb);
    EXPECT_EQ(file, headerText() + "</rdf:RDF>\n");
    EXPECT_EQ(messages_, "");
}

TEST_F(OwlFrame, WritingOverAnExistingFileReplacesAllOfIt)
{
    writeFile(path("out.owl"), std::string(5000, 'x'));
    QueltKb kb;
    EXPECT_EQ(write(kb), headerText() + "</rdf:RDF>\n");
    EXPECT_EQ(listDirectory(dir_), std::vector<std::string>{"out.owl"});
}

TEST_F(OwlFrame, HeaderLinesAreWrittenAsReceived)
{
    QueltKb kb;
    std::vector<std::string> header = {"<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"",
                                       "\txmlns=\"urn:x#\">", "", "<!-- a &amp; b -->"};
    std::string file = path("h.owl");
    std::string ns = "urn:x#";
    testing::internal::CaptureStderr();
    EXPECT_TRUE(kb.writeMedvex2OWLFile(file, header, ns));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(readFile(file), "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"\n"
                              "\txmlns=\"urn:x#\">\n\n<!-- a &amp; b -->\n\n</rdf:RDF>\n");
    expectWellFormed(file);
}

// Two kinds, four concepts: every section of the file once, checked whole.
TEST_F(OwlFrame, SmallTerminologyWholeFile)
{
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addKind(QueltKind("Body_Kind", 2, "K1", "NS", false));
    kb.addKind(QueltKind("Finding_Kind", 3, "K2", "NS", false));
    kb.addRoleDef(QueltRoleDef("Has_Site", "R1", 4, "NS", "Finding_Kind", "Body_Kind", "", ""));
    kb.addRoleDef(
        QueltRoleDef("Has_Main_Site", "R2", 5, "NS", "Finding_Kind", "Body_Kind", "", "Has_Site"));
    kb.addPropertyDef(QueltPropertyDef("RXK", "P1", 6, "string", false, false, "NS"));
    kb.addPropertyDef(QueltPropertyDef("Preferred_Name", "P2", 7, "string", false, true, "NS"));
    QueltPropertyDef status("Status", "P3", 8, "string", false, false, "NS");
    status.setPickList({"active"});
    kb.addPropertyDef(status);
    kb.addQualifierDef(QueltQualifierDef("Source", "Q1", 9, "NS", "CP", {"A", "B", "C"}));
    kb.addAssociationDef(QueltAssociationDef("Related_To", "A1", 10, "", true, "NS"));

    QueltConcept body("Body", "CB", 11, "NS", "Body_Kind", false);
    // Properties come out in the order their names were defined.
    body.addProperty(QueltProperty("Preferred_Name", "Body structure", ""));
    body.addProperty(QueltProperty("RXK", "C0001", ""));
    kb.addConcept(body);

    QueltConcept finding("Finding", "CF", 12, "NS", "Finding_Kind", false);
    finding.addProperty(QueltProperty("RXK", "C0002", ""));
    kb.addConcept(finding);

    QueltConcept heart("Heart", "CH", 13, "NS", "Body_Kind", false);
    heart.addParent("Body");
    heart.addProperty(QueltProperty("RXK", "C0003", ""));
    kb.addConcept(heart);

    QueltConcept disease("Heart disease", "CD", 14, "NS", "Finding_Kind", true);
    disease.addParent("Finding");
    disease.addRole(QueltRole("Has_Site", "Heart", "some"));
    disease.addProperty(QueltProperty("RXK", "C0004", ""));
    disease.addProperty(QueltProperty("Preferred_Name", "Heart disease & failure", ""));
    QueltProperty active("Status", "active", "");
    active.addQualifier(QueltQualifier("Source", "A"));
    disease.addProperty(active);
    disease.addAssociation(QueltAssociation("Related_To", "Heart", {QueltQualifier("Source", "B")}));
    kb.addConcept(disease);

    std::string file = write(kb);
    EXPECT_EQ(messages_, "");
    expectSameLines(headerText() + tabs(R"(<owl:ObjectProperty rdf:ID="R1">
<code>R1</code>
<rdfs:label>Has_Site</rdfs:label>
\t<rdfs:domain rdf:resource="#C0002"/>
\t<rdfs:range rdf:resource="#C0001"/>
</owl:ObjectProperty>

<owl:ObjectProperty rdf:ID="R2">
<code>R2</code>
<rdfs:label>Has_Main_Site</rdfs:label>
\t<rdfs:subPropertyOf rdf:resource="#R1"/>
</owl:ObjectProperty>

<owl:AnnotationProperty rdf:ID="RXK">
<code>P1</code>
<rdfs:label>RXK</rdfs:label>
<rdfs:range rdf:resource="http://www.w3.org/2001/XMLSchema#string"/>
<rdf:type rdf:resource="http://www.w3.org/2002/07/owl#DatatypeProperty"/>
</owl:AnnotationProperty>

<owl:AnnotationProperty rdf:ID="Preferred_Name">
<code>P2</code>
<rdfs:label>Preferred_Name</rdfs:label>
<rdfs:range rdf:resource="http://www.w3.org/2001/XMLSchema#string"/>
<rdf:type rdf:resource="http://www.w3.org/2002/07/owl#DatatypeProperty"/>
</owl:AnnotationProperty>

<owl:AnnotationProperty rdf:ID="Status">
<code>P3</code>
<rdfs:label>Status</rdfs:label>
<rdfs:range>
\t<owl:DataRange>
\t<owl:oneOf>
\t\t<rdf:List>
\t\t\t<rdf:first rdf:datatype="http://www.w3.org/2001/XMLSchema#string">active</rdf:first>
\t\t\t<rdf:rest rdf:resource="http://www.w3.org/1999/02/22-rdf-syntax-ns#nil"/>
\t\t</rdf:List>
\t</owl:oneOf>
\t</owl:DataRange>
</rdfs:range>
</owl:AnnotationProperty>

<owl:AnnotationProperty rdf:ID="Source">
<code>Q1</code>
<rdfs:label>Source</rdfs:label>
<rdfs:range>
\t<owl:DataRange>
\t<owl:oneOf>
\t\t<rdf:List>
\t\t<rdf:first rdf:datatype="http://www.w3.org/2001/XMLSchema#string">A</rdf:first>
\t\t<rdf:rest>
\t\t<rdf:List>
\t\t<rdf:first rdf:datatype="http://www.w3.org/2001/XMLSchema#string">B</rdf:first>
\t\t<rdf:rest>
\t\t<rdf:List>
\t\t<rdf:first rdf:datatype="http://www.w3.org/2001/XMLSchema#string">C</rdf:first>
\t\t<rdf:rest rdf:resource="http://www.w3.org/1999/02/22-rdf-syntax-ns#nil"/>
\t\t</rdf:List>
\t\t</rdf:rest>
\t\t</rdf:List>
\t\t</rdf:rest>
\t\t</rdf:List>
\t</owl:oneOf>
\t</owl:DataRange>
</rdfs:range>
</owl:AnnotationProperty>

<owl:ObjectProperty rdf:ID="Related_To">
<rdfs:label>Related_To</rdfs:label>
<rdf:type rdf:resource="http://www.w3.org/2002/07/owl#AnnotationProperty"/>
</owl:ObjectProperty>

<owl:Class rdf:about="#C0001">
\t<owl:disjointWith rdf:resource="#C0002"/>
</owl:Class>

<owl:Class rdf:about="#C0002">
\t<owl:disjointWith rdf:resource="#C0001"/>
</owl:Class>

<owl:Class rdf:about="#C0001">
<rdfs:label>Body structure</rdfs:label>
<code>CB</code>
<RXK>C0001</RXK>
<Preferred_Name>Body structure</Preferred_Name>
</owl:Class>

<owl:Class rdf:about="#C0002">
<rdfs:label>Finding</rdfs:label>
<code>CF</code>
<RXK>C0002</RXK>
</owl:Class>

<owl:Class rdf:about="#C0003">
<rdfs:label>Heart</rdfs:label>
<code>CH</code>
<rdfs:subClassOf rdf:resource="#C0001"/>
<RXK>C0003</RXK>
</owl:Class>

<owl:Class rdf:about="#C0004">
<rdfs:label><![CDATA[Heart disease & failure]]></rdfs:label>
<code>CD</code>
<owl:equivalentClass>
\t<owl:Class>
\t\t<owl:intersectionOf rdf:parseType="Collection">
\t\t\t<owl:Class rdf:about="#C0002"/>
\t\t\t<owl:Restriction>
\t\t\t\t<owl:onProperty rdf:resource="#R1"/>
\t\t\t\t<owl:someValuesFrom rdf:resource="#C0003"/>
\t\t\t</owl:Restriction>
\t\t</owl:intersectionOf>
\t</owl:Class>
</owl:equivalentClass>
<RXK>C0004</RXK>
<Preferred_Name><![CDATA[Heart disease & failure]]></Preferred_Name>
<Status>active</Status>
<Related_To rdf:resource="#C0003"/>
</owl:Class>
<owl:Axiom>
\t<Source>A</Source>
\t<owl:annotatedTarget>active</owl:annotatedTarget>
\t<owl:annotatedSource rdf:resource="#C0004"/>
\t<owl:annotatedProperty rdf:resource="#Status"/>
</owl:Axiom>
<owl:Axiom>
\t<Source>B</Source>
\t<owl:annotatedTarget>http://terms.example.org/ftp1/Medvex/Medvex.owl#C0003</owl:annotatedTarget>
\t<owl:annotatedSource rdf:resource="#C0004"/>
\t<owl:annotatedProperty rdf:resource="#Related_To"/>
</owl:Axiom>

</rdf:RDF>
)"),
                    file);
}

TEST_F(OwlFrame, KindsMessageComesFirstAndLeavesTheFileUnchanged)
{
    // Three concepts without parents; the last one's identifier is invalid,
    // so the writer has messages of its own after the kinds message.
    auto build = [](QueltKb& kb, int kinds) {
        kb.addNamespace(QueltName("NS", 1, "N1"));
        const char* kindNames[] = {"K_One", "K_Two", "K_Three"};
        for (int i = 0; i < kinds; ++i)
            kb.addKind(QueltKind(kindNames[i], 2 + i, std::string("K") + kindNames[i], "NS", false));
        kb.addPropertyDef(QueltPropertyDef("RXK", "P1", 9, "string", false, false, "NS"));
        const char* codes[] = {"X1", "X2", "3X"};
        const char* names[] = {"Alpha", "Beta", "Gamma"};
        for (int i = 0; i < 3; ++i) {
            QueltConcept c(names[i], std::string("C") + codes[i], 10 + i, "NS", "K_One", false);
            c.addProperty(QueltProperty("RXK", codes[i], ""));
            kb.addConcept(c);
        }
    };
    const std::string kinds = "Number of Kinds is not the same as the number of root Concepts.\n";
    const std::string invalid = "ERROR:  invalid OWL name; first char \"3X\"\n";
    // With three roots each root identifier is checked four times: once for
    // its own class and once in each class's disjointness lines.
    const std::string rootChecks = invalid + invalid + invalid + invalid;

    std::string twoKinds;
    {
        QueltKb kb;
        build(kb, 2);
        twoKinds = write(kb, "two.owl");
        EXPECT_EQ(messages_, kinds + rootChecks);
    }
    QueltKb kb;
    build(kb, 3);
    EXPECT_EQ(write(kb, "three.owl"), twoKinds);
    EXPECT_EQ(messages_, rootChecks);
}
