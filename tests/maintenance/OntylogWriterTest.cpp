// The Ontylog XML writer against hand-checked bytes, renumbering, texts XML
// cannot carry, replaced files and large outputs; and round trips through
// the reader: what the writer writes reads back as the same definitions and
// concepts (the writer leaves out the right identities of role definitions
// and the locales of properties; renumbering changes codes and ids), and
// writing what was read again gives the same bytes.

#include "tests/support/TestSupport.h"

#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

using namespace quelttest;

const std::string kEmptyDocument
    = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!DOCTYPE terminology SYSTEM \"ontylog.dtd\">\n"
      "\n<terminology ref_by=\"name\" if_exists_action=\"replace\">\n\n</terminology>\n";

// Writes kb to path; the writer must succeed and say nothing.
void writeQuietly(QueltKb& kb, const std::string& path, bool renumber)
{
    EXPECT_EQ(stderrOf([&] { EXPECT_TRUE(kb.writeQueltXMLFile(path, renumber)); }), "");
    EXPECT_TRUE(wellFormed(path));
}

std::string written(QueltKb& kb, bool renumber)
{
    ScratchDir dir;
    writeQuietly(kb, dir.file("out.xml"), renumber);
    return readAll(dir.file("out.xml"));
}

bool readQuietly(QueltKb& kb, const std::string& path)
{
    bool complete = false;
    EXPECT_EQ(stdoutOf([&] { complete = kb.readQueltXMLFile(path); }), "");
    return complete;
}

// One of everything: two kinds (one not a reference), a role with and one
// without a parent role, property definitions with both flags, with a pick
// list and with neither, association definitions with and without inverse
// and display flag, qualifier definitions with and without pick list; a
// primitive root with a kind, a defined concept without kind, and a concept
// with ungrouped and grouped roles of all three modifiers, qualified
// properties and a qualified association. Written, it gives
// maintenance/writer_small.xml.
void buildSmall(QueltKb& kb)
{
    kb.addNamespace(QueltName("Cardio", 1, "NS1"));
    kb.addKind(QueltKind("Disease_Kind", 10, "K10", "Cardio", true));
    kb.addKind(QueltKind("Anatomy_Kind", 11, "K11", "Cardio", false));
    kb.addRoleDef(QueltRoleDef(
        "Has_Site", "R101", 101, "Cardio", "Disease_Kind", "Anatomy_Kind", "Right_Id", ""));
    kb.addRoleDef(QueltRoleDef(
        "Has_Primary_Site", "R102", 102, "Cardio", "Disease_Kind", "Anatomy_Kind", "", "Has_Site"));
    kb.addPropertyDef(
        QueltPropertyDef("Preferred_Name", "P201", 201, "string", false, true, "Cardio"));
    kb.addPropertyDef(
        QueltPropertyDef("FULL_SYN", "P202", 202, "long_string", true, true, "Cardio"));
    QueltPropertyDef semantic("Semantic_Type", "P203", 203, "string", false, false, "Cardio");
    semantic.setPickList({ "Disease or Syndrome", "Body Part" });
    kb.addPropertyDef(semantic);
    kb.addPropertyDef(
        QueltPropertyDef("DEFINITION", "P204", 204, "long_string", true, false, "Cardio"));
    kb.addAssociationDef(
        QueltAssociationDef("Related_To", "A301", 301, "Related_From", true, "Cardio"));
    kb.addAssociationDef(QueltAssociationDef("See_Also", "A302", 302, "", false, "Cardio"));
    kb.addQualifierDef(
        QueltQualifierDef("Syn_Source", "Q401", 401, "Cardio", "CA", { "Cardio", "Pharm" }));
    kb.addQualifierDef(QueltQualifierDef("Assoc_Source", "Q402", 402, "Cardio", "CP", {}));

    QueltConcept anatomy("Anatomy", "C1", 1001, "Cardio", "Anatomy_Kind", false);
    anatomy.addProperty(QueltProperty("Preferred_Name", "Anatomy", ""));
    kb.addConcept(anatomy);
    QueltConcept heart("Heart", "C2", 1002, "Cardio", "", true);
    heart.addParent("Anatomy");
    QueltProperty synonym("FULL_SYN", "Cor", "la");
    synonym.addQualifier(QueltQualifier("Syn_Source", "Cardio"));
    heart.addProperties({ QueltProperty("Preferred_Name", "Heart", ""), synonym });
    heart.addAssociations(
        { QueltAssociation("Related_To", "Anatomy", { QueltQualifier("Assoc_Source", "Atlas") }),
            QueltAssociation("See_Also", "Anatomy") });
    kb.addConcept(heart);
    QueltConcept disease("Heart_Disease", "C3", 1003, "Cardio", "Disease_Kind", false);
    disease.addParents({ "Heart", "Anatomy" });
    disease.addRoles(
        { QueltRole("Has_Site", "Heart", "some"), QueltRole("Has_Primary_Site", "Heart", "all", 1),
            QueltRole("Has_Site", "Anatomy", "poss", 1), QueltRole("Has_Site", "Heart", "", 2) });
    disease.addProperties({ QueltProperty("DEFINITION", "A disease of the heart.", "en"),
        QueltProperty("Semantic_Type", "Disease or Syndrome", "") });
    kb.addConcept(disease);
}

