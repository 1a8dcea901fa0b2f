#ifndef QUELT_MODEL_QUELTPROPERTY_H
#define QUELT_MODEL_QUELTPROPERTY_H

#include "model/ErrorWord.h"
#include "model/QueltQualifier.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// A property value of a concept, by property-definition name, with a locale
// and qualifiers.
class QueltProperty : public ClassErrors<QueltProperty> {
public:
    static constexpr const char* kClassName = "QueltProperty";

    // Value and locale are taken by value, so a caller may move them in.
    QueltProperty(const std::string& name, std::string value, std::string locale);
    virtual ~QueltProperty() = default;
    QueltProperty(const QueltProperty&) = default;
    QueltProperty& operator=(const QueltProperty&) = default;
    QueltProperty(QueltProperty&&) = default;
    QueltProperty& operator=(QueltProperty&&) = default;

    const std::string& getValue() const { return value; }
    void setValue(const std::string& givenValue) { value = givenValue; }
    long getNameID() const { return nameId; }
    const std::string& getName() const;
    // Says so on the console when the definitions are absent.
    void setName(const std::string& name, Console& console = Console::standard());
    const std::vector<QueltQualifier>& getQualifiers() const { return qualifiers; }
    bool hasQualifier() const { return !qualifiers.empty(); }
    void setQualifier(const std::vector<QueltQualifier>& givenQualifiers)
    {
        qualifiers = givenQualifiers;
    }
    void setQualifier(std::vector<QueltQualifier>&& givenQualifiers)
    {
        qualifiers = std::move(givenQualifiers);
    }
    void addQualifier(const QueltQualifier& qualifier) { qualifiers.push_back(qualifier); }
    const std::string& getLocale() const;

    bool operator==(const QueltProperty& other) const;
    bool operator<(const QueltProperty& other) const;

private:
    std::string value;
    std::vector<QueltQualifier> qualifiers;
    // Both narrower than a pointer, so that the two fill one word: a
    // knowledge base holds very many properties. The name's map id (map ids
    // count definitions), and the number of the locale among the texts of
    // the locales, shared by every property with it: there are few locales.
    std::int32_t nameId;
    std::uint32_t localeNumber;
};

std::ostream& operator<<(std::ostream& out, const QueltProperty& property);

#endif
