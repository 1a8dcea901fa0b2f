#include "ontylog/OntylogHandler.h"

#include <xercesc/framework/XMLErrorCodes.hpp>
#include <xercesc/sax/Locator.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/Attributes.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLMsgLoader.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUni.hpp>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <memory>
#include <string_view>

using xercesc::Attributes;
using xercesc::SAXParseException;
using xercesc::XMLPlatformUtils;
using xercesc::XMLString;

namespace ontylog {

namespace {

// UTF-8 is written into a buffer on the stack and appended to its string a
// piece at a time: the string grows without being filled with zeros first,
// and a text shorter than a piece is one append.
const std::size_t kPieceBytes = 128;
// ASCII units are tested and narrowed this many at once.
const std::size_t kRun = 8;
// The most bytes one character takes in UTF-8.
const std::size_t kMaxCharBytes = 4;

#if defined(__SSE2__)

bool isAsciiRun(const XMLCh* units)
{
    const __m128i run = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    const __m128i high = _mm_and_si128(run, _mm_set1_epi16(static_cast<short>(0xFF80)));
    return _mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) == 0xFFFF;
}

void narrowRun(const XMLCh* units, char* bytes)
{
    const __m128i run = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes), _mm_packus_epi16(run, run));
}

#else

bool isAsciiRun(const XMLCh* units)
{
    XMLCh bits = 0;
    for (std::size_t i = 0; i < kRun; ++i)
        bits |= units[i];
    return bits < 0x80;
}

void narrowRun(const XMLCh* units, char* bytes)
{
    for (std::size_t i = 0; i < kRun; ++i)
        bytes[i] = static_cast<char>(units[i]);
}

#endif

// Narrows the ASCII units that start the n units at from to bytes at to;
// returns how many there are. Runs of kRun units are narrowed at once, the
// last one overlapping the run before it.
std::size_t narrowAscii(const XMLCh* from, std::size_t n, char* to)
{
    std::size_t i = 0;
    if (n >= kRun) {
        while (i + kRun <= n && isAsciiRun(from + i)) {
            narrowRun(from + i, to + i);
            i += kRun;
        }
        if (i + kRun > n && isAsciiRun(from + n - kRun)) {
            narrowRun(from + n - kRun, to + n - kRun);
            return n;
        }
    }
    while (i < n && from[i] < 0x80) {
        to[i] = static_cast<char>(from[i]);
        ++i;
    }
    return i;
}

