// The Ontylog XML writer: layout against hand-checked bytes, renumbering,
// escaping of every text, role groups, texts XML cannot carry, and output
// files that cannot be written.

#include "MaintenanceTestSupport.h"
#include "SampleKbs.h"

#include <regex>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

using namespace mainttest;

const char kFrameHead[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!DOCTYPE terminology SYSTEM \"ontylog.dtd\">\n"
    "\n"
    "<terminology ref_by=\"name\" if_exists_action=\"replace\">\n"
    "\n";

// Writes the knowledge base to a fresh file and returns its bytes; the
// writer must succeed and say nothing.
std::string written(QueltKb& kb, bool renumber, const ScratchDir& dir)
{
    std::string path = dir.file("out.xml");
    ::testing::internal::CaptureStderr();
    bool ok = kb.writeQueltXMLFile(path, renumber);
    std::string messages = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(ok);
    EXPECT_EQ(messages, "");
    EXPECT_TRUE(wellFormed(path));
    return readAll(path);
}

// The lines of the one conceptDef element whose name line is nameLine.
std::string conceptBlock(const std::string& document, const std::string& nameLine)
{
    size_t name = document.find("<conceptDef>\n" + nameLine + "\n");
    if (name == std::string::npos)
        return "";
    size_t end = document.find("</conceptDef>\n", name);
    return document.substr(name, end + 14 - name);
}

std::vector<std::string> allMatches(const std::string& text, const std::string& pattern)
{
    std::vector<std::string> found;
    std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it)
        found.push_back((*it)[1].str());
    return found;
}

TEST_F(KbTest, EmptyKnowledgeBaseIsTheFrameAlone)
{
    ScratchDir dir;
    auto kb = quietKb();
    EXPECT_EQ(written(*kb, false, dir), std::string(kFrameHead) + "</terminology>\n");
    EXPECT_EQ(written(*kb, true, dir), std::string(kFrameHead) + "</terminology>\n");
}

TEST_F(KbTest, SmallTerminologyGivesTheCheckedBytes)
{
    ScratchDir dir;
    auto kb = quietKb();
    buildSmall(*kb);
    EXPECT_EQ(written(*kb, false, dir), readAll(dataPath("writer_small.xml")));
}

TEST_F(KbTest, RenumberingRunsOneCounterAcrossAllSections)
{
    ScratchDir dir;
    auto kb = quietKb();
    buildSmall(*kb);
    std::string document = written(*kb, true, dir);

    // Section order, count and letters of buildSmall: 1 namespace, 2 kinds,
    // 2 roles, 4 properties, 2 associations, 2 qualifiers, 3 concepts.
    std::vector<std::string> codes{"N1",  "K2",  "K3",  "R4",  "R5",  "P6",  "P7",  "P8",
                                   "P9",  "A10", "A11", "Q12", "Q13", "C14", "C15", "C16"};
    std::vector<std::string> ids;
    for (int i = 1; i <= 16; ++i)
        ids.push_back(std::to_string(i));
    EXPECT_EQ(allMatches(document, "<code>([^<]*)</code>"), codes);
    EXPECT_EQ(allMatches(document, "<id>([^<]*)</id>"), ids);

    // Nothing but the code and id lines changes.
    std::string plain = written(*kb, false, dir);
    std::regex numbers("<code>[^<]*</code>\n<id>[^<]*</id>\n");
    EXPECT_EQ(std::regex_replace(document, numbers, ""), std::regex_replace(plain, numbers, ""));
}

