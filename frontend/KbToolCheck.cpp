// The check command of queltKbTool: the findings of a terminology as a
// report, and the list of the kinds of findings.

#include "frontend/KbToolCommands.h"

#include "maintenance/Check.h"
#include "model/QueltKb.h"
#include "model/SourceLines.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kbtool {

namespace {

using report::fieldOf;

// The text format: a line per finding, "FILE:LINE: SEVERITY: KIND:
// SUBJECT: EXPLANATION" (no LINE when it is not known), then the count of
// each kind, and of errors and warnings.
class CheckText : public report::Format {
public:
    explicit CheckText(std::string givenPath)
        : path(std::move(givenPath))
    {
    }

    void record(const report::Record& finding, report::Output& out) override;
    void end(report::Output& out) override;

private:
    std::string path;
    std::map<std::string, std::size_t> counts; // by kind
    std::size_t findings = 0;
    std::size_t errors = 0;
};

// The finding's subject as the text format names it: "concept 'Name'
// (CODE)".
std::string subjectText(const report::Record& finding)
{
    std::string text = fieldOf(finding, "subject").text;
    const std::string& name = fieldOf(finding, "name").text;
    const std::string& code = fieldOf(finding, "code").text;
    if (name.empty() && code.empty())
        return text;
    text += " '";
    report::appendField(text, name);
    text += '\'';
    if (!code.empty()) {
        text += " (";
        report::appendField(text, code);
        text += ')';
    }
    return text;
}

void CheckText::record(const report::Record& finding, report::Output& out)
{
    const std::string& severity = fieldOf(finding, "severity").text;
    const std::string& kind = fieldOf(finding, "kind").text;
    std::string line;
    report::appendField(line, path);
    line += ':';
    if (fieldOf(finding, "line").type == report::Value::Type::Number) {
        line += std::to_string(fieldOf(finding, "line").number);
        line += ':';
    }
    line += ' ' + severity + ": " + kind + ": " + subjectText(finding) + ": ";
    report::appendField(line, fieldOf(finding, "explanation").text);
    out.write(line + '\n');
    ++counts[kind];
    ++findings;
    if (severity == maintenance::severityWord(maintenance::Severity::Error))
        ++errors;
}

void CheckText::end(report::Output& out)
{
    if (findings != 0)
        out.write("\nSummary:\n");
    // In the order of the kinds.
    for (const maintenance::FindingKind& kind : maintenance::findingKinds()) {
        const auto count = counts.find(kind.name);
        if (count == counts.end())
            continue;
        char row[96];
        std::snprintf(row, sizeof row, "%8zu  %-8s %s\n", count->second,
            maintenance::severityWord(kind.severity), kind.name);
        out.write(row);
    }
    const std::size_t warnings = findings - errors;
    out.write(std::to_string(errors) + (errors == 1 ? " error, " : " errors, ")
        + std::to_string(warnings) + (warnings == 1 ? " warning\n" : " warnings\n"));
}

std::vector<report::FormatChoice> checkFormats(const std::string& path)
{
    return {
        { "text", [path] { return std::make_unique<CheckText>(path); } },
        { "tsv",
            [] {
                return std::make_unique<report::Tsv>(std::vector<std::string> {
                    "line", "severity", "kind", "subject", "name", "code", "explanation" });
            } },
        { "json", [] { return std::make_unique<report::JsonLines>(); } },
    };
}

report::Record recordOf(const maintenance::Finding& finding)
{
    return { { "line", finding.line != 0 ? report::Value(finding.line) : report::Value() },
        { "severity", maintenance::severityWord(finding.kind->severity) },
        { "kind", finding.kind->name }, { "subject", finding.subject }, { "name", finding.name },
        { "code", finding.code }, { "explanation", finding.explanation } };
}

// Reads the terminology and judges it. What the reader says while it
// reads is gathered, not printed: those lines are findings here. A
// document the parser gave up on is no terminology to judge: the parser's
// error is the one finding.
Read readFindings(
    const std::string& path, Console& diagnostics, std::vector<maintenance::Finding>& findings)
{
    GatheringConsole gathering(diagnostics);
    QueltKb kb(gathering);
    SourceLines lines;
    gathering.gather(true);
    const Read read = readTerminology(kb, path, &lines);
    gathering.gather(false);
    if (read == Read::Complete) {
        findings = maintenance::checkTerminology(kb, lines, gathering.messages());
    } else if (read == Read::Broken) {
        findings.push_back(maintenance::Finding { maintenance::findingKind("not-well-formed"),
            "document", "", "", lines.fatalErrorLine, lines.fatalError });
    }
    return read;
}

// Every kind of finding, a line each: name, severity and meaning.
int listKinds()
{
    report::Output out;
    for (const maintenance::FindingKind& kind : maintenance::findingKinds()) {
        std::string line;
        report::appendField(line, kind.name);
        line += '\t';
        line += maintenance::severityWord(kind.severity);
        line += '\t';
        report::appendField(line, kind.meaning);
        out.write(line + '\n');
    }
    return finishOutput(out) ? 0 : 1;
}

} // namespace

int runCheck(const ToolArguments& args, ToolConsoles& consoles)
{
    if (args.flag("--kinds"))
        return listKinds();
    const std::string path = args.word(0);
    std::vector<maintenance::Finding> findings;
    const Read read = readFindings(path, consoles.diagnostics, findings);
    if (read == Read::Unreadable)
        return 1;

    report::Output out;
    report::Writer writer(out, report::chooseFormat(checkFormats(path), args.value("--format")));
    bool errors = read == Read::Broken;
    for (const maintenance::Finding& finding : findings) {
        writer.add(recordOf(finding));
        errors = errors || finding.kind->severity == maintenance::Severity::Error;
    }
    writer.end();
    return finishOutput(out) && !errors ? 0 : 1;
}

} // namespace kbtool
