#ifndef QUELT_TOOLS_GEN_GENERATE_H
#define QUELT_TOOLS_GEN_GENERATE_H

// A synthetic Ontylog XML terminology for load tests, with faults of the
// kinds "queltKbTool check" reports put in on request.
//
// The document has the shape and the proportions of a real terminology
// export: one namespace, six kinds with one root concept each, role,
// property, qualifier and association definitions, then the concepts, whose
// parents, role targets and association targets all name earlier concepts.
// A concept takes about 1.8 KB of XML (200,000 concepts: about 360 MB).
//
// The document depends on the options only: the random numbers come from a
// splitmix64 generator of our own and every number is formatted by hand, so
// the same options give the same bytes with any compiler and library.
// Memory use does not grow with the number of concepts (but for one bit a
// concept when faults are put in).

#include "maintenance/Check.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace gen {

struct Options {
    std::uint64_t concepts = 0;
    std::uint64_t seed = 0;
    // Each enabled kind of fault is put into a concept with this
    // probability (at most one fault a concept, so the rate times the number
    // of enabled kinds of concept faults must not exceed 1); the faults of
    // definitions are put in once each. 0: no faults, and the document is
    // exactly the one of these concepts and seed without faults.
    double faultRate = 0;
    // The kinds to put in, by the check's names; empty: all of them.
    std::vector<std::string> faultKinds;
};

// One fault put in, as the check reports it: its kind, what it is about
// ("concept", "kind definition", "role definition" or "property
// definition") and that one's name.
struct FaultRecord {
    const maintenance::FindingKind* kind;
    const char* subject;
    std::string name;
};

// Where the document goes, in blocks of up to a few MB.
class Sink {
public:
    virtual ~Sink() = default;
    virtual void write(const char* data, std::size_t size) = 0;
};

// The kinds of fault the generator can put in, as kinds of the check.
// Throws std::logic_error, naming it, when a kind the generator puts in is
// not one the check knows.
const std::vector<const maintenance::FindingKind*>& faultKinds();

// Whether the generator can put in faults of the kind of that name.
bool isFaultKind(std::string_view name);

// Why the options cannot be used, in the words of the program's usage
// messages; the empty text when they can.
std::string problemWith(const Options& options);

// Writes the document to the sink, or appends it to the text or the
// stream; returns the faults put in, in document order (those of
// definitions first). Throws std::invalid_argument when the options cannot
// be used, and as faultKinds() does.
std::vector<FaultRecord> generate(const Options& options, Sink& sink);
std::vector<FaultRecord> generate(const Options& options, std::string& document);
std::vector<FaultRecord> generate(const Options& options, std::ostream& out);

// A line of the fault log: kind, subject and name separated by tabs, and a
// line end.
std::string logLine(const FaultRecord& record);

} // namespace gen

#endif
