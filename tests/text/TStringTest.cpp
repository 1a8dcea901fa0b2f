#include "text/tString.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using Tokens = std::vector<std::string>;

Tokens tokensOf(tString& t)
{
    Tokens out;
    while (t.nextToken())
        out.push_back(t.getToken());
    return out;
}

Tokens tokensOf(const std::string& text)
{
    tString t(text);
    return tokensOf(t);
}

TEST(TStringTokenize, SplitsOnEachDefaultDelimiterOnly)
{
    ASSERT_EQ(std::string(tString::defaultDelimiters).size(), 24u);
    for (char d : std::string("| ,-(){}[]*&@\\\t/.:;!?_\"'"))
        EXPECT_EQ(tokensOf(std::string("ab") + d + "cd"), (Tokens { "ab", "cd" })) << d;
    for (char c : std::string("+#=~<>$%^0\n\x80\xE9")) {
        const std::string text = std::string("ab") + c + "cd";
        EXPECT_EQ(tokensOf(text), (Tokens { text })) << static_cast<int>(c);
    }
}

TEST(TStringTokenize, MakesNoEmptyTokensAndNoTrailingTokenOfTheWholeText)
{
    const std::pair<const char*, Tokens> cases[] = { { "a--b", { "a", "b" } },
        { "  (x) ,, y", { "x", "y" } }, { "aspirin (oral)", { "aspirin", "oral" } },
        { "tablet.", { "tablet" } }, { "", {} }, { "| ,-(){}[]*&@\\\t/.:;!?_\"'", {} } };
    for (const auto& c : cases) {
        EXPECT_EQ(tokensOf(c.first), c.second) << c.first;
        tString t(c.first);
        t.tokenize();
        EXPECT_EQ(t.getNumberOfTokens(), c.second.size()) << c.first;
    }
    EXPECT_EQ(tString("(oral)").getAlphaStemSequence(), "oral");
    EXPECT_EQ(tString(" -- ").getAlphaStemSequence(), "");
}

TEST(TStringTokenize, UsesAGivenDelimiterSetAndAppendsOnExplicitCalls)
{
    // Bytes above 0x7F work as delimiters too; with none the text is one token.
    tString semicolons("a b;c;;d;"), high("x\xE9y\xE9\xE9z"), whole("a b");
    semicolons.tokenize(";");
    high.tokenize("\xE9");
    whole.tokenize("");
    EXPECT_EQ(tokensOf(semicolons), (Tokens { "a b", "c", "d" }));
    EXPECT_EQ(tokensOf(high), (Tokens { "x", "y", "z" }));
    EXPECT_EQ(tokensOf(whole), (Tokens { "a b" }));

    // Operations that need tokens reuse the list; an explicit call appends.
    tString t("b a");
    t.tokenize();
    EXPECT_EQ(t.getAlphaStemSequence(), "a b");
    t.tokenize();
    EXPECT_EQ(t.getTokenSequence(), "b a b a");
}

