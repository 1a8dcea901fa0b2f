// The definitions, kinds and root classes.

#include "maintenance/Checker.h"

#include "xmlout/WriteRules.h"
#include "xmlout/XmlText.h"

namespace maintenance {

namespace {

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

} // namespace

void Checker::checkDefinitions()
{
    checkDefinitionNames();
    checkRoleDefinitions();
    checkAnnotationDefinitions<true>(kb.getPropertyDefs(), SourceLines::Definition::Property);
    checkAnnotationDefinitions<true>(kb.getQualifierDefs(), SourceLines::Definition::Qualifier);
    checkAnnotationDefinitions<false>(
        kb.getAssociationDefs(), SourceLines::Definition::Association);
    checkKinds();
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
        const std::string_view code = naming.roleCode(name);
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
            if (!naming.definesRole(def.getParentRole()))
                report(UndefinedParentRole,
                    "parent role " + quoted(def.getParentRole())
                        + " has no definition: its super-property is written as \"#\"");
            else
                texts.push_back(naming.roleCode(def.getParentRole()));
        } else {
            const std::pair<const char*, const std::string*> ends[]
                = { { "domain", &def.getDomain() }, { "range", &def.getRange() } };
            for (const auto& end : ends) {
                const std::string* root = naming.rootOfKind(*end.second);
                if (root == nullptr)
                    report(RootlessRoleKind,
                        std::string(end.first) + " kind " + quoted(*end.second)
                            + " has no root concept: the " + end.first + " is written as \"#\"");
                else
                    texts.push_back(naming.conceptCode(*root));
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
    for (const OwlNaming::Root& root : naming.roots())
        rootsOfKind[root.kind].push_back(*root.name);
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
                    + "; domains and ranges of this kind name "
                    + quoted(*naming.rootOfKind(kind.getName())));
    }
    for (const OwlNaming::Root& root : naming.roots()) {
        const std::string& kind = root.kind;
        if (declared.count(kind) == 0)
            addConcept(RootOfUndeclaredKind, conceptOf(root.id),
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
    for (const OwlNaming::Root& root : naming.roots()) {
        std::string_view code = naming.conceptCode(*root.name);
        if (!xmltext::carryable(code.data(), code.size())) {
            badRoot = root.name;
            break;
        }
    }
    if (badRoot == nullptr)
        return;
    for (const OwlNaming::Root& root : naming.roots()) {
        const ConceptEntry& entry = conceptOf(root.id);
        if (entry.uncarried.what == nullptr && root.name != badRoot)
            addConcept(UncarriedCharacter, entry,
                std::string(writerules::kUncarried) + " (in the RXK value of root "
                    + quoted(*badRoot) + ", which its root class names)");
    }
}

} // namespace maintenance
