// Writing a concept's draft, with the name the version being written gives
// each concept it refers to, and the concept that may follow it.

#include "tools/gen/Generator.h"

namespace gen {

namespace {

const char* const kModifierTags[] = { "<some/>", "<all/>", "<poss/>", "" };

} // namespace

void Generator::writeConcept(const ConceptDraft& con)
{
    if (con.removed)
        return;
    out.line("<conceptDef>");
    writeTargetName("name", con.index);
    out.put('\n');
    out.leafNumber("code", "C", 100 + 3 * con.index + con.codeOffset);
    out.leafNumber("id", "", con.id);
    out.leaf("namespace", con.nameSpace);
    if (con.kindName)
        out.leaf("kind", con.kindName);
    if (con.primitive)
        out.line("<primitive/>");
    if (!con.root) {
        writeParents(con);
        writeRoles(con);
    }
    writeProperties(con);
    if (!con.root)
        writeAssociations(con);
    writeConceptFault(con);
    out.line("</conceptDef>");
    if (con.extra != Extra::None)
        writeExtraConcept(con);
}

// <tag>name</tag>, the concept's name in this version.
void Generator::writeTargetName(std::string_view tag, std::uint64_t target)
{
    changes.writtenName(target, other);
    out.element(tag, other);
}

void Generator::writeParents(const ConceptDraft& con)
{
    out.line("<definingConcepts>");
    for (std::uint64_t parent : con.parents) {
        writeTargetName("concept", parent);
        out.put('\n');
    }
    if (con.fault == UnknownParent)
        out.leafNumber("concept", "Missing Parent ", con.index);
    if (con.fault == OwnParent)
        out.leaf("concept", con.name);
    out.line("</definingConcepts>");
}

void Generator::writeRoles(const ConceptDraft& con)
{
    if (con.roles.empty())
        return;
    out.line("<definingRoles>");
    std::uint32_t group = 0;
    for (const DraftRole& role : con.roles) {
        if (role.group != group) {
            if (group != 0)
                out.line("</roleGroup>");
            if (role.group != 0)
                out.line("<roleGroup>");
            group = role.group;
        }
        out.put("<role>");
        out.put(kModifierTags[role.modifier]);
        out.element("name", kRoles[role.role].name);
        writeTargetName("value", role.target);
        out.line("</role>");
    }
    if (group != 0)
        out.line("</roleGroup>");
    out.line("</definingRoles>");
}

void Generator::qualifier(const DraftQualifier& q)
{
    out.put("<qualifier>");
    out.element("name", q.name);
    out.element("value", q.value);
    out.put("</qualifier>");
}

void Generator::writeProperties(const ConceptDraft& con)
{
    out.line("<properties>");
    for (const DraftProperty& property : con.properties) {
        out.put("<property>");
        out.element("name", property.name);
        out.element("value", con.value(property));
        if (property.locale)
            out.element("locale", property.locale);
        for (std::uint32_t q = 0; q < property.qualifierCount; ++q)
            qualifier(property.qualifiers[q]);
        out.line("</property>");
    }
    out.line("</properties>");
}

void Generator::writeAssociations(const ConceptDraft& con)
{
    if (con.associations.empty())
        return;
    out.line("<associations>");
    for (const DraftAssociation& association : con.associations) {
        out.put("<association>");
        out.element("name", kAssociations[association.association].name);
        writeTargetName("value", association.target);
        if (association.qualifier.name)
            qualifier(association.qualifier);
        out.line("</association>");
    }
    out.line("</associations>");
}

// What a fault adds at the end of a concept.
void Generator::writeConceptFault(const ConceptDraft& con)
{
    const Fault fault = con.fault;
    switch (fault) {
    case UnknownRoleTarget:
    case UndefinedRole:
        out.put("<definingRoles><role><some/>");
        out.element("name",
            fault == UndefinedRole ? "Unlisted_Role"
                                   : kRoles[rolesOfDomain(con.kind).front()].name);
        if (fault == UndefinedRole)
            out.element("value", kKinds[con.kind].root);
        else
            out.elementNumber("value", "Missing Target ", con.index);
        out.line("</role></definingRoles>");
        break;
    case UnknownAssociationTarget:
    case UndefinedAssociation:
        out.put("<associations><association>");
        out.element("name", fault == UndefinedAssociation ? "Unlisted_Link" : "Replaced_By");
        if (fault == UndefinedAssociation)
            out.element("value", kKinds[con.kind].root);
        else
            out.elementNumber("value", "Missing Target ", con.index);
        out.line("</association></associations>");
        break;
    case UndefinedProperty:
    case UndefinedQualifier:
    case BadElementName:
    case UncarriedCharacter:
        out.put("<properties><property>");
        out.element("name",
            fault == UndefinedProperty    ? "Unlisted_Note"
                : fault == BadElementName ? kBadPropertyName
                                          : "Display_Name");
        out.element("value", fault == UncarriedCharacter ? "Bell&#x7;" : "Noted");
        if (fault == UndefinedQualifier)
            qualifier({ "Unlisted_Source", "MVQ" });
        out.line("</property></properties>");
        break;
    default:
        break;
    }
}

// The concept that follows concept con: a second one of the name of the
// concept a fault takes from (code CD<i>), one the newer version adds (code
// CN<i>), or a second one of its code. Each names the root of its kind as
// its parent and has an RXK value of its own.
void Generator::writeExtraConcept(const ConceptDraft& con)
{
    const std::uint64_t i = con.index;
    const std::uint32_t kind = con.extra == Extra::Namesake ? kindOf(con.from) : con.kind;
    if (con.extra == Extra::Namesake)
        naming.name(con.from, other);
    else
        ChangePlan::extraName(con, other);
    out.line("<conceptDef>");
    out.leaf("name", other);
    if (con.extra == Extra::Twin)
        out.leafNumber("code", "C", 100 + 3 * i + con.codeOffset);
    else
        out.leafNumber("code", con.extra == Extra::Namesake ? "CD" : "CN", i);
    out.leafNumber("id", "", kConceptIdBase + numConcepts + i);
    out.leaf("namespace", kNamespace);
    out.leaf("kind", kKinds[kind].name);
    out.put("<definingConcepts>");
    out.element("concept", kKinds[kind].root);
    out.line("</definingConcepts>");
    out.put("<properties><property>");
    out.element("name", "RXK");
    out.elementNumber("value",
        con.extra == Extra::Namesake    ? "RXKD"
            : con.extra == Extra::Added ? "RXKN"
                                        : "RXKT",
        i);
    out.line("</property></properties>");
    out.line("</conceptDef>");
}

} // namespace gen
