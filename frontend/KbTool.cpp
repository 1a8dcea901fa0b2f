#include "frontend/KbTool.h"

#include "model/QueltKb.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
                         "\n"
                         "\"queltKbTool COMMAND -h\" describes one command.\n"
                         "\n"
                         "Exit status: 0 done, 1 an input could not be read or an output not\n"
                         "written, 2 wrong usage.\n";

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

const char kMatchUsage[]
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
      "also looks back from the matched concepts' terms to the term list:\n"
      "   0  one-to-one   one concept matches, and its terms lead back to\n"
      "                   one term of the list\n"
      "  -1  one-to-many  several concepts match, and their terms lead back to\n"
      "                   one term of the list\n"
      "   1  many-to-one  one concept matches, and its terms lead back to\n"
      "                   several terms of the list\n"
      "   4  partial      concepts match, but not as above (for example one\n"
      "                   found by its name alone)\n"
      "   5  none         no concept matches\n"
      "In the fields a backslash, tab, LF, CR, \"|\" and \";\" are written as\n"
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

// Messages that the knowledge base and the reader print on standard output
// (duplicate concept names, parser errors) are diagnostics here: while one
// of these is alive they go to standard error, or nowhere when they are
// expected, so that standard output carries only the command's results.
class ModelOutputRedirect {
public:
    enum Target { toStderr, toNowhere };

    explicit ModelOutputRedirect(Target target)
    {
        std::cout.flush();
        std::fflush(stdout);
        int into = target == toStderr ? STDERR_FILENO : open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (into < 0)
            return;
        saved_ = dup(STDOUT_FILENO);
        if (saved_ >= 0 && dup2(into, STDOUT_FILENO) < 0) {
            close(saved_);
            saved_ = -1;
        }
        if (into != STDERR_FILENO)
            close(into);
    }
    ~ModelOutputRedirect()
    {
        std::cout.flush();
        std::fflush(stdout);
        if (saved_ >= 0) {
            dup2(saved_, STDOUT_FILENO);
            close(saved_);
        }
    }
    ModelOutputRedirect(const ModelOutputRedirect&) = delete;
    ModelOutputRedirect& operator=(const ModelOutputRedirect&) = delete;

private:
    int saved_ = -1;
};

void message(const std::string& text)
{
    std::cerr << kProgram << ": " << text << std::endl;
}

int usageError(const char* usage, const std::string& text)
{
    message(text);
    std::cerr << usage;
    std::cerr.flush();
    return 2;
}

struct Arguments {
    std::vector<std::string> words;
    std::set<std::string> flags;
    bool help = false;
    std::string error;
};

// Positional words and long flags after the command word. "-h" or
// "--help" anywhere asks for the usage text; "--" ends the flags.
Arguments parseArguments(int argc, char** argv, const std::set<std::string>& known)
{
    Arguments args;
    bool flagsEnded = false;
    for (int i = 2; i < argc; ++i) {
        std::string word = argv[i];
        if (!flagsEnded && word == "--") {
            flagsEnded = true;
        } else if (!flagsEnded && (word == "-h" || word == "--help")) {
            args.help = true;
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
int checkArguments(const Arguments& args, size_t wordCount, const char* usage)
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
    bool complete;
    {
        ModelOutputRedirect diagnostics(ModelOutputRedirect::toStderr);
        complete = kb.readQueltXMLFile(path);
    }
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

int roundtrip(int argc, char** argv)
{
    Arguments args = parseArguments(argc, argv, { "--renumber" });
    int status = checkArguments(args, 2, kRoundtripUsage);
    if (status >= 0)
        return status;
    const std::string& in = args.words[0];
    const std::string& out = args.words[1];

    QueltKb kb;
    if (!readTerminology(kb, in))
        return 1;
    return kb.writeQueltXMLFile(out, args.flags.count("--renumber") != 0) ? 0 : 1;
}

// A field of a match line, with the separators of the line escaped.
void appendField(std::string& line, const std::string& text)
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
        case '|':
            line += "\\|";
            break;
        case ';':
            line += "\\;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(c & 0xFF));
                line += hex;
            } else {
                line += c;
            }
        }
    }
}

