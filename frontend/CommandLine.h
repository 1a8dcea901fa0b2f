#ifndef QUELT_FRONTEND_COMMANDLINE_H
#define QUELT_FRONTEND_COMMANDLINE_H

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Splits the process arguments into option letters, positional words and
// the word that followed each option cluster. No option letters are known
// here: any letter may carry a value, and whether it does depends only on
// what follows it on the command line. The caller decides what letters mean.
class CommandLine {
public:
    CommandLine(int argc, char** argv);
    // Same parsing from words already in hand (argv[0] first).
    explicit CommandLine(std::vector<std::string> words);
    virtual ~CommandLine();

    void processArguments();

    bool hasArguments() const;
    bool hasOption(char c) const;
    int optionCount() const;
    int variableCount() const;
    std::string getVariableByPosition(unsigned n) const;
    bool optionFlagsArgument(char c) const;
    std::string getFlaggedVariable(char c) const;
    bool hasAllOptionsIn(std::string allowed) const;
    bool hasMandatoryOptions(std::string required) const;
    std::string getProgramName() const;

    // Positional words from position 1 on, each with the option letter it
    // was bound to when it was read, or '\0' when it was bound to none.
    // A later repetition of the option does not change an earlier entry.
    std::vector<std::pair<std::string, char>> getVariablesWithBinding() const;

private:
    std::vector<std::string> arguments;
    std::set<char> options;
    std::vector<std::string> variables;
    std::map<char, std::string> flaggedVariables;

    // Parallel to variables: the letter each word was bound to, or '\0'.
    std::vector<char> variableBindings;
};

#endif
