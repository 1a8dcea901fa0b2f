#include "text/porterExtern.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

// Runs stem() over the whole of word and returns the stem.
std::string stemmed(const std::string& word)
{
    std::string buffer(word);
    int last = stem(&buffer[0], 0, static_cast<int>(buffer.size()) - 1);
    return buffer.substr(0, static_cast<std::size_t>(last) + 1);
}

// Every rule of the stemmer, word by word, from tests/data/text/stems.txt.
TEST(PorterStemmer, StemsEveryRuleAsTheTableSays)
{
    std::ifstream table(std::string(QUELT_TEST_DATA) + "/text/stems.txt");
    int pairs = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::string word = line.substr(0, line.find(' '));
        EXPECT_EQ(stemmed(word), line.substr(word.size() + 1)) << "word: " << word;
        ++pairs;
    }
    EXPECT_GT(pairs, 60);
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
