#include "ontylog/OntylogBuilder.h"

#include "model/QueltKb.h"

#include <iostream>
#include <utility>

using ontylog::Batch;
using ontylog::Step;
using ontylog::StepKind;

void OntylogBuilder::apply(const Batch& batch)
{
    for (const Step& step : batch.steps)
        applyStep(batch, step);
}

const std::string& OntylogBuilder::scratch(int slot, const Batch& batch, const ontylog::Text& text)
{
    std::string& out = scratchText[slot];
    out.assign(batch.text, text.offset, text.length);
    return out;
}

std::vector<std::string> OntylogBuilder::list(const Batch& batch, const Step& step) const
{
    std::vector<std::string> items;
    items.reserve(step.listEnd - step.listBegin);
    for (std::size_t i = step.listBegin; i < step.listEnd; ++i)
        items.push_back(batch.string(batch.items[i]));
    return items;
}

void OntylogBuilder::applyStep(const Batch& batch, const Step& step)
{
    auto text = [&](int i) { return batch.string(step.text[i]); };
    switch (step.kind) {
    case StepKind::Namespace:
        kb.addNamespace(QueltName(text(0), step.number, text(1)));
        break;
    case StepKind::Kind:
        kb.addKind(QueltKind(text(0), step.number, text(1), text(2), step.flag));
        break;
    case StepKind::RoleDef:
        kb.addRoleDef(QueltRoleDef(
            text(0), text(1), step.number, text(2), text(3), text(4), text(5), text(6)));
        break;
    case StepKind::PropertyDef: {
        QueltPropertyDef def(
            text(0), text(1), step.number, text(3), step.flag, step.flag2, text(2));
        def.setPickList(list(batch, step));
        kb.addPropertyDef(def);
        break;
    }
    case StepKind::AssociationDef:
        kb.addAssociationDef(
            QueltAssociationDef(text(0), text(1), step.number, text(3), step.flag, text(2)));
        break;
    case StepKind::QualifierDef:
        kb.addQualifierDef(
            QueltQualifierDef(text(0), text(1), step.number, text(2), text(3), list(batch, step)));
        break;
    case StepKind::ConceptStart:
        roles.clear();
        properties.clear();
        associations.clear();
        qualifiers.clear();
        break;
    case StepKind::Role:
        roles.emplace_back(
            scratch(0, batch, step.text[0]), text(1), scratch(1, batch, step.text[2]), step.number);
        break;
    case StepKind::Qualifier:
        qualifiers.emplace_back(scratch(0, batch, step.text[0]), text(1));
        break;
    case StepKind::Property: {
        QueltProperty property(scratch(0, batch, step.text[0]), text(1), text(2));
        if (!qualifiers.empty())
            property.setQualifier(std::move(qualifiers));
        properties.push_back(std::move(property));
        qualifiers.clear();
        break;
    }
    case StepKind::Association:
        associations.emplace_back(scratch(0, batch, step.text[0]), text(1), std::move(qualifiers));
        qualifiers.clear();
        break;
    case StepKind::Concept:
        buildConcept(batch, step);
        break;
    case StepKind::FatalError:
        fatalError = true;
        std::cout << "Fatal Error: " << batch.view(step.text[0]) << " at line: " << step.line
                  << std::endl;
        break;
    }
}

void OntylogBuilder::buildConcept(const Batch& batch, const Step& step)
{
    QueltConcept concept(batch.string(step.text[0]), batch.string(step.text[1]), step.number,
        scratch(0, batch, step.text[2]), scratch(1, batch, step.text[3]), step.flag);
    for (std::size_t i = step.listBegin; i < step.listEnd; ++i)
    concept.addParent(batch.string(batch.items[i]));
    if (step.flag2) {
        // No enclosing concept element is open, so nothing reads the lists
        // again before the next concept empties them: hand them over.
        concept.addRoles(std::move(roles));
        concept.addProperties(std::move(properties));
        concept.addAssociations(std::move(associations));
        roles.clear();
        properties.clear();
        associations.clear();
    } else {
        concept.addRoles(roles);
        concept.addProperties(properties);
        concept.addAssociations(associations);
    }
    kb.addConcept(std::move(concept));
}
