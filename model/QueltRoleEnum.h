#ifndef QUELT_MODEL_QUELTROLEENUM_H
#define QUELT_MODEL_QUELTROLEENUM_H

#include <string>

// The modifier of a role: 0 "some", 1 "all", 2 "poss". An unknown or empty
// modifier name means "some".
class QueltRoleEnum {
public:
    static const std::string modifierNames[3];

    QueltRoleEnum() = default;
    explicit QueltRoleEnum(const std::string& name);
    virtual ~QueltRoleEnum() = default;
    QueltRoleEnum(const QueltRoleEnum&) = default;
    QueltRoleEnum& operator=(const QueltRoleEnum&) = default;

    static bool isValid(const std::string& name);
    static long convertToModifier(const std::string& name);

    long getModifier() const { return code; }
    // The modifier's name. The text is shared by all modifiers and is
    // overwritten by the next call; callers that keep it copy it.
    const std::string& getModifier(char unused) const;
    // The modifier's name, without the shared text.
    const std::string& name() const { return modifierNames[code]; }

    bool operator==(const QueltRoleEnum& other) const { return code == other.code; }
    bool operator<(const QueltRoleEnum& other) const { return code < other.code; }

private:
    static std::string tmpStr;
    long code = 0;
};

#endif
