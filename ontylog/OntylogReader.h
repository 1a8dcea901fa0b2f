#ifndef QUELT_ONTYLOG_ONTYLOGREADER_H
#define QUELT_ONTYLOG_ONTYLOGREADER_H

#include <cstddef>
#include <string>

class QueltKb;
struct SourceLines;

// Reading one Ontylog XML document into a knowledge base. Nothing outside
// the document is read: the DTD that its DOCTYPE names is skipped, external
// entities are refused, and a security manager limits entity expansion; a
// refusal is a fatal error like any broken input.
//
// Both return false when the document could not be read completely (the
// parser stopped at a fatal error, which is printed through the knowledge
// base's console as "Fatal Error: <message> at line: <line>"); what was
// read before stays in the knowledge base. An exception of the parser
// library raises a QueltError with status 255 and the library's message.
//
// Given lines, both also note there the line where each definition and
// concept read starts (appended to what it holds), the names that had no
// definition, and the fatal error.
//
// Two documents may be read at once, into two knowledge bases, on two
// threads: only their parsing runs in parallel; the records are built one
// batch at a time. No other model code may run meanwhile (construct the
// knowledge bases before, and give each a console of its own).
namespace ontylog {

// The document in the named file.
bool readFile(QueltKb& kb, const std::string& fileName, SourceLines* lines = nullptr);

// The document held in memory; name stands for it where the parser
// library needs a name.
bool readMemory(QueltKb& kb, const void* bytes, std::size_t size, const std::string& name,
    SourceLines* lines = nullptr);

} // namespace ontylog

#endif
