#ifndef QUELT_MODEL_QUELTERROR_H
#define QUELT_MODEL_QUELTERROR_H

#include "model/Console.h"

#include <exception>
#include <string>
#include <vector>

// A condition that ends the run: what to print and the exit status to end
// with. Code below the programs raises it instead of ending the process;
// the program's main prints the lines through its console and returns the
// status.
class QueltError : public std::exception {
public:
    struct Line {
        Console::Stream stream;
        std::string text;
    };

    // Exit statuses a run ends with.
    static constexpr int kFailure = 1;
    static constexpr int kParserException = 255;

    QueltError(int status, std::vector<Line> lines)
        : exitStatus(status)
        , message(std::move(lines))
    {
    }
    // One line on standard error.
    QueltError(int status, std::string errorLine)
        : QueltError(status, { { Console::Err, std::move(errorLine) } })
    {
    }

    int status() const { return exitStatus; }
    const std::vector<Line>& lines() const { return message; }
    void print(Console& console) const;
    const char* what() const noexcept override;

private:
    int exitStatus;
    std::vector<Line> message;
};

#endif
