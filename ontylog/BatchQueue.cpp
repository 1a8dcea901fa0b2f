#include "ontylog/BatchQueue.h"

#include <utility>

void BatchQueue::ship(ontylog::Batch& batch)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return stopped_ || full_.size() < depth_; });
    if (stopped_)
        throw StoppedError();
    full_.push_back(std::move(batch));
    if (empty_.empty()) {
        batch = ontylog::Batch();
    } else {
        batch = std::move(empty_.back());
        empty_.pop_back();
    }
    batch.clear();
    lock.unlock();
    changed_.notify_all();
}

void BatchQueue::finish(Ending ending, std::string message)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ending_ = ending;
        message_ = std::move(message);
    }
    changed_.notify_all();
}

bool BatchQueue::next(ontylog::Batch& batch)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !full_.empty() || ending_ != Ending::Running; });
    // The given batch was applied: its buffers go back to the parsing side.
    batch.clear();
    empty_.push_back(std::move(batch));
    if (full_.empty())
        return false;
    batch = std::move(full_.front());
    full_.pop_front();
    lock.unlock();
    changed_.notify_all();
    return true;
}

void BatchQueue::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
        full_.clear();
    }
    changed_.notify_all();
}

BatchQueue::Ending BatchQueue::ending() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return ending_;
}
