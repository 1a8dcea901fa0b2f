#include "frontend/KbTool.h"

#include "maintenance/Check.h"
#include "maintenance/Compare.h"
#include "maintenance/Match.h"
#include "model/QueltKb.h"
#include "model/SourceLines.h"
#include "ontylog/OntylogReader.h"
#include "xmlout/XmlText.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

const char kProgram[] = "queltKbTool";

const char kOverview[] = "Usage: queltKbTool COMMAND ARGUMENT...\n"
                         "\n"
                         "Works on terminologies in Ontylog XML beside their conversion to OWL.\n"
                         "\n"
                         "Commands:\n"
                         "  roundtrip IN.xml OUT.xml [--renumber]\n"
                         "      read a terminology and write it back as Ontylog XML\n"
                         "  match KB.xml TERMS.txt [--stems]\n"
                         "      match a list of terms, one per line, against a terminology\n"
                         "  diff OLD.xml NEW.xml PREFIX\n"
                         "      compare two versions of a terminology by concept code\n"
                         "  check KB.xml [--format text|tsv|json]\n"
                         "      report every problem the conversion to OWL would meet\n"
                         "\n"
                         "\"queltKbTool COMMAND -h\" describes one command.\n"
                         "\n"
                         "Exit status: 0 done, 1 an input could not be read or an output not\n"
                         "written (check: or errors were found), 2 wrong usage.\n";

const char kRoundtripUsage[]
    = "Usage: queltKbTool roundtrip IN.xml OUT.xml [--renumber]\n"
      "\n"
      "Reads the terminology IN.xml and writes it back, definitions and\n"
      "concepts, as the Ontylog XML document OUT.xml (which may be IN.xml).\n"
      "\n"
      "  --renumber  give every definition and concept a fresh code and id:\n"
      "              one running number for the whole document, behind the\n"
      "              letter of its section (N namespaces, K kinds, R roles,\n"
      "              P properties, A associations, Q qualifiers, C concepts),\n"
      "              so the first namespace gets code N1 and id 1\n"
      "  -h, --help  show this text\n"
      "\n"
      "Not written back: the right identities of role definitions and the\n"
      "locales of property values. OUT.xml is replaced only once it is\n"
      "complete; after a failure it is left as it was.\n"
      "\n"
      "Exit status: 0 written, 1 IN.xml unreadable or broken, or OUT.xml not\n"
      "written, 2 wrong usage.\n";

// Before the verdicts, which come from the matcher's own table.
const char kMatchUsageStart[]
    = "Usage: queltKbTool match KB.xml TERMS.txt [--stems]\n"
      "\n"
      "Reads the terminology KB.xml and the term list TERMS.txt (one term per\n"
      "line; empty lines are skipped, a CR before a line end is dropped) and\n"
      "looks every term up among the concepts of the terminology: by the\n"
      "concept's name, exactly, and by its terms (its Preferred_Name and\n"
      "FULL_SYN values), ignoring the case of A-Z. With --stems the terms are\n"
      "compared by their sorted word stems instead, so \"aspirin tablets\"\n"
      "matches \"Tablet Aspirin\".\n"
      "\n"
      "  --stems     compare terms by their word stems\n"
      "  -h, --help  show this text\n"
      "\n"
      "Prints one line per term, in file order, with four fields separated by\n"
      "tabs: the term, the verdict number, the verdict word, and the matched\n"
      "concepts as NAME|CODE joined by \";\" (empty when none). The verdict\n"
      "also looks back from the matched concepts' terms to the term list:\n";

// After the verdicts.
const char kMatchUsageEnd[]
    = "In the fields a backslash, tab, LF, CR, \"|\" and \";\" are written as\n"
      "\\\\, \\t, \\n, \\r, \\| and \\;, other control characters as \\xNN.\n"
      "\n"
      "Exit status: 0 matched, 1 KB.xml or TERMS.txt unreadable or broken,\n"
      "2 wrong usage.\n";