// Text that tries every way of breaking XML: markup characters, a CDATA
// end, quotes, CR and LF, tab, blanks at both ends and text beyond ASCII.
std::string nasty(const std::string& core)
{
    return " " + core + " & <b> \"q\" 'a' ]]> x\r\ny\tz \xC3\xA9\xE6\xBC\xA2\xF0\x9F\x98\x80 ";
}

// A terminology whose every text is nasty(): every name, code, namespace,
// kind, domain, range, parent role, inverse name, pick-list item, concept
// name, parent, and role, property, association and qualifier name and
// value; and texts that already are CDATA sections or hold "]]>" and CR
// without markup. (The qualifier type is one of the three the model keeps.)
void buildAdversarial(QueltKb& kb)
{
    const std::string ns = nasty("NS"), kind = nasty("Kind"), role = nasty("Role"),
                      prop = nasty("Prop"), assoc = nasty("Assoc"), qual = nasty("Qual");
    kb.addNamespace(QueltName(ns, 7, nasty("NSCode")));
    kb.addKind(QueltKind(kind, 8, nasty("KindCode"), ns, false));
    kb.addRoleDef(QueltRoleDef(role, nasty("RoleCode"), 9, ns, kind, kind, "", nasty("Parent")));
    QueltPropertyDef def(prop, nasty("PropCode"), 10, nasty("Range"), true, true, ns);
    def.setPickList({ nasty("Item1"), "<![CDATA[x&y]]>", "plain" });
    kb.addPropertyDef(def);
    kb.addAssociationDef(
        QueltAssociationDef(assoc, nasty("AssocCode"), 11, nasty("Inverse"), true, ns));
    kb.addQualifierDef(
        QueltQualifierDef(qual, nasty("QualCode"), 12, ns, "CR", { nasty("QItem") }));

    QueltConcept root(nasty("Root"), nasty("C1"), 100, ns, kind, false);
    root.addProperties({ QueltProperty(prop, "<![CDATA[already & wrapped]]>", ""),
        QueltProperty(prop, "no markup but ]]> and \r", "") });
    kb.addConcept(root);
    QueltConcept child(nasty("Child"), nasty("C2"), 101, ns, "", true);
    child.addParents({ nasty("Root"), "Plain parent" });
    child.addRoles(
        { QueltRole(role, nasty("Root"), "all"), QueltRole(role, nasty("Value"), "poss", 1) });
    QueltProperty property(prop, nasty("Value"), "");
    property.addQualifier(QueltQualifier(qual, nasty("QValue")));
    child.addProperty(property);
    child.addAssociation(
        QueltAssociation(assoc, nasty("Root"), { QueltQualifier(qual, nasty("AValue")) }));
    kb.addConcept(child);
}

