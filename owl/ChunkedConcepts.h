#ifndef QUELT_OWL_CHUNKEDCONCEPTS_H
#define QUELT_OWL_CHUNKEDCONCEPTS_H

#include "model/Message.h"
#include "model/QueltKb.h"
#include "owl/ConceptFormatter.h"
#include "owl/OwlWriter.h"
#include "xmlout/OwlNaming.h"

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace owl {

using ConceptIterator = QueltKb::ConceptMap::const_iterator;

// Consecutive concepts formatted by one thread: their text, where the text
// of each one ends, and whether the concept after the last of them was
// refused (formatting stops there), and why.
struct Chunk {
    std::string text;
    std::vector<size_t> ends;
    bool refused = false;
    Message refusal {};
    bool ready = false; // formatted, not yet written
};

// The concept section formatted by several threads. The concepts are cut
// into chunks of consecutive concepts; any thread formats the next chunk
// not yet taken into a slot of its own, and the calling thread, which
// formats chunks too while it waits, hands the finished chunks out
// strictly in order. A chunk is only taken when its slot is free, so at
// most a few chunks per thread exist at a time, whatever the size of the
// knowledge base.
//
// The formatting threads read the knowledge base and its naming, which do
// not change while they run, and write nothing but their chunks. A chunk
// passes between threads under the mutex: taken, formatted outside it,
// marked ready under it, written out and released by the calling thread.
class ChunkedConcepts {
public:
    ChunkedConcepts(const QueltKb::ConceptMap& concepts, const OwlNaming& naming,
        const std::string& nameSpace, const WriteOptions& options);
    ~ChunkedConcepts() { stop(); }
    ChunkedConcepts(const ChunkedConcepts&) = delete;
    ChunkedConcepts& operator=(const ChunkedConcepts&) = delete;

    size_t chunks() const { return chunkCount; }
    // Number of concepts of the chunk.
    size_t size(size_t index) const { return std::min(perChunk, concepts - index * perChunk); }

    // Chunk number index, once formatted. Chunks are awaited in order, each
    // once, and released before the next one is awaited. Rethrows an
    // exception that ended a formatting thread.
    const Chunk& await(size_t index);
    void release(size_t index);

private:
    static constexpr size_t kSlotsPerThread = 2;

    Chunk& slot(size_t index) { return slots[index % slots.size()]; }
    // Takes the next chunk when there is one and its slot is free; with
    // the mutex held.
    bool take(size_t& index, ConceptIterator& first);
    void format(ConceptFormatter& formatter, size_t index, ConceptIterator first);
    void work();
    void stop();

    const OwlNaming& naming;
    const std::string& nameSpace;
    const size_t perChunk;
    const size_t concepts;
    const size_t chunkCount;
    ConceptFormatter ownFormatter; // the calling thread's

    std::mutex mutex;
    std::condition_variable formatted; // a chunk became ready, or a thread failed
    std::condition_variable released; // a slot became free, or the work stops
    std::vector<Chunk> slots;
    ConceptIterator next; // first concept of the next chunk to take
    size_t takenCount = 0; // chunks taken so far
    size_t done = 0; // chunks released so far
    bool stopping = false;
    std::exception_ptr failure;
    std::vector<std::thread> threads;
};

} // namespace owl

#endif
