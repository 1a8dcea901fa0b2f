// The knowledge base's members that match, import term lists and compare
// versions hand the call on to this layer.

#include "maintenance/Compare.h"
#include "maintenance/Match.h"
#include "maintenance/TermList.h"
#include "model/QueltKb.h"

int QueltKb::simpleMatchKB(QueltKb& other, const std::string& conceptName, std::set<long>& matches)
{
    return static_cast<int>(
        maintenance::matchConcept(*this, other, conceptName, matches, maintenance::MatchBy::Terms));
}

int QueltKb::alphaStemMatchKB(
    QueltKb& other, const std::string& conceptName, std::set<long>& matches)
{
    return static_cast<int>(
        maintenance::matchConcept(*this, other, conceptName, matches, maintenance::MatchBy::Stems));
}

void QueltKb::readFlatFile(const std::string& fileName, const std::string& nameSpace,
    const std::string& kind, const std::string& semanticType, const std::string& parent,
    const std::string& /*unused*/)
{
    maintenance::readTermList(*this, fileName, nameSpace, kind, semanticType, parent);
}

QueltKb& QueltKb::copyDefsTo(QueltKb& target) const
{
    return maintenance::copyDefinitions(*this, target);
}

QueltKb& QueltKb::diff_Concepts(QueltKb& other, QueltKb& target) const
{
    return maintenance::pairSharedConcepts(*this, other, target);
}

void QueltKb::unique_Concepts(const QueltKb& other, QueltKb& target) const
{
    maintenance::collectUniqueConcepts(*this, other, target);
}
