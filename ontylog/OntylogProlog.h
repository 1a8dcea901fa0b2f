#ifndef QUELT_ONTYLOG_ONTYLOGPROLOG_H
#define QUELT_ONTYLOG_ONTYLOGPROLOG_H

#include <cstddef>
#include <string_view>

namespace ontylog {

// What the prolog of a document (all that comes before the start tag of its
// root element) tells the reader, found in the document's first bytes
// before it is parsed.
struct Prolog {
    // The whole prolog is in those bytes and is plain: an optional byte
    // order mark, an optional XML declaration of version 1.0 in an encoding
    // that writes ASCII as ASCII bytes, comments, processing instructions
    // and white space, and at most one DOCTYPE declaration, which names an
    // external DTD at most and has no internal subset. The parser library's
    // well-formedness scanner reads a document with such a prolog as its
    // default scanner does, but for two things the reader settles (see
    // OntylogReader.cpp). A prolog this does not recognise is not plain.
    bool plain = false;
    // A plain prolog whose DOCTYPE declaration names an external DTD (which
    // the reader never reads).
    bool namesExternalDtd = false;
    // A plain prolog whose XML declaration says standalone="yes".
    bool standalone = false;
};

// How many bytes of a document readProlog needs at most: a longer prolog is
// not plain.
const std::size_t kPrologBytes = 64 * 1024;

// The prolog of a document whose first bytes (all of them, if it is
// shorter) are head.
Prolog readProlog(std::string_view head);

} // namespace ontylog

#endif
