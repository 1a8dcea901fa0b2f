// The frame of the OWL file, the declarations of the definitions and the
// root classes. The layouts of both pick lists and of ordinary definitions
// are checked whole by the golden files; here are the cases those do not
// reach.

#include "tests/owl/OwlTestSupport.h"

#include "owl/Indent.h"

using namespace owltest;

class OwlDocument : public OwlWriterTest { };

TEST_F(OwlDocument, EmptyKnowledgeBaseReplacesAnExistingFile)
{
    writeFile(path("out.owl"), std::string(5000, 'x'));
    QueltKb kb;
    EXPECT_EQ(write(kb), headerText() + "</rdf:RDF>\n");
    EXPECT_EQ(messages, "");
    EXPECT_EQ(listDirectory(dir), std::vector<std::string> { "out.owl" });
}

TEST_F(OwlDocument, HeaderLinesAreWrittenAsReceived)
{
    QueltKb kb;
    const std::string file = path("h.owl");
    EXPECT_TRUE(tryWrite(kb, file,
        { "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"",
            "\txmlns=\"urn:x#\">", "", "<!-- a &amp; b -->" },
        "urn:x#"));
    EXPECT_EQ(messages, "");
    EXPECT_EQ(readFile(file),
        "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"\n"
        "\txmlns=\"urn:x#\">\n\n<!-- a &amp; b -->\n\n</rdf:RDF>\n");
    expectWellFormed(file);
}

// The kinds message comes first and changes nothing in the file. The last
// root's identifier is invalid; with three roots each root identifier is
// checked four times: once for its own class and once in each class's
// disjointness lines.
TEST_F(OwlDocument, KindsMessageComesFirstAndLeavesTheFileUnchanged)
{
    auto build = [](QueltKb& kb, int kinds) {
        addBasics(kb);
        for (int i = 1; i < kinds; ++i)
            kb.addKind(QueltKind("K_" + std::to_string(i), 3 + i, "k", "NS", false));
        for (const char* code : { "X1", "X2", "3X" })
            kb.addConcept(makeConcept(std::string("N") + code, code));
    };
    const std::string invalid = "ERROR:  invalid OWL name; first char \"3X\"\n";
    const std::string rootChecks = invalid + invalid + invalid + invalid;
    QueltKb two;
    build(two, 2);
    const std::string twoKinds = write(two, "two.owl");
    EXPECT_EQ(
        messages, "Number of Kinds is not the same as the number of root Concepts.\n" + rootChecks);
    QueltKb three;
    build(three, 3);
    EXPECT_EQ(write(three, "three.owl"), twoKinds);
    EXPECT_EQ(messages, rootChecks);
}

// The property lists grow through indent() from level 0 whatever level
// earlier use left; the qualifier lists neither read nor change the level.
TEST_F(OwlDocument, PickListsDoNotDependOnTheIndentLevelLeftOver)
{
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addQualifierDef(
        QueltQualifierDef("Q_Three", "Q3", 2, "NS", "CP", { "red", "R&D", "a > b" }));
    indent("c");
    indent("+");
    indent("+");
    const std::string qualifiers = body(write(kb, "q.owl"));
    EXPECT_EQ(indent("s"), "\t\t");
    QueltPropertyDef property("P_Three", "P3", 3, "string", false, false, "NS");
    property.setPickList({ "red", "R&D", "a > b" });
    kb.addPropertyDef(property);
    indent("c");
    const std::string fromZero = write(kb, "a.owl");
    indent("+");
    EXPECT_EQ(write(kb, "b.owl"), fromZero);
    EXPECT_EQ(indent("s"), "");
    EXPECT_NE(fromZero.find("\t\t\t\t\t\t<rdf:first"), std::string::npos) << "the list grows";
    EXPECT_NE(fromZero.find(qualifiers), std::string::npos) << qualifiers;
}

