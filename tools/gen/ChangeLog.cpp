// The change log's lines, and the texts of the records as a reader has
// them.

#include "tools/gen/ChangePlan.h"

#include <cstring>

namespace gen {

using namespace maintenance;

std::string unescaped(std::string_view xml)
{
    static const std::pair<const char*, char> kEntities[] = { { "&amp;", '&' }, { "&lt;", '<' },
        { "&gt;", '>' }, { "&quot;", '"' }, { "&apos;", '\'' } };
    std::string text;
    text.reserve(xml.size());
    for (std::size_t at = 0; at < xml.size();) {
        bool replaced = false;
        for (const auto& entity : kEntities) {
            const std::size_t length = std::strlen(entity.first);
            if (xml.compare(at, length, entity.first) == 0) {
                text += entity.second;
                at += length;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            text += xml[at++];
    }
    return text;
}

namespace {

std::string referenceText(const Reference& reference)
{
    return reference.resolved ? reference.code + " " + reference.name : "'" + reference.name + "'";
}

std::string qualifiersText(const std::vector<Qualifier>& qualifiers)
{
    std::string text;
    for (const Qualifier& qualifier : qualifiers)
        text += " [" + qualifier.name + "=" + qualifier.value + "]";
    return text;
}

std::string propertyText(const PropertyFact& fact)
{
    return fact.name + " '" + fact.value + "' locale=" + fact.locale
        + qualifiersText(fact.qualifiers);
}

// The detail of a change as the log writes it.
struct DetailText {
    std::string operator()(std::monostate) const { return std::string(); }
    std::string operator()(const TextChange& change) const
    {
        return change.before + " > " + change.after;
    }
    std::string operator()(const Reference& reference) const { return referenceText(reference); }
    std::string operator()(const RoleFact& role) const
    {
        return role.name + " " + role.modifier + " " + referenceText(role.target) + " group "
            + std::to_string(role.group);
    }
    std::string operator()(const PropertyFact& fact) const { return propertyText(fact); }
    std::string operator()(const PropertyChange& change) const
    {
        return propertyText(change.before) + " > " + propertyText(change.after);
    }
    std::string operator()(const AssociationFact& association) const
    {
        return association.name + " " + referenceText(association.target)
            + qualifiersText(association.qualifiers);
    }
};

void line(std::string& to, const std::string& what, const char* kind, const std::string& detail)
{
    to += what;
    to += '\t';
    to += kind;
    to += '\t';
    to += detail;
    to += '\n';
}

} // namespace

std::string logLines(const ChangeLog& changes)
{
    std::string text;
    for (const DefinitionChanges& record : changes.definitions) {
        std::string fields;
        for (const FieldChange& field : record.fields)
            fields += (fields.empty() ? "" : " ") + field.field + " '" + field.before + "' > '"
                + field.after + "'";
        line(text, std::string(definitionTypeName(record.type)) + " " + record.name,
            changeKindName(record.kind), fields);
    }
    for (const ConceptChanges& record : changes.concepts) {
        for (const ConceptChange& change : record.changes) {
            std::string detail = std::visit(DetailText(), change.detail);
            if (detail.empty())
                detail = record.oldName.empty() ? record.newName : record.oldName;
            line(text, record.code, changeKindName(change.kind), detail);
        }
    }
    for (const DuplicateCode& duplicate : changes.duplicateCodes) {
        std::string names;
        for (const std::string& name : duplicate.names)
            names += (names.empty() ? "" : "; ") + name;
        line(text, duplicate.code, changeKindName(ChangeKind::DuplicateCode), names);
    }
    for (const Rearrangement& rearrangement : changes.rearrangements)
        line(text, rearrangement.code, rearrangement.how, "no change to report");
    return text;
}

} // namespace gen
