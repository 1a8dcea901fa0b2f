#include "text/tString.h"

#include "text/porterExtern.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> tokensOf(tString& t) {
    std::vector<std::string> out;
    while (t.nextToken())
        out.push_back(t.getToken());
    return out;
}

std::vector<std::string> tokensOf(const std::string& text) {
    tString t(text);
    return tokensOf(t);
}

using Tokens = std::vector<std::string>;

TEST(TStringTokenize, SplitsOnEachDefaultDelimiter) {
    const std::string delimiters = tString::defaultDelimiters;
    ASSERT_EQ(delimiters.size(), 24u);
    for (char d : std::string("| ,-(){}[]*&@\\\t/.:;!?_\"'")) {
        EXPECT_NE(delimiters.find(d), std::string::npos) << "missing delimiter " << d;
        EXPECT_EQ(tokensOf(std::string("ab") + d + "cd"), (Tokens{"ab", "cd"}))
            << "delimiter " << d;
    }
    for (char c : std::string("+#=~<>$%^0\n\x80\xE9")) {
        const std::string text = std::string("ab") + c + "cd";
        EXPECT_EQ(tokensOf(text), (Tokens{text})) << "byte " << static_cast<int>(c);
    }
}

TEST(TStringTokenize, MakesNoEmptyOrExtraTokens) {
    EXPECT_EQ(tokensOf("a--b"), (Tokens{"a", "b"}));
    EXPECT_EQ(tokensOf("  (x) ,, y"), (Tokens{"x", "y"}));
    EXPECT_EQ(tokensOf("aspirin (oral)"), (Tokens{"aspirin", "oral"}));
    EXPECT_EQ(tokensOf("tablet."), (Tokens{"tablet"}));
    EXPECT_EQ(tokensOf(""), Tokens{});
    EXPECT_EQ(tokensOf("| ,-(){}[]*&@\\\t/.:;!?_\"'"), Tokens{});

    tString closing("aspirin (oral)");
    closing.tokenize();
    EXPECT_EQ(closing.getNumberOfTokens(), 2u);
    EXPECT_EQ(closing.getTokenSequence(), "aspirin oral");
    EXPECT_EQ(tString("(oral)").getAlphaStemSequence(), "oral");
    EXPECT_EQ(tString("").getAlphaStemSequence(), "");
    EXPECT_EQ(tString(" -- ").getAlphaStemSequence(), "");
}

TEST(TStringTokenize, UsesAGivenDelimiterSet) {
    tString t("a b;c;;d;");
    t.tokenize(";");
    EXPECT_EQ(tokensOf(t), (Tokens{"a b", "c", "d"}));

    // Bytes above 0x7F work as delimiters too.
    tString high("x\xE9y\xE9\xE9z");
    high.tokenize("\xE9");
    EXPECT_EQ(tokensOf(high), (Tokens{"x", "y", "z"}));

    // With no delimiters the whole text is one token.
    tString whole("a b");
    whole.tokenize("");
    EXPECT_EQ(tokensOf(whole), (Tokens{"a b"}));
}

TEST(TStringTokenize, BuildsTheListOnceAndAppendsOnExplicitCalls) {
    tString t("b a");
    t.tokenize();
    // Operations that need tokens reuse the list.
    EXPECT_EQ(t.getAlphaStemSequence(), "a b");
    EXPECT_EQ(t.getNumberOfTokens(), 2u);
    // An explicit call appends to the list as it stands.
    t.tokenize();
    EXPECT_EQ(t.getNumberOfTokens(), 4u);
    EXPECT_EQ(t.getTokenSequence(), "b a b a");
}

TEST(TStringConstruction, TakesTheTextAndStartsUntokenized) {
    EXPECT_EQ(tString(), "");
    EXPECT_EQ(tString("tablets"), "tablets");
    EXPECT_EQ(tString("tablets", 3), "tab");
    EXPECT_EQ(tString(std::string("oral tablets"), 5, 100), "tablets");
    EXPECT_EQ(tString(std::string("oral tablets"), 0, std::string::npos), "oral tablets");
    EXPECT_EQ(tString(std::string("oral tablets")), "oral tablets");
    EXPECT_EQ(tString(3, 'z'), "zzz");

    tString t(std::string("b a"), 0, std::string::npos);
    EXPECT_EQ(t.getNumberOfTokens(), 0u);
    EXPECT_EQ(t.getTokenNumber(0), "");
    EXPECT_EQ(t.getBaseString(), "b a");
    EXPECT_EQ(t.getAlphaStemSequence(), "a b");
    EXPECT_EQ(t.getNumberOfTokens(), 2u);
}

