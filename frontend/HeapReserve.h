#ifndef QUELT_FRONTEND_HEAPRESERVE_H
#define QUELT_FRONTEND_HEAPRESERVE_H

#include <cstdint>

// Prepares the calling thread's heap for about `bytes` of small allocations
// that stay alive until the process ends (a knowledge base being read): the
// heap is extended once by that much address space, marked for transparent
// huge pages and handed back to the allocator, which keeps it instead of
// returning it to the system. Nothing is touched, so memory that is never
// used is never resident. Reading then takes far fewer page faults and TLB
// misses. Best effort: where the C library or the kernel does not offer
// this, or in sanitizer builds, it does nothing.
void reserveHeap(std::uintmax_t bytes);

#endif
