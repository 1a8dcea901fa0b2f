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

using TermCollector = void (QueltKb::*)(const QueltConcept&, std::set<std::string>&) const;
using TermLookup = void (QueltKb::*)(const std::string&, std::set<long>&) const;

// Looks the concept's name and terms up in `other` (the matches), then the
// terms of every match back up in `self` (the back matches), and judges the
// match by the two counts:
//    0  one match that leads back to one concept
//   -1  several matches that all lead back to one concept
//    1  one match that leads back to several concepts
//    4  matches, but none of the above
//    5  no match
int matchConcept(QueltKb& self, QueltKb& other, const std::string& conceptName,
                 std::set<long>& matches, TermCollector collectTerms, TermLookup lookUp)
{
    const QueltConcept& concept = self.getConcept(conceptName);

    matches.clear();
    long byName = other.getIDFromName(conceptName);
    if (byName != -1)
        matches.insert(byName);

    std::set<std::string> terms;
    (self.*collectTerms)(concept, terms);

    std::set<long> backMatches;
    if (!terms.empty()) {
        for (const std::string& term : terms)
            (other.*lookUp)(term, matches);
        for (long id : matches) {
            std::set<std::string> otherTerms;
            (other.*collectTerms)(other.getConcept(id), otherTerms);
            for (const std::string& term : otherTerms)
                (self.*lookUp)(term, backMatches);
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

void QueltKb::getAlphaStemConceptTerms(const QueltConcept& concept,
                                       std::set<std::string>& terms) const
{
    for (const auto& entry : concept.getProperties()) {
        if (isTermProperty(entry.second))
            terms.insert(stemKey(entry.second.getValue()));
    }
}

int QueltKb::simpleMatchKB(QueltKb& other, const std::string& conceptName,
                           std::set<long>& matches)
{
    return matchConcept(*this, other, conceptName, matches, &QueltKb::getConceptTerms,
                        &QueltKb::getIDFromTerm);
}

int QueltKb::alphaStemMatchKB(QueltKb& other, const std::string& conceptName,
                              std::set<long>& matches)
{
    return matchConcept(*this, other, conceptName, matches, &QueltKb::getAlphaStemConceptTerms,
                        &QueltKb::getIDFromAlphaStemTermsTerm);
}
