// The concepts: their own texts and names, their identifiers, their
// references to other concepts and to role definitions, cycles of parents.

#include "maintenance/Checker.h"

#include "xmlout/WriteRules.h"
#include "xmlout/XmlText.h"

#include <algorithm>
#include <optional>

namespace maintenance {

namespace {

const std::string kCui = "CUI";

} // namespace

// First pass, in identifier order: each concept's line, its own texts and
// names, and its identifier.
void Checker::readConcepts()
{
    const QueltKb::ConceptMap& all = kb.getConcepts();
    concepts.reserve(all.size());
    byRxk.reserve(all.size());
    auto line = lines.concepts.begin();
    const std::vector<SourceLines::UndefinedName>& undefined = lines.undefinedNames;
    size_t nextUndefined = 0;
    for (const auto& stored : all) {
        while (line != lines.concepts.end() && line->first < stored.first)
            ++line;
        concepts.emplace_back();
        ConceptEntry& entry = concepts.back();
        entry.con = &stored.second;
        if (line != lines.concepts.end() && line->first == stored.first)
            entry.line = line->second;
        while (
            nextUndefined < undefined.size() && undefined[nextUndefined].conceptId < stored.first)
            ++nextUndefined;
        entry.firstUndefined = nextUndefined;
        while (
            nextUndefined < undefined.size() && undefined[nextUndefined].conceptId == stored.first)
            ++nextUndefined;
        entry.lastUndefined = nextUndefined;

        checkName(entry, stored.first);
        OwnRecords own = checkOwnTexts(entry);
        checkIdentifier(entry, concepts.size() - 1, own);
    }
}

void Checker::checkName(const ConceptEntry& entry, long id)
{
    long first = kb.getIDFromName(entry.con->getName());
    if (first != id)
        addConcept(DuplicateConceptName, entry,
            "the concept at line " + std::to_string(conceptOf(first).line)
                + " has the same name; both are written as one class, under the RXK value "
                  "given last for the name");
}

std::string Checker::undefinedNames(const ConceptEntry& entry, SourceLines::Attribute type) const
{
    std::vector<std::string> names;
    for (size_t i = entry.firstUndefined; i < entry.lastUndefined; ++i) {
        const SourceLines::UndefinedName& undefined = lines.undefinedNames[i];
        if (undefined.type == type
            && std::find(names.begin(), names.end(), undefined.name) == names.end())
            names.push_back(undefined.name);
    }
    return names.empty() ? std::string() : " (" + listed(names, 5) + ")";
}

// A property or qualifier of the concept: its name (what names it:
// "property", "qualifier") and its value (where: "the value of property",
// ...).
template <class Record>
void Checker::checkValued(ConceptEntry& entry, const Record& record, const ElementName& name,
    const char* what, const char* where, bool& undefined, OwnRecords& own)
{
    if (name.text->empty()) {
        undefined = true;
    } else if (!name.valid) {
        own.bad.insert({ what, *name.text });
    } else if (naming.outsidePickList(record)) {
        addConcept(PickListValue, entry,
            what + (" " + quoted(*name.text)) + " has the value " + quoted(record.getValue())
                + ", which is not in its pick list");
    }
    noteUncarried(entry.uncarried, record.getValue(), where, name.text);
}

template <class Record>
void Checker::checkQualifiers(ConceptEntry& entry, const Record& record, OwnRecords& own)
{
    for (const QueltQualifier& qualifier : record.getQualifiers())
        checkValued(entry, qualifier, naming.qualifierNames().of(qualifier), "qualifier",
            "the value of qualifier", own.undefinedQualifier, own);
}

void Checker::checkOwnProperties(ConceptEntry& entry, OwnRecords& own)
{
    for (const auto& stored : entry.con->getProperties()) {
        const QueltProperty& property = stored.second;
        const ElementName& name = naming.propertyNames().of(property);
        if (naming.isRxk(name)) {
            ++own.rxkCount;
            own.rxk = &property.getValue();
        } else if (*name.text == kCui) {
            ++own.cuiCount;
        }
        checkValued(
            entry, property, name, "property", "the value of property", own.undefinedProperty, own);
        checkQualifiers(entry, property, own);
    }
}

void Checker::checkOwnAssociations(ConceptEntry& entry, OwnRecords& own)
{
    for (const auto& stored : entry.con->getAssociations()) {
        const QueltAssociation& association = stored.second;
        const ElementName& name = naming.associationNames().of(association);
        if (name.text->empty())
            own.undefinedAssociation = true;
        else if (!name.valid)
            own.bad.insert({ "association", *name.text });
        checkQualifiers(entry, association, own);
    }
}

// What the concept's class holds of its own: the label, the code, the
// property values and every name written as an element name.
Checker::OwnRecords Checker::checkOwnTexts(ConceptEntry& entry)
{
    const QueltConcept& con = *entry.con;
    const std::string& label = naming.label(con);
    noteUncarried(entry.uncarried, label,
        &label == &con.getName() ? "its name, the label of its class"
                                 : "its Preferred_Name, the label");
    noteUncarried(entry.uncarried, con.getCode(), "its code");

    OwnRecords own;
    checkOwnProperties(entry, own);
    checkOwnAssociations(entry, own);
    if (own.undefinedProperty)
        addConcept(UndefinedProperty, entry,
            writerules::elementNameFault("property", "")
                + undefinedNames(entry, SourceLines::Attribute::Property));
    if (own.undefinedAssociation)
        addConcept(UndefinedAssociation, entry,
            writerules::elementNameFault("association", "")
                + undefinedNames(entry, SourceLines::Attribute::Association));
    if (own.undefinedQualifier)
        addConcept(UndefinedQualifier, entry,
            writerules::elementNameFault("qualifier", "")
                + undefinedNames(entry, SourceLines::Attribute::Qualifier));
    for (const auto& bad : own.bad)
        addConcept(
            BadElementName, entry, writerules::elementNameFault(bad.first.c_str(), bad.second));
    return own;
}

// The concept's own "RXK" values: none, several, one that is no OWL name
// or that of another concept; and several CUI values.
void Checker::checkIdentifier(const ConceptEntry& entry, size_t index, const OwnRecords& own)
{
    const QueltConcept& con = *entry.con;
    const std::string* rxk = own.rxk;

    if (rxk == nullptr)
        addConcept(MissingRxk, entry, "no RXK value: its class is written as \"#\"");
    else if (rxk->empty())
        addConcept(MissingRxk, entry, "its RXK value is empty: its class is written as \"#\"");
    if (own.rxkCount > 1)
        addConcept(SeveralRxk, entry,
            std::to_string(own.rxkCount) + " RXK values; the last one, " + quoted(*rxk)
                + ", names its class");
    if (own.cuiCount > 1)
        addConcept(SeveralCui, entry,
            std::to_string(own.cuiCount) + " CUI values: the concept is not indexed by CUI");
    if (rxk == nullptr || rxk->empty())
        return;
    std::vector<std::string> faults = writerules::owlNameFaults(*rxk);
    if (!faults.empty())
        addConcept(InvalidOwlName, entry, "RXK value: " + joined(faults));
    auto shared = byRxk.try_emplace(*rxk, index);
    const ConceptEntry& other = concepts[shared.first->second];
    if (!shared.second && other.con->getName() != con.getName())
        addConcept(SharedRxk, entry,
            "RXK value " + quoted(*rxk) + " is also that of concept " + quoted(other.con->getName())
                + " (line " + std::to_string(other.line) + "): both are written as one class");
}

// Second pass, once every name is known: the concept's parents, role
// targets and association targets, and the identifiers its class takes
// from other concepts and from role definitions.
void Checker::checkReferences(const ConceptEntry& entry)
{
    Place uncarried = entry.uncarried;
    noteUncarried(uncarried, naming.conceptCode(entry.con->getName()), "its RXK value");
    checkParents(entry, uncarried);
    checkRoles(entry, uncarried);
    checkAssociations(entry, uncarried);
    if (uncarried.what == nullptr)
        return;
    std::string where = uncarried.what;
    if (uncarried.name != nullptr)
        where += " " + quoted(*uncarried.name);
    addConcept(
        UncarriedCharacter, entry, std::string(writerules::kUncarried) + " (in " + where + ")");
}

void Checker::checkParents(const ConceptEntry& entry, Place& uncarried)
{
    for (const std::string& parent : entry.con->getParents()) {
        std::optional<std::string_view> code = naming.referenceCode(parent);
        if (!code)
            addConcept(UnknownParent, entry,
                "parent " + quoted(parent) + " names no concept: written as \"#\"");
        else
            noteUncarried(uncarried, *code, "the RXK value of parent", &parent);
    }
}

void Checker::checkRoles(const ConceptEntry& entry, Place& uncarried)
{
    bool undefinedRole = false;
    for (const auto& stored : entry.con->getRoles()) {
        const QueltRole& role = stored.second;
        const ElementName& name = naming.roleNames().of(role);
        if (!name.defined)
            undefinedRole = true;
        else
            noteUncarried(uncarried, name.code, "the code of role", name.text);
        const std::string& target = role.getValue();
        std::optional<std::string_view> code = naming.referenceCode(target);
        if (!code)
            addConcept(UnknownRoleTarget, entry,
                "role " + quoted(*name.text) + " has the value " + quoted(target)
                    + ", which names no concept: the restriction refers to \"#\"");
        else
            noteUncarried(uncarried, *code, "the RXK value of role value", &target);
    }
    if (undefinedRole)
        addConcept(UndefinedRole, entry,
            "a role without a defined name" + undefinedNames(entry, SourceLines::Attribute::Role)
                + ": the restriction is on property \"#\"");
}

void Checker::checkAssociations(const ConceptEntry& entry, Place& uncarried)
{
    for (const auto& stored : entry.con->getAssociations()) {
        const QueltAssociation& association = stored.second;
        const std::string& target = association.getValue();
        std::optional<std::string_view> code = naming.referenceCode(target);
        if (!code)
            addConcept(UnknownAssociationTarget, entry,
                "association " + quoted(*naming.associationNames().of(association).text)
                    + " has the value " + quoted(target)
                    + ", which names no concept: written as \"#\"");
        else
            noteUncarried(uncarried, *code, "the RXK value of association value", &target);
    }
}

// The parent links between concepts, by position: from each concept to
// the first concept of each parent's name.
Links Checker::linkParents() const
{
    Links links;
    links.starts.reserve(concepts.size() + 1);
    for (const ConceptEntry& entry : concepts) {
        links.starts.push_back(links.targets.size());
        for (const std::string& parent : entry.con->getParents()) {
            long id = kb.getIDFromName(parent);
            if (id != -1)
                links.targets.push_back(kb.getConcepts().position(id));
        }
    }
    links.starts.push_back(links.targets.size());
    return links;
}

// One finding per cycle of parents, on the member that comes first.
void Checker::checkCycles()
{
    for (const std::vector<size_t>& members : findCycles(linkParents())) {
        const ConceptEntry& first = concepts[members.front()];
        if (members.size() == 1) {
            addConcept(ParentCycle, first, "the concept is its own parent");
            continue;
        }
        std::string text;
        for (size_t i = 1; i < members.size() && i <= 5; ++i) {
            const ConceptEntry& other = concepts[members[i]];
            text += (i > 1 ? ", " : "") + quoted(other.con->getName()) + " (line "
                + std::to_string(other.line) + ")";
        }
        if (members.size() > 6)
            text += " and " + std::to_string(members.size() - 6) + " more";
        addConcept(ParentCycle, first, "its parents lead back to it, in a cycle with " + text);
    }
}

} // namespace maintenance
