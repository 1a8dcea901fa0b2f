// Property declarations: role, property, qualifier and association
// definitions, with both pick-list layouts.

#include "tests/owl/OwlTestSupport.h"

#include "model/QueltProperty.h"
#include "owl/Indent.h"

using namespace owltest;

namespace {

const char kOneValueGrowing[] = R"(<rdfs:range>
\t<owl:DataRange>
\t<owl:oneOf>
\t\t<rdf:List>
\t\t\t<rdf:first rdf:datatype="http://www.w3.org/2001/XMLSchema#string">only</rdf:first>
\t\t\t<rdf:rest rdf:resource="http://www.w3.org/1999/02/22-rdf-syntax-ns#nil"/>
\t\t</rdf:List>
\t</owl:oneOf>
\t</owl:DataRange>
</rdfs:range>
)";

const char kThreeValuesGrowing[] = R"(<rdfs:range>
\t<owl:DataRange>
\t<owl:oneOf>
\t\t<rdf:List>
\t\t\t<rdf:first rdf:datatype="http://www.w3.org/2001/XMLSchema#string">red</rdf:first>
\t\t\t<rdf:rest>
\t\t\t\t<rdf:List>
\t\t\t\t\t<rdf:first rdf:datatype="http://www.w3.org/2001/XMLSchema#string"><![CDATA[R&D]]></rdf:first>
\t\t\t\t\t<rdf:rest>
\t\t\t\t\t\t<rdf:List>
\t\t\t\t\t\t\t<rdf:first rdf:datatype="http://www.w3.org/2001/XMLSchema#string">a > b</rdf:first>
\t\t\t\t\t\t\t<rdf:rest rdf:resource="http://www.w3.org/1999/02/22-rdf-syntax-ns#nil"/>
\t\t\t\t\t\t</rdf:List>
\t\t\t\t\t</rdf:rest>
\t\t\t\t</rdf:List>
\t\t\t</rdf:rest>
\t\t</rdf:List>
\t</owl:oneOf>
\t</owl:DataRange>
</rdfs:range>
)";

const char kOneValueFlat[] = R"(<rdfs:range>
\t<owl:DataRange>
\t<owl:oneOf>
\t\t<rdf:List>
\t\t<rdf:first rdf:datatype="http://www.w3.org/2001/XMLSchema#string">only</rdf:first>
\t\t<rdf:rest rdf:resource="http://www.w3.org/1999/02/22-rdf-syntax-ns#nil"/>
\t\t</rdf:List>
\t</owl:oneOf>
\t</owl:DataRange>
</rdfs:range>
)";

const char kThreeValuesFlat[] = R"(<rdfs:range>
\t<owl:DataRange>
\t<owl:oneOf>
\t\t<rdf:List>
\t\t<rdf:first rdf:datatype="http://www.w3.org/2001/XMLSchema#string">red</rdf:first>
\t\t<rdf:rest>
\t\t<rdf:List>
\t\t<rdf:first rdf:datatype="http://www.w3.org/2001/XMLSchema#string"><![CDATA[R&D]]></rdf:first>
\t\t<rdf:rest>
\t\t<rdf:List>
\t\t<rdf:first rdf:datatype="http://www.w3.org/2001/XMLSchema#string">a > b</rdf:first>
\t\t<rdf:rest rdf:resource="http://www.w3.org/1999/02/22-rdf-syntax-ns#nil"/>
\t\t</rdf:List>
\t\t</rdf:rest>
\t\t</rdf:List>
\t\t</rdf:rest>
\t\t</rdf:List>
\t</owl:oneOf>
\t</owl:DataRange>
</rdfs:range>
)";

const char kStringRange[] = R"(<rdfs:range rdf:resource="http://www.w3.org/2001/XMLSchema#string"/>
<rdf:type rdf:resource="http://www.w3.org/2002/07/owl#DatatypeProperty"/>
)";

