#include "owl/ChunkedConcepts.h"

#include <iterator>
#include <system_error>

namespace owl {

ChunkedConcepts::ChunkedConcepts(const QueltKb::ConceptMap& givenConcepts,
    const OwlNaming& givenNaming, const std::string& givenNameSpace, const WriteOptions& options)
    : naming(givenNaming)
    , nameSpace(givenNameSpace)
    , perChunk(std::max<size_t>(options.conceptsPerChunk, 1))
    , concepts(givenConcepts.size())
    , chunkCount((concepts + perChunk - 1) / perChunk)
    , ownFormatter(givenNaming, givenNameSpace)
    , next(givenConcepts.begin())
{
    // More threads than chunks after the first would have nothing to do.
    size_t workers = std::min<size_t>(options.workers, chunkCount > 0 ? chunkCount - 1 : 0);
    slots.resize(kSlotsPerThread * (workers + 1));
    for (size_t i = 0; i < workers; ++i) {
        try {
            threads.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            break; // fewer threads: the calling thread formats what is left
        }
    }
}

void ChunkedConcepts::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    released.notify_all();
    for (std::thread& thread : threads)
        thread.join();
    threads.clear();
}

bool ChunkedConcepts::take(size_t& index, ConceptIterator& first)
{
    if (stopping || takenCount == chunkCount || takenCount >= done + slots.size())
        return false;
    index = takenCount++;
    first = next;
    std::advance(next, size(index));
    return true;
}

void ChunkedConcepts::format(ConceptFormatter& formatter, size_t index, ConceptIterator first)
{
    Chunk& chunk = slot(index);
    chunk.text.clear();
    chunk.ends.clear();
    chunk.refused = false;
    size_t count = size(index);
    for (size_t i = 0; i < count; ++i, ++first) {
        if (!formatter.append(first->second, chunk.text, chunk.refusal)) {
            chunk.refused = true;
            return;
        }
        chunk.ends.push_back(chunk.text.size());
    }
}

void ChunkedConcepts::work()
{
    try {
        ConceptFormatter formatter(naming, nameSpace);
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            size_t index;
            ConceptIterator first;
            if (!take(index, first)) {
                if (stopping || takenCount == chunkCount)
                    return;
                released.wait(lock);
                continue;
            }
            lock.unlock();
            format(formatter, index, first);
            lock.lock();
            slot(index).ready = true;
            formatted.notify_one();
        }
    } catch (...) {
        std::lock_guard<std::mutex> lock(mutex);
        if (!failure)
            failure = std::current_exception();
        stopping = true;
        formatted.notify_all();
    }
}

const Chunk& ChunkedConcepts::await(size_t index)
{
    std::unique_lock<std::mutex> lock(mutex);
    Chunk& chunk = slot(index);
    while (!chunk.ready) {
        if (failure)
            std::rethrow_exception(failure);
        size_t taken;
        ConceptIterator first;
        if (take(taken, first)) {
            lock.unlock();
            format(ownFormatter, taken, first);
            lock.lock();
            slot(taken).ready = true;
        } else {
            formatted.wait(lock);
        }
    }
    return chunk;
}

void ChunkedConcepts::release(size_t index)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        slot(index).ready = false;
        ++done;
    }
    released.notify_all();
}

} // namespace owl
