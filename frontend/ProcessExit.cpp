#include "frontend/ProcessExit.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

void flushAll()
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
}

} // namespace

void quitProcess(int status)
{
    flushAll();
    std::exit(status);
}

void finishProcess(int status)
{
#ifdef QUELT_SANITIZED
    quitProcess(status);
#else
    flushAll();
    std::_Exit(status);
#endif
}
