// The concept section formatted by several threads in chunks of
// consecutive concepts must give what one thread gives: the same bytes
// over many chunks and write blocks, the same refusal (the first refused
// concept in the file's order, whichever thread formats it first), and a
// write that fails part-way reported before a refusal that lies ahead.

#include "tests/owl/OwlTestSupport.h"

#include "xmlout/OutputFile.h"

#include <functional>

using namespace owltest;

namespace {

const int kConcepts = 5000;

// Changes concept number i (1 to kConcepts) before it is added.
using Tweak = std::function<void(int i, QueltConcept&)>;

// Definitions and kConcepts concepts that use every part of the concept
// template: defined and primitive forms, one and several parents,
// ungrouped roles and one or two role groups with all three modifiers,
// labels from the name and from Preferred_Name, texts that need a CDATA
// section, "]]>" and CR, qualified properties and associations, an
// association to a concept without an identifier.
void buildLarge(QueltKb& kb, const Tweak& tweak = nullptr)
{
    addBasics(kb);
    kb.addRoleDef(QueltRoleDef("Has_X", "RX", 4, "NS", "K", "K", "", ""));
    kb.addRoleDef(QueltRoleDef("Part_Of", "RP", 5, "NS", "K", "K", "", ""));
    kb.addPropertyDef(QueltPropertyDef("Preferred_Name", "P2", 6, "string", false, false, "NS"));
    kb.addPropertyDef(QueltPropertyDef("Synonym", "P3", 7, "string", false, false, "NS"));
    kb.addQualifierDef(QueltQualifierDef("Source", "Q1", 8, "NS", "CP", {}));
    kb.addAssociationDef(QueltAssociationDef("Maps_To", "A1", 9, "", true, "NS"));

    kb.addConcept(makeConcept("Root", "C0"));
    const char* modifiers[] = { "some", "all", "poss" };
    for (int i = 1; i <= kConcepts; ++i) {
        const std::string n = std::to_string(i);
        QueltConcept c(i % 13 == 0 ? "Concept " + n + " & co" : "Concept " + n, "c" + n, 0, "NS",
            "K", i % 3 == 0);
        c.addParent(i < 10 ? "Root" : "Concept " + std::to_string(i / 2));
        if (i % 4 == 0)
            c.addParent("Concept " + std::to_string(i / 3));
        if (i % 5 != 0) // every fifth has no identifier
            c.addProperty(QueltProperty("RXK", "C" + n, ""));
        if (i % 2 == 0)
            c.addProperty(
                QueltProperty("Preferred_Name", i % 6 == 0 ? "P<" + n + ">" : "P " + n, ""));
        if (i % 7 == 0) {
            QueltProperty synonym("Synonym", i % 14 == 0 ? "a]]>b" : "line\r" + n, "");
            synonym.addQualifier(QueltQualifier("Source", "S" + n));
            synonym.addQualifier(QueltQualifier("Source", "x & y"));
            c.addProperty(synonym);
        }
        if (i > 1 && i % 4 == 1)
            c.addRole(QueltRole("Has_X", "Concept " + std::to_string(i - 1), modifiers[i % 3]));
        if (i > 2 && i % 3 == 2) {
            c.addRole(QueltRole("Part_Of", "Concept " + std::to_string(i - 2), "some", 1));
            c.addRole(QueltRole("Has_X", "Concept " + std::to_string(i / 2), modifiers[i % 3], 1));
            if (i % 2 == 0)
                c.addRole(QueltRole("Part_Of", "Concept " + std::to_string(i / 5), "all", 2));
        }
        if (i % 9 == 0)
            c.addAssociation(QueltAssociation(
                "Maps_To", "Concept " + std::to_string(i - 5), { QueltQualifier("Source", "S") }));
        if (tweak)
            tweak(i, c);
        kb.addConcept(c);
    }
    // A second root, so that roots are found in the last range of concepts
    // too: the kind's roots are two.
    kb.addConcept(makeConcept("Zeta root", "Z0"));
}

// buildLarge has one kind and two roots.
const std::string kKinds = "Number of Kinds is not the same as the number of root Concepts.\n";

owl::WriteOptions options(unsigned workers, size_t conceptsPerChunk)
{
    owl::WriteOptions chosen;
    chosen.workers = workers;
    chosen.conceptsPerChunk = conceptsPerChunk;
    return chosen;
}

// Ways of formatting the concept section that must give the same result:
// threads besides the caller, and concepts per chunk (one, a prime, the
// default, and all in one chunk).
const owl::WriteOptions kParallel[] = { options(1, 256), options(2, 7), options(3, 1),
    options(1, 97), options(2, 256), options(1, 100000) };

std::string describe(const owl::WriteOptions& chosen)
{
    return std::to_string(chosen.workers) + " threads, " + std::to_string(chosen.conceptsPerChunk)
        + " concepts per chunk";
}

} // namespace

