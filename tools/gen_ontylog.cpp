// gen_ontylog: writes a synthetic Ontylog XML terminology for load tests
// (tools/gen/Generate.h says what it holds).
//
//   gen_ontylog --concepts N --seed S [--out FILE]
//               [--faults RATE [--fault-kinds K1,K2,...] [--fault-log FILE]]
//
// With --faults the document also holds faults of the kinds that
// "queltKbTool check" reports, and the fault log lists each fault put in as
// the check should report it: kind, subject and name, separated by tabs.
// Without it the output is exactly what it was before faults existed.
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
                      "[--fault-log FILE]]\n";

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
};

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
    bool haveConcepts = false, haveSeed = false;
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
            char* end = nullptr;
            options.faultRate = std::strtod(value, &end);
            if (*value == '\0' || *end != '\0'
                || !(options.faultRate >= 0 && options.faultRate <= 1))
                return usage("--faults needs a rate between 0 and 1");
        } else if (arg == "--fault-kinds") {
            if (!parseKinds(value, options.faultKinds, unknown))
                return usage("unknown fault kind " + unknown);
        } else if (arg == "--fault-log") {
            args.logName = value;
        } else {
            return usage("unknown option");
        }
    }
    if (!haveConcepts || !haveSeed)
        return usage("--concepts and --seed are required");
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

// Generates into the output and the fault log the arguments name; returns
// the exit status.
int generateFiles(const Arguments& args)
{
    FILE* file = args.outName ? openFile(args.outName, "wb") : stdout;
    if (!file)
        return 1;
    const char* removable = args.outName && isRegular(file) ? args.outName : nullptr;
    FILE* log = args.logName ? openFile(args.logName, "w") : nullptr;
    if (args.logName && !log) {
        if (args.outName)
            std::fclose(file);
        if (removable)
            std::remove(removable);
        return 1;
    }
    FileSink sink(file);
    const std::vector<gen::FaultRecord> records = gen::generate(args.options, sink);
    bool ok = !sink.failed();
    if (log) {
        for (const gen::FaultRecord& record : records)
            std::fputs(gen::logLine(record).c_str(), log);
        if (std::fclose(log) != 0) {
            std::fprintf(stderr, "gen_ontylog: cannot write %s\n", args.logName);
            ok = false;
        }
    }
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
