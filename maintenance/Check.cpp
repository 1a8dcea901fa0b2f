// The terminology check: what the OWL writer would refuse, write wrongly or
// complain of, found in one pass over a knowledge base without writing it.
//
// The writer names every concept by the value of its "RXK" property (the
// last one a concept of that name gives), every role by its definition's
// code and the domain and range of a role by the root concept of the
// kind; a reference that finds nothing is written as "#". It refuses a
// definition or a concept whose text holds a character XML cannot carry,
// and a concept with a property, association or qualifier name that
// cannot be an element name. The check follows the same tables and asks
// the same rules (xmlout/WriteRules.h, xmlout/XmlText.h), so that each
// such case is a finding; it reports all of them, where the writer stops
// at the first.

#include "maintenance/Check.h"

#include "xmlout/NameCache.h"
#include "xmlout/WriteRules.h"
#include "xmlout/XmlText.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace maintenance {

namespace {

const std::string kRxk = "RXK";
const std::string kCui = "CUI";
const std::string kPreferredName = "Preferred_Name";

// Positions in the table of kinds.
enum Kind {
    UndefinedProperty,
    UndefinedAssociation,
    UndefinedQualifier,
    BadElementName,
    UncarriedCharacter,
    MissingRxk,
    SharedRxk,
    UnknownParent,
    UnknownRoleTarget,
    UnknownAssociationTarget,
    UndefinedRole,
    UndefinedParentRole,
    MissingRoleCode,
    RootlessRoleKind,
    NotWellFormed,
    InvalidOwlName,
    KindWithoutRoot,
    KindWithSeveralRoots,
    RootOfUndeclaredKind,
    ParentCycle,
    DuplicateConceptName,
    DuplicateDefinitionName,
    PickListValue,
    SeveralRxk,
    SeveralCui,
    ReaderMessage,
};

const std::vector<FindingKind> kKinds = {
    { "undefined-property", Severity::Error,
        "a property whose name has no definition: the concept is refused" },
    { "undefined-association", Severity::Error,
        "an association whose name has no definition: the concept is refused" },
    { "undefined-qualifier", Severity::Error,
        "a qualifier whose name has no definition: the concept is refused" },
    { "bad-element-name", Severity::Error,
        "a property, association or qualifier name that cannot be an XML element name: the "
        "concept is refused" },
    { "uncarried-character", Severity::Error,
        "a text holding a character XML cannot carry: the definition or concept is refused" },
    { "missing-rxk", Severity::Error,
        "a concept without an RXK value: its class is written as \"#\"" },
    { "shared-rxk", Severity::Error,
        "a concept with the RXK value of another one: both are written as one class" },
    { "unknown-parent", Severity::Error,
        "a parent that names no concept: the reference is written as \"#\"" },
    { "unknown-role-target", Severity::Error,
        "a role whose value names no concept: the restriction refers to \"#\"" },
    { "unknown-association-target", Severity::Error,
        "an association whose value names no concept: the reference is written as \"#\"" },
    { "undefined-role", Severity::Error,
        "a role whose name has no definition: the restriction is on property \"#\"" },
    { "undefined-parent-role", Severity::Error,
        "a role definition whose parent role has no definition: its super-property is \"#\"" },
    { "missing-role-code", Severity::Error,
        "a role definition without a code: the property is declared without a name and "
        "every restriction on it refers to \"#\"" },
    { "rootless-role-kind", Severity::Error,
        "a role definition whose domain or range kind has no root concept: written as \"#\"" },
    { "not-well-formed", Severity::Error,
        "the document is not well-formed XML: reading stops there" },
    { "invalid-owl-name", Severity::Warning,
        "an RXK value, role code, or property, qualifier or association name that is not a "
        "valid OWL name (the converter prints an ERROR line for the names it checks)" },
    { "kind-without-root", Severity::Warning, "a kind that no root concept belongs to" },
    { "kind-with-several-roots", Severity::Warning,
        "a kind with several root concepts: the last in byte order stands for it" },
    { "root-of-undeclared-kind", Severity::Warning,
        "a root concept whose kind no kind definition declares" },
    { "parent-cycle", Severity::Warning, "concepts that are their own ancestors" },
    { "duplicate-concept-name", Severity::Warning,
        "a concept with the name of an earlier one: both are written under the RXK value "
        "given last" },
    { "duplicate-definition-name", Severity::Warning,
        "a definition with the name of an earlier one of its type: the reader keeps the "
        "first" },
    { "pick-list-value", Severity::Warning,
        "a property or qualifier value that is not in the pick list of its definition" },
    { "several-rxk", Severity::Warning,
        "a concept with several RXK values: the last one names its class" },
    { "several-cui", Severity::Warning,
        "a concept with several CUI values: none is indexed (the reader says so)" },
    { "reader-message", Severity::Warning, "another message of the reader" },
};

const char* const kConcept = "concept";

const char* subjectOf(SourceLines::Definition type)
{
    switch (type) {
    case SourceLines::Definition::Namespace:
        return "namespace definition";
    case SourceLines::Definition::Kind:
        return "kind definition";
    case SourceLines::Definition::Role:
        return "role definition";
    case SourceLines::Definition::Property:
        return "property definition";
    case SourceLines::Definition::Association:
        return "association definition";
    case SourceLines::Definition::Qualifier:
        return "qualifier definition";
    }
    return "definition";
}

std::string quoted(std::string_view text)
{
    return "'" + xmltext::shown(text) + "'";
}

std::string joined(const std::vector<std::string>& texts)
{
    std::string all;
    for (const std::string& text : texts) {
        if (!all.empty())
            all += "; ";
        all += text;
    }
    return all;
}

// Up to `most` names, quoted, then how many more there are.
std::string listed(const std::vector<std::string>& names, size_t most)
{
    std::string text;
    for (size_t i = 0; i < names.size() && i < most; ++i) {
        if (i > 0)
            text += ", ";
        text += quoted(names[i]);
    }
    if (names.size() > most)
        text += " and " + std::to_string(names.size() - most) + " more";
    return text;
}

// The values of a pick list, by the map id of its definition.
class PickLists {
public:
    template <class Def> void add(const std::map<long, Def>& defs)
    {
        for (const auto& entry : defs) {
            if (entry.second.hasPickList()) {
                const auto& values = entry.second.getPickList();
                lists[entry.first] = List { &entry.second.getName(),
                    std::unordered_set<std::string>(values.begin(), values.end()) };
            }
        }
    }

