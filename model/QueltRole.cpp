#include "model/QueltRole.h"

#include "model/NameResolution.h"
#include "model/QueltRoleDef.h"

#include <ostream>

QueltRole::QueltRole(const std::string& name, std::string givenValue, const std::string& modifier)
    : QueltRole(name, std::move(givenValue), modifier, 0)
{
}

QueltRole::QueltRole(const std::string& name, std::string givenValue, const std::string& modifier,
    long givenRoleGroup)
    : QueltRole(name, SharedText(std::move(givenValue)), modifier, givenRoleGroup)
{
}

QueltRole::QueltRole(const std::string& name, SharedText givenValue, const std::string& modifier,
    long givenRoleGroup)
    : nameId(resolveName<QueltRole, QueltRoleDef>(name, QueltTerminology::NO_ROLEDEF))
    , value(std::move(givenValue))
    , roleGroup(givenRoleGroup)
{
    setModififier(modifier);
}

const QueltRoleEnum& QueltRole::modifier() const
{
    static const QueltRoleEnum modifiers[3] = { QueltRoleEnum(QueltRoleEnum::modifierNames[0]),
        QueltRoleEnum(QueltRoleEnum::modifierNames[1]),
        QueltRoleEnum(QueltRoleEnum::modifierNames[2]) };
    return modifiers[modifierCode];
}

void QueltRole::setModififier(const std::string& modifier)
{
    modifierCode = static_cast<unsigned char>(QueltRoleEnum(modifier).getModifier());
}

const std::string& QueltRole::getName() const
{
    return nameOf<QueltRole, QueltRoleDef>(nameId, QueltTerminology::NO_ROLEDEF);
}

void QueltRole::setName(const std::string& name, Console& console)
{
    nameId = resolveName<QueltRole, QueltRoleDef>(name, QueltTerminology::NO_ROLEDEF);
    if (QueltRoleDef::isError(QueltTerminology::NO_ROLEDEF))
        console.report({ Message::Kind::UndefinedRoleName, "role", name, "", 0 });
}

bool QueltRole::operator==(const QueltRole& other) const
{
    return nameId == other.nameId && value == other.value && modifierCode == other.modifierCode
        && roleGroup == other.roleGroup;
}

bool QueltRole::operator<(const QueltRole& other) const
{
    return nameId < other.nameId && value < other.value && modifierCode < other.modifierCode
        && roleGroup < other.roleGroup;
}

std::ostream& operator<<(std::ostream& out, const QueltRole& role)
{
    return out << role.modifier().name() << ' ' << role.getName() << ' ' << role.getValue();
}
