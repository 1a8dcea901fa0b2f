#include "text/tString.h"

#include "text/porterExtern.h"

#include <algorithm>
#include <climits>
#include <string_view>
#include <utility>

namespace {

constexpr char kDefaultDelimiters[] = "| ,-(){}[]*&@\\\t/.:;!?_\"'";

// Membership of each byte value in a delimiter set.
struct DelimiterTable {
    bool isDelimiter[256] = {};

    constexpr explicit DelimiterTable(std::string_view delimiters)
    {
        for (char c : delimiters)
            isDelimiter[static_cast<unsigned char>(c)] = true;
    }
};

constexpr DelimiterTable kDefaultTable { kDefaultDelimiters };

// Appends the maximal runs of non-delimiter bytes of text to out. Counts
// them first so that the list grows once.
void splitInto(const std::string& text, const DelimiterTable& table, std::vector<std::string>& out)
{
    const unsigned char* data = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();

    std::size_t count = 0;
    bool inToken = false;
    for (std::size_t i = 0; i < n; ++i) {
        const bool delimiter = table.isDelimiter[data[i]];
        if (!delimiter && !inToken)
            ++count;
        inToken = !delimiter;
    }
    out.reserve(out.size() + count);

    std::size_t i = 0;
    for (;;) {
        while (i < n && table.isDelimiter[data[i]])
            ++i;
        if (i == n)
            return;
        const std::size_t start = i;
        while (i < n && !table.isDelimiter[data[i]])
            ++i;
        out.emplace_back(text.data() + start, i - start);
    }
}

bool isStopWord(const std::string& token)
{
    switch (token.size()) {
    case 2:
        return token == "of" || token == "or";
    case 3:
        return token == "the" || token == "and";
    default:
        return false;
    }
}

// Stems the word at buffer[first..first+length-1] in place and returns the
// stem's length. Words of 4 bytes or fewer stay as they are.
std::size_t stemInPlace(char* buffer, std::size_t first, std::size_t length)
{
    // stem() takes int indices; a word it could not address stays unstemmed.
    if (length <= 4 || first + length > static_cast<std::size_t>(INT_MAX))
        return length;
    int last = stem(buffer, static_cast<int>(first), static_cast<int>(first + length - 1));
    return static_cast<std::size_t>(last) + 1 - first;
}

template <class Container> std::string joinWithSpaces(const Container& parts)
{
    std::size_t total = 0;
    for (const auto& p : parts)
        total += p.size() + 1;
    std::string joined;
    if (total == 0)
        return joined;
    joined.reserve(total - 1);
    bool first = true;
    for (const auto& p : parts) {
        if (!first)
            joined += ' ';
        joined.append(p.data(), p.size());
        first = false;
    }
    return joined;
}

bool isUpperAscii(char c)
{
    return c >= 'A' && c <= 'Z';
}
bool isLowerAscii(char c)
{
    return c >= 'a' && c <= 'z';
}

bool titleCaseText(std::string_view s)
{
    if (s.empty() || !isUpperAscii(s[0]))
        return false;
    return std::all_of(s.begin() + 1, s.end(), isLowerAscii);
}

bool allUpperText(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), isUpperAscii);
}
bool allLowerText(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), isLowerAscii);
}

tString::sentenceCase caseOfTokens(const std::vector<std::string>& tokens)
{
    auto every = [&tokens](bool (*test)(std::string_view)) {
        return std::all_of(
            tokens.begin(), tokens.end(), [test](const std::string& t) { return test(t); });
    };
    if (every(titleCaseText))
        return tString::titleCase;
    if (every(allUpperText))
        return tString::allUpperCase;
    if (every(allLowerText))
        return tString::allLowerCase;
    return tString::mixedCase;
}

int rankOf(tString::sentenceCase c, const std::map<tString::sentenceCase, int>& ranks)
{
    auto found = ranks.find(c);
    return found == ranks.end() ? INT_MIN : found->second;
}

} // namespace

const char* const tString::defaultDelimiters = kDefaultDelimiters;

tString::tString()
{
    init();
}

tString::tString(const char* s)
    : std::string(s)
{
    init();
}

tString::tString(const char* s, size_type count)
    : std::string(s, count)
{
    init();
}

tString::tString(const std::string& s, size_type pos, size_type count)
    : std::string(s, pos, count)
{
    init();
}

tString::tString(size_type count, char c)
    : std::string(count, c)
{
    init();
}

tString::~tString() = default;

void tString::init()
{
    tokenized = false;
    cursor = 0;
}

std::string tString::getBaseString() const
{
    return *this;
}

void tString::tokenize()
{
    splitInto(*this, kDefaultTable, tokens);
    cursor = 0;
    tokenized = true;
}

void tString::tokenize(const std::string& delimiters)
{
    const DelimiterTable table(delimiters);
    splitInto(*this, table, tokens);
    cursor = 0;
    tokenized = true;
}

std::string tString::stemW(const std::string& word)
{
    std::string buffer(word);
    buffer.resize(stemInPlace(&buffer[0], 0, buffer.size()));
    return buffer;
}

