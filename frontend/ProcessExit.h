#ifndef QUELT_FRONTEND_PROCESSEXIT_H
#define QUELT_FRONTEND_PROCESSEXIT_H

// The two ways a program's main ends the process on purpose. Both flush
// every C++ and C stream first, so what was written is out whichever way
// the process ends; tests observe them in a child process.

// Flushes, then exits normally (destructors and exit handlers run).
[[noreturn]] void quitProcess(int status);

// Ends the process once a run's work is done, with the run's status: flushes
// like quitProcess, then leaves without running the destructors of what is
// still alive. Taking a knowledge base of hundreds of thousands of concepts
// apart allocation by allocation costs about as long as writing it, while the
// system takes the memory back at once. Sanitizer builds end through
// quitProcess instead, so the leak checker still looks at the heap.
[[noreturn]] void finishProcess(int status);

#endif
