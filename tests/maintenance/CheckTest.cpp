// The terminology check on small documents whose findings were worked out
// by hand: references and identifiers, names that refuse a concept, texts
// XML cannot carry (and whose unit the writer refuses for them),
// definitions and kinds, cycles of parents, and the reader's own lines.
// That the check and the OWL writer agree on generated terminologies with
// faults is tested by tests/consistency.

#include "maintenance/Check.h"
#include "model/SourceLines.h"
#include "ontylog/OntylogReader.h"
#include "tests/support/TestSupport.h"

#include <string>
#include <vector>

namespace {

using namespace quelttest;

// The definitions and the two root concepts every document starts with,
// on lines 1 to 12.
const char kHead[] = "<terminology>\n"
                     "<kindDef><name>Organ_Kind</name><code>K1</code></kindDef>\n"
                     "<kindDef><name>Finding_Kind</name><code>K2</code></kindDef>\n"
                     "<roleDef><name>Has_Site</name><code>R1</code>"
                     "<domain>Finding_Kind</domain><range>Organ_Kind</range></roleDef>\n"
                     "<propertyDef><name>RXK</name><code>P1</code></propertyDef>\n"
                     "<propertyDef><name>Preferred_Name</name><code>P2</code></propertyDef>\n"
                     "<propertyDef><name>CUI</name><code>P3</code></propertyDef>\n"
                     "<propertyDef><name>Form</name><code>P4</code>"
                     "<pickList><pickListItem>Tablet</pickListItem></pickList></propertyDef>\n"
                     "<associationDef><name>Sees</name><code>A1</code></associationDef>\n"
                     "<qualifierDef><name>Source</name><code>Q1</code>"
                     "<pickList><pickListItem>Lab</pickListItem></pickList></qualifierDef>\n"
                     "<conceptDef><name>Organ</name><code>C1</code><kind>Organ_Kind</kind>"
                     "<property><name>RXK</name><value>X1</value></property></conceptDef>\n"
                     "<conceptDef><name>Finding</name><code>C2</code><kind>Finding_Kind</kind>"
                     "<property><name>RXK</name><value>X2</value></property></conceptDef>\n";

// A concept of one line, below the roots: name, code, then its content.
std::string con(const std::string& name, const std::string& content)
{
    return "<conceptDef><name>" + name + "</name><code>" + name
        + "</code><definingConcepts><concept>Organ</concept></definingConcepts>" + content
        + "</conceptDef>\n";
}

const char kUnderOrgan[] = "<definingConcepts><concept>Organ</concept></definingConcepts>";

std::string rxk(const std::string& value)
{
    return "<property><name>RXK</name><value>" + value + "</value></property>";
}

class CheckTest : public KbTest {
protected:
    void TearDown() override
    {
        kb.reset();
        KbTest::TearDown();
    }

    // The findings of the document, one line each: "line severity kind
    // subject 'name': explanation".
    std::vector<std::string> check(const std::string& document,
        const std::vector<Message>& readerMessages = {}, bool withLines = true)
    {
        kb = std::make_unique<QueltKb>(console);
        SourceLines lines;
        EXPECT_TRUE(ontylog::readMemory(
            *kb, document.data(), document.size(), "test.xml", withLines ? &lines : nullptr));
        std::vector<std::string> rows;
        for (const maintenance::Finding& finding :
            maintenance::checkTerminology(*kb, lines, readerMessages))
            rows.push_back(std::to_string(finding.line) + " "
                + maintenance::severityWord(finding.kind->severity) + " " + finding.kind->name + " "
                + finding.subject + " '" + finding.name + "': " + finding.explanation);
        return rows;
    }

