// Registries that cannot be allocated end the run: an error with status 1
// and its message.

#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <new>
#include <string>

namespace {
// When set, the next allocation through operator new fails (once).
bool failNextAllocation = false;
} // namespace

void* operator new(std::size_t size)
{
    if (failNextAllocation) {
        failNextAllocation = false;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

// These replace the library's pair; the compiler cannot tell that the
// memory came from the operator new above.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace {

using namespace quelttest;

// Short texts only, so that building the arguments allocates nothing and
// the first allocation is that of the registries.
TEST_F(KbTest, RegistriesThatCannotBeAllocatedEndTheRun)
{
    const std::string withPeriod
        = "status 1\nerr: Could not allocate memory for a map or a set.  Will EXIT.\n";
    const std::pair<void (*)(), std::string> cases[] = {
        { [] { QueltName("n", 1, "c"); }, withPeriod },
        { [] { QueltKind("k", 1, "c", "", true); },
            "status 1\nerr: Could not allocate memory for a map or a set.  Will EXIT\n" },
        { [] { QueltRoleDef("r", "c", 1, "", "", "", "", ""); }, withPeriod },
        { [] { QueltPropertyDef("p", "c", 1, "", false, false, ""); }, withPeriod },
        { [] { QueltAssociationDef("a", "c", 1, "", true, ""); }, withPeriod },
        { [] { QueltQualifierDef("q", "c", 1, "", "CA", {}); }, withPeriod },
        { [] { QueltConcept("x", "c", 1, "", "", false); }, withPeriod },
    };
    for (const auto& c : cases) {
        failNextAllocation = true;
        EXPECT_EQ(raisedBy(c.first), c.second);
        failNextAllocation = false;
    }
    // Without the failure the same constructions work.
    for (const auto& c : cases)
        c.first();
}

} // namespace
