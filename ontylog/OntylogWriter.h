#ifndef QUELT_ONTYLOG_ONTYLOGWRITER_H
#define QUELT_ONTYLOG_ONTYLOGWRITER_H

#include <string>

class QueltKb;

namespace ontylog {

// Writes the whole knowledge base as one Ontylog XML document, in the
// vocabulary the reader reads; with renumber, every definition and concept
// gets a fresh code (the letter of its section and a running number) and
// id. Every text is written so that the reader gives it back exactly.
// Returns false, after one line on the knowledge base's console, when the
// file cannot be written or a text cannot be carried by XML; the file is
// then left as it was. Temporaries of the file that an earlier run left are
// named in a warning line each (see OutputFile::leftovers).
bool writeFile(const QueltKb& kb, const std::string& fileName, bool renumber);

} // namespace ontylog

#endif
