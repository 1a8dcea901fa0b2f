#ifndef QUELT_MODEL_QUELTTERMINOLOGY_H
#define QUELT_MODEL_QUELTTERMINOLOGY_H

#include <string>

// Constants of the Ontylog format shared by every record class: the error
// bits of the class-wide error words, the one empty text that failed name
// lookups return, and the reference modes of the root element's "ref_by".
class QueltTerminology {
public:
    static constexpr long CODE_EXISTS = 0x1;
    static constexpr long ID_EXISTS = 0x10;
    static constexpr long NAME_EXISTS = 0x100;
    static constexpr long NO_NAMESPACE = 0x1000;
    static constexpr long NO_KIND = 0x10000;
    static constexpr long NO_PROPDEF = 0x100000;
    static constexpr long NO_ROLEDEF = 0x1000000;
    static constexpr long NO_CONCEPTDEF = 0x10000000;

    static constexpr int numErrors = 8;
    static const long errorArray[numErrors];
    static const char* const errorNames[numErrors];

    static const std::string emptyString;

    // Reference modes: "name", "id", "code", in that order.
    static const std::string refStrings[3];
    static void setReference(const std::string& value);
    static const std::string& getReference();
    static int getReference(char unused);

    virtual ~QueltTerminology() = default;

private:
    static int reference;
};

#endif
