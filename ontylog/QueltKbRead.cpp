#include "model/QueltKb.h"

#include "frontend/ProcessExit.h"
#include "frontend/Progress.h"
#include "ontylog/BatchQueue.h"
#include "ontylog/OntylogBuilder.h"
#include "ontylog/OntylogHandler.h"

#include <xercesc/framework/LocalFileInputSource.hpp>
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

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>
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
    CountingStream(xercesc::BinInputStream* inner, std::atomic<std::uint64_t>& count)
        : inner_(inner)
        , count_(count)
    {
    }
    XMLFilePos curPos() const override { return inner_->curPos(); }
    XMLSize_t readBytes(XMLByte* const toFill, const XMLSize_t maxToRead) override
    {
        XMLSize_t n = inner_->readBytes(toFill, maxToRead);
        total_ += n;
        count_.store(total_, std::memory_order_relaxed);
        return n;
    }
    const XMLCh* getContentType() const override { return inner_->getContentType(); }
    const XMLCh* getEncoding() const override { return inner_->getEncoding(); }

private:
    std::unique_ptr<xercesc::BinInputStream> inner_;
    std::atomic<std::uint64_t>& count_;
    std::uint64_t total_ = 0;
};

// A local file as the library opens one when it is given a file name,
// with the bytes read counted for the progress line.
class CountingFileInput : public xercesc::LocalFileInputSource {
public:
    CountingFileInput(const XMLCh* path, std::atomic<std::uint64_t>& count)
        : xercesc::LocalFileInputSource(path)
        , count_(count)
    {
    }
    xercesc::BinInputStream* makeStream() const override
    {
        xercesc::BinInputStream* inner = xercesc::LocalFileInputSource::makeStream();
        return inner == nullptr ? nullptr : new CountingStream(inner, count_);
    }

private:
    std::atomic<std::uint64_t>& count_;
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

// The input the library would make of the file name itself when it names a
// local file, but counting its bytes; null when the library would read the
// name as a URL (or cannot make sense of it), which is then left to it.
std::unique_ptr<xercesc::InputSource> countingInput(
    const std::string& fileName, std::atomic<std::uint64_t>& count)
{
    XMLCh* path = XMLString::transcode(fileName.c_str());
    std::unique_ptr<xercesc::InputSource> input;
    try {
        xercesc::XMLURL url;
        if (!xercesc::XMLURL::parse(path, url) || url.isRelative())
            input = std::make_unique<CountingFileInput>(path, count);
    } catch (const XMLException&) {
        input.reset();
    }
    XMLString::release(&path);
    return input;
}

// The parse running on its own thread, so that a process exit from the
// applying thread (quitProcess anywhere in the model) first stops and joins
// it: the exit handler below finds it here.
struct ActiveParse {
    std::mutex mutex;
    BatchQueue* queue = nullptr;
    std::thread* thread = nullptr;
};

ActiveParse& activeParse()
{
    static ActiveParse* active = new ActiveParse; // outlives every exit handler
    return *active;
}

void stopActiveParse()
{
    ActiveParse& active = activeParse();
    std::lock_guard<std::mutex> lock(active.mutex);
    if (active.thread == nullptr || active.thread->get_id() == std::this_thread::get_id())
        return;
    active.queue->stop();
    if (active.thread->joinable())
        active.thread->join();
    active.thread = nullptr;
    active.queue = nullptr;
}

// Registers the parse as active for the life of the object.
class ActiveParseGuard {
public:
    ActiveParseGuard(BatchQueue& queue, std::thread& thread)
    {
        static const bool registered = std::atexit(stopActiveParse) == 0;
        (void)registered;
        ActiveParse& active = activeParse();
        std::lock_guard<std::mutex> lock(active.mutex);
        active.queue = &queue;
        active.thread = &thread;
    }
    ~ActiveParseGuard()
    {
        ActiveParse& active = activeParse();
        std::lock_guard<std::mutex> lock(active.mutex);
        active.queue = nullptr;
        active.thread = nullptr;
    }
    ActiveParseGuard(const ActiveParseGuard&) = delete;
    ActiveParseGuard& operator=(const ActiveParseGuard&) = delete;
};

// Stops the parsing thread and waits for it.
void stopParse(BatchQueue& queue, std::thread& thread)
{
    queue.stop();
    if (thread.joinable())
        thread.join();
}

} // namespace

