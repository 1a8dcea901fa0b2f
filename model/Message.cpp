#include "model/Message.h"

#include <cstdio>

std::string messageLine(const Message& message)
{
    switch (message.kind) {
    case Message::Kind::DuplicateConceptName:
        return "ERROR::addConcept:DupConceptName\t" + message.name;
    case Message::Kind::SeveralCui:
        return "ERROR::addConcept:MultiCUI\t" + message.name;
    case Message::Kind::UndefinedPropertyName:
        return "ERROR:  PropertyDef for '" + message.name + "' not yet defined.";
    case Message::Kind::UndefinedRoleName:
        return "ERROR:  QueltRoleDef for '" + message.name + "' not yet defined.";
    case Message::Kind::ParserError:
        return "Fatal Error: " + message.reason + " at line: " + std::to_string(message.line);
    case Message::Kind::Refusal:
        return "ERROR: cannot write " + message.subject + " '" + shownText(message.name)
            + "': " + message.reason;
    case Message::Kind::HeaderRefusal:
        return "ERROR: cannot write the document header: " + message.reason;
    case Message::Kind::OutputFailed:
        return "ERROR: cannot write output file '" + message.name + "': " + message.reason;
    case Message::Kind::InvalidOwlName:
        return "ERROR:  " + message.reason;
    case Message::Kind::KindsWithoutRoots:
        return "Number of Kinds is not the same as the number of root Concepts.";
    case Message::Kind::Leftover:
        return "WARNING: '" + message.name
            + "' was left by an earlier run that did not finish; remove it unless another run "
              "is still writing it";
    }
    return message.reason;
}

bool onStandardOutput(Message::Kind kind)
{
    return kind == Message::Kind::DuplicateConceptName || kind == Message::Kind::ParserError;
}

void appendShown(std::string& out, char byte)
{
    unsigned char c = static_cast<unsigned char>(byte);
    if (c < 0x20 || c == 0x7F) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(c));
        out += escape;
    } else {
        out += byte;
    }
}

std::string shownText(std::string_view text)
{
    std::string out;
    for (char c : text)
        appendShown(out, c);
    return out;
}
