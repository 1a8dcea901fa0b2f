#include "xmlout/Progress.h"

#include <cstdio>

namespace {
const auto kInterval = std::chrono::milliseconds(200);
}

ProgressLine::ProgressLine(
    Console& givenConsole, std::string givenWhat, std::string givenUnit, std::uint64_t givenTotal)
    : console(givenConsole)
    , what(std::move(givenWhat))
    , unit(std::move(givenUnit))
    , total(givenTotal)
    , active(givenConsole.showsProgress())
    , next(std::chrono::steady_clock::now() + kInterval)
{
}

ProgressLine::~ProgressLine()
{
    finish();
}

void ProgressLine::update(std::uint64_t done)
{
    if (!active)
        return;
    auto now = std::chrono::steady_clock::now();
    if (now < next)
        return;
    next = now + kInterval;
    draw(done);
}

void ProgressLine::draw(std::uint64_t done)
{
    const bool bytes = unit == "MB";
    const double scale = bytes ? 1e-6 : 1.0;
    const int decimals = bytes ? 1 : 0;
    char line[160];
    if (total > 0) {
        unsigned percent = static_cast<unsigned>(done >= total ? 100 : done * 100 / total);
        std::snprintf(line, sizeof line, "%s: %.*f of %.*f %s (%u%%)", what.c_str(), decimals,
            done * scale, decimals, total * scale, unit.c_str(), percent);
    } else {
        std::snprintf(
            line, sizeof line, "%s: %.*f %s", what.c_str(), decimals, done * scale, unit.c_str());
    }
    console.progress(line);
    drawn = true;
}

void ProgressLine::finish()
{
    if (active && drawn)
        console.progress("");
    drawn = false;
    active = false;
}
