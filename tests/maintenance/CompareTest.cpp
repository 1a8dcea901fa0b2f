// Comparison of two versions by concept code. The command-line tests check
// the shared, removed and added concepts of diff against hand-checked
// files; these check what the command never does: a target that already
// holds definitions, and a version compared with itself into itself.

#include "tests/support/TestSupport.h"

#include <string>
#include <vector>

namespace {

using namespace quelttest;

TEST_F(KbTest, CopiedDefinitionsKeepWhatTheTargetHolds)
{
    auto target = quietKb();
    auto source = quietKb();
    target->addNamespace(QueltName("Shared", 5, "T5"));
    source->addNamespace(QueltName("Shared", 7, "S7"));
    source->addNamespace(QueltName("Only_Source", 8, "S8"));
    source->addKind(QueltKind("Kind", 9, "K9", "Shared", false));

    EXPECT_EQ(&source->copyDefsTo(*target), target.get());
    ASSERT_EQ(target->getNumNames(), 2);
    EXPECT_EQ(target->getNames().begin()->second.getCode(), "T5");
    EXPECT_EQ(target->getNames().rbegin()->second.getName(), "Only_Source");
    ASSERT_EQ(target->getNumKinds(), 1);
    EXPECT_EQ(target->getKinds().begin()->second.getNamespace(), "Shared");
    EXPECT_EQ(source->getNames().begin()->second.getCode(), "S7");
}

TEST_F(KbTest, ComparingAVersionWithItselfIntoItselfEnds)
{
    // The target grows while it is walked; only the concepts present at the
    // start are compared.
    auto kb = quietKb();
    kb->addConcept(QueltConcept("Alpha", "C1", 1, "", "", false));
    stdoutOf([&] { kb->diff_Concepts(*kb, *kb); });
    EXPECT_EQ(conceptNames(*kb), (std::vector<std::string> { "Alpha", "Alpha", "Alpha" }));
}

} // namespace
