// compare_versions: reads two versions of a terminology and compares them
// (maintenance::compareVersions), for measuring the comparison against
// reading one file (read_kb).
//
//   compare_versions OLD NEW [--records]
//
// Prints the count of each kind of change; with --records also one line
// per concept that differs: its code and the kinds of its changes. The time
// the comparison itself took (wall and CPU) goes to standard error. The two
// files are read one after the other: the model's registries are shared
// by every knowledge base of the process, so two reads cannot run at once.
// Exit status: 0 compared, 1 a file could not be read completely, 2 wrong
// usage.

#include "maintenance/Changes.h"
#include "model/QueltKb.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4 || (argc == 4 && std::strcmp(argv[3], "--records") != 0)) {
        std::fputs("usage: compare_versions OLD NEW [--records]\n", stderr);
        return 2;
    }
    RoutedConsole diagnostics(Console::standard(), RoutedConsole::ToErr);
    QueltKb older(diagnostics);
    QueltKb newer(diagnostics);
    if (!older.readQueltXMLFile(argv[1]) || !newer.readQueltXMLFile(argv[2]))
        return 1;
    auto start = std::chrono::steady_clock::now();
    std::clock_t startCpu = std::clock();
    maintenance::ChangeReport report = maintenance::compareVersions(older, newer);
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, "compared in %.3f s (CPU %.3f s)\n", took.count(),
        static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC);
    if (argc == 4) {
        for (const maintenance::ConceptChanges& record : report.concepts) {
            std::string line = record.code;
            for (const maintenance::ConceptChange& change : record.changes)
                line += std::string(" ") + maintenance::changeKindName(change.kind);
            std::printf("%s\n", line.c_str());
        }
    }
    for (std::size_t kind = 0; kind < maintenance::kChangeKindCount; ++kind) {
        if (report.counts[kind] != 0)
            std::printf("%-20s %ld\n",
                maintenance::changeKindName(static_cast<maintenance::ChangeKind>(kind)),
                report.counts[kind]);
    }
    return 0;
}
