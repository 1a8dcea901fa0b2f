// The check against the OWL writer, both ways, on generated terminologies
// with faults put in: every fault is a finding of its kind about its
// subject; with no error found the conversion succeeds and refers to "#"
// nowhere; a unit the conversion refuses is a finding of a refused kind
// about it, whose explanation starts with the writer's reason. Of each kind
// alone, a refused kind makes the conversion refuse and another error shows
// in its output. Kinds, severities and refusals are the check's own.

#include "frontend/Converter.h"
#include "maintenance/Check.h"
#include "ontylog/OntylogReader.h"
#include "owl/OwlWriter.h"
#include "tests/support/TestSupport.h"
#include "tools/gen/Generate.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

using namespace quelttest;
using maintenance::Finding;

namespace {

// What one terminology gave: the faults put in, those the check missed,
// whether an error was found, and the OWL output (empty when refused).
struct Outcome {
    std::vector<gen::FaultRecord> faults;
    std::vector<gen::FaultRecord> missed;
    bool errors = false;
    bool converted = false;
    std::string owl;
};

// Whether the check reports the unit the writer refused, for its reason.
bool foretold(const Message& refusal, const std::vector<Finding>& findings)
{
    for (const Finding& finding : findings) {
        if (finding.kind->refused && finding.subject == refusal.subject
            && finding.name == refusal.name
            && finding.explanation.compare(0, refusal.reason.size(), refusal.reason) == 0)
            return true;
    }
    return false;
}

bool refersToNothing(const std::string& owl)
{
    return owl.find("rdf:about=\"#\"") != std::string::npos
        || owl.find("rdf:resource=\"#\"") != std::string::npos;
}

// Whether the output shows an error the converter let through: a
// reference to "#", a property declared without a name, or two concepts
// written as classes of one name (a root class's own lines, which repeat
// its name, do not count).
bool damaged(const std::string& owl)
{
    static const std::string start = "<owl:Class rdf:about=\"", end = "\">\n<rdfs:label>";
    std::set<std::string> classes;
    for (size_t at = owl.find(start); at != std::string::npos; at = owl.find(start, at + 1)) {
        size_t close = owl.find(end, at);
        if (close != std::string::npos && owl.find('\n', at) == close + 2
            && !classes.insert(owl.substr(at, close - at)).second)
            return true;
    }
    return refersToNothing(owl) || owl.find("rdf:ID=\"\"") != std::string::npos;
}

Outcome run(const std::string& label, std::uint64_t concepts, std::uint64_t seed, double rate,
    const std::vector<std::string>& kinds)
{
    SCOPED_TRACE(label);
    clearAllErrorWords();
    Outcome outcome;
    std::string document;
    outcome.faults = gen::generate({ concepts, seed, rate, kinds }, document);

    BufferConsole quiet;
    GatheringConsole console(quiet);
    console.gather(true);
    QueltKb kb(console);
    SourceLines starts;
    EXPECT_TRUE(ontylog::readMemory(kb, document.data(), document.size(), "terms.xml", &starts));
    std::vector<Finding> findings = maintenance::checkTerminology(kb, starts, console.messages());
    for (const gen::FaultRecord& fault : outcome.faults) {
        if (std::none_of(findings.begin(), findings.end(), [&](const Finding& finding) {
                return finding.kind == fault.kind && finding.name == fault.name
                    && std::strcmp(finding.subject, fault.subject) == 0;
            }))
            outcome.missed.push_back(fault);
    }
    for (size_t i = 0; i < outcome.missed.size() && i < 5; ++i)
        ADD_FAILURE() << "fault not reported: " << gen::logLine(outcome.missed[i]);
    for (const Finding& finding : findings)
        outcome.errors = outcome.errors || finding.kind->severity == maintenance::Severity::Error;

    ScratchDir dir;
    const size_t before = console.messages().size();
    outcome.converted = owl::writeOwlFile(kb, dir.file("terms.owl"),
        buildHeaderLines(kDefaultNamespace, kDefaultVersion), kDefaultNamespace,
        owl::defaultWriteOptions());
    // A failed conversion's reason is the last message.
    const Message* last = console.messages().size() > before ? &console.messages().back() : nullptr;
    if (outcome.converted) {
        outcome.owl = readAll(dir.file("terms.owl"));
    } else if (last == nullptr || last->kind != Message::Kind::Refusal) {
        ADD_FAILURE() << "the conversion failed otherwise: " << (last ? messageLine(*last) : "");
    } else {
        EXPECT_TRUE(foretold(*last, findings))
            << "the check does not report the refusal: " << messageLine(*last);
    }
    if (!outcome.errors) {
        EXPECT_TRUE(outcome.converted) << "no error found, yet the conversion failed";
        EXPECT_FALSE(refersToNothing(outcome.owl)) << "no error found, yet the output has \"#\"";
    }
    return outcome;
}

// Every kind at once: how many faults of each kind were found and missed.
TEST(Consistency, EveryKindAtOnce)
{
    Outcome all = run("all", 4000, 11, 0.004, {});
    EXPECT_FALSE(all.converted) << "the converter did not refuse the terminology";
    std::map<std::string, int> injected, missed;
    for (const gen::FaultRecord& fault : all.faults)
        ++injected[fault.kind->name];
    for (const gen::FaultRecord& fault : all.missed)
        ++missed[fault.kind->name];
    std::printf("%-28s %8s %6s %6s\n", "kind", "injected", "found", "missed");
    for (const auto& [kind, count] : injected)
        std::printf("%-28s %8d %6d %6d\n", kind.c_str(), count, count - missed[kind], missed[kind]);
}

TEST(Consistency, EachKindAlone)
{
    const std::vector<const maintenance::FindingKind*>& kinds = gen::faultKinds();
    for (size_t number = 0; number < kinds.size(); ++number) {
        const maintenance::FindingKind& kind = *kinds[number];
        Outcome alone = run(kind.name, 1500, 100 + number, 0.01, { kind.name });
        EXPECT_FALSE(alone.faults.empty()) << "the generator put in no fault";
        if (kind.refused) {
            EXPECT_FALSE(alone.converted) << "the converter did not refuse the terminology";
        } else if (kind.severity == maintenance::Severity::Error) {
            EXPECT_TRUE(alone.converted && damaged(alone.owl)) << "the error does not show";
        }
    }
}

// The warnings together: no error, and the conversion is sound.
TEST(Consistency, WarningsTogether)
{
    std::vector<std::string> warnings;
    for (const maintenance::FindingKind* kind : gen::faultKinds()) {
        if (kind->severity == maintenance::Severity::Warning)
            warnings.push_back(kind->name);
    }
    EXPECT_FALSE(run("warnings", 2000, 5, 0.01, warnings).errors);
}

} // namespace
