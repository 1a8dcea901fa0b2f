// Concept classes: the primitive and the defined form with ungrouped roles
// and role groups, labels, property and association lines, the annotation
// axioms of qualified statements, escaped texts read back through an
// independent XML parser, element names and concept identifiers.

#include "tests/owl/OwlTestSupport.h"

#include "owl/OwlWriter.h"

using namespace owltest;

namespace {

struct RoleSpec {
    const char* name;
    const char* target;
    const char* modifier;
    long group;
};

// The class block of the concept with that identifier (from its class
// line to its closing empty line), or "" when there is none.
std::string classBlock(const std::string& body, const std::string& id)
{
    const std::string start = "<owl:Class rdf:about=\"#" + id + "\">\n<rdfs:label>";
    size_t from = body.find(start);
    if (from == std::string::npos)
        return "";
    return body.substr(from, body.find("\n\n", from) + 2 - from);
}

} // namespace

class OwlClasses : public OwlWriterTest {
protected:
    // Role definitions Has_A (code RA) and Has_B (code RB), properties,
    // associations and qualifiers, and the concepts T1, T2, T3, Pa, Pb
    // (identifiers X1, X2, X3, PA, PB) to point at.
    void addDefinitions(QueltKb& kb)
    {
        addBasics(kb);
        kb.addRoleDef(QueltRoleDef("Has_A", "RA", 4, "NS", "K", "K", "", ""));
        kb.addRoleDef(QueltRoleDef("Has_B", "RB", 5, "NS", "K", "K", "", ""));
        kb.addPropertyDef(
            QueltPropertyDef("Preferred_Name", "P2", 6, "string", false, false, "NS"));
        kb.addPropertyDef(QueltPropertyDef("Synonym", "P3", 7, "string", false, false, "NS"));
        kb.addPropertyDef(QueltPropertyDef("Note", "P4", 8, "string", false, false, "NS"));
        kb.addAssociationDef(QueltAssociationDef("Same_As", "A1", 9, "", true, "NS"));
        kb.addAssociationDef(QueltAssociationDef("Maps_To", "A2", 10, "", true, "NS"));
        kb.addQualifierDef(QueltQualifierDef("Source", "Q1", 11, "NS", "CP", {}));
        kb.addQualifierDef(QueltQualifierDef("Type", "Q2", 12, "NS", "CP", {}));
        const char* names[] = { "T1", "T2", "T3", "Pa", "Pb" };
        const char* ids[] = { "X1", "X2", "X3", "PA", "PB" };
        for (int i = 0; i < 5; ++i)
            kb.addConcept(makeConcept(names[i], ids[i]));
    }
};

