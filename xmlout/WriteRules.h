#ifndef QUELT_XMLOUT_WRITERULES_H
#define QUELT_XMLOUT_WRITERULES_H

#include "model/Message.h"

#include <string>
#include <string_view>
#include <vector>

// What the OWL writer refuses to write, in the words it uses, and its check
// of OWL identifiers, as plain functions of the texts. The writer acts on
// them; the terminology check (maintenance/) foretells the writer with
// them, so that the two give the same verdict and the same reason.
namespace writerules {

// The reason for refusing a unit of output (a definition, a concept) that
// holds a character XML cannot carry (xmltext::carryable is false).
extern const char* const kUncarried;

// Why the name of a property, association or qualifier of a concept (what:
// "property", "association" or "qualifier") cannot be the element name it
// becomes: "a qualifier without a defined name" for the empty text (a
// record whose name has no definition reads back as it), "property name
// 'x' cannot be an XML element name" for a name that is not an XML name.
// The empty text when the name can be written.
std::string elementNameFault(const char* what, const std::string& name);

// The refusal of a unit (subject: "concept", "role definition", ...) of
// that name, for the reason; the console shows it as "ERROR: cannot write
// <unit> '<name>': <reason>".
Message refusal(std::string_view unit, std::string_view name, std::string_view reason);

// Whether the name can be an OWL identifier of the file: an ASCII letter or
// "_", then ASCII letters, digits, "_", "-" and ".". Each fault is one text,
// in the order of the name: "invalid OWL name; first char \"NAME\"" (also
// for the empty name), then "invalid OWL name; internal char at N,
// \"NAME\"" for each later character that is not allowed (N counted from 1).
// No text: a valid name.
std::vector<std::string> owlNameFaults(const std::string& name);

} // namespace writerules

#endif
