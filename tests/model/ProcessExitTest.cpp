// The model's ways of ending the process: a reference mode that is not one
// of the three, and registries that cannot be allocated. Both end with
// status 1 after their message.

#include "ModelTestSupport.h"

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
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace {

using modeltest::ModelTest;

TEST(QueltTerminologyTest, ReferenceModesAreSelectedByExactName)
{
    QueltTerminology::setReference("code");
    EXPECT_EQ(QueltTerminology::getReference(), "code");
    EXPECT_EQ(QueltTerminology::getReference('x'), 2);
    QueltTerminology::setReference("id");
    EXPECT_EQ(QueltTerminology::getReference('x'), 1);
    QueltTerminology::setReference("name");
    EXPECT_EQ(QueltTerminology::getReference(), "name");
    EXPECT_EQ(QueltTerminology::getReference('x'), 0);
}

TEST(QueltTerminologyDeathTest, UnknownReferenceModeEndsTheProcess)
{
    const char* const bad[] = {"Name", "", "codes", "name "};
    for (const char* value : bad) {
        SCOPED_TRACE(std::string("ref_by '") + value + "'");
        EXPECT_EXIT(QueltTerminology::setReference(value), ::testing::ExitedWithCode(1),
                    "^Terminology ref_by string not found\\.  Will EXIT\\.\n$");
    }
    EXPECT_EQ(QueltTerminology::getReference(), "name");
}

// Short texts only, so that building the arguments allocates nothing and
// the first allocation is that of the registries.
void makeName() { QueltName("n", 1, "c"); }
void makeKind() { QueltKind("k", 1, "c", "", true); }
void makeRoleDef() { QueltRoleDef("r", "c", 1, "", "", "", "", ""); }
void makePropertyDef() { QueltPropertyDef("p", "c", 1, "", false, false, ""); }
void makeAssociationDef() { QueltAssociationDef("a", "c", 1, "", true, ""); }
void makeQualifierDef() { QueltQualifierDef("q", "c", 1, "", "CA", {}); }
void makeConcept() { QueltConcept("x", "c", 1, "", "", false); }

using ModelDeathTest = ModelTest;

TEST_F(ModelDeathTest, RegistriesThatCannotBeAllocatedEndTheProcess)
{
    const std::string withPeriod = "^Could not allocate memory for a map or a set\\.  Will EXIT\\.\n$";
    struct Case {
        const char* className;
        void (*make)();
        std::string message;
    };
    const Case cases[] = {
        {"QueltName", makeName, withPeriod},
        {"QueltKind", makeKind, "^Could not allocate memory for a map or a set\\.  Will EXIT\n$"},
        {"QueltRoleDef", makeRoleDef, withPeriod},
        {"QueltPropertyDef", makePropertyDef, withPeriod},
        {"QueltAssociationDef", makeAssociationDef, withPeriod},
        {"QueltQualifierDef", makeQualifierDef, withPeriod},
        {"QueltConcept", makeConcept, withPeriod},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        EXPECT_EXIT(
            {
                failNextAllocation = true;
                c.make();
            },
            ::testing::ExitedWithCode(1), c.message);
    }
    // Without the failure the same constructions work.
    for (const Case& c : cases)
        c.make();
}

} // namespace
