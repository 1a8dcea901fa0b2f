#ifndef QUELT_FRONTEND_KBTOOL_H
#define QUELT_FRONTEND_KBTOOL_H

// The knowledge-base tool: Ontylog XML round trip, term-list matching and
// comparison of two versions of a terminology. Takes the process arguments
// (argv[1] is the command) and returns the exit status: 0 done or usage
// asked for, 1 an input could not be read or an output not written,
// 2 wrong usage.
int runKbTool(int argc, char** argv);

#endif
