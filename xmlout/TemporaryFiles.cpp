#include "xmlout/TemporaryFiles.h"

#include <atomic>
#include <cstring>

#include <unistd.h>

namespace temporaryfiles {

namespace {

// A few files are ever written at once: the OWL or Ontylog XML output,
// two at most for the comparison's results.
constexpr int kSlots = 16;
constexpr std::size_t kPathBytes = 4096;

enum : int { Free, Filling, InUse };

struct Slot {
    std::atomic<int> state { Free };
    char path[kPathBytes];
};

Slot slots[kSlots];

} // namespace

int remember(const std::string& path)
{
    if (path.size() >= kPathBytes)
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = Free;
        if (slots[i].state.compare_exchange_strong(expected, Filling)) {
            std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
            slots[i].state.store(InUse, std::memory_order_release);
            return i;
        }
    }
    return -1;
}

void forget(int slot)
{
    if (slot >= 0 && slot < kSlots)
        slots[slot].state.store(Free, std::memory_order_release);
}

void removeAllTemporaries()
{
    for (Slot& slot : slots) {
        if (slot.state.load(std::memory_order_acquire) == InUse)
            unlink(slot.path);
    }
}

} // namespace temporaryfiles
