#ifndef QUELT_ONTYLOG_ONTYLOGBUILDER_H
#define QUELT_ONTYLOG_ONTYLOGBUILDER_H

#include "model/QueltAssociation.h"
#include "model/QueltProperty.h"
#include "model/QueltQualifier.h"
#include "model/QueltRole.h"
#include "model/SourceLines.h"
#include "ontylog/OntylogSteps.h"

#include <cstdint>
#include <string>
#include <vector>

class QueltKb;

namespace ontylog {

// Turns the grammar's steps into records of the model and adds them to a
// knowledge base, in the order of the steps: definitions and concepts go to
// the knowledge base, the roles, properties, associations and qualifiers of
// a concept wait in lists until the concept is complete. Also prints the
// parser's fatal error, through the knowledge base's console, so that it
// stands after every message of the records read before it. Given a
// SourceLines, it notes there where each definition and concept started
// (from the line steps), the names of a concept's records that had no
// definition, and the fatal error.
//
// Knows nothing of the parser library; all model calls of a read happen
// here, on the thread that applies the steps.
class OntylogBuilder {
public:
    explicit OntylogBuilder(QueltKb& givenKb, SourceLines* givenLines = nullptr)
        : kb(givenKb)
        , lines(givenLines)
    {
    }
    OntylogBuilder(const OntylogBuilder&) = delete;
    OntylogBuilder& operator=(const OntylogBuilder&) = delete;

    void apply(const Batch& batch);

    // Whether a fatal error step was applied.
    bool sawFatalError() const { return fatalError; }

    // One step of the batch being applied.
    void operator()(const NamespaceDefStep& step);
    void operator()(const KindDefStep& step);
    void operator()(const RoleDefStep& step);
    void operator()(const PropertyDefStep& step);
    void operator()(const AssociationDefStep& step);
    void operator()(const QualifierDefStep& step);
    void operator()(const ConceptStartStep& step);
    void operator()(const RoleStep& step);
    void operator()(const QualifierStep& step);
    void operator()(const PropertyStep& step);
    void operator()(const AssociationStep& step);
    void operator()(const ConceptStep& step);
    void operator()(const LineStep& step);
    void operator()(const FatalErrorStep& step);

    // Lets go of the records that wait for their concept.
    void clear();

private:
    std::string text(const Text& text) const { return batch->string(text); }
    // The text as held by every record with the same one.
    SharedText shared(const Text& text) const { return SharedText(batch->view(text)); }
    // The qualifiers waiting, handed over.
    std::vector<QueltQualifier> takeQualifiers();
    // The text in one of the reused strings, for lookups by name.
    const std::string& scratch(int slot, const Text& text);
    // The line of the definition or concept that ends now; 0 when unknown.
    std::uint64_t endLine();
    void noteDefinition(SourceLines::Definition type, const Text& name, const Text& code);
    // Notes the name the record was built from when it has no definition.
    template <class Record>
    void noteName(SourceLines::Attribute type, const Record& record, const Text& name)
    {
        if (lines != nullptr)
            noteUndefined(type, record.getNameID(), name);
    }
    void noteUndefined(SourceLines::Attribute type, long nameId, const Text& name);

    QueltKb& kb;
    SourceLines* lines;
    // Lines of the definitions and concepts open, innermost last.
    std::vector<std::uint64_t> openLines;
    const Batch* batch = nullptr;
    std::vector<QueltRole> roles;
    std::vector<QueltProperty> properties;
    std::vector<QueltAssociation> associations;
    std::vector<QueltQualifier> qualifiers;
    // Those of the open concept, for SourceLines::undefinedNames.
    std::vector<SourceLines::UndefinedName> undefinedNames;
    std::string scratchText[2];
    bool fatalError = false;
};

} // namespace ontylog

#endif
