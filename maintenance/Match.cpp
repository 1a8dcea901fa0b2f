// Matching a concept of one knowledge base against another one by its
// terms: the lower-cased values of its "Preferred_Name" and "FULL_SYN"
// properties, or their sorted stem sequences.

#include "maintenance/Match.h"

#include "model/QueltKb.h"

namespace maintenance {

namespace {

// The terms of a concept, or the concepts of a knowledge base with one of
// them.
void collectTerms(
    const QueltKb& kb, const QueltConcept& con, std::set<std::string>& terms, MatchBy by)
{
    if (by == MatchBy::Terms)
        kb.getConceptTerms(con, terms);
    else
        kb.getAlphaStemConceptTerms(con, terms);
}

void lookUp(const QueltKb& kb, const std::string& term, std::set<long>& ids, MatchBy by)
{
    // The collected stem terms are stem sequences already, and they are
    // looked up as they are: stemming a stem once more can change it
    // ("disease" -> "diseas" -> "disea"), and then a term would not even
    // find itself.
    if (by == MatchBy::Terms)
        kb.getIDFromTerm(term, ids);
    else
        kb.getIDFromStemSequence(term, ids);
}

} // namespace

const std::vector<VerdictText>& verdictTexts()
{
    static const std::vector<VerdictText> texts = {
        { MatchVerdict::OneToOne, "one-to-one",
            { "one concept matches, and its terms lead back to", "one term of the list" } },
        { MatchVerdict::OneToMany, "one-to-many",
            { "several concepts match, and their terms lead back to", "one term of the list" } },
        { MatchVerdict::ManyToOne, "many-to-one",
            { "one concept matches, and its terms lead back to", "several terms of the list" } },
        { MatchVerdict::Partial, "partial",
            { "concepts match, but not as above (for example one", "found by its name alone)" } },
        { MatchVerdict::None, "none", { "no concept matches" } },
    };
    return texts;
}

const char* verdictWord(MatchVerdict verdict)
{
    for (const VerdictText& text : verdictTexts()) {
        if (text.verdict == verdict)
            return text.word;
    }
    return "unknown";
}

// Looks the concept's name and terms up in `other` (the matches), then the
// terms of every match back up in `self` (the back matches), and judges the
// match by the two counts.
MatchVerdict matchConcept(QueltKb& self, QueltKb& other, const std::string& conceptName,
    std::set<long>& matches, MatchBy by)
{
    const QueltConcept& con = self.getConcept(conceptName);

    matches.clear();
    long byName = other.getIDFromName(conceptName);
    if (byName != -1)
        matches.insert(byName);

    std::set<std::string> terms;
    collectTerms(self, con, terms, by);

    std::set<long> backMatches;
    if (!terms.empty()) {
        for (const std::string& term : terms)
            lookUp(other, term, matches, by);
        for (long id : matches) {
            std::set<std::string> otherTerms;
            collectTerms(other, other.getConcept(id), otherTerms, by);
            for (const std::string& term : otherTerms)
                lookUp(self, term, backMatches, by);
        }
    }

    if (matches.empty())
        return MatchVerdict::None;
    if (matches.size() == 1 && backMatches.size() == 1)
        return MatchVerdict::OneToOne;
    if (matches.size() > 1 && backMatches.size() == 1)
        return MatchVerdict::OneToMany;
    if (matches.size() == 1 && backMatches.size() > 1)
        return MatchVerdict::ManyToOne;
    return MatchVerdict::Partial;
}

} // namespace maintenance
