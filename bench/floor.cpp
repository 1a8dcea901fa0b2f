// floor: parses one XML file with Xerces-C SAX2 and does nothing with it.
//
//   floor FILE
//
// The reader is set up as the converter sets up its own (no validation, no
// namespace processing, the external DTD not loaded, default entity
// resolution off, a security manager installed), and the handler is the
// library's empty DefaultHandler. The run time of this program is the least
// any SAX2 reading of the file can cost, so the converter's time is judged
// against it.
//
// Prints nothing on success. Exit status: 0 the file was parsed, 1 it could
// not be (the reason on standard error), 2 wrong usage.

#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <cstdio>
#include <memory>

using namespace xercesc;

namespace {

void printMessage(const char* what, const XMLCh* message)
{
    char* text = XMLString::transcode(message);
    std::fprintf(stderr, "floor: %s: %s\n", what, text);
    XMLString::release(&text);
}

// DefaultHandler's fatalError throws the exception it is given; the other
// events do nothing.
int parse(const char* fileName)
{
    // Declared first so that it outlives the reader that refers to it.
    SecurityManager securityManager;
    std::unique_ptr<SAX2XMLReader> reader(XMLReaderFactory::createXMLReader());
    reader->setFeature(XMLUni::fgSAX2CoreValidation, false);
    reader->setFeature(XMLUni::fgSAX2CoreNameSpaces, false);
    reader->setFeature(XMLUni::fgXercesLoadExternalDTD, false);
    reader->setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
    reader->setProperty(XMLUni::fgXercesSecurityManager, &securityManager);

    DefaultHandler handler;
    reader->setContentHandler(&handler);
    reader->setErrorHandler(&handler);
    try {
        reader->parse(fileName);
    } catch (const SAXParseException& e) {
        char* text = XMLString::transcode(e.getMessage());
        std::fprintf(stderr, "floor: %s line %llu: %s\n", fileName,
            static_cast<unsigned long long>(e.getLineNumber()), text);
        XMLString::release(&text);
        return 1;
    } catch (const SAXException& e) {
        printMessage(fileName, e.getMessage());
        return 1;
    } catch (const XMLException& e) {
        printMessage(fileName, e.getMessage());
        return 1;
    } catch (...) {
        std::fprintf(stderr, "floor: %s: unexpected exception\n", fileName);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: floor FILE\n");
        return 2;
    }
    try {
        XMLPlatformUtils::Initialize();
    } catch (const XMLException& e) {
        printMessage("cannot initialise the XML library", e.getMessage());
        return 1;
    }
    int status = parse(argv[1]);
    XMLPlatformUtils::Terminate();
    return status;
}
