// Arbitrary bytes as an Ontylog XML document: read into a knowledge base
// from memory, its indexes built, then written as OWL and as Ontylog XML,
// whatever the read gave. Beyond what the sanitizers see, an output that a
// writer reports as written must read back as well-formed XML, and writing
// back what was read from the Ontylog XML output must give the same bytes
// again. A run that ends early (the parser library's exception) ends with
// its error, as the programs would.

#include "FuzzSupport.h"

#include "frontend/Converter.h"
#include "model/QueltError.h"
#include "model/QueltKb.h"
#include "ontylog/OntylogReader.h"

#include <xercesc/util/PlatformUtils.hpp>

#include <cstddef>
#include <cstdint>

using namespace fuzzsupport;

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

    try {
        QueltKb kb(console);
        ontylog::readMemory(kb, data, size, "in.xml");
        kb.alphastemtermInKB("x"); // builds the term and stem indexes, stemming every term
        if (kb.writeMedvex2OWLFile(owl, header, nameSpace)
            && !QueltKb(console).readQueltXMLFile(owl))
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
