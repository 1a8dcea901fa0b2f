// Arbitrary text through the tokenizing string and the stemmer. Beyond what
// the sanitizers see: a stem is never longer than its word and never empty,
// the sorted stem sequence, which is built in one reused buffer, equals the
// stems of fillStemSet joined by blanks, and the case tests agree.

#include "FuzzSupport.h"

#include "text/porterExtern.h"
#include "text/tString.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <set>

using namespace fuzzsupport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string lowered = tString::toLower(text);
    const std::string sequence = tString(lowered).getAlphaStemSequence();
    std::multiset<std::string> stems;
    tString(lowered).fillStemSet(stems);
    std::string joined;
    for (auto it = stems.begin(); it != stems.end(); ++it)
        joined += (it == stems.begin() ? "" : " ") + *it;
    if (sequence != joined)
        fail("getAlphaStemSequence differs from the joined stems of fillStemSet");

    tString raw(text);
    raw.getStemSequence();
    raw.getTokenSequence();
    raw.getSentenceCase();
    if (!text.empty() && raw.isAllUpperCase() && raw.isAllLowerCase())
        fail("a text is all upper case and all lower case at once");
    if (raw.isTitleCase() && raw.isAllLowerCase())
        fail("a text in title case is all lower case");
    std::string word = lowered;
    if (!word.empty() && word.size() < INT_MAX) {
        int last = stem(&word[0], 0, static_cast<int>(word.size()) - 1);
        if (last < 0 || last >= static_cast<int>(word.size()))
            fail("stem returned an index outside the word");
    }
    return 0;
}