TEST_F(KbTest, ConceptLayoutBlocksAndPrimitiveLine)
{
    ScratchDir dir;
    auto kb = quietKb();
    kb->addNamespace(QueltName("Ns", 1, "N1"));
    kb->addKind(QueltKind("Kind", 2, "K2", "Ns", true));
    kb->addConcept(QueltConcept("Bare defined", "C1", 5, "Ns", "", true));
    kb->addConcept(QueltConcept("Bare primitive", "C2", 6, "Ns", "Kind", false));
    kb->addConcept(QueltConcept("Tom & Jerry", "C3", 7, "Ns", "Kind", false));
    {
        QueltConcept child("Child", "C4", 8, "Ns", "", true);
        child.addParent("Tom & Jerry");
        child.addParent("Bare defined");
        kb->addConcept(child);
    }
    std::string document = written(*kb, false, dir);

    // Defined, no kind: no primitive or kind line, the three empty blocks,
    // no associations block.
    EXPECT_EQ(conceptBlock(document, "<name>Bare defined</name>"),
              "<conceptDef>\n<name>Bare defined</name>\n<code>C1</code>\n<id>5</id>\n"
              "<namespace>Ns</namespace>\n"
              "<definingConcepts>\n</definingConcepts>\n"
              "<definingRoles>\n</definingRoles>\n"
              "<properties>\n</properties>\n"
              "</conceptDef>\n");
    // Primitive: the line right after the namespace, then the kind.
    EXPECT_EQ(conceptBlock(document, "<name>Bare primitive</name>"),
              "<conceptDef>\n<name>Bare primitive</name>\n<code>C2</code>\n<id>6</id>\n"
              "<namespace>Ns</namespace>\n<primitive/>\n<kind>Kind</kind>\n"
              "<definingConcepts>\n</definingConcepts>\n"
              "<definingRoles>\n</definingRoles>\n"
              "<properties>\n</properties>\n"
              "</conceptDef>\n");
    // "&" in a name: a CDATA section, as name and wherever it is a parent.
    EXPECT_NE(document.find("<conceptDef>\n<name><![CDATA[Tom & Jerry]]></name>\n"),
              std::string::npos);
    EXPECT_EQ(conceptBlock(document, "<name>Child</name>"),
              "<conceptDef>\n<name>Child</name>\n<code>C4</code>\n<id>8</id>\n"
              "<namespace>Ns</namespace>\n"
              "<definingConcepts>\n<concept>Bare defined</concept>\n"
              "<concept><![CDATA[Tom & Jerry]]></concept>\n</definingConcepts>\n"
              "<definingRoles>\n</definingRoles>\n"
              "<properties>\n</properties>\n"
              "</conceptDef>\n");
}

TEST_F(KbTest, PropertyDefinitionFlagsAndPickListLayout)
{
    ScratchDir dir;
    auto kb = quietKb();
    kb->addNamespace(QueltName("Ns", 1, "N1"));
    {
        QueltPropertyDef both("Both", "P1", 3, "string", true, true, "Ns");
        both.setPickList({"b", "a", "b"});
        kb->addPropertyDef(both);
    }
    kb->addPropertyDef(QueltPropertyDef("Localized", "P2", 4, "string", true, false, "Ns"));
    std::string document = written(*kb, false, dir);
    EXPECT_NE(document.find("<propertyDef>\n<name>Both</name>\n<code>P1</code>\n<id>3</id>\n"
                            "<namespace>Ns</namespace>\n<range>string</range>\n"
                            "<containsIndex/>\n<localized/>\n"
                            "<pickList>\n<pickListItem>b</pickListItem>\n"
                            "<pickListItem>a</pickListItem>\n<pickListItem>b</pickListItem>\n"
                            "</pickList>\n</propertyDef>\n\n"),
              std::string::npos);
    EXPECT_NE(document.find("<propertyDef>\n<name>Localized</name>\n<code>P2</code>\n<id>4</id>\n"
                            "<namespace>Ns</namespace>\n<range>string</range>\n"
                            "<localized/>\n</propertyDef>\n\n"),
              std::string::npos);
}

