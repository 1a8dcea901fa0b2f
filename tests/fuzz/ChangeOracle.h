#ifndef QUELT_TESTS_FUZZ_CHANGEORACLE_H
#define QUELT_TESTS_FUZZ_CHANGEORACLE_H

// For fuzz_reader: a mutated copy of a document, and a naive account of
// what the comparison of two versions must report. Each concept is reduced
// to a fingerprint of all that the comparison compares, built straight from
// the model's getters as sorted sets of length-prefixed texts; two concepts
// of one code differ exactly when their fingerprints do.

#include "FuzzSupport.h"

#include "maintenance/Changes.h"
#include "model/QueltConcept.h"
#include "model/QueltKb.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace changeoracle {

inline void field(std::string& out, const std::string& text)
{
    out += std::to_string(text.size());
    out += ':';
    out += text;
}

inline std::string sortedSet(std::vector<std::string> items)
{
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
    std::string out;
    for (const std::string& item : items)
        field(out, item);
    return out;
}

// The name of an attribute (or a concept's namespace or kind) as its own
// version's definition of that id gives it; a name the version does not
// define counts as no name. Not the attribute's own getter: that gives the
// empty text in a process where the model has once found the definitions of
// its kind absent.
template <class Defs> std::string nameIn(const Defs& defs, long id)
{
    auto it = id < 0 ? defs.end() : defs.find(id); // -1: no name at all
    return it != defs.end() ? "=" + it->second.getName() : std::string("-");
}

// The code of the concept the text names in that version, else the text.
inline std::string reference(const QueltKb& kb, const std::string& text)
{
    long id = kb.getIDFromName(text);
    auto it = id == -1 ? kb.getConcepts().end() : kb.getConcepts().find(id);
    return it != kb.getConcepts().end() ? "c" + it->second.getCode() : "t" + text;
}

inline std::string qualifiers(const QueltKb& kb, const std::vector<QueltQualifier>& list)
{
    std::vector<std::string> items;
    for (const QueltQualifier& qualifier : list) {
        std::string item;
        field(item, nameIn(kb.getQualifierDefs(), qualifier.getNameID()));
        field(item, qualifier.getValue());
        items.push_back(item);
    }
    return sortedSet(items);
}

inline std::string roles(const QueltKb& kb, const QueltConcept& con)
{
    std::vector<std::string> ungrouped;
    std::map<long, std::vector<std::string>> groups;
    for (const auto& entry : con.getRoles()) {
        const QueltRole& role = entry.second;
        std::string item;
        field(item, nameIn(kb.getRoleDefs(), role.getNameID()));
        field(item, role.modifier().name());
        field(item, reference(kb, role.getValue()));
        (role.getRolegroup() == 0 ? ungrouped : groups[role.getRolegroup()]).push_back(item);
    }
    std::vector<std::string> groupSets;
    for (auto& group : groups)
        groupSets.push_back(sortedSet(group.second));
    std::string out;
    field(out, sortedSet(ungrouped));
    field(out, sortedSet(groupSets));
    return out;
}

// Locales count only when both versions hold some or neither does.
inline std::string fingerprint(const QueltKb& kb, const QueltConcept& con, bool locales)
{
    std::string print;
    field(print, con.getName());
    field(print, std::to_string(con.getID()));
    field(print, nameIn(kb.getNames(), con.getNamespaceID()));
    field(print, nameIn(kb.getKinds(), con.getKindID()));
    field(print, con.getState() ? "defined" : "primitive");
    std::vector<std::string> items;
    for (const std::string& parent : con.getParents())
        items.push_back(reference(kb, parent));
    field(print, sortedSet(items));
    field(print, roles(kb, con));
    items.clear();
    for (const auto& entry : con.getProperties()) {
        std::string item;
        field(item, nameIn(kb.getPropertyDefs(), entry.second.getNameID()));
        field(item, entry.second.getValue());
        field(item, locales ? entry.second.getLocale() : std::string());
        field(item, qualifiers(kb, entry.second.getQualifiers()));
        items.push_back(item);
    }
    field(print, sortedSet(items));
    items.clear();
    for (const auto& entry : con.getAssociations()) {
        std::string item;
        field(item, nameIn(kb.getAssociationDefs(), entry.second.getNameID()));
        field(item, reference(kb, entry.second.getValue()));
        field(item, qualifiers(kb, entry.second.getQualifiers()));
        items.push_back(item);
    }
    field(print, sortedSet(items));
    return print;
}

inline bool holdsLocales(const QueltKb& kb)
{
    for (const auto& entry : kb.getConcepts()) {
        for (const auto& property : entry.second.getProperties()) {
            if (!property.second.getLocale().empty())
                return true;
        }
    }
    return false;
}

using ByCode = std::map<std::string, std::vector<const QueltConcept*>>;

