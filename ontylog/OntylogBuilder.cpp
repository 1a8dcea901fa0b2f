#include "ontylog/OntylogBuilder.h"

#include "model/QueltKb.h"

#include <iterator>
#include <utility>
#include <variant>

namespace ontylog {

void OntylogBuilder::apply(const Batch& steps)
{
    batch = &steps;
    for (const Step& step : steps.steps)
        std::visit(*this, step);
    batch = nullptr;
}

const std::string& OntylogBuilder::scratch(int slot, const Text& text)
{
    std::string& out = scratchText[slot];
    out.assign(batch->text, text.offset, text.length);
    return out;
}

void OntylogBuilder::clear()
{
    roles.clear();
    properties.clear();
    associations.clear();
    qualifiers.clear();
}

std::vector<QueltQualifier> OntylogBuilder::takeQualifiers()
{
    // In a block of their own, just large enough: the record keeps them for
    // good, and the list here keeps its room for the next ones.
    std::vector<QueltQualifier> taken;
    taken.reserve(qualifiers.size());
    std::move(qualifiers.begin(), qualifiers.end(), std::back_inserter(taken));
    qualifiers.clear();
    return taken;
}

std::uint64_t OntylogBuilder::endLine()
{
    // Every start tag that made a line step has its end, and they nest.
    if (openLines.empty())
        return 0;
    std::uint64_t line = openLines.back();
    openLines.pop_back();
    return line;
}

void OntylogBuilder::noteDefinition(
    SourceLines::Definition type, const Text& name, const Text& code)
{
    if (lines != nullptr)
        lines->definitions.push_back({ type, text(name), text(code), endLine() });
}

void OntylogBuilder::noteUndefined(SourceLines::Attribute type, long nameId, const Text& name)
{
    if (nameId == -1)
        undefinedNames.push_back({ 0, type, text(name) });
}

void OntylogBuilder::operator()(const LineStep& step)
{
    openLines.push_back(step.line);
}

void OntylogBuilder::operator()(const NamespaceDefStep& step)
{
    noteDefinition(SourceLines::Definition::Namespace, step.name, step.code);
    kb.addNamespace(QueltName(text(step.name), step.id, text(step.code)));
}

void OntylogBuilder::operator()(const KindDefStep& step)
{
    noteDefinition(SourceLines::Definition::Kind, step.name, step.code);
    kb.addKind(
        QueltKind(text(step.name), step.id, text(step.code), text(step.nameSpace), step.reference));
}

void OntylogBuilder::operator()(const RoleDefStep& step)
{
    noteDefinition(SourceLines::Definition::Role, step.name, step.code);
    kb.addRoleDef(QueltRoleDef(text(step.name), text(step.code), step.id, text(step.nameSpace),
        text(step.domain), text(step.range), text(step.rightId), text(step.parentRole)));
}

void OntylogBuilder::operator()(const PropertyDefStep& step)
{
    noteDefinition(SourceLines::Definition::Property, step.name, step.code);
    QueltPropertyDef def(text(step.name), text(step.code), step.id, text(step.range),
        step.localized, step.containsIndex, text(step.nameSpace));
    def.setPickList(batch->strings(step.pickList));
    kb.addPropertyDef(def);
}

void OntylogBuilder::operator()(const AssociationDefStep& step)
{
    noteDefinition(SourceLines::Definition::Association, step.name, step.code);
    kb.addAssociationDef(QueltAssociationDef(text(step.name), text(step.code), step.id,
        text(step.inverseName), step.displayable, text(step.nameSpace)));
}

void OntylogBuilder::operator()(const QualifierDefStep& step)
{
    noteDefinition(SourceLines::Definition::Qualifier, step.name, step.code);
    kb.addQualifierDef(QueltQualifierDef(text(step.name), text(step.code), step.id,
        text(step.nameSpace), text(step.type), batch->strings(step.pickList)));
}

void OntylogBuilder::operator()(const ConceptStartStep&)
{
    roles.clear();
    properties.clear();
    associations.clear();
    qualifiers.clear();
    undefinedNames.clear();
}

void OntylogBuilder::operator()(const RoleStep& step)
{
    roles.emplace_back(
        scratch(0, step.name), shared(step.value), scratch(1, step.modifier), step.roleGroup);
    noteName(SourceLines::Attribute::Role, roles.back(), step.name);
}

void OntylogBuilder::operator()(const QualifierStep& step)
{
    qualifiers.emplace_back(scratch(0, step.name), shared(step.value));
    noteName(SourceLines::Attribute::Qualifier, qualifiers.back(), step.name);
}

void OntylogBuilder::operator()(const PropertyStep& step)
{
    QueltProperty property(scratch(0, step.name), text(step.value), text(step.locale));
    noteName(SourceLines::Attribute::Property, property, step.name);
    if (!qualifiers.empty())
        property.setQualifier(takeQualifiers());
    properties.push_back(std::move(property));
}

void OntylogBuilder::operator()(const AssociationStep& step)
{
    associations.emplace_back(scratch(0, step.name), shared(step.value), takeQualifiers());
    noteName(SourceLines::Attribute::Association, associations.back(), step.name);
}

void OntylogBuilder::operator()(const ConceptStep& step)
{
    QueltConcept con(shared(step.name), text(step.code), step.id, scratch(0, step.nameSpace),
        scratch(1, step.kind), step.defined);
    for (std::size_t i = step.parents.begin; i < step.parents.end; ++i)
        con.addParent(shared(batch->items[i]));
    if (step.outermost) {
        // Nothing reads the lists again before the next concept empties
        // them: hand them over.
        con.addRoles(std::move(roles));
        con.addProperties(std::move(properties));
        con.addAssociations(std::move(associations));
        roles.clear();
        properties.clear();
        associations.clear();
    } else {
        con.addRoles(roles);
        con.addProperties(properties);
        con.addAssociations(associations);
    }
    kb.addConcept(std::move(con));
    if (lines != nullptr) {
        long id = kb.getConcepts().rbegin()->first;
        lines->concepts.emplace_back(id, endLine());
        for (SourceLines::UndefinedName& undefined : undefinedNames) {
            undefined.conceptId = id;
            lines->undefinedNames.push_back(undefined);
        }
        if (step.outermost)
            undefinedNames.clear();
    }
}

void OntylogBuilder::operator()(const FatalErrorStep& step)
{
    if (lines != nullptr && !fatalError) {
        lines->fatalError = text(step.message);
        lines->fatalErrorLine = step.line;
    }
    fatalError = true;
    kb.getConsole().report(
        { Message::Kind::ParserError, "document", "", text(step.message), step.line });
}

} // namespace ontylog