TEST_F(KbTest, EveryRoleGroupWithRolesIsWrittenInGroupOrder)
{
    ScratchDir dir;
    auto kb = quietKb();
    kb->addNamespace(QueltName("Ns", 1, "N1"));
    kb->addRoleDef(QueltRoleDef("R", "R1", 2, "Ns", "", "", "", ""));
    {
        // What the reader makes of a concept whose first role group was
        // empty: its one real group carries the number 2.
        QueltConcept late("After empty group", "C1", 3, "Ns", "", true);
        late.addRole(QueltRole("R", "x", "some", 2));
        late.addRole(QueltRole("R", "y", "all", 2));
        kb->addConcept(late);
    }
    {
        QueltConcept gaps("Gaps", "C2", 4, "Ns", "", true);
        gaps.addRole(QueltRole("R", "g5", "some", 5));
        gaps.addRole(QueltRole("R", "g1", "some", 1));
        gaps.addRole(QueltRole("R", "free", "poss", 0));
        gaps.addRole(QueltRole("R", "g3", "all", 3));
        kb->addConcept(gaps);
    }
    std::string document = written(*kb, false, dir);
    EXPECT_NE(conceptBlock(document, "<name>After empty group</name>")
                  .find("<definingRoles>\n<roleGroup>\n"
                        "<role>\n<some/>\n<name>R</name>\n<value>x</value>\n</role>\n"
                        "<role>\n<all/>\n<name>R</name>\n<value>y</value>\n</role>\n"
                        "</roleGroup>\n</definingRoles>\n"),
              std::string::npos);
    EXPECT_NE(conceptBlock(document, "<name>Gaps</name>")
                  .find("<definingRoles>\n"
                        "<role>\n<poss/>\n<name>R</name>\n<value>free</value>\n</role>\n"
                        "<roleGroup>\n<role>\n<some/>\n<name>R</name>\n<value>g1</value>\n"
                        "</role>\n</roleGroup>\n"
                        "<roleGroup>\n<role>\n<all/>\n<name>R</name>\n<value>g3</value>\n"
                        "</role>\n</roleGroup>\n"
                        "<roleGroup>\n<role>\n<some/>\n<name>R</name>\n<value>g5</value>\n"
                        "</role>\n</roleGroup>\n"
                        "</definingRoles>\n"),
              std::string::npos);
}

TEST_F(KbTest, EveryTextIsEscapedForItsPlace)
{
    ScratchDir dir;
    auto kb = quietKb();
    buildAdversarial(*kb);
    std::string document = written(*kb, false, dir);

    // Element content with markup: CDATA, "]]>" split across two sections,
    // CR as a reference between sections.
    const std::string cdata =
        "<![CDATA[ NS & <b> \"q\" 'a' ]]]]><![CDATA[> x]]>&#xD;<![CDATA[\ny\tz "
        "\xC3\xA9\xE6\xBC\xA2\xF0\x9F\x98\x80 ]]>";
    EXPECT_NE(document.find("<namespaceDef>\n<name>" + cdata + "</name>\n"), std::string::npos);
    EXPECT_NE(document.find("<qualifierDef type=\"CR\">\n<name><![CDATA[ Qual & "),
              std::string::npos);
    // No markup but "]]>" and CR: plain text with references.
    EXPECT_NE(document.find("<value>no markup but ]]&gt; and &#xD;</value>\n"), std::string::npos);
    // A text that already is one CDATA section is wrapped once more, so
    // that it reads back as itself.
    EXPECT_NE(document.find("<value><![CDATA[<![CDATA[already & wrapped]]]]><![CDATA[>]]></value>"),
              std::string::npos);
    EXPECT_NE(document.find("<pickListItem><![CDATA[<![CDATA[x&y]]]]><![CDATA[>]]></pickListItem>"),
              std::string::npos);
    // No raw CR anywhere, and every "<" that is not markup sits in CDATA.
    EXPECT_EQ(document.find('\r'), std::string::npos);
}