// Domain and range name the root concept of the kind, the later root in
// byte order when a kind has two; a parent that is no role definition and
// a kind without a root concept give the empty identifier.
TEST_F(OwlDocument, RoleDefinitions)
{
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addKind(QueltKind("Thing_Kind", 2, "K1", "NS", false));
    kb.addKind(QueltKind("Place_Kind", 3, "K2", "NS", false));
    kb.addKind(QueltKind("Empty_Kind", 4, "K3", "NS", false));
    kb.addRoleDef(QueltRoleDef("Located_In", "R10", 5, "NS", "Thing_Kind", "Place_Kind", "", ""));
    kb.addRoleDef(
        QueltRoleDef("Orphan", "R12", 7, "NS", "Thing_Kind", "Thing_Kind", "", "Missing"));
    kb.addRoleDef(QueltRoleDef("Nowhere", "R13", 8, "NS", "Empty_Kind", "Place_Kind", "", ""));
    kb.addPropertyDef(QueltPropertyDef("RXK", "P1", 9, "string", false, false, "NS"));
    // Concept identifier order differs from byte order of the names.
    const char* roots[][3] = { { "Zebra", "Thing_Kind", "T_Z" }, { "Apple", "Thing_Kind", "T_A" },
        { "Place", "Place_Kind", "PL" } };
    for (const auto& root : roots) {
        QueltConcept concept(root[0], "c", 20, "NS", root[1], false);
        concept.addProperty(QueltProperty("RXK", root[2], ""));
        kb.addConcept(concept);
    }
    std::string body = writeBody(kb);
    EXPECT_EQ(messages, "");
    expectSameLines(tabs(R"(<owl:ObjectProperty rdf:ID="R10">
<code>R10</code>
<rdfs:label>Located_In</rdfs:label>
\t<rdfs:domain rdf:resource="#T_Z"/>
\t<rdfs:range rdf:resource="#PL"/>
</owl:ObjectProperty>

<owl:ObjectProperty rdf:ID="R12">
<code>R12</code>
<rdfs:label>Orphan</rdfs:label>
\t<rdfs:subPropertyOf rdf:resource="#"/>
</owl:ObjectProperty>

<owl:ObjectProperty rdf:ID="R13">
<code>R13</code>
<rdfs:label>Nowhere</rdfs:label>
\t<rdfs:domain rdf:resource="#"/>
\t<rdfs:range rdf:resource="#PL"/>
</owl:ObjectProperty>

)"),
        body.substr(0, body.find("<owl:AnnotationProperty")));
}

