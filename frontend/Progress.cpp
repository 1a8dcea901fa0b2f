#include "frontend/Progress.h"

#include <cstdio>
#include <unistd.h>

namespace {
const auto kInterval = std::chrono::milliseconds(200);
}

bool ProgressLine::enabled()
{
    static const bool terminal = isatty(STDERR_FILENO) == 1;
    return terminal;
}

ProgressLine::ProgressLine(std::string what, std::string unit, std::uint64_t total)
    : what_(std::move(what))
    , unit_(std::move(unit))
    , total_(total)
    , active_(enabled())
    , next_(std::chrono::steady_clock::now() + kInterval)
{
}

ProgressLine::~ProgressLine()
{
    finish();
}

void ProgressLine::update(std::uint64_t done)
{
    if (!active_)
        return;
    auto now = std::chrono::steady_clock::now();
    if (now < next_)
        return;
    next_ = now + kInterval;
    draw(done);
}

void ProgressLine::draw(std::uint64_t done)
{
    const bool bytes = unit_ == "MB";
    const double scale = bytes ? 1e-6 : 1.0;
    char line[160];
    if (total_ > 0) {
        unsigned percent = static_cast<unsigned>(done >= total_ ? 100 : done * 100 / total_);
        std::snprintf(line, sizeof line, "\r%s: %.*f of %.*f %s (%u%%)\x1b[K", what_.c_str(),
            bytes ? 1 : 0, done * scale, bytes ? 1 : 0, total_ * scale, unit_.c_str(), percent);
    } else {
        std::snprintf(line, sizeof line, "\r%s: %.*f %s\x1b[K", what_.c_str(), bytes ? 1 : 0,
            done * scale, unit_.c_str());
    }
    std::fputs(line, stderr);
    std::fflush(stderr);
    drawn_ = true;
}

void ProgressLine::finish()
{
    if (active_ && drawn_) {
        std::fputs("\r\x1b[K", stderr);
        std::fflush(stderr);
    }
    drawn_ = false;
    active_ = false;
}