TEST_F(KbTest, TextsXmlCannotCarryAreRefusedWithoutAFile)
{
    struct Case {
        const char* what;
        std::string conceptName;
        std::string value;
        std::string defName;
        const char* message;
    };
    const Case cases[] = {
        {"control byte in a value", "Ok", std::string("a\x01z"), "Def",
         "concept 'Ok': its property value holds a control character, which XML cannot carry\n"},
        {"NUL in a concept name", std::string("N\0l", 3), "v", "Def",
         "concept 'N\\x00l': its name holds a control character, which XML cannot carry\n"},
        {"ESC in a definition name", "Ok", "v", "D\x1b",
         "property definition 'D\\x1B': its name holds a control character, which XML cannot "
         "carry\n"},
        {"Latin-1 byte", "Ok", "caf\xE9", "Def",
         "concept 'Ok': its property value holds bytes that are not UTF-8, which XML cannot "
         "carry\n"},
        {"UTF-16 surrogate", "Ok", "\xED\xA0\x80", "Def",
         "concept 'Ok': its property value holds bytes that are not UTF-8, which XML cannot "
         "carry\n"},
        {"U+FFFE", "Ok", "\xEF\xBF\xBE", "Def",
         "concept 'Ok': its property value holds a character that XML excludes (U+FFFE or "
         "U+FFFF), which XML cannot carry\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDir dir;
        std::string target = dir.file("kept.xml");
        writeAll(target, "old content");
        {
            auto kb = quietKb();
            kb->addNamespace(QueltName("Ns", 1, "N1"));
            kb->addPropertyDef(QueltPropertyDef(c.defName, "P1", 2, "string", false, false, "Ns"));
            QueltConcept concept(c.conceptName, "C1", 3, "Ns", "", true);
            concept.addProperty(QueltProperty(c.defName, c.value, ""));
            kb->addConcept(concept);

            ::testing::internal::CaptureStderr();
            EXPECT_FALSE(kb->writeQueltXMLFile(target, false));
            std::string messages = ::testing::internal::GetCapturedStderr();
            EXPECT_EQ(messages, std::string("ERROR: cannot write ") + c.message);
        }
        EXPECT_EQ(readAll(target), "old content");
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"kept.xml"});
    }
}

TEST_F(KbTest, OutputThatCannotBeCreatedIsReportedAndLeavesNothing)
{
    ScratchDir dir;
    auto kb = quietKb();
    buildSmall(*kb);

    std::string missingDir = dir.file("no/such/dir/out.xml");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(kb->writeQueltXMLFile(missingDir, false));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "ERROR: cannot write output file '" + missingDir + "': No such file or directory\n");

    // A directory in the target's place.
    std::string taken = dir.file("taken");
    std::filesystem::create_directory(taken);
    writeAll(taken + "/inside", "x");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(kb->writeQueltXMLFile(taken, false));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "ERROR: cannot write output file '" + taken + "': Is a directory\n");
    EXPECT_EQ(readAll(taken + "/inside"), "x");

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(kb->writeQueltXMLFile(dir.path() + "/", false));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "ERROR: cannot write output file '" + dir.path() + "/': Is a directory\n");

    // No temporary is left behind.
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"taken"});
}

TEST_F(KbTest, ExistingFileIsReplacedWholeAndKeepsItsMode)
{
    ScratchDir dir;
    std::string target = dir.file("out.xml");
    writeAll(target, std::string(100000, 'x'));
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    std::string fresh = dir.file("fresh.xml");
    auto kb = quietKb();
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(kb->writeQueltXMLFile(target, false));
    ASSERT_TRUE(kb->writeQueltXMLFile(fresh, false));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(readAll(target), std::string(kFrameHead) + "</terminology>\n");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"fresh.xml", "out.xml"}));

    struct stat info;
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    mode_t mask = umask(0);
    umask(mask);
    ASSERT_EQ(stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(KbTest, OutputLargerThanTheBufferIsComplete)
{
    ScratchDir dir;
    auto kb = quietKb();
    kb->addNamespace(QueltName("Ns", 1, "N1"));
    kb->addPropertyDef(QueltPropertyDef("DEFINITION", "P1", 2, "string", false, false, "Ns"));
    const int count = 6000;
    const std::string filler(400, 'w');
    for (int i = 0; i < count; ++i) {
        QueltConcept concept("Concept " + std::to_string(i), "C" + std::to_string(i), i, "Ns", "",
                             true);
        concept.addProperty(QueltProperty("DEFINITION", filler + std::to_string(i), ""));
        kb->addConcept(std::move(concept));
    }
    std::string document = written(*kb, false, dir);
    ASSERT_GT(document.size(), 2u << 20);
    EXPECT_EQ(allMatches(document, "<name>(Concept [0-9]+)</name>").size(),
              static_cast<size_t>(count));
    EXPECT_NE(document.find("<name>Concept 5999</name>\n<code>C5999</code>"), std::string::npos);
    const std::string tail = "</properties>\n</conceptDef>\n\n</terminology>\n";
    EXPECT_EQ(document.compare(document.size() - tail.size(), tail.size(), tail), 0);
}

} // namespace