// Each definition's identifier is checked once, just before it is
// declared, in section order; a failing identifier is still written, as
// an attribute value that XML can carry.
TEST_F(OwlDocument, IdentifierChecksAndEscapedDefinitionTexts)
{
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addKind(QueltKind("K", 2, "K1", "NS", false));
    kb.addAssociationDef(QueltAssociationDef("9assoc", "A1", 3, "", true, "NS"));
    kb.addQualifierDef(QueltQualifierDef("q<1", "Q&1", 4, "NS", "CP", {}));
    kb.addPropertyDef(QueltPropertyDef("p\"1", "P]]>1", 5, "string", false, false, "NS"));
    kb.addRoleDef(QueltRoleDef("role & co", "R&1", 6, "NS", "K", "K", "", ""));
    std::string file = write(kb);
    EXPECT_EQ(messages,
        "Number of Kinds is not the same as the number of root Concepts.\n"
        "ERROR:  invalid OWL name; internal char at 2, \"R&1\"\n"
        "ERROR:  invalid OWL name; internal char at 2, \"p\"1\"\n"
        "ERROR:  invalid OWL name; internal char at 2, \"q<1\"\n"
        "ERROR:  invalid OWL name; first char \"9assoc\"\n");
    expectSameLines(tabs(R"(<owl:ObjectProperty rdf:ID="R&amp;1">
<code><![CDATA[R&1]]></code>
<rdfs:label><![CDATA[role & co]]></rdfs:label>
\t<rdfs:domain rdf:resource="#"/>
\t<rdfs:range rdf:resource="#"/>
</owl:ObjectProperty>

<owl:AnnotationProperty rdf:ID="p&quot;1">
<code>P]]&gt;1</code>
<rdfs:label>p"1</rdfs:label>
<rdfs:range rdf:resource="http://www.w3.org/2001/XMLSchema#string"/>
<rdf:type rdf:resource="http://www.w3.org/2002/07/owl#DatatypeProperty"/>
</owl:AnnotationProperty>

<owl:AnnotationProperty rdf:ID="q&lt;1">
<code><![CDATA[Q&1]]></code>
<rdfs:label><![CDATA[q<1]]></rdfs:label>
<rdfs:range rdf:resource="http://www.w3.org/2001/XMLSchema#string"/>
<rdf:type rdf:resource="http://www.w3.org/2002/07/owl#DatatypeProperty"/>
</owl:AnnotationProperty>

<owl:ObjectProperty rdf:ID="9assoc">
<rdfs:label>9assoc</rdfs:label>
<rdf:type rdf:resource="http://www.w3.org/2002/07/owl#AnnotationProperty"/>
</owl:ObjectProperty>

)"),
        body(file));
    if (haveXmllint()) {
        const std::string out = path("out.owl");
        const std::string annotation = "//*[local-name()='AnnotationProperty']";
        EXPECT_EQ(
            readBack(out, "string(//*[local-name()='ObjectProperty'][1]/@*[local-name()='ID'])"),
            "R&1");
        EXPECT_EQ(readBack(out, "string(" + annotation + "[1]/@*[local-name()='ID'])"), "p\"1");
        EXPECT_EQ(readBack(out, "string(" + annotation + "[1]/*[local-name()='code'])"), "P]]>1");
        EXPECT_EQ(readBack(out, "string(" + annotation + "[2]/*[local-name()='label'])"), "q<1");
    }
}

// Roots arrive as B, A, C; they are declared in byte order of their names,
// each disjoint with the others, before the concept classes.
TEST_F(OwlDocument, RootClassesInByteOrderWithDisjointness)
{
    QueltKb kb;
    addBasics(kb);
    kb.addKind(QueltKind("K2", 4, "k2", "NS", false));
    kb.addKind(QueltKind("K3", 5, "k3", "NS", false));
    const char* names[] = { "B", "A", "C" };
    const char* kinds[] = { "K", "K2", "K3" };
    for (int i = 0; i < 3; ++i) {
        QueltConcept root(names[i], "c", 0, "NS", kinds[i], false);
        root.addProperty(QueltProperty("RXK", std::string("R_") + names[i], ""));
        kb.addConcept(root);
    }
    QueltConcept child = makeConcept("Child", "R_Child");
    child.addParent("B");
    kb.addConcept(child);
    std::string body = writeBody(kb);
    EXPECT_EQ(messages, "");
    size_t roots = body.find("<owl:Class");
    size_t classes = body.find("<owl:Class rdf:about=\"#R_B\">\n<rdfs:label>");
    ASSERT_LT(roots, classes);
    expectSameLines(tabs(R"(<owl:Class rdf:about="#R_A">
\t<owl:disjointWith rdf:resource="#R_B"/>
\t<owl:disjointWith rdf:resource="#R_C"/>
</owl:Class>

<owl:Class rdf:about="#R_B">
\t<owl:disjointWith rdf:resource="#R_A"/>
\t<owl:disjointWith rdf:resource="#R_C"/>
</owl:Class>

<owl:Class rdf:about="#R_C">
\t<owl:disjointWith rdf:resource="#R_A"/>
\t<owl:disjointWith rdf:resource="#R_B"/>
</owl:Class>

)"),
        body.substr(roots, classes - roots));
    EXPECT_NE(body.find("<rdfs:subClassOf rdf:resource=\"#R_B\"/>\n<RXK>R_Child</RXK>"),
        std::string::npos);
}
