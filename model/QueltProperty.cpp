#include "model/QueltProperty.h"

#include "model/NameResolution.h"
#include "model/QueltPropertyDef.h"

#include <ostream>
#include <unordered_set>

namespace {

// The one text of the locale, kept for the life of the process. Like the
// name registries, it is used from one thread at a time.
const std::string* sharedLocale(std::string&& locale)
{
    static const std::string none;
    if (locale.empty())
        return &none;
    static std::unordered_set<std::string> locales;
    return &*locales.insert(std::move(locale)).first;
}

} // namespace

QueltProperty::QueltProperty(
    const std::string& name, std::string givenValue, std::string givenLocale)
    : value(std::move(givenValue))
    , nameId(resolveName<QueltProperty, QueltPropertyDef>(name, QueltTerminology::NO_PROPDEF))
    , locale(sharedLocale(std::move(givenLocale)))
{
}

const std::string& QueltProperty::getName() const
{
    return nameOf<QueltProperty, QueltPropertyDef>(nameId, QueltTerminology::NO_PROPDEF);
}

void QueltProperty::setName(const std::string& name, Console& console)
{
    nameId = resolveName<QueltProperty, QueltPropertyDef>(name, QueltTerminology::NO_PROPDEF);
    if (QueltPropertyDef::isError(QueltTerminology::NO_PROPDEF))
        console.report({ Message::Kind::UndefinedPropertyName, "property", name, "", 0 });
}

bool QueltProperty::operator==(const QueltProperty& other) const
{
    bool same = nameId == other.nameId && value == other.value && *locale == *other.locale;
    if (qualifiers.empty())
        return same;
    return same && qualifiers == other.qualifiers;
}

bool QueltProperty::operator<(const QueltProperty& other) const
{
    return nameId < other.nameId && value < other.value && *locale < *other.locale
        && qualifiers < other.qualifiers;
}

std::ostream& operator<<(std::ostream& out, const QueltProperty& property)
{
    out << property.getName() << ' ' << property.getValue();
    for (const QueltQualifier& qualifier : property.getQualifiers())
        out << '|' << qualifier;
    return out;
}
