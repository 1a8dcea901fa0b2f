#include "frontend/KbTool.h"

int main(int argc, char** argv)
{
    return runKbTool(argc, argv);
}