const char kDiffUsage[]
    = "Usage: queltKbTool diff OLD.xml NEW.xml PREFIX\n"
      "\n"
      "Compares two versions of a terminology by concept code and writes two\n"
      "Ontylog XML documents, each holding the definitions of both versions\n"
      "(OLD.xml's where both define the same name):\n"
      "  PREFIX-shared.xml  every concept whose code both versions hold, the\n"
      "                     old one followed by the new one\n"
      "  PREFIX-unique.xml  the concept \"deleted_concepts\" (code C0), the\n"
      "                     concepts only OLD.xml holds, the concept\n"
      "                     \"new_concepts\" (code C00), the concepts only\n"
      "                     NEW.xml holds\n"
      "Then prints three lines, name and count separated by a tab: \"shared\",\n"
      "\"removed\" and \"added\" concepts.\n"
      "\n"
      "  -h, --help  show this text\n"
      "\n"
      "Exit status: 0 written, 1 an input unreadable or broken, or an output\n"
      "not written, 2 wrong usage.\n";

// Before the kinds of findings, which come from the check's own table.
const char kCheckUsageStart[]
    = "Usage: queltKbTool check KB.xml [--format text|tsv|json]\n"
      "\n"
      "Reads the terminology KB.xml once and reports every problem that its\n"
      "conversion to OWL would meet, in document order: errors, for which the\n"
      "converter refuses the terminology or writes a wrong ontology, and\n"
      "warnings, for which it prints an ERROR line or writes a weaker one.\n"
      "Each finding has a kind, a severity, the concept or definition it is\n"
      "about (name and code), the line of KB.xml where that starts, and an\n"
      "explanation.\n"
      "\n"
      "  --format text  one line per finding, then the count of each kind\n"
      "                 (the default)\n"
      "  --format tsv   a line naming the fields, then one line per finding\n"
      "                 with the fields line, severity, kind, subject, name,\n"
      "                 code and explanation separated by tabs\n"
      "  --format json  JSON Lines: one object per finding with the members\n"
      "                 line (null when not known), severity, kind, subject,\n"
      "                 name, code and explanation\n"
      "  -h, --help     show this text\n"
      "\n"
      "Kinds:\n";

// After the kinds.
const char kCheckUsageEnd[]
    = "\n"
      "In the text and tsv formats a backslash, tab, LF and CR in a field are\n"
      "written as \\\\, \\t, \\n and \\r, other control characters as \\xNN.\n"
      "\n"
      "Exit status: 0 no errors (warnings allowed), 1 errors found or KB.xml\n"
      "unreadable or broken, 2 wrong usage.\n";

// The check command's usage text, with every kind of finding.
std::string checkUsage()
{
    std::string usage = kCheckUsageStart;
    const size_t indent = 6;
    const size_t width = 76;
    for (const maintenance::FindingKind& kind : maintenance::findingKinds()) {
        usage += "  ";
        usage += kind.name;
        usage += " (";
        usage += maintenance::severityWord(kind.severity);
        usage += ")\n";
        // The meaning, wrapped at word boundaries.
        std::string line(indent, ' ');
        const std::string meaning = kind.meaning;
        size_t at = 0;
        while (at < meaning.size()) {
            size_t end = meaning.find(' ', at);
            if (end == std::string::npos)
                end = meaning.size();
            std::string word = meaning.substr(at, end - at);
            if (line.size() > indent && line.size() + 1 + word.size() > width) {
                usage += line + "\n";
                line.assign(indent, ' ');
            }
            if (line.size() > indent)
                line += ' ';
            line += word;
            at = end + 1;
        }
        usage += line + "\n";
    }
    return usage + kCheckUsageEnd;
}

// The match command's usage text, with the verdicts of the matcher.
std::string matchUsage()
{
    std::string usage = kMatchUsageStart;
    for (const maintenance::VerdictText& verdict : maintenance::verdictTexts()) {
        char lead[32];
        std::snprintf(
            lead, sizeof lead, "%4d  %-13s", static_cast<int>(verdict.verdict), verdict.word);
        for (const char* line : verdict.meaning) {
            usage += lead;
            usage += line;
            usage += '\n';
            std::snprintf(lead, sizeof lead, "%19s", "");
        }
    }
    return usage + kMatchUsageEnd;
}

// The tool's own messages, on standard error.
void message(const std::string& text)
{
    std::cerr << kProgram << ": " << text << std::endl;
}

int usageError(const std::string& usage, const std::string& text)
{
    message(text);
    std::cerr << usage;
    std::cerr.flush();
    return 2;
}

struct Arguments {
    std::vector<std::string> words;
    std::set<std::string> flags;
    std::map<std::string, std::string> values; // of the options that take one
    bool help = false;
    std::string error;
};

