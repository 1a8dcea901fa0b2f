#include "model/ErrorWord.h"

#include "model/QueltTerminology.h"

#include <iostream>

void ErrorWord::print() const
{
    for (int i = 0; i < QueltTerminology::numErrors; ++i) {
        if (word_ & QueltTerminology::errorArray[i])
            std::cerr << "Error class " << className_ << ' ' << QueltTerminology::errorNames[i]
                      << std::endl;
    }
}
