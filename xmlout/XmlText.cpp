#include "xmlout/XmlText.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace xmltext {

namespace {

const char kCdataOpen[] = "<![CDATA[";
const char kCdataClose[] = "]]>";

// The bytes Cs as a table, for looking bytes up one at a time.
template <char... Cs> struct ByteSet {
    bool holds[256];
    constexpr ByteSet()
        : holds {}
    {
        ((holds[static_cast<unsigned char>(Cs)] = true), ...);
    }
};

template <char... Cs> constexpr ByteSet<Cs...> kByteSet {};

// Where the first of the bytes Cs is in the text, from position from on;
// npos when there is none. This runs over every text a writer puts into a
// file, and almost every text holds none of the bytes it looks for, so it
// compares 16 bytes at a time where the processor can.
template <char... Cs> size_t findFirstOf(std::string_view text, size_t from = 0)
{
    const char* bytes = text.data();
    const size_t size = text.size();
    size_t i = from;
#if defined(__SSE2__)
    for (; i + 16 <= size; i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        __m128i hits = _mm_setzero_si128();
        ((hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, _mm_set1_epi8(Cs)))), ...);
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
        if (mask != 0)
            return i + static_cast<size_t>(__builtin_ctz(mask));
    }
#endif
    for (; i < size; ++i) {
        if (kByteSet<Cs...>.holds[static_cast<unsigned char>(bytes[i])])
            return i;
    }
    return std::string_view::npos;
}

template <char... Cs> bool holdsAnyOf(std::string_view text)
{
    return findFirstOf<Cs...>(text) != std::string_view::npos;
}

bool isOneCdataSection(std::string_view text)
{
    const size_t open = sizeof kCdataOpen - 1;
    const size_t close = sizeof kCdataClose - 1;
    if (text.size() < open + close || text.compare(0, open, kCdataOpen) != 0)
        return false;
    // The first "]]>" must be the closing one, and a CR inside would read
    // back as LF.
    size_t end = text.find(kCdataClose, open);
    return end == text.size() - close && text.find('\r') == std::string_view::npos;
}

void appendCdata(std::string& out, std::string_view text)
{
    out += kCdataOpen;
    size_t done = 0;
    for (size_t at = findFirstOf<']', '\r'>(text); at != std::string_view::npos;
         at = findFirstOf<']', '\r'>(text, at)) {
        if (text[at] == '\r') {
            out.append(text, done, at - done);
            out += "]]>&#xD;<![CDATA[";
            done = ++at;
        } else if (text.compare(at, 3, kCdataClose) == 0) {
            out.append(text, done, at - done);
            out += "]]]]><![CDATA[>";
            done = at += 3;
        } else {
            ++at;
        }
    }
    out.append(text, done, text.size() - done);
    out += kCdataClose;
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
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (c >= 0xC0 && c <= 0xD6)
        || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D)
        || (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D)
        || (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF)
        || (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF)
        || (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

// NameChar of XML 1.0 (fifth edition), without the colon.
bool isNameCharacter(uint32_t c)
{
    return isNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7
        || (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
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

void appendContent(std::string& out, std::string_view text)
{
    if (!holdsAnyOf<'<', '&', ']', '\r'>(text)) {
        out += text;
        return;
    }
    if (holdsAnyOf<'<', '&'>(text)) {
        if (isOneCdataSection(text))
            out += text;
        else
            appendCdata(out, text);
        return;
    }
    size_t done = 0;
    for (size_t at = findFirstOf<']', '\r'>(text); at != std::string_view::npos;
         at = findFirstOf<']', '\r'>(text, at)) {
        if (text[at] == '\r') {
            out.append(text, done, at - done);
            out += "&#xD;";
            done = ++at;
        } else if (text.compare(at, 3, kCdataClose) == 0) {
            out.append(text, done, at - done);
            out += "]]&gt;";
            done = at += 3;
        } else {
            ++at;
        }
    }
    out.append(text, done, text.size() - done);
}

std::string content(std::string_view text)
{
    std::string out;
    appendContent(out, text);
    return out;
}

void appendAttribute(std::string& out, std::string_view text)
{
    if (!holdsAnyOf<'&', '<', '"', '\t', '\n', '\r'>(text)) {
        out += text;
        return;
    }
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#xA;";
            break;
        case '\r':
            out += "&#xD;";
            break;
        default:
            out += c;
        }
    }
}

std::string attribute(std::string_view text)
{
    std::string out;
    appendAttribute(out, text);
    return out;
}

bool carryable(const std::string& text)
{
    return carryable(text.data(), text.size());
}

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

const char* uncarriedReason(std::string_view text)
{
    if (!carryable(text.data(), text.size()))
        return "a control character";
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* end = p + text.size();
    while (p < end) {
        unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        size_t length;
        unsigned long code;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07;
        } else {
            return "bytes that are not UTF-8";
        }
        if (static_cast<size_t>(end - p) < length)
            return "bytes that are not UTF-8";
        for (size_t i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return "bytes that are not UTF-8";
            code = (code << 6) | (p[i] & 0x3F);
        }
        bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return "bytes that are not UTF-8";
        if (code == 0xFFFE || code == 0xFFFF)
            return "a character that XML excludes (U+FFFE or U+FFFF)";
        p += length;
    }
    return nullptr;
}

} // namespace xmltext
