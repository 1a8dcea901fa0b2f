// The usage texts of queltKbTool: the overview and one per command.

#include "frontend/KbToolUsage.h"

#include "maintenance/Check.h"
#include "maintenance/Match.h"

#include <cstdio>

namespace kbtool {

namespace {

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
                         "  changes OLD.xml NEW.xml [--format text|tsv|json|html] [-o FILE]\n"
                         "          [--ignore-ids]\n"
                         "      report what changed from one version to the next\n"
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

const char kChangesUsage[]
    = "Usage: queltKbTool changes OLD.xml NEW.xml [--format text|tsv|json|html]\n"
      "                           [-o FILE] [--ignore-ids]\n"
      "\n"
      "Reads the two versions of a terminology (both at once) and reports\n"
      "what changed from OLD.xml to NEW.xml. Concepts are paired by code,\n"
      "definitions by name. A parent, role target or association target is\n"
      "compared by the code of the concept it names in its own version, so a\n"
      "renamed concept is one change of that concept alone; a text that names\n"
      "no concept is compared as text. Roles compare as the set of ungrouped\n"
      "roles and the set of role groups, whatever their numbers; the order of\n"
      "parents, roles, properties, associations and concepts is no change.\n"
      "\n"
      "The kinds of change of a concept:\n"
      "  added, removed                         only in NEW.xml, only in OLD.xml\n"
      "  renamed, id-changed, namespace-changed, kind-changed,\n"
      "  defined-changed                        a field, before and after\n"
      "  parent-added, parent-removed           the parent's code and name\n"
      "  role-added, role-removed               role, modifier, target, group\n"
      "  property-added, property-removed       name, value, locale, qualifiers\n"
      "  property-changed                       a value whose locale or\n"
      "                                         qualifiers changed, or the one\n"
      "                                         value of its name: before, after\n"
      "  association-added, association-removed name, target, qualifiers\n"
      "and of a definition (namespace, kind, role, property, association,\n"
      "qualifier): definition-added, definition-removed, definition-changed,\n"
      "with the fields that differ. A code that a version gives to several\n"
      "concepts is reported as duplicate-code, and those concepts are not\n"
      "compared. Locales of property values and right identities of role\n"
      "definitions are compared only when both versions hold some (the\n"
      "roundtrip command writes neither); the report says when they are not.\n"
      "\n"
      "  --format text  the count of each kind of change, then the changes\n"
      "                 grouped by kind, a line each (the default)\n"
      "  --format tsv   a line naming the columns, then a line per change\n"
      "                 (per field of a definition, per concept of a\n"
      "                 duplicate code)\n"
      "  --format json  JSON Lines: an object per concept that differs\n"
      "                 (code, old_name, new_name, branch, changes), per\n"
      "                 definition (definition, name, changes), per duplicate\n"
      "                 code (duplicate_code, version, names), and last\n"
      "                 {\"summary\": {KIND: COUNT, ...}}\n"
      "  --format html  one page for a browser, with nothing to fetch: the\n"
      "                 counts, charts per kind and per top-level branch, and\n"
      "                 the tables of new, removed, renamed, moved and\n"
      "                 changed concepts with a filter\n"
      "  -o FILE        write the report to FILE (replaced only once it is\n"
      "                 complete) instead of standard output\n"
      "  --ignore-ids   no id-changed, and definitions' ids not compared\n"
      "  -h, --help     show this text\n"
      "\n"
      "Exit status: 0 compared (whether anything changed or not), 1 an input\n"
      "unreadable or broken, or the report not written, 2 wrong usage.\n";

// Before the kinds of findings, which come from the check's own table.
const char kCheckUsageStart[]
    = "Usage: queltKbTool check KB.xml [--format text|tsv|json]\n"
      "       queltKbTool check --kinds\n"
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
      "  --kinds        instead of checking, list every kind of finding, one\n"
      "                 line each: its name, severity and meaning separated\n"
      "                 by tabs\n"
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

} // namespace

std::string overviewUsage()
{
    return kOverview;
}

std::string roundtripUsage()
{
    return kRoundtripUsage;
}

std::string diffUsage()
{
    return kDiffUsage;
}

std::string changesUsage()
{
    return kChangesUsage;
}

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

} // namespace kbtool