namespace {

// One group (1) and three ungrouped roles, each in a subClassOf of its own
// in the concept's role order (by role definition, then as added): Has_A
// T1 (1), Has_A T3 (0), Has_A T2 (0), Has_B T1 (0), Has_B T2 (1). Only
// "all" gives allValuesFrom; "poss" is written like "some".
const std::vector<RoleSpec> kOneGroup = { { "Has_B", "T1", "poss", 0 }, { "Has_B", "T2", "all", 1 },
    { "Has_A", "T1", "some", 1 }, { "Has_A", "T3", "some", 0 }, { "Has_A", "T2", "all", 0 } };
// Two groups (1, 2) and an ungrouped role; role order: Has_A T1 (1),
// Has_A T2 (0), Has_B T2 (2), Has_B T3 (1).
const std::vector<RoleSpec> kTwoGroups = { { "Has_A", "T1", "some", 1 },
    { "Has_B", "T2", "some", 2 }, { "Has_B", "T3", "some", 1 }, { "Has_A", "T2", "all", 0 } };

std::vector<RoleSpec> renumbered(std::vector<RoleSpec> roles, long one, long two)
{
    for (RoleSpec& role : roles)
        role.group = role.group == 1 ? one : role.group == 2 ? two : role.group;
    return roles;
}

// The primitive form with two groups and the defined form with one are
// checked by the golden file "small".
const char kPrimitiveOneGroup[] = R"(<owl:Class rdf:about="#C_G">
<rdfs:label>G</rdfs:label>
<code>cG</code>
<rdfs:subClassOf rdf:resource="#PA"/>
<rdfs:subClassOf rdf:resource="#PB"/>
<rdfs:subClassOf>
\t<owl:Restriction>
\t\t<owl:onProperty rdf:resource="#RA"/>
\t\t<owl:someValuesFrom rdf:resource="#X3"/>
\t</owl:Restriction>
</rdfs:subClassOf>
<rdfs:subClassOf>
\t<owl:Restriction>
\t\t<owl:onProperty rdf:resource="#RA"/>
\t\t<owl:allValuesFrom rdf:resource="#X2"/>
\t</owl:Restriction>
</rdfs:subClassOf>
<rdfs:subClassOf>
\t<owl:Restriction>
\t\t<owl:onProperty rdf:resource="#RB"/>
\t\t<owl:someValuesFrom rdf:resource="#X1"/>
\t</owl:Restriction>
</rdfs:subClassOf>
<rdfs:subClassOf>
\t<owl:Class>
\t\t\t\t<owl:intersectionOf rdf:parseType="Collection">
\t\t\t\t\t<owl:Restriction>
\t\t\t\t\t\t<owl:onProperty rdf:resource="#RA"/>
\t\t\t\t\t\t<owl:someValuesFrom rdf:resource="#X1"/>
\t\t\t\t\t</owl:Restriction>
\t\t\t\t\t<owl:Restriction>
\t\t\t\t\t\t<owl:onProperty rdf:resource="#RB"/>
\t\t\t\t\t\t<owl:allValuesFrom rdf:resource="#X2"/>
\t\t\t\t\t</owl:Restriction>
\t\t\t\t</owl:intersectionOf>
\t</owl:Class>
</rdfs:subClassOf>
<RXK>C_G</RXK>
</owl:Class>

)";

const char kDefinedTwoGroups[] = R"(<owl:Class rdf:about="#C_G">
<rdfs:label>G</rdfs:label>
<code>cG</code>
<owl:equivalentClass>
\t<owl:Class>
\t\t<owl:intersectionOf rdf:parseType="Collection">
\t\t\t<owl:Class rdf:about="#PA"/>
\t\t\t<owl:Class rdf:about="#PB"/>
\t\t\t<owl:Restriction>
\t\t\t\t<owl:onProperty rdf:resource="#RA"/>
\t\t\t\t<owl:allValuesFrom rdf:resource="#X2"/>
\t\t\t</owl:Restriction>
\t\t\t<owl:Class>
\t\t\t<owl:unionOf rdf:parseType="Collection">
\t\t\t<owl:Class>
\t\t\t\t<owl:intersectionOf rdf:parseType="Collection">
\t\t\t\t\t<owl:Restriction>
\t\t\t\t\t\t<owl:onProperty rdf:resource="#RA"/>
\t\t\t\t\t\t<owl:someValuesFrom rdf:resource="#X1"/>
\t\t\t\t\t</owl:Restriction>
\t\t\t\t\t<owl:Restriction>
\t\t\t\t\t\t<owl:onProperty rdf:resource="#RB"/>
\t\t\t\t\t\t<owl:someValuesFrom rdf:resource="#X3"/>
\t\t\t\t\t</owl:Restriction>
\t\t\t\t</owl:intersectionOf>
\t\t\t</owl:Class>
\t\t\t<owl:Class>
\t\t\t\t<owl:intersectionOf rdf:parseType="Collection">
\t\t\t\t\t<owl:Restriction>
\t\t\t\t\t\t<owl:onProperty rdf:resource="#RB"/>
\t\t\t\t\t\t<owl:someValuesFrom rdf:resource="#X2"/>
\t\t\t\t\t</owl:Restriction>
\t\t\t\t</owl:intersectionOf>
\t\t\t</owl:Class>
\t\t\t</owl:unionOf>
\t\t\t</owl:Class>
\t\t</owl:intersectionOf>
\t</owl:Class>
</owl:equivalentClass>
<RXK>C_G</RXK>
</owl:Class>

)";

} // namespace

