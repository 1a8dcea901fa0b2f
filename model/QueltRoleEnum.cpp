#include "model/QueltRoleEnum.h"

const std::string QueltRoleEnum::modifierNames[3] = { "some", "all", "poss" };
std::string QueltRoleEnum::tmpStr;

QueltRoleEnum::QueltRoleEnum(const std::string& name)
    : code(isValid(name) ? convertToModifier(name) : 0)
{
}

bool QueltRoleEnum::isValid(const std::string& name)
{
    return convertToModifier(name) >= 0;
}

long QueltRoleEnum::convertToModifier(const std::string& name)
{
    for (long i = 0; i < 3; ++i) {
        if (name == modifierNames[i])
            return i;
    }
    return -1;
}

const std::string& QueltRoleEnum::getModifier(char) const
{
    tmpStr = modifierNames[code];
    return tmpStr;
}