std::string annotationProperty(const std::string& name, const std::string& code,
                               const std::string& range)
{
    return "<owl:AnnotationProperty rdf:ID=\"" + name + "\">\n<code>" + code +
           "</code>\n<rdfs:label>" + name + "</rdfs:label>\n" + tabs(range) +
           "</owl:AnnotationProperty>\n\n";
}

} // namespace

class OwlDeclarations : public OwlWriterTest {};

TEST_F(OwlDeclarations, PickListsOnPropertyAndQualifierDefinitions)
{
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 1, "N1"));
    QueltPropertyDef one("P_One", "P1", 2, "string", false, false, "NS");
    one.setPickList({"only"});
    kb.addPropertyDef(one);
    QueltPropertyDef three("P_Three", "P3", 3, "string", false, false, "NS");
    three.setPickList({"red", "R&D", "a > b"});
    kb.addPropertyDef(three);
    kb.addPropertyDef(QueltPropertyDef("P_None", "P0", 4, "string", false, false, "NS"));
    kb.addQualifierDef(QueltQualifierDef("Q_One", "Q1", 5, "NS", "CP", {"only"}));
    kb.addQualifierDef(QueltQualifierDef("Q_Three", "Q3", 6, "NS", "CP", {"red", "R&D", "a > b"}));
    kb.addQualifierDef(QueltQualifierDef("Q_None", "Q0", 7, "NS", "CP", {}));

    // The level left over from earlier use of indent() plays no part, and
    // the qualifier lists leave the level as the property lists left it.
    indent("+");
    indent("+");
    indent("+");
    std::string body = writeBody(kb);
    EXPECT_EQ(indent("s"), "");
    EXPECT_EQ(messages_, "");
    expectSameLines(annotationProperty("P_One", "P1", kOneValueGrowing) +
                        annotationProperty("P_Three", "P3", kThreeValuesGrowing) +
                        annotationProperty("P_None", "P0", kStringRange) +
                        annotationProperty("Q_One", "Q1", kOneValueFlat) +
                        annotationProperty("Q_Three", "Q3", kThreeValuesFlat) +
                        annotationProperty("Q_None", "Q0", kStringRange),
                    body);
}

TEST_F(OwlDeclarations, QualifierListsNeitherReadNorChangeTheIndentLevel)
{
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addQualifierDef(QueltQualifierDef("Q_Three", "Q3", 2, "NS", "CP", {"red", "R&D", "a > b"}));
    indent("c");
    indent("+");
    indent("+");
    std::string body = writeBody(kb);
    EXPECT_EQ(indent("s"), "\t\t");
    expectSameLines(annotationProperty("Q_Three", "Q3", kThreeValuesFlat), body);
}

