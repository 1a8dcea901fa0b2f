#include "model/QueltRole.h"

#include "model/NameResolution.h"
#include "model/QueltRoleDef.h"

#include <ostream>

QueltRole::QueltRole(const std::string& name, std::string value, const std::string& modifier)
    : QueltRole(name, std::move(value), modifier, 0)
{
}

QueltRole::QueltRole(
    const std::string& name, std::string value, const std::string& modifier, long roleGroup)
    : nameId_(resolveName<QueltRole, QueltRoleDef>(name, QueltTerminology::NO_ROLEDEF))
    , value_(std::move(value))
    , modifier_(modifier)
    , roleGroup_(roleGroup)
{
}

const std::string& QueltRole::getName() const
{
    return nameOf<QueltRole, QueltRoleDef>(nameId_, QueltTerminology::NO_ROLEDEF);
}

void QueltRole::setName(const std::string& name, Console& console)
{
    nameId_ = resolveName<QueltRole, QueltRoleDef>(name, QueltTerminology::NO_ROLEDEF);
    if (QueltRoleDef::isError(QueltTerminology::NO_ROLEDEF))
        console.err("ERROR:  QueltRoleDef for '" + name + "' not yet defined.");
}

bool QueltRole::operator==(const QueltRole& other) const
{
    return nameId_ == other.nameId_ && value_ == other.value_ && modifier_ == other.modifier_
        && roleGroup_ == other.roleGroup_;
}

bool QueltRole::operator<(const QueltRole& other) const
{
    return nameId_ < other.nameId_ && value_ < other.value_ && modifier_ < other.modifier_
        && roleGroup_ < other.roleGroup_;
}

std::ostream& operator<<(std::ostream& out, const QueltRole& role)
{
    return out << role.modifier().name() << ' ' << role.getName() << ' ' << role.getValue();
}
