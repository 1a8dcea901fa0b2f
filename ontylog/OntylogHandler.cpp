#include "ontylog/OntylogHandler.h"

#include <xercesc/framework/XMLErrorCodes.hpp>
#include <xercesc/sax/Locator.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/Attributes.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLMsgLoader.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUTF8Transcoder.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <memory>
#include <string_view>

using xercesc::Attributes;
using xercesc::SAXParseException;
using xercesc::XMLPlatformUtils;
using xercesc::XMLString;
using xercesc::XMLTranscoder;
using xercesc::XMLTransService;

namespace ontylog {

namespace {

// Block size hint for the transcoder; our calls convert whole texts at once.
const XMLSize_t kTranscoderBlockSize = 16 * 1024;

} // namespace

OntylogHandler::OntylogHandler(OntylogGrammar& givenGrammar)
    : grammar(givenGrammar)
{
    XMLTransService::Codes result = XMLTransService::Ok;
    utf8 = XMLPlatformUtils::fgTransService->makeNewTranscoderFor(
        "UTF-8", result, kTranscoderBlockSize);
    // UTF-8 is built into the library, so the service always has it; should
    // a service ever decline, the library's own UTF-8 transcoder is made
    // directly.
    if (utf8 == nullptr)
        utf8 = new xercesc::XMLUTF8Transcoder(u"UTF-8", kTranscoderBlockSize);
}

OntylogHandler::~OntylogHandler()
{
    delete utf8;
}

void OntylogHandler::appendUtf8(const XMLCh* text, XMLSize_t length, std::string& out)
{
    // ASCII reads the same in UTF-8: copied as it is, up to the first other
    // character. Element names, codes and most values end here. Whole runs
    // of 16 units are tested and narrowed at once, which the compiler turns
    // into vector instructions; the rest goes unit by unit.
    const std::size_t start = out.size();
    out.resize(start + length);
    char* bytes8 = &out[start];
    XMLSize_t ascii = 0;
    const XMLSize_t kRun = 16;
    while (ascii + kRun <= length) {
        XMLCh bits = 0;
        for (XMLSize_t i = 0; i < kRun; ++i)
            bits |= text[ascii + i];
        if (bits >= 0x80)
            break;
        for (XMLSize_t i = 0; i < kRun; ++i)
            bytes8[ascii + i] = static_cast<char>(text[ascii + i]);
        ascii += kRun;
    }
    for (; ascii < length && text[ascii] < 0x80; ++ascii)
        bytes8[ascii] = static_cast<char>(text[ascii]);
    if (ascii == length)
        return;

    // The rest goes through the transcoder. One UTF-16 unit never needs
    // more than three bytes (a surrogate pair, two units, needs four), so
    // one call converts the whole rest.
    out.resize(start + ascii + (length - ascii) * 3);
    XMLByte* bytes = reinterpret_cast<XMLByte*>(&out[start]);
    XMLSize_t done = ascii;
    XMLSize_t written = ascii;
    while (done < length) {
        XMLSize_t eaten = 0;
        written += utf8->transcodeTo(text + done, length - done, bytes + written,
            out.size() - start - written, eaten, XMLTranscoder::UnRep_RepChar);
        // Nothing eaten: a leading surrogate without its partner at the end,
        // which the parser never delivers; there is nothing more to convert.
        if (eaten == 0)
            break;
        done += eaten;
    }
    out.resize(start + written);
}

void OntylogHandler::startElement(
    const XMLCh*, const XMLCh*, const XMLCh* qname, const Attributes& attrs)
{
    // With namespace processing off the local name is empty; the name as
    // written is the qualified name.
    Tag tag = tagOf(std::u16string_view(qname, XMLString::stringLen(qname)));
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
    if (message == nullptr)
        return out;
    for (const XMLCh* p = message; *p != 0; ++p) {
        std::uint32_t c = *p;
        if (c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (p[1] - 0xDC00);
            ++p;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // a surrogate without its partner
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace ontylog
