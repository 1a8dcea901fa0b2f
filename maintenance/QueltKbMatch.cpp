// Matching a concept of one knowledge base against another one by its
// terms: the lower-cased values of its "Preferred_Name" and "FULL_SYN"
// properties, or their sorted stem sequences.

#include "model/QueltKb.h"

namespace {

bool isTermProperty(const QueltProperty& property)
{
    const std::string& name = property.getName();
    return name == "Preferred_Name" || name == "FULL_SYN";
}

// Looks the concept's name and terms up in `other` (the matches), then the
// terms of every match back up in `self` (the back matches), and judges the
// match by the two counts:
//    0  one match that leads back to one concept
//   -1  several matches that all lead back to one concept
//    1  one match that leads back to several concepts
//    4  matches, but none of the above
//    5  no match
// collect(kb, concept, terms) gathers a concept's terms, lookUp(kb, term,
// ids) the concepts of kb that have one of them.
template <class Collect, class LookUp>
int matchConcept(QueltKb& self, QueltKb& other, const std::string& conceptName,
    std::set<long>& matches, Collect collect, LookUp lookUp)
{
    const QueltConcept& concept = self.getConcept(conceptName);

    matches.clear();
    long byName = other.getIDFromName(conceptName);
    if (byName != -1)
        matches.insert(byName);

    std::set<std::string> terms;
    collect(self, concept, terms);

    std::set<long> backMatches;
    if (!terms.empty()) {
        for (const std::string& term : terms)
            lookUp(other, term, matches);
        for (long id : matches) {
            std::set<std::string> otherTerms;
            collect(other, other.getConcept(id), otherTerms);
            for (const std::string& term : otherTerms)
                lookUp(self, term, backMatches);
        }
    }

    if (matches.empty())
        return 5;
    if (matches.size() == 1 && backMatches.size() == 1)
        return 0;
    if (matches.size() > 1 && backMatches.size() == 1)
        return -1;
    if (matches.size() == 1 && backMatches.size() > 1)
        return 1;
    return 4;
}

} // namespace

void QueltKb::getConceptTerms(const QueltConcept& concept, std::set<std::string>& terms) const
{
    for (const auto& entry : concept.getProperties()) {
        if (isTermProperty(entry.second))
            terms.insert(toLower(entry.second.getValue()));
    }
}

void QueltKb::getAlphaStemConceptTerms(
    const QueltConcept& concept, std::set<std::string>& terms) const
{
    for (const auto& entry : concept.getProperties()) {
        if (isTermProperty(entry.second))
            terms.insert(stemKey(entry.second.getValue()));
    }
}

int QueltKb::simpleMatchKB(QueltKb& other, const std::string& conceptName, std::set<long>& matches)
{
    return matchConcept(
        *this, other, conceptName, matches,
        [](const QueltKb& kb, const QueltConcept& concept, std::set<std::string>& terms) {
            kb.getConceptTerms(concept, terms);
        },
        [](const QueltKb& kb, const std::string& term, std::set<long>& ids) {
            kb.getIDFromTerm(term, ids);
        });
}

int QueltKb::alphaStemMatchKB(
    QueltKb& other, const std::string& conceptName, std::set<long>& matches)
{
    // The collected terms are stem sequences already, and they are looked up
    // in the term-stem index as they are: stemming a stem once more can
    // change it ("disease" -> "diseas" -> "disea"), and then a term would
    // not even find itself.
    return matchConcept(
        *this, other, conceptName, matches,
        [](const QueltKb& kb, const QueltConcept& concept, std::set<std::string>& terms) {
            kb.getAlphaStemConceptTerms(concept, terms);
        },
        [](const QueltKb& kb, const std::string& stems, std::set<long>& ids) {
            kb.indexPending();
            auto range = kb.stemTermToID.equal_range(stems);
            for (auto it = range.first; it != range.second; ++it)
                ids.insert(it->second);
        });
}
