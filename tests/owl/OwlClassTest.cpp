// Concept classes: root classes with disjointness, the primitive and the
// defined form with ungrouped roles and role groups, labels, property and
// association lines.

#include "tests/owl/OwlTestSupport.h"

#include "model/QueltAssociation.h"
#include "model/QueltProperty.h"
#include "model/QueltRole.h"

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
    size_t end = body.find("\n\n", from);
    return body.substr(from, end + 2 - from);
}

} // namespace

class OwlClasses : public OwlWriterTest {
protected:
    // One kind, role definitions Has_A (code RA) and Has_B (code RB), the
    // properties RXK and Preferred_Name, an association, and the concepts
    // T1, T2, T3, Pa, Pb (identifiers X1, X2, X3, PA, PB) to point at.
    void addDefinitions(QueltKb& kb)
    {
        kb.addNamespace(QueltName("NS", 1, "N1"));
        kb.addKind(QueltKind("K", 2, "K1", "NS", false));
        kb.addRoleDef(QueltRoleDef("Has_A", "RA", 3, "NS", "K", "K", "", ""));
        kb.addRoleDef(QueltRoleDef("Has_B", "RB", 4, "NS", "K", "K", "", ""));
        kb.addPropertyDef(QueltPropertyDef("RXK", "P1", 5, "string", false, false, "NS"));
        kb.addPropertyDef(QueltPropertyDef("Preferred_Name", "P2", 6, "string", false, false, "NS"));
        kb.addPropertyDef(QueltPropertyDef("Synonym", "P3", 7, "string", false, false, "NS"));
        kb.addAssociationDef(QueltAssociationDef("Same_As", "A1", 8, "", true, "NS"));
        const char* names[] = {"T1", "T2", "T3", "Pa", "Pb"};
        const char* ids[] = {"X1", "X2", "X3", "PA", "PB"};
        for (int i = 0; i < 5; ++i)
            addConcept(kb, names[i], ids[i], false, {}, {});
    }

    static void addConcept(QueltKb& kb, const std::string& name, const std::string& id,
                           bool defined, const std::vector<std::string>& parents,
                           const std::vector<RoleSpec>& roles)
    {
        QueltConcept concept(name, "c" + name, 0, "NS", "K", defined);
        concept.addParents(parents);
        for (const RoleSpec& role : roles)
            concept.addRole(QueltRole(role.name, role.target, role.modifier, role.group));
        concept.addProperty(QueltProperty("RXK", id, ""));
        kb.addConcept(concept);
    }
};

TEST_F(OwlClasses, PrimitiveWithoutDefinitionAndDefinedWithEmptyIntersection)
{
    QueltKb kb;
    addDefinitions(kb);
    QueltConcept bare("Bare", "cBare", 0, "NS", "K", false);
    kb.addConcept(bare);
    addConcept(kb, "Empty", "C_E", true, {}, {});
    std::string body = writeBody(kb);
    expectSameLines("<owl:Class rdf:about=\"#\">\n<rdfs:label>Bare</rdfs:label>\n<code>cBare</code>\n"
                    "</owl:Class>\n\n",
                    classBlock(body, ""));
    expectSameLines(tabs(R"(<owl:Class rdf:about="#C_E">
<rdfs:label>Empty</rdfs:label>
<code>cEmpty</code>
<owl:equivalentClass>
\t<owl:Class>
\t\t<owl:intersectionOf rdf:parseType="Collection">
\t\t</owl:intersectionOf>
\t</owl:Class>
</owl:equivalentClass>
<RXK>C_E</RXK>
</owl:Class>

)"),
                    classBlock(body, "C_E"));
}

