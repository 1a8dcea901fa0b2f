#ifndef QUELT_OWL_TABLEBUILDER_H
#define QUELT_OWL_TABLEBUILDER_H

#include "model/QueltKb.h"
#include "owl/OwlTables.h"

#include <set>
#include <string>

namespace owl {

// Fills the tables the concepts are formatted from: the identifier of
// every concept (the value of its last "RXK" property) and the name of
// every map id that a property, role, association or qualifier of a
// concept holds; and collects the names of the concepts without parents.
//
// The pass over the concepts is shared by the calling thread and up to
// `threads` more. They only read records; every name is looked up through
// the records' registries on the calling thread, afterwards.
void buildConceptTables(
    const QueltKb& kb, unsigned threads, ConceptTables& tables, std::set<std::string>& roots);

} // namespace owl

#endif
