// Drawing a concept: its name, code, parents, roles, properties and
// associations, and the fault drawn for it, into the draft. The random
// numbers are drawn in the order the parts are written.

#include "tools/gen/Generator.h"

#include <algorithm>

namespace gen {

std::uint64_t Generator::rxkNumber(std::uint64_t i) const
{
    std::uint64_t mask = (std::uint64_t(1) << rxkBits) - 1;
    return 100000 + ((i * rxkMultiplier + rxkOffset) & mask);
}

// --- concepts ----------------------------------------------------------

void Generator::drawConcept(std::uint64_t i)
{
    const std::uint32_t kind = kindOf(i);
    const bool root = i < kNumKinds;
    ConceptDraft& con = draft;
    con.start(i, kind, root);
    naming.name(i, con.name);
    drawFault(i, kind);

    con.codeOffset = rng.below(3);
    con.id = kConceptIdBase + i;
    con.nameSpace = kNamespace;
    if (root || !rng.percent(4) || con.fault == ExtraRoot)
        con.kindName = kKinds[kind].name;
    con.primitive = !root && rng.percent(70);
    if (!root) {
        drawParents(i, kind);
        drawRoles(i, kind);
    }
    drawProperties(i, kind);
    if (!root)
        drawAssociations(i);
    if (con.fault == DuplicateName)
        con.extra = Extra::Namesake;
}

// Draws the fault of concept i and notes it as the check reports it, with
// the concept the fault takes from (numConcepts when none).
void Generator::drawFault(std::uint64_t i, std::uint32_t kind)
{
    Fault fault = faults.draw(i);
    std::uint64_t from = numConcepts;
    if (fault == SharedRxk || fault == DuplicateName) {
        from = faults.earlierWithoutFault(i);
        if (from == numConcepts)
            fault = kNoFault;
    }
    draft.fault = fault;
    draft.from = from;
    if (fault == kNoFault)
        return;
    faults.markFaulty(i);
    if (fault == ExtraRoot) {
        faults.note(fault, "kind definition", kKinds[kind].name);
    } else if (fault == DuplicateName) {
        naming.name(from, other);
        faults.note(fault, "concept", other);
    } else {
        faults.note(fault, "concept", draft.name);
    }
}

void Generator::drawParents(std::uint64_t i, std::uint32_t kind)
{
    static const std::uint32_t weights[] = { 0, 74, 20, 6 };
    std::uint32_t count = weighted(rng, weights);
    std::vector<std::uint64_t>& chosen = draft.parents;
    for (std::uint32_t k = 0; k < count; ++k) {
        std::uint64_t parent = earlierOfKind(rng, i, kind);
        if (std::find(chosen.begin(), chosen.end(), parent) == chosen.end())
            chosen.push_back(parent);
    }
    if (draft.fault == ExtraRoot)
        chosen.clear();
}

void Generator::drawRole(std::uint64_t i, std::uint32_t kind, std::uint32_t group)
{
    const std::vector<std::uint32_t>& roles = rolesOfDomain(kind);
    const std::uint32_t role = roles[rng.below(static_cast<std::uint32_t>(roles.size()))];
    std::uint32_t m = rng.below(100);
    const std::uint32_t modifier = m < 80 ? kSome : m < 92 ? kAll : m < 97 ? kPoss : kNoModifier;
    draft.roles.push_back({ role, modifier, earlierOfKind(rng, i, kRoles[role].range), group });
}

void Generator::drawRoles(std::uint64_t i, std::uint32_t kind)
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
    std::uint32_t before = left == 0 ? 0 : rng.below(left + 1);
    for (std::uint32_t k = 0; k < before; ++k)
        drawRole(i, kind, 0);
    for (std::uint32_t g = 0; g < 2 && grouped[g] != 0; ++g) {
        for (std::uint32_t k = 0; k < grouped[g]; ++k)
            drawRole(i, kind, g + 1);
    }
    for (std::uint32_t k = before; k < left; ++k)
        drawRole(i, kind, 0);
}

DraftProperty& Generator::synonym(std::string_view value, const char* termType, const char* locale)
{
    DraftProperty& property = draft.addProperty("FULL_SYN", value);
    property.locale = locale;
    ConceptDraft::addQualifier(property, "Syn_Term_Type", termType);
    ConceptDraft::addQualifier(property, "Syn_Source", pick(rng, kSources));
    return property;
}