// Every field the writer writes, one line per record, with codes and ids
// only when they were kept.
std::string describe(const QueltKb& kb, bool withNumbers)
{
    std::ostringstream out;
    auto head = [&](const char* what, long mapId, const auto& def) -> std::ostream& {
        out << "\n" << what << " " << mapId << " " << def.getName();
        if (withNumbers)
            out << " code=" << def.getCode() << " id=" << def.getID();
        return out;
    };
    for (const auto& e : kb.getNames())
        head("namespace", e.first, e.second);
    for (const auto& e : kb.getKinds())
        head("kind", e.first, e.second)
            << " ns=" << e.second.getNamespace() << " ref=" << e.second.getReference();
    for (const auto& e : kb.getRoleDefs())
        head("role", e.first, e.second)
            << " ns=" << e.second.getNamespace() << " domain=" << e.second.getDomain()
            << " range=" << e.second.getRange() << " parent=" << e.second.getParentRole();
    for (const auto& e : kb.getPropertyDefs()) {
        head("property", e.first, e.second)
            << " ns=" << e.second.getNamespace() << " range=" << e.second.getRange()
            << " localized=" << e.second.isLocalized() << " index=" << e.second.isContainsIndex();
        for (const std::string& item : e.second.pickList())
            out << " item=" << item;
    }
    for (const auto& e : kb.getAssociationDefs())
        head("association", e.first, e.second)
            << " ns=" << e.second.getNamespace() << " inverse=" << e.second.getInverse()
            << " displayable=" << e.second.isDisplayable();
    for (const auto& e : kb.getQualifierDefs()) {
        head("qualifier", e.first, e.second)
            << " ns=" << e.second.getNamespace() << " type=" << e.second.getQualifierType();
        for (const std::string& item : e.second.getPickList())
            out << " item=" << item;
    }
    for (const auto& e : kb.getConcepts()) {
        const QueltConcept& c = e.second;
        out << "\nconcept " << c.getName() << " ns=" << c.getNamespace() << " kind=" << c.getKind()
            << " defined=" << c.getState();
        if (withNumbers)
            out << " code=" << c.getCode() << " id=" << c.getID();
        for (const std::string& parent : c.getParents())
            out << "\n  parent " << parent;
        // The reader numbers role groups 1, 2, 3 ... in the order they were
        // written (group order, which can differ from the order of arrival),
        // so only the ranks of the group numbers can be compared.
        std::map<long, long> rank { { 0, 0 } };
        for (const auto& group : c.getRoleGroupTally())
            rank.emplace(group.first, static_cast<long>(rank.size()));
        std::multiset<std::string> roles;
        for (const auto& r : c.getRoles()) {
            std::ostringstream role;
            role << "\n  role " << r.second << " group=" << rank[r.second.getRolegroup()];
            roles.insert(role.str());
        }
        for (const std::string& role : roles)
            out << role;
        for (const auto& p : c.getProperties())
            out << "\n  property " << p.second;
        for (const auto& a : c.getAssociations())
            out << "\n  association " << a.second;
    }
    return out.str();
}

// Writes `original`, reads it back and compares; then writes what was read
// and compares the bytes of the two documents.
void checkRoundTrip(QueltKb& original, bool renumber)
{
    ScratchDir dir;
    const std::string first = dir.file("first.xml"), second = dir.file("second.xml");
    writeQuietly(original, first, renumber);
    auto reread = quietKb();
    ASSERT_TRUE(readQuietly(*reread, first));
    EXPECT_EQ(describe(*reread, !renumber), describe(original, !renumber));
    writeQuietly(*reread, second, renumber);
    EXPECT_EQ(readAll(second), readAll(first));
}

TEST_F(KbTest, EmptyKnowledgeBaseIsTheFrameAlone)
{
    auto kb = quietKb();
    EXPECT_EQ(written(*kb, false), kEmptyDocument);
    EXPECT_EQ(written(*kb, true), kEmptyDocument);
}

TEST_F(KbTest, SmallTerminologyGivesTheCheckedBytesAndRenumbersWithOneCounter)
{
    auto kb = quietKb();
    buildSmall(*kb);
    const std::string plain = written(*kb, false);
    EXPECT_EQ(plain, readAll(dataPath("maintenance/writer_small.xml")));

    // One counter runs across the sections in their order: 1 namespace,
    // 2 kinds, 2 roles, 4 properties, 2 associations, 2 qualifiers,
    // 3 concepts. Nothing but the code and id lines changes.
    const std::string renumbered = written(*kb, true);
    const std::regex numbers("<code>[^<]*</code>\n<id>[^<]*</id>\n");
    std::string expected, found;
    int n = 0;
    for (char letter : std::string("NKKRRPPPPAAQQCCC")) {
        const std::string number = std::to_string(++n);
        expected += "<code>" + (letter + number) + "</code>\n<id>" + number + "</id>\n";
    }
    for (auto it = std::sregex_iterator(renumbered.begin(), renumbered.end(), numbers);
         it != std::sregex_iterator(); ++it)
        found += it->str();
    EXPECT_EQ(found, expected);
    EXPECT_EQ(std::regex_replace(renumbered, numbers, ""), std::regex_replace(plain, numbers, ""));
}

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
        { "Ok", "\xED\xA0\x80", "Def", // a UTF-16 surrogate
            "concept 'Ok': its property value holds bytes that are not UTF-8, which XML cannot "
            "carry" },
        { "Ok", "\xEF\xBF\xBE", "Def",
            "concept 'Ok': its property value holds a character that XML excludes (U+FFFE or "
            "U+FFFF), which XML cannot carry" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ScratchDir dir;
        const std::string target = dir.file("kept.xml");
        writeAll(target, "old content");
        {
            auto kb = quietKb();
            kb->addPropertyDef(QueltPropertyDef(c.defName, "P1", 2, "string", false, false, ""));
            QueltConcept concept(c.conceptName, "C1", 3, "", "", true);
            concept.addProperty(QueltProperty(c.defName, c.value, ""));
            kb->addConcept(concept);
            EXPECT_EQ(stderrOf([&] { EXPECT_FALSE(kb->writeQueltXMLFile(target, false)); }),
                std::string("ERROR: cannot write ") + c.message + "\n");
        }
        EXPECT_EQ(readAll(target), "old content");
        EXPECT_EQ(dir.entries(), std::vector<std::string> { "kept.xml" });
    }
}

