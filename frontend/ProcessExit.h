#ifndef QUELT_FRONTEND_PROCESSEXIT_H
#define QUELT_FRONTEND_PROCESSEXIT_H

// Every place where the system ends the process on purpose goes through
// this one function, so the behaviour (flush, then exit) is the same
// everywhere and tests can observe it in a child process.
[[noreturn]] void quitProcess(int status);

#endif