// Another wording of the concept's name: "<site> <head>, <modifier>".
void Generator::reordered(std::string& to) const
{
    const std::string& name = draft.name;
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
    for (char c : draft.name) {
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

void Generator::drawProperties(std::uint64_t i, std::uint32_t kind)
{
    static const std::uint32_t synonymWeights[] = { 0, 0, 92, 7, 1 };
    static const std::uint32_t totalWeights[] = { 60, 18, 8, 5, 3, 2, 1, 1, 1, 1, 1, 1, 1 };
    const std::uint32_t synonyms = weighted(rng, synonymWeights);
    const bool cui = rng.percent(50);
    const bool secondType = rng.percent(5);
    const std::uint32_t fixed = 4 + synonyms + (cui ? 1 : 0) + (secondType ? 2 : 1);
    const std::uint32_t wanted = 8 + weighted(rng, totalWeights); // 8..20
    const std::uint32_t extras = wanted > fixed ? wanted - fixed : 0;
    const Fault fault = draft.fault;

    draft.addProperty("Preferred_Name", draft.name);
    if (fault != MissingRxk) {
        other = fault == InvalidOwlName ? "RXK:" : "RXK";
        appendNumber(other, rxkNumber(fault == SharedRxk ? draft.from : i));
        draft.addProperty("RXK", other);
    }

    drawSynonyms(synonyms);

    definitionText(text);
    definitionProperty("DEFINITION");

    if (cui) {
        other = "CL";
        appendNumber(other, 1000000 + rng.below(9000000));
        draft.addProperty("CUI", other);
    }
    const std::vector<const char*>& types = kProperties[kSemanticType].pickList;
    const char* type = types[(kind * 2 + rng.below(2)) % types.size()];
    draft.addProperty("Semantic_Type", fault == PickListValue ? "Unlisted Type" : type);
    if (secondType)
        draft.addProperty(
            "Semantic_Type", types[rng.below(static_cast<std::uint32_t>(types.size()))]);

    for (std::uint32_t e = 0; e < extras; ++e)
        drawExtraProperty(i);
}

// The preferred term and the other synonyms, of the given number in all.
void Generator::drawSynonyms(std::uint32_t synonyms)
{
    synonym(draft.name, "PT");
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
    DraftProperty& property = draft.addProperty(propertyName, text);
    ConceptDraft::addQualifier(property, "Def_Source", pick(rng, kSources));
}

void Generator::drawExtraProperty(std::uint64_t i)
{
    // Cases 0 to 6 twice as often as the alternative definition.
    std::uint32_t choice = rng.below(15);
    switch (choice < 7 ? choice : choice - 7) {
    case 0:
        draft.addProperty("Display_Name", draft.name);
        break;
    case 1:
        other = draft.name;
        std::replace(other.begin(), other.end(), ' ', '_');
        draft.addProperty("Legacy_Concept_Name", other);
        break;
    case 2:
        draft.addProperty("Contributing_Source", pick(rng, kSources));
        break;
    case 3:
        reordered(other);
        draft.addProperty("Use_For", other);
        break;
    case 4:
        other = "https://img.example.org/";
        appendNumber(other, kConceptIdBase + i);
        other += ".jpg?s=l&amp;f=jpg";
        draft.addProperty("Image_Link", other);
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
        draft.addProperty("Chemical_Formula", other);
        break;
    case 6:
        other.clear();
        appendNumber(other, 1000 + rng.below(900000));
        draft.addProperty("Locus_ID", other);
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

void Generator::drawAssociations(std::uint64_t i)
{
    static const std::uint32_t weights[] = { 65, 25, 8, 2 };
    std::uint32_t count = weighted(rng, weights);
    for (std::uint32_t a = 0; a < count; ++a) {
        DraftAssociation association { rng.below(countOf(kAssociations)), rng.below64(i), {} };
        if (rng.percent(30)) {
            // One draw per statement: the order in which function
            // arguments are evaluated differs between compilers.
            const char* qualifierName = rng.percent(70) ? "Assoc_Source" : "Assoc_Note";
            const char* value = rng.percent(70) ? pick(rng, kSources) : "curated &amp; reviewed";
            association.qualifier = { qualifierName, value };
        }
        draft.associations.push_back(association);
    }
}

} // namespace gen
