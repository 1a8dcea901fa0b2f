#ifndef QUELT_ONTYLOG_ONTYLOGBUILDER_H
#define QUELT_ONTYLOG_ONTYLOGBUILDER_H

#include "model/QueltAssociation.h"
#include "model/QueltProperty.h"
#include "model/QueltQualifier.h"
#include "model/QueltRole.h"
#include "ontylog/OntylogRecords.h"

#include <string>
#include <vector>

class QueltKb;

// Turns the content handler's steps into records of the model and adds them
// to a knowledge base, in the order of the steps: definitions and concepts
// go to the knowledge base, the roles, properties, associations and
// qualifiers of a concept wait in lists until the concept is complete. Also
// prints the parser's fatal error, so that it stands after every message of
// the records read before it.
//
// Knows nothing of the parser library; all model calls of a read happen
// here, on the thread that applies the steps.
class OntylogBuilder {
public:
    explicit OntylogBuilder(QueltKb& kb)
        : kb(kb)
    {
    }
    OntylogBuilder(const OntylogBuilder&) = delete;
    OntylogBuilder& operator=(const OntylogBuilder&) = delete;

    void apply(const ontylog::Batch& batch);

    // Whether a fatal error step was applied.
    bool sawFatalError() const { return fatalError; }

private:
    void applyStep(const ontylog::Batch& batch, const ontylog::Step& step);
    void buildConcept(const ontylog::Batch& batch, const ontylog::Step& step);
    // The text in one of the reused strings, for lookups by name.
    const std::string& scratch(int slot, const ontylog::Batch& batch, const ontylog::Text& text);
    std::vector<std::string> list(const ontylog::Batch& batch, const ontylog::Step& step) const;

    QueltKb& kb;
    std::vector<QueltRole> roles;
    std::vector<QueltProperty> properties;
    std::vector<QueltAssociation> associations;
    std::vector<QueltQualifier> qualifiers;
    std::string scratchText[4];
    bool fatalError = false;
};

#endif
