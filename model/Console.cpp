#include "model/Console.h"

#include <iostream>

#include <unistd.h>

namespace {

class StandardConsole : public Console {
public:
    void line(Stream stream, std::string_view text) override
    {
        std::ostream& to = stream == Out ? std::cout : std::cerr;
        to << text << std::endl;
    }

    bool showsProgress() const override
    {
        static const bool terminal = isatty(STDERR_FILENO) == 1;
        return terminal;
    }

    void progress(std::string_view text) override
    {
        // Back to the start of the line, the text, then erase what an
        // earlier, longer text left.
        std::cerr << '\r' << text << "\x1b[K" << std::flush;
    }
};

} // namespace

Console& Console::standard()
{
    static StandardConsole console;
    return console;
}

void Console::report(const Message& message)
{
    line(onStandardOutput(message.kind) ? Out : Err, messageLine(message));
}

void RoutedConsole::line(Stream stream, std::string_view text)
{
    if (stream == Err || outRoute == Keep)
        target.line(stream, text);
    else if (outRoute == ToErr)
        target.line(Err, text);
}

void GatheringConsole::line(Stream stream, std::string_view text)
{
    target.line(stream, text);
}

void GatheringConsole::report(const Message& message)
{
    if (gathering)
        gathered.push_back(message);
    else
        target.report(message);
}
