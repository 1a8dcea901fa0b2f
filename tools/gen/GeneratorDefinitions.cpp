// The generator's start: its set-up, the document's frame and the
// definitions, the faulty ones among them.

#include "tools/gen/Generator.h"

namespace gen {

Generator::Generator(Output& output, const Options& options)
    : out(output)
    , numConcepts(options.concepts)
    , rng(mix(options.seed ^ 0x6F6E74796C6F67ull))
    , faults(options)
{
    const std::uint64_t seed = options.seed;
    // Concept names: a bijection of the index within its kind onto the
    // 2^16 word combinations, different for every seed.
    nameMultiplier = (mix(seed + 1) | 1) & kNameMask;
    nameOffset = mix(seed + 2) & kNameMask;
    // RXK values: a bijection of the concept index onto [0, 2^bits).
    rxkBits = 17;
    while ((std::uint64_t(1) << rxkBits) < numConcepts)
        ++rxkBits;
    rxkMultiplier = mix(seed + 3) | 1;
    rxkOffset = mix(seed + 4);
    for (std::uint32_t r = 0; r < kNumRoles; ++r)
        rolesByDomain[kRoles[r].domain].push_back(r);
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
    for (std::uint64_t i = 0; i < numConcepts; ++i)
        writeConcept(i);
    out.line("</terminology>");
    out.flush();
}

void Generator::idAndNamespace(const char* codePrefix, std::uint64_t codeNumber)
{
    out.leafNumber("code", codePrefix, codeNumber);
    out.leafNumber("id", "", nextDefId++);
    out.leaf("namespace", kNamespace);
}

void Generator::pickList(const std::vector<const char*>& items)
{
    if (items.empty())
        return;
    out.line("<pickList>");
    for (const char* item : items)
        out.leaf("pickListItem", item);
    out.line("</pickList>");
}

void Generator::writeDefinitions()
{
    out.line("<namespaceDef>");
    out.leaf("name", kNamespace);
    out.leaf("code", "MVQ");
    out.leafNumber("id", "", nextDefId++);
    out.line("</namespaceDef>");
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
        out.put(kKinds[k].reference);
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
        if (*role.parent)
            out.leaf("parentRole", role.parent);
        out.line("</roleDef>");
    }
}

void Generator::writePropertyDefinitions()
{
    std::uint32_t p = 0;
    for (const PropertyDef& property : kProperties) {
        out.line("<propertyDef>");
        out.leaf("name", property.name);
        idAndNamespace("P", 90 + p++);
        out.leaf("range", property.range);
        if (property.containsIndex)
            out.line("<containsIndex/>");
        if (property.localized)
            out.line("<localized/>");
        pickList(property.pickList);
        out.line("</propertyDef>");
    }
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
        pickList(qualifier.pickList);
        out.line("</qualifierDef>");
    }
    std::uint32_t a = 0;
    for (const AssociationDef& association : kAssociations) {
        out.line("<associationDef>");
        out.leaf("name", association.name);
        idAndNamespace("A", 1 + a++);
        out.leaf("inverseName", association.inverse);
        if (association.displayable)
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

void Generator::stringPropertyDefinition(const char* propertyName, std::uint32_t p)
{
    out.line("<propertyDef>");
    out.leaf("name", propertyName);
    idAndNamespace("P", 90 + p);
    out.leaf("range", "string");
    out.line("</propertyDef>");
}

} // namespace gen