TEST(TStringStems, GivesTheNormalisedTermKey)
{
    const std::pair<const char*, const char*> cases[] = {
        { "aspirin 325 mg oral tablets", "325 aspirin mg oral tablet" },
        { "of the and or", "" },
        { "b a a", "a a b" },
        // Stop words are matched case-sensitively and as whole tokens.
        { "Of the mice", "Of mice" },
        { "theory of or-bits", "bits theori" },
        { "ties, ponies", "poni ties" },
        { "relational generalizations", "gener relat" },
        // Byte-wise order: bytes above 0x7F sort after ASCII letters.
        { "\xE9t\xE9 zeta", "zeta \xE9t\xE9" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(tString(c.first).getAlphaStemSequence(), c.second) << c.first;
}

TEST(TStringStems, StemWStemsOnlyWordsLongerThanFourBytesOfAnyLength)
{
    const std::string xs(100000, 'x');
    std::string abs;
    for (int i = 0; i < 50000; ++i)
        abs += "ab";
    // The stemmer alone makes "ti" of "ties".
    const std::pair<std::string, std::string> cases[] = { { "ties", "ties" }, { "cats", "cats" },
        { "hopes", "hope" }, { "ponies", "poni" }, { "TABLETS", "TABLETS" }, { "", "" },
        { "xxeating", "xxeat" }, { xs + "eating", xs + "eat" }, { xs + "ing", xs + "ing" },
        { abs + "izations", abs } };
    for (const auto& c : cases)
        EXPECT_EQ(tString::stemW(c.first), c.second) << c.first.substr(0, 20);
    EXPECT_EQ(
        tString("oral " + abs + "ational tablets").getAlphaStemSequence(), abs + " oral tablet");
    EXPECT_EQ(tString(std::string(100000, 'y')).getStemSequence(), std::string(99999, 'y') + "i");
}

TEST(TStringCursor, WalksTheTokensAndOnlyTheDocumentedCallsMoveIt)
{
    tString t("ponies, relational the");
    EXPECT_EQ(t.getTokenNumber(0), ""); // not tokenized yet
    EXPECT_TRUE(t.nextToken());
    EXPECT_FALSE(t.previousToken());
    EXPECT_EQ(t.getTokenStem(), "poni"); // does not advance
    EXPECT_EQ(t.getToken(), "ponies");
    EXPECT_TRUE(t.previousToken());
    EXPECT_EQ(t.getTokenNumber(2), "the");
    EXPECT_EQ(t.getTokenNumber(3), "");
    EXPECT_EQ(t.getAlphaTokenSequence(), "ponies relational the");
    EXPECT_EQ(t.getStemSequence(), "poni relat the");
    EXPECT_EQ(t.getSentenceCase(), tString::allLowerCase);
    std::multiset<std::string> texts = { "c" };
    t.fillTokenSet(texts);
    EXPECT_EQ(texts, (std::multiset<std::string> { "c", "ponies", "relational", "the" }));
    std::multiset<tString> strings;
    t.fillTokenSet(strings);
    EXPECT_EQ(Tokens(strings.begin(), strings.end()), (Tokens { "ponies", "relational", "the" }));
    EXPECT_EQ(t.getToken(), "relational"); // none of the above moved the cursor
    EXPECT_EQ(t.getToken(), "the");
    EXPECT_FALSE(t.nextToken());
    EXPECT_EQ(t.getToken(), "");
    EXPECT_EQ(t.getTokenStem(), "");
}

TEST(TStringCase, ChangesAndClassifiesOnlyAsciiLetters)
{
    const tString mixed("AbC z-9 \xC9\xE9");
    EXPECT_EQ(mixed.toLower(), "abc z-9 \xC9\xE9");
    EXPECT_EQ(tString::toUpper("aspirin Tablet \xE9"), "ASPIRIN TABLET \xE9");
    EXPECT_EQ(mixed, "AbC z-9 \xC9\xE9");

    struct Case {
        const char* text;
        bool title, upper, lower;
    };
    const Case cases[] = {
        { "Aspirin", true, false, false },
        { "A", true, true, false },
        { "ASPIRIN", false, true, false },
        { "aspirin", false, false, true },
        { "", false, true, true },
        { "CAF\xC9", false, false, false },
        { "aspirin tablet", false, false, false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tString(c.text).isTitleCase(), c.title) << c.text;
        EXPECT_EQ(tString(c.text).isAllUpperCase(), c.upper) << c.text;
        EXPECT_EQ(tString(c.text).isAllLowerCase(), c.lower) << c.text;
    }
}

TEST(TStringCase, JudgesAndRanksSentenceCaseOverTheTokens)
{
    const std::pair<const char*, tString::sentenceCase> cases[]
        = { { "Aspirin Oral-Tablet", tString::titleCase }, { "A B", tString::titleCase },
              { "ASPIRIN (ORAL)", tString::allUpperCase },
              { "aspirin, oral", tString::allLowerCase }, { "Aspirin oral", tString::mixedCase },
              { "aspirin 325", tString::mixedCase }, { "", tString::titleCase } };
    for (const auto& c : cases)
        EXPECT_EQ(tString(c.first).getSentenceCase(), c.second) << c.first;

    const std::map<tString::sentenceCase, int> ranks
        = { { tString::allLowerCase, 0 }, { tString::allUpperCase, 5 }, { tString::titleCase, 2 } };
    tString lower("aspirin oral");
    EXPECT_EQ(lower.compareCase(tString("ASPIRIN"), ranks), -1);
    EXPECT_EQ(lower.compareCase(tString("oral"), ranks), 0);
    EXPECT_EQ(tString("Aspirin").compareCase(lower, ranks), 1);
    // A case missing from the map ranks lowest.
    EXPECT_EQ(tString("aspirin Oral").compareCase(lower, ranks), -1);
    // The other text keeps its token list as it was.
    const tString other("ORAL TABLET");
    lower.compareCase(other, ranks);
    EXPECT_EQ(other.getNumberOfTokens(), 0u);
}

} // namespace
