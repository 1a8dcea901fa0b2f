#ifndef QUELT_TESTS_OWL_OWLTESTSUPPORT_H
#define QUELT_TESTS_OWL_OWLTESTSUPPORT_H

// Helpers of the OWL writer tests: a fixture that gives each test clean
// class-wide error words and its own temporary directory, the header lines
// the converter passes in, writing a knowledge base and reading the file
// back, and checks with an independent XML parser (xmllint).

#include "model/QueltAssociation.h"
#include "model/QueltKb.h"
#include "model/QueltProperty.h"
#include "model/QueltQualifier.h"
#include "model/QueltRole.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>
#include <vector>

namespace owltest {

extern const char kNamespace[];

// The twelve header lines, as the converter builds them for kNamespace
// and the version label "Test 1".
std::vector<std::string> headerLines();

// The header lines joined, each with its line end, plus the empty line.
std::string headerText();

// Replaces every two-character sequence backslash-t by a tab, so expected
// texts can be written as raw strings with visible tabs.
std::string tabs(std::string text);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);
// Names of the entries of a directory, sorted, without "." and "..".
std::vector<std::string> listDirectory(const std::string& path);

// Compares two texts line by line, so a failure names the first differing
// line; then compares them whole.
void expectSameLines(const std::string& expected, const std::string& actual);

bool haveXmllint();
// Fails the test when xmllint does not accept the file as well-formed.
void expectWellFormed(const std::string& path);
// The string value of the XPath expression on the file, as xmllint reads it.
std::string readBack(const std::string& path, const std::string& xpath);

// Namespace "NS" (id 1), kind "K" (id 2) and the property definition
// "RXK" (id 3); further definitions take ids from 4 on.
void addBasics(QueltKb& kb);
// A concept of kind K named by the "RXK" value rxk ("" for none).
QueltConcept makeConcept(const std::string& name, const std::string& rxk, bool defined = false);

// Limits the size of files this process writes to limit bytes and ignores
// SIGXFSZ, so that a write beyond it fails with EFBIG; for a child process.
void limitFileSize(rlim_t limit);

// Clears the class-wide error words of every record class (records made
// while a registry was absent leave sticky bits).
using quelttest::clearAllErrorWords;

class OwlWriterTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string path(const std::string& name) const { return dir + "/" + name; }

    // Calls the writer and returns its result; what it printed goes to
    // messages.
    bool tryWrite(QueltKb& kb, const std::string& file,
        std::vector<std::string> header = headerLines(), std::string ns = kNamespace);
    // Writes the knowledge base to path(name), captures what the writer
    // prints on standard error into messages, checks that the call
    // succeeded and that the file is well-formed, and returns the file.
    std::string write(QueltKb& kb, const std::string& name = "out.owl",
        const std::string& nameSpace = kNamespace);
    // The file without the header lines and the closing line, checking both.
    std::string body(const std::string& file);
    // write() and body() in one.
    std::string writeBody(QueltKb& kb) { return body(write(kb)); }
    // After a failed write over path("out.owl") holding "old": the file is
    // as it was and no temporary is left beside it.
    void expectOldOutputKept();

    std::string dir;
    std::string messages;
};

} // namespace owltest

#endif
