// Annotation axioms of qualified property values and associations.

#include "tests/owl/OwlTestSupport.h"

#include "model/QueltAssociation.h"
#include "model/QueltProperty.h"
#include "model/QueltQualifier.h"

using namespace owltest;

class OwlAxioms : public OwlWriterTest {
protected:
    void addDefinitions(QueltKb& kb)
    {
        kb.addNamespace(QueltName("NS", 1, "N1"));
        kb.addKind(QueltKind("K", 2, "K1", "NS", false));
        kb.addPropertyDef(QueltPropertyDef("RXK", "P1", 3, "string", false, false, "NS"));
        kb.addPropertyDef(QueltPropertyDef("Synonym", "P2", 4, "string", false, false, "NS"));
        kb.addPropertyDef(QueltPropertyDef("Note", "P3", 5, "string", false, false, "NS"));
        kb.addAssociationDef(QueltAssociationDef("Maps_To", "A1", 6, "", true, "NS"));
        kb.addQualifierDef(QueltQualifierDef("Source", "Q1", 7, "NS", "CP", {}));
        kb.addQualifierDef(QueltQualifierDef("Type", "Q2", 8, "NS", "CP", {}));
        QueltConcept target("Target", "cT", 0, "NS", "K", false);
        target.addProperty(QueltProperty("RXK", "C_T", ""));
        kb.addConcept(target);
    }

    // The concept's class block (its class line to its closing empty line).
    static std::string block(const std::string& body, const std::string& id)
    {
        const std::string start = "<owl:Class rdf:about=\"#" + id + "\">\n<rdfs:label>";
        size_t from = body.find(start);
        if (from == std::string::npos)
            return "";
        return body.substr(from, body.find("\n\n", from) + 2 - from);
    }
};

// Property axioms come before association axioms whatever the order the
// statements were added in; several qualifiers make one axiom; equal
// statements make equal axioms; unqualified statements make none.
TEST_F(OwlAxioms, OrderQualifiersAndDuplicates)
{
    QueltKb kb;
    addDefinitions(kb);
    QueltConcept concept("Qualified", "cQ", 0, "NS", "K", false);
    concept.addAssociation(QueltAssociation("Maps_To", "Target", {QueltQualifier("Type", "exact")}));
    concept.addAssociation(QueltAssociation("Maps_To", "Nowhere", {QueltQualifier("Source", "S1")}));
    concept.addAssociation(QueltAssociation("Maps_To", "Target"));
    QueltProperty synonym("Synonym", "Heart attack", "");
    synonym.addQualifier(QueltQualifier("Source", "S1"));
    synonym.addQualifier(QueltQualifier("Type", "PT"));
    concept.addProperty(synonym);
    QueltProperty note("Note", "same", "");
    note.addQualifier(QueltQualifier("Source", "S2"));
    concept.addProperty(note);
    concept.addProperty(note);
    concept.addProperty(QueltProperty("Note", "unqualified", ""));
    concept.addProperty(QueltProperty("RXK", "C_Q", ""));
    kb.addConcept(concept);
    expectSameLines(tabs(R"(<owl:Class rdf:about="#C_Q">
<rdfs:label>Qualified</rdfs:label>
<code>cQ</code>
<RXK>C_Q</RXK>
<Synonym>Heart attack</Synonym>
<Note>same</Note>
<Note>same</Note>
<Note>unqualified</Note>
<Maps_To rdf:resource="#C_T"/>
<Maps_To rdf:resource="#"/>
<Maps_To rdf:resource="#C_T"/>
</owl:Class>
<owl:Axiom>
\t<Source>S1</Source>
\t<Type>PT</Type>
\t<owl:annotatedTarget>Heart attack</owl:annotatedTarget>
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
\t<Type>exact</Type>
\t<owl:annotatedTarget>http://terms.example.org/ftp1/Medvex/Medvex.owl#C_T</owl:annotatedTarget>
\t<owl:annotatedSource rdf:resource="#C_Q"/>
\t<owl:annotatedProperty rdf:resource="#Maps_To"/>
</owl:Axiom>
<owl:Axiom>
\t<Source>S1</Source>
\t<owl:annotatedTarget>http://terms.example.org/ftp1/Medvex/Medvex.owl#</owl:annotatedTarget>
\t<owl:annotatedSource rdf:resource="#C_Q"/>
\t<owl:annotatedProperty rdf:resource="#Maps_To"/>
</owl:Axiom>

)"),
                    block(writeBody(kb), "C_Q"));
}

// Qualifier values and property values are escaped alike in the statement
// line, the qualifier line and the target line; the association target is
// the namespace and the identifier, escaped as one text.
TEST_F(OwlAxioms, EscapedValuesAndNamespaces)
{
    struct Case {
        std::string nameSpace;
        std::string associationTarget;
    };
    const Case cases[] = {
        {"", "C_T"},
        {"urn:x?a=1&b=2#", "<![CDATA[urn:x?a=1&b=2#C_T]]>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nameSpace);
        clearErrorWords();
        QueltKb kb;
        addDefinitions(kb);
        QueltConcept concept("Escaped", "cE", 0, "NS", "K", false);
        QueltProperty note("Note", "R&D <unit>", "");
        note.addQualifier(QueltQualifier("Source", "A&B"));
        concept.addProperty(note);
        concept.addProperty(QueltProperty("RXK", "C_E", ""));
        concept.addAssociation(QueltAssociation("Maps_To", "Target", {QueltQualifier("Type", "x<y")}));
        kb.addConcept(concept);
        std::string file = write(kb, "out.owl", c.nameSpace);
        expectSameLines(tabs(R"(<owl:Class rdf:about="#C_E">
<rdfs:label>Escaped</rdfs:label>
<code>cE</code>
<RXK>C_E</RXK>
<Note><![CDATA[R&D <unit>]]></Note>
<Maps_To rdf:resource="#C_T"/>
</owl:Class>
<owl:Axiom>
\t<Source><![CDATA[A&B]]></Source>
\t<owl:annotatedTarget><![CDATA[R&D <unit>]]></owl:annotatedTarget>
\t<owl:annotatedSource rdf:resource="#C_E"/>
\t<owl:annotatedProperty rdf:resource="#Note"/>
</owl:Axiom>
<owl:Axiom>
\t<Type><![CDATA[x<y]]></Type>
\t<owl:annotatedTarget>)" + c.associationTarget +
                             R"(</owl:annotatedTarget>
\t<owl:annotatedSource rdf:resource="#C_E"/>
\t<owl:annotatedProperty rdf:resource="#Maps_To"/>
</owl:Axiom>

)"),
                        block(body(file), "C_E"));
        if (haveXmllint()) {
            const std::string out = path("out.owl");
            EXPECT_EQ(readBack(out, "string((//*[local-name()='annotatedTarget'])[2])"),
                      c.nameSpace + "C_T");
            EXPECT_EQ(readBack(out, "string((//*[local-name()='Type'])[1])"), "x<y");
        }
    }
}
