// Arbitrary bytes as an Ontylog XML document: read into a knowledge base
// from memory, checked, its indexes built, then written as OWL and as
// Ontylog XML, whatever the read gave. Beyond what the sanitizers see, an
// output that a writer reports as written must read back as well-formed
// XML, and writing back what was read from the Ontylog XML output must give
// the same bytes again. Of a document read completely, the check and the
// OWL writer must agree: a unit the writer refuses is a finding with the
// writer's reason, and with no error found the OWL output is written and
// refers to "#" nowhere. A document read completely is also compared with
// a copy of itself, read afresh, whose character data has one letter
// changed or two elements' texts swapped, or nothing changed: every concept
// the comparison reports must differ in a naive account of the two
// versions (ChangeOracle.h), every concept that differs there must be
// reported, and a copy of the same bytes gives no record at all. A run that
// ends early (the parser library's exception) ends with its error, as the
// programs would.

#include "ChangeOracle.h"
#include "FuzzSupport.h"

#include "frontend/Converter.h"
#include "maintenance/Changes.h"
#include "maintenance/Check.h"
#include "model/QueltError.h"
#include "model/QueltKb.h"
#include "model/SourceLines.h"
#include "ontylog/OntylogReader.h"

#include <xercesc/util/PlatformUtils.hpp>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using namespace fuzzsupport;

namespace {

// A console that drops every line and keeps the last refusal reported.
class RefusalConsole : public Console {
public:
    void line(Stream, std::string_view) override { }
    void report(const Message& message) override
    {
        if (message.kind == Message::Kind::Refusal)
            refusal = message;
    }
    std::optional<Message> refusal;
};

// The check's findings against what the OWL writer did.
void agree(const std::vector<maintenance::Finding>& findings, bool written,
    const std::optional<Message>& refusal, const std::string& owl)
{
    bool errors = false;
    for (const maintenance::Finding& finding : findings)
        errors = errors || finding.kind->severity == maintenance::Severity::Error;
    if (!written && refusal) {
        for (const maintenance::Finding& finding : findings) {
            if (finding.kind->refused && finding.subject == refusal->subject
                && finding.name == refusal->name
                && finding.explanation.compare(0, refusal->reason.size(), refusal->reason) == 0)
                return;
        }
        fail("the OWL writer refused what the check did not report");
    }
    if (written && !errors) {
        std::string text = readFile(owl);
        if (text.find("rdf:about=\"#\"") != std::string::npos
            || text.find("rdf:resource=\"#\"") != std::string::npos)
            fail("the check found no error, yet the OWL output refers to \"#\"");
    }
}

// The document, read completely into kb, against its mutated copy; the
// older version is the one or the other as the size's second bit says.
void compareWithCopy(const QueltKb& kb, const uint8_t* data, size_t size)
{
    static DiscardConsole console;
    std::string copy = changeoracle::mutated(data, size);
    QueltKb other(console);
    try {
        if (!ontylog::readMemory(other, copy.data(), copy.size(), "copy.xml"))
            return;
    } catch (const QueltError&) {
        return;
    }
    const QueltKb& older = size & 2 ? other : kb;
    const QueltKb& newer = size & 2 ? kb : other;
    maintenance::ChangeReport report = maintenance::compareVersions(older, newer);
    changeoracle::check(older, newer, report);
    if (copy.size() == size && copy.compare(0, size, reinterpret_cast<const char*>(data), size) == 0
        && !(report.concepts.empty() && report.definitions.empty() && report.notCompared.empty()))
        fail("a document compared with itself shows changes");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Held for the whole run, so the reader's own initialise and terminate
    // calls do not set the parser library up afresh on every input.
    xercesc::XMLPlatformUtils::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string dir = scratchDirectory();
    static std::string owl = dir + "/out.owl", xml = dir + "/out.xml";
    static std::string nameSpace = kDefaultNamespace;
    static std::vector<std::string> header = buildHeaderLines(nameSpace, kDefaultVersion);
    static DiscardConsole console;
    static RefusalConsole writerConsole;

    try {
        QueltKb kb(writerConsole);
        SourceLines lines;
        bool complete = ontylog::readMemory(kb, data, size, "in.xml", &lines);
        std::vector<maintenance::Finding> findings;
        if (complete) {
            findings = maintenance::checkTerminology(kb, lines, {});
            compareWithCopy(kb, data, size);
        }
        kb.alphastemtermInKB("x"); // builds the term and stem indexes, stemming every term
        writerConsole.refusal.reset();
        bool owlWritten = kb.writeMedvex2OWLFile(owl, header, nameSpace);
        if (complete)
            agree(findings, owlWritten, writerConsole.refusal, owl);
        if (owlWritten && !QueltKb(console).readQueltXMLFile(owl))
            fail("the OWL output is not well-formed XML");
        if (kb.writeQueltXMLFile(xml, size % 2 == 1)) {
            QueltKb reread(console);
            if (!reread.readQueltXMLFile(xml))
                fail("the Ontylog XML output is not well-formed XML");
            std::string written = readFile(xml);
            if (!reread.writeQueltXMLFile(xml, false) || readFile(xml) != written)
                fail("the Ontylog XML output does not read back to the same document");
        }
    } catch (const QueltError&) {
    }
    return 0;
}