    // Whether a value of the record breaks its definition's pick list.
    template <class Record> bool outside(const Record& record, const std::string& name) const
    {
        auto it = lists.find(record.getNameID());
        return it != lists.end() && *it->second.name == name
            && it->second.values.count(record.getValue()) == 0;
    }

private:
    struct List {
        const std::string* name;
        std::unordered_set<std::string> values;
    };
    std::unordered_map<long, List> lists;
};

class Checker {
public:
    Checker(const QueltKb& givenKb, const SourceLines& givenLines)
        : kb(givenKb)
        , lines(givenLines)
    {
    }

    std::vector<Finding> run(const std::vector<Message>& readerMessages);

private:
    // The concepts of a name: the first one, and the identifier of their
    // class (the RXK value given last among them; empty when none gave one).
    struct NameEntry {
        size_t first;
        std::string_view code;
    };
    struct ConceptEntry {
        const QueltConcept* con = nullptr;
        std::uint64_t line = 0;
        const std::string* label = nullptr; // the text its class is labelled with
        // Where its own texts hold a character XML cannot carry, or nullptr.
        const char* uncarried = nullptr;
        std::string uncarriedName;
        // Its names without a definition: [first, last) of
        // lines.undefinedNames.
        size_t firstUndefined = 0;
        size_t lastUndefined = 0;
        const NameEntry* named = nullptr; // the entry of its name
    };

