#include "xmlout/OwlNaming.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <system_error>
#include <thread>

const std::string OwlNaming::kRxk = "RXK";

namespace {

const std::string kPreferredName = "Preferred_Name";

// Fewer concepts than this are gone through by the calling thread alone.
const size_t kConceptsPerThread = 2048;

using ConceptIterator = QueltKb::ConceptMap::const_iterator;

// Whether the few ids hold the id.
bool holds(const std::vector<long>& ids, long id)
{
    for (long held : ids) {
        if (held == id)
            return true;
    }
    return false;
}

// Cuts the concepts into about `parts` ranges of consecutive concepts, by
// their identifiers, which the knowledge base hands out in order; returns
// the parts + 1 bounds.
std::vector<ConceptIterator> cut(const QueltKb::ConceptMap& concepts, size_t parts)
{
    std::vector<ConceptIterator> bounds { concepts.begin() };
    if (!concepts.empty() && parts > 1) {
        long low = concepts.begin()->first;
        unsigned long span = static_cast<unsigned long>(std::prev(concepts.end())->first)
            - static_cast<unsigned long>(low);
        for (size_t i = 1; i < parts; ++i) {
            long key = static_cast<long>(static_cast<unsigned long>(low) + span / parts * i);
            ConceptIterator bound = concepts.lower_bound(key);
            if (bound != bounds.back())
                bounds.push_back(bound);
        }
    }
    bounds.push_back(concepts.end());
    return bounds;
}

// Runs work(i) for each part i: part 0 on the calling thread, the others on
// threads of their own (or on the calling thread when no thread can be
// had). Once all are done, rethrows what ended the first part that failed.
template <class Work> void runParts(size_t parts, Work work)
{
    std::vector<std::exception_ptr> failures(parts);
    auto guarded = [&](size_t i) {
        try {
            work(i);
        } catch (...) {
            failures[i] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    struct Joiner {
        std::vector<std::thread>& threads;
        ~Joiner()
        {
            for (std::thread& thread : threads)
                thread.join();
        }
    } joiner { helpers };
    for (size_t i = 1; i < parts; ++i) {
        try {
            helpers.emplace_back(guarded, i);
        } catch (const std::system_error&) {
            guarded(i);
        }
    }
    if (parts > 0)
        guarded(0);
    for (std::thread& helper : helpers)
        helper.join();
    helpers.clear();
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
}

template <class Def> void collect(const std::map<long, Def>& defs, MapIdTable<const Def*>& lists)
{
    for (const auto& entry : defs) {
        if (entry.second.hasPickList())
            lists.at(entry.first) = &entry.second;
    }
}

} // namespace

// What one thread gathers from a range of consecutive concepts, looking
// nothing up.
struct OwlNaming::Scan {
    NameCache<QueltProperty> properties;
    NameCache<QueltRole> roles;
    NameCache<QueltAssociation> associations;
    NameCache<QueltQualifier> qualifiers;
    // Concept name and value of each property whose map id is one of the
    // guessed "RXK" ids, in order; the name alone of a concept without one.
    CodeTable::Block codes;
    // Names of the concepts without parents, in order.
    std::vector<const std::string*> roots;

    void run(ConceptIterator first, ConceptIterator last, const std::vector<long>& rxkIds);
};

void OwlNaming::Scan::run(
    ConceptIterator first, ConceptIterator last, const std::vector<long>& rxkIds)
{
    for (; first != last; ++first) {
        const QueltConcept& con = first->second;
        if (con.getNumParents() == 0)
            roots.push_back(&con.getName());
        bool coded = false;
        for (const auto& entry : con.getProperties()) {
            const QueltProperty& property = entry.second;
            properties.note(property);
            if (holds(rxkIds, property.getNameID())) {
                codes.add(con.getName(), property.getValue());
                coded = true;
            }
            for (const QueltQualifier& qualifier : property.getQualifiers())
                qualifiers.note(qualifier);
        }
        if (!coded)
            codes.addName(con.getName());
        for (const auto& entry : con.getRoles())
            roles.note(entry.second);
        for (const auto& entry : con.getAssociations()) {
            associations.note(entry.second);
            for (const QueltQualifier& qualifier : entry.second.getQualifiers())
                qualifiers.note(qualifier);
        }
    }
}

OwlNaming::OwlNaming(const QueltKb& givenKb, unsigned helpers)
    : kb(givenKb)
{
    std::vector<const std::string*> roots = scanConcepts(helpers);
    nameRoles();
    findRoots(std::move(roots));
    collect(kb.getPropertyDefs(), propertyPickLists);
    collect(kb.getQualifierDefs(), qualifierPickLists);
}

unsigned OwlNaming::defaultHelpers()
{
    unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? std::min(cores - 1, 3u) : 0;
}

std::vector<const std::string*> OwlNaming::scanConcepts(unsigned helpers)
{
    const QueltKb::ConceptMap& concepts = kb.getConcepts();
    // The map ids of the properties named "RXK" are those the knowledge
    // base files the definition of that name under; checked in merge().
    std::vector<long> rxkIds;
    for (const auto& entry : kb.getPropertyDefs()) {
        if (entry.second.getName() == kRxk)
            rxkIds.push_back(entry.first);
    }

    size_t parts = std::min<size_t>(helpers + 1, concepts.size() / kConceptsPerThread + 1);
    std::vector<ConceptIterator> bounds = cut(concepts, parts);
    std::vector<Scan> scans(bounds.size() - 1);
    // Room for a name and an identifier of usual length per concept.
    for (Scan& part : scans)
        part.codes.reserve(concepts.size() / scans.size() * 80);
    runParts(scans.size(), [&](size_t i) { scans[i].run(bounds[i], bounds[i + 1], rxkIds); });
    return merge(scans, rxkIds);
}

// On the calling thread: the names the threads noted are looked up, and
// the identifiers they gathered become the table, unless the guess of the
// "RXK" map ids proved wrong.
std::vector<const std::string*> OwlNaming::merge(
    std::vector<Scan>& scans, const std::vector<long>& rxkIds)
{
    bool guessed = true;
    std::vector<const std::string*> roots;
    for (Scan& part : scans) {
        part.properties.forEachNoted([&](const QueltProperty& property) {
            bool named = *propertyCache.resolve(property).text == kRxk;
            if (named != holds(rxkIds, property.getNameID()))
                guessed = false;
        });
        part.roles.forEachNoted([this](const QueltRole& role) { roleCache.resolve(role); });
        part.associations.forEachNoted(
            [this](const QueltAssociation& association) { associationCache.resolve(association); });
        part.qualifiers.forEachNoted(
            [this](const QueltQualifier& qualifier) { qualifierCache.resolve(qualifier); });
        roots.insert(roots.end(), part.roots.begin(), part.roots.end());
    }

    conceptCodes.reserve(kb.getConcepts().size());
    if (guessed) {
        for (Scan& part : scans)
            conceptCodes.add(std::move(part.codes));
    } else {
        // Some property holds a map id whose name is "RXK" although no
        // definition of the knowledge base is filed under it, or the
        // other way round: go through the concepts again by name.
        for (const auto& entry : kb.getConcepts()) {
            const QueltConcept& con = entry.second;
            bool coded = false;
            for (const auto& property : con.getProperties()) {
                if (isRxk(property.second)) {
                    conceptCodes.set(con.getName(), property.second.getValue());
                    coded = true;
                }
            }
            if (!coded)
                conceptCodes.setName(con.getName());
        }
    }
    return roots;
}

void OwlNaming::nameRoles()
{
    for (const auto& entry : kb.getRoleDefs())
        roleCodes.set(entry.second.getName(), entry.second.getCode());
    // The empty text is the name of a record whose name has no definition.
    roleCache.forEach([this](ElementName& role) {
        role.defined = !role.text->empty() && roleCodes.contains(*role.text);
        role.code = roleCodes.get(*role.text);
    });
}

// The kind of a root is that of the first concept of its name.
void OwlNaming::findRoots(std::vector<const std::string*> names)
{
    std::sort(names.begin(), names.end(),
        [](const std::string* a, const std::string* b) { return *a < *b; });
    names.erase(std::unique(names.begin(), names.end(),
                    [](const std::string* a, const std::string* b) { return *a == *b; }),
        names.end());
    rootList.reserve(names.size());
    for (const std::string* name : names) {
        long id = kb.getIDFromName(*name);
        rootList.push_back(Root { name, id, kb.getConceptKind(kb.getConcept(id)) });
        kindRoots[rootList.back().kind] = name;
    }
}

const std::string& OwlNaming::label(const QueltConcept& con) const
{
    for (const auto& entry : con.getProperties()) {
        if (*propertyCache.of(entry.second).text == kPreferredName)
            return entry.second.getValue();
    }
    return con.getName();
}

const std::string* OwlNaming::rootOfKind(const std::string& kind) const
{
    auto it = kindRoots.find(kind);
    return it == kindRoots.end() ? nullptr : it->second;
}
