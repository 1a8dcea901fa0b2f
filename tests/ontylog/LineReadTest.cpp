// Where definitions and concepts start, as the reader notes it when asked:
// every definition with its line (those the knowledge base drops too),
// every concept by identifier, nested ones included, across many batches,
// and the names the document gave records that have no definition.

#include "model/SourceLines.h"
#include "tests/ontylog/OntylogTestSupport.h"

#include <utility>

using namespace ontylogtest;

namespace {

class LineReadTest : public ReadTest {
protected:
    bool readLines(const std::string& document)
    {
        console.out.clear();
        bool complete
            = ontylog::readMemory(*kb, document.data(), document.size(), "test.xml", &lines);
        out = console.out;
        return complete;
    }

    // "type name code line" for each definition noted.
    std::vector<std::string> definitions() const
    {
        std::vector<std::string> rows;
        for (const SourceLines::DefinitionLine& def : lines.definitions)
            rows.push_back(std::to_string(static_cast<int>(def.type)) + " " + def.name + " "
                + def.code + " " + std::to_string(def.line));
        return rows;
    }

    // "concept name: line" for each concept noted.
    std::vector<std::string> conceptLines() const
    {
        std::vector<std::string> rows;
        for (const auto& entry : lines.concepts)
            rows.push_back(
                kb->getConcept(entry.first).getName() + ": " + std::to_string(entry.second));
        return rows;
    }

    SourceLines lines;
};

TEST_F(LineReadTest, DefinitionsAndConceptsByTheLineOfTheirStartTag)
{
    const std::string document = "<?xml version=\"1.0\"?>\n"
                                 "<terminology>\n"
                                 "<namespaceDef><name>Lab</name><code>N1</code></namespaceDef>\n"
                                 "<kindDef reference=\"true\">\n"
                                 "  <name>Organ_Kind</name><code>K1</code>\n"
                                 "</kindDef>\n"
                                 "<roleDef><name>Has_Site</name><code>R1</code></roleDef>\n"
                                 "<propertyDef><name>Note</name><code>P1</code></propertyDef>\n"
                                 "<propertyDef><name>Note</name><code>P2</code></propertyDef>\n"
                                 "<associationDef><name>Sees</name><code>A1</code>"
                                 "</associationDef><qualifierDef><name>Src</name><code>Q1</code>"
                                 "</qualifierDef>\n"
                                 "<conceptDef><name>Heart</name></conceptDef>\n"
                                 "\n"
                                 "<conceptInf>\n"
                                 "<name>Outer</name>\n"
                                 "<conceptDef\n"
                                 "><name>Inner</name></conceptDef>\n"
                                 "</conceptInf>\n"
                                 "<conceptDef><name>Heart</name></conceptDef>\n"
                                 "</terminology>\n";
    ASSERT_TRUE(readLines(document));
    // The second definition of "Note" is noted although the knowledge base
    // keeps the first only.
    EXPECT_EQ(kb->getNumProps(), 1);
    EXPECT_EQ(definitions(),
        (std::vector<std::string> { "0 Lab N1 3", "1 Organ_Kind K1 4", "2 Has_Site R1 7",
            "3 Note P1 8", "3 Note P2 9", "4 Sees A1 10", "5 Src Q1 10" }));
    // A start tag that spans lines counts where it ends. The inner concept
    // ends first and is noted first; the outer one, which the grammar gives
    // the fields the inner one set, keeps its own line.
    EXPECT_EQ(conceptLines(),
        (std::vector<std::string> { "Heart: 11", "Inner: 16", "Inner: 13", "Heart: 18" }));
}

TEST_F(LineReadTest, ConceptLinesStayInStepAcrossBatches)
{
    std::string document = "<terminology>\n";
    const int count = 20000;
    for (int i = 1; i <= count; ++i)
        document += "<conceptDef><name>C" + std::to_string(i)
            + "</name><definingConcepts><concept>C1</concept></definingConcepts>"
              "<role><name>R</name><value>x</value></role></conceptDef>\n";
    ASSERT_TRUE(readLines(document + "</terminology>\n"));
    ASSERT_EQ(lines.concepts.size(), static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(kb->getConcept(lines.concepts[i].first).getName(), "C" + std::to_string(i + 1));
        ASSERT_EQ(lines.concepts[i].second, static_cast<std::uint64_t>(i + 2));
    }
}

TEST_F(LineReadTest, NamesWithoutDefinitionAreKeptWithTheirConcept)
{
    const std::string document = "<terminology>\n"
                                 "<roleDef><name>Has_Site</name></roleDef>\n"
                                 "<propertyDef><name>Note</name></propertyDef>\n"
                                 "<qualifierDef><name>Src</name></qualifierDef>\n"
                                 "<conceptDef><name>A</name>"
                                 "<role><name>Has_Site</name><value>B</value></role>"
                                 "<role><name>Has_Sight</name><value>B</value></role>"
                                 "<property><name>Note</name><value>n</value>"
                                 "<qualifier><name>Source</name><value>s</value></qualifier>"
                                 "</property>"
                                 "<property><name>Nota</name><value>n</value></property>"
                                 "</conceptDef>\n"
                                 "<conceptDef><name>B</name>"
                                 "<association><name>Sees</name><value>A</value></association>"
                                 "</conceptDef>\n"
                                 "<conceptDef><name>C</name></conceptDef>\n"
                                 "</terminology>\n";
    ASSERT_TRUE(readLines(document));
    std::vector<std::string> rows;
    for (const SourceLines::UndefinedName& undefined : lines.undefinedNames)
        rows.push_back(kb->getConcept(undefined.conceptId).getName() + " "
            + std::to_string(static_cast<int>(undefined.type)) + " " + undefined.name);
    // Roles 0, properties 1, associations 2, qualifiers 3; in the order read.
    EXPECT_EQ(
        rows, (std::vector<std::string> { "A 0 Has_Sight", "A 3 Source", "A 1 Nota", "B 2 Sees" }));
}

TEST_F(LineReadTest, NothingIsNotedWithoutBeingAsked)
{
    // The same document read with and without lines gives the same records.
    const std::string document = "<terminology>\n"
                                 "<propertyDef><name>Note</name></propertyDef>\n"
                                 "<conceptDef><name>A</name><code>C1</code>"
                                 "<property><name>Nota</name><value>n</value></property>"
                                 "</conceptDef>\n"
                                 "</terminology>\n";
    ASSERT_TRUE(readText(document));
    std::string plain = describe(con("A"));
    fresh();
    ASSERT_TRUE(readLines(document));
    EXPECT_EQ(describe(con("A")), plain);
    EXPECT_EQ(lines.concepts.size(), 1u);
}

} // namespace