// Positional words, long flags and options with a value ("--name value"
// or "--name=value") after the command word. "-h" or "--help" anywhere
// asks for the usage text; "--" ends the flags.
Arguments parseArguments(int argc, char** argv, const std::set<std::string>& known,
    const std::set<std::string>& valued = {})
{
    Arguments args;
    bool flagsEnded = false;
    for (int i = 2; i < argc; ++i) {
        std::string word = argv[i];
        size_t equals = word.find('=');
        std::string option = word.substr(0, equals);
        if (!flagsEnded && word == "--") {
            flagsEnded = true;
        } else if (!flagsEnded && (word == "-h" || word == "--help")) {
            args.help = true;
        } else if (!flagsEnded && valued.count(option)) {
            if (equals != std::string::npos)
                args.values[option] = word.substr(equals + 1);
            else if (i + 1 < argc)
                args.values[option] = argv[++i];
            else if (args.error.empty())
                args.error = "option \"" + word + "\" needs a value";
        } else if (!flagsEnded && word.size() > 1 && word[0] == '-') {
            if (known.count(word))
                args.flags.insert(word);
            else if (args.error.empty())
                args.error = "unknown option \"" + word + "\"";
        } else {
            args.words.push_back(word);
        }
    }
    return args;
}

// Checks arguments against the command's expectations; returns -1 when
// the command should run, else the exit status to return.
int checkArguments(const Arguments& args, size_t wordCount, const std::string& usage)
{
    if (args.help) {
        std::cout << usage;
        std::cout.flush();
        return 0;
    }
    if (!args.error.empty())
        return usageError(usage, args.error);
    if (args.words.size() < wordCount)
        return usageError(usage, "missing arguments");
    if (args.words.size() > wordCount)
        return usageError(usage, "too many arguments (\"" + args.words[wordCount] + "\")");
    return -1;
}

// Says why the file cannot be read, when it cannot.
bool checkReadable(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        message("cannot read \"" + path + "\": " + std::strerror(errno));
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        message("cannot read \"" + path + "\": " + std::strerror(EISDIR));
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        message("cannot read \"" + path + "\": " + std::strerror(errno));
        return false;
    }
    std::fclose(file);
    return true;
}

bool readTerminology(QueltKb& kb, const std::string& path)
{
    if (!checkReadable(path))
        return false;
    bool complete = kb.readQueltXMLFile(path);
    if (!complete)
        message("cannot read \"" + path + "\": not a well-formed Ontylog XML document");
    return complete;
}

bool finishOutput()
{
    std::cout.flush();
    if (!std::cout) {
        message("cannot write to standard output");
        return false;
    }
    return true;
}

// Every knowledge base of the tool prints what the model and the reader
// say on standard output (duplicate concept names, parser errors) on
// standard error instead: they are diagnostics here, and standard output
// carries only the command's results.
class Tool {
public:
    explicit Tool(Console& console)
        : diagnostics(console, RoutedConsole::ToErr)
        , dropped(console, RoutedConsole::Drop)
    {
    }

    int roundtrip(int argc, char** argv);
    int match(int argc, char** argv);
    int diff(int argc, char** argv);
    int check(int argc, char** argv);

private:
    RoutedConsole diagnostics;
    RoutedConsole dropped; // for lines that are expected
};

int Tool::roundtrip(int argc, char** argv)
{
    Arguments args = parseArguments(argc, argv, { "--renumber" });
    int status = checkArguments(args, 2, kRoundtripUsage);
    if (status >= 0)
        return status;
    const std::string& in = args.words[0];
    const std::string& out = args.words[1];

    QueltKb kb(diagnostics);
    if (!readTerminology(kb, in))
        return 1;
    return kb.writeQueltXMLFile(out, args.flags.count("--renumber") != 0) ? 0 : 1;
}

// A field of an output line: a backslash, tab, LF and CR as \\, \t, \n
// and \r, each of the separators as a backslash and itself, other control
// characters as \xNN.
void appendField(std::string& line, const std::string& text, const char* separators = "")
{
    for (char c : text) {
        switch (c) {
        case '\\':
            line += "\\\\";
            break;
        case '\t':
            line += "\\t";
            break;
        case '\n':
            line += "\\n";
            break;
        case '\r':
            line += "\\r";
            break;
        default:
            if (c != '\0' && std::strchr(separators, c) != nullptr) {
                line += '\\';
                line += c;
            } else {
                xmltext::appendShown(line, c);
            }
        }
    }
}

