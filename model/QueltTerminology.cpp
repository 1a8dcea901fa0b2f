#include "model/QueltTerminology.h"

#include "model/QueltError.h"

const long QueltTerminology::errorArray[QueltTerminology::numErrors] = { CODE_EXISTS, ID_EXISTS,
    NAME_EXISTS, NO_NAMESPACE, NO_KIND, NO_PROPDEF, NO_ROLEDEF, NO_CONCEPTDEF };

const char* const QueltTerminology::errorNames[QueltTerminology::numErrors]
    = { "CODE_EXISTS", "ID_EXISTS", "NAME_EXISTS", "NO_NAMESPACE", "NO_KIND", "NO_PROPDEF",
          "NO_ROLEDEF", "NO_CONCEPTDEF" };

const std::string QueltTerminology::emptyString;

const std::string QueltTerminology::refStrings[3] = { "name", "id", "code" };

int QueltTerminology::reference = 0;

void QueltTerminology::setReference(const std::string& value)
{
    for (int i = 0; i < 3; ++i) {
        if (value == refStrings[i]) {
            reference = i;
            return;
        }
    }
    throw QueltError(QueltError::kFailure, "Terminology ref_by string not found.  Will EXIT.");
}

const std::string& QueltTerminology::getReference()
{
    return refStrings[reference];
}

int QueltTerminology::getReference(char)
{
    return reference;
}