// Parents in byte order; each ungrouped role in a subClassOf of its own, in
// the concept's role order (by role definition, then as added); only "all"
// gives allValuesFrom, "poss" is written like "some".
TEST_F(OwlClasses, PrimitiveWithParentsAndUngroupedRoles)
{
    QueltKb kb;
    addDefinitions(kb);
    addConcept(kb, "PrimRoles", "C_PR", false, {"Pb", "Pa"},
               {{"Has_B", "T1", "poss", 0}, {"Has_A", "T2", "all", 0}, {"Has_A", "T3", "some", 0}});
    expectSameLines(tabs(R"(<owl:Class rdf:about="#C_PR">
<rdfs:label>PrimRoles</rdfs:label>
<code>cPrimRoles</code>
<rdfs:subClassOf rdf:resource="#PA"/>
<rdfs:subClassOf rdf:resource="#PB"/>
<rdfs:subClassOf>
\t<owl:Restriction>
\t\t<owl:onProperty rdf:resource="#RA"/>
\t\t<owl:allValuesFrom rdf:resource="#X2"/>
\t</owl:Restriction>
</rdfs:subClassOf>
<rdfs:subClassOf>
\t<owl:Restriction>
\t\t<owl:onProperty rdf:resource="#RA"/>
\t\t<owl:someValuesFrom rdf:resource="#X3"/>
\t</owl:Restriction>
</rdfs:subClassOf>
<rdfs:subClassOf>
\t<owl:Restriction>
\t\t<owl:onProperty rdf:resource="#RB"/>
\t\t<owl:someValuesFrom rdf:resource="#X1"/>
\t</owl:Restriction>
</rdfs:subClassOf>
<RXK>C_PR</RXK>
</owl:Class>

)"),
                    classBlock(writeBody(kb), "C_PR"));
}

TEST_F(OwlClasses, DefinedWithParentsAndUngroupedRoles)
{
    QueltKb kb;
    addDefinitions(kb);
    addConcept(kb, "DefRoles", "C_DR", true, {"Pb", "Pa"},
               {{"Has_B", "T1", "poss", 0}, {"Has_A", "T2", "all", 0}});
    expectSameLines(tabs(R"(<owl:Class rdf:about="#C_DR">
<rdfs:label>DefRoles</rdfs:label>
<code>cDefRoles</code>
<owl:equivalentClass>
\t<owl:Class>
\t\t<owl:intersectionOf rdf:parseType="Collection">
\t\t\t<owl:Class rdf:about="#PA"/>
\t\t\t<owl:Class rdf:about="#PB"/>
\t\t\t<owl:Restriction>
\t\t\t\t<owl:onProperty rdf:resource="#RA"/>
\t\t\t\t<owl:allValuesFrom rdf:resource="#X2"/>
\t\t\t</owl:Restriction>
\t\t\t<owl:Restriction>
\t\t\t\t<owl:onProperty rdf:resource="#RB"/>
\t\t\t\t<owl:someValuesFrom rdf:resource="#X1"/>
\t\t\t</owl:Restriction>
\t\t</owl:intersectionOf>
\t</owl:Class>
</owl:equivalentClass>
<RXK>C_DR</RXK>
</owl:Class>

)"),
                    classBlock(writeBody(kb), "C_DR"));
}

namespace {

// One group (1) and an ungrouped role; role order: Has_A T1 (1),
// Has_A T3 (0), Has_B T2 (1).
const std::vector<RoleSpec> kOneGroup = {
    {"Has_B", "T2", "all", 1}, {"Has_A", "T1", "some", 1}, {"Has_A", "T3", "some", 0}};
// Two groups (1, 2) and an ungrouped role; role order: Has_A T1 (1),
// Has_A T2 (0), Has_B T2 (2), Has_B T3 (1).
const std::vector<RoleSpec> kTwoGroups = {{"Has_A", "T1", "some", 1},
                                          {"Has_B", "T2", "some", 2},
                                          {"Has_B", "T3", "some", 1},
                                          {"Has_A", "T2", "all", 0}};

std::vector<RoleSpec> renumbered(std::vector<RoleSpec> roles, long one, long two)
{
    for (RoleSpec& role : roles)
        role.group = role.group == 1 ? one : role.group == 2 ? two : role.group;
    return roles;
}

const char kPrimitiveOneGroup[] = R"(<owl:Class rdf:about="#C_G">
<rdfs:label>G</rdfs:label>
<code>cG</code>
<rdfs:subClassOf rdf:resource="#PA"/>
<rdfs:subClassOf>
\t<owl:Restriction>
\t\t<owl:onProperty rdf:resource="#RA"/>
\t\t<owl:someValuesFrom rdf:resource="#X3"/>
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

const char kPrimitiveTwoGroups[] = R"(<owl:Class rdf:about="#C_G">
<rdfs:label>G</rdfs:label>
<code>cG</code>
<rdfs:subClassOf rdf:resource="#PA"/>
<rdfs:subClassOf>
\t<owl:Restriction>
\t\t<owl:onProperty rdf:resource="#RA"/>
\t\t<owl:allValuesFrom rdf:resource="#X2"/>
\t</owl:Restriction>
</rdfs:subClassOf>
<rdfs:subClassOf>
\t<owl:Class>
\t\t<owl:unionOf rdf:parseType="Collection">
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
\t\t</owl:unionOf>
\t</owl:Class>
</rdfs:subClassOf>
<RXK>C_G</RXK>
</owl:Class>

)";

