#ifndef QUELT_TESTS_MODEL_MODELTESTSUPPORT_H
#define QUELT_TESTS_MODEL_MODELTESTSUPPORT_H

#include "model/QueltAssociation.h"
#include "model/QueltAssociationDef.h"
#include "model/QueltConcept.h"
#include "model/QueltKb.h"
#include "model/QueltKind.h"
#include "model/QueltName.h"
#include "model/QueltProperty.h"
#include "model/QueltPropertyDef.h"
#include "model/QueltQualifier.h"
#include "model/QueltQualifierDef.h"
#include "model/QueltRole.h"
#include "model/QueltRoleDef.h"
#include "model/QueltTerminology.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Registries, error words and the concept counter are shared by every test
// of the program. Each test builds its records in its own scope, so that the
// registries of a class are gone again when it ends; these helpers check
// that precondition and give a clean error word where a test needs one.
namespace modeltest {

inline void clearAllErrorWords()
{
    QueltName::clearError();
    QueltKind::clearError();
    QueltRoleDef::clearError();
    QueltPropertyDef::clearError();
    QueltAssociationDef::clearError();
    QueltQualifierDef::clearError();
    QueltRole::clearError();
    QueltProperty::clearError();
    QueltAssociation::clearError();
    QueltQualifier::clearError();
    QueltConcept::clearError();
}

// Whether no record of any definition class and no concept is alive.
inline ::testing::AssertionResult noLiveRecords()
{
    struct Entry {
        const char* name;
        long count;
    };
    const Entry entries[] = {
        {"QueltName", QueltName::registry().count()},
        {"QueltKind", QueltKind::registry().count()},
        {"QueltRoleDef", QueltRoleDef::registry().count()},
        {"QueltPropertyDef", QueltPropertyDef::registry().count()},
        {"QueltAssociationDef", QueltAssociationDef::registry().count()},
        {"QueltQualifierDef", QueltQualifierDef::registry().count()},
        {"QueltConcept", QueltConcept::registry().count()},
    };
    for (const Entry& e : entries) {
        if (e.count != 0)
            return ::testing::AssertionFailure() << e.count << " live " << e.name << " records";
    }
    return ::testing::AssertionSuccess();
}

// Base fixture: starts from no live records and clean error words, and
// checks on the way out that the test left no records behind.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(noLiveRecords());
        clearAllErrorWords();
    }
    void TearDown() override { EXPECT_TRUE(noLiveRecords()); }
};

// A knowledge base whose construction line is kept off the console.
inline std::unique_ptr<QueltKb> quietKb()
{
    ::testing::internal::CaptureStderr();
    auto kb = std::make_unique<QueltKb>();
    ::testing::internal::GetCapturedStderr();
    return kb;
}

} // namespace modeltest

#endif
