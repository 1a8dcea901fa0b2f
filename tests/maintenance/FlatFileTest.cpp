// Term-list import: the definitions and concepts made from a file, line
// ends of every kind, bytes of any kind, and files that cannot be read.

#include "MaintenanceTestSupport.h"

#include <string>
#include <vector>

namespace {

using namespace mainttest;

void import(QueltKb& kb, const std::string& path)
{
    kb.readFlatFile(path, "TermNs", "TermKind", "Imported term", "Term_List", "unused");
}

std::vector<std::string> importedNames(const std::string& bytes)
{
    ScratchDir dir;
    std::string path = dir.file("terms.txt");
    writeAll(path, bytes);
    auto kb = quietKb();
    import(*kb, path);
    return conceptNames(*kb);
}

TEST_F(KbTest, EveryNonEmptyLineBecomesAPrimitiveConceptUnderTheParent)
{
    ScratchDir dir;
    std::string path = dir.file("terms.txt");
    writeAll(path, "aspirin\n\nibuprofen tablets\n");
    auto kb = quietKb();
    // With the two qualifier names defined beforehand the qualifiers resolve.
    kb->addNamespace(QueltName("Other", 1, "N1"));
    kb->addQualifierDef(QueltQualifierDef("Syn_Term_Type", "Q1", 2, "Other", "CA", {}));
    kb->addQualifierDef(QueltQualifierDef("Syn_Source", "Q2", 3, "Other", "CA", {}));
    import(*kb, path);

    ASSERT_EQ(conceptNames(*kb), (std::vector<std::string>{"aspirin", "ibuprofen tablets"}));
    for (const auto& entry : kb->getConcepts()) {
        const QueltConcept& concept = entry.second;
        SCOPED_TRACE(concept.getName());
        EXPECT_EQ(concept.getCode(), "");
        EXPECT_EQ(concept.getID(), -1);
        EXPECT_EQ(concept.getNamespace(), "TermNs");
        EXPECT_EQ(concept.getKind(), "TermKind");
        EXPECT_FALSE(concept.getState());
        EXPECT_EQ(concept.getParents(), std::set<std::string>{"Term_List"});
        EXPECT_EQ(concept.getNumRoles(), 0);
        EXPECT_EQ(concept.getNumAssociations(), 0);

        std::vector<std::string> properties;
        for (const auto& p : concept.getProperties()) {
            properties.push_back(p.second.getName() + "=" + p.second.getValue());
            EXPECT_EQ(p.second.getLocale(), "");
        }
        // In definition order: Semantic_Type, Preferred_Name, FULL_SYN.
        EXPECT_EQ(properties, (std::vector<std::string>{"Semantic_Type=Imported term",
                                                        "Preferred_Name=" + concept.getName(),
                                                        "FULL_SYN=" + concept.getName()}));
        auto synonym = concept.findProperty("FULL_SYN");
        ASSERT_NE(synonym, concept.getEndProperty());
        const std::vector<QueltQualifier>& qualifiers = synonym->second.getQualifiers();
        ASSERT_EQ(qualifiers.size(), 2u);
        EXPECT_EQ(qualifiers[0].getName(), "Syn_Term_Type");
        EXPECT_EQ(qualifiers[0].getValue(), "PT");
        EXPECT_EQ(qualifiers[1].getName(), "Syn_Source");
        EXPECT_EQ(qualifiers[1].getValue(), "Zev");
    }

    // The index lower-cases; any letter case finds an imported line.
    EXPECT_TRUE(kb->termInKB("ASPIRIN"));
    EXPECT_TRUE(kb->termInKB("Ibuprofen Tablets"));
    EXPECT_FALSE(kb->termInKB(""));
}

TEST_F(KbTest, ImportCreatesItsDefinitionsEvenForAnEmptyFile)
{
    ScratchDir dir;
    std::string path = dir.file("empty.txt");
    writeAll(path, "");
    auto kb = quietKb();
    import(*kb, path);

    EXPECT_EQ(kb->getNumConcepts(), 0);
    ASSERT_EQ(kb->getNumNames(), 1);
    const QueltName& ns = kb->getNames().begin()->second;
    EXPECT_EQ(ns.getNamespace(), "TermNs");
    EXPECT_EQ(ns.getID(), -1);
    EXPECT_EQ(ns.getCode(), "");
    ASSERT_EQ(kb->getNumKinds(), 1);
    const QueltKind& kind = kb->getKinds().begin()->second;
    EXPECT_EQ(kind.getKindname(), "TermKind");
    EXPECT_EQ(kind.getNamespace(), "TermNs");
    EXPECT_FALSE(kind.getReference());

    std::vector<std::string> defs;
    for (const auto& entry : kb->getPropertyDefs()) {
        const QueltPropertyDef& def = entry.second;
        EXPECT_EQ(def.getCode(), "");
        EXPECT_EQ(def.getID(), -1);
        EXPECT_FALSE(def.isLocalized());
        EXPECT_TRUE(def.isContainsIndex());
        EXPECT_EQ(def.getNamespace(), "TermNs");
        defs.push_back(def.getName() + ":" + def.getRange());
    }
    EXPECT_EQ(defs, (std::vector<std::string>{"Semantic_Type:string", "Preferred_Name:string",
                                              "FULL_SYN:long_string"}));
}

TEST_F(KbTest, LineEndsOfEveryKind)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"empty line and no final line end", "aspirin\n\nibuprofen", {"aspirin", "ibuprofen"}},
        {"CRLF with an empty CRLF line", "aspirin\r\n\r\nibuprofen tablets\r\n",
         {"aspirin", "ibuprofen tablets"}},
        {"CRLF and no final line end", "a\r\nb", {"a", "b"}},
        {"last line a lone CR", "a\n\r", {"a"}},
        {"CR inside a line and before a CR LF", "a\rb\nc\r\r\n", {"a\rb", "c\r"}},
        {"blanks are kept", "  spaced out \n\t\n", {"  spaced out ", "\t"}},
        {"only line ends", "\n\n\r\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(importedNames(c.bytes), c.names);
    }
}

