#include "model/QueltQualifier.h"

#include "model/NameResolution.h"
#include "model/QueltQualifierDef.h"

QueltQualifier::QueltQualifier(const std::string& name, std::string value)
    : value_(std::move(value))
    , nameId_(resolveNameIfAbsentNow<QueltQualifier, QueltQualifierDef>(
          name, QueltTerminology::NO_PROPDEF))
{
}

const std::string& QueltQualifier::getName() const
{
    return nameOf<QueltQualifier, QueltQualifierDef>(nameId_, QueltTerminology::NO_PROPDEF);
}

bool QueltQualifier::isValidQualifier() const
{
    const std::string& name = getName();
    return QueltQualifierDef::hasPickList(name)
        && QueltQualifierDef::stringInPickList(name, value_);
}

bool QueltQualifier::operator==(const QueltQualifier& other) const
{
    return nameId_ == other.nameId_ && value_ == other.value_;
}

bool QueltQualifier::operator<(const QueltQualifier& other) const
{
    return nameId_ < other.nameId_ && value_ < other.value_;
}

std::ostream& operator<<(std::ostream& out, const QueltQualifier& qualifier)
{
    return out << qualifier.getName() << ' ' << qualifier.getValue();
}
