#include "tools/gen/Faults.h"

#include "tools/gen/Vocabulary.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace gen {

namespace {

// Each fault by the name of its kind in the check, which is the only list
// of kinds: the names are looked up there.
const char* const kKindNames[kFaults] = {
    "missing-rxk",
    "shared-rxk",
    "unknown-parent",
    "unknown-role-target",
    "unknown-association-target",
    "undefined-role",
    "undefined-property",
    "undefined-association",
    "undefined-qualifier",
    "bad-element-name",
    "uncarried-character",
    "invalid-owl-name",
    "kind-with-several-roots",
    "parent-cycle",
    "duplicate-concept-name",
    "pick-list-value",
    "kind-without-root",
    "rootless-role-kind",
    "undefined-parent-role",
    "missing-role-code",
    "duplicate-definition-name",
};

// The check's kind of each fault.
const std::vector<const maintenance::FindingKind*>& resolvedKinds()
{
    static const std::vector<const maintenance::FindingKind*> kinds = [] {
        std::vector<const maintenance::FindingKind*> found;
        for (const char* name : kKindNames) {
            found.push_back(maintenance::findingKind(name));
            if (found.back() == nullptr)
                throw std::logic_error(
                    std::string("fault kind ") + name + " is not a kind of queltKbTool check");
        }
        return found;
    }();
    return kinds;
}

} // namespace

const char kBadPropertyName[] = "Lab Value";

const std::vector<const maintenance::FindingKind*>& faultKinds()
{
    return resolvedKinds();
}

bool isFaultKind(std::string_view name)
{
    return std::find(std::begin(kKindNames), std::end(kKindNames), name) != std::end(kKindNames);
}

bool FaultPlan::selected(const Options& options, Fault fault)
{
    const std::vector<std::string>& kinds = options.faultKinds;
    return options.faultRate > 0
        && (kinds.empty()
            || std::find(kinds.begin(), kinds.end(), kKindNames[fault]) != kinds.end());
}

FaultPlan::FaultPlan(const Options& options)
    : rate(options.faultRate)
    , numConcepts(options.concepts)
    , rng(mix(options.seed ^ 0x6661756C7473ull))
{
    for (std::uint32_t f = 0; f < kFaults; ++f) {
        enabledFaults[f] = selected(options, static_cast<Fault>(f));
        if (f < kConceptFaults && enabledFaults[f])
            conceptFaults.push_back(static_cast<Fault>(f));
    }
    if (!conceptFaults.empty())
        faulted.assign(numConcepts, false);
}

Fault FaultPlan::draw(std::uint64_t i)
{
    if (conceptFaults.empty() || i < kNumKinds)
        return kNoFault;
    double slot = rng.uniform() / rate;
    if (slot >= static_cast<double>(conceptFaults.size()))
        return kNoFault;
    return conceptFaults[static_cast<std::size_t>(slot)];
}

std::uint64_t FaultPlan::earlierWithoutFault(std::uint64_t i) const
{
    for (std::uint64_t j = i; j-- > kNumKinds;) {
        if (!faulted[j])
            return j;
    }
    return numConcepts;
}

void FaultPlan::note(Fault kind, const char* subject, std::string_view name)
{
    records.push_back(FaultRecord { resolvedKinds()[kind], subject, std::string(name) });
}

std::string problemWith(const Options& options)
{
    if (!(options.faultRate >= 0 && options.faultRate <= 1))
        return "--faults needs a rate between 0 and 1";
    if (!(options.changeRate >= 0 && options.changeRate <= 1))
        return "--changes needs a rate between 0 and 1";
    if (options.changeRate > 0 && options.faultRate > 0)
        return "--changes cannot be combined with --faults";
    for (const std::string& kind : options.faultKinds) {
        if (!isFaultKind(kind))
            return "unknown fault kind " + kind;
    }
    std::size_t enabled = 0;
    for (std::uint32_t f = 0; f < kConceptFaults; ++f)
        enabled += FaultPlan::selected(options, static_cast<Fault>(f)) ? 1 : 0;
    if (options.faultRate * static_cast<double>(enabled) > 1)
        return "--faults: the rate times the number of fault kinds exceeds 1";
    return "";
}

std::string logLine(const FaultRecord& record)
{
    std::string line(record.kind->name);
    line += '\t';
    line += record.subject;
    line += '\t';
    line += record.name;
    line += '\n';
    return line;
}

} // namespace gen
