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
// concept when faults are put in, one byte when changes are made).
//
// With a change rate the document is a newer version of the one of these
// concepts and seed: about that share of its concepts changed in every way
// maintenance::compareVersions tells apart, some definitions changed, and
// a log of every change made, as the comparison reports it.

#include "maintenance/Changes.h"
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
    // Each concept but the roots is changed with this probability (and
    // the concepts that refer to one removed change with it); the
    // definitions change when it is not 0. Not with faults.
    double changeRate = 0;
    // The seed of the random numbers that choose the changes.
    std::uint64_t changeSeed = 0;
};

// One fault put in, as the check reports it: its kind, what it is about
// ("concept", "kind definition", "role definition" or "property
// definition") and that one's name.
struct FaultRecord {
    const maintenance::FindingKind* kind;
    const char* subject;
    std::string name;
};

// A change the comparison of the two versions must not see, of a concept:
// "reordered" (its parents, roles, properties and associations in another
// order), "regrouped" (its role groups in another order, so numbered
// otherwise) or "moved" (written after the next concept).
struct Rearrangement {
    std::string code;
    const char* how;
};

// The changes a newer version makes, as compareVersions records them
// (maintenance/Changes.h): the definitions by type, then name; one record
// per concept that changes, in document order, with its changes in the
// order they were made; the codes given to a second concept. A role fact's
// group is its group's number in its own version (in the older one, for a
// group that goes because a role of it names a concept removed).
struct ChangeLog {
    std::vector<maintenance::DefinitionChanges> definitions;
    std::vector<maintenance::ConceptChanges> concepts;
    std::vector<maintenance::DuplicateCode> duplicateCodes;
    std::vector<Rearrangement> rearrangements;
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
// definitions first), and gives the changes made to `changes` when it is
// not null. Throws std::invalid_argument when the options cannot be used,
// and as faultKinds() does.
std::vector<FaultRecord> generate(const Options& options, Sink& sink, ChangeLog* changes = nullptr);
std::vector<FaultRecord> generate(
    const Options& options, std::string& document, ChangeLog* changes = nullptr);
std::vector<FaultRecord> generate(
    const Options& options, std::ostream& out, ChangeLog* changes = nullptr);

// A line of the fault log: kind, subject and name separated by tabs, and a
// line end.
std::string logLine(const FaultRecord& record);

// The lines of the change log, one per change: what changed (a concept's
// code, a definition's type and name), the kind of change and its detail,
// separated by tabs; the definitions first, then the concepts, the
// duplicate codes and the rearrangements.
std::string logLines(const ChangeLog& changes);

} // namespace gen

#endif
