#include "frontend/CommandLine.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Binding = std::pair<std::string, char>;
using Bindings = std::vector<Binding>;

// One command line and every view it should produce: `options` the letters
// seen, `positional` the words from position 1 on with the letter each was
// bound to when read, `flagged` the final letter-to-word map.
struct ParseCase {
    const char* name;
    std::vector<std::string> words;
    std::string options;
    Bindings positional;
    std::map<char, std::string> flagged;
};

const ParseCase kParseCases[] = {
    { "NoArgumentsBesidesProgram", { "prog" }, "", {}, {} },
    { "ClusterBindsOnlyItsLastLetter", { "prog", "-nv", "7" }, "nv", { { "7", 'v' } },
        { { 'v', "7" } } },
    { "LoneDashKeepsPendingLetter", { "prog", "-n", "-", "x" }, "n", { { "x", 'n' } },
        { { 'n', "x" } } },
    { "RepeatedOptionLaterValueWins", { "prog", "-n", "a", "-n", "b" }, "n",
        { { "a", 'n' }, { "b", 'n' } }, { { 'n', "b" } } },
    { "DashWordIsNeverAValue", { "prog", "-v", "-x" }, "vx", {}, {} },
    { "ValueBeforeInputFileTakesPositionOne", { "prog", "-n", "NS", "in.xml" }, "n",
        { { "NS", 'n' }, { "in.xml", '\0' } }, { { 'n', "NS" } } },
    { "DriverStyleFullLine", { "prog", "in.xml", "-n", "NS", "-v", "2.0" }, "nv",
        { { "in.xml", '\0' }, { "NS", 'n' }, { "2.0", 'v' } }, { { 'n', "NS" }, { 'v', "2.0" } } },
    { "EmptyWordIsAValue", { "prog", "-n", "", "x" }, "n", { { "", 'n' }, { "x", '\0' } },
        { { 'n', "" } } },
    { "DoubleDashIsTheDashLetter", { "prog", "--", "x" }, "-", { { "x", '-' } }, { { '-', "x" } } },
    { "NonAsciiBytes", { "prog", "-\xc3\xa9", "caf\xc3\xa9", "\xff" }, "\xc3\xa9",
        { { "caf\xc3\xa9", '\xa9' }, { "\xff", '\0' } }, { { '\xa9', "caf\xc3\xa9" } } },
};

// Keeps failure output readable: the case name, not a byte dump.
void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.name;
}

class CommandLineParse : public ::testing::TestWithParam<ParseCase> { };

