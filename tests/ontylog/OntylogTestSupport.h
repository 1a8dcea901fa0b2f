#ifndef QUELT_TESTS_ONTYLOG_ONTYLOGTESTSUPPORT_H
#define QUELT_TESTS_ONTYLOG_ONTYLOGTESTSUPPORT_H

#include "model/QueltKb.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

// Registries, error words and the concept counter are process-wide. Each
// test reads into a knowledge base of its own, which dies with the test (so
// the registries are released again), starts from clean error words, and
// finds records by name, never by identifier.
namespace ontylogtest {

inline std::string dataFile(const std::string& name)
{
    return std::string(QUELT_TEST_DATA) + "/ontylog/" + name;
}

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

// The definition of that name in one of the knowledge base's definition
// maps, or nullptr.
template <class Map>
const typename Map::mapped_type* findDef(const Map& defs, const std::string& name)
{
    for (const auto& entry : defs) {
        if (entry.second.getName() == name)
            return &entry.second;
    }
    return nullptr;
}

// Every text the knowledge base holds, for checks that something is
// nowhere in it.
inline std::vector<std::string> allTexts(const QueltKb& kb)
{
    std::vector<std::string> texts;
    auto addDefs = [&texts](const auto& defs) {
        for (const auto& entry : defs) {
            texts.push_back(entry.second.getName());
            texts.push_back(entry.second.getCode());
        }
    };
    addDefs(kb.getNames());
    addDefs(kb.getKinds());
    addDefs(kb.getRoleDefs());
    addDefs(kb.getPropertyDefs());
    addDefs(kb.getAssociationDefs());
    addDefs(kb.getQualifierDefs());
    for (const auto& entry : kb.getPropertyDefs()) {
        for (const std::string& item : entry.second.pickList())
            texts.push_back(item);
    }
    for (const auto& entry : kb.getConcepts()) {
        const QueltConcept& c = entry.second;
        texts.push_back(c.getName());
        texts.push_back(c.getCode());
        for (const std::string& parent : c.getParents())
            texts.push_back(parent);
        for (const auto& role : c.getRoles())
            texts.push_back(role.second.getValue());
        for (const auto& property : c.getProperties()) {
            texts.push_back(property.second.getValue());
            texts.push_back(property.second.getLocale());
            for (const QueltQualifier& q : property.second.getQualifiers())
                texts.push_back(q.getValue());
        }
        for (const auto& association : c.getAssociations()) {
            texts.push_back(association.second.getValue());
            for (const QueltQualifier& q : association.second.getQualifiers())
                texts.push_back(q.getValue());
        }
    }
    return texts;
}

// A scratch directory, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quelt-ontylog-XXXXXX");
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) != nullptr)
            path_ = buffer.data();
    }
    ~TempDir()
    {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    bool ok() const { return !path_.empty(); }
    // Writes the bytes to a file in the directory and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::string file = path_ + "/" + name;
        std::ofstream out(file, std::ios::binary);
        out << bytes;
        return file;
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Base fixture: one quiet knowledge base per test, clean error words, and
// read() that keeps what the reader printed on standard output.
class ReadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearAllErrorWords();
        ::testing::internal::CaptureStderr();
        kb = std::make_unique<QueltKb>();
        ::testing::internal::GetCapturedStderr();
    }

    // Reads the file; its standard output goes to `out`.
    bool read(const std::string& path)
    {
        ::testing::internal::CaptureStdout();
        bool complete = kb->readQueltXMLFile(path);
        out = ::testing::internal::GetCapturedStdout();
        return complete;
    }

    // The concept of that name, or nullptr.
    const QueltConcept* findConcept(const std::string& name) const
    {
        long id = kb->getIDFromName(name);
        auto it = kb->getConcepts().find(id);
        return it == kb->getConcepts().end() ? nullptr : &it->second;
    }

    std::vector<std::string> conceptNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : kb->getConcepts())
            names.push_back(entry.second.getName());
        return names;
    }

    std::unique_ptr<QueltKb> kb;
    std::string out;
};

// Whether the text is exactly the one line the reader prints for a fatal
// parser error.
inline bool isFatalErrorLine(const std::string& text)
{
    static const std::regex line("Fatal Error: .+ at line: [0-9]+\n");
    return std::regex_match(text, line);
}

} // namespace ontylogtest

#endif