// Writes the UTF-8 of the character at from (up to end) at to, and moves
// both past it. A surrogate pair is one character; a surrogate without its
// partner becomes U+FFFD.
void encodeCharacter(const XMLCh*& from, const XMLCh* end, char*& to)
{
    std::uint32_t c = *from++;
    if (c >= 0xD800 && c <= 0xDFFF) {
        if (c <= 0xDBFF && from != end && *from >= 0xDC00 && *from <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (*from++ - 0xDC00);
        else
            c = 0xFFFD;
    }
    if (c < 0x80) {
        *to++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *to++ = static_cast<char>(0xC0 | (c >> 6));
        *to++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *to++ = static_cast<char>(0xE0 | (c >> 12));
        *to++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *to++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *to++ = static_cast<char>(0xF0 | (c >> 18));
        *to++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *to++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *to++ = static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Converts UTF-16 onto the end of out. ASCII reads the same in UTF-8:
// element names, codes and most values are nothing else, and are narrowed
// as they are; other characters are encoded one at a time.
void appendUtf8(const XMLCh* text, std::size_t length, std::string& out)
{
    char piece[kPieceBytes];
    char* to = piece;
    const XMLCh* from = text;
    const XMLCh* const end = text + length;
    while (from != end) {
        // Room for one more unit of ASCII, then for any character.
        std::size_t room = static_cast<std::size_t>(piece + kPieceBytes - to);
        if (room <= kMaxCharBytes) {
            out.append(piece, static_cast<std::size_t>(to - piece));
            to = piece;
            room = kPieceBytes;
        }
        const std::size_t n = std::min(static_cast<std::size_t>(end - from), room - kMaxCharBytes);
        const std::size_t ascii = narrowAscii(from, n, to);
        from += ascii;
        to += ascii;
        if (ascii < n)
            encodeCharacter(from, end, to);
    }
    out.append(piece, static_cast<std::size_t>(to - piece));
}

} // namespace

OntylogHandler::OntylogHandler(OntylogGrammar& givenGrammar)
    : grammar(givenGrammar)
{
}

void OntylogHandler::startElement(
    const XMLCh*, const XMLCh*, const XMLCh* qname, const Attributes& attrs)
{
    // With namespace processing off the local name is empty; the name as
    // written is the qualified name.
    Tag tag = tagOf(qname);
    heldSurrogate = 0;
    attribute.clear();
    if (const char16_t* name = attributeOf(tag)) {
        // A missing attribute reads as the empty text.
        if (const XMLCh* value = attrs.getValue(name))
            appendUtf8(value, XMLString::stringLen(value), attribute);
    }
    grammar.startElement(tag, attribute);
}

void OntylogHandler::characters(const XMLCh* chars, XMLSize_t length)
{
    // Only elements that can carry a value collect their text; the white
    // space between the children of the other elements is never looked at.
    if (length == 0 || !grammar.readingText())
        return;
    // Converted as it comes. The parser may cut a text between the two units
    // of a surrogate pair: the leading one waits for the next piece.
    std::string& text = grammar.text();
    if (heldSurrogate != 0) {
        if (chars[0] >= 0xDC00 && chars[0] <= 0xDFFF) {
            const XMLCh pair[2] = { heldSurrogate, chars[0] };
            appendUtf8(pair, 2, text);
            ++chars;
            --length;
        }
        heldSurrogate = 0;
    }
    if (length > 0 && chars[length - 1] >= 0xD800 && chars[length - 1] <= 0xDBFF) {
        heldSurrogate = chars[length - 1];
        --length;
    }
    appendUtf8(chars, length, text);
}

void OntylogHandler::endElement(const XMLCh*, const XMLCh*, const XMLCh*)
{
    // The parser pairs the tags, so the element that ends is the grammar's
    // innermost open one; its name need not be looked up again. A leading
    // surrogate without its partner is not a character: dropped.
    heldSurrogate = 0;
    grammar.endElement();
}

bool OntylogHandler::endParseAtFatalError(bool undeclaredEntitiesPass)
{
    if (undeclaredEntitiesPass) {
        // The message as the library keeps it, "{0}" where the name goes.
        const XMLSize_t kMessageChars = 1023;
        XMLCh text[kMessageChars + 1];
        std::unique_ptr<xercesc::XMLMsgLoader> messages(
            XMLPlatformUtils::loadMsgSet(xercesc::XMLUni::fgXMLErrDomain));
        if (!messages || !messages->loadMsg(xercesc::XMLErrs::EntityNotFound, text, kMessageChars))
            return false;
        const std::u16string_view message(text);
        const std::size_t name = message.find(u"{0}");
        if (name == std::u16string_view::npos || message.find(u"{0}", name + 1) != message.npos)
            return false;
        undeclaredBefore = message.substr(0, name);
        undeclaredAfter = message.substr(name + 3);
    }
    endsParse = true;
    undeclaredPass = undeclaredEntitiesPass;
    return true;
}

bool OntylogHandler::namesUndeclaredEntity(const XMLCh* message) const
{
    if (message == nullptr)
        return false;
    const std::u16string_view text(message);
    return text.size() >= undeclaredBefore.size() + undeclaredAfter.size()
        && text.substr(0, undeclaredBefore.size()) == undeclaredBefore
        && text.substr(text.size() - undeclaredAfter.size()) == undeclaredAfter;
}

void OntylogHandler::fatalError(const SAXParseException& exc)
{
    if (undeclaredPass && namesUndeclaredEntity(exc.getMessage()))
        return;
    grammar.fatalError(messageText(exc.getMessage()), exc.getLineNumber());
    if (endsParse)
        throw ParseEnded();
}

void OntylogHandler::setDocumentLocator(const xercesc::Locator* givenLocator)
{
    locator = givenLocator;
}

std::uint64_t OntylogHandler::currentLine() const
{
    return locator == nullptr ? 0 : static_cast<std::uint64_t>(locator->getLineNumber());
}

std::string OntylogHandler::messageText(const XMLCh* message)
{
    std::string out;
    if (message != nullptr)
        appendUtf8(message, XMLString::stringLen(message), out);
    return out;
}

} // namespace ontylog
