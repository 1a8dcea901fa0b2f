// Arbitrary bytes as an Ontylog XML file: read into a knowledge base, its
// indexes built, then written as OWL and as Ontylog XML, whatever the read
// gave. Beyond what the sanitizers see, an output that a writer reports as
// written must read back as well-formed XML, and writing back what was
// read from the Ontylog XML output must give the same bytes again.

#include "FuzzSupport.h"

#include "frontend/Converter.h"
#include "model/QueltKb.h"

#include <xercesc/util/PlatformUtils.hpp>

#include <cstddef>
#include <cstdint>

using namespace fuzzsupport;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceConsole();
    // Held for the whole run, so the reader's own initialise and terminate
    // calls do not set the parser library up afresh on every input.
    xercesc::XMLPlatformUtils::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string dir = scratchDirectory();
    static std::string input = dir + "/in.xml", owl = dir + "/out.owl";
    static std::string xml = dir + "/out.xml", again = dir + "/again.xml";
    static std::string nameSpace = kDefaultNamespace;
    static std::vector<std::string> header = buildHeaderLines(nameSpace, kDefaultVersion);
    writeFile(input, data, size);

    QueltKb kb;
    kb.readQueltXMLFile(input);
    kb.alphastemtermInKB("x"); // builds the term and stem indexes, stemming every term
    if (kb.writeMedvex2OWLFile(owl, header, nameSpace) && !QueltKb().readQueltXMLFile(owl))
        fail("the OWL output is not well-formed XML");
    if (kb.writeQueltXMLFile(xml, size % 2 == 1)) {
        QueltKb reread;
        if (!reread.readQueltXMLFile(xml))
            fail("the Ontylog XML output is not well-formed XML");
        if (!reread.writeQueltXMLFile(again, false) || readFile(again) != readFile(xml))
            fail("the Ontylog XML output does not read back to the same document");
    }
    return 0;
}
