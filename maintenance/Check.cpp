// The terminology check: what the OWL writer would refuse, write wrongly or
// complain of, found in one pass over a knowledge base without writing it.
//
// The writer names things as OwlNaming (xmlout/OwlNaming.h) says: a
// concept by the value of its "RXK" property (the last one a concept of
// that name gives), a role by its definition's code and the domain and
// range of a role by the root concept of the kind; a reference that finds
// nothing is written as "#". It refuses a definition or a concept whose
// text holds a character XML cannot carry, and a concept with a property,
// association or qualifier name that cannot be an element name. The check
// reads the same naming and asks the same rules (xmlout/WriteRules.h,
// xmlout/XmlText.h), so that each such case is a finding; it reports all
// of them, where the writer stops at the first.

#include "maintenance/Checker.h"

#include "model/Message.h"

#include <algorithm>

namespace maintenance {

std::string quoted(std::string_view text)
{
    return "'" + shownText(text) + "'";
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

std::vector<Finding> Checker::run(const std::vector<Message>& readerMessages)
{
    gatherReaderMessages(readerMessages);
    phase = Concepts;
    readConcepts();
    phase = Definitions;
    checkDefinitions();
    phase = Concepts;
    for (const ConceptEntry& entry : concepts)
        checkReferences(entry);
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

std::vector<Finding> checkTerminology(
    const QueltKb& kb, const SourceLines& lines, const std::vector<Message>& readerMessages)
{
    return Checker(kb, lines).run(readerMessages);
}

} // namespace maintenance
