#include "frontend/VersionPair.h"

#include "frontend/KbToolCommands.h"

#include <exception>
#include <thread>

namespace kbtool {

namespace {

const char kReading[] = "Reading: ";

std::string_view withoutLead(std::string_view text)
{
    const std::string_view lead = kReading;
    return text.substr(0, lead.size()) == lead ? text.substr(lead.size()) : text;
}

struct Outcome {
    Read read = Read::Unreadable;
    std::exception_ptr error;
};

Outcome readOne(QueltKb& kb, const std::string& path, Console& console)
{
    Outcome outcome;
    try {
        outcome.read = readTerminology(kb, path, nullptr, &console);
    } catch (...) {
        outcome.error = std::current_exception();
    }
    return outcome;
}

} // namespace

void VersionPair::Progress::show(int side, std::string_view text)
{
    std::lock_guard<std::mutex> hold(lock);
    // A read that ends erases its line: its last state stays shown until
    // the other ends too.
    if (text.empty())
        done[side] = true;
    else
        texts[side] = withoutLead(text);
    if (done[0] && done[1]) {
        target.progress("");
        return;
    }
    std::string line = kReading;
    for (const std::string& part : texts) {
        if (part.empty())
            continue;
        if (line.size() > sizeof kReading - 1)
            line += ", ";
        line += part;
    }
    target.progress(line);
}

void VersionPair::HeldConsole::line(Stream stream, std::string_view text)
{
    if (holding)
        held.emplace_back(stream, std::string(text));
    else
        target.line(stream, text);
}

void VersionPair::HeldConsole::release()
{
    for (const auto& entry : held)
        target.line(entry.first, entry.second);
    held.clear();
    holding = false;
}

VersionPair::VersionPair(Console& givenTarget)
    : progress(givenTarget)
    , consoles { HeldConsole(givenTarget, progress, 0), HeldConsole(givenTarget, progress, 1) }
    , kbs { QueltKb(consoles[0]), QueltKb(consoles[1]) }
{
}

bool VersionPair::read(const std::string& olderPath, const std::string& newerPath)
{
    Outcome outcomes[2];
    std::thread other([&] { outcomes[1] = readOne(kbs[1], newerPath, consoles[1]); });
    outcomes[0] = readOne(kbs[0], olderPath, consoles[0]);
    other.join();
    for (int side : { 0, 1 }) {
        consoles[side].release();
        if (outcomes[side].error)
            std::rethrow_exception(outcomes[side].error);
        if (outcomes[side].read != Read::Complete)
            return false;
    }
    return true;
}

} // namespace kbtool
