// The knowledge base's members that write OWL hand the call on to this
// layer.

#include "model/QueltKb.h"
#include "owl/OwlWriter.h"
#include "xmlout/XmlText.h"

bool QueltKb::writeMedvex2OWLFile(
    std::string& fileName, std::vector<std::string>& headerLines, std::string& nameSpace)
{
    return owl::writeOwlFile(*this, fileName, headerLines, nameSpace, owl::defaultWriteOptions());
}

std::string QueltKb::verifyOutString(const std::string& text) const
{
    return xmltext::content(text);
}

bool QueltKb::isValidOWL(const std::string& name) const
{
    return owl::checkOwlName(name, getConsole());
}
