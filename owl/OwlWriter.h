#ifndef QUELT_OWL_OWLWRITER_H
#define QUELT_OWL_OWLWRITER_H

// The OWL writer behind QueltKb::writeMedvex2OWLFile, with the choice of
// how the concept section is formatted. The file, the console lines and
// the result are the same whatever the choice.

#include "model/QueltKb.h"

#include <cstddef>
#include <string>
#include <vector>

namespace owl {

struct WriteOptions {
    // Threads besides the calling one that help with the pass over the
    // concepts that builds the naming (xmlout/OwlNaming.h) and with
    // formatting the concepts; 0: the calling thread does all, formatting
    // every concept straight into the file's buffer.
    unsigned workers = 0;
    // Consecutive concepts formatted as one piece by one thread.
    std::size_t conceptsPerChunk = 128;
};

// One formatting thread per core beyond the first, at most three.
WriteOptions defaultWriteOptions();

// Writes the knowledge base as one OWL ontology in RDF/XML. Returns false,
// after one message on the knowledge base's console, when the file cannot be
// written (OutputFailed) or a unit of output cannot (Refusal, HeaderRefusal:
// a text XML cannot carry, a name that cannot be an element name); the file
// is then left as it was. Temporaries of the file that an earlier run left are named in a
// warning line each (see OutputFile::leftovers).
bool writeOwlFile(const QueltKb& kb, const std::string& fileName,
    const std::vector<std::string>& headerLines, const std::string& nameSpace,
    const WriteOptions& options);

// Whether the name can be an OWL identifier of the file: an ASCII letter
// or "_", then ASCII letters, digits, "_", "-" and ".". Each fault is one
// "ERROR:  invalid OWL name; ..." line on the console.
bool checkOwlName(const std::string& name, Console& console);

} // namespace owl

#endif