const char kDefinedOneGroup[] = R"(<owl:Class rdf:about="#C_G">
<rdfs:label>G</rdfs:label>
<code>cG</code>
<owl:equivalentClass>
\t<owl:Class>
\t\t<owl:intersectionOf rdf:parseType="Collection">
\t\t\t<owl:Class rdf:about="#PA"/>
\t\t\t<owl:Restriction>
\t\t\t\t<owl:onProperty rdf:resource="#RA"/>
\t\t\t\t<owl:someValuesFrom rdf:resource="#X3"/>
\t\t\t</owl:Restriction>
\t\t\t<owl:Class>
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
\t\t\t</owl:Class>
\t\t</owl:intersectionOf>
\t</owl:Class>
</owl:equivalentClass>
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

// Groups numbered 1..G, and the same roles with other group numbers: an
// empty first group (roles in group 2 only; groups 0, 2, 3), numbers far
// apart, a negative number. Every group that holds a role is written, in
// ascending group number.
TEST_F(OwlClasses, RoleGroupsInBothForms)
{
    struct Case {
        const char* what;
        bool defined;
        std::vector<RoleSpec> roles;
        const char* expected;
    };
    const Case cases[] = {
        {"primitive, group 1", false, kOneGroup, kPrimitiveOneGroup},
        {"primitive, group 2 only", false, renumbered(kOneGroup, 2, 0), kPrimitiveOneGroup},
        {"primitive, groups 1 2", false, kTwoGroups, kPrimitiveTwoGroups},
        {"primitive, groups 0 2 3", false, renumbered(kTwoGroups, 2, 3), kPrimitiveTwoGroups},
        {"primitive, groups 5 40", false, renumbered(kTwoGroups, 5, 40), kPrimitiveTwoGroups},
        {"primitive, groups -1 1", false, renumbered(kTwoGroups, -1, 1), kPrimitiveTwoGroups},
        {"defined, group 1", true, kOneGroup, kDefinedOneGroup},
        {"defined, group 2 only", true, renumbered(kOneGroup, 2, 0), kDefinedOneGroup},
        {"defined, groups 1 2", true, kTwoGroups, kDefinedTwoGroups},
        {"defined, groups 0 2 3", true, renumbered(kTwoGroups, 2, 3), kDefinedTwoGroups},
        {"defined, groups 5 40", true, renumbered(kTwoGroups, 5, 40), kDefinedTwoGroups},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string body;
        {
            clearErrorWords();
            QueltKb kb;
            addDefinitions(kb);
            addConcept(kb, "G", "C_G", c.defined, {"Pa"}, c.roles);
            body = writeBody(kb);
        }
        expectSameLines(tabs(c.expected), classBlock(body, "C_G"));
    }
}

