// Round trips through the reader: what the writer writes reads back as the
// same definitions and concepts (the writer leaves out the right identities
// of role definitions and the locales of properties; renumbering changes
// codes and ids), and writing what was read again gives the same bytes.

#include "MaintenanceTestSupport.h"
#include "SampleKbs.h"

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace mainttest;

// Role groups as the reader numbers them: 1, 2, 3 ... in the order they
// were written, so only the ranks of the group numbers can be compared.
std::map<long, long> groupRanks(const QueltConcept& concept)
{
    std::map<long, long> ranks;
    long next = 1;
    for (const auto& entry : concept.getRoleGroupTally()) {
        if (entry.first != 0)
            ranks[entry.first] = next++;
    }
    ranks[0] = 0;
    return ranks;
}

std::string qualifiersText(const std::vector<QueltQualifier>& qualifiers)
{
    std::string text;
    for (const QueltQualifier& q : qualifiers)
        text += " [" + q.getName() + "=" + q.getValue() + "]";
    return text;
}

// Every field the writer writes, one line per field, with codes and ids
// left out when they were renumbered.
std::string describe(const QueltKb& kb, bool withNumbers)
{
    std::ostringstream out;
    auto numbers = [&](const std::string& code, long id) {
        if (withNumbers)
            out << " code=" << code << " id=" << id;
    };
    for (const auto& e : kb.getNames()) {
        out << "namespace " << e.first << " " << e.second.getName();
        numbers(e.second.getCode(), e.second.getID());
        out << "\n";
    }
    for (const auto& e : kb.getKinds()) {
        const QueltKind& d = e.second;
        out << "kind " << e.first << " " << d.getName() << " ns=" << d.getNamespace()
            << " reference=" << d.getReference();
        numbers(d.getCode(), d.getID());
        out << "\n";
    }
    for (const auto& e : kb.getRoleDefs()) {
        const QueltRoleDef& d = e.second;
        out << "role " << e.first << " " << d.getName() << " ns=" << d.getNamespace()
            << " domain=" << d.getDomain() << " range=" << d.getRange()
            << " parent=" << d.getParentRole();
        numbers(d.getCode(), d.getID());
        out << "\n";
    }
    for (const auto& e : kb.getPropertyDefs()) {
        const QueltPropertyDef& d = e.second;
        out << "property " << e.first << " " << d.getName() << " ns=" << d.getNamespace()
            << " range=" << d.getRange() << " localized=" << d.isLocalized()
            << " index=" << d.isContainsIndex();
        for (const std::string& item : d.pickList())
            out << " item=" << item;
        numbers(d.getCode(), d.getID());
        out << "\n";
    }
    for (const auto& e : kb.getAssociationDefs()) {
        const QueltAssociationDef& d = e.second;
        out << "association " << e.first << " " << d.getName() << " ns=" << d.getNamespace()
            << " inverse=" << d.getInverse() << " displayable=" << d.isDisplayable();
        numbers(d.getCode(), d.getID());
        out << "\n";
    }
    for (const auto& e : kb.getQualifierDefs()) {
        const QueltQualifierDef& d = e.second;
        out << "qualifier " << e.first << " " << d.getName() << " ns=" << d.getNamespace()
            << " type=" << d.getQualifierType();
        for (const std::string& item : d.getPickList())
            out << " item=" << item;
        numbers(d.getCode(), d.getID());
        out << "\n";
    }
    for (const auto& e : kb.getConcepts()) {
        const QueltConcept& c = e.second;
        out << "concept " << c.getName() << " ns=" << c.getNamespace() << " kind=" << c.getKind()
            << " defined=" << c.getState();
        numbers(c.getCode(), c.getID());
        out << "\n";
        for (const std::string& parent : c.getParents())
            out << "  parent " << parent << "\n";
        std::map<long, long> ranks = groupRanks(c);
        for (const auto& r : c.getRoles()) {
            const QueltRole& role = r.second;
            out << "  role " << role.modifier().name() << " " << role.getName() << " "
                << role.getValue() << " group=" << ranks[role.getRolegroup()] << "\n";
        }
        for (const auto& p : c.getProperties())
            out << "  property " << p.second.getName() << "=" << p.second.getValue()
                << qualifiersText(p.second.getQualifiers()) << "\n";
        for (const auto& a : c.getAssociations())
            out << "  association " << a.second.getName() << "=" << a.second.getValue()
                << qualifiersText(a.second.getQualifiers()) << "\n";
    }
    return out.str();
}

