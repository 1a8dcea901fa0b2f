// Arbitrary argument lists (the bytes split at NUL into argv) through the
// command-line parser and the converter's choice of input file, namespace,
// version label and header lines. Beyond what the sanitizers see: the input
// file chosen is one of the positional words, and both constructors parse
// alike.

#include "FuzzSupport.h"

#include "frontend/CommandLine.h"
#include "frontend/Converter.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace fuzzsupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> words(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += static_cast<char>(data[i]);
    }
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(&word[0]);
    argv.push_back(nullptr);

    const CommandLine commandLine(static_cast<int>(words.size()), argv.data());
    const CommandLine fromWords(words);
    std::string input;
    bool found = findInputFile(commandLine, input);
    bool positional = false;
    for (int n = 1; n <= commandLine.variableCount(); ++n)
        positional = positional || commandLine.getVariableByPosition(n) == input;
    if (found && !positional)
        fail("the input file is not a positional word");
    if (fromWords.getProgramName() != commandLine.getProgramName()
        || fromWords.variableCount() != commandLine.variableCount()
        || fromWords.optionCount() != commandLine.optionCount())
        fail("the two constructors parse differently");
    buildHeaderLines(commandLine.getFlaggedVariable('n'), commandLine.getFlaggedVariable('v'));
    commandLine.hasAllOptionsIn("hHnv");
    commandLine.hasMandatoryOptions("n");
    return 0;
}
