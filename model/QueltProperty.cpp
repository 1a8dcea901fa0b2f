#include "model/QueltProperty.h"

#include "model/NameResolution.h"
#include "model/QueltPropertyDef.h"

#include <deque>
#include <ostream>
#include <unordered_map>

namespace {

// The texts of the locales met, by number (0 for none), kept for the life
// of the process. Like the name registries, they are used from one thread
// at a time.
std::deque<std::string>& localeTexts()
{
    static std::deque<std::string> texts(1);
    return texts;
}

std::uint32_t numberOfLocale(std::string&& locale)
{
    if (locale.empty())
        return 0;
    static std::unordered_map<std::string, std::uint32_t> numbers;
    auto known = numbers.find(locale);
    if (known != numbers.end())
        return known->second;
    std::deque<std::string>& texts = localeTexts();
    const auto number = static_cast<std::uint32_t>(texts.size());
    texts.push_back(locale);
    numbers.emplace(std::move(locale), number);
    return number;
}

} // namespace

QueltProperty::QueltProperty(
    const std::string& name, std::string givenValue, std::string givenLocale)
    : value(std::move(givenValue))
    , nameId(static_cast<std::int32_t>(
          resolveName<QueltProperty, QueltPropertyDef>(name, QueltTerminology::NO_PROPDEF)))
    , localeNumber(numberOfLocale(std::move(givenLocale)))
{
}

const std::string& QueltProperty::getLocale() const
{
    return localeTexts()[localeNumber];
}

const std::string& QueltProperty::getName() const
{
    return nameOf<QueltProperty, QueltPropertyDef>(nameId, QueltTerminology::NO_PROPDEF);
}

void QueltProperty::setName(const std::string& name, Console& console)
{
    nameId = static_cast<std::int32_t>(
        resolveName<QueltProperty, QueltPropertyDef>(name, QueltTerminology::NO_PROPDEF));
    if (QueltPropertyDef::isError(QueltTerminology::NO_PROPDEF))
        console.report({ Message::Kind::UndefinedPropertyName, "property", name, "", 0 });
}

bool QueltProperty::operator==(const QueltProperty& other) const
{
    bool same
        = nameId == other.nameId && value == other.value && localeNumber == other.localeNumber;
    if (qualifiers.empty())
        return same;
    return same && qualifiers == other.qualifiers;
}

bool QueltProperty::operator<(const QueltProperty& other) const
{
    return nameId < other.nameId && value < other.value && getLocale() < other.getLocale()
        && qualifiers < other.qualifiers;
}

std::ostream& operator<<(std::ostream& out, const QueltProperty& property)
{
    out << property.getName() << ' ' << property.getValue();
    for (const QueltQualifier& qualifier : property.getQualifiers())
        out << '|' << qualifier;
    return out;
}