TEST_F(KbTest, ExistingFileIsReplacedWholeAndKeepsItsMode)
{
    ScratchDir dir;
    const std::string target = dir.file("out.xml"), fresh = dir.file("fresh.xml");
    writeAll(target, std::string(100000, 'x'));
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    auto kb = quietKb();
    writeQuietly(*kb, target, false);
    writeQuietly(*kb, fresh, false);
    EXPECT_EQ(readAll(target), kEmptyDocument);
    EXPECT_EQ(dir.entries(), (std::vector<std::string> { "fresh.xml", "out.xml" }));

    struct stat info;
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    const mode_t mask = umask(0);
    umask(mask);
    ASSERT_EQ(stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(KbTest, OutputLargerThanTheBufferIsComplete)
{
    auto kb = quietKb();
    kb->addPropertyDef(QueltPropertyDef("DEFINITION", "P1", 2, "string", false, false, ""));
    const int count = 6000;
    for (int i = 0; i < count; ++i) {
        QueltConcept concept(
            "Concept " + std::to_string(i), "C" + std::to_string(i), i, "", "", true);
        concept.addProperty(QueltProperty("DEFINITION", std::string(400, 'w'), ""));
        kb->addConcept(std::move(concept));
    }
    const std::string document = written(*kb, false);
    ASSERT_GT(document.size(), 2u << 20);
    const std::regex name("<name>Concept ([0-9]+)</name>");
    int next = 0;
    for (auto it = std::sregex_iterator(document.begin(), document.end(), name);
         it != std::sregex_iterator(); ++it)
        ASSERT_EQ((*it)[1].str(), std::to_string(next++));
    EXPECT_EQ(next, count);
    const std::string tail = "</properties>\n</conceptDef>\n\n</terminology>\n";
    EXPECT_EQ(document.substr(document.size() - tail.size()), tail);
}

TEST_F(KbTest, ShippedSampleRoundTrips)
{
    auto kb = quietKb();
    ASSERT_TRUE(readQuietly(*kb, dataPath("../../examples/cardio.xml")));
    ASSERT_GT(kb->getNumConcepts(), 30);
    for (bool renumber : { false, true }) {
        SCOPED_TRACE(renumber ? "renumbered" : "keeping codes and ids");
        checkRoundTrip(*kb, renumber);
    }
}

TEST_F(KbTest, AdversarialTextsRoundTripInEveryField)
{
    auto kb = quietKb();
    buildAdversarial(*kb);
    checkRoundTrip(*kb, false);
}

// The reader numbers an empty role group too, so the groups after it are
// 2 and 3; with gaps like those every group must be written, in order.
TEST_F(KbTest, RoleGroupsAfterAnEmptyOneAndAroundGapsSurviveTheRoundTrip)
{
    ScratchDir dir;
    writeAll(dir.file("groups.xml"),
        "<terminology>\n<namespaceDef><name>Ns</name></namespaceDef>\n"
        "<roleDef><name>R</name><namespace>Ns</namespace></roleDef>\n"
        "<conceptDef><name>Late</name><namespace>Ns</namespace><definingRoles>\n"
        "<role><name>R</name><value>free</value></role>\n<roleGroup></roleGroup>\n"
        "<roleGroup><role><all/><name>R</name><value>a</value></role>"
        "<role><name>R</name><value>b</value></role></roleGroup>\n"
        "<roleGroup><role><poss/><name>R</name><value>c</value></role></roleGroup>\n"
        "</definingRoles></conceptDef>\n</terminology>\n");
    auto kb = quietKb();
    ASSERT_TRUE(readQuietly(*kb, dir.file("groups.xml")));
    using Counts = std::vector<std::pair<long, long>>;
    const QueltConcept::RoleGroupTally& tally = kb->getConcept("Late").getRoleGroupTally();
    ASSERT_EQ(Counts(tally.begin(), tally.end()), (Counts { { 0, 1 }, { 2, 2 }, { 3, 1 } }));
    QueltConcept gaps("Gaps", "C2", 4, "Ns", "", true);
    gaps.addRoles({ QueltRole("R", "g5", "some", 5), QueltRole("R", "g1", "some", 1),
        QueltRole("R", "free", "poss", 0), QueltRole("R", "g3", "all", 3) });
    kb->addConcept(gaps);
    checkRoundTrip(*kb, false);
}

} // namespace
