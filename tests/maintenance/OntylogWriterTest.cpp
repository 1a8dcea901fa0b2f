// What the Ontylog XML writer refuses: a text XML cannot carry, named by its
// record and field, with no file written. What it writes is checked against
// hand-checked documents by the command-line tests (queltKbTool roundtrip).

#include "tests/support/TestSupport.h"

#include <string>
#include <vector>

namespace {

using namespace quelttest;

TEST_F(KbTest, TextsXmlCannotCarryAreRefusedWithoutAFile)
{
    struct Case {
        std::string conceptName;
        std::string value;
        std::string defName;
        const char* message;
    };
    const Case cases[] = {
        { "Ok", "a\x01z", "Def",
            "concept 'Ok': its property value holds a control character, which XML cannot carry" },
        { std::string("N\0l", 3), "v", "Def",
            "concept 'N\\x00l': its name holds a control character, which XML cannot carry" },
        { "Ok", "v", "D\x1b",
            "property definition 'D\\x1B': its name holds a control character, which XML cannot "
            "carry" },
        { "Ok", "caf\xE9", "Def",
            "concept 'Ok': its property value holds bytes that are not UTF-8, which XML cannot "
            "carry" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ScratchDir dir;
        const std::string target = dir.file("kept.xml");
        writeAll(target, "old content");
        {
            auto kb = quietKb();
            kb->addPropertyDef(QueltPropertyDef(c.defName, "P1", 2, "string", false, false, ""));
            QueltConcept con(c.conceptName, "C1", 3, "", "", true);
            con.addProperty(QueltProperty(c.defName, c.value, ""));
            kb->addConcept(con);
            EXPECT_EQ(stderrOf([&] { EXPECT_FALSE(kb->writeQueltXMLFile(target, false)); }),
                std::string("ERROR: cannot write ") + c.message + "\n");
        }
        EXPECT_EQ(readAll(target), "old content");
        EXPECT_EQ(dir.entries(), std::vector<std::string> { "kept.xml" });
    }
}

} // namespace
