#ifndef QUELT_MODEL_MESSAGE_H
#define QUELT_MODEL_MESSAGE_H

#include <cstdint>
#include <string>
#include <string_view>

// What a console message of the model, the readers and the writers says, as
// values: which message it is and what it is about. Whoever wants the facts
// (the terminology check, the tests) takes the record from the console it
// handed down; the text of the line is made from the record in one place,
// messageLine(), which gives each message its fixed wording.
struct Message {
    enum class Kind {
        // A concept with the name of an earlier one (name).
        DuplicateConceptName,
        // A concept with several CUI values, indexed under none (name).
        SeveralCui,
        // A property or role record named by a name without a definition (name).
        UndefinedPropertyName,
        UndefinedRoleName,
        // The parser's fatal error: where it stopped reading (line, reason).
        ParserError,
        // A unit of output the writer will not write (subject: "concept",
        // "role definition", ...; name; reason).
        Refusal,
        // The document header holds what the writer will not write (reason).
        HeaderRefusal,
        // The output file cannot be written (name: the file; reason).
        OutputFailed,
        // A name that is no valid OWL identifier (name; reason: the fault).
        InvalidOwlName,
        // The kinds and the root concepts differ in number.
        KindsWithoutRoots,
        // A temporary file an earlier run left (name: its path).
        Leftover,
    };

    Kind kind;
    std::string subject;
    std::string name;
    std::string reason;
    std::uint64_t line = 0;
};

// The console line of the message, without a line end.
std::string messageLine(const Message& message);
// Whether the line goes to standard output (else to standard error).
bool onStandardOutput(Message::Kind kind);

// A text as it can stand in a console line: C0 control characters and DEL
// as \xNN, every other byte as it is.
std::string shownText(std::string_view text);
// Appends one byte of a text in that form.
void appendShown(std::string& out, char byte);

#endif