// Reads one Ontylog XML file into this knowledge base. Nothing outside the
// named file is read: the DTD that the DOCTYPE names is skipped, external
// entities are refused, and a security manager limits entity expansion; a
// refusal is a fatal error like any broken input.
//
// The parser and the content handler run on a thread of their own and
// turn the document into steps (OntylogHandler); this thread builds the
// records from them (OntylogBuilder) in document order, as batches arrive.
// All model code and all console output of the read stay on this thread.
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

        // Room in the name maps for the concepts a file of this size holds
        // at most, give or take.
        struct stat info;
        if (stat(fileName.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            reserveConcepts(static_cast<std::size_t>(info.st_size) / kBytesPerConcept);

        BatchQueue queue(kQueueDepth);
        auto handler = std::make_unique<OntylogHandler>(queue);
        reader->setContentHandler(handler.get());
        reader->setErrorHandler(handler.get());

        std::atomic<std::uint64_t> bytesRead { 0 };
        std::unique_ptr<xercesc::InputSource> input;
        if (isDirectory(fileName))
            input = std::make_unique<UnopenableInput>(fileName.c_str());
        else if (ProgressLine::enabled())
            input = countingInput(fileName, bytesRead);

        // The steps completed before the parse ended are sent first, so they
        // are applied before its ending is reported.
        auto parse = [&]() {
            auto sendRest = [&]() {
                try {
                    handler->flush();
                } catch (const BatchQueue::StoppedError&) {
                }
            };
            try {
                if (input)
                    reader->parse(*input);
                else
                    reader->parse(fileName.c_str());
                handler->flush();
                queue.finish(BatchQueue::Ending::Done);
            } catch (const BatchQueue::StoppedError&) {
                queue.finish(BatchQueue::Ending::Stopped);
            } catch (const XMLException& e) {
                sendRest();
                queue.finish(
                    BatchQueue::Ending::XmlException, OntylogHandler::messageText(e.getMessage()));
            } catch (const SAXParseException& e) {
                sendRest();
                queue.finish(BatchQueue::Ending::SaxParseException,
                    OntylogHandler::messageText(e.getMessage()));
            } catch (...) {
                sendRest();
                queue.finish(BatchQueue::Ending::OtherException);
            }
        };

        std::thread parser(parse);
        {
            ActiveParseGuard active(queue, parser);
            OntylogBuilder builder(*this);
            ProgressLine progress("Reading", "MB", fileSize(fileName));
            ontylog::Batch batch;
            try {
                while (queue.next(batch)) {
                    builder.apply(batch);
                    progress.update(bytesRead.load(std::memory_order_relaxed));
                }
            } catch (...) {
                // Thrown while records were built: the parse ends with it.
                progress.finish();
                stopParse(queue, parser);
                std::cout << "Unexpected Exception \n";
                quitProcess(-1);
            }
            progress.finish();
            stopParse(queue, parser);
            complete = !builder.sawFatalError();
        }

        switch (queue.ending()) {
        case BatchQueue::Ending::XmlException:
        case BatchQueue::Ending::SaxParseException:
            std::cout << "Exception message is: \n" << queue.message() << "\n";
            quitProcess(-1);
        case BatchQueue::Ending::OtherException:
            std::cout << "Unexpected Exception \n";
            quitProcess(-1);
        default:
            break;
        }

        reader.reset();
        handler.reset();
    }
    XMLPlatformUtils::Terminate();
    return complete;
}
