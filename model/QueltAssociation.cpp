#include "model/QueltAssociation.h"

#include "model/NameResolution.h"
#include "model/QueltAssociationDef.h"

QueltAssociation::QueltAssociation(const std::string& name, std::string givenValue)
    : QueltAssociation(name, std::move(givenValue), {})
{
}

QueltAssociation::QueltAssociation(
    const std::string& name, std::string givenValue, std::vector<QueltQualifier> givenQualifiers)
    : QueltAssociation(name, SharedText(std::move(givenValue)), std::move(givenQualifiers))
{
}

QueltAssociation::QueltAssociation(
    const std::string& name, SharedText givenValue, std::vector<QueltQualifier> givenQualifiers)
    : value(std::move(givenValue))
    , nameId(resolveName<QueltAssociation, QueltAssociationDef>(name, QueltTerminology::NO_PROPDEF))
    , qualifiers(std::move(givenQualifiers))
{
}

const std::string& QueltAssociation::getName() const
{
    return nameOf<QueltAssociation, QueltAssociationDef>(nameId, QueltTerminology::NO_PROPDEF);
}

bool QueltAssociation::operator==(const QueltAssociation& other) const
{
    bool same = nameId == other.nameId && value == other.value;
    if (qualifiers.empty())
        return same;
    return same && qualifiers == other.qualifiers;
}

bool QueltAssociation::operator<(const QueltAssociation& other) const
{
    bool less = nameId < other.nameId && value < other.value;
    if (qualifiers.empty())
        return less;
    return less && qualifiers < other.qualifiers;
}

std::ostream& operator<<(std::ostream& out, const QueltAssociation& association)
{
    out << association.getName() << ' ' << association.getValue();
    for (const QueltQualifier& qualifier : association.getQualifiers())
        out << '|' << qualifier;
    return out;
}
