// gen_ontylog: writes a synthetic Ontylog XML terminology for load tests
// (tools/gen/Generate.h says what it holds).
//
//   gen_ontylog --concepts N --seed S [--out FILE]
//               [--faults RATE [--fault-kinds K1,K2,...] [--fault-log FILE]]
//               [--changes RATE [--change-seed T] [--change-log FILE]]
//
// With --faults the document also holds faults of the kinds that
// "queltKbTool check" reports, and the fault log lists each fault put in as
// the check should report it: kind, subject and name, separated by tabs.
// With --changes it is a newer version of the document of N and S: about
// RATE of its concepts changed, drawn by the change seed (T, else S), and
// the change log lists each change as the comparison of the two versions
// reports it (what, kind and detail, separated by tabs). Without either the
// output is exactly what it was before faults and changes existed.
//
// Exit status: 0 success, 1 the output could not be written (or the
// generator knows a kind of fault the check does not), 2 wrong usage.

#include "tools/gen/Generate.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

#include <sys/stat.h>

namespace {

const char kUsage[] = "usage: gen_ontylog --concepts N --seed S [--out FILE]\n"
                      "                   [--faults RATE [--fault-kinds K1,K2,...] "
                      "[--fault-log FILE]]\n"
                      "                   [--changes RATE [--change-seed T] "
                      "[--change-log FILE]]\n";

bool parseNumber(const char* text, std::uint64_t& value)
{
    if (*text < '0' || *text > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long parsed = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    value = parsed;
    return true;
}

int usage(const std::string& problem)
{
    std::fprintf(stderr, "gen_ontylog: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

struct Arguments {
    gen::Options options;
    const char* outName = nullptr;
    const char* logName = nullptr;
    const char* changeLogName = nullptr;
};

// A rate between 0 and 1.
bool parseRate(const char* text, double& rate)
{
    char* end = nullptr;
    rate = std::strtod(text, &end);
    return *text != '\0' && *end == '\0' && rate >= 0 && rate <= 1;
}

// The kinds of a comma-separated list; false, with the first unknown kind,
// when there is one.
bool parseKinds(std::string_view list, std::vector<std::string>& kinds, std::string& unknown)
{
    while (!list.empty()) {
        size_t comma = std::min(list.find(','), list.size());
        std::string kind(list.substr(0, comma));
        if (!gen::isFaultKind(kind)) {
            unknown = kind;
            return false;
        }
        kinds.push_back(kind);
        list.remove_prefix(std::min(comma + 1, list.size()));
    }
    return true;
}

// Reads the arguments into args; returns the exit status when the run ends
// here (usage shown, or wrong usage), -1 when it goes on.
int parseArguments(int argc, char** argv, Arguments& args)
{
    gen::Options& options = args.options;
    bool haveConcepts = false, haveSeed = false, haveChangeSeed = false;
    for (int a = 1; a < argc; ++a) {
        std::string_view arg = argv[a];
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a + 1 >= argc)
            return usage("missing value or unknown option");
        const char* value = argv[++a];
        std::string unknown;
        if (arg == "--concepts") {
            if (!parseNumber(value, options.concepts))
                return usage("--concepts needs a non-negative integer");
            haveConcepts = true;
        } else if (arg == "--seed") {
            if (!parseNumber(value, options.seed))
                return usage("--seed needs a non-negative integer");
            haveSeed = true;
        } else if (arg == "--out") {
            args.outName = value;
        } else if (arg == "--faults") {
            if (!parseRate(value, options.faultRate))
                return usage("--faults needs a rate between 0 and 1");
        } else if (arg == "--fault-kinds") {
            if (!parseKinds(value, options.faultKinds, unknown))
                return usage("unknown fault kind " + unknown);
        } else if (arg == "--fault-log") {
            args.logName = value;
        } else if (arg == "--changes") {
            if (!parseRate(value, options.changeRate))
                return usage("--changes needs a rate between 0 and 1");
        } else if (arg == "--change-seed") {
            if (!parseNumber(value, options.changeSeed))
                return usage("--change-seed needs a non-negative integer");
            haveChangeSeed = true;
        } else if (arg == "--change-log") {
            args.changeLogName = value;
        } else {
            return usage("unknown option");
        }
    }
    if (!haveConcepts || !haveSeed)
        return usage("--concepts and --seed are required");
    if (!haveChangeSeed)
        options.changeSeed = options.seed;
    const std::string problem = gen::problemWith(options);
    return problem.empty() ? -1 : usage(problem);
}

class FileSink : public gen::Sink {
public:
    explicit FileSink(FILE* givenFile)
        : file(givenFile)
    {
    }
    void write(const char* data, std::size_t size) override
    {
        if (!error && std::fwrite(data, 1, size, file) != size)
            error = true;
    }
    bool failed() const { return error; }

private:
    FILE* file;
    bool error = false;
};

FILE* openFile(const char* name, const char* mode)
{
    FILE* file = std::fopen(name, mode);
    if (!file)
        std::fprintf(stderr, "gen_ontylog: cannot open %s: %s\n", name, std::strerror(errno));
    return file;
}

// Whether the file is a regular one: a document that could not be written
// whole is removed, but a device such as /dev/full is left alone.
bool isRegular(FILE* file)
{
    struct stat status;
    return fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode);
}

// Writes the text into the log, if there is one, and closes it; false,
// with a message, when it cannot be written.
bool closeLog(FILE* log, const char* name, const std::string& text)
{
    if (!log)
        return true;
    const bool written = std::fputs(text.c_str(), log) >= 0;
    if (std::fclose(log) != 0 || !written) {
        std::fprintf(stderr, "gen_ontylog: cannot write %s\n", name);
        return false;
    }
    return true;
}

// Generates into the output and the logs the arguments name; returns the
// exit status.
int generateFiles(const Arguments& args)
{
    FILE* file = args.outName ? openFile(args.outName, "wb") : stdout;
    if (!file)
        return 1;
    const char* removable = args.outName && isRegular(file) ? args.outName : nullptr;
    FILE* log = args.logName ? openFile(args.logName, "w") : nullptr;
    FILE* changeLog = args.changeLogName && (log || !args.logName)
        ? openFile(args.changeLogName, "w")
        : nullptr;
    if ((args.logName && !log) || (args.changeLogName && !changeLog)) {
        if (log)
            std::fclose(log);
        if (args.outName)
            std::fclose(file);
        if (removable)
            std::remove(removable);
        return 1;
    }
    FileSink sink(file);
    gen::ChangeLog changes;
    std::string faultLines;
    for (const gen::FaultRecord& record : gen::generate(args.options, sink, &changes))
        faultLines += gen::logLine(record);
    bool ok = !sink.failed();
    ok = closeLog(log, args.logName, faultLines) && ok;
    ok = closeLog(changeLog, args.changeLogName, gen::logLines(changes)) && ok;
    ok = (args.outName ? std::fclose(file) == 0 : std::fflush(file) == 0) && ok;
    if (!ok) {
        std::fprintf(stderr, "gen_ontylog: cannot write %s\n",
            args.outName ? args.outName : "standard output");
        if (removable)
            std::remove(removable);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        gen::faultKinds();
    } catch (const std::logic_error& error) {
        std::fprintf(stderr, "gen_ontylog: %s\n", error.what());
        return 1;
    }
    Arguments args;
    const int status = parseArguments(argc, argv, args);
    return status >= 0 ? status : generateFiles(args);
}
