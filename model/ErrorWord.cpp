#include "model/ErrorWord.h"

#include "model/QueltTerminology.h"

void ErrorWord::print(Console& console) const
{
    for (int i = 0; i < QueltTerminology::numErrors; ++i) {
        if (word & QueltTerminology::errorArray[i])
            console.err(
                std::string("Error class ") + className + ' ' + QueltTerminology::errorNames[i]);
    }
}
