#ifndef QUELT_XMLOUT_TEMPORARYFILES_H
#define QUELT_XMLOUT_TEMPORARYFILES_H

#include <string>

// The temporary files this process is writing, kept where a signal handler
// can find them: a fixed table of paths that is read with atomic loads only,
// so removeAllTemporaries() may be called from a signal handler.
namespace temporaryfiles {

// Remembers the path; returns its slot, or -1 when it cannot be kept (the
// table is full or the path too long), in which case nobody removes it on a
// signal.
int remember(const std::string& path);

// Forgets the slot (the file was renamed or removed); -1 is ignored.
void forget(int slot);

// Removes every remembered file. Async-signal-safe.
void removeAllTemporaries();

} // namespace temporaryfiles

#endif
