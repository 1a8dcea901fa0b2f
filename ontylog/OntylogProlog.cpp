#include "ontylog/OntylogProlog.h"

namespace ontylog {

namespace {

// Characters as the prolog is read here: ASCII only, which keeps the
// recogniser simple; a prolog with other characters in its markup is not
// plain.
bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
}

bool isNameChar(char c)
{
    return isLetterOrDigit(c) || c == '_' || c == ':' || c == '.' || c == '-';
}

// A character of a public identifier (without the line ends XML allows).
bool isPublicIdChar(char c)
{
    return isLetterOrDigit(c)
        || (c != '\0'
            && std::string_view(" -'()+,./:=?;!*#@$_%").find(c) != std::string_view::npos);
}

// A character of a system identifier as accepted here: a plain file name or
// URL without fragment, query or escapes.
bool isSystemIdChar(char c)
{
    return isLetterOrDigit(c) || c == '.' || c == '_' || c == '-' || c == '/' || c == ':';
}

template <class Test> bool all(std::string_view text, Test test)
{
    for (char c : text) {
        if (!test(c))
            return false;
    }
    return true;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lower)
{
    if (text.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c
            = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lower[i])
            return false;
    }
    return true;
}

// Encodings in which every ASCII character is the one byte of that value.
bool writesAsciiAsAscii(std::string_view encoding)
{
    return equalsIgnoringCase(encoding, "utf-8") || equalsIgnoringCase(encoding, "us-ascii")
        || equalsIgnoringCase(encoding, "iso-8859-1");
}

// A position in the first bytes of a document.
class Cursor {
public:
    explicit Cursor(std::string_view givenText)
        : text(givenText)
    {
    }

    char next() const { return pos < text.size() ? text[pos] : '\0'; }
    bool skip(std::string_view word)
    {
        if (text.substr(pos, word.size()) != word)
            return false;
        pos += word.size();
        return true;
    }
    bool skipSpaces()
    {
        const std::size_t start = pos;
        while (pos < text.size() && isSpace(text[pos]))
            ++pos;
        return pos > start;
    }
    // Past the next occurrence of end; false when there is none.
    bool skipPast(std::string_view end)
    {
        const std::size_t found = text.find(end, pos);
        if (found == std::string_view::npos)
            return false;
        pos = found + end.size();
        return true;
    }
    // A name of ASCII characters, empty when none starts here.
    std::string_view name()
    {
        const std::size_t start = pos;
        if (isNameStart(next())) {
            while (pos < text.size() && isNameChar(text[pos]))
                ++pos;
        }
        return text.substr(start, pos - start);
    }
    // A quoted literal, without its quotes; false when none starts here.
    bool literal(std::string_view& value)
    {
        const char quote = next();
        if (quote != '"' && quote != '\'')
            return false;
        const std::size_t close = text.find(quote, pos + 1);
        if (close == std::string_view::npos)
            return false;
        value = text.substr(pos + 1, close - pos - 1);
        pos = close + 1;
        return true;
    }

private:
    std::string_view text;
    std::size_t pos = 0;
};

// The XML declaration after "<?xml": version 1.0, then optionally a known
// encoding and the standalone flag, in that order.
bool xmlDeclaration(Cursor& at, Prolog& prolog)
{
    static const std::string_view kOrder[] = { "version", "encoding", "standalone" };
    std::size_t allowed = 0; // the first of kOrder that may come next
    for (;;) {
        const bool spaced = at.skipSpaces();
        if (at.skip("?>"))
            return allowed > 0;
        const std::string_view name = at.name();
        std::string_view value;
        if (!spaced || name.empty())
            return false;
        at.skipSpaces();
        if (!at.skip("="))
            return false;
        at.skipSpaces();
        if (!at.literal(value))
            return false;
        std::size_t which = allowed;
        while (which < 3 && name != kOrder[which])
            ++which;
        if (which == 3 || (which > 0 && allowed == 0))
            return false;
        allowed = which + 1;
        if ((which == 0 && value != "1.0") || (which == 1 && !writesAsciiAsAscii(value))
            || (which == 2 && value != "yes" && value != "no"))
            return false;
        prolog.standalone = which == 2 && value == "yes";
    }
}

// A comment after "<!--".
bool comment(Cursor& at)
{
    return at.skipPast("--") && at.skip(">");
}

// A processing instruction after "<?".
bool processingInstruction(Cursor& at)
{
    const std::string_view target = at.name();
    if (target.empty() || equalsIgnoringCase(target, "xml"))
        return false;
    return at.skip("?>") || (at.skipSpaces() && at.skipPast("?>"));
}

// A DOCTYPE declaration after "<!DOCTYPE" that names an external DTD at
// most: false for one with an internal subset, or anything not recognised.
bool doctype(Cursor& at, Prolog& prolog)
{
    if (!at.skipSpaces() || at.name().empty())
        return false;
    const bool spaced = at.skipSpaces();
    const bool publicId = spaced && at.skip("PUBLIC");
    std::string_view id;
    if (publicId || (spaced && at.skip("SYSTEM"))) {
        if (publicId && (!at.skipSpaces() || !at.literal(id) || !all(id, isPublicIdChar)))
            return false;
        if (!at.skipSpaces() || !at.literal(id) || !all(id, isSystemIdChar))
            return false;
        prolog.namesExternalDtd = true;
        at.skipSpaces();
    }
    return at.skip(">");
}

} // namespace

Prolog readProlog(std::string_view head)
{
    Cursor at(head);
    Prolog prolog;
    at.skip("\xEF\xBB\xBF");
    if (at.skip("<?xml") && !xmlDeclaration(at, prolog))
        return Prolog();
    bool doctypeSeen = false;
    for (;;) {
        at.skipSpaces();
        if (at.skip("<!--")) {
            if (!comment(at))
                return Prolog();
        } else if (at.skip("<!DOCTYPE")) {
            if (doctypeSeen || !doctype(at, prolog))
                return Prolog();
            doctypeSeen = true;
        } else if (at.skip("<?")) {
            if (!processingInstruction(at))
                return Prolog();
        } else {
            prolog.plain = at.skip("<") && isNameStart(at.next());
            return prolog.plain ? prolog : Prolog();
        }
    }
}

} // namespace ontylog
