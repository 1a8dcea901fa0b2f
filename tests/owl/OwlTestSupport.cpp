#include "tests/owl/OwlTestSupport.h"

#include <algorithm>
#include <csignal>
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

std::string tabs(std::string text)
{
    for (size_t at = text.find("\\t"); at != std::string::npos; at = text.find("\\t", at + 1))
        text.replace(at, 2, "\t");
    return text;
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
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
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

bool haveXmllint()
{
    return access("/usr/bin/xmllint", X_OK) == 0;
}

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

// Runs the shell command; returns what it printed and its exit status.
static std::string run(const std::string& command, int& status)
{
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return "<popen failed>";
    }
    char chunk[512];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        text.append(chunk, got);
    status = pclose(pipe);
    return text;
}

void expectWellFormed(const std::string& path)
{
    if (!haveXmllint())
        return;
    int status;
    std::string complaints = run("/usr/bin/xmllint --noout " + shellQuote(path) + " 2>&1", status);
    EXPECT_EQ(status, 0) << "xmllint rejects " << path << ":\n" << complaints;
}

std::string readBack(const std::string& path, const std::string& xpath)
{
    int status;
    std::string text = run(
        "/usr/bin/xmllint --xpath " + shellQuote(xpath) + " " + shellQuote(path) + " 2>/dev/null",
        status);
    // xmllint ends what it prints with a line end of its own.
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

void addBasics(QueltKb& kb)
{
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addKind(QueltKind("K", 2, "K1", "NS", false));
    kb.addPropertyDef(QueltPropertyDef("RXK", "P1", 3, "string", false, false, "NS"));
}

QueltConcept makeConcept(const std::string& name, const std::string& rxk, bool defined)
{
    QueltConcept concept(name, "c" + name, 0, "NS", "K", defined);
    if (!rxk.empty())
    concept.addProperty(QueltProperty("RXK", rxk, ""));
    return concept;
}

void limitFileSize(rlim_t limit)
{
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit size;
    size.rlim_cur = limit;
    size.rlim_max = limit;
    setrlimit(RLIMIT_FSIZE, &size);
}

void OwlWriterTest::expectOldOutputKept()
{
    EXPECT_EQ(readFile(path("out.owl")), "old");
    EXPECT_EQ(listDirectory(dir), std::vector<std::string> { "out.owl" });
}

void OwlWriterTest::SetUp()
{
    clearAllErrorWords();
    std::string pattern = std::string(QUELT_BINARY_DIR) + "/owltest.XXXXXX";
    ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
    dir = pattern;
}

void OwlWriterTest::TearDown()
{
    if (!dir.empty()) {
        chmod(dir.c_str(), 0700);
        std::string command = "rm -rf " + shellQuote(dir);
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
}

bool OwlWriterTest::tryWrite(
    QueltKb& kb, const std::string& file, std::vector<std::string> header, std::string ns)
{
    std::string name = file;
    testing::internal::CaptureStderr();
    bool ok = kb.writeMedvex2OWLFile(name, header, ns);
    messages = testing::internal::GetCapturedStderr();
    return ok;
}

std::string OwlWriterTest::write(QueltKb& kb, const std::string& name, const std::string& nameSpace)
{
    std::string file = path(name);
    EXPECT_TRUE(tryWrite(kb, file, headerLines(), nameSpace)) << messages;
    expectWellFormed(file);
    return readFile(file);
}

std::string OwlWriterTest::body(const std::string& file)
{
    const std::string header = headerText();
    const std::string closing = "</rdf:RDF>\n";
    if (file.size() < header.size() + closing.size() || file.compare(0, header.size(), header) != 0
        || file.compare(file.size() - closing.size(), closing.size(), closing) != 0) {
        ADD_FAILURE() << "file does not begin with the header or end with </rdf:RDF>:\n" << file;
        return file;
    }
    return file.substr(header.size(), file.size() - header.size() - closing.size());
}

} // namespace owltest
