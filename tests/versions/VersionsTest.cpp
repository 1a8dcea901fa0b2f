// Two versions of a generated terminology, the newer with changes of every
// kind the generator makes and logs, read and compared in one process:
// every change it logs is found, and nothing else.

#include "maintenance/Changes.h"
#include "ontylog/OntylogReader.h"
#include "tests/support/ChangeText.h"
#include "tests/support/TestSupport.h"
#include "tools/gen/Generate.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace quelttest;
using namespace maintenance;

// Every change of the records as a line that names the concept, or the
// definition, and says all of the change, by kind.
using Lines = std::map<ChangeKind, std::multiset<std::string>>;

Lines lines(const std::vector<DefinitionChanges>& definitions,
    const std::vector<ConceptChanges>& concepts, const std::vector<DuplicateCode>& duplicates)
{
    Lines all;
    for (const DefinitionChanges& record : definitions) {
        std::string line = std::string(definitionTypeName(record.type)) + " " + record.name;
        for (const FieldChange& field : record.fields)
            line += " " + field.field + " '" + field.before + "' > '" + field.after + "'";
        all[record.kind].insert(line);
    }
    for (const ConceptChanges& record : concepts) {
        for (const ConceptChange& change : record.changes)
            all[change.kind].insert(record.code + " '" + record.oldName + "' '" + record.newName
                + "' " + std::visit(ChangeText { true, false }, change.detail));
    }
    for (const DuplicateCode& duplicate : duplicates) {
        std::string line
            = std::to_string(static_cast<int>(duplicate.version)) + " " + duplicate.code;
        for (const std::string& name : duplicate.names)
            line += " " + name;
        all[ChangeKind::DuplicateCode].insert(line);
    }
    return all;
}

// What each rearrangement alters in what a version keeps of its concept:
// the order of its properties, its roles' groups, or the concept that
// follows it.
std::vector<std::string> arrangements(
    const QueltKb& kb, const std::vector<gen::Rearrangement>& changes)
{
    const auto& concepts = kb.getConcepts();
    std::map<std::string, decltype(concepts.begin())> byCode;
    for (auto it = concepts.begin(); it != concepts.end(); ++it)
        byCode.emplace(it->second.getCode(), it);
    std::vector<std::string> texts;
    for (const gen::Rearrangement& change : changes) {
        const std::string how = change.how;
        auto it = byCode.at(change.code);
        std::string text;
        if (how == "moved") {
            text = std::next(it) == concepts.end() ? "last" : std::next(it)->second.getCode();
        } else if (how == "reordered") {
            for (const auto& entry : it->second.getProperties())
                text += entry.second.getName() + "=" + entry.second.getValue() + "\n";
        } else {
            for (const auto& entry : it->second.getRoles())
                text += entry.second.getName() + " " + entry.second.getValue() + " "
                    + std::to_string(entry.second.getRolegroup()) + "\n";
        }
        texts.push_back(text);
    }
    return texts;
}

class VersionsTest : public KbTest {
protected:
    std::unique_ptr<QueltKb> read(const std::string& document)
    {
        auto kb = quietKb();
        stdoutOf([&] {
            EXPECT_TRUE(ontylog::readMemory(*kb, document.data(), document.size(), "version"));
        });
        return kb;
    }
};

TEST_F(VersionsTest, EveryChangeMadeIsFoundAndNothingElse)
{
    gen::Options options;
    options.concepts = 4000;
    options.seed = 21;
    std::string olderText, newerText;
    gen::generate(options, olderText);
    options.changeRate = 0.4;
    options.changeSeed = 5;
    gen::ChangeLog made;
    gen::generate(options, newerText, &made);
    auto older = read(olderText);
    auto newer = read(newerText);
    const ChangeReport report = compareVersions(*older, *newer);

    Lines expected = lines(made.definitions, made.concepts, made.duplicateCodes);
    std::vector<std::string> unexpectedLines;
    const Lines reported = lines(report.definitions, report.concepts, report.duplicateCodes);
    std::printf("%-22s %9s %6s %7s %11s\n", "kind", "injected", "found", "missed", "unexpected");
    for (std::size_t k = 0; k < kChangeKindCount; ++k) {
        const ChangeKind kind = static_cast<ChangeKind>(k);
        const std::size_t injected = expected[kind].size();
        std::size_t found = 0, unexpected = 0;
        if (reported.count(kind)) {
            for (const std::string& line : reported.at(kind)) {
                auto match = expected[kind].find(line);
                if (match == expected[kind].end()) {
                    ++unexpected;
                    unexpectedLines.push_back(line);
                    ADD_FAILURE() << "unexpected " << changeKindName(kind) << ": " << line;
                } else {
                    ++found;
                    expected[kind].erase(match);
                }
            }
        }
        for (const std::string& line : expected[kind])
            ADD_FAILURE() << "missed " << changeKindName(kind) << ": " << line;
        std::printf("%-22s %9zu %6zu %7zu %11zu\n", changeKindName(kind), injected, found,
            injected - found, unexpected);
        EXPECT_GE(injected, kind >= ChangeKind::DefinitionAdded ? 1u : 5u) << changeKindName(kind);
    }

    // Rearranged concepts are kept otherwise, and show only the changes
    // logged for them.
    std::map<std::string, std::size_t> rearranged, unexpectedOfThem;
    const std::vector<std::string> before = arrangements(*older, made.rearrangements);
    const std::vector<std::string> after = arrangements(*newer, made.rearrangements);
    for (std::size_t c = 0; c < made.rearrangements.size(); ++c) {
        const gen::Rearrangement& change = made.rearrangements[c];
        ++rearranged[change.how];
        EXPECT_NE(before[c], after[c]) << change.code << " " << change.how;
        unexpectedOfThem[change.how]
            += std::count_if(unexpectedLines.begin(), unexpectedLines.end(),
                [&](const std::string& line) { return line.rfind(change.code + " ", 0) == 0; });
    }
    for (const char* how : { "reordered", "regrouped", "moved" }) {
        std::printf(
            "%-22s %9zu %6s %7s %11zu\n", how, rearranged[how], "-", "-", unexpectedOfThem[how]);
        EXPECT_GE(rearranged[how], 5u) << how;
    }
}

TEST_F(VersionsTest, AVersionAgainstItselfChangesNothing)
{
    gen::Options options;
    options.concepts = 2000;
    options.seed = 4;
    std::string document;
    gen::generate(options, document);
    auto once = read(document);
    auto again = read(document);
    const ChangeReport report = compareVersions(*once, *again);
    EXPECT_TRUE(report.definitions.empty());
    EXPECT_TRUE(report.concepts.empty());
    EXPECT_TRUE(report.duplicateCodes.empty());
}

} // namespace
