#include "frontend/Converter.h"
#include "frontend/ProcessExit.h"
#include "frontend/Signals.h"
#include "model/QueltError.h"

int main(int argc, char** argv)
{
    removeTemporariesOnSignals();
    Console& console = Console::standard();
    int status;
    try {
        status = runConverter(argc, argv, console);
    } catch (const QueltError& error) {
        error.print(console);
        status = error.status();
    }
    finishProcess(status);
}
