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
//
// A caller may declare long options instead: whole words such as "--stems"
// or "-h", some of them taking a value ("--format tsv", "--format=tsv").
// With declarations, the first word is the program's (or a command's) name
// and never an option; every later word that begins with "-" and is longer
// than "-" is an option, declared or not, until the word "--", after which
// every word is positional; the word after a valued option is its value,
// whatever it is. No letters are read then.
class CommandLine {
public:
    struct LongOption {
        std::string name; // the whole word, dashes included
        bool takesValue;
    };

    CommandLine(int argc, char** argv);
    // Same parsing from words already in hand (argv[0] first).
    explicit CommandLine(std::vector<std::string> words);
    // Parsing by the declared long options; with none, as above.
    CommandLine(std::vector<std::string> words, std::vector<LongOption> declared);
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

    // With declared long options: whether the option was given (a valued
    // one with its value), the value (the last one given), the option
    // words that are not declared, in order, and the valued option that
    // ended the words without its value ("" when none did).
    bool hasLongOption(const std::string& name) const;
    std::string getLongOptionValue(const std::string& name) const;
    const std::vector<std::string>& getUndeclaredOptions() const;
    const std::string& getOptionWithoutValue() const;

private:
    void splitLetters();
    void splitDeclared();
    bool declares(const std::string& name, bool withValue) const;
    void addVariable(const std::string& word, char binding);

    std::vector<std::string> arguments;
    std::set<char> options;
    std::vector<std::string> variables;
    std::map<char, std::string> flaggedVariables;

    // Parallel to variables: the letter each word was bound to, or '\0'.
    std::vector<char> variableBindings;

    std::vector<LongOption> longOptions;
    std::map<std::string, std::string> givenLongOptions; // a flag's value is ""
    std::vector<std::string> undeclaredOptions;
    std::string optionWithoutValue;
};

#endif
