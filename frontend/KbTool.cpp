#include "frontend/KbTool.h"

#include "frontend/KbToolCommands.h"
#include "frontend/KbToolUsage.h"
#include "model/QueltKb.h"
#include "ontylog/OntylogReader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace kbtool {

namespace {

struct Command {
    const char* name;
    CommandSyntax syntax;
    std::string (*usage)();
    int (*run)(const ToolArguments& args, ToolConsoles& consoles);
};

// What each command takes.
const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        { "roundtrip", { { { "IN.xml" }, { "OUT.xml" } }, { "--renumber" } }, roundtripUsage,
            runRoundtrip },
        { "match", { { { "KB.xml" }, { "TERMS.txt" } }, { "--stems" } }, matchUsage, runMatch },
        { "diff", { { { "OLD.xml" }, { "NEW.xml" }, { "PREFIX", false } } }, diffUsage, runDiff },
        { "changes",
            { { { "OLD.xml" }, { "NEW.xml" } }, { "--ignore-ids" },
                { { "--format", "text", { "text", "tsv", "json", "html" } }, { "-o", "", {} } } },
            changesUsage, runChanges },
        { "check",
            { { { "KB.xml" } }, { "--kinds" },
                { { "--format", "text", { "text", "tsv", "json" } } }, "--kinds" },
            checkUsage, runCheck },
    };
    return table;
}

} // namespace

std::string whyUnreadable(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return "cannot read \"" + path + "\": " + std::strerror(errno);
    if (S_ISDIR(info.st_mode))
        return "cannot read \"" + path + "\": " + std::strerror(EISDIR);
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return "cannot read \"" + path + "\": " + std::strerror(errno);
    std::fclose(file);
    return std::string();
}

bool checkReadable(const std::string& path)
{
    const std::string why = whyUnreadable(path);
    if (!why.empty())
        message(why);
    return why.empty();
}

Read readTerminology(QueltKb& kb, const std::string& path, SourceLines* lines, Console* messages)
{
    auto say = [&](const std::string& text) {
        if (messages != nullptr)
            messages->err(messageLine(text));
        else
            message(text);
    };
    if (const std::string why = whyUnreadable(path); !why.empty()) {
        say(why);
        return Read::Unreadable;
    }
    if (ontylog::readFile(kb, path, lines))
        return Read::Complete;
    say("cannot read \"" + path + "\": not a well-formed Ontylog XML document");
    return Read::Broken;
}

bool finishOutput(report::Output& out)
{
    if (out.finish())
        return true;
    message(out.failure());
    return false;
}

} // namespace kbtool

int runKbTool(int argc, char** argv, Console& console)
{
    using namespace kbtool;
    if (argc < 2) {
        std::cerr << overviewUsage();
        std::cerr.flush();
        return 2;
    }
    const std::string command = argv[1];
    if (command == "-h" || command == "--help" || command == "help") {
        showUsage(overviewUsage());
        return 0;
    }
    for (const Command& entry : commands()) {
        if (command != entry.name)
            continue;
        const ToolArguments args(argc, argv, entry.syntax);
        const Verdict verdict = args.judge(entry.usage());
        if (verdict != Verdict::Run)
            return statusOf(verdict);
        ToolConsoles consoles(console);
        return entry.run(args, consoles);
    }
    showWrongUsage(overviewUsage(), "unknown command \"" + command + "\"");
    return 2;
}
