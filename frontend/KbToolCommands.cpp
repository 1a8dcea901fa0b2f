// The commands roundtrip, match and diff of queltKbTool.

#include "frontend/KbToolCommands.h"

#include "maintenance/Compare.h"
#include "maintenance/Match.h"
#include "model/QueltKb.h"

#include <set>
#include <string>

namespace kbtool {

int runRoundtrip(const ToolArguments& args, ToolConsoles& consoles)
{
    QueltKb kb(consoles.diagnostics);
    if (readTerminology(kb, args.word(0)) != Read::Complete)
        return 1;
    return kb.writeQueltXMLFile(args.word(1), args.flag("--renumber")) ? 0 : 1;
}

namespace {

// A line of the match: the term, the verdict's number and word, and the
// matched concepts as NAME|CODE joined by ";".
std::string matchLine(const std::string& term, maintenance::MatchVerdict verdict,
    const std::set<long>& matches, const QueltKb& terminology)
{
    std::string line;
    report::appendField(line, term, "|;");
    line += '\t';
    line += std::to_string(static_cast<int>(verdict));
    line += '\t';
    line += maintenance::verdictWord(verdict);
    line += '\t';
    bool first = true;
    for (long id : matches) {
        const QueltConcept& con = terminology.getConcept(id);
        if (!first)
            line += ';';
        first = false;
        report::appendField(line, con.getName(), "|;");
        line += '|';
        report::appendField(line, con.getCode(), "|;");
    }
    line += '\n';
    return line;
}

} // namespace

int runMatch(const ToolArguments& args, ToolConsoles& consoles)
{
    const std::string kbPath = args.word(0);
    const std::string termsPath = args.word(1);
    const maintenance::MatchBy by
        = args.flag("--stems") ? maintenance::MatchBy::Stems : maintenance::MatchBy::Terms;

    if (!checkReadable(termsPath))
        return 1;
    QueltKb terminology(consoles.diagnostics);
    if (readTerminology(terminology, kbPath) != Read::Complete)
        return 1;
    QueltKb terms(consoles.diagnostics);
    terms.readFlatFile(termsPath, "queltKbTool.terms", "queltKbTool.TermKind", "queltKbTool.term",
        "queltKbTool.TermList", "");

    report::Output out;
    for (const auto& entry : terms.getConcepts()) {
        const std::string& term = entry.second.getName();
        std::set<long> matches;
        const maintenance::MatchVerdict verdict
            = maintenance::matchConcept(terms, terminology, term, matches, by);
        out.write(matchLine(term, verdict, matches, terminology));
    }
    return finishOutput(out) ? 0 : 1;
}

int runDiff(const ToolArguments& args, ToolConsoles& consoles)
{
    const std::string prefix = args.word(2);
    // One after the other: the definitions of both versions go to the
    // results in the order of their numbers in the process-wide registries,
    // which is the order they were read in.
    QueltKb oldKb(consoles.diagnostics);
    if (readTerminology(oldKb, args.word(0)) != Read::Complete)
        return 1;
    QueltKb newKb(consoles.diagnostics);
    if (readTerminology(newKb, args.word(1)) != Read::Complete)
        return 1;
    // Every shared concept that kept its name is reported as a duplicate
    // name in the shared result; that is the point of it.
    QueltKb sharedKb(consoles.dropped);
    QueltKb uniqueKb(consoles.diagnostics);
    const maintenance::DiffCounts counts
        = maintenance::splitVersions(oldKb, newKb, sharedKb, uniqueKb);
    if (!sharedKb.writeQueltXMLFile(prefix + "-shared.xml", false))
        return 1;
    if (!uniqueKb.writeQueltXMLFile(prefix + "-unique.xml", false))
        return 1;

    report::Output out;
    out.write("shared\t" + std::to_string(counts.shared) + "\nremoved\t"
        + std::to_string(counts.removed) + "\nadded\t" + std::to_string(counts.added) + '\n');
    return finishOutput(out) ? 0 : 1;
}

} // namespace kbtool
