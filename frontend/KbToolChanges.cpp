// The changes command of queltKbTool: what changed between two versions of a
// terminology, as records handed to the report writer.

#include "frontend/ChangesFormats.h"
#include "frontend/KbToolCommands.h"
#include "frontend/VersionPair.h"

#include "maintenance/Changes.h"

#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kbtool {

namespace {

using maintenance::ChangeKind;
using report::Record;
using report::Value;

Value referenceValue(const maintenance::Reference& reference)
{
    return Record { { "code", reference.resolved ? Value(reference.code) : Value() },
        { "name", reference.name } };
}

Value qualifiersValue(const std::vector<maintenance::Qualifier>& qualifiers)
{
    std::vector<Value> list;
    for (const maintenance::Qualifier& qualifier : qualifiers)
        list.push_back(Record { { "name", qualifier.name }, { "value", qualifier.value } });
    return list;
}

// The value, locale and qualifiers of a property value.
Record propertyState(const maintenance::PropertyFact& fact)
{
    return { { "value", fact.value }, { "locale", fact.locale },
        { "qualifiers", qualifiersValue(fact.qualifiers) } };
}

// The members a change has besides its kind (see ConceptChange).
struct ChangeFields {
    Record& record;

    void operator()(std::monostate) const { }
    void operator()(const maintenance::TextChange& change) const
    {
        record.push_back({ "before", change.before });
        record.push_back({ "after", change.after });
    }
    void operator()(const maintenance::Reference& parent) const
    {
        record.push_back({ "parent", referenceValue(parent) });
    }
    void operator()(const maintenance::RoleFact& role) const
    {
        record.push_back({ "role", role.name });
        record.push_back({ "modifier", role.modifier });
        record.push_back({ "target", referenceValue(role.target) });
        record.push_back({ "group", role.group != 0 ? Value(role.group) : Value() });
    }
    void operator()(const maintenance::PropertyFact& property) const
    {
        record.push_back({ "property", property.name });
        for (report::Field& field : propertyState(property))
            record.push_back(std::move(field));
    }
    void operator()(const maintenance::PropertyChange& change) const
    {
        record.push_back({ "property", change.before.name });
        record.push_back({ "before", propertyState(change.before) });
        record.push_back({ "after", propertyState(change.after) });
    }
    void operator()(const maintenance::AssociationFact& association) const
    {
        record.push_back({ "association", association.name });
        record.push_back({ "target", referenceValue(association.target) });
        record.push_back({ "qualifiers", qualifiersValue(association.qualifiers) });
    }
};

Record conceptRecord(const maintenance::ConceptChanges& changed)
{
    const ChangeKind first = changed.changes.front().kind;
    std::vector<Value> changes;
    for (const maintenance::ConceptChange& change : changed.changes) {
        Record record { { "change", maintenance::changeKindName(change.kind) } };
        std::visit(ChangeFields { record }, change.detail);
        changes.push_back(std::move(record));
    }
    return { { "code", changed.code },
        { "old_name", first == ChangeKind::Added ? Value() : Value(changed.oldName) },
        { "new_name", first == ChangeKind::Removed ? Value() : Value(changed.newName) },
        { "branch", changed.branch }, { "changes", std::move(changes) } };
}

Record definitionRecord(const maintenance::DefinitionChanges& definition)
{
    std::vector<Value> fields;
    for (const maintenance::FieldChange& field : definition.fields) {
        Record record { { "field", field.field } };
        // An added definition or pick-list item has no before, a removed one
        // no after.
        const bool pickListItem = field.field == "pickListItem";
        if (definition.kind != ChangeKind::DefinitionAdded
            && !(pickListItem && field.before.empty()))
            record.push_back({ "before", field.before });
        if (definition.kind != ChangeKind::DefinitionRemoved
            && !(pickListItem && field.after.empty()))
            record.push_back({ "after", field.after });
        fields.push_back(std::move(record));
    }
    Record change { { "change", maintenance::changeKindName(definition.kind) },
        { "fields", std::move(fields) } };
    return { { "definition", maintenance::definitionTypeName(definition.type) },
        { "name", definition.name }, { "changes", std::vector<Value> { std::move(change) } } };
}

Record duplicateRecord(const maintenance::DuplicateCode& duplicate)
{
    std::vector<Value> names(duplicate.names.begin(), duplicate.names.end());
    return { { "duplicate_code", duplicate.code },
        { "version", duplicate.version == maintenance::Version::Old ? "old" : "new" },
        { "names", std::move(names) } };
}

// Every kind with its count, in the order of the kinds.
Record countsRecord(const maintenance::ChangeReport& changes)
{
    Record counts;
    for (std::size_t kind = 0; kind < maintenance::kChangeKindCount; ++kind)
        counts.push_back(
            { maintenance::changeKindName(static_cast<ChangeKind>(kind)), changes.counts[kind] });
    return counts;
}

ChangesContext contextOf(const ToolArguments& args, const maintenance::ChangeReport& changes)
{
    ChangesContext context { args.word(0), args.word(1), {} };
    for (const maintenance::NotCompared& field : changes.notCompared)
        context.notCompared.push_back({ maintenance::uncomparedName(field.field),
            field.without == maintenance::Version::Old ? context.olderPath : context.newerPath });
    return context;
}

} // namespace

int runChanges(const ToolArguments& args, ToolConsoles& consoles)
{
    std::unique_ptr<report::Output> out = args.flag("-o")
        ? std::make_unique<report::Output>(args.value("-o"))
        : std::make_unique<report::Output>();
    if (!out->open(consoles.diagnostics)) {
        message(out->failure());
        return 1;
    }
    VersionPair versions(consoles.diagnostics);
    if (!versions.read(args.word(0), args.word(1)))
        return 1;
    maintenance::CompareOptions options;
    options.ignoreIds = args.flag("--ignore-ids");
    const maintenance::ChangeReport changes
        = maintenance::compareVersions(versions.older(), versions.newer(), options);

    report::Writer writer(*out,
        report::chooseFormat(changesFormats(contextOf(args, changes)), args.value("--format")));
    for (const maintenance::ConceptChanges& changed : changes.concepts)
        writer.add(conceptRecord(changed));
    for (const maintenance::DefinitionChanges& definition : changes.definitions)
        writer.add(definitionRecord(definition));
    for (const maintenance::DuplicateCode& duplicate : changes.duplicateCodes)
        writer.add(duplicateRecord(duplicate));
    writer.summary(countsRecord(changes));
    writer.end();
    return finishOutput(*out) ? 0 : 1;
}

} // namespace kbtool
