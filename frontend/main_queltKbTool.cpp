#include "frontend/KbTool.h"
#include "frontend/Signals.h"
#include "model/QueltError.h"

int main(int argc, char** argv)
{
    removeTemporariesOnSignals();
    Console& console = Console::standard();
    try {
        return runKbTool(argc, argv, console);
    } catch (const QueltError& error) {
        // Standard output carries only the tool's results.
        RoutedConsole diagnostics(console, RoutedConsole::ToErr);
        error.print(diagnostics);
        return error.status();
    }
}