bool readQuietly(QueltKb& kb, const std::string& path)
{
    ::testing::internal::CaptureStdout();
    bool complete = kb.readQueltXMLFile(path);
    std::string said = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(said, "");
    return complete;
}

bool writeQuietly(QueltKb& kb, const std::string& path, bool renumber)
{
    ::testing::internal::CaptureStderr();
    bool ok = kb.writeQueltXMLFile(path, renumber);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    return ok;
}

// Writes `original`, reads it back and compares; then writes what was read
// and compares the bytes of the two documents.
void checkRoundTrip(QueltKb& original, bool renumber)
{
    ScratchDir dir;
    std::string first = dir.file("first.xml");
    std::string second = dir.file("second.xml");
    ASSERT_TRUE(writeQuietly(original, first, renumber));
    EXPECT_TRUE(wellFormed(first));

    auto reread = quietKb();
    ASSERT_TRUE(readQuietly(*reread, first));
    EXPECT_EQ(describe(*reread, !renumber), describe(original, !renumber));

    ASSERT_TRUE(writeQuietly(*reread, second, renumber));
    EXPECT_EQ(readAll(second), readAll(first));
}

TEST_F(KbTest, ShippedSampleRoundTrips)
{
    std::string sample = std::string(QUELT_TEST_DATA) + "/../../examples/cardio.xml";
    auto kb = quietKb();
    ASSERT_TRUE(readQuietly(*kb, sample));
    ASSERT_GT(kb->getNumConcepts(), 30);
    {
        SCOPED_TRACE("keeping codes and ids");
        checkRoundTrip(*kb, false);
    }
    {
        SCOPED_TRACE("renumbered");
        checkRoundTrip(*kb, true);
    }
}

TEST_F(KbTest, AdversarialTextsRoundTripInEveryField)
{
    auto kb = quietKb();
    buildAdversarial(*kb);
    checkRoundTrip(*kb, false);
}

TEST_F(KbTest, CheckedSmallDocumentReadsAsItsKnowledgeBase)
{
    auto built = quietKb();
    buildSmall(*built);
    auto read = quietKb();
    ASSERT_TRUE(readQuietly(*read, dataPath("writer_small.xml")));
    EXPECT_EQ(describe(*read, true), describe(*built, true));
}

TEST_F(KbTest, RoleGroupsAfterAnEmptyOneSurviveTheRoundTrip)
{
    ScratchDir dir;
    std::string path = dir.file("groups.xml");
    writeAll(path,
             "<terminology>\n"
             "<namespaceDef><name>Ns</name></namespaceDef>\n"
             "<roleDef><name>R</name><namespace>Ns</namespace></roleDef>\n"
             "<conceptDef><name>Late</name><namespace>Ns</namespace><definingRoles>\n"
             "<role><name>R</name><value>free</value></role>\n"
             "<roleGroup></roleGroup>\n"
             "<roleGroup><role><all/><name>R</name><value>a</value></role>"
             "<role><name>R</name><value>b</value></role></roleGroup>\n"
             "<roleGroup><role><poss/><name>R</name><value>c</value></role></roleGroup>\n"
             "</definingRoles></conceptDef>\n"
             "</terminology>\n");
    auto kb = quietKb();
    ASSERT_TRUE(readQuietly(*kb, path));
    const QueltConcept& late = kb->getConcept(kb->getIDFromName("Late"));
    // The reader numbers the empty group too: the real ones are 2 and 3.
    ASSERT_EQ(late.getRoleGroupTally(), (std::map<long, long>{{0, 1}, {2, 2}, {3, 1}}));

    checkRoundTrip(*kb, false);
}

} // namespace
