#ifndef QUELT_MODEL_QUELTASSOCIATION_H
#define QUELT_MODEL_QUELTASSOCIATION_H

#include "model/ErrorWord.h"
#include "model/QueltQualifier.h"
#include "model/SharedText.h"

#include <ostream>
#include <string>
#include <vector>

// An association of a concept: a named link, by association-definition
// name, to another concept, with qualifiers. The value, a concept name, is
// a SharedText.
class QueltAssociation : public ClassErrors<QueltAssociation> {
public:
    static constexpr const char* kClassName = "QueltAssociation";

    // The value is taken by value, so a caller may move it in.
    QueltAssociation(const std::string& name, std::string value);
    QueltAssociation(
        const std::string& name, std::string value, std::vector<QueltQualifier> qualifiers);
    QueltAssociation(
        const std::string& name, SharedText value, std::vector<QueltQualifier> qualifiers);
    virtual ~QueltAssociation() = default;
    QueltAssociation(const QueltAssociation&) = default;
    QueltAssociation& operator=(const QueltAssociation&) = default;
    QueltAssociation(QueltAssociation&&) = default;
    QueltAssociation& operator=(QueltAssociation&&) = default;

    const std::string& getValue() const { return value.str(); }
    void setValue(const std::string& givenValue) { value = SharedText(givenValue); }
    long getNameID() const { return nameId; }
    const std::string& getName() const;
    const std::vector<QueltQualifier>& getQualifiers() const { return qualifiers; }
    bool hasQualifier() const { return !qualifiers.empty(); }

    bool operator==(const QueltAssociation& other) const;
    bool operator<(const QueltAssociation& other) const;

private:
    SharedText value;
    long nameId;
    std::vector<QueltQualifier> qualifiers;
};

std::ostream& operator<<(std::ostream& out, const QueltAssociation& association);

#endif
