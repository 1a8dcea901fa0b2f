#ifndef QUELT_MODEL_CONSOLE_H
#define QUELT_MODEL_CONSOLE_H

#include "model/Message.h"

#include <string>
#include <string_view>
#include <vector>

// Where the system's console lines go. Every message of the model, the
// readers and the writers is one line on one of two streams, written
// through the console its caller handed down; the programs pass the
// standard one, and tests or tools that want the lines elsewhere pass
// their own.
class Console {
public:
    enum Stream { Out, Err }; // standard output, standard error

    virtual ~Console() = default;

    // Writes one line; the line end is added, and the line is out at once.
    virtual void line(Stream stream, std::string_view text) = 0;
    void out(std::string_view text) { line(Out, text); }
    void err(std::string_view text) { line(Err, text); }
    // Reports a message of the model, a reader or a writer: by default its
    // line, on the stream it belongs to. A console that wants the record
    // itself takes it here.
    virtual void report(const Message& message);

    // A progress display that redraws itself in place on the error stream:
    // the text (no line end), or the empty text to erase it. Consoles that
    // do not show progress ignore it.
    virtual bool showsProgress() const { return false; }
    virtual void progress(std::string_view) { }

    // Standard output and standard error; progress is shown when standard
    // error is a terminal.
    static Console& standard();
};

// A console that hands every line to another one, the lines of standard
// output on the stream chosen for them, or nowhere.
class RoutedConsole : public Console {
public:
    enum Route { Keep, ToErr, Drop };

    RoutedConsole(Console& givenTarget, Route givenOutRoute)
        : target(givenTarget)
        , outRoute(givenOutRoute)
    {
    }

    void line(Stream stream, std::string_view text) override;
    bool showsProgress() const override { return target.showsProgress(); }
    void progress(std::string_view text) override { target.progress(text); }

private:
    Console& target;
    Route outRoute;
};

// A console that hands everything to another one, but for the messages
// reported while it is told to gather: those it keeps, as records, in
// order. Other lines and progress are always handed on.
class GatheringConsole : public Console {
public:
    explicit GatheringConsole(Console& givenTarget)
        : target(givenTarget)
    {
    }

    void gather(bool on) { gathering = on; }
    const std::vector<Message>& messages() const { return gathered; }

    void line(Stream stream, std::string_view text) override;
    void report(const Message& message) override;
    bool showsProgress() const override { return target.showsProgress(); }
    void progress(std::string_view text) override { target.progress(text); }

private:
    Console& target;
    bool gathering = false;
    std::vector<Message> gathered;
};

#endif