class OwlParallel : public OwlWriterTest {
protected:
    // Writes with the file size limited to limit bytes; for a child process.
    bool writeLimited(const QueltKb& kb, rlim_t limit, const owl::WriteOptions& chosen)
    {
        limitFileSize(limit);
        return owl::writeOwlFile(kb, out, headerLines(), kNamespace, chosen);
    }
};

TEST_F(OwlParallel, ManyChunksGiveTheSequentialBytes)
{
    QueltKb kb;
    buildLarge(kb);
    ASSERT_TRUE(write(kb, options(0, 256))) << messages;
    const std::string sequential = written;
    EXPECT_EQ(messages, kKinds);
    // Several write blocks, so the chunks are cut where blocks end.
    ASSERT_GT(sequential.size(), 2 * OutputFile::kBlockSize);

    for (const owl::WriteOptions& chosen : kParallel) {
        SCOPED_TRACE(describe(chosen));
        EXPECT_TRUE(write(kb, chosen)) << messages;
        EXPECT_EQ(messages, kKinds);
        EXPECT_EQ(written.size(), sequential.size());
        EXPECT_TRUE(written == sequential) << "the file differs from the one written by one thread";
    }
}

// Each case refuses one or two concepts; the message names the first one
// in the file, and no file is left.
TEST_F(OwlParallel, FirstRefusedConceptInFileOrderIsReported)
{
    struct Case {
        const char* what;
        // Synonym values added to concepts by number; "Undefined" instead
        // of "Synonym" names a property without a definition.
        std::vector<std::pair<int, std::string>> values;
        std::string message;
    };
    const std::string prefix = "ERROR: cannot write concept 'Concept ";
    const std::string carry = "': text holds a character XML cannot carry\n";
    const Case cases[] = {
        { "control character in a late concept", { { 4700, "a\x01z" } }, prefix + "4700" + carry },
        { "two refused concepts, the later one in an earlier-finished chunk",
            { { 3001, "\x1B" }, { 3900, "\x1B" } }, prefix + "3001" + carry },
        { "element name refused before a control character",
            { { 2500, "Undefined" }, { 2600, "\x02" } },
            prefix + "2500': a property without a defined name\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clearAllErrorWords();
        QueltKb kb;
        buildLarge(kb, [&c](int i, QueltConcept& con) {
            for (const auto& value : c.values) {
                if (value.first == i && value.second == "Undefined")
                    con.addProperty(QueltProperty("Undefined", "v", ""));
                else if (value.first == i)
                    con.addProperty(QueltProperty("Synonym", value.second, ""));
            }
        });
        EXPECT_FALSE(write(kb, options(0, 256)));
        EXPECT_EQ(messages, kKinds + c.message);
        for (const owl::WriteOptions& chosen : kParallel) {
            SCOPED_TRACE(describe(chosen));
            EXPECT_FALSE(write(kb, chosen));
            EXPECT_EQ(messages, kKinds + c.message);
            expectOldOutputKept();
        }
    }
}

// The file size limit stops the writer part-way in a child process, with
// a refused concept further on: the failure on the way is reported, as
// when one thread writes; with room enough, the refusal is.
TEST_F(OwlParallel, WriteFailingPartWayBeforeARefusal)
{
    const std::string tooLarge = "ERROR: cannot write output file '" + out + "': File too large\n";
    const std::string refused
        = "ERROR: cannot write concept 'Concept 4900': text holds a character XML cannot carry\n";
    QueltKb kb;
    buildLarge(kb, [](int i, QueltConcept& c) {
        if (i == 4900)
            c.addProperty(QueltProperty("Synonym", "\x05", ""));
    });
    // The refused concept is more than two write blocks into the file.
    for (const auto& limit :
        { std::make_pair(rlim_t(1500000), tooLarge), std::make_pair(rlim_t(64000000), refused) }) {
        SCOPED_TRACE(limit.first);
        writeAll(out, "old");
        EXPECT_EXIT(std::exit(writeLimited(kb, limit.first, options(2, 7)) ? 0 : 1),
            testing::ExitedWithCode(1), "^" + kKinds + limit.second + "$");
        expectOldOutputKept();
    }
}
