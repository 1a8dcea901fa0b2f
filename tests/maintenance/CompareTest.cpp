// Comparison of two versions by concept code. The command-line tests check
// diff against hand-checked files; this checks what the command never does:
// a version compared with itself into itself.

#include "tests/support/TestSupport.h"

#include <string>
#include <vector>

namespace {

using namespace quelttest;

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
