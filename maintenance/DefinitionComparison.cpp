// Comparing the definitions of two versions, kind by kind, paired by name.

#include "maintenance/ChangeContext.h"

#include "model/QueltKb.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace maintenance::changes {

namespace {

using Type = DefinitionType;

struct Field {
    const char* name;
    std::string value;
};

// One definition as the comparison sees it: its name, its fields in the
// order of FieldChange, its pick list as a set.
struct DefinitionView {
    const std::string* name;
    std::vector<Field> fields;
    std::vector<std::string> pickList;
};

const char* flag(bool value)
{
    return value ? "true" : "false";
}

// Reads the definitions of one version.
class DefinitionReader {
public:
    DefinitionReader(const Versions& givenVersions, Side givenSide)
        : versions(givenVersions)
        , side(givenSide)
    {
    }

    template <class Def> DefinitionView view(const Def& def) const
    {
        DefinitionView view { &def.getName(), {}, {} };
        view.fields.push_back({ "code", def.getCode() });
        if (!versions.options().ignoreIds)
            view.fields.push_back({ "id", std::to_string(def.getID()) });
        addFields(view, def);
        std::sort(view.pickList.begin(), view.pickList.end());
        view.pickList.erase(
            std::unique(view.pickList.begin(), view.pickList.end()), view.pickList.end());
        return view;
    }

private:
    // The name of another definition that the version defines, else empty.
    template <class Def> const std::string& named(Type type, long id) const
    {
        return definitionName<Def>(versions.defined(type, side, id));
    }
    const std::string& nameSpace(long id) const { return named<QueltName>(Type::Namespace, id); }

    void addFields(DefinitionView&, const QueltName&) const { }
    void addFields(DefinitionView& view, const QueltKind& def) const
    {
        view.fields.push_back({ "namespace", nameSpace(def.getNamespaceID()) });
        view.fields.push_back({ "reference", flag(def.getReference()) });
    }
    void addFields(DefinitionView& view, const QueltRoleDef& def) const
    {
        view.fields.push_back({ "namespace", nameSpace(def.getNamespaceID()) });
        view.fields.push_back({ "domain", named<QueltKind>(Type::Kind, def.getDomainID()) });
        view.fields.push_back({ "range", named<QueltKind>(Type::Kind, def.getRangeID()) });
        if (versions.compares(Uncompared::RightId))
            view.fields.push_back({ "rightId", def.getRight() });
        view.fields.push_back({ "parentRole", def.getParentRole() });
    }
    void addFields(DefinitionView& view, const QueltPropertyDef& def) const
    {
        view.fields.push_back({ "namespace", nameSpace(def.getNamespaceID()) });
        view.fields.push_back({ "range", def.getRange() });
        view.fields.push_back({ "localized", flag(def.isLocalized()) });
        view.fields.push_back({ "containsIndex", flag(def.isContainsIndex()) });
        view.pickList = def.pickList();
    }
    void addFields(DefinitionView& view, const QueltAssociationDef& def) const
    {
        view.fields.push_back({ "namespace", nameSpace(def.getNamespaceID()) });
        view.fields.push_back({ "inverseName", def.getInverse() });
        view.fields.push_back({ "displayable", flag(def.isDisplayable()) });
    }
    void addFields(DefinitionView& view, const QueltQualifierDef& def) const
    {
        view.fields.push_back({ "namespace", nameSpace(def.getNamespaceID()) });
        view.fields.push_back({ "type", def.getQualifierType() });
        view.pickList = def.getPickList();
    }

    const Versions& versions;
    const Side side;
};

template <class Def>
std::vector<DefinitionView> views(const DefinitionReader& reader, const std::map<long, Def>& defs)
{
    std::vector<DefinitionView> all;
    for (const auto& entry : defs)
        all.push_back(reader.view(entry.second));
    std::sort(all.begin(), all.end(),
        [](const DefinitionView& a, const DefinitionView& b) { return *a.name < *b.name; });
    return all;
}

// A definition of one version only: its fields that say something, as
// befores (removed) or afters (added).
DefinitionChanges whole(Type type, const DefinitionView& view, ChangeKind kind)
{
    DefinitionChanges record { type, *view.name, kind, {} };
    auto note = [&](const char* field, const std::string& value) {
        if (kind == ChangeKind::DefinitionRemoved)
            record.fields.push_back({ field, value, std::string() });
        else
            record.fields.push_back({ field, std::string(), value });
    };
    for (const Field& field : view.fields) {
        if (!field.value.empty())
            note(field.name, field.value);
    }
    for (const std::string& item : view.pickList)
        note("pickListItem", item);
    return record;
}

DefinitionChanges changed(Type type, const DefinitionView& before, const DefinitionView& after)
{
    DefinitionChanges record { type, *before.name, ChangeKind::DefinitionChanged, {} };
    for (std::size_t i = 0; i < before.fields.size(); ++i) {
        if (before.fields[i].value != after.fields[i].value)
            record.fields.push_back(
                { before.fields[i].name, before.fields[i].value, after.fields[i].value });
    }
    std::vector<std::string> gone, came;
    std::set_difference(before.pickList.begin(), before.pickList.end(), after.pickList.begin(),
        after.pickList.end(), std::back_inserter(gone));
    std::set_difference(after.pickList.begin(), after.pickList.end(), before.pickList.begin(),
        before.pickList.end(), std::back_inserter(came));
    for (const std::string& item : gone)
        record.fields.push_back({ "pickListItem", item, std::string() });
    for (const std::string& item : came)
        record.fields.push_back({ "pickListItem", std::string(), item });
    return record;
}

template <class Def>
void compareType(const Versions& versions, Type type, const std::map<long, Def>& olderDefs,
    const std::map<long, Def>& newerDefs, std::vector<DefinitionChanges>& records)
{
    std::vector<DefinitionView> before = views(DefinitionReader(versions, kOld), olderDefs);
    std::vector<DefinitionView> after = views(DefinitionReader(versions, kNew), newerDefs);
    auto i = before.begin();
    auto j = after.begin();
    while (i != before.end() || j != after.end()) {
        if (j == after.end() || (i != before.end() && *i->name < *j->name)) {
            records.push_back(whole(type, *i++, ChangeKind::DefinitionRemoved));
        } else if (i == before.end() || *j->name < *i->name) {
            records.push_back(whole(type, *j++, ChangeKind::DefinitionAdded));
        } else {
            DefinitionChanges record = changed(type, *i++, *j++);
            if (!record.fields.empty())
                records.push_back(std::move(record));
        }
    }
}

} // namespace

std::vector<DefinitionChanges> definitionDifferences(const Versions& versions)
{
    const QueltKb& a = versions.kb(kOld);
    const QueltKb& b = versions.kb(kNew);
    std::vector<DefinitionChanges> records;
    compareType(versions, Type::Namespace, a.getNames(), b.getNames(), records);
    compareType(versions, Type::Kind, a.getKinds(), b.getKinds(), records);
    compareType(versions, Type::Role, a.getRoleDefs(), b.getRoleDefs(), records);
    compareType(versions, Type::Property, a.getPropertyDefs(), b.getPropertyDefs(), records);
    compareType(
        versions, Type::Association, a.getAssociationDefs(), b.getAssociationDefs(), records);
    compareType(versions, Type::Qualifier, a.getQualifierDefs(), b.getQualifierDefs(), records);
    return records;
}

} // namespace maintenance::changes
