#include "owl/XmlText.h"

#include <cstdint>
#include <cstring>

namespace xmltext {

namespace {

const char kCdataOpen[] = "<![CDATA[";
const char kCdataClose[] = "]]>";

bool isOneCdataSection(const std::string& text)
{
    const size_t open = sizeof kCdataOpen - 1;
    const size_t close = sizeof kCdataClose - 1;
    if (text.size() < open + close || text.compare(0, open, kCdataOpen) != 0)
        return false;
    // The first "]]>" must be the closing one, and a CR inside would read
    // back as LF.
    size_t end = text.find(kCdataClose, open);
    return end == text.size() - close && text.find('\r') == std::string::npos;
}

void appendCdata(std::string& out, const std::string& text)
{
    out += kCdataOpen;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == ']' && text.compare(i, 3, kCdataClose) == 0) {
            out += "]]]]><![CDATA[>";
            i += 2;
        } else if (c == '\r') {
            out += "]]>&#xD;<![CDATA[";
        } else {
            out += c;
        }
    }
    out += kCdataClose;
}

// Byte classes for the scans below: a plain loop over the text with one
// table look-up per byte is much faster than find_first_of with a set.
enum : unsigned char { kPlain = 0, kMarkup = 1, kContentSpecial = 2, kAttributeSpecial = 4 };

struct ByteClasses {
    unsigned char of[256];
};

constexpr ByteClasses makeByteClasses()
{
    ByteClasses classes{};
    classes.of[static_cast<unsigned char>('<')] = kMarkup | kContentSpecial | kAttributeSpecial;
    classes.of[static_cast<unsigned char>('&')] = kMarkup | kContentSpecial | kAttributeSpecial;
    classes.of[static_cast<unsigned char>(']')] = kContentSpecial;
    classes.of[static_cast<unsigned char>('\r')] = kContentSpecial | kAttributeSpecial;
    classes.of[static_cast<unsigned char>('"')] = kAttributeSpecial;
    classes.of[static_cast<unsigned char>('\t')] = kAttributeSpecial;
    classes.of[static_cast<unsigned char>('\n')] = kAttributeSpecial;
    return classes;
}

// Constant-initialised, so usable from any static initialiser.
constexpr ByteClasses kClasses = makeByteClasses();

// The bits of the classes of all bytes of the text.
unsigned classesIn(const std::string& text)
{
    unsigned found = 0;
    for (char c : text)
        found |= kClasses.of[static_cast<unsigned char>(c)];
    return found;
}

const uint32_t kNotUtf8 = 0xFFFFFFFF;

// The character whose UTF-8 form starts at text[at], which is moved past
// it; kNotUtf8 for a malformed, overlong or surrogate form.
uint32_t nextCharacter(const std::string& text, size_t& at)
{
    unsigned char lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    int following;
    uint32_t c;
    uint32_t least;
    if ((lead & 0xE0) == 0xC0) {
        following = 1, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        following = 2, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        following = 3, c = lead & 0x07, least = 0x10000;
    } else {
        return kNotUtf8;
    }
    for (; following > 0; --following, ++at) {
        if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80)
            return kNotUtf8;
        c = (c << 6) | (static_cast<unsigned char>(text[at]) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kNotUtf8;
    return c;
}

// NameStartChar of XML 1.0 (fifth edition), without the colon.
bool isNameStart(uint32_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
           (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0xEFFFF);
}

// NameChar of XML 1.0 (fifth edition), without the colon.
bool isNameCharacter(uint32_t c)
{
    return isNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

} // namespace

bool isElementName(const std::string& text)
{
    if (text.empty())
        return false;
    size_t at = 0;
    if (!isNameStart(nextCharacter(text, at)))
        return false;
    while (at < text.size()) {
        if (!isNameCharacter(nextCharacter(text, at)))
            return false;
    }
    return true;
}

void appendContent(std::string& out, const std::string& text)
{
    unsigned found = classesIn(text);
    if ((found & kContentSpecial) == 0) {
        out += text;
        return;
    }
    if ((found & kMarkup) != 0) {
        if (isOneCdataSection(text))
            out += text;
        else
            appendCdata(out, text);
        return;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == ']' && text.compare(i, 3, kCdataClose) == 0) {
            out += "]]&gt;";
            i += 2;
        } else if (c == '\r') {
            out += "&#xD;";
        } else {
            out += c;
        }
    }
}

std::string content(const std::string& text)
{
    std::string out;
    appendContent(out, text);
    return out;
}

void appendAttribute(std::string& out, const std::string& text)
{
    if ((classesIn(text) & kAttributeSpecial) == 0) {
        out += text;
        return;
    }
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '"': out += "&quot;"; break;
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#xA;"; break;
        case '\r': out += "&#xD;"; break;
        default: out += c;
        }
    }
}

std::string attribute(const std::string& text)
{
    std::string out;
    appendAttribute(out, text);
    return out;
}

bool carryable(const std::string& text) { return carryable(text.data(), text.size()); }

bool carryable(const char* text, size_t size)
{
    // This runs over every byte a writer produces. The inner loop has a
    // fixed trip count and no early exit, so the compiler vectorises it.
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    const size_t block = 64;
    size_t i = 0;
    for (; i + block <= size; i += block) {
        unsigned char bad = 0;
        for (size_t j = 0; j < block; ++j) {
            unsigned char c = bytes[i + j];
            bad |= static_cast<unsigned char>((c < 0x20) & (c != '\t') & (c != '\n') & (c != '\r'));
        }
        if (bad != 0)
            return false;
    }
    for (; i < size; ++i) {
        unsigned char c = bytes[i];
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
    }
    return true;
}

} // namespace xmltext
