#ifndef QUELT_XMLOUT_XMLTEXT_H
#define QUELT_XMLOUT_XMLTEXT_H

#include <cstddef>
#include <string>
#include <string_view>

// Text routines shared by the OWL and the Ontylog XML writers. Every text
// they put into a file must read back through an XML parser as exactly the
// text the knowledge base holds.
namespace xmltext {

// Element content. A text holding "<" or "&" is written as a CDATA section
// (a "]]>" inside is split across two sections, a CR is written as a
// character reference between sections); a text that already is one
// complete CDATA section passes unchanged. Otherwise the text is written
// as it is, except "]]>" as "]]&gt;" and CR as "&#xD;".
std::string content(std::string_view text);

// Appends content(text) to out; avoids a temporary for the common case of
// a text with nothing to escape.
void appendContent(std::string& out, std::string_view text);

// Attribute value inside double quotes: & < " as entities, tab, LF and CR
// as character references.
std::string attribute(std::string_view text);
void appendAttribute(std::string& out, std::string_view text);

// True when the text can be the name of an element in a document read with
// namespaces: an XML 1.0 (fifth edition) name in UTF-8 without a colon.
// False for the empty text and for bytes that are not UTF-8.
bool isElementName(const std::string& text);

// True when XML 1.0 can carry every byte of the text: no C0 control
// character other than tab, LF and CR.
bool carryable(const std::string& text);
bool carryable(const char* text, size_t size);

// Why a document declared as UTF-8 cannot carry the text, or nullptr when
// it can: a C0 control character other than tab, LF and CR, bytes that are
// not well-formed UTF-8, or U+FFFE or U+FFFF.
const char* uncarriedReason(std::string_view text);

} // namespace xmltext

#endif
