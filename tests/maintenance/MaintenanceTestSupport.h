#ifndef QUELT_TESTS_MAINTENANCE_MAINTENANCETESTSUPPORT_H
#define QUELT_TESTS_MAINTENANCE_MAINTENANCETESTSUPPORT_H

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

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

// Registries, error words and the concept identifier counter are shared by
// every test of the program. Each test keeps its records in its own scope,
// so the registries are released again when it ends, and starts from clean
// error words: a bit left by one test (say "no kind registry") would
// otherwise blank names in all later ones.
namespace mainttest {

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

class KbTest : public ::testing::Test {
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

inline std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string dataPath(const std::string& name)
{
    return std::string(QUELT_TEST_DATA) + "/maintenance/" + name;
}

// A fresh directory under the build directory, removed with its content.
class ScratchDir {
public:
    ScratchDir()
    {
        std::string base = std::string(QUELT_BINARY_DIR) + "/maintenance-scratch";
        std::filesystem::create_directories(base);
        std::string pattern = base + "/XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()))
            path_ = name.data();
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Names of the entries in the directory, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string path_;
};

// An independent judge of well-formedness; true when xmllint is missing.
inline ::testing::AssertionResult wellFormed(const std::string& path)
{
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
        return ::testing::AssertionSuccess() << "xmllint not installed";
    std::string command = "xmllint --noout '" + path + "' 2>&1";
    if (std::system(command.c_str()) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "xmllint rejects " << path;
}

inline std::vector<std::string> conceptNames(const QueltKb& kb)
{
    std::vector<std::string> names;
    for (const auto& entry : kb.getConcepts())
        names.push_back(entry.second.getName());
    return names;
}

inline std::vector<std::string> conceptCodes(const QueltKb& kb)
{
    std::vector<std::string> codes;
    for (const auto& entry : kb.getConcepts())
        codes.push_back(entry.second.getCode());
    return codes;
}

} // namespace mainttest

#endif
