#include "model/QueltAssociation.h"

#include "model/NameResolution.h"
#include "model/QueltAssociationDef.h"

QueltAssociation::QueltAssociation(const std::string& name, std::string value)
    : QueltAssociation(name, std::move(value), {})
{
}

QueltAssociation::QueltAssociation(
    const std::string& name, std::string value, std::vector<QueltQualifier> qualifiers)
    : value_(std::move(value))
    , nameId_(
          resolveName<QueltAssociation, QueltAssociationDef>(name, QueltTerminology::NO_PROPDEF))
    , qualifiers_(std::move(qualifiers))
{
}

const std::string& QueltAssociation::getName() const
{
    return nameOf<QueltAssociation, QueltAssociationDef>(nameId_, QueltTerminology::NO_PROPDEF);
}

bool QueltAssociation::operator==(const QueltAssociation& other) const
{
    bool same = nameId_ == other.nameId_ && value_ == other.value_;
    if (qualifiers_.empty())
        return same;
    return same && qualifiers_ == other.qualifiers_;
}

bool QueltAssociation::operator<(const QueltAssociation& other) const
{
    bool less = nameId_ < other.nameId_ && value_ < other.value_;
    if (qualifiers_.empty())
        return less;
    return less && qualifiers_ < other.qualifiers_;
}

std::ostream& operator<<(std::ostream& out, const QueltAssociation& association)
{
    out << association.getName() << ' ' << association.getValue();
    for (const QueltQualifier& qualifier : association.getQualifiers())
        out << '|' << qualifier;
    return out;
}
