#include "model/QueltKb.h"

#include "model/QueltError.h"
#include "text/tString.h"

#include <new>
#include <vector>

long QueltKb::s_conMapID = 0;

QueltKb::QueltKb(Console& givenConsole)
    : console(&givenConsole)
{
    givenConsole.err("track: 060828");
}

QueltKb::QueltKb(const QueltKb& other)
    : console(other.console)
    , kbNames(other.kbNames)
    , kbKinds(other.kbKinds)
    , kbProps(other.kbProps)
    , kbRoles(other.kbRoles)
    , kbAssocs(other.kbAssocs)
    , kbQuals(other.kbQuals)
    , kbConcepts(other.kbConcepts)
    , nameToID(other.nameToID)
    , termToID(other.termToID)
    , stemTermToID(other.stemTermToID)
    , parentToID(other.parentToID)
    , cuiToID(other.cuiToID)
    , codeToID(other.codeToID)
    , stemNameToID(other.stemNameToID)
    , pendingKeys(other.pendingKeys)
    , pendingTerms(other.pendingTerms)
{
}

template <class Map, class Def> static void fileDefinition(Map& map, const Def& def)
{
    long mapId = def.getMapID();
    if (map.find(mapId) == map.end())
        map.emplace(mapId, def);
}

QueltKb& QueltKb::addNamespace(const QueltName& def)
{
    fileDefinition(kbNames, def);
    return *this;
}

QueltKb& QueltKb::addKind(const QueltKind& def)
{
    fileDefinition(kbKinds, def);
    return *this;
}

QueltKb& QueltKb::addPropertyDef(const QueltPropertyDef& def)
{
    fileDefinition(kbProps, def);
    return *this;
}

QueltKb& QueltKb::addRoleDef(const QueltRoleDef& def)
{
    fileDefinition(kbRoles, def);
    return *this;
}

QueltKb& QueltKb::addAssociationDef(const QueltAssociationDef& def)
{
    fileDefinition(kbAssocs, def);
    return *this;
}

QueltKb& QueltKb::addQualifierDef(const QueltQualifierDef& def)
{
    fileDefinition(kbQuals, def);
    return *this;
}

QueltKb& QueltKb::addConcept(const QueltConcept& con)
{
    return fileConcept(QueltConcept(con));
}

QueltKb& QueltKb::addConcept(QueltConcept&& con)
{
    return fileConcept(std::move(con));
}

unsigned QueltKb::propertyNameBits(long mapId) const
{
    NameRegistry& registry = QueltPropertyDef::registry();
    if (registry.generation() != nameBitsGeneration) {
        nameBitsGeneration = registry.generation();
        nameBits.clear();
    }
    const bool cacheable = mapId >= 0 && mapId < 4096;
    if (cacheable && static_cast<std::size_t>(mapId) < nameBits.size() && nameBits[mapId] != 0xFF)
        return nameBits[mapId];
    const std::string& name = registry.lookupName(mapId);
    unsigned bits = name == "CUI"                        ? kCuiName
        : name == "Preferred_Name" || name == "FULL_SYN" ? kTermName
                                                         : 0;
    if (cacheable) {
        if (nameBits.size() <= static_cast<std::size_t>(mapId))
            nameBits.resize(mapId + 1, 0xFF);
        nameBits[mapId] = static_cast<unsigned char>(bits);
    }
    return bits;
}

// Finds the CUI and the terms of a concept as its property names stand now:
// a property's name is its definition's name, or the empty text once a
// property was built while the definitions were absent (then no property is
// a CUI or a term).
void QueltKb::keepArrivalKeys(const QueltConcept& con)
{
    const QueltConcept::PropertyMap& properties = con.getProperties();
    long cuis = 0;
    ArrivalKeys keys { ArrivalKeys::kNoCui, 0 };
    if (!properties.empty() && !QueltProperty::isError(QueltTerminology::NO_PROPDEF)) {
        if (!QueltPropertyDef::registry().present()) {
            // Asking for a name finds the definitions absent and says so.
            QueltPropertyDef::setError(QueltTerminology::NO_PROPDEF);
        } else {
            std::uint32_t at = 0;
            for (const auto& entry : properties) {
                unsigned bits = propertyNameBits(entry.second.getNameID());
                if (bits & kCuiName) {
                    if (cuis++ == 0)
                        keys.cui = at;
                } else if (bits & kTermName) {
                    pendingTerms.push_back(at);
                }
                ++at;
            }
        }
    }
    if (cuis >= 2) {
        keys.cui = ArrivalKeys::kSeveralCuis;
        console->report({ Message::Kind::SeveralCui, "concept", con.getName(), "", 0 });
    }
    keys.termsEnd = static_cast<std::uint32_t>(pendingTerms.size());
    pendingKeys.push_back(keys);
}