const char* verdictWord(int verdict)
{
    switch (verdict) {
    case 0:
        return "one-to-one";
    case -1:
        return "one-to-many";
    case 1:
        return "many-to-one";
    case 4:
        return "partial";
    case 5:
        return "none";
    default:
        return "unknown";
    }
}

int match(int argc, char** argv)
{
    Arguments args = parseArguments(argc, argv, { "--stems" });
    int status = checkArguments(args, 2, kMatchUsage);
    if (status >= 0)
        return status;
    const std::string& kbPath = args.words[0];
    const std::string& termsPath = args.words[1];
    bool stems = args.flags.count("--stems") != 0;

    if (!checkReadable(termsPath))
        return 1;
    QueltKb terminology;
    if (!readTerminology(terminology, kbPath))
        return 1;
    QueltKb terms;
    {
        ModelOutputRedirect diagnostics(ModelOutputRedirect::toStderr);
        terms.readFlatFile(termsPath, "queltKbTool.terms", "queltKbTool.TermKind",
            "queltKbTool.term", "queltKbTool.TermList", "");
    }

    std::string line;
    for (const auto& entry : terms.getConcepts()) {
        const std::string& term = entry.second.getName();
        std::set<long> matches;
        int verdict = stems ? terms.alphaStemMatchKB(terminology, term, matches)
                            : terms.simpleMatchKB(terminology, term, matches);
        line.clear();
        appendField(line, term);
        line += '\t';
        line += std::to_string(verdict);
        line += '\t';
        line += verdictWord(verdict);
        line += '\t';
        bool first = true;
        for (long id : matches) {
            const QueltConcept& concept = terminology.getConcept(id);
            if (!first)
                line += ';';
            first = false;
            appendField(line, concept.getName());
            line += '|';
            appendField(line, concept.getCode());
        }
        line += '\n';
        std::cout << line;
    }
    return finishOutput() ? 0 : 1;
}

int diff(int argc, char** argv)
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

    QueltKb oldKb;
    if (!readTerminology(oldKb, oldPath))
        return 1;
    QueltKb newKb;
    if (!readTerminology(newKb, newPath))
        return 1;

    long shared = 0;
    long removed = 0;
    for (const auto& entry : oldKb.getConcepts()) {
        if (newKb.getIDFromCode(entry.second.getCode()) == -1)
            ++removed;
        else
            ++shared;
    }
    long added = 0;
    for (const auto& entry : newKb.getConcepts()) {
        if (oldKb.getIDFromCode(entry.second.getCode()) == -1)
            ++added;
    }

    QueltKb sharedKb;
    QueltKb uniqueKb;
    {
        // Every shared concept that kept its name is reported as a duplicate
        // name in the shared result; that is the point of it.
        ModelOutputRedirect expected(ModelOutputRedirect::toNowhere);
        oldKb.diff_Concepts(newKb, sharedKb);
    }
    {
        ModelOutputRedirect diagnostics(ModelOutputRedirect::toStderr);
        oldKb.unique_Concepts(newKb, uniqueKb);
    }
    // The comparisons copy the old version's definitions; the new version
    // may define more, which its concepts use.
    newKb.copyDefsTo(sharedKb);
    newKb.copyDefsTo(uniqueKb);
    if (!sharedKb.writeQueltXMLFile(prefix + "-shared.xml", false))
        return 1;
    if (!uniqueKb.writeQueltXMLFile(prefix + "-unique.xml", false))
        return 1;

    std::cout << "shared\t" << shared << "\nremoved\t" << removed << "\nadded\t" << added << '\n';
    return finishOutput() ? 0 : 1;
}

} // namespace

int runKbTool(int argc, char** argv)
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
    if (command == "roundtrip")
        return roundtrip(argc, argv);
    if (command == "match")
        return match(argc, argv);
    if (command == "diff")
        return diff(argc, argv);
    return usageError(kOverview, "unknown command \"" + command + "\"");
}
