#ifndef QUELT_MODEL_QUELTROLE_H
#define QUELT_MODEL_QUELTROLE_H

#include "model/ErrorWord.h"
#include "model/QueltRoleEnum.h"
#include "model/SharedText.h"

#include <ostream>
#include <string>

// A role of a concept: a relation, by role-definition name, to a target
// concept, with a modifier and a role group (0 = in no group). The value,
// a concept name, is a SharedText; the modifier is kept as its code.
class QueltRole : public ClassErrors<QueltRole> {
public:
    static constexpr const char* kClassName = "QueltRole";

    // The value is taken by value, so a caller may move it in.
    QueltRole(const std::string& name, std::string value, const std::string& modifier);
    QueltRole(
        const std::string& name, std::string value, const std::string& modifier, long roleGroup);
    QueltRole(
        const std::string& name, SharedText value, const std::string& modifier, long roleGroup);
    virtual ~QueltRole() = default;
    QueltRole(const QueltRole&) = default;
    QueltRole& operator=(const QueltRole&) = default;
    QueltRole(QueltRole&&) = default;
    QueltRole& operator=(QueltRole&&) = default;

    long getNameID() const { return nameId; }
    const std::string& getName() const;
    // Says so on the console when the definitions are absent.
    void setName(const std::string& name, Console& console = Console::standard());
    const std::string& getValue() const { return value.str(); }
    void setValue(const std::string& givenValue) { value = SharedText(givenValue); }
    // The modifier's name ("some", "all" or "poss"), in the text shared by
    // all modifiers (see QueltRoleEnum::getModifier).
    const std::string& getModifier() const { return modifier().getModifier('c'); }
    const QueltRoleEnum& modifier() const;
    void setModififier(const std::string& modifier);
    long getRolegroup() const { return roleGroup; }
    void setRoleGroup(long givenRoleGroup) { roleGroup = givenRoleGroup; }

    bool operator==(const QueltRole& other) const;
    bool operator<(const QueltRole& other) const;

private:
    long nameId;
    SharedText value;
    long roleGroup;
    unsigned char modifierCode; // QueltRoleEnum::getModifier()
};

std::ostream& operator<<(std::ostream& out, const QueltRole& role);

#endif