TEST(TStringStems, GivesTheNormalisedTermKey) {
    EXPECT_EQ(tString("aspirin 325 mg oral tablets").getAlphaStemSequence(),
              "325 aspirin mg oral tablet");
    EXPECT_EQ(tString("of the and or").getAlphaStemSequence(), "");
    EXPECT_EQ(tString("b a a").getAlphaStemSequence(), "a a b");
    // Stop words are matched case-sensitively and as whole tokens.
    EXPECT_EQ(tString("Of the mice").getAlphaStemSequence(), "Of mice");
    EXPECT_EQ(tString("theory of or-bits").getAlphaStemSequence(), "bits theori");
    EXPECT_EQ(tString("ties, ponies").getAlphaStemSequence(), "poni ties");
    EXPECT_EQ(tString("relational generalizations").getAlphaStemSequence(), "gener relat");
    // Byte-wise order: bytes above 0x7F sort after ASCII letters.
    EXPECT_EQ(tString("\xE9t\xE9 zeta").getAlphaStemSequence(), "zeta \xE9t\xE9");
}

TEST(TStringStems, AlphaStemSequenceEqualsTheJoinedStemSet) {
    const std::vector<std::string> words = {
        "of",      "the",        "and", "or",  "Of",     "tablets",         "ponies",
        "ties",    "relational", "a",   "b",   "zz",     "generalizations", "\xE9t\xE9s",
        "hopping", "caresses",   "x",   "325", "yyyyed", "possibly",        "oscillators",
        "TABLETS", "mg"};
    const std::vector<std::string> gaps = {" ", "  ", "-", ", ", "(", ")", " (", "/", "\t"};
    std::mt19937 random(20240601u);
    for (int round = 0; round < 500; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 8);
        for (int i = 0; i < count; ++i) {
            if (random() % 2)
                text += gaps[random() % gaps.size()];
            text += words[random() % words.size()];
            text += gaps[random() % gaps.size()];
        }
        tString viaSet(text);
        std::multiset<std::string> stems;
        viaSet.fillStemSet(stems);
        std::string joined;
        for (const std::string& s : stems)
            joined += (joined.empty() ? "" : " ") + s;
        // An empty stem cannot occur, so the join above is unambiguous.
        EXPECT_EQ(tString(text).getAlphaStemSequence(), joined) << "text: " << text;
    }
}

TEST(TStringStems, FillStemSetAddsToTheSetAndEndsTheCursor) {
    std::multiset<std::string> stems = {"zzz", "poni"};
    tString t("ponies of the tablets");
    t.fillStemSet(stems);
    EXPECT_EQ(stems, (std::multiset<std::string>{"poni", "poni", "tablet", "zzz"}));
    EXPECT_FALSE(t.nextToken());
    EXPECT_TRUE(t.previousToken());

    tString key("ponies tablets");
    EXPECT_EQ(key.getAlphaStemSequence(), "poni tablet");
    EXPECT_FALSE(key.nextToken());
}

TEST(TStringStems, StemWStemsOnlyWordsLongerThanFourBytes) {
    EXPECT_EQ(tString::stemW("ties"), "ties");
    {
        char buffer[] = "ties";
        EXPECT_EQ(stem(buffer, 0, 3), 1); // the stemmer alone gives "ti"
    }
    EXPECT_EQ(tString::stemW("cats"), "cats");
    EXPECT_EQ(tString::stemW("hopes"), "hope");
    EXPECT_EQ(tString::stemW("ponies"), "poni");
    EXPECT_EQ(tString::stemW("TABLETS"), "TABLETS");
    EXPECT_EQ(tString::stemW(""), "");
}

TEST(TStringStems, HandlesWordsOfAnyLength) {
    const std::string xs(100000, 'x');
    EXPECT_EQ(tString::stemW(xs + "eating"), xs + "eat");
    EXPECT_EQ(tString::stemW("xxeating"), "xxeat");
    EXPECT_EQ(tString::stemW(xs + "ing"), xs + "ing");

    std::string abs;
    for (int i = 0; i < 50000; ++i)
        abs += "ab";
    EXPECT_EQ(tString::stemW(abs + "izations"), abs);
    EXPECT_EQ(tString::stemW("ababizations"), "abab");

    tString text("oral " + abs + "ational tablets");
    EXPECT_EQ(text.getAlphaStemSequence(), abs + " oral tablet");
    EXPECT_EQ(tString(std::string(100000, 'y')).getStemSequence(), std::string(99999, 'y') + "i");
}