TEST_F(OwlClasses, LabelPropertyAndAssociationLines)
{
    QueltKb kb;
    addDefinitions(kb);
    // Several Preferred_Name values: the first one is the label.
    QueltConcept named("Plain name", "c1", 0, "NS", "K", false);
    named.addProperty(QueltProperty("Synonym", "Other & more", ""));
    named.addProperty(QueltProperty("Preferred_Name", "First <label>", ""));
    named.addProperty(QueltProperty("Preferred_Name", "Second label", ""));
    named.addProperty(QueltProperty("RXK", "C_1", ""));
    named.addAssociation(QueltAssociation("Same_As", "T2"));
    named.addAssociation(QueltAssociation("Same_As", "No such concept"));
    kb.addConcept(named);
    // Without Preferred_Name the name is the label, escaped the same way.
    QueltConcept unnamed("Salt & pepper", "c&2", 0, "NS", "K", false);
    unnamed.addProperty(QueltProperty("RXK", "C_2", ""));
    unnamed.addProperty(QueltProperty("RXK", "C_2b", ""));
    unnamed.addParent("Not a concept");
    unnamed.addRole(QueltRole("Has_A", "Not a concept either", "some"));
    kb.addConcept(unnamed);
    std::string body = writeBody(kb);
    expectSameLines(R"(<owl:Class rdf:about="#C_1">
<rdfs:label><![CDATA[First <label>]]></rdfs:label>
<code>c1</code>
<RXK>C_1</RXK>
<Preferred_Name><![CDATA[First <label>]]></Preferred_Name>
<Preferred_Name>Second label</Preferred_Name>
<Synonym><![CDATA[Other & more]]></Synonym>
<Same_As rdf:resource="#X2"/>
<Same_As rdf:resource="#"/>
</owl:Class>

)",
                    classBlock(body, "C_1"));
    // With two RXK values the last one names the class.
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
}

// Roots arrive as B, A, C; they are declared in byte order of their names,
// each disjoint with the others, before the concept classes.
TEST_F(OwlClasses, RootClassesInByteOrderWithDisjointness)
{
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addKind(QueltKind("K1", 2, "k1", "NS", false));
    kb.addKind(QueltKind("K2", 3, "k2", "NS", false));
    kb.addKind(QueltKind("K3", 4, "k3", "NS", false));
    kb.addPropertyDef(QueltPropertyDef("RXK", "P1", 5, "string", false, false, "NS"));
    const char* names[] = {"B", "A", "C"};
    const char* kinds[] = {"K1", "K2", "K3"};
    for (int i = 0; i < 3; ++i) {
        QueltConcept root(names[i], std::string("c") + names[i], 0, "NS", kinds[i], false);
        root.addProperty(QueltProperty("RXK", std::string("R_") + names[i], ""));
        kb.addConcept(root);
    }
    QueltConcept child("Child", "cChild", 0, "NS", "K1", false);
    child.addParent("B");
    child.addProperty(QueltProperty("RXK", "R_Child", ""));
    kb.addConcept(child);
    std::string body = writeBody(kb);
    EXPECT_EQ(messages_, "");
    expectSameLines(tabs(R"(<owl:AnnotationProperty rdf:ID="RXK">
<code>P1</code>
<rdfs:label>RXK</rdfs:label>
<rdfs:range rdf:resource="http://www.w3.org/2001/XMLSchema#string"/>
<rdf:type rdf:resource="http://www.w3.org/2002/07/owl#DatatypeProperty"/>
</owl:AnnotationProperty>

<owl:Class rdf:about="#R_A">
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

<owl:Class rdf:about="#R_B">
<rdfs:label>B</rdfs:label>
<code>cB</code>
<RXK>R_B</RXK>
</owl:Class>

<owl:Class rdf:about="#R_A">
<rdfs:label>A</rdfs:label>
<code>cA</code>
<RXK>R_A</RXK>
</owl:Class>

<owl:Class rdf:about="#R_C">
<rdfs:label>C</rdfs:label>
<code>cC</code>
<RXK>R_C</RXK>
</owl:Class>

<owl:Class rdf:about="#R_Child">
<rdfs:label>Child</rdfs:label>
<code>cChild</code>
<rdfs:subClassOf rdf:resource="#R_B"/>
<RXK>R_Child</RXK>
</owl:Class>

)"),
                    body);
}

TEST_F(OwlClasses, SingleRootHasNoDisjointness)
{
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addKind(QueltKind("K1", 2, "k1", "NS", false));
    kb.addPropertyDef(QueltPropertyDef("RXK", "P1", 3, "string", false, false, "NS"));
    QueltConcept root("Root", "cRoot", 0, "NS", "K1", false);
    root.addProperty(QueltProperty("RXK", "R_1", ""));
    kb.addConcept(root);
    std::string body = writeBody(kb);
    size_t roots = body.find("<owl:Class");
    ASSERT_NE(roots, std::string::npos);
    EXPECT_EQ(body.substr(roots, body.find("\n\n", roots) + 2 - roots),
              "<owl:Class rdf:about=\"#R_1\">\n</owl:Class>\n\n");
}
