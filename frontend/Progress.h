#ifndef QUELT_FRONTEND_PROGRESS_H
#define QUELT_FRONTEND_PROGRESS_H

#include <chrono>
#include <cstdint>
#include <string>

// One self-erasing progress line on standard error, shown only when
// standard error is a terminal; otherwise every call does nothing. The line
// is redrawn at most a few times a second, so update() may be called often.
class ProgressLine {
public:
    // what: e.g. "Reading"; unit: "MB" (done and total in bytes) or
    // "concepts" (counted as they are).
    ProgressLine(std::string what, std::string unit, std::uint64_t total);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void update(std::uint64_t done);
    // Erases the line; called by the destructor too.
    void finish();

    // Whether progress lines are shown at all (standard error is a terminal).
    static bool enabled();

private:
    void draw(std::uint64_t done);

    std::string what_;
    std::string unit_;
    std::uint64_t total_;
    bool active_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point next_;
};

#endif
