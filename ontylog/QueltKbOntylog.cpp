// The knowledge base's members that read and write Ontylog XML hand the
// call on to this layer.

#include "model/QueltKb.h"
#include "ontylog/OntylogReader.h"
#include "ontylog/OntylogWriter.h"

bool QueltKb::readQueltXMLFile(const std::string& fileName)
{
    return ontylog::readFile(*this, fileName);
}

bool QueltKb::writeQueltXMLFile(const std::string& fileName, bool renumber)
{
    return ontylog::writeFile(*this, fileName, renumber);
}
