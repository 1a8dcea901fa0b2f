// The name -> identifier table of the OWL naming: growth, replacement,
// names that are prefixes of others or hold a NUL, and entries gathered in
// blocks, more blocks than a slot can tell apart.

#include "xmlout/CodeTable.h"

#include <gtest/gtest.h>

#include <string>

TEST(CodeTable, KeepsTheLastEntryOfANameThroughGrowthAndBlocks)
{
    CodeTable table;
    EXPECT_EQ(table.get("absent"), "");
    const int count = 20000;
    for (int i = 0; i < count; ++i)
        table.set("name " + std::to_string(i), "C" + std::to_string(i));
    for (int i = 0; i < count; i += 2)
        table.set("name " + std::to_string(i), "D" + std::to_string(i));
    table.set("", "empty name");
    table.set(std::string("a\0b", 3), "nul");
    table.set("a", "prefix");
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(table.get("name " + std::to_string(i)), (i % 2 ? "C" : "D") + std::to_string(i));
    EXPECT_EQ(table.get(""), "empty name");
    EXPECT_EQ(table.get("name"), "");
    EXPECT_EQ(table.get("name 20000"), "");
    EXPECT_EQ(table.get(std::string("a\0b", 3)), "nul");
    EXPECT_EQ(table.get("a"), "prefix");
    EXPECT_EQ(table.get(std::string("a\0", 2)), "");

    CodeTable::Block first;
    CodeTable::Block second;
    for (int i = 0; i < 1000; ++i) {
        first.add("k" + std::to_string(i), "first " + std::to_string(i));
        if (i % 3 == 0)
            second.add("k" + std::to_string(i), "second " + std::to_string(i));
    }
    second.add("only second", std::string(100, 'x'));
    CodeTable blocks;
    blocks.set("k1", "set before");
    blocks.set("before", "kept");
    blocks.add(std::move(first));
    blocks.add(CodeTable::Block());
    blocks.add(std::move(second));
    for (int i = 0; i < 1000; ++i) {
        const std::string expected = (i % 3 == 0 ? "second " : "first ") + std::to_string(i);
        ASSERT_EQ(blocks.get("k" + std::to_string(i)), expected) << i;
    }
    EXPECT_EQ(blocks.get("before"), "kept");
    EXPECT_EQ(blocks.get("only second"), std::string(100, 'x'));
    blocks.set("k3", "set after");
    EXPECT_EQ(blocks.get("k3"), "set after");

    CodeTable many;
    for (int i = 0; i < 600; ++i) {
        CodeTable::Block block;
        block.add("same", "from block " + std::to_string(i));
        block.add("b" + std::to_string(i), std::to_string(i));
        many.add(std::move(block));
    }
    EXPECT_EQ(many.get("same"), "from block 599");
    for (int i = 0; i < 600; ++i)
        ASSERT_EQ(many.get("b" + std::to_string(i)), std::to_string(i)) << i;
}