TEST_P(CommandLineParse, ProducesExpectedViews)
{
    const ParseCase& c = GetParam();
    CommandLine cl(c.words);
    // Running the parse again must give the same views.
    for (int pass = 0; pass < 2; ++pass, cl.processArguments()) {
        EXPECT_EQ(cl.hasArguments(), c.words.size() > 1);
        EXPECT_EQ(cl.optionCount(), static_cast<int>(c.options.size()));
        // Every possible letter, so that stray options or bindings show up too.
        for (int i = CHAR_MIN; i <= CHAR_MAX; ++i) {
            const char letter = static_cast<char>(i);
            const auto bound = c.flagged.find(letter);
            EXPECT_EQ(cl.hasOption(letter), c.options.find(letter) != std::string::npos) << i;
            EXPECT_EQ(cl.optionFlagsArgument(letter), bound != c.flagged.end()) << i;
            EXPECT_EQ(cl.getFlaggedVariable(letter),
                bound != c.flagged.end() ? bound->second : std::string())
                << i;
        }
        EXPECT_EQ(cl.variableCount(), static_cast<int>(c.positional.size()));
        for (unsigned i = 0; i < c.positional.size(); ++i)
            EXPECT_EQ(cl.getVariableByPosition(i + 1), c.positional[i].first) << i + 1;
        EXPECT_EQ(cl.getVariableByPosition(static_cast<unsigned>(c.positional.size()) + 1), "");
        EXPECT_EQ(cl.getVariableByPosition(UINT_MAX), "");
        EXPECT_EQ(cl.getVariablesWithBinding(), c.positional);
        EXPECT_EQ(cl.getVariableByPosition(0), "prog");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLineParse, ::testing::ValuesIn(kParseCases),
    [](const testing::TestParamInfo<ParseCase>& param) { return std::string(param.param.name); });

// With declared long options: the words after the first that are
// positional, the options given with their values, the undeclared option
// words and the valued option left without a value.
struct LongCase {
    const char* name;
    std::vector<std::string> words;
    std::vector<std::string> positional;
    std::map<std::string, std::string> given;
    std::vector<std::string> undeclared;
    std::string withoutValue;
};

const LongCase kLongCases[] = {
    { "ValueFollowsOrIsJoinedLaterWins",
        { "cmd", "--format", "tsv", "in", "-o", "f", "--format=a=b" }, { "in" },
        { { "--format", "a=b" }, { "-o", "f" } }, {}, "" },
    { "JoinedValueMayBeEmpty", { "cmd", "--format=", "x" }, { "x" }, { { "--format", "" } }, {},
        "" },
    { "NextWordIsTheValueWhateverItIs", { "cmd", "--format", "-h" }, {}, { { "--format", "-h" } },
        {}, "" },
    { "ValuedOptionLastLacksItsValue", { "cmd", "x", "--format" }, { "x" }, {}, {}, "--format" },
    { "WholeWordsOnly", { "cmd", "--stems", "-", "--bogus", "-hh", "--stems=1", "-h" }, { "-" },
        { { "--stems", "" }, { "-h", "" } }, { "--bogus", "-hh", "--stems=1" }, "" },
    { "DoubleDashEndsTheOptions", { "cmd", "a", "--", "--stems", "-h", "--", "" },
        { "a", "--stems", "-h", "--", "" }, {}, {}, "" },
    { "FirstWordIsNeverAnOption", { "-h", "x" }, { "x" }, {}, {}, "" },
};

void PrintTo(const LongCase& c, std::ostream* os)
{
    *os << c.name;
}

class CommandLineLong : public ::testing::TestWithParam<LongCase> { };

TEST_P(CommandLineLong, ProducesExpectedViews)
{
    const LongCase& c = GetParam();
    CommandLine cl(
        c.words, { { "-h", false }, { "--stems", false }, { "--format", true }, { "-o", true } });
    for (int pass = 0; pass < 2; ++pass, cl.processArguments()) {
        EXPECT_EQ(cl.getVariableByPosition(0), c.words[0]);
        Bindings positional;
        for (const std::string& word : c.positional)
            positional.emplace_back(word, '\0');
        EXPECT_EQ(cl.getVariablesWithBinding(), positional);
        for (const char* name : { "-h", "--stems", "--format", "-o", "--bogus" }) {
            const auto given = c.given.find(name);
            EXPECT_EQ(cl.hasLongOption(name), given != c.given.end()) << name;
            EXPECT_EQ(cl.getLongOptionValue(name), given != c.given.end() ? given->second : "");
        }
        EXPECT_EQ(cl.getUndeclaredOptions(), c.undeclared);
        EXPECT_EQ(cl.getOptionWithoutValue(), c.withoutValue);
        EXPECT_EQ(cl.optionCount(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLineLong, ::testing::ValuesIn(kLongCases),
    [](const testing::TestParamInfo<LongCase>& param) { return std::string(param.param.name); });

TEST(CommandLineProgramName, IsTheFirstPlainWordUpToItsLastSeparator)
{
    const std::pair<std::string, std::string> cases[]
        = { { "C:\\tools\\conv.exe", "conv.exe" }, { "./conv", "conv" }, { "conv", "conv" },
              { "/usr/local/bin/conv", "conv" }, { "C:\\tools/bin\\conv", "conv" },
              { "tools\\bin/conv", "conv" }, { "tools/", "" }, { "", "" } };
    for (const auto& c : cases) {
        const CommandLine cl(std::vector<std::string> { c.first, "-n", "NS", "in.xml" });
        EXPECT_EQ(cl.getProgramName(), c.second) << c.first;
        EXPECT_EQ(cl.getVariableByPosition(0), c.first);
    }
    // Without a leading program path the first plain word takes position 0;
    // with no plain word at all there is no name.
    const CommandLine shifted(std::vector<std::string> { "-x", "dir/word", "in.xml" });
    EXPECT_EQ(shifted.getProgramName(), "word");
    EXPECT_EQ(shifted.getFlaggedVariable('x'), "dir/word");
    EXPECT_EQ(shifted.getVariablesWithBinding(), (Bindings { { "in.xml", '\0' } }));
    const CommandLine dashesOnly(std::vector<std::string> { "-x", "-", "-n" });
    EXPECT_TRUE(dashesOnly.hasArguments());
    EXPECT_EQ(dashesOnly.getVariableByPosition(0), "");
    EXPECT_EQ(dashesOnly.optionCount(), 2);
    EXPECT_EQ(dashesOnly.variableCount(), 0);
}

TEST(CommandLineArgv, CopiesTheCountedWordsAndReadsANullEntryAsEmpty)
{
    char prog[] = "/opt/bin/conv", flag[] = "-n", value[] = "NS", input[] = "in.xml";
    char* argv[] = { prog, flag, value, nullptr, input, nullptr };
    const CommandLine cl(5, argv);
    const CommandLine firstTwo(2, argv);
    // The caller's buffers may change or go away; the parsed views must not.
    std::memset(prog, 'z', sizeof prog - 1);
    std::memset(value, 'z', sizeof value - 1);
    flag[1] = 'q';
    EXPECT_EQ(cl.getProgramName(), "conv");
    EXPECT_FALSE(cl.hasOption('q'));
    EXPECT_EQ(cl.getFlaggedVariable('n'), "NS");
    EXPECT_EQ(cl.getVariablesWithBinding(),
        (Bindings { { "NS", 'n' }, { "", '\0' }, { "in.xml", '\0' } }));
    EXPECT_TRUE(firstTwo.hasOption('n'));
    EXPECT_FALSE(firstTwo.optionFlagsArgument('n'));

    // No words at all, or none to read.
    char* terminatorOnly[] = { nullptr };
    const CommandLine empties[] = { CommandLine(0, terminatorOnly), CommandLine(3, nullptr),
        CommandLine(-1, terminatorOnly) };
    for (const CommandLine& empty : empties) {
        EXPECT_FALSE(empty.hasArguments());
        EXPECT_EQ(empty.optionCount() + empty.variableCount(), 0);
        EXPECT_EQ(empty.getVariableByPosition(0), "");
        EXPECT_EQ(empty.getFlaggedVariable('n'), "");
    }
}

} // namespace
