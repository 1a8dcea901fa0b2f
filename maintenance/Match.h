#ifndef QUELT_MAINTENANCE_MATCH_H
#define QUELT_MAINTENANCE_MATCH_H

#include <set>
#include <string>
#include <vector>

class QueltKb;

namespace maintenance {

// How a concept of one knowledge base matches another knowledge base: by
// the number of concepts it matches there, and the number of concepts of
// its own knowledge base that their terms lead back to.
enum class MatchVerdict : int {
    OneToOne = 0, // one match that leads back to one concept
    OneToMany = -1, // several matches that all lead back to one concept
    ManyToOne = 1, // one match that leads back to several concepts
    Partial = 4, // matches, but none of the above
    None = 5, // no match
};

// Each verdict with its word and what it means for a list of terms matched
// against a terminology, in the order they are explained.
struct VerdictText {
    MatchVerdict verdict;
    const char* word;
    std::vector<const char*> meaning; // lines of the explanation
};
const std::vector<VerdictText>& verdictTexts();

const char* verdictWord(MatchVerdict verdict);

// Terms: the lower-cased values of the "Preferred_Name" and "FULL_SYN"
// properties, compared exactly, or their sorted stem sequences.
enum class MatchBy { Terms, Stems };

// Matches the concept of that name of `self` against `other`: the concepts
// of `other` with its name or one of its terms go into `matches` (emptied
// first). An unknown name raises a QueltError.
MatchVerdict matchConcept(QueltKb& self, QueltKb& other, const std::string& conceptName,
    std::set<long>& matches, MatchBy by);

} // namespace maintenance

#endif
