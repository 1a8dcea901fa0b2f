#include "frontend/CommandLine.h"

#include <climits>

namespace {

// A missing argument vector, a negative count or a null entry is read as
// "no words" or "an empty word" rather than dereferenced.
std::vector<std::string> copyArguments(int argc, char** argv)
{
    std::vector<std::string> words;
    if (argv == nullptr || argc <= 0)
        return words;
    words.reserve(static_cast<std::size_t>(argc));
    for (int i = 0; i < argc; ++i)
        words.emplace_back(argv[i] != nullptr ? argv[i] : "");
    return words;
}

int clampedCount(std::size_t n)
{
    return n > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n);
}

} // namespace

CommandLine::CommandLine(int argc, char** argv)
    : arguments(copyArguments(argc, argv))
{
    processArguments();
}

CommandLine::CommandLine(std::vector<std::string> words)
    : arguments(std::move(words))
{
    processArguments();
}

CommandLine::CommandLine(std::vector<std::string> words, std::vector<LongOption> declared)
    : arguments(std::move(words))
    , longOptions(std::move(declared))
{
    processArguments();
}

CommandLine::~CommandLine() = default;

void CommandLine::processArguments()
{
    // Starts from scratch so that a second call gives the same result.
    options.clear();
    variables.clear();
    flaggedVariables.clear();
    variableBindings.clear();
    givenLongOptions.clear();
    undeclaredOptions.clear();
    optionWithoutValue.clear();
    if (longOptions.empty())
        splitLetters();
    else
        splitDeclared();
}

void CommandLine::splitLetters()
{
    char pending = '\0';
    for (const std::string& word : arguments) {
        const char first = word.empty() ? '\0' : word[0];
        if (first == '-') {
            if (word.size() > 1) {
                options.insert(word.begin() + 1, word.end());
                pending = word.back();
            }
            // A lone "-" adds nothing and keeps the pending letter.
            continue;
        }
        addVariable(word, pending);
        if (pending != '\0') {
            flaggedVariables[pending] = word;
            pending = '\0';
        }
    }
}

void CommandLine::splitDeclared()
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (i == 0 || optionsEnded || word.size() < 2 || word[0] != '-') {
            addVariable(word, '\0');
        } else if (word == "--") {
            optionsEnded = true;
        } else if (const std::size_t equals = word.find('=');
                   declares(word.substr(0, equals), true)) {
            const std::string name = word.substr(0, equals);
            if (equals != std::string::npos)
                givenLongOptions[name] = word.substr(equals + 1);
            else if (i + 1 < arguments.size())
                givenLongOptions[name] = arguments[++i];
            else
                optionWithoutValue = word;
        } else if (declares(word, false)) {
            givenLongOptions[word].clear();
        } else {
            undeclaredOptions.push_back(word);
        }
    }
}

bool CommandLine::declares(const std::string& name, bool withValue) const
{
    for (const LongOption& option : longOptions) {
        if (option.name == name && option.takesValue == withValue)
            return true;
    }
    return false;
}

void CommandLine::addVariable(const std::string& word, char binding)
{
    variables.push_back(word);
    variableBindings.push_back(binding);
}

bool CommandLine::hasArguments() const
{
    return arguments.size() > 1;
}

bool CommandLine::hasOption(char c) const
{
    return options.count(c) != 0;
}

int CommandLine::optionCount() const
{
    return clampedCount(options.size());
}

int CommandLine::variableCount() const
{
    // Without a word at position 0 there is no program path to leave out.
    return variables.empty() ? 0 : clampedCount(variables.size() - 1);
}

std::string CommandLine::getVariableByPosition(unsigned n) const
{
    if (n < variables.size())
        return variables[n];
    return std::string();
}

bool CommandLine::optionFlagsArgument(char c) const
{
    return flaggedVariables.count(c) != 0;
}

std::string CommandLine::getFlaggedVariable(char c) const
{
    const auto it = flaggedVariables.find(c);
    if (it == flaggedVariables.end())
        return std::string();
    return it->second;
}

bool CommandLine::hasAllOptionsIn(std::string allowed) const
{
    for (char c : options) {
        if (allowed.find(c) == std::string::npos)
            return false;
    }
    return true;
}

bool CommandLine::hasMandatoryOptions(std::string required) const
{
    for (char c : required) {
        if (options.count(c) == 0)
            return false;
    }
    return true;
}

std::string CommandLine::getProgramName() const
{
    // No word at position 0 (no arguments at all, or only words that begin
    // with '-'): there is no program path to take a name from.
    if (variables.empty())
        return std::string();
    const std::string& path = variables[0];
    const std::size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos)
        return path;
    return path.substr(cut + 1);
}

std::vector<std::pair<std::string, char>> CommandLine::getVariablesWithBinding() const
{
    std::vector<std::pair<std::string, char>> result;
    for (std::size_t i = 1; i < variables.size(); ++i)
        result.emplace_back(variables[i], variableBindings[i]);
    return result;
}

bool CommandLine::hasLongOption(const std::string& name) const
{
    return givenLongOptions.count(name) != 0;
}

std::string CommandLine::getLongOptionValue(const std::string& name) const
{
    const auto it = givenLongOptions.find(name);
    if (it == givenLongOptions.end())
        return std::string();
    return it->second;
}

const std::vector<std::string>& CommandLine::getUndeclaredOptions() const
{
    return undeclaredOptions;
}

const std::string& CommandLine::getOptionWithoutValue() const
{
    return optionWithoutValue;
}