int Tool::match(int argc, char** argv)
{
    const std::string usage = matchUsage();
    Arguments args = parseArguments(argc, argv, { "--stems" });
    int status = checkArguments(args, 2, usage);
    if (status >= 0)
        return status;
    const std::string& kbPath = args.words[0];
    const std::string& termsPath = args.words[1];
    const maintenance::MatchBy by = args.flags.count("--stems") != 0 ? maintenance::MatchBy::Stems
                                                                     : maintenance::MatchBy::Terms;

    if (!checkReadable(termsPath))
        return 1;
    QueltKb terminology(diagnostics);
    if (!readTerminology(terminology, kbPath))
        return 1;
    QueltKb terms(diagnostics);
    terms.readFlatFile(termsPath, "queltKbTool.terms", "queltKbTool.TermKind", "queltKbTool.term",
        "queltKbTool.TermList", "");

    std::string line;
    for (const auto& entry : terms.getConcepts()) {
        const std::string& term = entry.second.getName();
        std::set<long> matches;
        maintenance::MatchVerdict verdict
            = maintenance::matchConcept(terms, terminology, term, matches, by);
        line.clear();
        appendField(line, term, "|;");
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
            appendField(line, con.getName(), "|;");
            line += '|';
            appendField(line, con.getCode(), "|;");
        }
        line += '\n';
        std::cout << line;
    }
    return finishOutput() ? 0 : 1;
}

int Tool::diff(int argc, char** argv)
{
    Arguments args = parseArguments(argc, argv, {});
    int status = checkArguments(args, 3, kDiffUsage);
    if (status >= 0)
        return status;
    const std::string& oldPath = args.words[0];
    const std::string& newPath = args.words[1];
    const std::string& prefix = args.words[2];
    if (prefix.empty())
        return usageError(kDiffUsage, "PREFIX is empty");

    QueltKb oldKb(diagnostics);
    if (!readTerminology(oldKb, oldPath))
        return 1;
    QueltKb newKb(diagnostics);
    if (!readTerminology(newKb, newPath))
        return 1;
    maintenance::DiffCounts counts = maintenance::countDifferences(oldKb, newKb);

    // Every shared concept that kept its name is reported as a duplicate
    // name in the shared result; that is the point of it.
    QueltKb sharedKb(dropped);
    QueltKb uniqueKb(diagnostics);
    maintenance::pairSharedConcepts(oldKb, newKb, sharedKb);
    maintenance::collectUniqueConcepts(oldKb, newKb, uniqueKb);
    // The comparisons copy the old version's definitions; the new version
    // may define more, which its concepts use.
    maintenance::copyDefinitions(newKb, sharedKb);
    maintenance::copyDefinitions(newKb, uniqueKb);
    if (!sharedKb.writeQueltXMLFile(prefix + "-shared.xml", false))
        return 1;
    if (!uniqueKb.writeQueltXMLFile(prefix + "-unique.xml", false))
        return 1;

    std::cout << "shared\t" << counts.shared << "\nremoved\t" << counts.removed << "\nadded\t"
              << counts.added << '\n';
    return finishOutput() ? 0 : 1;
}

// The finding's subject as the text format names it: "concept 'Name'
// (CODE)".
std::string subjectText(const maintenance::Finding& finding)
{
    std::string text = finding.subject;
    if (finding.name.empty() && finding.code.empty())
        return text;
    text += " '";
    appendField(text, finding.name);
    text += '\'';
    if (!finding.code.empty()) {
        text += " (";
        appendField(text, finding.code);
        text += ')';
    }
    return text;
}

void printText(const std::string& path, const std::vector<maintenance::Finding>& findings)
{
    std::string line;
    // Count of each kind, in the order of the kinds.
    std::map<const maintenance::FindingKind*, size_t> counts;
    size_t errors = 0;
    for (const maintenance::Finding& finding : findings) {
        line.clear();
        appendField(line, path);
        line += ':';
        if (finding.line != 0) {
            line += std::to_string(finding.line);
            line += ':';
        }
        line += ' ';
        line += maintenance::severityWord(finding.kind->severity);
        line += ": ";
        line += finding.kind->name;
        line += ": ";
        line += subjectText(finding);
        line += ": ";
        appendField(line, finding.explanation);
        line += '\n';
        std::cout << line;
        ++counts[finding.kind];
        if (finding.kind->severity == maintenance::Severity::Error)
            ++errors;
    }
    if (!findings.empty())
        std::cout << "\nSummary:\n";
    for (const maintenance::FindingKind& kind : maintenance::findingKinds()) {
        auto count = counts.find(&kind);
        if (count == counts.end())
            continue;
        char row[96];
        std::snprintf(row, sizeof row, "%8zu  %-8s %s\n", count->second,
            maintenance::severityWord(kind.severity), kind.name);
        std::cout << row;
    }
    size_t warnings = findings.size() - errors;
    std::cout << errors << (errors == 1 ? " error, " : " errors, ") << warnings
              << (warnings == 1 ? " warning\n" : " warnings\n");
}

