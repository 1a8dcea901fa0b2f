#include "text/porterExtern.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Runs stem() over the whole of word and returns the stem.
std::string stemmed(const std::string& word) {
    std::string buffer(word);
    int last = stem(&buffer[0], 0, static_cast<int>(buffer.size()) - 1);
    return buffer.substr(0, static_cast<std::size_t>(last) + 1);
}

TEST(PorterStemmer, StemsReferenceWords) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"caresses", "caress"},
        {"ponies", "poni"},
        {"ties", "ti"},
        {"caress", "caress"},
        {"cats", "cat"},
        {"feed", "feed"},
        {"agreed", "agre"},
        {"plastered", "plaster"},
        {"bled", "bled"},
        {"motoring", "motor"},
        {"sing", "sing"},
        {"hopping", "hop"},
        {"falling", "fall"},
        {"hissing", "hiss"},
        {"fizzed", "fizz"},
        {"filing", "file"},
        {"happy", "happi"},
        {"sky", "sky"},
        {"relational", "relat"},
        {"generalizations", "gener"},
        {"oscillators", "oscil"},
        {"possibly", "possibl"},
        {"archaeology", "archaeolog"},
        {"is", "is"},
    };
    for (const auto& [word, expected] : cases)
        EXPECT_EQ(stemmed(word), expected) << "word: " << word;
}

TEST(PorterStemmer, AppliesEachStepOfTheRules) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        // step 1ab: -eed needs m > 0; -ed/-ing need a vowel before them
        {"agreed", "agre"},
        {"conflated", "conflat"}, // -at gains e, which step 5 takes off again
        {"troubled", "troubl"},
        {"sized", "size"},
        {"tanned", "tan"},
        // step 1c
        {"crazy", "crazi"},
        {"cry", "cry"},
        // step 2, one word per row
        {"conditional", "condit"},
        {"valency", "valenc"},
        {"digitizer", "digit"},
        {"radically", "radic"},
        {"vileli", "vile"},
        {"operator", "oper"},
        {"hopefulness", "hope"},
        {"formaliti", "formal"},
        {"sensitiviti", "sensit"},
        {"sensibiliti", "sensibl"},
        // step 3
        {"triplicate", "triplic"},
        {"formative", "form"},
        {"electriciti", "electr"},
        {"goodness", "good"},
        // step 4: -ion only after s or t
        {"adoption", "adopt"},
        {"communion", "communion"},
        {"homologou", "homolog"},
        {"adjustment", "adjust"},
        {"dependent", "depend"},
        // step 5
        {"probate", "probat"},
        {"rate", "rate"},
        {"cease", "ceas"},
        {"controll", "control"},
        {"roll", "roll"},
    };
    for (const auto& [word, expected] : cases)
        EXPECT_EQ(stemmed(word), expected) << "word: " << word;
}

TEST(PorterStemmer, KeepsItsOwnDeparturesFromThePublishedRules) {
    // "bli" -> "ble" applies without a preceding a.
    EXPECT_EQ(stemmed("possibly"), "possibl");
    EXPECT_EQ(stemmed("humbli"), "humbl");
    // "logi" -> "log".
    EXPECT_EQ(stemmed("archaeology"), "archaeolog");
    EXPECT_EQ(stemmed("mythology"), "mytholog");
    // Like every step-2 rule it needs a measure above 0 before the suffix.
    EXPECT_EQ(stemmed("biology"), "biologi");
    // One- and two-byte words are left alone even where a rule would match.
    EXPECT_EQ(stemmed("s"), "s");
    EXPECT_EQ(stemmed("as"), "as");
    EXPECT_EQ(stemmed("ys"), "ys");
}

TEST(PorterStemmer, TreatsYByItsNeighbours) {
    // A y after a vowel is a consonant, after a consonant a vowel.
    EXPECT_EQ(stemmed("happy"), "happi");
    EXPECT_EQ(stemmed("sky"), "sky");
    EXPECT_EQ(stemmed("enjoying"), "enjoi");
    EXPECT_EQ(stemmed("syzygy"), "syzygi");
    EXPECT_EQ(stemmed("yyyyed"), "yyyi");
    // A leading y is a consonant, so "yt" has no vowel to keep -ing off.
    EXPECT_EQ(stemmed("yting"), "yting");
    EXPECT_EQ(stemmed("ayting"), "ayt");
}

TEST(PorterStemmer, LeavesUpperCaseAndNonLettersAlone) {
    for (const std::string word :
         {"CARESSES", "GENERALIZATIONS", "HOPPING", "RELATIONAL", "12345", "\xC3\x89T\xC3\x89S"}) {
        std::string buffer(word);
        const int last = static_cast<int>(buffer.size()) - 1;
        EXPECT_EQ(stem(&buffer[0], 0, last), last) << word;
        EXPECT_EQ(buffer, word);
    }
}

TEST(PorterStemmer, WorksOnAWordInsideALargerBuffer) {
    const std::vector<std::string> words = {"ponies", "generalizations", "hopping",  "ies",
                                            "happy",  "yyyyed",          "possibly", "adoption"};
    for (const std::string& word : words) {
        for (const std::string prefix : {"y", "s", "at", "abcs", "ssion "}) {
            std::string buffer = prefix + word + "#tail";
            const int k0 = static_cast<int>(prefix.size());
            const int last = stem(&buffer[0], k0, k0 + static_cast<int>(word.size()) - 1);
            const std::string alone = stemmed(word);
            EXPECT_EQ(buffer.substr(prefix.size(), static_cast<std::size_t>(last - k0 + 1)), alone)
                << prefix << "|" << word;
            EXPECT_EQ(buffer.substr(0, prefix.size()), prefix) << "bytes before the word changed";
            EXPECT_EQ(buffer.substr(buffer.size() - 5), "#tail") << "bytes after the word changed";
        }
    }
}

TEST(PorterStemmer, StemsVeryLongWordsLikeShortOnes) {
    const std::size_t n = 100000;

    // Long runs of y alternate between consonant and vowel.
    const std::string ys(n, 'y');
    EXPECT_EQ(stemmed(ys + "ed"), std::string(n - 1, 'y') + "i");

    // No vowel before -ing: nothing to take off, however long the word.
    const std::string xsIng = std::string(n, 'x') + "ing";
    EXPECT_EQ(stemmed(xsIng), xsIng);
    EXPECT_EQ(stemmed("xxxxing"), "xxxxing");

    EXPECT_EQ(stemmed(std::string(n, 'x') + "eating"), std::string(n, 'x') + "eat");
    EXPECT_EQ(stemmed("xxeating"), "xxeat");

    // With a stem of measure above 1 the suffix rules act on a long word as
    // on a short word of the same shape.
    std::string longStem;
    for (std::size_t i = 0; i < n / 2; ++i)
        longStem += "ab";
    const std::string shortStem = "abab";
    for (const std::string suffix :
         {"ational", "izations", "ing", "fulness", "ement", "ically", "ousness", "ities"}) {
        const std::string shortResult = stemmed(shortStem + suffix);
        ASSERT_EQ(shortResult.compare(0, shortStem.size(), shortStem), 0) << suffix;
        EXPECT_EQ(stemmed(longStem + suffix), longStem + shortResult.substr(shortStem.size()))
            << suffix;
    }
}

} // namespace
