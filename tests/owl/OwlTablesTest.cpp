// The writer's lookup tables: the name -> identifier table through growth,
// replacement and entries gathered in blocks; and concept identifiers
// taken from "RXK" properties whatever map id their name has.

#include "tests/owl/OwlTestSupport.h"

#include "model/QueltProperty.h"
#include "owl/OwlTables.h"
#include "owl/OwlWriter.h"

#include <string>

using namespace owltest;

TEST(OwlCodeTable, GrowsAndKeepsTheLastEntryOfAName)
{
    owl::CodeTable table;
    EXPECT_EQ(table.get("absent"), "");
    const int count = 20000;
    for (int i = 0; i < count; ++i)
        table.set("name " + std::to_string(i), "C" + std::to_string(i));
    for (int i = 0; i < count; i += 2)
        table.set("name " + std::to_string(i), "D" + std::to_string(i));
    table.set("", "empty name");
    table.set("no code", "");
    for (int i = 0; i < count; ++i) {
        const std::string expected = (i % 2 == 0 ? "D" : "C") + std::to_string(i);
        ASSERT_EQ(table.get("name " + std::to_string(i)), expected) << i;
    }
    EXPECT_EQ(table.get(""), "empty name");
    EXPECT_EQ(table.get("no code"), "");
    EXPECT_EQ(table.get("name"), "");
    EXPECT_EQ(table.get("name 20000"), "");
    // A name that holds a NUL, and one that is a prefix of another.
    table.set(std::string("a\0b", 3), "nul");
    table.set("a", "prefix");
    EXPECT_EQ(table.get(std::string("a\0b", 3)), "nul");
    EXPECT_EQ(table.get("a"), "prefix");
    EXPECT_EQ(table.get(std::string("a\0", 2)), "");
}

TEST(OwlCodeTable, BlocksAreAddedInOrder)
{
    owl::CodeTable::Block first;
    owl::CodeTable::Block second;
    EXPECT_TRUE(first.empty());
    for (int i = 0; i < 1000; ++i) {
        first.add("k" + std::to_string(i), "first " + std::to_string(i));
        if (i % 3 == 0)
            second.add("k" + std::to_string(i), "second " + std::to_string(i));
    }
    second.add("only second", std::string(100, 'x'));
    owl::CodeTable table;
    table.set("k1", "set before");
    table.set("before", "kept");
    table.add(std::move(first));
    table.add(owl::CodeTable::Block());
    table.add(std::move(second));
    for (int i = 0; i < 1000; ++i) {
        const std::string expected = (i % 3 == 0 ? "second " : "first ") + std::to_string(i);
        ASSERT_EQ(table.get("k" + std::to_string(i)), expected) << i;
    }
    EXPECT_EQ(table.get("before"), "kept");
    EXPECT_EQ(table.get("only second"), std::string(100, 'x'));
    table.set("k3", "set after");
    EXPECT_EQ(table.get("k3"), "set after");

    // More blocks than a slot can tell apart are copied into the table.
    owl::CodeTable many;
    for (int i = 0; i < 600; ++i) {
        owl::CodeTable::Block block;
        block.add("same", "from block " + std::to_string(i));
        block.add("b" + std::to_string(i), std::to_string(i));
        many.add(std::move(block));
    }
    EXPECT_EQ(many.get("same"), "from block 599");
    for (int i = 0; i < 600; ++i)
        ASSERT_EQ(many.get("b" + std::to_string(i)), std::to_string(i)) << i;
}

class OwlConceptCodes : public OwlWriterTest {};

// The definition of "RXK" exists but is not part of the knowledge base:
// the concepts are still named by their "RXK" properties, as the name is
// what counts, and one thread or several give the same file.
TEST_F(OwlConceptCodes, RxkDefinedOutsideTheKnowledgeBase)
{
    QueltPropertyDef rxk("RXK", "P1", 1, "string", false, false, "NS");
    QueltKb kb;
    kb.addNamespace(QueltName("NS", 2, "N1"));
    kb.addKind(QueltKind("K", 3, "K1", "NS", false));
    const int count = 5000;
    for (int i = 1; i <= count; ++i) {
        QueltConcept concept("Concept " + std::to_string(i), "c", 0, "NS", "K", false);
        if (i > 1)
            concept.addParent("Concept " + std::to_string(i - 1));
        concept.addProperty(QueltProperty("RXK", "C" + std::to_string(i), ""));
        kb.addConcept(concept);
    }
    ASSERT_TRUE(kb.getPropertyDefs().empty());

    std::string texts[2];
    for (unsigned workers : {0u, 2u}) {
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
