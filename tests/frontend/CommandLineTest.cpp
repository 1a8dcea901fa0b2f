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

// One command line and every view it should produce. `positional` lists the
// words from position 1 on together with the letter each was bound to when
// read; `flagged` is the final letter-to-word map.
struct ParseCase {
    const char* name;
    std::vector<std::string> words;
    std::string options;
    std::vector<Binding> positional;
    std::map<char, std::string> flagged;
};

std::string longCluster()
{
    std::string word = "-";
    for (int i = 0; i < 200000; ++i)
        word += static_cast<char>('a' + i % 26);
    return word + 'Q';
}

std::string longValue()
{
    return std::string(300000, 'q');
}

const ParseCase kParseCases[] = {
    {"NoArgumentsBesidesProgram", {"prog"}, "", {}, {}},
    {"OptionWithNothingAfterIt", {"prog", "-n"}, "n", {}, {}},
    {"ClusterBindsOnlyItsLastLetter", {"prog", "-nv", "7"}, "nv", {{"7", 'v'}}, {{'v', "7"}}},
    {"LoneDashIsSkipped", {"prog", "-", "x"}, "", {{"x", '\0'}}, {}},
    {"LoneDashKeepsPendingLetter", {"prog", "-n", "-", "x"}, "n", {{"x", 'n'}}, {{'n', "x"}}},
    {"RepeatedOptionLaterValueWins",
     {"prog", "-n", "a", "-n", "b"}, "n", {{"a", 'n'}, {"b", 'n'}}, {{'n', "b"}}},
    {"DashWordIsNeverAValue", {"prog", "-v", "-x"}, "vx", {}, {}},
    {"OnlyLetterPendingAtNextWordIsBound",
     {"prog", "-n", "-v", "value"}, "nv", {{"value", 'v'}}, {{'v', "value"}}},
    {"AnyLetterCanCarryAValue", {"prog", "-h", "word"}, "h", {{"word", 'h'}}, {{'h', "word"}}},
    {"ValueAfterInputFile",
     {"prog", "in.xml", "-n", "NS"}, "n", {{"in.xml", '\0'}, {"NS", 'n'}}, {{'n', "NS"}}},
    {"ValueBeforeInputFileTakesPositionOne",
     {"prog", "-n", "NS", "in.xml"}, "n", {{"NS", 'n'}, {"in.xml", '\0'}}, {{'n', "NS"}}},
    {"DriverStyleFullLine",
     {"prog", "in.xml", "-n", "NS", "-v", "2.0"}, "nv",
     {{"in.xml", '\0'}, {"NS", 'n'}, {"2.0", 'v'}}, {{'n', "NS"}, {'v', "2.0"}}},
    {"PendingLetterClearedByValue",
     {"prog", "-n", "NS", "a", "b"}, "n", {{"NS", 'n'}, {"a", '\0'}, {"b", '\0'}}, {{'n', "NS"}}},
    {"EmptyWordIsPositional", {"prog", ""}, "", {{"", '\0'}}, {}},
    {"EmptyWordIsAValue", {"prog", "-n", "", "x"}, "n", {{"", 'n'}, {"x", '\0'}}, {{'n', ""}}},
    {"DoubleDashIsTheDashLetter", {"prog", "--", "x"}, "-", {{"x", '-'}}, {{'-', "x"}}},
    {"DuplicateLettersInCluster", {"prog", "-nnvn", "x"}, "nv", {{"x", 'n'}}, {{'n', "x"}}},
    {"DashInsideWordIsNotAnOption", {"prog", "a-b", "-"}, "", {{"a-b", '\0'}}, {}},
    {"NonAsciiBytes",
     {"prog", "-\xc3\xa9", "caf\xc3\xa9", "\xff"}, "\xc3\xa9",
     {{"caf\xc3\xa9", '\xa9'}, {"\xff", '\0'}}, {{'\xa9', "caf\xc3\xa9"}}},
    {"VeryLongWords",
     {"prog", longCluster(), longValue()}, "abcdefghijklmnopqrstuvwxyzQ",
     {{longValue(), 'Q'}}, {{'Q', longValue()}}},
};

// Keeps failure output readable: the case name, not a byte dump.
void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.name;
}

class CommandLineParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineParse, ProducesExpectedViews)
{
    const ParseCase& c = GetParam();
    const CommandLine cl(c.words);

    EXPECT_EQ(cl.hasArguments(), c.words.size() > 1);

