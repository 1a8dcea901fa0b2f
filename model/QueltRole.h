#ifndef QUELT_MODEL_QUELTROLE_H
#define QUELT_MODEL_QUELTROLE_H

#include "model/ErrorWord.h"
#include "model/QueltRoleEnum.h"

#include <ostream>
#include <string>

// A role of a concept: a relation, by role-definition name, to a target
// concept, with a modifier and a role group (0 = in no group).
class QueltRole : public ClassErrors<QueltRole> {
public:
    static constexpr const char* kClassName = "QueltRole";

    // The value is taken by value, so a caller may move it in.
    QueltRole(const std::string& name, std::string value, const std::string& modifier);
    QueltRole(
        const std::string& name, std::string value, const std::string& modifier, long roleGroup);
    virtual ~QueltRole() = default;
    QueltRole(const QueltRole&) = default;
    QueltRole& operator=(const QueltRole&) = default;
    QueltRole(QueltRole&&) = default;
    QueltRole& operator=(QueltRole&&) = default;

    long getNameID() const { return nameId; }
    const std::string& getName() const;
    // Says so on the console when the definitions are absent.
    void setName(const std::string& name, Console& console = Console::standard());
    const std::string& getValue() const { return value; }
    void setValue(const std::string& givenValue) { value = givenValue; }
    // The modifier's name ("some", "all" or "poss"), in the text shared by
    // all modifiers (see QueltRoleEnum::getModifier).
    const std::string& getModifier() const { return roleModifier.getModifier('c'); }
    const QueltRoleEnum& modifier() const { return roleModifier; }
    void setModififier(const std::string& modifier) { roleModifier = QueltRoleEnum(modifier); }
    long getRolegroup() const { return roleGroup; }
    void setRoleGroup(long givenRoleGroup) { roleGroup = givenRoleGroup; }

    bool operator==(const QueltRole& other) const;
    bool operator<(const QueltRole& other) const;

private:
    long nameId;
    std::string value;
    QueltRoleEnum roleModifier;
    long roleGroup;
};

std::ostream& operator<<(std::ostream& out, const QueltRole& role);

#endif