    BufferConsole console;
    std::unique_ptr<QueltKb> kb;
};

TEST_F(CheckTest, ASoundTerminologyHasNoFinding)
{
    EXPECT_EQ(
        check(std::string(kHead)
            + con("Heart",
                rxk("X3")
                    + "<property><name>Form</name><value>Tablet</value>"
                      "<qualifier><name>Source</name><value>Lab</value>"
                      "</qualifier></property>")
            + con("Pain", rxk("X4") + "<role><name>Has_Site</name><value>Heart</value></role>")
            + "</terminology>\n"),
        std::vector<std::string> {});
}

TEST_F(CheckTest, ReferencesAndIdentifiers)
{
    const std::string document = std::string(kHead) + con("Heart", "") // 13
        + con("Lung", rxk("")) // 14
        + con("Liver", rxk("X2")) // 15: Finding's
        + con("Pain",
            rxk("X5")
                + "<role><name>Has_Site</name><value>Hart</value></role>"
                  "<role><name>Has_Sight</name><value>Organ</value></role>"
                  "<association><name>Sees</name><value>Nobody</value></association>")
        + "<conceptDef><name>Ache</name><code>Ache</code><definingConcepts><concept>Organ"
          "</concept><concept>Orgn</concept></definingConcepts>"
        + rxk("7up") + rxk("X7") + "</conceptDef>\n" // 17: the last RXK names the class
        + con("Pain", rxk("X8")) // 18
        + con("Spleen",
            rxk("X9")
                + "<property><name>CUI</name><value>a</value></property>"
                  "<property><name>CUI</name><value>b</value></property>"
                  "<property><name>Form</name><value>Capsule</value>"
                  "<qualifier><name>Source</name><value>Ward</value></qualifier></property>")
        + "</terminology>\n";
    EXPECT_EQ(check(document),
        (std::vector<std::string> {
            "13 error missing-rxk concept 'Heart': no RXK value: its class is written as \"#\"",
            "14 error missing-rxk concept 'Lung': its RXK value is empty: its class is written "
            "as \"#\"",
            "15 error shared-rxk concept 'Liver': RXK value 'X2' is also that of concept "
            "'Finding' (line 12): both are written as one class",
            "16 error unknown-role-target concept 'Pain': role 'Has_Site' has the value 'Hart', "
            "which names no concept: the restriction refers to \"#\"",
            "16 error undefined-role concept 'Pain': a role without a defined name "
            "('Has_Sight'): the restriction is on property \"#\"",
            "16 error unknown-association-target concept 'Pain': association 'Sees' has the "
            "value 'Nobody', which names no concept: written as \"#\"",
            "17 warning several-rxk concept 'Ache': 2 RXK values; the last one, 'X7', names its "
            "class",
            "17 error unknown-parent concept 'Ache': parent 'Orgn' names no concept: written as "
            "\"#\"",
            "18 warning duplicate-concept-name concept 'Pain': the concept at line 16 has the same "
            "name; both are written as one class, under the RXK value given last for the name",
            "19 warning pick-list-value concept 'Spleen': property 'Form' has the value "
            "'Capsule', which is not in its pick list",
            "19 warning pick-list-value concept 'Spleen': qualifier 'Source' has the value "
            "'Ward', which is not in its pick list",
            "19 warning several-cui concept 'Spleen': 2 CUI values: the concept is not indexed "
            "by CUI",
        }));
}

TEST_F(CheckTest, AnRxkValueThatIsNoOwlNameIsAWarning)
{
    EXPECT_EQ(check(std::string(kHead) + con("Heart", rxk("1 x")) + "</terminology>\n"),
        (std::vector<std::string> {
            "13 warning invalid-owl-name concept 'Heart': RXK value: invalid OWL name; first char "
            "\"1 x\"; invalid OWL name; internal char at 2, \"1 x\"" }));
}

TEST_F(CheckTest, NamesThatRefuseAConceptAreTheWritersReasons)
{
    const std::string document = std::string(kHead)
        + "<propertyDef><name>Lab Value</name><code>P9</code></propertyDef>\n" // 13
        + "<associationDef><name>1st</name><code>A9</code></associationDef>\n" // 14
        + con("Heart",
            rxk("X3")
                + "<property><name>Lab Value</name><value>1</value></property>"
                  "<property><name>Lab Value</name><value>2</value></property>"
                  "<property><name>Nota</name><value>n</value></property>"
                  "<property><name>Notes</name><value>n</value>"
                  "<qualifier><name>Origin</name><value>o</value></qualifier></property>"
                  "<association><name>1st</name><value>Organ</value></association>"
                  "<association><name>Links</name><value>Organ</value></association>")
        + "</terminology>\n";
    EXPECT_EQ(check(document),
        (std::vector<std::string> {
            "13 warning invalid-owl-name property definition 'Lab Value': name: invalid OWL "
            "name; internal char at 4, \"Lab Value\"",
            "14 warning invalid-owl-name association definition '1st': name: invalid OWL name; "
            "first char \"1st\"",
            "15 error undefined-property concept 'Heart': a property without a defined name "
            "('Nota', 'Notes')",
            "15 error undefined-association concept 'Heart': an association without a defined "
            "name ('Links')",
            "15 error undefined-qualifier concept 'Heart': a qualifier without a defined name "
            "('Origin')",
            "15 error bad-element-name concept 'Heart': association name '1st' cannot be an XML "
            "element name",
            "15 error bad-element-name concept 'Heart': property name 'Lab Value' cannot be an "
            "XML element name",
        }));
}

// XML 1.1 lets a document carry control characters as references.
TEST_F(CheckTest, TextsXmlCannotCarryRefuseTheirUnitAndThoseThatNameThem)
{
    const std::string document = "<?xml version=\"1.1\"?>\n" + std::string(kHead)
        + "<propertyDef><name>Shade</name><code>P9</code>" // 14
          "<pickList><pickListItem>da&#x1;rk</pickListItem></pickList></propertyDef>\n"
        + "<roleDef><name>Has_Part</name><code>R&#x2;</code></roleDef>\n" // 15
        + con("Heart",
            rxk("X3")
                + "<property><name>Form</name><value>Tab&#x3;let</value>"
                  "</property>") // 16
        + "<conceptDef><name>Bell&#x7;</name><code>C7</code>" + kUnderOrgan + rxk("X4")
        + "</conceptDef>\n" // 17: the name is the label
        + "<conceptDef><name>Bell&#x7;s</name><code>C8</code>" + kUnderOrgan + rxk("X5")
        + "<property><name>Preferred_Name</name><value>Bells</value></property></conceptDef>\n"
        + con("Lung", rxk("X&#x8;6")) // 19
        + "<conceptDef><name>Liver</name><code>Liver</code><definingConcepts><concept>Lung"
          "</concept></definingConcepts>"
        + rxk("X7") + "</conceptDef>\n" // 20: writes Lung's RXK
        + "<conceptDef><name>Odd</name><code>Odd</code>" + rxk("X&#x9;&#x1F;8")
        + "</conceptDef>\n" // 21: a root, whose RXK every root class names
        + "</terminology>\n";
    const std::string uncarried = "error uncarried-character ";
    // The root classes come before the definitions in the file, but the
    // roots are the concepts of lines 12 and 13.
    EXPECT_EQ(check(document),
        (std::vector<std::string> {
            "12 " + uncarried
                + "concept 'Organ': text holds a character XML cannot carry (in the "
                  "RXK value of root 'Odd', which its root class names)",
            "13 " + uncarried
                + "concept 'Finding': text holds a character XML cannot carry (in "
                  "the RXK value of root 'Odd', which its root class names)",
            "14 " + uncarried
                + "property definition 'Shade': text holds a character XML cannot "
                  "carry",
            "15 warning invalid-owl-name role definition 'Has_Part': code: invalid OWL name; "
            "internal char at 2, \"R\x02\"",
            "15 " + uncarried
                + "role definition 'Has_Part': text holds a character XML cannot "
                  "carry",
            "16 warning pick-list-value concept 'Heart': property 'Form' has the value "
            "'Tab\\x03let', which is not in its pick list",
            "16 " + uncarried
                + "concept 'Heart': text holds a character XML cannot carry (in "
                  "the value of property 'Form')",
            "17 " + uncarried
                + "concept 'Bell\x07': text holds a character XML cannot carry (in "
                  "its name, the label of its class)",
            "19 warning invalid-owl-name concept 'Lung': RXK value: invalid OWL name; internal "
            "char at 2, \"X\b6\"",
            "19 " + uncarried
                + "concept 'Lung': text holds a character XML cannot carry (in the "
                  "value of property 'RXK')",
            "20 " + uncarried
                + "concept 'Liver': text holds a character XML cannot carry (in "
                  "the RXK value of parent 'Lung')",
            "21 warning root-of-undeclared-kind concept 'Odd': a concept without parents, whose "
            "kind is missing or not declared",
            "21 warning invalid-owl-name concept 'Odd': RXK value: invalid OWL name; internal "
            "char at 2, \"X\t\x1F"
            "8\"; invalid OWL name; internal char at 3, \"X\t\x1F"
            "8\"",
            "21 " + uncarried
                + "concept 'Odd': text holds a character XML cannot carry (in the "
                  "value of property 'RXK')",
        }));
}

TEST_F(CheckTest, DefinitionsAndKinds)
{
    const std::string document = std::string(kHead)
        + "<kindDef><name>Drug_Kind</name><code>K3</code></kindDef>\n" // 13
        + "<roleDef><name>Treats</name><domain>Drug_Kind</domain>" // 14
          "<range>Finding_Kind</range></roleDef>\n"
        + "<roleDef><name>Has_Main_Site</name><code>R 3</code>" // 15
          "<parentRole>Has_Sites</parentRole></roleDef>\n"
        + "<propertyDef><name>Form</name><code>P8</code></propertyDef>\n" // 16
        + "<roleDef><name>Has_Site</name><code>R9</code></roleDef>\n" // 17
        + "<conceptDef><name>Blood</name><code>C3</code><kind>Organ_Kind</kind>" // 18
        + rxk("X3") + "</conceptDef>\n"
        + "<conceptDef><name>Air</name><code>C4</code><kind>Gas_Kind</kind>" // 19
        + rxk("X4") + "</conceptDef>\n" + "</terminology>\n";
    EXPECT_EQ(check(document),
        (std::vector<std::string> {
            "2 warning kind-with-several-roots kind definition 'Organ_Kind': 2 root concepts: "
            "'Blood', 'Organ'; domains and ranges of this kind name 'Organ'",
            "13 warning kind-without-root kind definition 'Drug_Kind': no concept of this kind "
            "is without parents",
            "14 error missing-role-code role definition 'Treats': no code: the property is "
            "declared without a name and every restriction on the role refers to \"#\"",
            "14 error rootless-role-kind role definition 'Treats': domain kind 'Drug_Kind' has "
            "no root concept: the domain is written as \"#\"",
            "15 warning invalid-owl-name role definition 'Has_Main_Site': code: invalid OWL "
            "name; internal char at 2, \"R 3\"",
            "15 error undefined-parent-role role definition 'Has_Main_Site': parent role "
            "'Has_Sites' has no definition: its super-property is written as \"#\"",
            "16 warning duplicate-definition-name property definition 'Form': a property "
            "definition of this name comes first (line 8); this one is dropped",
            "17 warning duplicate-definition-name role definition 'Has_Site': a role definition "
            "of this name comes first (line 4); this one is dropped",
            "19 warning root-of-undeclared-kind concept 'Air': a concept without parents, whose "
            "kind "
            "is missing or not declared",
        }));
}

TEST_F(CheckTest, EachCycleOfParentsOnceOnItsFirstMember)
{
    auto parented = [](const std::string& name, const std::string& parents) {
        return "<conceptDef><name>" + name + "</name><code>" + name + "</code><definingConcepts>"
            + parents + "</definingConcepts>" + rxk("X" + name) + "</conceptDef>\n";
    };
    const std::string document = std::string(kHead) + parented("A", "<concept>C</concept>") // 13
        + parented("B", "<concept>A</concept>") // 14
        + parented("C", "<concept>B</concept><concept>Organ</concept>") // 15
        + parented("D", "<concept>A</concept>") // 16: below the cycle, not in it
        + parented("E", "<concept>E</concept>") // 17
        + "</terminology>\n";
    EXPECT_EQ(check(document),
        (std::vector<std::string> {
            "13 warning parent-cycle concept 'A': its parents lead back to it, in a cycle with "
            "'B' (line 14), 'C' (line 15)",
            "17 warning parent-cycle concept 'E': the concept is its own parent",
        }));
}

TEST_F(CheckTest, ADeepHierarchyIsWalkedWithoutRecursion)
{
    std::string document = kHead;
    std::string parent = "Organ";
    for (int i = 0; i < 200000; ++i) {
        std::string name = "N" + std::to_string(i);
        document += "<conceptDef><name>" + name + "</name><definingConcepts><concept>" + parent
            + "</concept></definingConcepts>" + rxk("X" + name) + "</conceptDef>\n";
        parent = name;
    }
    EXPECT_EQ(check(document + "</terminology>\n"), std::vector<std::string> {});
}

TEST_F(CheckTest, ReaderLinesNotCoveredOtherwiseComeFirst)
{
    const std::string document
        = std::string(kHead) + con("Heart", "") + con("Heart", rxk("X3")) + "</terminology>\n";
    EXPECT_EQ(check(document,
                  { { Message::Kind::DuplicateConceptName, "concept", "Heart", "", 0 },
                      { Message::Kind::SeveralCui, "concept", "Heart", "", 0 },
                      { Message::Kind::UndefinedPropertyName, "property", "odd \x01", "", 0 } }),
        (std::vector<std::string> {
            "0 warning reader-message document '': ERROR:  PropertyDef for 'odd \\x01' not yet "
            "defined.",
            "13 error missing-rxk concept 'Heart': no RXK value: its class is written as \"#\"",
            "14 warning duplicate-concept-name concept 'Heart': the concept at line 13 has the "
            "same name; both are written as one class, under the RXK value given last for the name",
        }));
}

TEST_F(CheckTest, WithoutLinesDefinitionsComeBeforeConcepts)
{
    const std::string document = std::string(kHead) + con("Heart", "")
        + "<roleDef><name>Late</name><code>R2</code><domain>Organ_Kind</domain>"
          "<range>Gas_Kind</range></roleDef>\n"
        + "</terminology>\n";
    EXPECT_EQ(check(document, {}, false),
        (std::vector<std::string> {
            "0 error rootless-role-kind role definition 'Late': range kind '' has no root "
            "concept: the range is written as \"#\"",
            "0 error missing-rxk concept 'Heart': no RXK value: its class is written as \"#\"",
        }));
}

} // namespace