void printTsv(const std::vector<maintenance::Finding>& findings)
{
    std::string line = "line\tseverity\tkind\tsubject\tname\tcode\texplanation\n";
    std::cout << line;
    for (const maintenance::Finding& finding : findings) {
        line.clear();
        if (finding.line != 0)
            line += std::to_string(finding.line);
        line += '\t';
        line += maintenance::severityWord(finding.kind->severity);
        line += '\t';
        line += finding.kind->name;
        line += '\t';
        line += finding.subject;
        line += '\t';
        appendField(line, finding.name);
        line += '\t';
        appendField(line, finding.code);
        line += '\t';
        appendField(line, finding.explanation);
        line += '\n';
        std::cout << line;
    }
}

void printJson(const std::vector<maintenance::Finding>& findings)
{
    for (const maintenance::Finding& finding : findings) {
        nlohmann::ordered_json object;
        if (finding.line != 0)
            object["line"] = finding.line;
        else
            object["line"] = nullptr;
        object["severity"] = maintenance::severityWord(finding.kind->severity);
        object["kind"] = finding.kind->name;
        object["subject"] = finding.subject;
        object["name"] = finding.name;
        object["code"] = finding.code;
        object["explanation"] = finding.explanation;
        // Texts read from a document are UTF-8; should one not be, its
        // faulty bytes become U+FFFD rather than ending the output.
        std::cout << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    }
}

int Tool::check(int argc, char** argv)
{
    const std::string usage = checkUsage();
    Arguments args = parseArguments(argc, argv, {}, { "--format" });
    int status = checkArguments(args, 1, usage);
    if (status >= 0)
        return status;
    std::string format = "text";
    if (args.values.count("--format"))
        format = args.values["--format"];
    if (format != "text" && format != "tsv" && format != "json")
        return usageError(usage, "unknown format \"" + format + "\"");
    const std::string& path = args.words[0];

    // The reader's messages are findings here: gathered, not printed.
    GatheringConsole gathering(diagnostics);
    QueltKb kb(gathering);
    if (!checkReadable(path))
        return 1;
    SourceLines lines;
    gathering.gather(true);
    bool complete = ontylog::readFile(kb, path, &lines);
    gathering.gather(false);

    std::vector<maintenance::Finding> findings;
    if (complete) {
        findings = maintenance::checkTerminology(kb, lines, gathering.messages());
    } else {
        // The parser stopped: what was read before it is no terminology to
        // judge, so its error is the one finding.
        findings.push_back(maintenance::Finding { maintenance::findingKind("not-well-formed"),
            "document", "", "", lines.fatalErrorLine, lines.fatalError });
        message("cannot read \"" + path + "\": not a well-formed Ontylog XML document");
    }

    if (format == "text")
        printText(path, findings);
    else if (format == "tsv")
        printTsv(findings);
    else
        printJson(findings);
    bool errors = !complete;
    for (const maintenance::Finding& finding : findings)
        errors = errors || finding.kind->severity == maintenance::Severity::Error;
    return finishOutput() && !errors ? 0 : 1;
}

} // namespace

int runKbTool(int argc, char** argv, Console& console)
{
    if (argc < 2) {
        std::cerr << kOverview;
        std::cerr.flush();
        return 2;
    }
    std::string command = argv[1];
    if (command == "-h" || command == "--help" || command == "help") {
        std::cout << kOverview;
        std::cout.flush();
        return 0;
    }
    Tool tool(console);
    if (command == "roundtrip")
        return tool.roundtrip(argc, argv);
    if (command == "match")
        return tool.match(argc, argv);
    if (command == "diff")
        return tool.diff(argc, argv);
    if (command == "check")
        return tool.check(argc, argv);
    return usageError(kOverview, "unknown command \"" + command + "\"");
}
