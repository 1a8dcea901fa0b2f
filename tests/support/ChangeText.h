#ifndef QUELT_TESTS_SUPPORT_CHANGETEXT_H
#define QUELT_TESTS_SUPPORT_CHANGETEXT_H

// A change of a concept's record as one line of text, all of what it says,
// for tests that compare the comparison's records with what they expect.

#include "maintenance/Changes.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quelttest {

struct ChangeText {
    // The comparison lists qualifiers by their definitions' ids; a test
    // that knows the values but not the ids has them sorted by name and value.
    bool sortQualifiers = false;
    // Of two equal groups the comparison reports either; a test that cannot
    // know which says only whether a role is grouped.
    bool groupNumbers = true;

    using Reference = maintenance::Reference;
    using Qualifier = maintenance::Qualifier;
    using PropertyFact = maintenance::PropertyFact;

    std::string operator()(std::monostate) const { return ""; }
    std::string operator()(const maintenance::TextChange& c) const
    {
        return c.before + " > " + c.after;
    }
    std::string operator()(const Reference& r) const { return text(r); }
    std::string operator()(const maintenance::RoleFact& r) const
    {
        return r.name + " " + r.modifier + " " + text(r.target)
            + (groupNumbers   ? " group " + std::to_string(r.group)
                    : r.group ? " grouped"
                              : "");
    }
    std::string operator()(const PropertyFact& p) const { return text(p); }
    std::string operator()(const maintenance::PropertyChange& c) const
    {
        return text(c.before) + " > " + text(c.after);
    }
    std::string operator()(const maintenance::AssociationFact& a) const
    {
        return a.name + " " + text(a.target) + text(a.qualifiers);
    }

    static std::string text(const Reference& reference)
    {
        return reference.resolved ? reference.code + " " + reference.name
                                  : "'" + reference.name + "'";
    }
    std::string text(std::vector<Qualifier> qualifiers) const
    {
        if (sortQualifiers)
            std::sort(
                qualifiers.begin(), qualifiers.end(), [](const Qualifier& a, const Qualifier& b) {
                    return a.name != b.name ? a.name < b.name : a.value < b.value;
                });
        std::string line;
        for (const Qualifier& qualifier : qualifiers)
            line += " [" + qualifier.name + "=" + qualifier.value + "]";
        return line;
    }
    std::string text(const PropertyFact& fact) const
    {
        return fact.name + "='" + fact.value + "' locale=" + fact.locale + text(fact.qualifiers);
    }
};

} // namespace quelttest

#endif