    // What is being checked, for the order of findings of the same line.
    enum Phase { ReaderLines, Definitions, Concepts, Roots, Cycles };

    void add(Kind kind, const char* subject, const std::string& name, const std::string& code,
        std::uint64_t line, std::string explanation)
    {
        findings.push_back({ phase,
            Finding { &kKinds[kind], subject, name, code, line, std::move(explanation) } });
    }
    void addConcept(Kind kind, const ConceptEntry& entry, std::string explanation)
    {
        add(kind, kConcept, entry.con->getName(), entry.con->getCode(), entry.line,
            std::move(explanation));
    }
    std::uint64_t definitionLine(SourceLines::Definition type, const std::string& name) const
    {
        auto it = firstDefinitions.find({ type, name });
        return it == firstDefinitions.end() ? 0 : it->second;
    }
    std::string_view codeOf(std::string_view name) const
    {
        auto it = byName.find(name);
        return it == byName.end() ? std::string_view() : it->second.code;
    }

    // " ('A', 'B')": the names the document gave the concept's records of
    // that type that have no definition; empty when none is known.
    std::string undefinedNames(const ConceptEntry& entry, SourceLines::Attribute type) const;

    void readConcepts();
    void checkOwnTexts(ConceptEntry& entry);
    template <class Record>
    void checkQualifiers(
        ConceptEntry& entry, const Record& record, std::set<std::string>& bad, bool& undefined);
    void checkReferences(ConceptEntry& entry);
    void findRoots();
    void checkDefinitionNames();
    void checkRoleDefinitions();
    // withCode: declared with its code and pick list, not only its name.
    template <bool withCode, class Def>
    void checkAnnotationDefinitions(const std::map<long, Def>& defs, SourceLines::Definition type);
    void checkKinds();
    void checkRootClasses();
    void checkCycles();
    void gatherReaderMessages(const std::vector<Message>& readerMessages);

    const QueltKb& kb;
    const SourceLines& lines;
    Phase phase = ReaderLines;
    std::vector<std::pair<Phase, Finding>> findings;
    // The line of the first definition of each type and name.
    std::map<std::pair<SourceLines::Definition, std::string>, std::uint64_t> firstDefinitions;

    NameCache<QueltProperty> propertyNames;
    NameCache<QueltRole> roleNames;
    NameCache<QueltAssociation> associationNames;
    NameCache<QueltQualifier> qualifierNames;
    PickLists propertyPickLists;
    PickLists qualifierPickLists;

