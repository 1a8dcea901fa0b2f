#include "text/porterExtern.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// Runs stem() over the whole of word and returns the stem.
std::string stemmed(const std::string& word)
{
    std::string buffer(word);
    int last = stem(&buffer[0], 0, static_cast<int>(buffer.size()) - 1);
    return buffer.substr(0, static_cast<std::size_t>(last) + 1);
}

// Checks every line "word stem [...]" of a table in tests/data/text (lines
// starting with # are comments); returns the number of words.
int checkTable(const std::string& name)
{
    std::ifstream table(std::string(QUELT_TEST_DATA) + "/text/" + name);
    int words = 0, wrong = 0;
    std::string wrongOnes;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string word, stem;
        fields >> word >> stem;
        ++words;
        if (stemmed(word) != stem && ++wrong <= 10)
            wrongOnes += word + " -> " + stemmed(word) + ", not " + stem + "\n";
    }
    EXPECT_EQ(wrongOnes, "") << name << ": " << wrong << " words stemmed wrongly";
    return words;
}

// The rules and cases no word of the dictionary below reaches.
TEST(PorterStemmer, StemsEveryRuleAsTheTableSays)
{
    EXPECT_EQ(checkTable("stems.txt"), 19);
}

// Every lower-case word of a dictionary as Porter's original algorithm stems
// it, but for this stemmer's departures (tools/make_porter_words.py made the
// table with another implementation of that algorithm).
TEST(PorterStemmer, StemsEveryDictionaryWordAsPortersAlgorithm)
{
    EXPECT_EQ(checkTable("porter_words.txt"), 63875);
}

TEST(PorterStemmer, WorksOnAWordInsideALargerBuffer)
{
    for (const std::string word : { "ponies", "generalizations", "ies", "yyyyed", "adoption" }) {
        for (const std::string prefix : { "y", "s", "at", "abcs", "ssion " }) {
            std::string buffer = prefix + word + "#tail";
            const int k0 = static_cast<int>(prefix.size());
            const int last = stem(&buffer[0], k0, k0 + static_cast<int>(word.size()) - 1);
            EXPECT_EQ(buffer.substr(0, static_cast<std::size_t>(last) + 1), prefix + stemmed(word))
                << prefix << "|" << word;
            EXPECT_EQ(buffer.substr(buffer.size() - 5), "#tail") << prefix << "|" << word;
        }
    }
}

} // namespace
