#include "tests/owl/OwlTestSupport.h"

#include "model/QueltAssociation.h"
#include "model/QueltProperty.h"
#include "model/QueltQualifier.h"
#include "model/QueltRole.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace owltest {

const char kNamespace[] = "http://terms.example.org/ftp1/Medvex/Medvex.owl#";

std::vector<std::string> headerLines()
{
    const std::string ns = kNamespace;
    return {
        "<rdf:RDF ",
        "\txmlns=\"" + ns + "\"",
        "\txml:base=\"" + ns + "\"",
        "\txmlns:protege=\"http://protege.stanford.edu/plugins/owl/protege#\"",
        "\txmlns:owl=\"http://www.w3.org/2002/07/owl#\"",
        "\txmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"",
        "\txmlns:rdfs=\"http://www.w3.org/2000/01/rdf-schema#\">",
        "<owl:Ontology rdf:about=\"\">",
        "<owl:imports rdf:resource=\"http://protege.stanford.edu/plugins/owl/protege\"/>",
        "<rdfs:comment>Medvex2 Public</rdfs:comment>",
        "<owl:versionInfo>Test 1</owl:versionInfo>",
        "</owl:Ontology>",
    };
}

std::string headerText()
{
    std::string text;
    for (const std::string& line : headerLines())
        text += line + "\n";
    return text + "\n";
}

std::string tabs(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 't') {
            out += '\t';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

bool fileExists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

std::vector<std::string> listDirectory(const std::string& path)
{
    std::vector<std::string> names;
    DIR* dir = opendir(path.c_str());
    if (dir == nullptr)
        return names;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

static std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void expectSameLines(const std::string& expected, const std::string& actual)
{
    std::vector<std::string> want = splitLines(expected);
    std::vector<std::string> got = splitLines(actual);
    for (size_t i = 0; i < std::min(want.size(), got.size()); ++i) {
        if (want[i] != got[i]) {
            ADD_FAILURE() << "first difference at line " << i + 1 << "\n  expected: " << want[i]
                          << "\n  actual:   " << got[i];
            break;
        }
    }
    EXPECT_EQ(want.size(), got.size()) << "number of lines";
    EXPECT_EQ(expected, actual);
}

bool haveXmllint() { return access("/usr/bin/xmllint", X_OK) == 0; }

static std::string shellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

void expectWellFormed(const std::string& path)
{
    if (!haveXmllint())
        return;
    std::string command = "/usr/bin/xmllint --noout " + shellQuote(path) + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string complaints;
    char chunk[512];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        complaints.append(chunk, got);
    int status = pclose(pipe);
    EXPECT_EQ(status, 0) << "xmllint rejects " << path << ":\n" << complaints;
}

std::string readBack(const std::string& path, const std::string& xpath)
{
    std::string command =
        "/usr/bin/xmllint --xpath " + shellQuote(xpath) + " " + shellQuote(path) + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return "<popen failed>";
    std::string text;
    char chunk[512];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        text.append(chunk, got);
    pclose(pipe);
    // xmllint ends what it prints with a line end of its own.
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

void clearErrorWords()
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

void OwlWriterTest::SetUp()
{
    clearErrorWords();
    std::string pattern = std::string(QUELT_BINARY_DIR) + "/owltest.XXXXXX";
    ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
    dir_ = pattern;
}

void OwlWriterTest::TearDown()
{
    if (!dir_.empty()) {
        chmod(dir_.c_str(), 0700);
        std::string command = "rm -rf " + shellQuote(dir_);
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
}

std::string OwlWriterTest::write(QueltKb& kb, const std::string& name,
                                 const std::string& nameSpace)
{
    std::string file = path(name);
    std::vector<std::string> header = headerLines();
    std::string ns = nameSpace;
    testing::internal::CaptureStderr();
    bool ok = kb.writeMedvex2OWLFile(file, header, ns);
    messages_ = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(ok) << messages_;
    expectWellFormed(file);
    return readFile(file);
}

std::string OwlWriterTest::body(const std::string& file)
{
    const std::string header = headerText();
    const std::string closing = "</rdf:RDF>\n";
    if (file.size() < header.size() + closing.size() || file.compare(0, header.size(), header) != 0 ||
        file.compare(file.size() - closing.size(), closing.size(), closing) != 0) {
        ADD_FAILURE() << "file does not begin with the header or end with </rdf:RDF>:\n" << file;
        return file;
    }
    return file.substr(header.size(), file.size() - header.size() - closing.size());
}

} // namespace owltest
