#ifndef QUELT_OWL_OWLAXIOMS_H
#define QUELT_OWL_OWLAXIOMS_H

#include <string>
#include <vector>

// One qualifier of a qualified statement, ready for output: its name (an
// element tag) and its value as element content.
struct nameValue {
    std::string name;
    std::string value;
};

// A qualified property value or association of a concept, reified as an
// owl:Axiom: the class it belongs to (source, an identifier), the property
// or association (an identifier), the value (target, element content) and
// the qualifiers in the statement's order.
struct owlaxioms {
    std::vector<nameValue> qualifiers;
    std::string target;
    std::string source;
    std::string property;
};

#endif
