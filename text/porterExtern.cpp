#include "text/porterExtern.h"

#include <cstring>
#include <string_view>

namespace {

using namespace std::string_view_literals;

bool isVowelLetter(char c)
{
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

// The state of one stemming call. b[k0..k] is the word as it stands; j marks
// the last byte of the stem that remains when the suffix found by the last
// successful ends() is taken off.
class Stemmer {
public:
    Stemmer(char* buffer, int first, int last)
        : b(buffer)
        , k0(first)
        , k(last)
        , j(last)
    {
    }

    int run()
    {
        if (k <= k0 + 1)
            return k;
        step1ab();
        step1c();
        step2();
        step3();
        step4();
        step5();
        return k;
    }

private:
    char* b;
    int k0;
    int k;
    int j;

    // Whether b[i] is a consonant when the byte before it has consonant
    // status prevCons (ignored for i == k0). A y after a consonant, or at the
    // start of the word, is a consonant; after a vowel it is a vowel.
    bool consAfter(int i, bool prevCons) const
    {
        if (b[i] == 'y')
            return i == k0 ? true : !prevCons;
        return !isVowelLetter(b[i]);
    }

    // cons(i) without recursion: only a run of y's depends on what precedes
    // it, and along such a run the status alternates.
    bool cons(int i) const
    {
        if (b[i] != 'y')
            return !isVowelLetter(b[i]);
        int t = i;
        while (t > k0 && b[t - 1] == 'y')
            --t;
        // Status of b[t], the first y of the run.
        bool first = (t == k0) ? true : isVowelLetter(b[t - 1]);
        return ((i - t) % 2 == 0) ? first : !first;
    }

    // Number of vowel-run/consonant-run pairs in b[k0..j], after any
    // leading consonants.
    int m() const
    {
        int n = 0;
        bool prev = true;
        bool inVowels = false;
        for (int i = k0; i <= j; ++i) {
            bool c = consAfter(i, prev);
            if (!c)
                inVowels = true;
            else if (inVowels) {
                ++n;
                inVowels = false;
            }
            prev = c;
        }
        return n;
    }

    bool vowelinstem() const
    {
        bool prev = true;
        for (int i = k0; i <= j; ++i) {
            prev = consAfter(i, prev);
            if (!prev)
                return true;
        }
        return false;
    }

    // b[i-1], b[i] are the same consonant.
    bool doublec(int i) const
    {
        if (i < k0 + 1)
            return false;
        if (b[i] != b[i - 1])
            return false;
        return cons(i);
    }

    // b[i-2..i] is consonant-vowel-consonant and b[i] is not w, x or y.
    bool cvc(int i) const
    {
        if (i < k0 + 2 || !cons(i) || cons(i - 1) || !cons(i - 2))
            return false;
        char ch = b[i];
        return ch != 'w' && ch != 'x' && ch != 'y';
    }

    // b[k0..k] ends with s; on success j is set before the suffix.
    bool ends(std::string_view s)
    {
        int length = static_cast<int>(s.size());
        if (s.back() != b[k])
            return false;
        if (length > k - k0 + 1)
            return false;
        if (std::memcmp(b + k - length + 1, s.data(), s.size()) != 0)
            return false;
        j = k - length;
        return true;
    }

    // Writes s after b[j] and makes it the end of the word.
    void setto(std::string_view s)
    {
        if (!s.empty())
            std::memcpy(b + j + 1, s.data(), s.size());
        k = j + static_cast<int>(s.size());
    }

    void r(std::string_view s)
    {
        if (m() > 0)
            setto(s);
    }

    // Byte before the last, or 0 when the word is a single byte (no table
    // row is chosen by 0, and no suffix could match such a word anyway).
    char penultimate() const { return k > k0 ? b[k - 1] : '\0'; }

    // Plurals and -ed or -ing.
    void step1ab()
    {
        if (b[k] == 's') {
            if (ends("sses"sv))
                k -= 2;
            else if (ends("ies"sv))
                setto("i"sv);
            else if (b[k - 1] != 's')
                --k;
        }
        if (ends("eed"sv)) {
            if (m() > 0)
                --k;
        } else if ((ends("ed"sv) || ends("ing"sv)) && vowelinstem()) {
            k = j;
            if (ends("at"sv))
                setto("ate"sv);
            else if (ends("bl"sv))
                setto("ble"sv);
            else if (ends("iz"sv))
                setto("ize"sv);
            else if (doublec(k)) {
                --k;
                char ch = b[k];
                if (ch == 'l' || ch == 's' || ch == 'z')
                    ++k;
            } else if (m() == 1 && cvc(k))
                setto("e"sv);
        }
    }

    // Terminal y to i when there is another vowel in the stem.
    void step1c()
    {
        if (ends("y"sv) && vowelinstem())
            b[k] = 'i';
    }

    // Tries the suffixes in order; the first one the word ends with is the
    // only one considered, replaced through r().
    template <std::size_t N> void replaceFirst(const std::string_view (&rules)[N][2])
    {
        for (const auto& rule : rules) {
            if (ends(rule[0])) {
                r(rule[1]);
                return;
            }
        }
    }

    // Double suffixes to single ones.
    void step2()
    {
        static constexpr std::string_view rowA[][2]
            = { { "ational", "ate" }, { "tional", "tion" } };
        static constexpr std::string_view rowC[][2] = { { "enci", "ence" }, { "anci", "ance" } };
        static constexpr std::string_view rowE[][2] = { { "izer", "ize" } };
        static constexpr std::string_view rowG[][2] = { { "logi", "log" } };
        static constexpr std::string_view rowL[][2] = { { "bli", "ble" }, { "alli", "al" },
            { "entli", "ent" }, { "eli", "e" }, { "ousli", "ous" } };
        static constexpr std::string_view rowO[][2]
            = { { "ization", "ize" }, { "ation", "ate" }, { "ator", "ate" } };
        static constexpr std::string_view rowS[][2] = { { "alism", "al" }, { "iveness", "ive" },
            { "fulness", "ful" }, { "ousness", "ous" } };
        static constexpr std::string_view rowT[][2]
            = { { "aliti", "al" }, { "iviti", "ive" }, { "biliti", "ble" } };

        switch (penultimate()) {
        case 'a':
            replaceFirst(rowA);
            break;
        case 'c':
            replaceFirst(rowC);
            break;
        case 'e':
            replaceFirst(rowE);
            break;
        case 'g':
            replaceFirst(rowG);
            break;
        case 'l':
            replaceFirst(rowL);
            break;
        case 'o':
            replaceFirst(rowO);
            break;
        case 's':
            replaceFirst(rowS);
            break;
        case 't':
            replaceFirst(rowT);
            break;
        default:
            break;
        }
    }

    // -ic-, -ful, -ness and the like.
    void step3()
    {
        static constexpr std::string_view rowE[][2]
            = { { "icate", "ic" }, { "ative", "" }, { "alize", "al" } };
        static constexpr std::string_view rowI[][2] = { { "iciti", "ic" } };
        static constexpr std::string_view rowL[][2] = { { "ical", "ic" }, { "ful", "" } };
        static constexpr std::string_view rowS[][2] = { { "ness", "" } };

        switch (b[k]) {
        case 'e':
            replaceFirst(rowE);
            break;
        case 'i':
            replaceFirst(rowI);
            break;
        case 'l':
            replaceFirst(rowL);
            break;
        case 's':
            replaceFirst(rowS);
            break;
        default:
            break;
        }
    }

    // Whether the word ends with one of the suffixes; the first match sets j.
    template <std::size_t N> bool endsWithAny(const std::string_view (&suffixes)[N])
    {
        for (std::string_view s : suffixes) {
            if (ends(s))
                return true;
        }
        return false;
    }

    // -ant, -ence and the like, taken off when m() > 1.
    void step4()
    {
        static constexpr std::string_view rowA[] = { "al" };
        static constexpr std::string_view rowC[] = { "ance", "ence" };
        static constexpr std::string_view rowE[] = { "er" };
        static constexpr std::string_view rowI[] = { "ic" };
        static constexpr std::string_view rowL[] = { "able", "ible" };
        static constexpr std::string_view rowN[] = { "ant", "ement", "ment", "ent" };
        static constexpr std::string_view rowS[] = { "ism" };
        static constexpr std::string_view rowT[] = { "ate", "iti" };
        static constexpr std::string_view rowU[] = { "ous" };
        static constexpr std::string_view rowV[] = { "ive" };
        static constexpr std::string_view rowZ[] = { "ize" };

        bool found = false;
        switch (penultimate()) {
        case 'a':
            found = endsWithAny(rowA);
            break;
        case 'c':
            found = endsWithAny(rowC);
            break;
        case 'e':
            found = endsWithAny(rowE);
            break;
        case 'i':
            found = endsWithAny(rowI);
            break;
        case 'l':
            found = endsWithAny(rowL);
            break;
        case 'n':
            found = endsWithAny(rowN);
            break;
        case 'o':
            // -ion only after s or t.
            found = (ends("ion"sv) && j >= k0 && (b[j] == 's' || b[j] == 't')) || ends("ou"sv);
            break;
        case 's':
            found = endsWithAny(rowS);
            break;
        case 't':
            found = endsWithAny(rowT);
            break;
        case 'u':
            found = endsWithAny(rowU);
            break;
        case 'v':
            found = endsWithAny(rowV);
            break;
        case 'z':
            found = endsWithAny(rowZ);
            break;
        default:
            break;
        }
        if (found && m() > 1)
            k = j;
    }

    // Final -e, and -ll to -l, when the measure allows. The measure of the
    // -ll test is taken over the word as it stood before the e was dropped.
    void step5()
    {
        j = k;
        if (b[k] == 'e') {
            int a = m();
            if (a > 1 || (a == 1 && !cvc(k - 1)))
                --k;
        }
        if (b[k] == 'l' && doublec(k) && m() > 1)
            --k;
    }
};

} // namespace

int stem(char* b, int k0, int k)
{
    return Stemmer(b, k0, k).run();
}
