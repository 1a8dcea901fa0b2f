#include "xmlout/WriteRules.h"

#include "xmlout/XmlText.h"

namespace writerules {

const char* const kUncarried = "text holds a character XML cannot carry";

std::string elementNameFault(const char* what, const std::string& name)
{
    if (name.empty())
        return std::string(what[0] == 'a' ? "an " : "a ") + what + " without a defined name";
    if (!xmltext::isElementName(name))
        return std::string(what) + " name '" + shownText(name) + "' cannot be an XML element name";
    return std::string();
}

Message refusal(std::string_view unit, std::string_view name, std::string_view reason)
{
    return { Message::Kind::Refusal, std::string(unit), std::string(name), std::string(reason), 0 };
}

std::vector<std::string> owlNameFaults(const std::string& name)
{
    // ASCII only: a byte of a multi-byte character is never valid.
    auto isLetter
        = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    auto isDigit = [](unsigned char c) { return c >= '0' && c <= '9'; };
    std::vector<std::string> faults;
    if (name.empty() || !(isLetter(name[0]) || name[0] == '_'))
        faults.push_back("invalid OWL name; first char \"" + name + "\"");
    for (size_t i = 1; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (!(isLetter(c) || isDigit(c) || c == '_' || c == '-' || c == '.'))
            faults.push_back("invalid OWL name; internal char at " + std::to_string(i + 1) + ", \""
                + name + "\"");
    }
    return faults;
}

} // namespace writerules
