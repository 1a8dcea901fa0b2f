// The comparison of two versions as records: a pair with every kind of
// change against its hand-checked report, and versions that do not differ.

#include "maintenance/Changes.h"
#include "ontylog/OntylogReader.h"
#include "tests/support/ChangeText.h"
#include "tests/support/TestSupport.h"

#include <string>

namespace {

using namespace quelttest;
using namespace maintenance;

// One line per record and per change, then the counts.
std::string render(const ChangeReport& report)
{
    std::string out;
    for (const DefinitionChanges& record : report.definitions) {
        out += std::string(changeKindName(record.kind)) + " " + definitionTypeName(record.type)
            + " " + record.name + ":";
        for (const FieldChange& field : record.fields)
            out += " " + field.field + " '" + field.before + "' > '" + field.after + "'";
        out += "\n";
    }
    for (const DuplicateCode& duplicate : report.duplicateCodes) {
        out += std::string("duplicate-code ")
            + (duplicate.version == Version::Old ? "old " : "new ") + duplicate.code + ":";
        for (const std::string& name : duplicate.names)
            out += " " + name;
        out += "\n";
    }
    for (const ConceptChanges& record : report.concepts) {
        out += record.code + " '" + record.oldName + "' '" + record.newName + "' in "
            + record.branch + "\n";
        for (const ConceptChange& change : record.changes)
            out += std::string("  ") + changeKindName(change.kind) + " "
                + std::visit(ChangeText(), change.detail) + "\n";
    }
    for (const NotCompared& field : report.notCompared)
        out += std::string("not compared: ") + uncomparedName(field.field) + ", none in "
            + (field.without == Version::Old ? "old" : "new") + "\n";
    for (std::size_t kind = 0; kind < kChangeKindCount; ++kind) {
        if (report.counts[kind] != 0)
            out += std::string(changeKindName(static_cast<ChangeKind>(kind))) + " "
                + std::to_string(report.counts[kind]) + "\n";
    }
    return out;
}

class ChangesTest : public KbTest {
protected:
    // Read quietly (the pair gives one name to two concepts).
    std::unique_ptr<QueltKb> read(const std::string& path)
    {
        auto kb = quietKb();
        stdoutOf([&] { EXPECT_TRUE(ontylog::readFile(*kb, path)); });
        return kb;
    }
};

TEST_F(ChangesTest, ReportsEveryKindOfChange)
{
    // A renamed concept stays the concept its referrers name; a text that
    // names another concept, or none, in the newer version (a renamed
    // concept's old name given to a new one, a reference left stale) is a
    // change of parent, role or association; renumbered role groups and
    // reordered attributes are none; a name only the older version defines
    // is no name in the newer one; a name given to two concepts names the
    // first; codes longer than eight bytes.
    auto older = read(dataPath("maintenance/changes_old.xml"));
    auto newer = read(dataPath("maintenance/changes_new.xml"));
    EXPECT_EQ(render(compareVersions(*older, *newer)),
        readAll(dataPath("maintenance/changes_expected.txt")));

    ChangeReport withoutIds = compareVersions(*older, *newer, CompareOptions { true });
    EXPECT_EQ(withoutIds.counts[static_cast<int>(ChangeKind::IdChanged)], 0);
    ASSERT_EQ(withoutIds.definitions.size(), 7u);
    EXPECT_EQ(withoutIds.definitions[4].fields.size(), 1u); // Grade: its pick list only
}

TEST_F(ChangesTest, NothingChangesAgainstItselfOrItsWrittenCopy)
{
    // The written copy keeps everything but the locales of property values
    // (and the right identities of role definitions, which the sample does
    // not have): lost, not changed.
    ScratchDir scratch;
    auto sample = read(std::string(QUELT_TEST_DATA) + "/../../examples/cardio.xml");
    ASSERT_TRUE(
        stderrOf([&] { sample->writeQueltXMLFile(scratch.file("copy.xml"), false); }).empty());
    auto same = read(std::string(QUELT_TEST_DATA) + "/../../examples/cardio.xml");
    auto copy = read(scratch.file("copy.xml"));

    EXPECT_EQ(render(compareVersions(*sample, *same)), "");
    EXPECT_EQ(render(compareVersions(*sample, *copy)), "not compared: locale, none in new\n");
}

TEST_F(ChangesTest, NamesDefinitionsAfterAConceptReadBeforeThem)
{
    // A concept read before the first kind definition leaves every
    // concept's own kind getter answering the empty text from then on; the
    // kinds are still compared and named.
    auto read = [&](const std::string& kind) {
        std::string text = "<terminology><conceptDef><name>A</name><code>C1</code></conceptDef>"
                           "<kindDef><name>K</name><code>K1</code></kindDef>"
                           "<conceptDef><name>B</name><code>C2</code><kind>"
            + kind + "</kind></conceptDef></terminology>";
        auto kb = quietKb();
        stdoutOf([&] { EXPECT_TRUE(ontylog::readMemory(*kb, text.data(), text.size(), "t.xml")); });
        return kb;
    };
    auto older = read("K");
    auto newer = read("L");
    EXPECT_EQ(render(compareVersions(*older, *newer)),
        "C2 'B' 'B' in B\n  kind-changed K > \nkind-changed 1\n");
}

} // namespace
