#include "model/QueltProperty.h"

#include "model/NameResolution.h"
#include "model/QueltPropertyDef.h"

#include <ostream>

QueltProperty::QueltProperty(const std::string& name, std::string value, std::string locale)
    : value_(std::move(value))
    , nameId_(resolveName<QueltProperty, QueltPropertyDef>(name, QueltTerminology::NO_PROPDEF))
    , locale_(std::move(locale))
{
}

const std::string& QueltProperty::getName() const
{
    return nameOf<QueltProperty, QueltPropertyDef>(nameId_, QueltTerminology::NO_PROPDEF);
}

void QueltProperty::setName(const std::string& name, Console& console)
{
    nameId_ = resolveName<QueltProperty, QueltPropertyDef>(name, QueltTerminology::NO_PROPDEF);
    if (QueltPropertyDef::isError(QueltTerminology::NO_PROPDEF))
        console.err("ERROR:  PropertyDef for '" + name + "' not yet defined.");
}

bool QueltProperty::operator==(const QueltProperty& other) const
{
    bool same = nameId_ == other.nameId_ && value_ == other.value_ && locale_ == other.locale_;
    if (qualifiers_.empty())
        return same;
    return same && qualifiers_ == other.qualifiers_;
}

bool QueltProperty::operator<(const QueltProperty& other) const
{
    return nameId_ < other.nameId_ && value_ < other.value_ && locale_ < other.locale_
        && qualifiers_ < other.qualifiers_;
}

std::ostream& operator<<(std::ostream& out, const QueltProperty& property)
{
    out << property.getName() << ' ' << property.getValue();
    for (const QueltQualifier& qualifier : property.getQualifiers())
        out << '|' << qualifier;
    return out;
}
