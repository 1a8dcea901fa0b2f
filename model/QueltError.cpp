#include "model/QueltError.h"

void QueltError::print(Console& console) const
{
    for (const Line& line : message)
        console.line(line.stream, line.text);
}

const char* QueltError::what() const noexcept
{
    return message.empty() ? "run ended" : message.front().text.c_str();
}