    std::vector<ConceptEntry> concepts; // in identifier order
    std::unordered_map<std::string_view, NameEntry> byName;
    // The parent links between concepts, by index: those of concept i are
    // parentLinks[parentStarts[i]] up to parentLinks[parentStarts[i + 1]].
    std::vector<size_t> parentLinks;
    std::vector<size_t> parentStarts;
    std::unordered_map<std::string_view, std::string_view> roleCodes;
    std::set<std::string> roots; // names of the concepts without parents
    std::vector<std::string> rootKinds; // the kind of each root, in the order of roots
    std::map<std::string, std::string> kindRoots; // kind name -> its root's name
};

std::vector<Finding> Checker::run(const std::vector<Message>& readerMessages)
{
    for (const auto& entry : kb.getRoleDefs())
        roleCodes[entry.second.getName()] = entry.second.getCode();
    propertyPickLists.add(kb.getPropertyDefs());
    qualifierPickLists.add(kb.getQualifierDefs());

    gatherReaderMessages(readerMessages);
    phase = Concepts;
    readConcepts();
    findRoots();
    phase = Definitions;
    checkDefinitionNames();
    checkRoleDefinitions();
    checkAnnotationDefinitions<true>(kb.getPropertyDefs(), SourceLines::Definition::Property);
    checkAnnotationDefinitions<true>(kb.getQualifierDefs(), SourceLines::Definition::Qualifier);
    checkAnnotationDefinitions<false>(
        kb.getAssociationDefs(), SourceLines::Definition::Association);
    checkKinds();
    phase = Concepts;
    for (ConceptEntry& entry : concepts)
        checkReferences(entry);
    parentStarts.push_back(parentLinks.size());
    phase = Roots;
    checkRootClasses();
    phase = Cycles;
    checkCycles();

    std::stable_sort(findings.begin(), findings.end(), [](const auto& a, const auto& b) {
        return a.second.line != b.second.line ? a.second.line < b.second.line : a.first < b.first;
    });
    std::vector<Finding> sorted;
    sorted.reserve(findings.size());
    for (auto& entry : findings)
        sorted.push_back(std::move(entry.second));
    return sorted;
}

// The messages of the reading that no finding covers: duplicate concept
// names and several CUI values are findings of their own, located.
void Checker::gatherReaderMessages(const std::vector<Message>& readerMessages)
{
    for (const Message& message : readerMessages) {
        if (message.kind != Message::Kind::DuplicateConceptName
            && message.kind != Message::Kind::SeveralCui)
            add(ReaderMessage, "document", "", "", 0, shownText(messageLine(message)));
    }
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

// First pass, in identifier order: each concept's own texts and names, and
// the tables the references are resolved by (a concept's class is named by
// the RXK value given last for its name, whichever concept of that name
// gave it).
void Checker::readConcepts()
{
    const QueltKb::ConceptMap& all = kb.getConcepts();
    concepts.reserve(all.size());
    byName.reserve(all.size());
    std::unordered_map<std::string_view, size_t> byRxk;
    byRxk.reserve(all.size());
    auto line = lines.concepts.begin();
    const std::vector<SourceLines::UndefinedName>& undefined = lines.undefinedNames;
    size_t nextUndefined = 0;
    for (const auto& stored : all) {
        while (line != lines.concepts.end() && line->first < stored.first)
            ++line;
        std::uint64_t at
            = line != lines.concepts.end() && line->first == stored.first ? line->second : 0;
        concepts.emplace_back();
        ConceptEntry& entry = concepts.back();
        entry.con = &stored.second;
        entry.line = at;
        entry.label = &stored.second.getName();
        while (
            nextUndefined < undefined.size() && undefined[nextUndefined].conceptId < stored.first)
            ++nextUndefined;
        entry.firstUndefined = nextUndefined;
        while (
            nextUndefined < undefined.size() && undefined[nextUndefined].conceptId == stored.first)
            ++nextUndefined;
        entry.lastUndefined = nextUndefined;
        const QueltConcept& con = stored.second;
        const size_t index = concepts.size() - 1;

        auto named = byName.try_emplace(con.getName(), NameEntry { index, {} });
        entry.named = &named.first->second;
        if (!named.second)
            addConcept(DuplicateConceptName, entry,
                "the concept at line " + std::to_string(concepts[named.first->second.first].line)
                    + " has the same name; both are written as one class, under the RXK value "
                      "given last for the name");

        const std::string* rxk = nullptr;
        long rxkCount = 0;
        long cuiCount = 0;
        bool labelled = false;
        for (const auto& property : con.getProperties()) {
            const std::string& name = *propertyNames.resolve(property.second).text;
            if (name == kRxk) {
                ++rxkCount;
                rxk = &property.second.getValue();
                named.first->second.code = *rxk;
            } else if (name == kCui) {
                ++cuiCount;
            } else if (!labelled && name == kPreferredName) {
                entry.label = &property.second.getValue();
                labelled = true;
            }
        }
        checkOwnTexts(entry);

        if (rxk == nullptr)
            addConcept(MissingRxk, entry, "no RXK value: its class is written as \"#\"");
        else if (rxk->empty())
            addConcept(MissingRxk, entry, "its RXK value is empty: its class is written as \"#\"");
        if (rxkCount > 1)
            addConcept(SeveralRxk, entry,
                std::to_string(rxkCount) + " RXK values; the last one, " + quoted(*rxk)
                    + ", names its class");
        if (cuiCount > 1)
            addConcept(SeveralCui, entry,
                std::to_string(cuiCount) + " CUI values: the concept is not indexed by CUI");
        if (rxk != nullptr && !rxk->empty()) {
            std::vector<std::string> faults = writerules::owlNameFaults(*rxk);
            if (!faults.empty())
                addConcept(InvalidOwlName, entry, "RXK value: " + joined(faults));
            auto shared = byRxk.try_emplace(*rxk, index);
            const ConceptEntry& other = concepts[shared.first->second];
            if (!shared.second && other.con->getName() != con.getName())
                addConcept(SharedRxk, entry,
                    "RXK value " + quoted(*rxk) + " is also that of concept "
                        + quoted(other.con->getName()) + " (line " + std::to_string(other.line)
                        + "): both are written as one class");
        }
    }
}

template <class Record>
void Checker::checkQualifiers(
    ConceptEntry& entry, const Record& record, std::set<std::string>& bad, bool& undefined)
{
    for (const QueltQualifier& qualifier : record.getQualifiers()) {
        const auto& name = qualifierNames.resolve(qualifier);
        if (name.text->empty()) {
            undefined = true;
        } else if (!name.valid) {
            bad.insert("qualifier\n" + *name.text);
        } else if (qualifierPickLists.outside(qualifier, *name.text)) {
            addConcept(PickListValue, entry,
                "qualifier " + quoted(*name.text) + " has the value " + quoted(qualifier.getValue())
                    + ", which is not in its pick list");
        }
        if (entry.uncarried == nullptr && !xmltext::carryable(qualifier.getValue())) {
            entry.uncarried = "the value of qualifier ";
            entry.uncarriedName = *name.text;
        }
    }
}

// What the concept's class holds of its own: the label, the code, the
// property values and every name written as an element name.
void Checker::checkOwnTexts(ConceptEntry& entry)
{
    const QueltConcept& con = *entry.con;
    bool undefinedProperty = false;
    bool undefinedAssociation = false;
    bool undefinedQualifier = false;
    // Names that cannot be element names: what, a line end, the name.
    std::set<std::string> bad;

    if (!xmltext::carryable(*entry.label)) {
        entry.uncarried = entry.label == &con.getName() ? "its name, the label of its class"
                                                        : "its Preferred_Name, the label";
    } else if (!xmltext::carryable(con.getCode())) {
        entry.uncarried = "its code";
    }
    for (const auto& stored : con.getProperties()) {
        const QueltProperty& property = stored.second;
        const auto& name = propertyNames.resolve(property);
        if (name.text->empty()) {
            undefinedProperty = true;
        } else if (!name.valid) {
            bad.insert("property\n" + *name.text);
        } else if (propertyPickLists.outside(property, *name.text)) {
            addConcept(PickListValue, entry,
                "property " + quoted(*name.text) + " has the value " + quoted(property.getValue())
                    + ", which is not in its pick list");
        }
        if (entry.uncarried == nullptr && !xmltext::carryable(property.getValue())) {
            entry.uncarried = "the value of property ";
            entry.uncarriedName = *name.text;
        }
        checkQualifiers(entry, property, bad, undefinedQualifier);
    }
    for (const auto& stored : con.getAssociations()) {
        const QueltAssociation& association = stored.second;
        const auto& name = associationNames.resolve(association);
        if (name.text->empty())
            undefinedAssociation = true;
        else if (!name.valid)
            bad.insert("association\n" + *name.text);
        checkQualifiers(entry, association, bad, undefinedQualifier);
    }

    if (undefinedProperty)
        addConcept(UndefinedProperty, entry,
            writerules::elementNameFault("property", "")
                + undefinedNames(entry, SourceLines::Attribute::Property));
    if (undefinedAssociation)
        addConcept(UndefinedAssociation, entry,
            writerules::elementNameFault("association", "")
                + undefinedNames(entry, SourceLines::Attribute::Association));
    if (undefinedQualifier)
        addConcept(UndefinedQualifier, entry,
            writerules::elementNameFault("qualifier", "")
                + undefinedNames(entry, SourceLines::Attribute::Qualifier));
    for (const std::string& what : bad) {
        size_t end = what.find('\n');
        addConcept(BadElementName, entry,
            writerules::elementNameFault(what.substr(0, end).c_str(), what.substr(end + 1)));
    }
}

// Second pass, once every name is known: the concept's parents, role
// targets and association targets, and the identifiers its class takes
// from other concepts and from role definitions.
void Checker::checkReferences(ConceptEntry& entry)
{
    const QueltConcept& con = *entry.con;
    const char* uncarried = entry.uncarried;
    std::string uncarriedName = entry.uncarriedName;
    auto carried = [&](std::string_view text, const char* where, const std::string& name) {
        if (uncarried == nullptr && !xmltext::carryable(text.data(), text.size())) {
            uncarried = where;
            uncarriedName = name;
        }
    };

    carried(entry.named->code, "its RXK value", "");
    parentStarts.push_back(parentLinks.size());
    for (const std::string& parent : con.getParents()) {
        auto it = byName.find(parent);
        if (it == byName.end()) {
            addConcept(UnknownParent, entry,
                "parent " + quoted(parent) + " names no concept: written as \"#\"");
        } else {
            carried(it->second.code, "the RXK value of parent ", parent);
            parentLinks.push_back(it->second.first);
        }
    }
    bool undefinedRole = false;
    for (const auto& stored : con.getRoles()) {
        const QueltRole& role = stored.second;
        const std::string& name = *roleNames.resolve(role).text;
        auto code = roleCodes.find(name);
        if (name.empty() || code == roleCodes.end())
            undefinedRole = true;
        else
            carried(code->second, "the code of role ", name);
        auto target = byName.find(role.getValue());
        if (target == byName.end())
            addConcept(UnknownRoleTarget, entry,
                "role " + quoted(name) + " has the value " + quoted(role.getValue())
                    + ", which names no concept: the restriction refers to \"#\"");
        else
            carried(target->second.code, "the RXK value of role value ", role.getValue());
    }
    if (undefinedRole)
        addConcept(UndefinedRole, entry,
            "a role without a defined name" + undefinedNames(entry, SourceLines::Attribute::Role)
                + ": the restriction is on property \"#\"");
    for (const auto& stored : con.getAssociations()) {
        const QueltAssociation& association = stored.second;
        auto target = byName.find(association.getValue());
        if (target == byName.end())
            addConcept(UnknownAssociationTarget, entry,
                "association " + quoted(*associationNames.resolve(association).text)
                    + " has the value " + quoted(association.getValue())
                    + ", which names no concept: written as \"#\"");
        else
            carried(
                target->second.code, "the RXK value of association value ", association.getValue());
    }

    if (uncarried != nullptr) {
        std::string where = uncarried;
        if (!uncarriedName.empty() || where.back() == ' ')
            where += quoted(uncarriedName);
        addConcept(
            UncarriedCharacter, entry, std::string(writerules::kUncarried) + " (in " + where + ")");
    }
}

// The concepts without parents, and the root each kind gets in the
// ontology: the one whose name comes last in byte order, the kind of a
// root being that of the first concept of its name.
void Checker::findRoots()
{
    kb.findRootConcepts(roots);
    for (const std::string& root : roots) {
        rootKinds.push_back(kb.getConceptKind(kb.getConcept(kb.getIDFromName(root))));
        kindRoots[rootKinds.back()] = root;
    }
}

void Checker::checkDefinitionNames()
{
    for (const SourceLines::DefinitionLine& def : lines.definitions) {
        auto seen = firstDefinitions.try_emplace({ def.type, def.name }, def.line);
        if (!seen.second)
            add(DuplicateDefinitionName, subjectOf(def.type), def.name, def.code, def.line,
                std::string("a ") + subjectOf(def.type) + " of this name comes first (line "
                    + std::to_string(seen.first->second) + "); this one is dropped");
    }
}

void Checker::checkRoleDefinitions()
{
    const auto type = SourceLines::Definition::Role;
    const char* subject = subjectOf(type);
    for (const auto& stored : kb.getRoleDefs()) {
        const QueltRoleDef& def = stored.second;
        const std::string& name = def.getName();
        const std::uint64_t line = definitionLine(type, name);
        const std::string_view code = roleCodes[name];
        auto report = [&](Kind kind, std::string explanation) {
            add(kind, subject, name, def.getCode(), line, std::move(explanation));
        };

        if (code.empty()) {
            report(MissingRoleCode,
                "no code: the property is declared without a name and every restriction on the "
                "role refers to \"#\"");
        } else {
            std::vector<std::string> faults = writerules::owlNameFaults(std::string(code));
            if (!faults.empty())
                report(InvalidOwlName, "code: " + joined(faults));
        }

        // The texts of its declaration.
        std::vector<std::string_view> texts { code, def.getCode(), name };
        if (def.hasParent()) {
            auto parent = roleCodes.find(def.getParentRole());
            if (parent == roleCodes.end())
                report(UndefinedParentRole,
                    "parent role " + quoted(def.getParentRole())
                        + " has no definition: its super-property is written as \"#\"");
            else
                texts.push_back(parent->second);
        } else {
            const std::pair<const char*, const std::string*> ends[]
                = { { "domain", &def.getDomain() }, { "range", &def.getRange() } };
            for (const auto& end : ends) {
                auto root = kindRoots.find(*end.second);
                if (root == kindRoots.end())
                    report(RootlessRoleKind,
                        std::string(end.first) + " kind " + quoted(*end.second)
                            + " has no root concept: the " + end.first + " is written as \"#\"");
                else
                    texts.push_back(codeOf(root->second));
            }
        }
        for (std::string_view text : texts) {
            if (!xmltext::carryable(text.data(), text.size())) {
                report(UncarriedCharacter, writerules::kUncarried);
                break;
            }
        }
    }
}

template <bool withCode, class Def>
void Checker::checkAnnotationDefinitions(
    const std::map<long, Def>& defs, SourceLines::Definition type)
{
    const char* subject = subjectOf(type);
    for (const auto& stored : defs) {
        const Def& def = stored.second;
        const std::string& name = def.getName();
        const std::uint64_t line = definitionLine(type, name);
        std::vector<std::string> faults = writerules::owlNameFaults(name);
        if (!faults.empty())
            add(InvalidOwlName, subject, name, def.getCode(), line, "name: " + joined(faults));
        bool carried = xmltext::carryable(name);
        if constexpr (withCode) {
            carried = carried && xmltext::carryable(def.getCode());
            for (const std::string& value : def.getPickList())
                carried = carried && xmltext::carryable(value);
        }
        if (!carried)
            add(UncarriedCharacter, subject, name, def.getCode(), line, writerules::kUncarried);
    }
}

void Checker::checkKinds()
{
    const auto type = SourceLines::Definition::Kind;
    std::map<std::string, std::vector<std::string>> rootsOfKind;
    size_t at = 0;
    for (const std::string& root : roots)
        rootsOfKind[rootKinds[at++]].push_back(root);
    std::set<std::string> declared;
    for (const auto& stored : kb.getKinds()) {
        const QueltKind& kind = stored.second;
        declared.insert(kind.getName());
        const std::vector<std::string>& ofKind = rootsOfKind[kind.getName()];
        const std::uint64_t line = definitionLine(type, kind.getName());
        if (ofKind.empty())
            add(KindWithoutRoot, subjectOf(type), kind.getName(), kind.getCode(), line,
                "no concept of this kind is without parents");
        else if (ofKind.size() > 1)
            add(KindWithSeveralRoots, subjectOf(type), kind.getName(), kind.getCode(), line,
                std::to_string(ofKind.size()) + " root concepts: " + listed(ofKind, 5)
                    + "; domains and ranges of this kind name " + quoted(ofKind.back()));
    }
    at = 0;
    for (const std::string& root : roots) {
        const std::string& kind = rootKinds[at++];
        if (declared.count(kind) == 0)
            addConcept(RootOfUndeclaredKind, concepts[byName.at(root).first],
                kind.empty() ? "a concept without parents, whose kind is missing or not declared"
                             : "a concept without parents of kind " + quoted(kind)
                        + ", which no kind definition declares");
    }
}

// Every root class names every other root as disjoint, so an RXK value
// of a root that XML cannot carry refuses the class of each root.
void Checker::checkRootClasses()
{
    const std::string* badRoot = nullptr;
    for (const std::string& root : roots) {
        std::string_view code = codeOf(root);
        if (!xmltext::carryable(code.data(), code.size())) {
            badRoot = &root;
            break;
        }
    }
    if (badRoot == nullptr)
        return;
    for (const std::string& root : roots) {
        const ConceptEntry& entry = concepts[byName.at(root).first];
        if (entry.uncarried == nullptr && root != *badRoot)
            addConcept(UncarriedCharacter, entry,
                std::string(writerules::kUncarried) + " (in the RXK value of root "
                    + quoted(*badRoot) + ", which its root class names)");
    }
}

// Cycles of parent links, as the strongly connected components of the
// graph from each concept to the first concept of each parent's name
// (found without recursion, so a deep hierarchy cannot exhaust the stack).
// One finding per cycle, on the member that comes first.
void Checker::checkCycles()
{
    const size_t count = concepts.size();
    const size_t none = static_cast<size_t>(-1);
    auto parentsOf = [this](size_t node) {
        return std::make_pair(parentLinks.begin() + static_cast<std::ptrdiff_t>(parentStarts[node]),
            parentLinks.begin() + static_cast<std::ptrdiff_t>(parentStarts[node + 1]));
    };
    std::vector<size_t> order(count, none);
    std::vector<size_t> low(count, 0);
    std::vector<bool> onStack(count, false);
    std::vector<size_t> stack;
    std::vector<std::pair<size_t, size_t>> path; // node, next edge
    size_t counter = 0;
    for (size_t start = 0; start < count; ++start) {
        if (order[start] != none)
            continue;
        path.push_back({ start, 0 });
        order[start] = low[start] = counter++;
        stack.push_back(start);
        onStack[start] = true;
        while (!path.empty()) {
            size_t node = path.back().first;
            size_t& edge = path.back().second;
            if (parentStarts[node] + edge < parentStarts[node + 1]) {
                size_t next = parentLinks[parentStarts[node] + edge++];
                if (order[next] == none) {
                    order[next] = low[next] = counter++;
                    stack.push_back(next);
                    onStack[next] = true;
                    path.push_back({ next, 0 });
                } else if (onStack[next]) {
                    low[node] = std::min(low[node], order[next]);
                }
                continue;
            }
            path.pop_back();
            if (!path.empty())
                low[path.back().first] = std::min(low[path.back().first], low[node]);
            if (low[node] != order[node])
                continue;
            std::vector<size_t> members;
            size_t member;
            do {
                member = stack.back();
                stack.pop_back();
                onStack[member] = false;
                members.push_back(member);
            } while (member != node);
            auto own = parentsOf(node);
            bool selfParent
                = members.size() == 1 && std::find(own.first, own.second, node) != own.second;
            if (members.size() < 2 && !selfParent)
                continue;
            std::sort(members.begin(), members.end());
            const ConceptEntry& first = concepts[members.front()];
            if (selfParent) {
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
}

} // namespace

const char* severityWord(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

const std::vector<FindingKind>& findingKinds()
{
    return kKinds;
}

const FindingKind* findingKind(const std::string& name)
{
    for (const FindingKind& kind : kKinds) {
        if (name == kind.name)
            return &kind;
    }
    return nullptr;
}

std::vector<Finding> checkTerminology(
    const QueltKb& kb, const SourceLines& lines, const std::vector<Message>& readerMessages)
{
    return Checker(kb, lines).run(readerMessages);
}

} // namespace maintenance
