#include "frontend/HeapReserve.h"

#include <cstdlib>

#if defined(__GLIBC__) && defined(__linux__) && !defined(QUELT_SANITIZED)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#define QUELT_HEAP_RESERVE 1
#endif

void reserveHeap(std::uintmax_t bytes)
{
#ifdef QUELT_HEAP_RESERVE
    const std::uintmax_t kHugePage = 2u << 20;
    // The allocator keeps at most this much free space at the top of its
    // heap (the limit is an int), and a reservation beyond half of the
    // machine's memory would only invite the system to refuse it.
    const std::uintmax_t kTrimLimit = 1u << 30;
    long pages = sysconf(_SC_PHYS_PAGES);
    long pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0 && bytes > static_cast<std::uintmax_t>(pages) / 2 * pageSize)
        bytes = static_cast<std::uintmax_t>(pages) / 2 * pageSize;
    if (bytes > kTrimLimit)
        bytes = kTrimLimit;
    if (bytes < 8 * kHugePage)
        return;

    // One block from the heap proper (no separate mapping), marked and
    // freed: it joins the free space at the top, which is no longer trimmed.
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kTrimLimit));
    mallopt(M_MMAP_MAX, 0);
    void* block = std::malloc(bytes);
    mallopt(M_MMAP_MAX, 65536);
    if (block == nullptr)
        return;
    auto begin = reinterpret_cast<std::uintptr_t>(block);
    std::uintptr_t alignedBegin = (begin + kHugePage - 1) & ~(kHugePage - 1);
    std::uintptr_t alignedEnd = (begin + bytes) & ~(kHugePage - 1);
    if (alignedEnd > alignedBegin)
        madvise(reinterpret_cast<void*>(alignedBegin), alignedEnd - alignedBegin, MADV_HUGEPAGE);
    std::free(block);
#else
    (void)bytes;
#endif
}
