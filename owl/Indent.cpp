#include "owl/Indent.h"

std::string indent(std::string command)
{
    static unsigned level = 0;
    if (command == "+")
        ++level;
    else if (command == "-")
        level = level == 0 ? 0 : level - 1;
    else if (command == "c")
        level = 0;
    return std::string(level, '\t');
}