// Roles: sub-property or domain and range; domain and range name the root
// concept of the kind, the later root in byte order when a kind has two.
TEST_F(OwlDeclarations, RoleDefinitions)
{
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addKind(QueltKind("Thing_Kind", 2, "K1", "NS", false));
    kb.addKind(QueltKind("Place_Kind", 3, "K2", "NS", false));
    kb.addKind(QueltKind("Empty_Kind", 4, "K3", "NS", false));
    kb.addRoleDef(QueltRoleDef("Located_In", "R10", 5, "NS", "Thing_Kind", "Place_Kind", "", ""));
    kb.addRoleDef(
        QueltRoleDef("Part_Of", "R11", 6, "NS", "Thing_Kind", "Place_Kind", "", "Located_In"));
    // A parent that is no role definition, a kind without a root concept.
    kb.addRoleDef(QueltRoleDef("Orphan", "R12", 7, "NS", "Thing_Kind", "Thing_Kind", "", "Missing"));
    kb.addRoleDef(QueltRoleDef("Nowhere", "R13", 8, "NS", "Empty_Kind", "Place_Kind", "", ""));
    kb.addPropertyDef(QueltPropertyDef("RXK", "P1", 9, "string", false, false, "NS"));
    struct Root {
        const char* name;
        const char* kind;
        const char* rxk;
    };
    // Concept identifier order differs from byte order of the names.
    const Root roots[] = {{"Zebra", "Thing_Kind", "T_Z"},
                          {"Apple", "Thing_Kind", "T_A"},
                          {"Place", "Place_Kind", "PL"}};
    for (const Root& root : roots) {
        QueltConcept concept(root.name, std::string("c") + root.rxk, 20, "NS", root.kind, false);
        concept.addProperty(QueltProperty("RXK", root.rxk, ""));
        kb.addConcept(concept);
    }
    std::string body = writeBody(kb);
    // Three kinds, three roots: no kinds message.
    EXPECT_EQ(messages_, "");
    std::string declarations = body.substr(0, body.find("<owl:AnnotationProperty"));
    expectSameLines(tabs(R"(<owl:ObjectProperty rdf:ID="R10">
<code>R10</code>
<rdfs:label>Located_In</rdfs:label>
\t<rdfs:domain rdf:resource="#T_Z"/>
\t<rdfs:range rdf:resource="#PL"/>
</owl:ObjectProperty>

<owl:ObjectProperty rdf:ID="R11">
<code>R11</code>
<rdfs:label>Part_Of</rdfs:label>
\t<rdfs:subPropertyOf rdf:resource="#R10"/>
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
                    declarations);
}

TEST_F(OwlDeclarations, AssociationDefinitionsWriteNoCode)
{
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addAssociationDef(QueltAssociationDef("Same_As", "A_CODE_1", 2, "Same_As", true, "NS"));
    kb.addAssociationDef(QueltAssociationDef("Maps_To", "A_CODE_2", 3, "", false, "NS"));
    expectSameLines(R"(<owl:ObjectProperty rdf:ID="Same_As">
<rdfs:label>Same_As</rdfs:label>
<rdf:type rdf:resource="http://www.w3.org/2002/07/owl#AnnotationProperty"/>
</owl:ObjectProperty>

<owl:ObjectProperty rdf:ID="Maps_To">
<rdfs:label>Maps_To</rdfs:label>
<rdf:type rdf:resource="http://www.w3.org/2002/07/owl#AnnotationProperty"/>
</owl:ObjectProperty>

)",
                    writeBody(kb));
}

// Each definition's identifier is checked once, just before it is
// declared, in section order; a failing identifier is still written, as
// an attribute value that XML can carry.
TEST_F(OwlDeclarations, IdentifierChecksAndEscapedDefinitionTexts)
{
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addKind(QueltKind("K", 2, "K1", "NS", false));
    kb.addAssociationDef(QueltAssociationDef("9assoc", "A1", 3, "", true, "NS"));
    kb.addQualifierDef(QueltQualifierDef("q<1", "Q&1", 4, "NS", "CP", {}));
    kb.addPropertyDef(QueltPropertyDef("p\"1", "P]]>1", 5, "string", false, false, "NS"));
    kb.addRoleDef(QueltRoleDef("role & co", "R&1", 6, "NS", "K", "K", "", ""));
    std::string file = write(kb);
    EXPECT_EQ(messages_,
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
        EXPECT_EQ(readBack(out, "string(//*[local-name()='ObjectProperty'][1]/@*[local-name()='ID'])"),
                  "R&1");
        EXPECT_EQ(readBack(out, "string(//*[local-name()='AnnotationProperty'][1]/@*[local-name()='ID'])"),
                  "p\"1");
        EXPECT_EQ(readBack(out, "string(//*[local-name()='AnnotationProperty'][1]/*[local-name()='code'])"),
                  "P]]>1");
        EXPECT_EQ(readBack(out, "string(//*[local-name()='AnnotationProperty'][2]/*[local-name()='label'])"),
                  "q<1");
    }
}
