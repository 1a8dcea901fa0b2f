#include "frontend/Signals.h"

#include "xmlout/TemporaryFiles.h"

#include <signal.h>
#include <unistd.h>

namespace {

extern "C" void endOnSignal(int signal)
{
    temporaryfiles::removeAllTemporaries();
    _exit(128 + signal);
}

} // namespace

void removeTemporariesOnSignals()
{
    for (int signal : { SIGINT, SIGTERM, SIGHUP }) {
        struct sigaction before;
        if (sigaction(signal, nullptr, &before) != 0 || before.sa_handler == SIG_IGN)
            continue;
        struct sigaction action { };
        action.sa_handler = endOnSignal;
        sigfillset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}