TEST(TStringCursor, WalksTheTokensInOrder) {
    tString t("ponies, relational x");
    EXPECT_TRUE(t.nextToken());
    EXPECT_FALSE(t.previousToken());
    EXPECT_EQ(t.getTokenStem(), "poni");
    EXPECT_EQ(t.getTokenStem(), "poni"); // does not advance
    EXPECT_EQ(t.getToken(), "ponies");
    EXPECT_TRUE(t.previousToken());
    EXPECT_EQ(t.getTokenStem(), "relat");
    EXPECT_EQ(t.getToken(), "relational");
    EXPECT_EQ(t.getToken(), "x");
    EXPECT_FALSE(t.nextToken());
    EXPECT_EQ(t.getToken(), "");
    EXPECT_EQ(t.getTokenStem(), "");

    tString empty("");
    EXPECT_FALSE(empty.nextToken());
    EXPECT_FALSE(empty.previousToken());
}

TEST(TStringCursor, TokenNumberAndSequencesLeaveOrEndTheCursorAsDocumented) {
    tString t("b a the");
    EXPECT_EQ(t.getTokenNumber(0), ""); // not tokenized yet
    EXPECT_EQ(t.getToken(), "b");
    EXPECT_EQ(t.getTokenNumber(0), "b");
    EXPECT_EQ(t.getTokenNumber(2), "the");
    EXPECT_EQ(t.getTokenNumber(3), "");
    EXPECT_EQ(t.getAlphaTokenSequence(), "a b the");
    EXPECT_EQ(t.getStemSequence(), "b a the");
    EXPECT_EQ(t.getSentenceCase(), tString::allLowerCase);
    EXPECT_EQ(t.getToken(), "a"); // none of the above moved the cursor
    EXPECT_EQ(t.getTokenSequence(), "b a the");
    EXPECT_FALSE(t.nextToken());
}

TEST(TStringCursor, CopiesKeepTheCursorInTheirOwnList) {
    auto original = std::make_unique<tString>("one two three");
    EXPECT_EQ(original->getToken(), "one");

    tString copy(*original);
    tString assigned("x y z w");
    assigned.tokenize();
    assigned = *original;
    original.reset();

    EXPECT_EQ(copy.getToken(), "two");
    EXPECT_EQ(copy.getToken(), "three");
    EXPECT_FALSE(copy.nextToken());
    EXPECT_EQ(assigned.getNumberOfTokens(), 3u);
    EXPECT_EQ(assigned.getToken(), "two");
    EXPECT_TRUE(assigned.nextToken());

    tString untokenized("b a");
    tString copyOfUntokenized(untokenized);
    EXPECT_EQ(copyOfUntokenized.getNumberOfTokens(), 0u);
    EXPECT_EQ(copyOfUntokenized.getAlphaStemSequence(), "a b");
}

TEST(TStringSequences, FillTokenSetsWithEveryToken) {
    tString t("b,a b the");
    std::multiset<std::string> texts = {"c"};
    t.fillTokenSet(texts);
    EXPECT_EQ(texts, (std::multiset<std::string>{"a", "b", "b", "c", "the"}));

    std::multiset<tString> strings;
    t.fillTokenSet(strings);
    std::vector<std::string> inOrder(strings.begin(), strings.end());
    EXPECT_EQ(inOrder, (Tokens{"a", "b", "b", "the"}));
    EXPECT_EQ(t.getStemSequence(), "b a b the");
    EXPECT_EQ(tString("the ponies ran").getStemSequence(), "the poni ran");
    EXPECT_EQ(tString("").getTokenSequence(), "");
    EXPECT_EQ(tString("").getAlphaTokenSequence(), "");
}

TEST(TStringCase, ChangesOnlyAsciiLetters) {
    const tString mixed("AbC z-9 \xC9\xE9");
    const tString lowered = mixed.toLower();
    EXPECT_EQ(lowered, "abc z-9 \xC9\xE9");
    EXPECT_EQ(mixed.toLower('?'), "abc z-9 \xC9\xE9");
    EXPECT_EQ(tString::toLower("ASPIRIN Tablet"), "aspirin tablet");
    EXPECT_EQ(tString::toUpper("aspirin Tablet \xE9"), "ASPIRIN TABLET \xE9");
    EXPECT_EQ(mixed, "AbC z-9 \xC9\xE9"); // unchanged
}