void QueltKb::reserveConcepts(std::size_t count)
{
    QueltConcept::registry().reserve(count);
    try {
        nameToID.reserve(nameToID.size() + count);
    } catch (const std::bad_alloc&) {
        // only a hint: the containers grow as they go
    }
}

QueltKb& QueltKb::fileConcept(QueltConcept&& stored)
{
    long id = ++s_conMapID;
    ConceptMap::value_type& entry = kbConcepts.append(id, std::move(stored));
    // The first concept of a name keeps it.
    if (!nameToID.tryEmplace(entry.second.sharedName(), id).second)
        console->report(
            { Message::Kind::DuplicateConceptName, "concept", entry.second.getName(), "", 0 });
    keepArrivalKeys(entry.second);
    return *this;
}

std::string QueltKb::stemKey(const std::string& text) const
{
    tString words(toLower(text), 0, std::string::npos);
    return words.getAlphaStemSequence();
}

void QueltKb::indexConcept(
    long id, const QueltConcept& con, const ArrivalKeys& keys, std::size_t termsBegin) const
{
    const QueltConcept::PropertyMap& properties = con.getProperties();
    auto value = [&properties](std::uint32_t at) -> const std::string& {
        return (properties.begin() + at)->second.getValue();
    };
    stemNameToID.emplace(stemKey(con.getName()), id);
    if (keys.cui == ArrivalKeys::kNoCui)
        cuiToID.emplace(std::string(), id);
    else if (keys.cui != ArrivalKeys::kSeveralCuis)
        cuiToID.emplace(value(keys.cui), id);
    codeToID.emplace(con.getCode(), id);
    for (std::size_t i = termsBegin; i < keys.termsEnd; ++i) {
        const std::string& term = value(pendingTerms[i]);
        termToID.emplace(toLower(term), id);
        stemTermToID.emplace(stemKey(term), id);
    }
    for (const std::string& parent : con.getParents())
        parentToID.emplace(parent, id);
}

void QueltKb::indexPending() const
{
    // The pending concepts are the last ones stored, in identifier order as
    // their arrival keys are.
    std::size_t at = kbConcepts.size() - pendingKeys.size();
    std::size_t termsBegin = 0;
    for (const ArrivalKeys& keys : pendingKeys) {
        const ConceptMap::value_type& entry = kbConcepts.at(at++);
        indexConcept(entry.first, entry.second, keys, termsBegin);
        termsBegin = keys.termsEnd;
    }
    pendingKeys.clear();
    pendingTerms.clear();
}

long QueltKb::getIDFromName(const std::string& name) const
{
    const long* id = nameToID.find(name);
    return id == nullptr ? -1 : *id;
}

const QueltConcept& QueltKb::getConcept(long id) const
{
    auto it = kbConcepts.find(id);
    if (it == kbConcepts.end())
        throw QueltError(QueltError::kFailure,
            "FATAL ERROR. Requested concept with non-existent ID = " + std::to_string(id)
                + ". Exiting.");
    return it->second;
}

QueltConcept& QueltKb::getConcept(long id)
{
    indexPending();
    return const_cast<QueltConcept&>(static_cast<const QueltKb&>(*this).getConcept(id));
}

QueltConcept QueltKb::takeConcept(long id)
{
    // What waits for indexing points into the records taken.
    pendingKeys.clear();
    pendingTerms.clear();
    return std::move(const_cast<QueltConcept&>(static_cast<const QueltKb&>(*this).getConcept(id)));
}

QueltConcept& QueltKb::getConcept(const std::string& name)
{
    indexPending();
    const long* named = nameToID.find(name);
    if (named == nullptr)
        throw QueltError(QueltError::kFailure,
            "FATAL ERROR. Requested concept with non-existent name '" + name + "'. Exiting.");
    auto it = kbConcepts.find(*named);
    if (it == kbConcepts.end())
        throw QueltError(QueltError::kFailure,
            "FATAL ERROR. Requested concept with non-existent ID from name. Exiting.");
    return it->second;
}

