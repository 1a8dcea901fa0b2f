#ifndef QUELT_FRONTEND_TOOLARGUMENTS_H
#define QUELT_FRONTEND_TOOLARGUMENTS_H

#include "frontend/CommandLine.h"

#include <string>
#include <vector>

namespace kbtool {

// What a command of the tool takes, as data: its positional words, its
// flags and its options with a value. Every command also takes "-h" and
// "--help", anywhere before "--".
struct CommandSyntax {
    struct Word {
        const char* name; // as the usage text names it
        bool mayBeEmpty = true;
    };
    struct Valued {
        const char* name; // "--format"
        const char* fallback; // the value when the option is not given
        std::vector<std::string> allowed; // empty: any value
    };

    std::vector<Word> words;
    std::vector<const char*> flags = {};
    std::vector<Valued> valued = {};
    // A flag that takes the place of the words ("--kinds"), or nullptr.
    const char* instead = nullptr;
};

// What becomes of a command line.
enum class Verdict { Run, UsageShown, WrongUsage };

// The exit status of a command line that does not run: 0 when the usage
// text was asked for, 2 for wrong usage.
int statusOf(Verdict verdict);

// A command's words (argv[1], the command, and what follows it), parsed
// by the command's syntax.
class ToolArguments {
public:
    ToolArguments(int argc, char** argv, const CommandSyntax& givenSyntax);

    // Shows the usage text on standard output when it was asked for, or
    // says what is wrong and shows it on standard error.
    Verdict judge(const std::string& usage) const;

    // The positional word at index (0 the first after the command).
    std::string word(unsigned index) const;
    bool flag(const char* name) const;
    // The option's value, or its fallback when it was not given.
    std::string value(const char* name) const;

private:
    // The message of the first thing wrong, in the order the checks are
    // made; "" when nothing is.
    std::string problem() const;
    std::string wordsProblem(std::size_t expected) const;

    const CommandSyntax& syntax;
    CommandLine line;
};

// The tool's own messages, on standard error: "queltKbTool: TEXT".
void message(const std::string& text);
std::string messageLine(const std::string& text);

// A usage text on standard output, asked for.
void showUsage(const std::string& usage);

// The message, then the usage text, on standard error.
void showWrongUsage(const std::string& usage, const std::string& text);

} // namespace kbtool

#endif
