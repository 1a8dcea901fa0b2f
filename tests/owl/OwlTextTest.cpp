// The writer's helpers on their own: the indentation level, the identifier
// check, which texts XML can carry, which names can be element names, and
// the name -> identifier table.

#include "tests/owl/OwlTestSupport.h"

#include "owl/Indent.h"
#include "owl/OwlTables.h"
#include "xmlout/XmlText.h"

using namespace owltest;

TEST(Indent, LevelMovesAndNeverGoesBelowZero)
{
    const char* commands[]
        = { "c", "+", "+", "s", "x", "", "-", "-", "-", "-", "+", "+", "+", "c", "s" };
    const size_t levels[] = { 0, 1, 2, 2, 2, 2, 1, 0, 0, 0, 1, 2, 3, 0, 0 };
    for (size_t i = 0; i < sizeof levels / sizeof levels[0]; ++i)
        EXPECT_EQ(indent(commands[i]), std::string(levels[i], '\t')) << "step " << i;
}

TEST(IsValidOwl, MessagesPerFault)
{
    QueltKb kb;
    struct Case {
        std::string name;
        bool valid;
        std::string messages;
    };
    const std::string first = "ERROR:  invalid OWL name; first char \"";
    const std::string internal = "ERROR:  invalid OWL name; internal char at ";
    const Case cases[] = {
        { "Abc_1-2.x", true, "" },
        { "_x", true, "" },
        { "1abc", false, first + "1abc\"\n" },
        // A bad first character does not stop the check of the others.
        { "1a b", false, first + "1a b\"\n" + internal + "3, \"1a b\"\n" },
        { "a b+c", false, internal + "2, \"a b+c\"\n" + internal + "4, \"a b+c\"\n" },
        { "", false, first + "\"\n" },
        { "-a", false, first + "-a\"\n" },
        { "a:b", false, internal + "2, \"a:b\"\n" },
        // Every byte of a multi-byte character is invalid, first or later.
        { "\xC3\xA9t\xC3\xA9", false,
            first + "\xC3\xA9t\xC3\xA9\"\n" + internal + "2, \"\xC3\xA9t\xC3\xA9\"\n" + internal
                + "4, \"\xC3\xA9t\xC3\xA9\"\n" + internal + "5, \"\xC3\xA9t\xC3\xA9\"\n" },
        { "a\x7F", false, internal + "2, \"a\x7F\"\n" },
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStderr();
        bool valid = kb.isValidOWL(c.name);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.messages) << c.name;
        EXPECT_EQ(valid, c.valid) << c.name;
    }
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

TEST(IsElementName, XmlNamesWithoutColon)
{
    for (const char* name :
        { "a", "_", "Preferred_Name", "x-1.2", "caf\xC3\xA9", "\xC3\x89t\xC3\xA9",
            "\xE4\xB8\x80\xE2\xB0\x80", "a\xC2\xB7\xE2\x80\xBF", "\xF0\x90\x80\x80" }) {
        EXPECT_TRUE(xmltext::isElementName(name)) << name;
    }
    for (const char* name :
        { "", "x y", "a:b", ":a", "1a", "-a", ".a", "a&b", "a<b", "a\"b", "\xC3\x97", "a\xC3",
            "a\xC3(", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xEF\xBF\xBE", "\xFF" }) {
        EXPECT_FALSE(xmltext::isElementName(name)) << name;
    }
}

// Growth, replacement, names that are prefixes of others or hold a NUL,
// and entries gathered in blocks, more blocks than a slot can tell apart.
TEST(OwlCodeTable, KeepsTheLastEntryOfANameThroughGrowthAndBlocks)
{
    owl::CodeTable table;
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

    owl::CodeTable::Block first;
    owl::CodeTable::Block second;
    for (int i = 0; i < 1000; ++i) {
        first.add("k" + std::to_string(i), "first " + std::to_string(i));
        if (i % 3 == 0)
            second.add("k" + std::to_string(i), "second " + std::to_string(i));
    }
    second.add("only second", std::string(100, 'x'));
    owl::CodeTable blocks;
    blocks.set("k1", "set before");
    blocks.set("before", "kept");
    blocks.add(std::move(first));
    blocks.add(owl::CodeTable::Block());
    blocks.add(std::move(second));
    for (int i = 0; i < 1000; ++i) {
        const std::string expected = (i % 3 == 0 ? "second " : "first ") + std::to_string(i);
        ASSERT_EQ(blocks.get("k" + std::to_string(i)), expected) << i;
    }
    EXPECT_EQ(blocks.get("before"), "kept");
    EXPECT_EQ(blocks.get("only second"), std::string(100, 'x'));
    blocks.set("k3", "set after");
    EXPECT_EQ(blocks.get("k3"), "set after");

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
