#ifndef QUELT_ONTYLOG_ONTYLOGHANDLER_H
#define QUELT_ONTYLOG_ONTYLOGHANDLER_H

#include "ontylog/OntylogGrammar.h"

#include <xercesc/sax2/DefaultHandler.hpp>

#include <cstdint>
#include <string>

namespace ontylog {

// The SAX2 content and error handler of the parser library, as a thin
// adapter in front of the element grammar (OntylogGrammar): element names
// are looked up as the parser gives them (UTF-16); attribute values and
// character data are converted to UTF-8 once, at the boundary, straight
// onto the grammar's buffers (a surrogate without its partner becomes
// U+FFFD); the parser's fatal error becomes the grammar's fatal-error step,
// with the message and the line it gave. As a line source it tells the
// grammar the line the parser is at.
//
// One handler serves one parse.
class OntylogHandler : public xercesc::DefaultHandler, public LineSource {
public:
    // Thrown by fatalError to end the parse, once told to (endParseAtFatalError).
    struct ParseEnded { };

    explicit OntylogHandler(OntylogGrammar& grammar);
    OntylogHandler(const OntylogHandler&) = delete;
    OntylogHandler& operator=(const OntylogHandler&) = delete;

    void startElement(const XMLCh* uri, const XMLCh* localname, const XMLCh* qname,
        const xercesc::Attributes& attrs) override;
    void endElement(const XMLCh* uri, const XMLCh* localname, const XMLCh* qname) override;
    void characters(const XMLCh* chars, XMLSize_t length) override;
    void fatalError(const xercesc::SAXParseException& exc) override;
    void setDocumentLocator(const xercesc::Locator* givenLocator) override;

    std::uint64_t currentLine() const override;

    // For a parser that goes on after a fatal error: fatalError ends the
    // parse itself, throwing ParseEnded once the error is noted, so the parse
    // ends where a parser that stops at its first fatal error ends it. With
    // undeclaredEntitiesPass, the error of a reference to an undeclared
    // entity is passed over and the parse goes on without the reference.
    // Needs an initialised parser library. False when the library's message
    // for that error cannot be told from the others (nothing is changed
    // then).
    bool endParseAtFatalError(bool undeclaredEntitiesPass);

    // A message of the parser library as UTF-8 text for the console.
    // Depends on no state of the library, so it also serves when the
    // library failed to initialise.
    static std::string messageText(const XMLCh* message);

private:
    bool namesUndeclaredEntity(const XMLCh* message) const;

    OntylogGrammar& grammar;
    const xercesc::Locator* locator = nullptr;
    // The value of the attribute the grammar reads from a start tag.
    std::string attribute;
    // The leading unit of a surrogate pair that ended the last piece of
    // character data, or 0.
    XMLCh heldSurrogate = 0;
    // Set by endParseAtFatalError.
    bool endsParse = false;
    bool undeclaredPass = false;
    // The library's message for a reference to an undeclared entity: the
    // text before the entity's name and after it.
    std::u16string undeclaredBefore;
    std::u16string undeclaredAfter;
};

} // namespace ontylog

#endif
