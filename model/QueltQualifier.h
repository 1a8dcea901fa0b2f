#ifndef QUELT_MODEL_QUELTQUALIFIER_H
#define QUELT_MODEL_QUELTQUALIFIER_H

#include "model/ErrorWord.h"
#include "model/SharedText.h"

#include <ostream>
#include <string>

// A qualifier: a named value attached to a property value or an
// association. The name is kept as its map id among the qualifier
// definitions, the value as a SharedText: qualifier values come from a
// short list in most terminologies.
class QueltQualifier : public ClassErrors<QueltQualifier> {
public:
    static constexpr const char* kClassName = "QueltQualifier";

    // The value is taken by value, so a caller may move it in.
    QueltQualifier(const std::string& name, std::string value);
    QueltQualifier(const std::string& name, SharedText value);
    virtual ~QueltQualifier() = default;
    QueltQualifier(const QueltQualifier&) = default;
    QueltQualifier& operator=(const QueltQualifier&) = default;
    QueltQualifier(QueltQualifier&&) = default;
    QueltQualifier& operator=(QueltQualifier&&) = default;

    const std::string& getValue() const { return value.str(); }
    long getNameID() const { return nameId; }
    const std::string& getName() const;
    bool isValidQualifier() const;

    bool operator==(const QueltQualifier& other) const;
    bool operator<(const QueltQualifier& other) const;

private:
    SharedText value;
    long nameId;
};

std::ostream& operator<<(std::ostream& out, const QueltQualifier& qualifier);

#endif
