#include "ontylog/BatchQueue.h"

#include <utility>

void BatchQueue::ship(ontylog::Batch& batch)
{
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return stopped || full.size() < depth; });
    if (stopped)
        throw StoppedError();
    full.push_back(std::move(batch));
    if (empty.empty()) {
        batch = ontylog::Batch();
    } else {
        batch = std::move(empty.back());
        empty.pop_back();
    }
    batch.clear();
    lock.unlock();
    changed.notify_all();
}

void BatchQueue::finish(Ending ending, std::string message)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        endedAs = ending;
        endingMessage = std::move(message);
    }
    changed.notify_all();
}

bool BatchQueue::next(ontylog::Batch& batch)
{
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return !full.empty() || endedAs != Ending::Running; });
    // The given batch was applied: its buffers go back to the parsing side.
    batch.clear();
    empty.push_back(std::move(batch));
    if (full.empty())
        return false;
    batch = std::move(full.front());
    full.pop_front();
    lock.unlock();
    changed.notify_all();
    return true;
}

void BatchQueue::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopped = true;
        full.clear();
    }
    changed.notify_all();
}

BatchQueue::Ending BatchQueue::ending() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return endedAs;
}
