#ifndef QUELT_FRONTEND_SIGNALS_H
#define QUELT_FRONTEND_SIGNALS_H

// Makes an interrupt, a termination request or a hang-up (SIGINT, SIGTERM,
// SIGHUP) end the process with status 128 + the signal's number, after
// removing the temporary files that output files are being written to; the
// files they would replace are left as they were. A signal that is ignored
// when the program starts (as under nohup) stays ignored.
void removeTemporariesOnSignals();

#endif