void tString::fillStemSet(std::multiset<std::string>& stems)
{
    tokenizeIfNeeded();
    for (const std::string& token : tokens) {
        if (!isStopWord(token))
            stems.insert(stemW(token));
    }
    cursor = tokens.size();
}

std::string tString::getAlphaStemSequence()
{
    tokenizeIfNeeded();
    cursor = tokens.size();

    // The stems are made in place, one after the other, in one reused pool
    // and sorted as views into it; this gives the same text as joining the
    // sorted multiset of fillStemSet without one allocation per stem.
    thread_local std::string pool;
    thread_local std::vector<std::pair<std::size_t, std::size_t>> spans;
    thread_local std::vector<std::string_view> stems;
    pool.clear();
    spans.clear();
    stems.clear();

    for (const std::string& token : tokens) {
        if (isStopWord(token))
            continue;
        const std::size_t start = pool.size();
        pool.append(token);
        const std::size_t length = stemInPlace(&pool[0], start, token.size());
        pool.resize(start + length);
        spans.emplace_back(start, length);
    }
    for (const auto& span : spans)
        stems.emplace_back(pool.data() + span.first, span.second);
    std::sort(stems.begin(), stems.end());
    return joinWithSpaces(stems);
}

std::size_t tString::getNumberOfTokens() const
{
    return tokens.size();
}

tString tString::getTokenNumber(std::size_t n) const
{
    return n < tokens.size() ? tString(tokens[n]) : tString();
}

bool tString::nextToken()
{
    tokenizeIfNeeded();
    return cursor < tokens.size();
}

bool tString::previousToken()
{
    tokenizeIfNeeded();
    return cursor > 0;
}

tString tString::getToken()
{
    tokenizeIfNeeded();
    if (cursor >= tokens.size())
        return tString();
    return tString(tokens[cursor++]);
}

std::string tString::getTokenStem()
{
    tokenizeIfNeeded();
    return cursor < tokens.size() ? stemW(tokens[cursor]) : std::string();
}

std::string tString::getTokenSequence()
{
    tokenizeIfNeeded();
    cursor = tokens.size();
    return joinWithSpaces(tokens);
}

std::string tString::getAlphaTokenSequence()
{
    tokenizeIfNeeded();
    std::vector<std::string_view> sorted(tokens.begin(), tokens.end());
    std::sort(sorted.begin(), sorted.end());
    return joinWithSpaces(sorted);
}

std::string tString::getStemSequence()
{
    tokenizeIfNeeded();
    std::vector<std::string> stems;
    stems.reserve(tokens.size());
    for (const std::string& token : tokens)
        stems.push_back(stemW(token));
    return joinWithSpaces(stems);
}

void tString::fillTokenSet(std::multiset<std::string>& tokenSet)
{
    tokenizeIfNeeded();
    tokenSet.insert(tokens.begin(), tokens.end());
}

void tString::fillTokenSet(std::multiset<tString>& tokenSet)
{
    tokenizeIfNeeded();
    for (const std::string& token : tokens)
        tokenSet.insert(tString(token));
}

tString tString::toLower() const
{
    return tString(toLower(static_cast<const std::string&>(*this)));
}

std::string tString::toLower(char /*unused*/) const
{
    return toLower(static_cast<const std::string&>(*this));
}

std::string tString::toLower(const std::string& text)
{
    std::string lowered(text);
    for (char& c : lowered) {
        if (isUpperAscii(c))
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lowered;
}

std::string tString::toUpper(const std::string& text)
{
    std::string raised(text);
    for (char& c : raised) {
        if (isLowerAscii(c))
            c = static_cast<char>(c - 'a' + 'A');
    }
    return raised;
}

bool tString::isTitleCase() const
{
    return titleCaseText(*this);
}

bool tString::isAllUpperCase() const
{
    return allUpperText(*this);
}

bool tString::isAllLowerCase() const
{
    return allLowerText(*this);
}

tString::sentenceCase tString::getSentenceCase()
{
    tokenizeIfNeeded();
    return caseOfTokens(tokens);
}

int tString::compareCase(const tString& other, const std::map<sentenceCase, int>& ranks)
{
    const int mine = rankOf(getSentenceCase(), ranks);
    sentenceCase otherCase;
    if (other.tokenized) {
        otherCase = caseOfTokens(other.tokens);
    } else {
        std::vector<std::string> otherTokens;
        splitInto(other, kDefaultTable, otherTokens);
        otherCase = caseOfTokens(otherTokens);
    }
    const int theirs = rankOf(otherCase, ranks);
    if (mine == theirs)
        return 0;
    return mine < theirs ? -1 : 1;
}

bool tString::operator==(const tString& other) const
{
    return *this == static_cast<const std::string&>(other);
}

bool tString::operator==(const std::string& other) const
{
    return static_cast<const std::string&>(*this) == other;
}

bool tString::operator==(const char* other) const
{
    return static_cast<const std::string&>(*this) == other;
}

bool tString::operator<(const tString& other) const
{
    return *this < static_cast<const std::string&>(other);
}

bool tString::operator<(const std::string& other) const
{
    return static_cast<const std::string&>(*this) < other;
}

bool tString::operator<(const char* other) const
{
    return static_cast<const std::string&>(*this) < other;
}
