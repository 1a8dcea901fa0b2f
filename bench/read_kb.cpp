// read_kb: reads one Ontylog XML terminology into a knowledge base and does
// nothing else: the yardstick for what a command adds to reading.
//
//   read_kb FILE
//
// Prints the number of concepts read. Exit status: 0 read, 1 the file could
// not be read completely, 2 wrong usage.

#include "model/QueltKb.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: read_kb FILE\n", stderr);
        return 2;
    }
    RoutedConsole diagnostics(Console::standard(), RoutedConsole::ToErr);
    QueltKb kb(diagnostics);
    bool complete = kb.readQueltXMLFile(argv[1]);
    std::printf("%ld concepts\n", kb.getNumConcepts());
    return complete ? 0 : 1;
}