TEST_F(KbTest, LongLinesAndBinaryBytesAreKeptExactly)
{
    // Longer than the read chunk, and lines that straddle chunk borders.
    std::string longLine(200000, 'x');
    longLine[70000] = 'y';
    const char binaryBytes[] = "nul\0byte \xFF\xFE high";
    std::string binary(binaryBytes, sizeof binaryBytes - 1);
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += "term number " + std::to_string(i) + "\n";
    bytes += longLine + "\n" + binary + "\n" + longLine;

    std::vector<std::string> names = importedNames(bytes);
    ASSERT_EQ(names.size(), 5003u);
    EXPECT_EQ(names[4999], "term number 4999");
    EXPECT_EQ(names[5000], longLine);
    EXPECT_EQ(names[5001], binary);
    EXPECT_EQ(names[5002], longLine);
}

TEST_F(KbTest, RepeatedLinesAreKeptAndReported)
{
    ScratchDir dir;
    std::string path = dir.file("terms.txt");
    writeAll(path, "aspirin\naspirin\n");
    auto kb = quietKb();
    ::testing::internal::CaptureStdout();
    import(*kb, path);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "ERROR::addConcept:DupConceptName\taspirin\n");
    EXPECT_EQ(conceptNames(*kb), (std::vector<std::string>{"aspirin", "aspirin"}));
}

TEST_F(KbTest, UnreadableTermListEndsTheProcess)
{
    ScratchDir dir;
    auto kb = quietKb();
    std::string missing = dir.file("missing.txt");
    EXPECT_EXIT(import(*kb, missing), ::testing::ExitedWithCode(1),
                "^Error opening file \"" + missing + "\", will EXIT.\n$");
    // A directory opens but cannot be read.
    EXPECT_EXIT(import(*kb, dir.path()), ::testing::ExitedWithCode(1),
                "^Error opening file \"" + dir.path() + "\", will EXIT.\n$");
}

} // namespace
