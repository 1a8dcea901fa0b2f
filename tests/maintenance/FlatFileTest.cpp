// Term-list import: the concepts made from a file, line ends of every kind,
// bytes of any kind, and files that cannot be read.

#include "tests/support/TestSupport.h"

#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace quelttest;
using Names = std::vector<std::string>;

// Imports a term list of the given bytes into kb; repeated lines are
// reported on standard output, which is kept off the console.
void import(QueltKb& kb, const std::string& bytes)
{
    ScratchDir dir;
    writeAll(dir.file("terms.txt"), bytes);
    stdoutOf([&] {
        kb.readFlatFile(
            dir.file("terms.txt"), "TermNs", "TermKind", "Imported term", "Term_List", "unused");
    });
}

TEST_F(KbTest, EveryNonEmptyLineBecomesAPrimitiveConceptUnderTheParent)
{
    auto kb = quietKb();
    // With the two qualifier names defined beforehand the qualifiers resolve.
    kb->addNamespace(QueltName("Other", 1, "N1"));
    kb->addQualifierDef(QueltQualifierDef("Syn_Term_Type", "Q1", 2, "Other", "CA", {}));
    kb->addQualifierDef(QueltQualifierDef("Syn_Source", "Q2", 3, "Other", "CA", {}));
    import(*kb, "aspirin\n\nibuprofen tablets\n");

    ASSERT_EQ(conceptNames(*kb), (Names { "aspirin", "ibuprofen tablets" }));
    for (const auto& entry : kb->getConcepts()) {
        const QueltConcept& con = entry.second;
        SCOPED_TRACE(con.getName());
        EXPECT_EQ(con.getCode(), "");
        EXPECT_EQ(con.getID(), -1);
        EXPECT_EQ(con.getNamespace(), "TermNs");
        EXPECT_EQ(con.getKind(), "TermKind");
        EXPECT_FALSE(con.getState());
        EXPECT_EQ(std::vector<std::string>(con.getParents().begin(), con.getParents().end()),
            std::vector<std::string> { "Term_List" });
        EXPECT_EQ(con.getNumRoles() + con.getNumAssociations(), 0);
        // In definition order: Semantic_Type, Preferred_Name, FULL_SYN.
        std::ostringstream properties;
        for (const auto& p : con.getProperties())
            properties << p.second << "@" << p.second.getLocale() << ";";
        EXPECT_EQ(properties.str(),
            "Semantic_Type Imported term@;Preferred_Name " + con.getName() + "@;FULL_SYN "
                + con.getName() + "|Syn_Term_Type PT|Syn_Source Zev@;");
    }
    // The term index finds an imported line in any letter case.
    EXPECT_TRUE(kb->termInKB("Ibuprofen Tablets"));
}

TEST_F(KbTest, LineEndsAndBytesOfEveryKind)
{
    // Longer than the read chunk, and lines that straddle chunk borders.
    const std::string longLine = std::string(70000, 'x') + "y" + std::string(130000, 'x');
    const char binaryBytes[] = "nul\0byte \xFF\xFE high";
    const std::string binary(binaryBytes, sizeof binaryBytes - 1);
    std::string manyLines;
    Names manyNames;
    for (int i = 0; i < 5000; ++i) {
        manyNames.push_back("term number " + std::to_string(i));
        manyLines += manyNames.back() + "\n";
    }
    manyNames.insert(manyNames.end(), { longLine, binary, longLine });
    struct Case {
        const char* what;
        std::string bytes;
        Names names;
    };
    const Case cases[] = {
        { "empty line and no final line end", "aspirin\n\nibuprofen", { "aspirin", "ibuprofen" } },
        { "CRLF with an empty CRLF line", "aspirin\r\n\r\nibuprofen tablets\r\n",
            { "aspirin", "ibuprofen tablets" } },
        { "last line a lone CR", "a\n\r", { "a" } },
        { "CR inside a line and before a CR LF", "a\rb\nc\r\r\n", { "a\rb", "c\r" } },
        { "blanks are kept, also on lines of blanks only", "  spaced out \n\t\t\n   \r\n",
            { "  spaced out ", "\t\t", "   " } },
        { "repeated lines are kept", "aspirin\naspirin\n", { "aspirin", "aspirin" } },
        { "only line ends", "\n\n\r\n", {} },
        { "empty file", "", {} },
        { "long lines and any bytes", manyLines + longLine + "\n" + binary + "\n" + longLine,
            manyNames },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto kb = quietKb();
        import(*kb, c.bytes);
        EXPECT_EQ(conceptNames(*kb), c.names);
        // The definitions are made whatever the file holds.
        EXPECT_EQ(kb->getNumNames() + kb->getNumKinds() + kb->getNumProps(), 5);
    }
}

TEST_F(KbTest, UnreadableTermListEndsTheRun)
{
    ScratchDir dir;
    auto kb = quietKb();
    // A directory opens but cannot be read.
    for (const std::string& path : { dir.file("missing.txt"), dir.path() })
        EXPECT_EQ(raisedBy([&] { kb->readFlatFile(path, "Ns", "Kind", "Type", "Parent", ""); }),
            "status 1\nerr: Error opening file \"" + path + "\", will EXIT.\n");
}

} // namespace
