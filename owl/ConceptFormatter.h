#ifndef QUELT_OWL_CONCEPTFORMATTER_H
#define QUELT_OWL_CONCEPTFORMATTER_H

#include "model/Message.h"
#include "model/QueltConcept.h"
#include "owl/OwlAxioms.h"
#include "xmlout/OwlNaming.h"
#include "xmlout/XmlText.h"

#include <string>
#include <vector>

namespace owl {

// Formats concepts as OWL classes, each followed by the annotation axioms
// of its qualified statements and an empty line. It reads the concept and
// the naming and nothing else (no registry, no class-wide state), so
// formatters on several threads may work at once; each keeps scratch
// space of its own, reused from concept to concept.
class ConceptFormatter {
public:
    ConceptFormatter(const OwlNaming& givenNaming, const std::string& givenNameSpace)
        : naming(givenNaming)
        , nameSpace(givenNameSpace)
    {
    }

    // Appends the concept's text to out. False when the text cannot be
    // written (a character XML cannot carry, a property, association or
    // qualifier name that cannot be an element name): refusal then says
    // so, and out holds a partial text.
    bool append(const QueltConcept& con, std::string& out, Message& refusal);

private:
    void writeClassStart(const QueltConcept& con, std::string_view id);
    void writeDefinedForm(const QueltConcept& con);
    void writePrimitiveForm(const QueltConcept& con);
    void collectRoleGroups(const QueltConcept& con);
    void writeGroupIntersection(size_t first, size_t last);
    void writeRestriction(const QueltRole& role, int depth);
    void writeProperties(const QueltConcept& con, std::string_view id);
    void writeAssociations(const QueltConcept& con, std::string_view id);
    owlaxioms& nextAxiom();
    void setQualifiers(owlaxioms& axiom, const std::vector<QueltQualifier>& qualifiers);
    void writeAxioms();
    // The refusal of the concept whose text starts at mark, if any.
    bool refused(const QueltConcept& con, size_t mark, Message& refusal) const;

    // Appends a property or association name (what) as an element name;
    // the first one of the concept that cannot be one refuses the concept.
    void elementName(const char* what, const ElementName& name)
    {
        if (!name.valid)
            noteBadName(what, *name.text);
        *output += *name.text;
    }
    void noteBadName(const char* what, const std::string& name);

    void attribute(std::string_view text) { xmltext::appendAttribute(*output, text); }
    void content(std::string_view text) { xmltext::appendContent(*output, text); }
    void tabs(int count) { output->append(static_cast<size_t>(count), '\t'); }
    std::string_view conceptCode(std::string_view name) const { return naming.conceptCode(name); }

    const OwlNaming& naming;
    const std::string& nameSpace;
    std::string* output = nullptr;

    // The first name of the concept that cannot be an element name, and
    // the first such qualifier name (qualifiers come last in the text).
    const char* badKind = nullptr;
    const std::string* badName = nullptr;
    const std::string* badQualifier = nullptr;

    // Reused from concept to concept.
    std::vector<const QueltRole*> grouped;
    std::vector<size_t> groupStarts;
    std::vector<owlaxioms> axioms;
    size_t axiomCount = 0;
    std::string scratch;
};

} // namespace owl

#endif
