#ifndef QUELT_TEXT_TSTRING_H
#define QUELT_TEXT_TSTRING_H

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

// A text that splits itself into tokens and turns them into Porter stems.
//
// A token is a maximal run of bytes that are not delimiters; runs of
// delimiters make no empty tokens, and a text that is empty or made of
// delimiters only has no tokens. The token list is built once, on first
// need, and kept: operations that need tokens tokenize only while the text
// is untokenized. Changing the text through the std::string interface does
// not rebuild the list; init() does not clear it either.
//
// A cursor walks the token list. It is kept as an index, so a copy's cursor
// designates the same position in the copy's own list.
//
// Case operations work on ASCII letters only; other bytes (bytes of 0x80 and
// above included) are never letters and are left unchanged.
class tString : public std::string {
public:
    // Case pattern of a whole text, judged over its tokens.
    enum sentenceCase {
        allLowerCase = 0, // every token all lower case
        allUpperCase = 1, // every token all upper case
        titleCase = 2, // every token title case (also when there are no tokens)
        mixedCase = 3 // none of the above
    };

    // The default delimiters: | space , - ( ) { } [ ] * & @ \ tab / . : ; ! ? _ " '
    static const char* const defaultDelimiters;

    tString();
    tString(const char* s);
    tString(const char* s, size_type count);
    // The substring of s from pos, at most count bytes.
    tString(const std::string& s, size_type pos = 0, size_type count = npos);
    tString(size_type count, char c);
    tString(const tString&) = default;
    tString(tString&&) = default;
    tString& operator=(const tString&) = default;
    tString& operator=(tString&&) = default;
    virtual ~tString();

    // Marks the text untokenized and puts the cursor at the start.
    void init();
    std::string getBaseString() const;

    // Append the tokens of the text to the token list, put the cursor on the
    // first token and mark the text tokenized.
    void tokenize();
    void tokenize(const std::string& delimiters);

    // The Porter stem of a word longer than 4 bytes; shorter words as they
    // are. Expects lower case: upper-case words come back unchanged.
    static std::string stemW(const std::string& word);

    // Inserts the stem of every token that is not a stop word ("of", "the",
    // "and", "or", matched case-sensitively) into stems, which is not cleared
    // first. Leaves the cursor past the last token.
    void fillStemSet(std::multiset<std::string>& stems);
    // The stems of fillStemSet in ascending byte order, duplicates kept,
    // joined by single spaces: the normalised key of a term. Leaves the
    // cursor past the last token.
    std::string getAlphaStemSequence();

    // Neither of these tokenizes.
    std::size_t getNumberOfTokens() const;
    // Token n counted from 0, or an empty text when there is no such token.
    tString getTokenNumber(std::size_t n) const;

    // Whether the cursor is on a token (not past the last one).
    bool nextToken();
    // Whether the cursor is past the first token. Does not move the cursor.
    bool previousToken();
    // The token at the cursor; advances the cursor. Past the last token: an
    // empty text, and the cursor stays.
    tString getToken();
    // The stem of the token at the cursor, without advancing; an empty text
    // past the last token.
    std::string getTokenStem();

    // The tokens in list order joined by single spaces; leaves the cursor past
    // the last token.
    std::string getTokenSequence();
    // The tokens in ascending byte order (stop words and duplicates kept),
    // joined by single spaces. Does not move the cursor.
    std::string getAlphaTokenSequence();
    // The stem of every token in list order (stop words kept), joined by
    // single spaces. Does not move the cursor.
    std::string getStemSequence();
    // Insert every token; the set is not cleared first. Do not move the cursor.
    void fillTokenSet(std::multiset<std::string>& tokenSet);
    void fillTokenSet(std::multiset<tString>& tokenSet);

    // A new, untokenized tString of this text in lower case.
    tString toLower() const;
    // This text in lower case; the argument is not used.
    std::string toLower(char unused) const;
    static std::string toLower(const std::string& text);
    static std::string toUpper(const std::string& text);

    // First byte an upper-case letter, every further byte a lower-case one;
    // false for the empty text.
    bool isTitleCase() const;
    // Every byte an upper-case (lower-case) letter; true for the empty text.
    bool isAllUpperCase() const;
    bool isAllLowerCase() const;

    // Title case when every token is title case, else upper case when every
    // token is all upper case, else lower case when every token is all lower
    // case, else mixed. Tokenizes if needed; does not move the cursor.
    sentenceCase getSentenceCase();
    // Compares the ranks of the sentence cases of this text and of other:
    // 0 when equal, -1 when this rank is lower, 1 otherwise. A sentence case
    // missing from ranks ranks below every listed one. other is judged over
    // its own tokens when it has them, else over its default tokens, and is
    // not changed.
    int compareCase(const tString& other, const std::map<sentenceCase, int>& ranks);

    // Byte-wise comparisons of the texts; token state plays no part. The
    // overloads for std::string and C strings keep mixed comparisons from
    // being ambiguous with the std::string operators.
    bool operator==(const tString& other) const;
    bool operator==(const std::string& other) const;
    bool operator==(const char* other) const;
    bool operator<(const tString& other) const;
    bool operator<(const std::string& other) const;
    bool operator<(const char* other) const;

private:
    bool tokenized = false;
    std::vector<std::string> tokens;
    std::size_t cursor = 0;

    void tokenizeIfNeeded()
    {
        if (!tokenized)
            tokenize();
    }
};

#endif
