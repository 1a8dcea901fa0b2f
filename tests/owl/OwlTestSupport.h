#ifndef QUELT_TESTS_OWL_OWLTESTSUPPORT_H
#define QUELT_TESTS_OWL_OWLTESTSUPPORT_H

// What the OWL writer tests share: knowledge bases built in code, the
// header lines the converter passes in, and a fixture that writes into a
// scratch folder of its own and keeps what the writer printed. Whole
// conversions are checked against hand-checked files by the command-line
// tests (tests/data/golden).

#include "owl/OwlWriter.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace owltest {

using namespace quelttest;

inline const char* const kNamespace = "http://terms.example.org/ftp1/Medvex/Medvex.owl#";

// The root element's start tag, as the converter's header lines open it.
inline std::vector<std::string> headerLines()
{
    return { "<rdf:RDF", std::string("\txmlns=\"") + kNamespace + "\"",
        "\txmlns:owl=\"http://www.w3.org/2002/07/owl#\"",
        "\txmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"",
        "\txmlns:rdfs=\"http://www.w3.org/2000/01/rdf-schema#\">" };
}

// Namespace "NS" (id 1), kind "K" (id 2) and the property definition
// "RXK" (id 3); further definitions take ids from 4 on.
inline void addBasics(QueltKb& kb)
{
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addKind(QueltKind("K", 2, "K1", "NS", false));
    kb.addPropertyDef(QueltPropertyDef("RXK", "P1", 3, "string", false, false, "NS"));
}

// A concept of kind K named by the "RXK" value rxk.
inline QueltConcept makeConcept(const std::string& name, const std::string& rxk)
{
    QueltConcept con(name, "c" + name, 0, "NS", "K", false);
    con.addProperty(QueltProperty("RXK", rxk, ""));
    return con;
}

// Limits the size of the files this process writes and ignores SIGXFSZ,
// so that a write beyond the limit fails with EFBIG; for a child process.
inline void limitFileSize(rlim_t limit)
{
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit size = { limit, limit };
    setrlimit(RLIMIT_FSIZE, &size);
}

class OwlWriterTest : public ::testing::Test {
protected:
    void SetUp() override { clearAllErrorWords(); }

    // Writes the knowledge base over out.owl, which holds "old", with the
    // options; keeps what the writer printed in messages and the file in
    // written.
    bool write(const QueltKb& kb, const owl::WriteOptions& options = owl::WriteOptions(),
        const std::vector<std::string>& header = headerLines(), const std::string& ns = kNamespace)
    {
        writeAll(out, "old");
        ::testing::internal::CaptureStderr();
        bool ok = owl::writeOwlFile(kb, out, header, ns, options);
        messages = ::testing::internal::GetCapturedStderr();
        written = readAll(out);
        return ok;
    }
    // After a failed write: out.owl as it was, and no temporary beside it.
    void expectOldOutputKept()
    {
        EXPECT_EQ(readAll(out), "old");
        EXPECT_EQ(dir.entries(), std::vector<std::string> { "out.owl" });
    }

    ScratchDir dir;
    const std::string out = dir.file("out.owl");
    std::string messages;
    std::string written;
};

} // namespace owltest

#endif
