#ifndef QUELT_MAINTENANCE_CHECK_H
#define QUELT_MAINTENANCE_CHECK_H

#include "model/Message.h"
#include "model/QueltKb.h"
#include "model/SourceLines.h"

#include <cstdint>
#include <string>
#include <vector>

namespace maintenance {

// Errors make the conversion to OWL refuse the terminology or write a
// wrong ontology (a reference to "#", two concepts as one class); warnings
// leave it converting, with an ERROR line on the console or a weaker
// ontology.
enum class Severity { Error, Warning };

const char* severityWord(Severity severity); // "error", "warning"

// One kind of problem: its stable name, its severity, whether the
// converter refuses a terminology that has it, and what it means.
struct FindingKind {
    const char* name;
    Severity severity;
    // The OWL writer refuses the unit a finding of this kind is about, in
    // the words its explanation starts with (an error).
    bool refused;
    const char* meaning;
};

// Every kind, errors first, in the order a summary lists them.
const std::vector<FindingKind>& findingKinds();

// One problem of a terminology, located.
struct Finding {
    const FindingKind* kind;
    // What it is about: "concept", "role definition", "kind definition",
    // "property definition", "qualifier definition", "association
    // definition", "namespace definition", or "document".
    const char* subject;
    std::string name;
    std::string code;
    std::uint64_t line; // where the subject starts in the document; 0 when not known
    std::string explanation; // one line
};

// Every problem of the knowledge base that the OWL writer would refuse,
// write wrongly or complain of, and the weaknesses of a terminology that
// make a poor ontology, in document order (by line; findings of the same
// line, and all of them when no line is known, in the order: the reader's
// lines, definitions, concepts, root classes, parent cycles). Where the
// writer refuses a
// definition or a concept, the finding's explanation starts with the
// writer's reason. The lines are those the reader noted (empty when the
// knowledge base was not read from a document); readerMessages are the
// messages the model and the reader reported while reading, which become
// findings of their own unless another finding already covers them.
std::vector<Finding> checkTerminology(
    const QueltKb& kb, const SourceLines& lines, const std::vector<Message>& readerMessages);

// The kind of that name; nullptr when there is none.
const FindingKind* findingKind(const std::string& name);

} // namespace maintenance

#endif
