#ifndef QUELT_TESTS_SUPPORT_TESTSUPPORT_H
#define QUELT_TESTS_SUPPORT_TESTSUPPORT_H

// What the unit tests share: clean class-wide state, quiet knowledge bases,
// captured console streams and raised errors, scratch directories and whole
// files.

#include "model/QueltAssociation.h"
#include "model/QueltAssociationDef.h"
#include "model/QueltConcept.h"
#include "model/QueltError.h"
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

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quelttest {

using T = QueltTerminology;

// The bits of a record class's error word that flag a repeated name, code or id.
template <class Record> long repeatBits()
{
    return Record::errors().value() & (T::CODE_EXISTS | T::ID_EXISTS | T::NAME_EXISTS);
}

// The error words are class-wide and outlive every test: a bit left by one
// test (say "no kind registry") would blank names in all later ones.
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

// Whether no record of a registered class is alive, so that every registry
// is absent and the next record starts them afresh.
inline ::testing::AssertionResult noLiveRecords()
{
    const std::pair<const char*, long> counts[] = {
        { "QueltName", QueltName::registry().count() },
        { "QueltKind", QueltKind::registry().count() },
        { "QueltRoleDef", QueltRoleDef::registry().count() },
        { "QueltPropertyDef", QueltPropertyDef::registry().count() },
        { "QueltAssociationDef", QueltAssociationDef::registry().count() },
        { "QueltQualifierDef", QueltQualifierDef::registry().count() },
        { "QueltConcept", QueltConcept::registry().count() },
    };
    for (const auto& c : counts) {
        if (c.second != 0)
            return ::testing::AssertionFailure() << c.second << " live " << c.first << " records";
    }
    return ::testing::AssertionSuccess();
}

// Each test keeps its records in its own scope: it starts with no registry
// and clean error words, and must leave no record behind.
class KbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(noLiveRecords());
        clearAllErrorWords();
    }
    void TearDown() override { EXPECT_TRUE(noLiveRecords()); }
};

// A console that keeps the lines written to it, each ended by a line end.
class BufferConsole : public Console {
public:
    void line(Stream stream, std::string_view text) override
    {
        std::string& to = stream == Out ? out : err;
        to.append(text.data(), text.size());
        to += '\n';
    }
    std::string out;
    std::string err;
};

// What `run` writes to standard output / standard error.
template <class Run> std::string stdoutOf(Run&& run)
{
    ::testing::internal::CaptureStdout();
    run();
    return ::testing::internal::GetCapturedStdout();
}
template <class Run> std::string stderrOf(Run&& run)
{
    ::testing::internal::CaptureStderr();
    run();
    return ::testing::internal::GetCapturedStderr();
}

// A knowledge base whose construction line is kept off the console.
inline std::unique_ptr<QueltKb> quietKb()
{
    std::unique_ptr<QueltKb> kb;
    stderrOf([&] { kb = std::make_unique<QueltKb>(); });
    return kb;
}

// The error that `run` raises: its status and its lines, each on its
// stream ("out: " or "err: ") and ended by a line end. Empty when it raises
// none.
template <class Run> std::string raisedBy(Run&& run)
{
    try {
        run();
    } catch (const QueltError& error) {
        std::string text = "status " + std::to_string(error.status()) + "\n";
        for (const QueltError::Line& line : error.lines())
            text += (line.stream == Console::Out ? "out: " : "err: ") + line.text + "\n";
        return text;
    }
    return std::string();
}

inline std::vector<std::string> conceptNames(const QueltKb& kb)
{
    std::vector<std::string> names;
    for (const auto& entry : kb.getConcepts())
        names.push_back(entry.second.getName());
    return names;
}

inline std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A file of tests/data.
inline std::string dataPath(const std::string& name)
{
    return std::string(QUELT_TEST_DATA) + "/" + name;
}

// A fresh directory under the build directory, removed with its content.
class ScratchDir {
public:
    ScratchDir()
    {
        std::string base = std::string(QUELT_BINARY_DIR) + "/test-scratch";
        std::filesystem::create_directories(base);
        std::string pattern = base + "/XXXXXX";
        if (mkdtemp(pattern.data()))
            root = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        if (!root.empty())
            std::filesystem::remove_all(root, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return root; }
    std::string file(const std::string& name) const { return root + "/" + name; }
    // Names of the entries in the directory, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string root;
};

} // namespace quelttest

#endif
