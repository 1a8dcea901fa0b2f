#ifndef QUELT_FRONTEND_KBTOOLCOMMANDS_H
#define QUELT_FRONTEND_KBTOOLCOMMANDS_H

#include "frontend/Report.h"
#include "frontend/ToolArguments.h"
#include "model/Console.h"

#include <string>

class QueltKb;
struct SourceLines;

// The commands of queltKbTool and what they share.
namespace kbtool {

// Every knowledge base of the tool prints what the model and the reader
// say on standard output (duplicate concept names, parser errors) on
// standard error instead: they are diagnostics here, and standard output
// carries only the command's results.
struct ToolConsoles {
    explicit ToolConsoles(Console& console)
        : diagnostics(console, RoutedConsole::ToErr)
        , dropped(console, RoutedConsole::Drop)
    {
    }

    RoutedConsole diagnostics;
    RoutedConsole dropped; // for lines that are expected
};

// Why the file cannot be read ("cannot read ..."); empty when it can.
std::string whyUnreadable(const std::string& path);

// Says why the file cannot be read, when it cannot.
bool checkReadable(const std::string& path);

enum class Read { Unreadable, Broken, Complete };

// Reads the terminology into kb, noting where its records start in lines
// when given; says why it could not be read, or that it is no well-formed
// document, on standard error (or, given messages, as a line there).
Read readTerminology(QueltKb& kb, const std::string& path, SourceLines* lines = nullptr,
    Console* messages = nullptr);

// Finishes the output; says so when it could not be written.
bool finishOutput(report::Output& out);

// The commands: each takes its judged arguments and returns the exit
// status.
int runRoundtrip(const ToolArguments& args, ToolConsoles& consoles);
int runMatch(const ToolArguments& args, ToolConsoles& consoles);
int runDiff(const ToolArguments& args, ToolConsoles& consoles);
int runCheck(const ToolArguments& args, ToolConsoles& consoles);
int runChanges(const ToolArguments& args, ToolConsoles& consoles);

} // namespace kbtool

#endif
