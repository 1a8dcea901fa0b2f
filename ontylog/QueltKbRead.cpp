#include "model/QueltKb.h"

#include "frontend/ProcessExit.h"
#include "ontylog/OntylogHandler.h"

#include <xercesc/sax/InputSource.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <iostream>
#include <memory>

#include <sys/stat.h>

using xercesc::SAX2XMLReader;
using xercesc::SAXParseException;
using xercesc::SecurityManager;
using xercesc::XMLException;
using xercesc::XMLPlatformUtils;
using xercesc::XMLReaderFactory;
using xercesc::XMLUni;

namespace {

// An input that cannot be opened. The parser library opens a directory like
// a file, fails on its first read and leaks part of the reader it was
// building; a directory is handed over as this instead, which the library
// reports as a fatal error exactly like a file that does not exist.
class UnopenableInput : public xercesc::InputSource {
public:
    explicit UnopenableInput(const char* systemId) : xercesc::InputSource(systemId) {}
    xercesc::BinInputStream* makeStream() const override { return nullptr; }
};

bool isDirectory(const std::string& fileName)
{
    struct stat info;
    return stat(fileName.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

// Reads one Ontylog XML file into this knowledge base (Part 3.1). Nothing
// outside the named file is read: the DTD that the DOCTYPE names is skipped,
// external entities are refused, and a security manager limits entity
// expansion; a refusal is a fatal error like any broken input.
bool QueltKb::readQueltXMLFile(const std::string& fileName)
{
    try {
        XMLPlatformUtils::Initialize();
    } catch (const XMLException& e) {
        std::cout << "Initialization Error: " << OntylogHandler::messageText(e.getMessage())
                  << std::endl;
        quitProcess(-1);
    }

    bool complete = false;
    {
        // Declared before the reader, which refers to it, so it outlives it.
        SecurityManager securityManager;
        std::unique_ptr<SAX2XMLReader> reader(XMLReaderFactory::createXMLReader());
        reader->setFeature(XMLUni::fgSAX2CoreValidation, false);
        reader->setFeature(XMLUni::fgSAX2CoreNameSpaces, false);
        reader->setFeature(XMLUni::fgXercesLoadExternalDTD, false);
        reader->setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
        reader->setProperty(XMLUni::fgXercesSecurityManager, &securityManager);

        auto handler = std::make_unique<OntylogHandler>(*this);
        reader->setContentHandler(handler.get());
        reader->setErrorHandler(handler.get());

        try {
            if (isDirectory(fileName))
                reader->parse(UnopenableInput(fileName.c_str()));
            else
                reader->parse(fileName.c_str());
        } catch (const XMLException& e) {
            std::cout << "Exception message is: \n"
                      << OntylogHandler::messageText(e.getMessage()) << "\n";
            quitProcess(-1);
        } catch (const SAXParseException& e) {
            std::cout << "Exception message is: \n"
                      << OntylogHandler::messageText(e.getMessage()) << "\n";
            quitProcess(-1);
        } catch (...) {
            std::cout << "Unexpected Exception \n";
            quitProcess(-1);
        }

        // A fatal error stopped the parse: what came before it is kept.
        complete = !handler->hadFatalError();
        reader.reset();
        handler.reset();
    }
    XMLPlatformUtils::Terminate();
    return complete;
}
