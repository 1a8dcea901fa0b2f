#include "frontend/ProcessExit.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

void quitProcess(int status)
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::exit(status);
}