const std::string& QueltKb::getConceptName(long id) const
{
    auto it = kbConcepts.find(id);
    return it == kbConcepts.end() ? QueltTerminology::emptyString : it->second.getName();
}

std::string QueltKb::getConceptKind(long id)
{
    return getConceptKind(getConcept(id));
}

std::string QueltKb::getConceptKind(const QueltConcept& con) const
{
    const std::string& own = con.getKind();
    if (!own.empty())
        return own;
    std::set<std::string> kinds;
    findKinds(con, kinds);
    return kinds.empty() ? std::string() : *kinds.begin();
}

void QueltKb::findKinds(const QueltConcept& con, std::set<std::string>& kinds) const
{
    // Walks the ancestors without recursion; a parent that names no concept
    // is skipped and every ancestor is visited once, so neither a cycle of
    // parent links nor a deep hierarchy can exhaust the stack.
    std::set<long> visited;
    std::vector<const QueltConcept*> pending { &con };
    while (!pending.empty()) {
        const QueltConcept* current = pending.back();
        pending.pop_back();
        if (current->getNumParents() == 0) {
            kinds.insert(current->getKind());
            continue;
        }
        for (const std::string& parent : current->getParents()) {
            long id = getIDFromName(parent);
            auto it = kbConcepts.find(id);
            if (it == kbConcepts.end() || !visited.insert(id).second)
                continue;
            pending.push_back(&it->second);
        }
    }
}

void QueltKb::findRootConcepts(std::set<std::string>& roots) const
{
    for (const auto& entry : kbConcepts) {
        if (entry.second.getNumParents() == 0)
            roots.insert(entry.second.getName());
    }
}

std::string QueltKb::toLower(const std::string& text) const
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool QueltKb::conceptNameInKB(const std::string& name) const
{
    return nameToID.find(name) != nullptr;
}

bool QueltKb::termInKB(const std::string& term) const
{
    indexPending();
    return termToID.find(toLower(term)) != termToID.end();
}

bool QueltKb::alphastemtermInKB(const std::string& term) const
{
    indexPending();
    return stemTermToID.find(stemKey(term)) != stemTermToID.end();
}

long QueltKb::getIDFromCui(const std::string& cui) const
{
    indexPending();
    auto it = cuiToID.find(cui);
    return it == cuiToID.end() ? -1 : it->second;
}

long QueltKb::getIDFromCode(const std::string& code) const
{
    indexPending();
    auto it = codeToID.find(code);
    return it == codeToID.end() ? -1 : it->second;
}

static void collect(
    const std::multimap<std::string, long>& index, const std::string& key, std::set<long>& ids)
{
    auto range = index.equal_range(key);
    for (auto it = range.first; it != range.second; ++it)
        ids.insert(it->second);
}

void QueltKb::getIDFromTerm(const std::string& term, std::set<long>& ids) const
{
    indexPending();
    collect(termToID, toLower(term), ids);
}

void QueltKb::getIDFromAlphaStemTerm(const std::string& term, std::set<long>& ids) const
{
    indexPending();
    collect(stemNameToID, stemKey(term), ids);
}

void QueltKb::getIDFromAlphaStemTermsTerm(const std::string& term, std::set<long>& ids) const
{
    indexPending();
    collect(stemTermToID, stemKey(term), ids);
}

void QueltKb::getChildIDs(const std::string& parentName, std::set<long>& ids) const
{
    indexPending();
    collect(parentToID, parentName, ids);
}

void QueltKb::getIDFromStemSequence(const std::string& stems, std::set<long>& ids) const
{
    indexPending();
    collect(stemTermToID, stems, ids);
}

namespace {

bool isTermProperty(const QueltProperty& property)
{
    const std::string& name = property.getName();
    return name == "Preferred_Name" || name == "FULL_SYN";
}

} // namespace

void QueltKb::getConceptTerms(const QueltConcept& con, std::set<std::string>& terms) const
{
    for (const auto& entry : con.getProperties()) {
        if (isTermProperty(entry.second))
            terms.insert(toLower(entry.second.getValue()));
    }
}

void QueltKb::getAlphaStemConceptTerms(const QueltConcept& con, std::set<std::string>& terms) const
{
    for (const auto& entry : con.getProperties()) {
        if (isTermProperty(entry.second))
            terms.insert(stemKey(entry.second.getValue()));
    }
}