// Names the concept before failing, as the property alone does not.
[[noreturn]] inline void failAt(const std::string& code, const char* what)
{
    std::fprintf(stderr, "fuzz property broken at the code \"%s\"\n", code.c_str());
    fuzzsupport::fail(what);
}

inline ByCode byCode(const QueltKb& kb)
{
    ByCode concepts;
    for (const auto& entry : kb.getConcepts())
        concepts[entry.second.getCode()].push_back(&entry.second);
    return concepts;
}

inline const std::vector<const QueltConcept*>& ofCode(
    const ByCode& concepts, const std::string& code)
{
    static const std::vector<const QueltConcept*> none;
    auto it = concepts.find(code);
    return it == concepts.end() ? none : it->second;
}

// Every concept record of the report is one the oracle sees (a code once
// in each version whose fingerprints differ, or once in one version and
// absent from the other), and every such code has a record. Codes that a
// version holds more than once are reported as duplicates, nothing else.
inline void check(
    const QueltKb& older, const QueltKb& newer, const maintenance::ChangeReport& report)
{
    using fuzzsupport::fail;
    using maintenance::ChangeKind;
    const bool locales = holdsLocales(older) == holdsLocales(newer);
    const ByCode olds = byCode(older), news = byCode(newer);
    std::set<std::string> reported;
    for (const maintenance::ConceptChanges& record : report.concepts) {
        if (record.changes.empty() || !reported.insert(record.code).second)
            failAt(record.code, "a concept record without changes, or two of one code");
        const auto& a = ofCode(olds, record.code);
        const auto& b = ofCode(news, record.code);
        ChangeKind kind = record.changes.front().kind;
        if (kind == ChangeKind::Added || kind == ChangeKind::Removed) {
            bool added = kind == ChangeKind::Added;
            if (record.changes.size() != 1 || a.size() != (added ? 0u : 1u)
                || b.size() != (added ? 1u : 0u))
                failAt(
                    record.code, "an added or removed concept whose code the other version holds");
        } else if (a.size() != 1 || b.size() != 1
            || fingerprint(older, *a.front(), locales) == fingerprint(newer, *b.front(), locales)) {
            failAt(record.code, "a concept reported changed that is the same in both versions");
        }
    }
    std::set<std::string> codes;
    for (const auto& entry : olds)
        codes.insert(entry.first);
    for (const auto& entry : news)
        codes.insert(entry.first);
    std::size_t duplicates = 0;
    for (const std::string& code : codes) {
        const auto& a = ofCode(olds, code);
        const auto& b = ofCode(news, code);
        duplicates += (a.size() > 1) + (b.size() > 1);
        bool expected = (a.size() == 1 && b.empty()) || (a.empty() && b.size() == 1)
            || (a.size() == 1 && b.size() == 1
                && fingerprint(older, *a.front(), locales)
                    != fingerprint(newer, *b.front(), locales));
        if (expected && reported.count(code) == 0)
            failAt(code, "a concept that differs between the versions is not reported");
    }
    if (duplicates != report.duplicateCodes.size())
        fail("the duplicate codes reported are not those of the versions");
}

// A copy of the document with one change to its character data (the text
// between a '>' and the next '<'), chosen by a hash of the bytes: one
// letter or digit turned into the next one, or the texts of two elements
// swapped; or no change at all, one time in four.
inline std::string mutated(const std::uint8_t* data, std::size_t size)
{
    std::string copy(reinterpret_cast<const char*>(data), size);
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    std::vector<std::size_t> alnums; // positions of letters and digits in character data
    std::vector<std::pair<std::size_t, std::size_t>> texts; // [begin, end) holding some
    for (std::size_t open = copy.find('>'); open != std::string::npos;) {
        std::size_t close = copy.find('<', open + 1);
        if (close == std::string::npos)
            break;
        std::size_t before = alnums.size();
        for (std::size_t i = open + 1; i < close; ++i) {
            if (std::isalnum(static_cast<unsigned char>(copy[i])))
                alnums.push_back(i);
        }
        if (alnums.size() != before)
            texts.emplace_back(open + 1, close);
        open = copy.find('>', close);
    }
    std::uint32_t mode = hash % 4;
    if (mode == 0 || alnums.empty())
        return copy;
    if (mode == 3 && texts.size() > 1) {
        std::size_t i = (hash >> 2) % texts.size();
        std::size_t j = (i + 1 + (hash >> 12) % (texts.size() - 1)) % texts.size();
        auto first = texts[std::min(i, j)], second = texts[std::max(i, j)];
        return copy.substr(0, first.first) + copy.substr(second.first, second.second - second.first)
            + copy.substr(first.second, second.first - first.second)
            + copy.substr(first.first, first.second - first.first) + copy.substr(second.second);
    }
    char& c = copy[alnums[(hash >> 2) % alnums.size()]];
    c = c == 'z' ? 'a' : c == 'Z' ? 'A' : c == '9' ? '0' : static_cast<char>(c + 1);
    return copy;
}

} // namespace changeoracle

#endif