// Parents in byte order of their names whatever the order they were added
// in. Groups numbered 1..G, and the same roles with other group numbers: an
// empty first group (roles in group 2 only; groups 0, 2, 3), numbers far
// apart, a negative number. Every group that holds a role is written, in
// ascending group number.
TEST_F(OwlClasses, RoleGroupsInBothForms)
{
    auto classOf = [this](bool defined, const std::vector<RoleSpec>& roles) {
        clearAllErrorWords();
        QueltKb kb;
        addDefinitions(kb);
        QueltConcept concept = makeConcept("G", "C_G", defined);
        concept.addParents({ "Pb", "Pa" });
        for (const RoleSpec& role : roles)
        concept.addRole(QueltRole(role.name, role.target, role.modifier, role.group));
        kb.addConcept(concept);
        return classBlock(writeBody(kb), "C_G");
    };
    expectSameLines(tabs(kPrimitiveOneGroup), classOf(false, kOneGroup));
    expectSameLines(tabs(kDefinedTwoGroups), classOf(true, kTwoGroups));
    for (bool defined : { false, true }) {
        SCOPED_TRACE(defined ? "defined" : "primitive");
        const std::string oneGroup = classOf(defined, kOneGroup);
        const std::string twoGroups = classOf(defined, kTwoGroups);
        EXPECT_NE(oneGroup, twoGroups);
        EXPECT_EQ(classOf(defined, renumbered(kOneGroup, 2, 0)), oneGroup);
        for (auto numbers :
            { std::make_pair(2L, 3L), std::make_pair(5L, 40L), std::make_pair(-1L, 1L) }) {
            SCOPED_TRACE(std::to_string(numbers.first) + " " + std::to_string(numbers.second));
            EXPECT_EQ(
                classOf(defined, renumbered(kTwoGroups, numbers.first, numbers.second)), twoGroups);
        }
    }
}

// The first Preferred_Name is the label, else the name, escaped alike;
// with two RXK values the last one names the class; a missing parent, role
// target, association target or RXK gives the empty identifier.
TEST_F(OwlClasses, LabelPropertyAndAssociationLines)
{
    QueltKb kb;
    addDefinitions(kb);
    QueltConcept named = makeConcept("Plain name", "C_1");
    named.addProperty(QueltProperty("Synonym", "Other & more", ""));
    named.addProperty(QueltProperty("Preferred_Name", "First <label>", ""));
    named.addProperty(QueltProperty("Preferred_Name", "Second label", ""));
    named.addAssociation(QueltAssociation("Same_As", "T2"));
    named.addAssociation(QueltAssociation("Same_As", "No such concept"));
    kb.addConcept(named);
    QueltConcept unnamed("Salt & pepper", "c&2", 0, "NS", "K", false);
    unnamed.addProperty(QueltProperty("RXK", "C_2", ""));
    unnamed.addProperty(QueltProperty("RXK", "C_2b", ""));
    unnamed.addParent("Not a concept");
    unnamed.addRole(QueltRole("Has_A", "Not a concept either", "some"));
    kb.addConcept(unnamed);
    QueltConcept bare = makeConcept("Bare", "");
    bare.addParent("T1");
    kb.addConcept(bare);
    std::string body = writeBody(kb);
    expectSameLines(R"(<owl:Class rdf:about="#C_1">
<rdfs:label><![CDATA[First <label>]]></rdfs:label>
<code>cPlain name</code>
<RXK>C_1</RXK>
<Preferred_Name><![CDATA[First <label>]]></Preferred_Name>
<Preferred_Name>Second label</Preferred_Name>
<Synonym><![CDATA[Other & more]]></Synonym>
<Same_As rdf:resource="#X2"/>
<Same_As rdf:resource="#"/>
</owl:Class>

)",
        classBlock(body, "C_1"));
    expectSameLines(tabs(R"(<owl:Class rdf:about="#C_2b">
<rdfs:label><![CDATA[Salt & pepper]]></rdfs:label>
<code><![CDATA[c&2]]></code>
<rdfs:subClassOf rdf:resource="#"/>
<rdfs:subClassOf>
\t<owl:Restriction>
\t\t<owl:onProperty rdf:resource="#RA"/>
\t\t<owl:someValuesFrom rdf:resource="#"/>
\t</owl:Restriction>
</rdfs:subClassOf>
<RXK>C_2</RXK>
<RXK>C_2b</RXK>
</owl:Class>

)"),
        classBlock(body, "C_2b"));
    expectSameLines(
        "<owl:Class rdf:about=\"#\">\n<rdfs:label>Bare</rdfs:label>\n<code>cBare</code>\n"
        "<rdfs:subClassOf rdf:resource=\"#X1\"/>\n</owl:Class>\n\n",
        classBlock(body, ""));
}

