#ifndef QUELT_FRONTEND_KBTOOL_H
#define QUELT_FRONTEND_KBTOOL_H

#include "model/Console.h"

// The knowledge-base tool: Ontylog XML round trip, term-list matching and
// comparison of two versions of a terminology. Takes the process arguments
// (argv[1] is the command) and returns the exit status: 0 done or usage
// asked for, 1 an input could not be read or an output not written,
// 2 wrong usage. What the knowledge bases print on standard output goes to
// the console's error stream, so that standard output carries only the
// command's results. A condition that ends the run early raises a
// QueltError.
int runKbTool(int argc, char** argv, Console& console);

#endif
