#include "model/QueltQualifier.h"

#include "model/NameResolution.h"
#include "model/QueltQualifierDef.h"

QueltQualifier::QueltQualifier(const std::string& name, std::string givenValue)
    : QueltQualifier(name, SharedText(std::move(givenValue)))
{
}

QueltQualifier::QueltQualifier(const std::string& name, SharedText givenValue)
    : value(std::move(givenValue))
    , nameId(resolveNameIfAbsentNow<QueltQualifier, QueltQualifierDef>(
          name, QueltTerminology::NO_PROPDEF))
{
}

const std::string& QueltQualifier::getName() const
{
    return nameOf<QueltQualifier, QueltQualifierDef>(nameId, QueltTerminology::NO_PROPDEF);
}

bool QueltQualifier::isValidQualifier() const
{
    const std::string& name = getName();
    return QueltQualifierDef::hasPickList(name)
        && QueltQualifierDef::stringInPickList(name, value.str());
}

bool QueltQualifier::operator==(const QueltQualifier& other) const
{
    return nameId == other.nameId && value == other.value;
}

bool QueltQualifier::operator<(const QueltQualifier& other) const
{
    return nameId < other.nameId && value.str() < other.value.str();
}

std::ostream& operator<<(std::ostream& out, const QueltQualifier& qualifier)
{
    return out << qualifier.getName() << ' ' << qualifier.getValue();
}
