#ifndef QUELT_ONTYLOG_BATCHQUEUE_H
#define QUELT_ONTYLOG_BATCHQUEUE_H

#include "ontylog/OntylogSteps.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

// Hands batches of steps from the thread that parses to the thread that
// applies them, in order, holding at most a few batches at a time: the
// parsing side waits while the queue is full. Emptied batches go back to
// the parsing side, so their buffers are reused.
class BatchQueue : public ontylog::StepSink {
public:
    // How the parsing side ended.
    enum class Ending {
        Running, // not yet
        Done, // the parse returned (a fatal error included)
        XmlException, // the parser library's general exception
        SaxParseException,
        OtherException,
        Stopped, // the applying side called stop()
    };

    // Thrown by ship() once the queue is stopped, to end the parse.
    struct StoppedError { };

    explicit BatchQueue(std::size_t givenDepth)
        : depth(givenDepth)
    {
    }

    // Parsing side. ship() waits while the queue is full.
    void ship(ontylog::Batch& batch) override;
    void finish(Ending ending, std::string message = std::string());

    // Applying side. Waits for the next batch; false once the parsing side
    // finished and every batch was taken. The batch given in is recycled.
    bool next(ontylog::Batch& batch);
    // Makes the parsing side stop at its next ship(); nothing more is taken.
    void stop();

    Ending ending() const;
    const std::string& message() const { return endingMessage; }

private:
    const std::size_t depth;
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<ontylog::Batch> full;
    std::vector<ontylog::Batch> empty;
    Ending endedAs = Ending::Running;
    bool stopped = false;
    std::string endingMessage;
};

#endif
