#include "frontend/Converter.h"
#include "frontend/ProcessExit.h"

int main(int argc, char** argv)
{
    finishProcess(runConverter(argc, argv));
}