TEST(TStringCase, ClassifiesWholeTexts) {
    EXPECT_TRUE(tString("Aspirin").isTitleCase());
    EXPECT_TRUE(tString("A").isTitleCase());
    EXPECT_FALSE(tString("ASPIRIN").isTitleCase());
    EXPECT_FALSE(tString("aspirin").isTitleCase());
    EXPECT_FALSE(tString("Aspirin2").isTitleCase());
    EXPECT_FALSE(tString("").isTitleCase());
    EXPECT_FALSE(tString("\xC9t\xE9").isTitleCase());

    EXPECT_TRUE(tString("ASPIRIN").isAllUpperCase());
    EXPECT_FALSE(tString("ASPIRIN 1").isAllUpperCase());
    EXPECT_FALSE(tString("CAF\xC9").isAllUpperCase());
    EXPECT_TRUE(tString("").isAllUpperCase());

    EXPECT_TRUE(tString("aspirin").isAllLowerCase());
    EXPECT_FALSE(tString("aspirin tablet").isAllLowerCase());
    EXPECT_FALSE(tString("caf\xE9").isAllLowerCase());
    EXPECT_TRUE(tString("").isAllLowerCase());
}

TEST(TStringCase, JudgesSentenceCaseOverTheTokens) {
    EXPECT_EQ(tString("Aspirin Oral-Tablet").getSentenceCase(), tString::titleCase);
    EXPECT_EQ(tString("A B").getSentenceCase(), tString::titleCase);
    EXPECT_EQ(tString("ASPIRIN (ORAL)").getSentenceCase(), tString::allUpperCase);
    EXPECT_EQ(tString("aspirin, oral").getSentenceCase(), tString::allLowerCase);
    EXPECT_EQ(tString("Aspirin oral").getSentenceCase(), tString::mixedCase);
    EXPECT_EQ(tString("aspirin 325").getSentenceCase(), tString::mixedCase);
    EXPECT_EQ(tString("").getSentenceCase(), tString::titleCase);
    EXPECT_EQ(tString::allLowerCase, 0);
    EXPECT_EQ(tString::allUpperCase, 1);
    EXPECT_EQ(tString::titleCase, 2);
    EXPECT_EQ(tString::mixedCase, 3);
}

TEST(TStringCase, ComparesSentenceCasesByRank) {
    const std::map<tString::sentenceCase, int> ranks = {
        {tString::allLowerCase, 0}, {tString::allUpperCase, 5}, {tString::titleCase, 2}};

    tString lower("aspirin oral");
    EXPECT_EQ(lower.compareCase(tString("ASPIRIN"), ranks), -1);
    EXPECT_EQ(lower.compareCase(tString("oral"), ranks), 0);
    EXPECT_EQ(tString("ASPIRIN").compareCase(tString("Aspirin"), ranks), 1);
    EXPECT_EQ(tString("Aspirin").compareCase(lower, ranks), 1);
    // A case missing from the map ranks lowest.
    EXPECT_EQ(tString("aspirin Oral").compareCase(lower, ranks), -1);

    // The other text keeps its token list as it was.
    const tString other("ORAL TABLET");
    lower.compareCase(other, ranks);
    EXPECT_EQ(other.getNumberOfTokens(), 0u);
}

TEST(TStringCompare, ComparesTheTexts) {
    EXPECT_TRUE(tString("abc") == tString("abc"));
    EXPECT_FALSE(tString("abc") == tString("abd"));
    EXPECT_TRUE(tString("abc") < tString("abd"));
    EXPECT_TRUE(tString("ab") < tString("abc"));
    EXPECT_TRUE(tString("z") < tString("\xE9"));
    EXPECT_FALSE(tString("abc") < tString("abc"));

    // Token state plays no part.
    tString tokenized("a b");
    tokenized.tokenize();
    EXPECT_TRUE(tokenized == tString("a b"));

    // It is a std::string wherever one is expected.
    const std::string& base = tokenized;
    EXPECT_EQ(base.size(), 3u);
    EXPECT_TRUE(tokenized == std::string("a b"));
    EXPECT_TRUE(std::string("a b") == tokenized);
    EXPECT_TRUE(tokenized == "a b");
    EXPECT_TRUE("a b" == tokenized);
    EXPECT_TRUE(tokenized < std::string("a c"));
    EXPECT_TRUE(tokenized < "a c");
    EXPECT_TRUE(tokenized != "a c");
}

} // namespace
