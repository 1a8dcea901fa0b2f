// The generator's start: its set-up, the document's frame and the
// definitions, the faulty ones among them.

#include "tools/gen/Generator.h"

namespace gen {

using maintenance::ChangeKind;
using Type = maintenance::DefinitionType;

Generator::Generator(Output& output, const Options& options)
    : out(output)
    , numConcepts(options.concepts)
    , rng(mix(options.seed ^ 0x6F6E74796C6F67ull))
    , naming(options.seed)
    , faults(options)
    , changes(options, naming)
{
    const std::uint64_t seed = options.seed;
    // RXK values: a bijection of the concept index onto [0, 2^bits).
    rxkBits = 17;
    while ((std::uint64_t(1) << rxkBits) < numConcepts)
        ++rxkBits;
    rxkMultiplier = mix(seed + 3) | 1;
    rxkOffset = mix(seed + 4);
}

void Generator::run()
{
    // Only XML 1.1 lets a document hold a control character, as a
    // character reference.
    if (faults.enabled(UncarriedCharacter))
        out.line("<?xml version=\"1.1\" encoding=\"UTF-8\"?>");
    else
        out.line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    out.line("<!DOCTYPE terminology SYSTEM \"ontylog.dtd\">");
    out.line("<terminology ref_by=\"name\" if_exists_action=\"replace\">");
    writeDefinitions();
    for (std::uint64_t i = 0; i < numConcepts; ++i) {
        drawConcept(i);
        if (changes.change(draft, !holding && i + 1 < numConcepts)) {
            std::swap(draft, held);
            holding = true;
            continue;
        }
        writeConcept(draft);
        if (holding && !draft.removed) {
            writeConcept(held);
            holding = false;
        }
    }
    if (holding)
        writeConcept(held);
    out.line("</terminology>");
    out.flush();
}

void Generator::idAndNamespace(const char* codePrefix, std::uint64_t codeNumber)
{
    out.leafNumber("code", codePrefix, codeNumber);
    out.leafNumber("id", "", nextDefId++);
    out.leaf("namespace", kNamespace);
}

void Generator::pickList(const std::vector<const char*>& items, const char* extra)
{
    if (items.empty())
        return;
    out.line("<pickList>");
    for (const char* item : items)
        out.leaf("pickListItem", item);
    if (*extra)
        out.leaf("pickListItem", extra);
    out.line("</pickList>");
}

void Generator::writeDefinitions()
{
    out.line("<namespaceDef>");
    out.leaf("name", kNamespace);
    out.leaf("code", "MVQ");
    out.leafNumber("id", "", nextDefId++);
    out.line("</namespaceDef>");
    if (changes.enabled()) {
        out.line("<namespaceDef>");
        out.leaf("name", kArchiveNamespace);
        out.leaf("code", "MVA");
        out.leaf("id", "901");
        out.line("</namespaceDef>");
        changes.noteDefinition(Type::Namespace, kArchiveNamespace, ChangeKind::DefinitionAdded,
            { { "code", "", "MVA" }, { "id", "", "901" } });
    }
    writeKindDefinitions();
    writeRoleDefinitions();
    writeFaultyRoleDefinitions();
    writePropertyDefinitions();
    writeQualifierAndAssociationDefinitions();
}

void Generator::writeKindDefinitions()
{
    for (std::uint32_t k = 0; k < kNumKinds; ++k) {
        out.put("<kindDef reference=\"");
        out.put(
            changes.definitionField(Type::Kind, kKinds[k].name, "reference", kKinds[k].reference));
        out.line("\">");
        out.leaf("name", kKinds[k].name);
        idAndNamespace("K", k + 1);
        out.line("</kindDef>");
    }
    if (faults.enabled(KindWithoutRoot)) {
        out.line("<kindDef reference=\"false\">");
        out.leaf("name", "Spare_Kind");
        idAndNamespace("K", kNumKinds + 1);
        out.line("</kindDef>");
        faults.note(KindWithoutRoot, "kind definition", "Spare_Kind");
    }
}

void Generator::writeRoleDefinitions()
{
    for (std::uint32_t r = 0; r < kNumRoles; ++r) {
        const RoleDef& role = kRoles[r];
        out.line("<roleDef>");
        out.leaf("name", role.name);
        idAndNamespace("R", 100 + r);
        out.leaf("domain", kKinds[role.domain].name);
        out.leaf("range", kKinds[role.range].name);
        if (role.rightId)
            out.leaf("rightId", role.name);
        const char* parent
            = changes.definitionField(Type::Role, role.name, "parentRole", role.parent);
        if (*parent)
            out.leaf("parentRole", parent);
        out.line("</roleDef>");
    }
}

void Generator::writePropertyDefinitions()
{
    std::uint32_t p = 0;
    for (const PropertyDef& property : kProperties) {
        if (changes.leavesOut(Type::Property, property.name)) {
            leaveOut(property, p++);
            continue;
        }
        out.line("<propertyDef>");
        out.leaf("name", property.name);
        idAndNamespace("P", 90 + p++);
        out.leaf("range", property.range);
        if (property.containsIndex)
            out.line("<containsIndex/>");
        if (property.localized)
            out.line("<localized/>");
        pickList(property.pickList,
            changes.definitionField(Type::Property, property.name, "pickListItem", ""));
        out.line("</propertyDef>");
    }
    if (changes.enabled())
        addPropertyDefinition();
    writeFaultyPropertyDefinitions(p);
}

void Generator::writeQualifierAndAssociationDefinitions()
{
    std::uint32_t q = 0;
    for (const QualifierDef& qualifier : kQualifiers) {
        out.put("<qualifierDef type=\"");
        out.put(qualifier.type);
        out.line("\">");
        out.leaf("name", qualifier.name);
        idAndNamespace("P", 380 + q++);
        pickList(qualifier.pickList, "");
        out.line("</qualifierDef>");
    }
    std::uint32_t a = 0;
    for (const AssociationDef& association : kAssociations) {
        out.line("<associationDef>");
        out.leaf("name", association.name);
        idAndNamespace("A", 1 + a++);
        out.leaf("inverseName",
            changes.definitionField(
                Type::Association, association.name, "inverseName", association.inverse));
        const std::string_view displayable = changes.definitionField(Type::Association,
            association.name, "displayable", association.displayable ? "true" : "false");
        if (displayable == "true")
            out.line("<displayable/>");
        out.line("</associationDef>");
    }
}

// A role definition of the given code (empty: none), domain and parent.
void Generator::faultyRoleDefinition(
    const char* roleName, const char* code, const char* domain, const char* parent)
{
    out.line("<roleDef>");
    out.leaf("name", roleName);
    out.leaf("code", code);
    out.leafNumber("id", "", nextDefId++);
    out.leaf("namespace", kNamespace);
    if (*parent) {
        out.leaf("parentRole", parent);
    } else {
        out.leaf("domain", domain);
        out.leaf("range", kKinds[Anatomy].name);
    }
    out.line("</roleDef>");
}

void Generator::writeFaultyRoleDefinitions()
{
    if (faults.enabled(RootlessRoleKind)) {
        faultyRoleDefinition("Spare_Has_Site", "R900", "Spare_Kind", "");
        faults.note(RootlessRoleKind, "role definition", "Spare_Has_Site");
    }
    if (faults.enabled(UndefinedParentRole)) {
        faultyRoleDefinition(
            "Spare_Has_Part", "R901", kKinds[Anatomy].name, "Unlisted_Parent_Role");
        faults.note(UndefinedParentRole, "role definition", "Spare_Has_Part");
    }
    if (faults.enabled(MissingRoleCode)) {
        faultyRoleDefinition("Spare_Has_Cell", "", kKinds[Anatomy].name, "");
        faults.note(MissingRoleCode, "role definition", "Spare_Has_Cell");
    }
}

void Generator::writeFaultyPropertyDefinitions(std::uint32_t p)
{
    if (faults.enabled(BadElementName)) {
        stringPropertyDefinition(kBadPropertyName, p++);
        // A name that cannot be an element name is no OWL name either.
        faults.note(InvalidOwlName, "property definition", kBadPropertyName);
    }
    if (faults.enabled(DuplicateDefinitionName)) {
        stringPropertyDefinition("Display_Name", p++);
        faults.note(DuplicateDefinitionName, "property definition", "Display_Name");
    }
}

// A property definition the newer version leaves out, noted with its
// fields; its code and id are taken all the same, so that those of the
// others stay.
void Generator::leaveOut(const PropertyDef& property, std::uint32_t p)
{
    const std::uint64_t id = nextDefId++;
    changes.noteDefinition(Type::Property, property.name, ChangeKind::DefinitionRemoved,
        { { "code", "P" + std::to_string(90 + p), "" }, { "id", std::to_string(id), "" },
            { "namespace", kNamespace, "" }, { "range", property.range, "" },
            { "localized", property.localized ? "true" : "false", "" },
            { "containsIndex", property.containsIndex ? "true" : "false", "" } });
}

// A property definition the newer version adds, of an id and code of its
// own.
void Generator::addPropertyDefinition()
{
    out.line("<propertyDef>");
    out.leaf("name", "Review_Note");
    out.leaf("code", "P190");
    out.leaf("id", "902");
    out.leaf("namespace", kNamespace);
    out.leaf("range", "string");
    out.line("</propertyDef>");
    changes.noteDefinition(Type::Property, "Review_Note", ChangeKind::DefinitionAdded,
        { { "code", "", "P190" }, { "id", "", "902" }, { "namespace", "", kNamespace },
            { "range", "", "string" }, { "localized", "", "false" },
            { "containsIndex", "", "false" } });
}

void Generator::stringPropertyDefinition(const char* propertyName, std::uint32_t p)
{
    out.line("<propertyDef>");
    out.leaf("name", propertyName);
    idAndNamespace("P", 90 + p);
    out.leaf("range", "string");
    out.line("</propertyDef>");
}

} // namespace gen
