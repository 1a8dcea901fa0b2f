#ifndef QUELT_XMLOUT_PROGRESS_H
#define QUELT_XMLOUT_PROGRESS_H

#include "model/Console.h"

#include <chrono>
#include <cstdint>
#include <string>

// One self-erasing progress line on a console that shows progress (the
// standard one when standard error is a terminal); on any other console
// every call does nothing. The line is redrawn at most a few times a
// second, so update() may be called often.
class ProgressLine {
public:
    // what: e.g. "Reading"; unit: "MB" (done and total in bytes) or
    // "concepts" (counted as they are).
    ProgressLine(Console& console, std::string what, std::string unit, std::uint64_t total);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void update(std::uint64_t done);
    // Erases the line; called by the destructor too.
    void finish();

private:
    void draw(std::uint64_t done);

    Console& console;
    std::string what;
    std::string unit;
    std::uint64_t total;
    bool active;
    bool drawn = false;
    std::chrono::steady_clock::time_point next;
};

#endif
