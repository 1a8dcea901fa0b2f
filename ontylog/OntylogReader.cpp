#include "ontylog/OntylogReader.h"

#include "model/QueltError.h"
#include "model/QueltKb.h"
#include "ontylog/BatchQueue.h"
#include "ontylog/OntylogBuilder.h"
#include "ontylog/OntylogGrammar.h"
#include "ontylog/OntylogHandler.h"
#include "ontylog/OntylogProlog.h"
#include "xmlout/Progress.h"

#include <xercesc/framework/LocalFileInputSource.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax/InputSource.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/BinInputStream.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLURL.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <fstream>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

#include <sys/stat.h>

using xercesc::SAX2XMLReader;
using xercesc::SAXParseException;
using xercesc::SecurityManager;
using xercesc::XMLException;
using xercesc::XMLPlatformUtils;
using xercesc::XMLReaderFactory;
using xercesc::XMLString;
using xercesc::XMLUni;

namespace ontylog {

namespace {

// Batches on their way from the parsing thread to the applying one.
const std::size_t kQueueDepth = 4;

// Fewer bytes than a concept takes in any real terminology file (its name,
// code, id, namespace, kind, parents and properties with their tags).
const std::size_t kBytesPerConcept = 1024;

// An input that cannot be opened. The parser library opens a directory like
// a file, fails on its first read and leaks part of the reader it was
// building; a directory is handed over as this instead, which the library
// reports as a fatal error exactly like a file that does not exist.
class UnopenableInput : public xercesc::InputSource {
public:
    explicit UnopenableInput(const char* systemId)
        : xercesc::InputSource(systemId)
    {
    }
    xercesc::BinInputStream* makeStream() const override { return nullptr; }
};

// The library's own file stream, counting the bytes it delivers.
class CountingStream : public xercesc::BinInputStream {
public:
    CountingStream(xercesc::BinInputStream* givenInner, std::atomic<std::uint64_t>& givenCount)
        : inner(givenInner)
        , count(givenCount)
    {
    }
    XMLFilePos curPos() const override { return inner->curPos(); }
    XMLSize_t readBytes(XMLByte* const toFill, const XMLSize_t maxToRead) override
    {
        XMLSize_t n = inner->readBytes(toFill, maxToRead);
        total += n;
        count.store(total, std::memory_order_relaxed);
        return n;
    }
    const XMLCh* getContentType() const override { return inner->getContentType(); }
    const XMLCh* getEncoding() const override { return inner->getEncoding(); }

private:
    std::unique_ptr<xercesc::BinInputStream> inner;
    std::atomic<std::uint64_t>& count;
    std::uint64_t total = 0;
};

// A local file as the library opens one when it is given a file name,
// with the bytes read counted for the progress line.
class CountingFileInput : public xercesc::LocalFileInputSource {
public:
    CountingFileInput(const XMLCh* path, std::atomic<std::uint64_t>& givenCount)
        : xercesc::LocalFileInputSource(path)
        , count(givenCount)
    {
    }
    xercesc::BinInputStream* makeStream() const override
    {
        xercesc::BinInputStream* inner = xercesc::LocalFileInputSource::makeStream();
        return inner == nullptr ? nullptr : new CountingStream(inner, count);
    }

private:
    std::atomic<std::uint64_t>& count;
};

bool isDirectory(const std::string& fileName)
{
    struct stat info;
    return stat(fileName.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::uint64_t fileSize(const std::string& fileName)
{
    struct stat info;
    return stat(fileName.c_str(), &info) == 0 && S_ISREG(info.st_mode)
        ? static_cast<std::uint64_t>(info.st_size)
        : 0;
}

// Whether the parser library reads the file name as the name of a local
// file, as it does unless the name is an absolute URL; false too when the
// name makes no sense to it.
bool namesLocalFile(const std::string& fileName)
{
    XMLCh* path = XMLString::transcode(fileName.c_str());
    bool local = false;
    try {
        xercesc::XMLURL url;
        local = !xercesc::XMLURL::parse(path, url) || url.isRelative();
    } catch (const XMLException&) {
        local = false;
    }
    XMLString::release(&path);
    return local;
}

// The input the library would make of the name of a local file, but
// counting its bytes; null when it cannot be made, which is then left to
// the library.
std::unique_ptr<xercesc::InputSource> countingInput(
    const std::string& fileName, std::atomic<std::uint64_t>& count)
{
    XMLCh* path = XMLString::transcode(fileName.c_str());
    std::unique_ptr<xercesc::InputSource> input;
    try {
        input = std::make_unique<CountingFileInput>(path, count);
    } catch (const XMLException&) {
        input.reset();
    }
    XMLString::release(&path);
    return input;
}

// The thread that parses, for the life of the object: stopped and joined
// when it ends, however the read ends.
class ParseThread {
public:
    template <class Work>
    ParseThread(BatchQueue& givenQueue, Work work)
        : queue(givenQueue)
        , thread(std::move(work))
    {
    }
    ~ParseThread() { stop(); }
    ParseThread(const ParseThread&) = delete;
    ParseThread& operator=(const ParseThread&) = delete;

    void stop()
    {
        queue.stop();
        if (thread.joinable())
            thread.join();
    }

private:
    BatchQueue& queue;
    std::thread thread;
};

// The model keeps process-wide state (the name registries and their
// counters, error words, the concept numbering, the shared locales and
// texts), and the
// parser library counts its initialisations without a guard: two reads run
// at once only parse at once; whatever touches the model or the library's
// count takes its lock.
std::mutex modelLock;
std::mutex libraryLock;

// The parser library, initialised for the life of the object.
class ParserLibrary {
public:
    ParserLibrary()
    {
        std::lock_guard<std::mutex> hold(libraryLock);
        try {
            XMLPlatformUtils::Initialize();
        } catch (const XMLException& e) {
            throw QueltError(QueltError::kParserException,
                { { Console::Out,
                    "Initialization Error: " + OntylogHandler::messageText(e.getMessage()) } });
        }
    }
    ~ParserLibrary()
    {
        std::lock_guard<std::mutex> hold(libraryLock);
        XMLPlatformUtils::Terminate();
    }
    ParserLibrary(const ParserLibrary&) = delete;
    ParserLibrary& operator=(const ParserLibrary&) = delete;
};

QueltError unexpectedException()
{
    return QueltError(QueltError::kParserException, { { Console::Out, "Unexpected Exception " } });
}

// What is read: a file by its name, or a document in memory.
struct Document {
    const std::string& name;
    const void* bytes = nullptr; // in memory when not null
    std::size_t size = 0;
    SourceLines* lines = nullptr; // where to note lines, if anywhere
};

// The prolog of the document, read from its first bytes. A file is looked
// at only when it is a regular one that the library reads as a local file:
// the bytes of a pipe would be gone before the parser reads them.
Prolog prologOf(const Document& document)
{
    if (document.bytes != nullptr)
        return readProlog(std::string_view(
            static_cast<const char*>(document.bytes), std::min(document.size, kPrologBytes)));
    std::string head;
    std::ifstream file;
    if (fileSize(document.name) > 0 && namesLocalFile(document.name))
        file.open(document.name, std::ios::binary);
    if (!file)
        return Prolog();
    head.resize(kPrologBytes);
    file.read(&head[0], static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    return readProlog(head);
}

// A SAX2 reader that reads nothing outside the document: no validation, no
// namespace processing, the external DTD not loaded, no entity resolved by
// the library's default means.
//
// A document whose prolog is plain goes to the well-formedness scanner,
// which reads it as the default scanner does at less cost, with two
// differences made good. That scanner counts the references to the five
// predefined entities against the security manager's limit on entity
// expansions, which the default one does not; with no internal subset no
// other entity can be declared, so it runs without a security manager. And
// it takes a reference to an undeclared entity for a fatal error in every
// document, where the default scanner drops it without a word in a document
// that names an external DTD and is not standalone; so the handler is
// told to pass over that error, ending the parse itself at the others.
// Other documents go to the default scanner, with a security manager
// against entity bombs.
std::unique_ptr<SAX2XMLReader> makeReader(
    const Prolog& prolog, OntylogHandler& handler, SecurityManager& securityManager)
{
    std::unique_ptr<SAX2XMLReader> reader(XMLReaderFactory::createXMLReader());
    const bool wellFormednessScanner = prolog.plain
        && handler.endParseAtFatalError(prolog.namesExternalDtd && !prolog.standalone);
    if (wellFormednessScanner) {
        reader->setProperty(
            XMLUni::fgXercesScannerName, const_cast<XMLCh*>(XMLUni::fgWFXMLScanner));
        reader->setFeature(XMLUni::fgXercesContinueAfterFatalError, true);
    } else {
        reader->setProperty(XMLUni::fgXercesSecurityManager, &securityManager);
    }
    reader->setFeature(XMLUni::fgSAX2CoreValidation, false);
    reader->setFeature(XMLUni::fgSAX2CoreNameSpaces, false);
    reader->setFeature(XMLUni::fgXercesLoadExternalDTD, false);
    reader->setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
    reader->setContentHandler(&handler);
    reader->setErrorHandler(&handler);
    return reader;
}

// The input the parser reads, or null when it is to open the file by its
// name itself.
std::unique_ptr<xercesc::InputSource> makeInput(
    const Document& document, bool countBytes, std::atomic<std::uint64_t>& bytesRead)
{
    const std::string& fileName = document.name;
    if (document.bytes != nullptr)
        return std::make_unique<xercesc::MemBufInputSource>(
            static_cast<const XMLByte*>(document.bytes), document.size, fileName.c_str());
    if (isDirectory(fileName))
        return std::make_unique<UnopenableInput>(fileName.c_str());
    if (countBytes && namesLocalFile(fileName))
        return countingInput(fileName, bytesRead);
    return nullptr;
}

// What runs on the parsing thread: the whole parse, then the ending handed
// to the queue. The steps completed before the parse ended are sent first,
// so they are applied before its ending is reported.
void parse(SAX2XMLReader& reader, xercesc::InputSource* input, const std::string& fileName,
    OntylogGrammar& grammar, BatchQueue& queue)
{
    auto sendRest = [&]() {
        try {
            grammar.flush();
        } catch (const BatchQueue::StoppedError&) {
        }
    };
    try {
        try {
            if (input != nullptr)
                reader.parse(*input);
            else
                reader.parse(fileName.c_str());
        } catch (const OntylogHandler::ParseEnded&) {
            // at a fatal error, which is among the steps
        }
        grammar.flush();
        queue.finish(BatchQueue::Ending::Done);
    } catch (const BatchQueue::StoppedError&) {
        queue.finish(BatchQueue::Ending::Stopped);
    } catch (const XMLException& e) {
        sendRest();
        queue.finish(BatchQueue::Ending::XmlException, OntylogHandler::messageText(e.getMessage()));
    } catch (const SAXParseException& e) {
        sendRest();
        queue.finish(
            BatchQueue::Ending::SaxParseException, OntylogHandler::messageText(e.getMessage()));
    } catch (...) {
        sendRest();
        queue.finish(BatchQueue::Ending::OtherException);
    }
}

// What runs on the calling thread: the batches applied as they arrive,
// with the progress line.
void build(QueltKb& kb, BatchQueue& queue, OntylogBuilder& builder, std::uint64_t size,
    const std::atomic<std::uint64_t>& bytesRead)
{
    ProgressLine progress(kb.getConsole(), "Reading", "MB", size);
    Batch batch;
    try {
        while (queue.next(batch)) {
            {
                std::lock_guard<std::mutex> hold(modelLock);
                builder.apply(batch);
            }
            progress.update(bytesRead.load(std::memory_order_relaxed));
        }
    } catch (const QueltError&) {
        throw; // the parse is stopped on the way out
    } catch (...) {
        // Thrown while records were built: the parse ends with it.
        throw unexpectedException();
    }
}

// An exception that ended the parse, raised on this thread.
void raiseParserException(const BatchQueue& queue)
{
    switch (queue.ending()) {
    case BatchQueue::Ending::XmlException:
    case BatchQueue::Ending::SaxParseException:
        throw QueltError(QueltError::kParserException,
            { { Console::Out, "Exception message is: " }, { Console::Out, queue.message() } });
    case BatchQueue::Ending::OtherException:
        throw unexpectedException();
    default:
        break;
    }
}

// The parser and the grammar run on a thread of their own and turn the
// document into steps; this thread builds the records from them
// (OntylogBuilder) in document order, as batches arrive. All model code and
// all console output of the read stay on this thread.
bool readDocument(QueltKb& kb, const Document& document)
{
    ParserLibrary library;
    const bool inMemory = document.bytes != nullptr;
    const std::uint64_t size = inMemory ? document.size : fileSize(document.name);
    // Room in the name maps for the concepts a document of this size holds
    // at most, give or take.
    {
        std::lock_guard<std::mutex> hold(modelLock);
        kb.reserveConcepts(static_cast<std::size_t>(size / kBytesPerConcept));
    }

    BatchQueue queue(kQueueDepth);
    OntylogGrammar grammar(queue);
    OntylogHandler handler(grammar);
    if (document.lines != nullptr)
        grammar.setLineSource(&handler);
    // Declared before the reader, which refers to it, so it outlives it.
    SecurityManager securityManager;
    std::unique_ptr<SAX2XMLReader> reader
        = makeReader(prologOf(document), handler, securityManager);
    std::atomic<std::uint64_t> bytesRead { 0 };
    std::unique_ptr<xercesc::InputSource> input
        = makeInput(document, kb.getConsole().showsProgress(), bytesRead);

    ParseThread parser(
        queue, [&]() { parse(*reader, input.get(), document.name, grammar, queue); });
    // Let go of under the model lock: the records it still holds when a read
    // ends inside a concept hold shared texts.
    struct LockedBuilder {
        OntylogBuilder builder;
        ~LockedBuilder()
        {
            std::lock_guard<std::mutex> hold(modelLock);
            builder.clear();
        }
    } held { OntylogBuilder(kb, document.lines) };
    OntylogBuilder& builder = held.builder;
    build(kb, queue, builder, inMemory ? 0 : size, bytesRead);
    parser.stop();
    raiseParserException(queue);
    return !builder.sawFatalError();
}

} // namespace

bool readFile(QueltKb& kb, const std::string& fileName, SourceLines* lines)
{
    return readDocument(kb, Document { fileName, nullptr, 0, lines });
}

bool readMemory(
    QueltKb& kb, const void* bytes, std::size_t size, const std::string& name, SourceLines* lines)
{
    // A document of no bytes is handed over as one byte that is never read,
    // so that it is not taken for a file name.
    static const char none = 0;
    return readDocument(kb, Document { name, size == 0 ? &none : bytes, size, lines });
}

} // namespace ontylog
