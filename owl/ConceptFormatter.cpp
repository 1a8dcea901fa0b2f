#include "owl/ConceptFormatter.h"

#include "xmlout/WriteRules.h"

#include <algorithm>

namespace owl {

namespace {
// The modifier code of "all" (QueltRoleEnum); "some" and "poss" are written
// alike.
const long kAll = 1;
} // namespace

void ConceptFormatter::noteBadName(const char* what, const std::string& name)
{
    if (badKind == nullptr) {
        badKind = what;
        badName = &name;
    }
}

void ConceptFormatter::writeRestriction(const QueltRole& role, int depth)
{
    std::string& out = *output;
    tabs(depth);
    out += "<owl:Restriction>\n";
    tabs(depth + 1);
    out += "<owl:onProperty rdf:resource=\"#";
    attribute(naming.roleNames().of(role).code);
    out += "\"/>\n";
    tabs(depth + 1);
    out += role.modifier().getModifier() == kAll ? "<owl:allValuesFrom rdf:resource=\"#"
                                                 : "<owl:someValuesFrom rdf:resource=\"#";
    attribute(conceptCode(role.getValue()));
    out += "\"/>\n";
    tabs(depth);
    out += "</owl:Restriction>\n";
}

// Sorts the concept's grouped roles by group number, keeping the concept's
// role order within a group, and notes where each group starts. Every
// group number other than 0 that holds a role is a group of its own.
void ConceptFormatter::collectRoleGroups(const QueltConcept& con)
{
    grouped.clear();
    groupStarts.clear();
    for (const auto& entry : con.getRoles()) {
        if (entry.second.getRolegroup() != 0)
            grouped.push_back(&entry.second);
    }
    std::stable_sort(grouped.begin(), grouped.end(), [](const QueltRole* a, const QueltRole* b) {
        return a->getRolegroup() < b->getRolegroup();
    });
    for (size_t i = 0; i < grouped.size(); ++i) {
        if (i == 0 || grouped[i]->getRolegroup() != grouped[i - 1]->getRolegroup())
            groupStarts.push_back(i);
    }
    groupStarts.push_back(grouped.size());
}

void ConceptFormatter::writeGroupIntersection(size_t first, size_t last)
{
    *output += "\t\t\t\t<owl:intersectionOf rdf:parseType=\"Collection\">\n";
    for (size_t i = first; i < last; ++i)
        writeRestriction(*grouped[i], 5);
    *output += "\t\t\t\t</owl:intersectionOf>\n";
}

void ConceptFormatter::writePrimitiveForm(const QueltConcept& con)
{
    std::string& out = *output;
    for (const std::string& parent : con.getParents()) {
        out += "<rdfs:subClassOf rdf:resource=\"#";
        attribute(conceptCode(parent));
        out += "\"/>\n";
    }
    for (const auto& entry : con.getRoles()) {
        if (entry.second.getRolegroup() == 0) {
            out += "<rdfs:subClassOf>\n";
            writeRestriction(entry.second, 1);
            out += "</rdfs:subClassOf>\n";
        }
    }
    collectRoleGroups(con);
    size_t groups = groupStarts.size() - 1;
    if (groups == 0)
        return;
    out += "<rdfs:subClassOf>\n\t<owl:Class>\n";
    if (groups > 1)
        out += "\t\t<owl:unionOf rdf:parseType=\"Collection\">\n";
    for (size_t g = 0; g < groups; ++g) {
        if (groups > 1)
            out += "\t\t\t<owl:Class>\n";
        writeGroupIntersection(groupStarts[g], groupStarts[g + 1]);
        if (groups > 1)
            out += "\t\t\t</owl:Class>\n";
    }
    if (groups > 1)
        out += "\t\t</owl:unionOf>\n";
    out += "\t</owl:Class>\n</rdfs:subClassOf>\n";
}

void ConceptFormatter::writeDefinedForm(const QueltConcept& con)
{
    std::string& out = *output;
    out += "<owl:equivalentClass>\n\t<owl:Class>\n"
           "\t\t<owl:intersectionOf rdf:parseType=\"Collection\">\n";
    for (const std::string& parent : con.getParents()) {
        out += "\t\t\t<owl:Class rdf:about=\"#";
        attribute(conceptCode(parent));
        out += "\"/>\n";
    }
    for (const auto& entry : con.getRoles()) {
        if (entry.second.getRolegroup() == 0)
            writeRestriction(entry.second, 3);
    }
    collectRoleGroups(con);
    size_t groups = groupStarts.size() - 1;
    if (groups > 1)
        out += "\t\t\t<owl:Class>\n\t\t\t<owl:unionOf rdf:parseType=\"Collection\">\n";
    for (size_t g = 0; g < groups; ++g) {
        out += "\t\t\t<owl:Class>\n";
        writeGroupIntersection(groupStarts[g], groupStarts[g + 1]);
        out += "\t\t\t</owl:Class>\n";
    }
    if (groups > 1)
        out += "\t\t\t</owl:unionOf>\n\t\t\t</owl:Class>\n";
    out += "\t\t</owl:intersectionOf>\n\t</owl:Class>\n</owl:equivalentClass>\n";
}

owlaxioms& ConceptFormatter::nextAxiom()
{
    if (axiomCount == axioms.size())
        axioms.emplace_back();
    return axioms[axiomCount++];
}

void ConceptFormatter::setQualifiers(
    owlaxioms& axiom, const std::vector<QueltQualifier>& qualifiers)
{
    axiom.qualifiers.resize(qualifiers.size());
    for (size_t i = 0; i < qualifiers.size(); ++i) {
        const ElementName& name = naming.qualifierNames().of(qualifiers[i]);
        if (!name.valid && badQualifier == nullptr)
            badQualifier = name.text;
        nameValue& entry = axiom.qualifiers[i];
        entry.name = *name.text;
        entry.value.clear();
        xmltext::appendContent(entry.value, qualifiers[i].getValue());
    }
}

void ConceptFormatter::writeAxioms()
{
    std::string& out = *output;
    if (badQualifier != nullptr)
        noteBadName("qualifier", *badQualifier);
    for (size_t i = 0; i < axiomCount; ++i) {
        const owlaxioms& axiom = axioms[i];
        out += "<owl:Axiom>\n";
        for (const nameValue& qualifier : axiom.qualifiers) {
            out += "\t<";
            out += qualifier.name;
            out += '>';
            out += qualifier.value;
            out += "</";
            out += qualifier.name;
            out += ">\n";
        }
        out += "\t<owl:annotatedTarget>";
        out += axiom.target;
        out += "</owl:annotatedTarget>\n\t<owl:annotatedSource rdf:resource=\"#";
        attribute(axiom.source);
        out += "\"/>\n\t<owl:annotatedProperty rdf:resource=\"#";
        attribute(axiom.property);
        out += "\"/>\n</owl:Axiom>\n";
    }
}

void ConceptFormatter::writeClassStart(const QueltConcept& con, std::string_view id)
{
    std::string& out = *output;
    out += "<owl:Class rdf:about=\"#";
    attribute(id);
    out += "\">\n<rdfs:label>";
    content(naming.label(con));
    out += "</rdfs:label>\n<code>";
    content(con.getCode());
    out += "</code>\n";
}

// Each property as an element of its name; a qualified one also as an
// axiom whose target is the value as written.
void ConceptFormatter::writeProperties(const QueltConcept& con, std::string_view id)
{
    std::string& out = *output;
    for (const auto& entry : con.getProperties()) {
        const QueltProperty& property = entry.second;
        const ElementName& name = naming.propertyNames().of(property);
        out += '<';
        elementName("property", name);
        out += '>';
        size_t valueStart = out.size();
        content(property.getValue());
        size_t valueEnd = out.size();
        out += "</";
        out += *name.text;
        out += ">\n";
        if (property.hasQualifier()) {
            owlaxioms& axiom = nextAxiom();
            setQualifiers(axiom, property.getQualifiers());
            axiom.target.assign(out, valueStart, valueEnd - valueStart);
            axiom.source = id;
            axiom.property = *name.text;
        }
    }
}

// Each association as an element of its name that refers to its target;
// a qualified one also as an axiom whose target is the target's absolute
// identifier, as content.
void ConceptFormatter::writeAssociations(const QueltConcept& con, std::string_view id)
{
    std::string& out = *output;
    for (const auto& entry : con.getAssociations()) {
        const QueltAssociation& association = entry.second;
        const ElementName& name = naming.associationNames().of(association);
        std::string_view target = conceptCode(association.getValue());
        out += '<';
        elementName("association", name);
        out += " rdf:resource=\"#";
        attribute(target);
        out += "\"/>\n";
        if (association.hasQualifier()) {
            owlaxioms& axiom = nextAxiom();
            setQualifiers(axiom, association.getQualifiers());
            scratch.assign(nameSpace);
            scratch += target;
            axiom.target.clear();
            xmltext::appendContent(axiom.target, scratch);
            axiom.source = id;
            axiom.property = *name.text;
        }
    }
}

bool ConceptFormatter::refused(const QueltConcept& con, size_t mark, Message& refusal) const
{
    if (badKind != nullptr) {
        refusal = writerules::refusal(
            "concept", con.getName(), writerules::elementNameFault(badKind, *badName));
        return true;
    }
    if (!xmltext::carryable(output->data() + mark, output->size() - mark)) {
        refusal = writerules::refusal("concept", con.getName(), writerules::kUncarried);
        return true;
    }
    return false;
}

bool ConceptFormatter::append(const QueltConcept& con, std::string& text, Message& refusal)
{
    output = &text;
    badKind = nullptr;
    badName = nullptr;
    badQualifier = nullptr;
    axiomCount = 0;

    size_t mark = text.size();
    std::string_view id = conceptCode(con.getName());
    writeClassStart(con, id);
    if (con.getState())
        writeDefinedForm(con);
    else
        writePrimitiveForm(con);
    writeProperties(con, id);
    writeAssociations(con, id);
    text += "</owl:Class>\n";
    writeAxioms();
    text += '\n';
    return !refused(con, mark, refusal);
}

} // namespace owl
