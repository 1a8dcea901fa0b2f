// The concepts: each one's name, code, parents, roles, properties and
// associations, and the fault drawn for it.

#include "tools/gen/Generator.h"

#include <algorithm>

namespace gen {

// The name of concept i (roots first, then kind i % 6), as written.
void Generator::conceptName(std::uint64_t i, std::string& to) const
{
    to.clear();
    if (i < kNumKinds) {
        to += kKinds[i].root;
        return;
    }
    std::uint64_t q = i / kNumKinds - 1;
    std::uint64_t p = ((q & kNameMask) * nameMultiplier + nameOffset) & kNameMask;
    to += kModifiers[p & 31];
    to += ' ';
    to += kSites[(p >> 5) & 63];
    to += ' ';
    to += kHeads[kindOf(i)][p >> 11];
    if (std::uint64_t block = q >> kNameBits) {
        to += " Type ";
        appendNumber(to, block + 1);
    }
}

std::uint64_t Generator::rxkNumber(std::uint64_t i) const
{
    std::uint64_t mask = (std::uint64_t(1) << rxkBits) - 1;
    return 100000 + ((i * rxkMultiplier + rxkOffset) & mask);
}

// A random earlier concept of the given kind; i > kind.
std::uint64_t Generator::earlierOfKind(std::uint64_t i, std::uint32_t kind)
{
    std::uint64_t count = (i - kind + kNumKinds - 1) / kNumKinds; // kind, kind+6, ... < i
    return kind + kNumKinds * rng.below64(count);
}

// --- concepts ----------------------------------------------------------

void Generator::writeConcept(std::uint64_t i)
{
    const std::uint32_t kind = kindOf(i);
    const bool root = i < kNumKinds;
    conceptName(i, name);
    const std::uint64_t from = drawFault(i, kind);

    out.line("<conceptDef>");
    out.leaf("name", name);
    out.leafNumber("code", "C", 100 + 3 * i + rng.below(3));
    out.leafNumber("id", "", kConceptIdBase + i);
    out.leaf("namespace", kNamespace);
    if (root || !rng.percent(4) || fault == ExtraRoot)
        out.leaf("kind", kKinds[kind].name);
    if (!root && rng.percent(70))
        out.line("<primitive/>");
    if (!root) {
        writeParents(i, kind);
        writeRoles(i, kind);
    }
    writeProperties(i, kind, from);
    if (!root)
        writeAssociations(i);
    writeConceptFault(i, kind);
    out.line("</conceptDef>");
    if (fault == DuplicateName)
        writeNamesake(i, from);
}

// Draws the fault of concept i and notes it as the check reports it;
// returns the concept the fault takes from, numConcepts when none.
std::uint64_t Generator::drawFault(std::uint64_t i, std::uint32_t kind)
{
    fault = faults.draw(i);
    std::uint64_t from = numConcepts;
    if (fault == SharedRxk || fault == DuplicateName) {
        from = faults.earlierWithoutFault(i);
        if (from == numConcepts)
            fault = kNoFault;
    }
    if (fault == kNoFault)
        return from;
    faults.markFaulty(i);
    if (fault == ExtraRoot) {
        faults.note(fault, "kind definition", kKinds[kind].name);
    } else if (fault == DuplicateName) {
        conceptName(from, other);
        faults.note(fault, "concept", other);
    } else {
        faults.note(fault, "concept", name);
    }
    return from;
}

// What a fault adds at the end of a concept.
void Generator::writeConceptFault(std::uint64_t i, std::uint32_t kind)
{
    switch (fault) {
    case UnknownRoleTarget:
    case UndefinedRole:
        out.put("<definingRoles><role><some/>");
        out.element("name",
            fault == UndefinedRole ? "Unlisted_Role" : kRoles[rolesByDomain[kind].front()].name);
        if (fault == UndefinedRole)
            out.element("value", kKinds[kind].root);
        else
            out.elementNumber("value", "Missing Target ", i);
        out.line("</role></definingRoles>");
        break;
    case UnknownAssociationTarget:
    case UndefinedAssociation:
        out.put("<associations><association>");
        out.element("name", fault == UndefinedAssociation ? "Unlisted_Link" : "Replaced_By");
        if (fault == UndefinedAssociation)
            out.element("value", kKinds[kind].root);
        else
            out.elementNumber("value", "Missing Target ", i);
        out.line("</association></associations>");
        break;
    case UndefinedProperty:
    case UndefinedQualifier:
    case BadElementName:
    case UncarriedCharacter:
        out.put("<properties><property>");
        out.element("name",
            fault == UndefinedProperty    ? "Unlisted_Note"
                : fault == BadElementName ? kBadPropertyName
                                          : "Display_Name");
        out.element("value", fault == UncarriedCharacter ? "Bell&#x7;" : "Noted");
        if (fault == UndefinedQualifier)
            qualifier("Unlisted_Source", "MVQ");
        out.line("</property></properties>");
        break;
    default:
        break;
    }
}

// A second concept with the name of concept `from`, after concept i.
void Generator::writeNamesake(std::uint64_t i, std::uint64_t from)
{
    const std::uint32_t kind = kindOf(from);
    conceptName(from, other);
    out.line("<conceptDef>");
    out.leaf("name", other);
    out.leafNumber("code", "CD", i);
    out.leafNumber("id", "", kConceptIdBase + numConcepts + i);
    out.leaf("namespace", kNamespace);
    out.leaf("kind", kKinds[kind].name);
    out.put("<definingConcepts>");
    out.element("concept", kKinds[kind].root);
    out.line("</definingConcepts>");
    out.put("<properties><property>");
    out.element("name", "RXK");
    out.elementNumber("value", "RXKD", i);
    out.line("</property></properties>");
    out.line("</conceptDef>");
}

void Generator::writeParents(std::uint64_t i, std::uint32_t kind)
{
    static const std::uint32_t weights[] = { 0, 74, 20, 6 };
    std::uint32_t count = weighted(rng, weights);
    std::uint64_t chosen[3];
    std::uint32_t n = 0;
    for (std::uint32_t k = 0; k < count; ++k) {
        std::uint64_t parent = earlierOfKind(i, kind);
        bool repeated = false;
        for (std::uint32_t m = 0; m < n; ++m)
            repeated = repeated || chosen[m] == parent;
        if (!repeated)
            chosen[n++] = parent;
    }
    out.line("<definingConcepts>");
    if (fault == ExtraRoot)
        n = 0;
    for (std::uint32_t m = 0; m < n; ++m) {
        conceptName(chosen[m], other);
        out.leaf("concept", other);
    }
    if (fault == UnknownParent)
        out.leafNumber("concept", "Missing Parent ", i);
    if (fault == OwnParent)
        out.leaf("concept", name);
    out.line("</definingConcepts>");
}

void Generator::writeRole(std::uint64_t i, std::uint32_t kind)
{
    const std::vector<std::uint32_t>& roles = rolesByDomain[kind];
    const RoleDef& role = kRoles[roles[rng.below(static_cast<std::uint32_t>(roles.size()))]];
    out.put("<role>");
    std::uint32_t m = rng.below(100);
    if (m < 80)
        out.put("<some/>");
    else if (m < 92)
        out.put("<all/>");
    else if (m < 97)
        out.put("<poss/>");
    out.element("name", role.name);
    conceptName(earlierOfKind(i, role.range), other);
    out.element("value", other);
    out.line("</role>");
}

void Generator::writeRoles(std::uint64_t i, std::uint32_t kind)
{
    static const std::uint32_t weights[] = { 34, 26, 16, 10, 6, 3, 2, 2, 1 };
    std::uint32_t count = weighted(rng, weights);
    if (count == 0)
        return;
    // Some of the roles go into one or two role groups of two or three.
    std::uint32_t grouped[2] = { 0, 0 };
    std::uint32_t left = count;
    for (std::uint32_t g = 0; g < 2 && left >= 2 && rng.percent(g == 0 ? 35 : 30); ++g) {
        grouped[g] = left >= 3 && rng.percent(40) ? 3 : 2;
        left -= grouped[g];
    }
    out.line("<definingRoles>");
    std::uint32_t before = left == 0 ? 0 : rng.below(left + 1);
    for (std::uint32_t k = 0; k < before; ++k)
        writeRole(i, kind);
    for (std::uint32_t g = 0; g < 2 && grouped[g] != 0; ++g) {
        out.line("<roleGroup>");
        for (std::uint32_t k = 0; k < grouped[g]; ++k)
            writeRole(i, kind);
        out.line("</roleGroup>");
    }
    for (std::uint32_t k = before; k < left; ++k)
        writeRole(i, kind);
    out.line("</definingRoles>");
}

void Generator::qualifier(std::string_view qualifierName, std::string_view value)
{
    out.put("<qualifier>");
    out.element("name", qualifierName);
    out.element("value", value);
    out.put("</qualifier>");
}

void Generator::property(std::string_view propertyName, std::string_view value)
{
    out.put("<property>");
    out.element("name", propertyName);
    out.element("value", value);
    out.line("</property>");
}

void Generator::synonym(std::string_view value, const char* termType, const char* locale)
{
    out.put("<property>");
    out.element("name", "FULL_SYN");
    out.element("value", value);
    if (locale)
        out.element("locale", locale);
    qualifier("Syn_Term_Type", termType);
    qualifier("Syn_Source", pick(rng, kSources));
    out.line("</property>");
}

// Another wording of the concept's name: "<site> <head>, <modifier>".
void Generator::reordered(std::string& to) const
{
    size_t first = name.find(' ');
    to.clear();
    if (first == std::string::npos) {
        to = name;
        return;
    }
    to.append(name, first + 1, std::string::npos);
    to += ", ";
    to.append(name, 0, first);
}

// Initials of the words of the name, as an abbreviation.
void Generator::abbreviation(std::string& to) const
{
    to.clear();
    bool start = true;
    for (char c : name) {
        if (c == ' ' || c == ',' || c == '-') {
            start = true;
        } else {
            if (start && c >= 'A' && c <= 'Z')
                to += c;
            start = false;
        }
    }
    if (to.size() < 2)
        to += "X";
}

void Generator::definitionText(std::string& to)
{
    // 200 to 600 bytes, most of them short.
    std::uint64_t u = rng.below(1 << 16);
    for (int k = 0; k < 3; ++k)
        u = u * u >> 16;
    size_t target = 200 + static_cast<size_t>(u * 400 >> 16);
    to.assign("A");
    bool sentenceStart = false;
    while (to.size() < target) {
        const char* word = pick(rng, kDefinitionWords);
        to += ' ';
        size_t at = to.size();
        to += word;
        if (sentenceStart && to[at] >= 'a' && to[at] <= 'z')
            to[at] = static_cast<char>(to[at] - 'a' + 'A');
        sentenceStart = false;
        std::uint32_t r = rng.below(100);
        if (r < 7) {
            to += '.';
            sentenceStart = true;
        } else if (r < 12) {
            to += ',';
        }
    }
    if (to.back() == ',' || to.back() == '.')
        to.pop_back();
    to += '.';
}

// from: the concept whose RXK value a shared-rxk fault takes.
void Generator::writeProperties(std::uint64_t i, std::uint32_t kind, std::uint64_t from)
{
    static const std::uint32_t synonymWeights[] = { 0, 0, 92, 7, 1 };
    static const std::uint32_t totalWeights[] = { 60, 18, 8, 5, 3, 2, 1, 1, 1, 1, 1, 1, 1 };
    const std::uint32_t synonyms = weighted(rng, synonymWeights);
    const bool cui = rng.percent(50);
    const bool secondType = rng.percent(5);
    const std::uint32_t fixed = 4 + synonyms + (cui ? 1 : 0) + (secondType ? 2 : 1);
    const std::uint32_t wanted = 8 + weighted(rng, totalWeights); // 8..20
    const std::uint32_t extras = wanted > fixed ? wanted - fixed : 0;

    out.line("<properties>");
    property("Preferred_Name", name);
    if (fault != MissingRxk) {
        out.put("<property>");
        out.element("name", "RXK");
        out.elementNumber("value", fault == InvalidOwlName ? "RXK:" : "RXK",
            rxkNumber(fault == SharedRxk ? from : i));
        out.line("</property>");
    }

    writeSynonyms(synonyms);

    definitionText(text);
    definitionProperty("DEFINITION");

    if (cui) {
        out.put("<property>");
        out.element("name", "CUI");
        out.elementNumber("value", "CL", 1000000 + rng.below(9000000));
        out.line("</property>");
    }
    const std::vector<const char*>& types = kProperties[kSemanticType].pickList;
    const char* type = types[(kind * 2 + rng.below(2)) % types.size()];
    property("Semantic_Type", fault == PickListValue ? "Unlisted Type" : type);
    if (secondType)
        property("Semantic_Type", types[rng.below(static_cast<std::uint32_t>(types.size()))]);

    for (std::uint32_t e = 0; e < extras; ++e)
        writeExtraProperty(i);
    out.line("</properties>");
}

// The preferred term and the other synonyms, of the given number in all.
void Generator::writeSynonyms(std::uint32_t synonyms)
{
    synonym(name, "PT");
    for (std::uint32_t s = 1; s < synonyms; ++s) {
        std::uint32_t r = rng.below(100);
        if (r < 45) {
            reordered(other);
            synonym(other, "SY");
        } else if (r < 75) {
            abbreviation(other);
            synonym(other, "AB");
        } else if (r < 87) {
            other = pick(rng, kFrenchTerms);
            other += " (";
            other += kSites[rng.below(countOf(kSites))];
            other += ')';
            synonym(other, "SY", "fr");
        } else if (r < 95) {
            other = pick(rng, kJapaneseTerms);
            synonym(other, "SY", "ja");
        } else {
            other = pick(rng, kGreekTerms);
            synonym(other, "FB", "el");
        }
    }
}

// A definition of the text in `text`, with its source.
void Generator::definitionProperty(const char* propertyName)
{
    out.put("<property>");
    out.element("name", propertyName);
    out.element("value", text);
    qualifier("Def_Source", pick(rng, kSources));
    out.line("</property>");
}

void Generator::writeExtraProperty(std::uint64_t i)
{
    // Cases 0 to 6 twice as often as the alternative definition.
    std::uint32_t choice = rng.below(15);
    switch (choice < 7 ? choice : choice - 7) {
    case 0:
        property("Display_Name", name);
        break;
    case 1:
        other = name;
        for (char& c : other)
            if (c == ' ')
                c = '_';
        property("Legacy_Concept_Name", other);
        break;
    case 2:
        property("Contributing_Source", pick(rng, kSources));
        break;
    case 3:
        reordered(other);
        property("Use_For", other);
        break;
    case 4:
        other = "https://img.example.org/";
        appendNumber(other, kConceptIdBase + i);
        other += ".jpg?s=l&amp;f=jpg";
        property("Image_Link", other);
        break;
    case 5:
        other = "C";
        appendNumber(other, 1 + rng.below(30));
        other += "H";
        appendNumber(other, 1 + rng.below(60));
        other += "N";
        appendNumber(other, rng.below(8));
        other += "O";
        appendNumber(other, rng.below(12));
        property("Chemical_Formula", other);
        break;
    case 6:
        other.clear();
        appendNumber(other, 1000 + rng.below(900000));
        property("Locus_ID", other);
        break;
    default:
        definitionText(text);
        text.resize(std::min(text.size(), text.find(' ', 120)));
        while (!text.empty() && (text.back() == ',' || text.back() == '.'))
            text.pop_back();
        text += '.';
        definitionProperty("ALT_DEFINITION");
        break;
    }
}

void Generator::writeAssociations(std::uint64_t i)
{
    static const std::uint32_t weights[] = { 65, 25, 8, 2 };
    std::uint32_t count = weighted(rng, weights);
    if (count == 0)
        return;
    out.line("<associations>");
    for (std::uint32_t a = 0; a < count; ++a) {
        const AssociationDef& association = kAssociations[rng.below(countOf(kAssociations))];
        out.put("<association>");
        out.element("name", association.name);
        conceptName(rng.below64(i), other);
        out.element("value", other);
        if (rng.percent(30)) {
            // One draw per statement: the order in which function
            // arguments are evaluated differs between compilers.
            const char* qualifierName = rng.percent(70) ? "Assoc_Source" : "Assoc_Note";
            const char* value = rng.percent(70) ? pick(rng, kSources) : "curated &amp; reviewed";
            qualifier(qualifierName, value);
        }
        out.line("</association>");
    }
    out.line("</associations>");
}

} // namespace gen
