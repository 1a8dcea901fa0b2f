#include "frontend/ToolArguments.h"

#include <algorithm>
#include <iostream>

namespace kbtool {

namespace {

const char kProgram[] = "queltKbTool";

std::vector<CommandLine::LongOption> declarations(const CommandSyntax& syntax)
{
    std::vector<CommandLine::LongOption> declared = { { "-h", false }, { "--help", false } };
    for (const char* name : syntax.flags)
        declared.push_back({ name, false });
    for (const CommandSyntax::Valued& option : syntax.valued)
        declared.push_back({ option.name, true });
    return declared;
}

std::vector<std::string> commandWords(int argc, char** argv)
{
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i)
        words.emplace_back(argv[i]);
    return words;
}

} // namespace

int statusOf(Verdict verdict)
{
    return verdict == Verdict::UsageShown ? 0 : 2;
}

ToolArguments::ToolArguments(int argc, char** argv, const CommandSyntax& givenSyntax)
    : syntax(givenSyntax)
    , line(commandWords(argc, argv), declarations(givenSyntax))
{
}

Verdict ToolArguments::judge(const std::string& usage) const
{
    if (flag("-h") || flag("--help")) {
        showUsage(usage);
        return Verdict::UsageShown;
    }
    const std::string text = problem();
    if (text.empty())
        return Verdict::Run;
    showWrongUsage(usage, text);
    return Verdict::WrongUsage;
}

std::string ToolArguments::problem() const
{
    const std::vector<std::string>& undeclared = line.getUndeclaredOptions();
    if (!undeclared.empty())
        return "unknown option \"" + undeclared.front() + "\"";
    if (!line.getOptionWithoutValue().empty())
        return "option \"" + line.getOptionWithoutValue() + "\" needs a value";
    const std::size_t expected
        = syntax.instead != nullptr && flag(syntax.instead) ? 0 : syntax.words.size();
    if (std::string text = wordsProblem(expected); !text.empty())
        return text;
    for (const CommandSyntax::Valued& option : syntax.valued) {
        const std::string given = value(option.name);
        const auto& allowed = option.allowed;
        if (allowed.empty() || std::find(allowed.begin(), allowed.end(), given) != allowed.end())
            continue;
        // "--format" is "format" in the message.
        const std::string name = option.name;
        return "unknown " + name.substr(name.find_first_not_of('-')) + " \"" + given + "\"";
    }
    for (std::size_t i = 0; i < expected; ++i) {
        if (!syntax.words[i].mayBeEmpty && word(static_cast<unsigned>(i)).empty())
            return std::string(syntax.words[i].name) + " is empty";
    }
    return std::string();
}

std::string ToolArguments::wordsProblem(std::size_t expected) const
{
    const std::size_t given = static_cast<std::size_t>(line.variableCount());
    if (given < expected)
        return "missing arguments";
    if (given > expected)
        return "too many arguments (\"" + word(static_cast<unsigned>(expected)) + "\")";
    return std::string();
}

std::string ToolArguments::word(unsigned index) const
{
    return line.getVariableByPosition(index + 1);
}

bool ToolArguments::flag(const char* name) const
{
    return line.hasLongOption(name);
}

std::string ToolArguments::value(const char* name) const
{
    if (line.hasLongOption(name))
        return line.getLongOptionValue(name);
    for (const CommandSyntax::Valued& option : syntax.valued) {
        if (std::string(option.name) == name)
            return option.fallback;
    }
    return std::string();
}

std::string messageLine(const std::string& text)
{
    return std::string(kProgram) + ": " + text;
}

void message(const std::string& text)
{
    std::cerr << messageLine(text) << std::endl;
}

void showUsage(const std::string& usage)
{
    std::cout << usage;
    std::cout.flush();
}

void showWrongUsage(const std::string& usage, const std::string& text)
{
    message(text);
    std::cerr << usage;
    std::cerr.flush();
}

} // namespace kbtool
