#ifndef QUELT_FRONTEND_VERSIONPAIR_H
#define QUELT_FRONTEND_VERSIONPAIR_H

#include "model/Console.h"
#include "model/QueltKb.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace kbtool {

// Two versions of a terminology, read at the same time, each on a thread of
// its own. What each read says (its knowledge base's lines, the tool's
// messages about its file) is held back until both are read, then given to
// the console in the order of reading one after the other: the older
// version's, then, when the older was read completely, the newer one's. On a
// terminal one progress line shows both reads.
class VersionPair {
public:
    explicit VersionPair(Console& givenTarget);
    VersionPair(const VersionPair&) = delete;
    VersionPair& operator=(const VersionPair&) = delete;

    QueltKb& older() { return kbs[0]; }
    QueltKb& newer() { return kbs[1]; }

    // True when both were read completely. An exception of either read (the
    // parser library's) is thrown again once the lines before it are out.
    bool read(const std::string& olderPath, const std::string& newerPath);

private:
    // One "Reading" line for both: each read's own line, side by side.
    class Progress {
    public:
        explicit Progress(Console& givenTarget)
            : target(givenTarget)
        {
        }
        void show(int side, std::string_view text);

    private:
        Console& target;
        std::mutex lock;
        std::string texts[2];
        bool done[2] = { false, false };
    };

    // Holds a read's lines back until released; from then on hands them on.
    class HeldConsole : public Console {
    public:
        HeldConsole(Console& givenTarget, Progress& givenProgress, int givenSide)
            : target(givenTarget)
            , progressLine(givenProgress)
            , side(givenSide)
        {
        }
        void line(Stream stream, std::string_view text) override;
        bool showsProgress() const override { return target.showsProgress(); }
        void progress(std::string_view text) override { progressLine.show(side, text); }
        void release();

    private:
        Console& target;
        Progress& progressLine;
        int side;
        bool holding = true;
        std::vector<std::pair<Stream, std::string>> held;
    };

    Progress progress;
    HeldConsole consoles[2];
    QueltKb kbs[2];
};

} // namespace kbtool

#endif
