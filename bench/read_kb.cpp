// read_kb: reads one Ontylog XML terminology into a knowledge base, with the
// heap prepared as the converter and "queltKbTool check" prepare it, and
// does nothing else: the yardstick for what a command adds to reading.
//
//   read_kb FILE
//
// Prints the number of concepts read. Exit status: 0 read, 1 the file could
// not be read completely, 2 wrong usage.

#include "frontend/HeapReserve.h"
#include "model/QueltKb.h"

#include <cstdio>

#include <sys/stat.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: read_kb FILE\n", stderr);
        return 2;
    }
    RoutedConsole diagnostics(Console::standard(), RoutedConsole::ToErr);
    QueltKb kb(diagnostics);
    struct stat info;
    if (stat(argv[1], &info) == 0)
        reserveHeap(static_cast<std::uintmax_t>(info.st_size) / 2 * 5);
    bool complete = kb.readQueltXMLFile(argv[1]);
    std::printf("%ld concepts\n", kb.getNumConcepts());
    return complete ? 0 : 1;
}
