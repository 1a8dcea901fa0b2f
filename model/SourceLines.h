#ifndef QUELT_MODEL_SOURCELINES_H
#define QUELT_MODEL_SOURCELINES_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Where the definitions and concepts of a knowledge base stand in the
// document they were read from: the line of each one's start tag (counted
// from 1; the line where the tag ends, should it span several). A reader fills it when asked to;
// checks use it to say where a problem is.
struct SourceLines {
    enum class Definition { Namespace, Kind, Role, Property, Association, Qualifier };

    // A definition as it was read, whether the knowledge base kept it or
    // not (it drops a second definition of a name).
    struct DefinitionLine {
        Definition type;
        std::string name;
        std::string code;
        std::uint64_t line;
    };

    // A role, property, association or qualifier of a concept whose name
    // had no definition when it was read. The record keeps no name then (it
    // reads back as the empty text); this is the name the document gave.
    enum class Attribute { Role, Property, Association, Qualifier };
    struct UndefinedName {
        long conceptId;
        Attribute type;
        std::string name;
    };

    // Every definition read, in document order.
    std::vector<DefinitionLine> definitions;
    // Concept identifier and line, in ascending identifier order (the order
    // of arrival).
    std::vector<std::pair<long, std::uint64_t>> concepts;
    // In ascending concept identifier order.
    std::vector<UndefinedName> undefinedNames;
    // The parser's fatal error, where it stopped reading, if it did.
    std::string fatalError;
    std::uint64_t fatalErrorLine = 0;
};

#endif