    // Every possible letter, so that stray options or bindings show up too.
    EXPECT_EQ(cl.optionCount(), static_cast<int>(c.options.size()));
    for (int i = CHAR_MIN; i <= CHAR_MAX; ++i) {
        const char letter = static_cast<char>(i);
        SCOPED_TRACE(testing::Message() << "letter code " << i);
        EXPECT_EQ(cl.hasOption(letter), c.options.find(letter) != std::string::npos);
        const auto bound = c.flagged.find(letter);
        EXPECT_EQ(cl.optionFlagsArgument(letter), bound != c.flagged.end());
        EXPECT_EQ(cl.getFlaggedVariable(letter),
                  bound != c.flagged.end() ? bound->second : std::string());
    }

    EXPECT_EQ(cl.variableCount(), static_cast<int>(c.positional.size()));
    for (unsigned i = 0; i < c.positional.size(); ++i)
        EXPECT_EQ(cl.getVariableByPosition(i + 1), c.positional[i].first) << "position " << i + 1;
    EXPECT_EQ(cl.getVariableByPosition(static_cast<unsigned>(c.positional.size()) + 1), "");
    EXPECT_EQ(cl.getVariableByPosition(UINT_MAX), "");

    EXPECT_EQ(cl.getVariablesWithBinding(), c.positional);
    EXPECT_EQ(cl.getProgramName(), "prog");
    EXPECT_EQ(cl.getVariableByPosition(0), "prog");
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLineParse, ::testing::ValuesIn(kParseCases),
                         [](const testing::TestParamInfo<ParseCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(CommandLineProgramName, StripsEverythingUpToLastSeparator)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\tools\\conv.exe", "conv.exe"},
        {"./conv", "conv"},
        {"conv", "conv"},
        {"/usr/local/bin/conv", "conv"},
        {"C:\\tools/bin\\conv", "conv"},
        {"tools\\bin/conv", "conv"},
        {"tools/", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        const CommandLine cl(std::vector<std::string>{c.first, "-n", "NS", "in.xml"});
        EXPECT_EQ(cl.getProgramName(), c.second) << "path " << c.first;
        EXPECT_EQ(cl.getVariableByPosition(0), c.first);
    }
}

TEST(CommandLineProgramName, ComesFromFirstWordNotStartingWithDash)
{
    // Without a leading program path the first plain word takes position 0,
    // and with no plain word at all there is no name.
    const CommandLine shifted(std::vector<std::string>{"-x", "dir/word", "in.xml"});
    EXPECT_EQ(shifted.getProgramName(), "word");
    EXPECT_EQ(shifted.getFlaggedVariable('x'), "dir/word");
    EXPECT_EQ(shifted.variableCount(), 1);
    EXPECT_EQ(shifted.getVariableByPosition(1), "in.xml");
    EXPECT_EQ(shifted.getVariablesWithBinding(), (std::vector<Binding>{{"in.xml", '\0'}}));

    const CommandLine dashesOnly(std::vector<std::string>{"-x", "-", "-n"});
    EXPECT_TRUE(dashesOnly.hasArguments());
    EXPECT_EQ(dashesOnly.getProgramName(), "");
    EXPECT_EQ(dashesOnly.variableCount(), 0);
    EXPECT_EQ(dashesOnly.getVariableByPosition(0), "");
    EXPECT_EQ(dashesOnly.optionCount(), 2);
    EXPECT_TRUE(dashesOnly.getVariablesWithBinding().empty());
}

TEST(CommandLineOptionSets, AllowedAndMandatoryLetters)
{
    struct Case {
        std::vector<std::string> words;
        std::string letters;
        bool allIn;
        bool mandatory;
    };
    const Case cases[] = {
        {{"prog", "-x"}, "hHnv", false, false},
        {{"prog", "-n", "NS", "-x"}, "hHnv", false, false},
        {{"prog", "-nx"}, "hHnv", false, false},
        {{"prog", "-n", "NS", "-v", "1"}, "hHnv", true, false},
        {{"prog", "-v", "1"}, "n", false, false},
        {{"prog", "-nv"}, "n", false, true},
        {{"prog", "-nv"}, "nv", true, true},
        {{"prog", "-nv"}, "vn", true, true},
        {{"prog", "-n"}, "nn", true, true},
        {{"prog", "-n"}, "", false, true},
        {{"prog", "n", "v"}, "nv", true, false},
        {{"prog"}, "", true, true},
        {{"prog"}, "hHnv", true, false},
    };
    for (const Case& c : cases) {
        const CommandLine cl(c.words);
        std::string line;
        for (const std::string& w : c.words)
            line += w + ' ';
        EXPECT_EQ(cl.hasAllOptionsIn(c.letters), c.allIn) << line << "| letters " << c.letters;
        EXPECT_EQ(cl.hasMandatoryOptions(c.letters), c.mandatory) << line << "| letters " << c.letters;
    }
}

TEST(CommandLineArgv, ZeroOrMissingArgumentsGiveEmptyViews)
{
    char* terminatorOnly[] = {nullptr};
    const CommandLine fromZero(0, terminatorOnly);
    const CommandLine fromNull(3, nullptr);
    const CommandLine fromNegative(-1, terminatorOnly);
    for (const CommandLine* cl : {&fromZero, &fromNull, &fromNegative}) {
        EXPECT_FALSE(cl->hasArguments());
        EXPECT_EQ(cl->optionCount(), 0);
        EXPECT_EQ(cl->variableCount(), 0);
        EXPECT_EQ(cl->getProgramName(), "");
        EXPECT_EQ(cl->getVariableByPosition(0), "");
        EXPECT_EQ(cl->getVariableByPosition(1), "");
        EXPECT_FALSE(cl->optionFlagsArgument('n'));
        EXPECT_EQ(cl->getFlaggedVariable('n'), "");
        EXPECT_TRUE(cl->hasAllOptionsIn(""));
        EXPECT_TRUE(cl->hasMandatoryOptions(""));
        EXPECT_FALSE(cl->hasMandatoryOptions("n"));
        EXPECT_TRUE(cl->getVariablesWithBinding().empty());
    }
}

TEST(CommandLineArgv, CopiesWordsAndReadsNullEntryAsEmptyWord)
{
    char prog[] = "/opt/bin/conv";
    char flag[] = "-n";
    char value[] = "NS";
    char input[] = "in.xml";
    char* argv[] = {prog, flag, value, nullptr, input, nullptr};
    const CommandLine cl(5, argv);

    // The caller's buffers may change or go away; the parsed views must not.
    std::memset(prog, 'z', sizeof prog - 1);
    std::memset(value, 'z', sizeof value - 1);
    std::memset(input, 'z', sizeof input - 1);
    flag[1] = 'q';

    EXPECT_EQ(cl.getProgramName(), "conv");
    EXPECT_TRUE(cl.hasOption('n'));
    EXPECT_FALSE(cl.hasOption('q'));
    EXPECT_EQ(cl.getFlaggedVariable('n'), "NS");
    EXPECT_EQ(cl.variableCount(), 3);
    EXPECT_EQ(cl.getVariablesWithBinding(),
              (std::vector<Binding>{{"NS", 'n'}, {"", '\0'}, {"in.xml", '\0'}}));
}

TEST(CommandLineArgv, CountOnlyLimitsTheWordsRead)
{
    char prog[] = "conv";
    char flag[] = "-v";
    char value[] = "7";
    char* argv[] = {prog, flag, value, nullptr};
    const CommandLine cl(2, argv);
    EXPECT_TRUE(cl.hasArguments());
    EXPECT_TRUE(cl.hasOption('v'));
    EXPECT_FALSE(cl.optionFlagsArgument('v'));
    EXPECT_EQ(cl.variableCount(), 0);
}

TEST(CommandLineProcess, RunningAgainGivesTheSameViews)
{
    CommandLine cl(std::vector<std::string>{"prog", "-n", "a", "in.xml", "-v"});
    cl.processArguments();
    EXPECT_EQ(cl.optionCount(), 2);
    EXPECT_EQ(cl.variableCount(), 2);
    EXPECT_EQ(cl.getFlaggedVariable('n'), "a");
    EXPECT_FALSE(cl.optionFlagsArgument('v'));
    EXPECT_EQ(cl.getVariablesWithBinding(), (std::vector<Binding>{{"a", 'n'}, {"in.xml", '\0'}}));
}

TEST(CommandLineBinding, FindsFirstWordNotTakenByNamespaceOrVersion)
{
    // The driver's lookup: the first positional word that was not read as the
    // value of -n or -v, while values of other letters still count.
    const auto firstFree = [](const CommandLine& cl) {
        for (const Binding& b : cl.getVariablesWithBinding()) {
            if (b.second != 'n' && b.second != 'v')
                return b.first;
        }
        return std::string();
    };
    EXPECT_EQ(firstFree(CommandLine({"prog", "-n", "NS", "-v", "2", "in.xml"})), "in.xml");
    EXPECT_EQ(firstFree(CommandLine({"prog", "-n", "a", "-n", "b", "in.xml"})), "in.xml");
    EXPECT_EQ(firstFree(CommandLine({"prog", "-x", "val", "in.xml"})), "val");
    EXPECT_EQ(firstFree(CommandLine({"prog", "-nx", "val", "in.xml"})), "val");
    EXPECT_EQ(firstFree(CommandLine({"prog", "-xn", "NS", "in.xml"})), "in.xml");
    EXPECT_EQ(firstFree(CommandLine({"prog", "-n", "-", "NS", "in.xml"})), "in.xml");
    EXPECT_EQ(firstFree(CommandLine({"prog", "-v", "2"})), "");
}

} // namespace