// Property axioms come before association axioms whatever the order the
// statements were added in; several qualifiers make one axiom; equal
// statements make equal axioms; unqualified statements make none; values
// are escaped alike in the statement, qualifier and target lines; the
// target of an association axiom is the namespace and the identifier,
// escaped as one text.
TEST_F(OwlClasses, AxiomsOrderQualifiersAndDuplicates)
{
    QueltKb kb;
    addDefinitions(kb);
    QueltConcept concept = makeConcept("Qualified", "C_Q");
    concept.addAssociation(QueltAssociation("Maps_To", "T1", { QueltQualifier("Type", "x<y") }));
    concept.addAssociation(
        QueltAssociation("Maps_To", "Nowhere", { QueltQualifier("Source", "S1") }));
    concept.addAssociation(QueltAssociation("Maps_To", "T1"));
    QueltProperty synonym("Synonym", "Heart <attack>", "");
    synonym.addQualifier(QueltQualifier("Source", "A&B"));
    synonym.addQualifier(QueltQualifier("Type", "PT"));
    concept.addProperty(synonym);
    QueltProperty note("Note", "same", "");
    note.addQualifier(QueltQualifier("Source", "S2"));
    concept.addProperty(note);
    concept.addProperty(note);
    concept.addProperty(QueltProperty("Note", "unqualified", ""));
    kb.addConcept(concept);
    expectSameLines(tabs(R"(<owl:Class rdf:about="#C_Q">
<rdfs:label>Qualified</rdfs:label>
<code>cQualified</code>
<RXK>C_Q</RXK>
<Synonym><![CDATA[Heart <attack>]]></Synonym>
<Note>same</Note>
<Note>same</Note>
<Note>unqualified</Note>
<Maps_To rdf:resource="#X1"/>
<Maps_To rdf:resource="#"/>
<Maps_To rdf:resource="#X1"/>
</owl:Class>
<owl:Axiom>
\t<Source><![CDATA[A&B]]></Source>
\t<Type>PT</Type>
\t<owl:annotatedTarget><![CDATA[Heart <attack>]]></owl:annotatedTarget>
\t<owl:annotatedSource rdf:resource="#C_Q"/>
\t<owl:annotatedProperty rdf:resource="#Synonym"/>
</owl:Axiom>
<owl:Axiom>
\t<Source>S2</Source>
\t<owl:annotatedTarget>same</owl:annotatedTarget>
\t<owl:annotatedSource rdf:resource="#C_Q"/>
\t<owl:annotatedProperty rdf:resource="#Note"/>
</owl:Axiom>
<owl:Axiom>
\t<Source>S2</Source>
\t<owl:annotatedTarget>same</owl:annotatedTarget>
\t<owl:annotatedSource rdf:resource="#C_Q"/>
\t<owl:annotatedProperty rdf:resource="#Note"/>
</owl:Axiom>
<owl:Axiom>
\t<Type><![CDATA[x<y]]></Type>
\t<owl:annotatedTarget><![CDATA[urn:x?a=1&b=2#X1]]></owl:annotatedTarget>
\t<owl:annotatedSource rdf:resource="#C_Q"/>
\t<owl:annotatedProperty rdf:resource="#Maps_To"/>
</owl:Axiom>
<owl:Axiom>
\t<Source>S1</Source>
\t<owl:annotatedTarget><![CDATA[urn:x?a=1&b=2#]]></owl:annotatedTarget>
\t<owl:annotatedSource rdf:resource="#C_Q"/>
\t<owl:annotatedProperty rdf:resource="#Maps_To"/>
</owl:Axiom>

)"),
        classBlock(body(write(kb, "out.owl", "urn:x?a=1&b=2#")), "C_Q"));
    if (haveXmllint()) {
        EXPECT_EQ(readBack(path("out.owl"), "string((//*[local-name()='annotatedTarget'])[4])"),
            "urn:x?a=1&b=2#X1");
    }
}

// Texts that need escaping, as attribute and as content, written into a
// file and read back through an independent XML parser.
TEST_F(OwlClasses, EscapedTextsReadBackAsHeld)
{
    struct Value {
        std::string held;
        std::string written;
        // What a parser reads; a text that already is one CDATA section is
        // kept as it is, so it reads as its inside.
        std::string read;
    };
    const Value values[] = {
        { "", "", "" },
        { "a & b", "<![CDATA[a & b]]>", "a & b" },
        { "a < b", "<![CDATA[a < b]]>", "a < b" },
        { "a > b", "a > b", "a > b" },
        { "x ]]> y", "x ]]&gt; y", "x ]]> y" },
        { "]]]>", "]]]&gt;", "]]]>" },
        { "x]]", "x]]", "x]]" },
        { "<b>]]>", "<![CDATA[<b>]]]]><![CDATA[>]]>", "<b>]]>" },
        { "<![CDATA[x & y]]>", "<![CDATA[x & y]]>", "x & y" },
        { "<![CDATA[]]>", "<![CDATA[]]>", "" },
        // Not one complete section: treated as any other text.
        { "<![CDATA[x", "<![CDATA[<![CDATA[x]]>", "<![CDATA[x" },
        { "<![CDATA[x]]> & y", "<![CDATA[<![CDATA[x]]]]><![CDATA[> & y]]>", "<![CDATA[x]]> & y" },
        { "<![CDATA[a]]><![CDATA[b]]>",
            "<![CDATA[<![CDATA[a]]]]><![CDATA[><![CDATA[b]]]]><![CDATA[>]]>",
            "<![CDATA[a]]><![CDATA[b]]>" },
        { "line\rend", "line&#xD;end", "line\rend" },
        { "a&\r", "<![CDATA[a&]]>&#xD;<![CDATA[]]>", "a&\r" },
        { "a&\rb", "<![CDATA[a&]]>&#xD;<![CDATA[b]]>", "a&\rb" },
        { "<![CDATA[a\rb]]>", "<![CDATA[<![CDATA[a]]>&#xD;<![CDATA[b]]]]><![CDATA[>]]>",
            "<![CDATA[a\rb]]>" },
        { "say \"hi\" & 'bye'", "<![CDATA[say \"hi\" & 'bye']]>", "say \"hi\" & 'bye'" },
        { "tab\tand\nnewline", "tab\tand\nnewline", "tab\tand\nnewline" },
        { "caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC" },
    };
    const std::string id = "id \"1\" <&>\t\n\r";

    QueltKb kb;
    addBasics(kb);
    kb.addPropertyDef(QueltPropertyDef("Note", "P2", 4, "string", false, false, "NS"));
    QueltConcept concept("Label & name", "code<1>", 0, "NS", "K", false);
    concept.addProperty(QueltProperty("RXK", id, ""));
    std::string expected = "<owl:Class rdf:about=\"#id &quot;1&quot; &lt;&amp;>&#9;&#xA;&#xD;\">\n"
                           "<rdfs:label><![CDATA[Label & name]]></rdfs:label>\n"
                           "<code><![CDATA[code<1>]]></code>\n"
                           "<RXK><![CDATA[id \"1\" <&>\t\n]]>&#xD;<![CDATA[]]></RXK>\n";
    for (const Value& value : values) {
        concept.addProperty(QueltProperty("Note", value.held, ""));
        expected += "<Note>" + value.written + "</Note>\n";
        // The knowledge base's own entry to the same escaping.
        EXPECT_EQ(kb.verifyOutString(value.held), value.written) << value.held;
    }
    kb.addConcept(concept);
    std::string body = writeBody(kb);
    size_t classes = body.rfind("<owl:Class rdf:about=");
    ASSERT_NE(classes, std::string::npos);
    expectSameLines(expected + "</owl:Class>\n\n", body.substr(classes));

    if (!haveXmllint())
        return;
    const std::string out = path("out.owl");
    const std::string theClass = "//*[local-name()='Class'][*[local-name()='label']]";
    EXPECT_EQ(readBack(out, "string(" + theClass + "/@*[local-name()='about'])"), "#" + id);
    EXPECT_EQ(readBack(out, "string(" + theClass + "/*[local-name()='label'])"), "Label & name");
    EXPECT_EQ(readBack(out, "string(" + theClass + "/*[local-name()='code'])"), "code<1>");
    EXPECT_EQ(readBack(out, "string(" + theClass + "/*[local-name()='RXK'])"), id);
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i) {
        std::string xpath
            = "string((" + theClass + "/*[local-name()='Note'])[" + std::to_string(i + 1) + "])";
        EXPECT_EQ(readBack(out, xpath), values[i].read) << values[i].held;
    }
}

namespace {

// Definitions of the names the element-name tests use.
void addNamed(QueltKb& kb, const std::string& property, const std::string& qualifier,
    const std::string& association)
{
    addBasics(kb);
    kb.addPropertyDef(QueltPropertyDef(property, "P2", 4, "string", false, false, "NS"));
    kb.addQualifierDef(QueltQualifierDef(qualifier, "Q1", 5, "NS", "CP", {}));
    kb.addAssociationDef(QueltAssociationDef(association, "A1", 6, "", true, "NS"));
}

} // namespace

// Property, association and qualifier names become element names. A name
// that cannot be one (a blank or a colon in it, a digit first, no
// definition and so no name at all) would make the file unreadable: the
// writer refuses the concept, fails, and leaves an existing file as it was.
TEST_F(OwlClasses, NamesThatCannotBeElementsAreRefused)
{
    struct Case {
        const char* what;
        std::string property, qualifier, association;
        // Name of the property used on the concept; "" uses the defined one.
        std::string used;
        std::string message;
    };
    const std::string prefix = "ERROR: cannot write concept 'Root': ";
    const Case cases[] = {
        { "blank in a property name", "Short name", "Source", "Maps_To", "",
            prefix + "property name 'Short name' cannot be an XML element name\n" },
        { "colon in a qualifier name", "Note", "src:a", "Maps_To", "",
            prefix + "qualifier name 'src:a' cannot be an XML element name\n" },
        { "digit first in an association name", "Note", "Source", "1Maps", "",
            prefix + "association name '1Maps' cannot be an XML element name\n" },
        { "property without a definition", "Note", "Source", "Maps_To", "Undefined",
            prefix + "a property without a defined name\n" },
    };
    const std::string file = path("out.owl");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clearAllErrorWords();
        writeFile(file, "old");
        QueltKb kb;
        addNamed(kb, c.property, c.qualifier, c.association);
        QueltConcept root = makeConcept("Root", "R1");
        QueltProperty note(c.used.empty() ? c.property : c.used, "text", "");
        note.addQualifier(QueltQualifier(c.qualifier, "S"));
        root.addProperty(note);
        root.addAssociation(QueltAssociation(c.association, "Root", {}));
        kb.addConcept(root);
        EXPECT_FALSE(tryWrite(kb, file));
        // The declarations' identifier check speaks first; the refusal is
        // the last line.
        ASSERT_GE(messages.size(), c.message.size()) << messages;
        EXPECT_EQ(messages.substr(messages.size() - c.message.size()), c.message);
        expectOldOutputKept();
    }
}

// Names in the wider letters of XML pass and read back.
TEST_F(OwlClasses, NonAsciiNamesAreWrittenAndReadBack)
{
    QueltKb kb;
    const std::string property = "Gr\xC3\xB6\xC3\x9F"
                                 "e";
    const std::string qualifier = "Quelle_\xE2\x80\xBF";
    addNamed(kb, property, qualifier, "Verwandt_mit");
    QueltConcept root = makeConcept("Root", "R1");
    QueltProperty size(property, "gro\xC3\x9F", "");
    size.addQualifier(QueltQualifier(qualifier, "S"));
    root.addProperty(size);
    root.addAssociation(QueltAssociation("Verwandt_mit", "Root", {}));
    kb.addConcept(root);
    write(kb); // xmllint checks that the file is well-formed
    if (!haveXmllint())
        GTEST_SKIP() << "xmllint is not installed";
    const std::string file = path("out.owl");
    EXPECT_EQ(readBack(file, "string(//*[local-name()='" + property + "'])"), "gro\xC3\x9F");
    EXPECT_EQ(readBack(file, "string(//*[local-name()='" + qualifier + "'])"), "S");
    EXPECT_EQ(readBack(file, "count(//*[local-name()='Verwandt_mit'])"), "1");
}

// The definition of "RXK" exists but is not part of the knowledge base:
// the concepts are still named by their "RXK" properties, as the name is
// what counts, and one thread or several give the same file.
TEST_F(OwlClasses, RxkDefinedOutsideTheKnowledgeBase)
{
    QueltPropertyDef rxk("RXK", "P1", 1, "string", false, false, "NS");
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 2, "N1"));
    kb.addKind(QueltKind("K", 3, "K1", "NS", false));
    for (int i = 1; i <= 5000; ++i) {
        QueltConcept concept("Concept " + std::to_string(i), "c", 0, "NS", "K", false);
        if (i > 1)
        concept.addParent("Concept " + std::to_string(i - 1));
        concept.addProperty(QueltProperty("RXK", "C" + std::to_string(i), ""));
        kb.addConcept(concept);
    }
    ASSERT_TRUE(kb.getPropertyDefs().empty());
    std::string texts[2];
    for (unsigned workers : { 0u, 2u }) {
        owl::WriteOptions options;
        options.workers = workers;
        options.conceptsPerChunk = 100;
        testing::internal::CaptureStderr();
        EXPECT_TRUE(owl::writeOwlFile(kb, path("out.owl"), headerLines(), kNamespace, options));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        texts[workers == 0 ? 0 : 1] = readFile(path("out.owl"));
    }
    EXPECT_TRUE(texts[0] == texts[1]);
    EXPECT_NE(texts[0].find("<owl:Class rdf:about=\"#C5000\">\n"
                            "<rdfs:label>Concept 5000</rdfs:label>\n"
                            "<code>c</code>\n<rdfs:subClassOf rdf:resource=\"#C4999\"/>\n"
                            "<RXK>C5000</RXK>\n</owl:Class>\n"),
        std::string::npos);
}
