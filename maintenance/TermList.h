#ifndef QUELT_MAINTENANCE_TERMLIST_H
#define QUELT_MAINTENANCE_TERMLIST_H

#include <string>

class QueltKb;

namespace maintenance {

// Imports a plain list of terms, one per line: adds a namespace, a kind and
// the property definitions "Semantic_Type", "Preferred_Name" and
// "FULL_SYN", then every non-empty line as a primitive concept under the
// parent, named after the line, whose preferred name and synonym are the
// line. Lines end at LF; a CR right before the LF belongs to the line end;
// a last line without a line end counts. A file that cannot be read raises
// a QueltError.
void readTermList(QueltKb& kb, const std::string& fileName, const std::string& nameSpace,
    const std::string& kind, const std::string& semanticType, const std::string& parent);

} // namespace maintenance

#endif
