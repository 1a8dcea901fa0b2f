#include "owl/TableBuilder.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <map>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace owl {

namespace {

const std::string kRxk = "RXK";

// Fewer concepts than this are gone through by the calling thread alone.
const size_t kConceptsPerThread = 2048;

using ConceptIterator = QueltKb::ConceptMap::const_iterator;

// The first record met of each map id, whose name is looked up later.
template <class Record> class FirstOfEachId {
public:
    void note(const Record& record)
    {
        long id = record.getNameID();
        if (id >= -1 && id < kLimit) {
            size_t at = static_cast<size_t>(id + 1);
            if (at >= first.size())
                first.resize(at + 1, nullptr);
            if (first[at] == nullptr)
                first[at] = &record;
        } else {
            others.emplace(id, &record);
        }
    }

    template <class F> void forEach(F f) const
    {
        for (const Record* record : first) {
            if (record != nullptr)
                f(*record);
        }
        for (const auto& entry : others)
            f(*entry.second);
    }

private:
    static constexpr long kLimit = 1L << 16;
    std::vector<const Record*> first; // by map id + 1
    std::map<long, const Record*> others;
};

// What one thread gathers from a range of consecutive concepts, looking
// nothing up.
struct RangeScan {
    FirstOfEachId<QueltProperty> properties;
    FirstOfEachId<QueltRole> roles;
    FirstOfEachId<QueltAssociation> associations;
    FirstOfEachId<QueltQualifier> qualifiers;
    // Concept name and value of each property whose map id is one of the
    // guessed "RXK" ids, in order.
    CodeTable::Block codes;
    // Names of the concepts without parents, in order.
    std::vector<const std::string*> roots;
};

void scan(
    ConceptIterator first, ConceptIterator last, const std::vector<long>& rxkIds, RangeScan& out)
{
    for (; first != last; ++first) {
        const QueltConcept& con = first->second;
        if (con.getNumParents() == 0)
            out.roots.push_back(&con.getName());
        for (const auto& entry : con.getProperties()) {
            const QueltProperty& property = entry.second;
            out.properties.note(property);
            if (std::find(rxkIds.begin(), rxkIds.end(), property.getNameID()) != rxkIds.end())
                out.codes.add(con.getName(), property.getValue());
            for (const QueltQualifier& qualifier : property.getQualifiers())
                out.qualifiers.note(qualifier);
        }
        for (const auto& entry : con.getRoles())
            out.roles.note(entry.second);
        for (const auto& entry : con.getAssociations()) {
            out.associations.note(entry.second);
            for (const QueltQualifier& qualifier : entry.second.getQualifiers())
                out.qualifiers.note(qualifier);
        }
    }
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

} // namespace

void buildConceptTables(
    const QueltKb& kb, unsigned threads, ConceptTables& tables, std::set<std::string>& roots)
{
    const QueltKb::ConceptMap& concepts = kb.getConcepts();

    // The map ids of the properties named "RXK" are those the knowledge
    // base files the definition of that name under; checked below.
    std::vector<long> rxkIds;
    for (const auto& entry : kb.getPropertyDefs()) {
        if (entry.second.getName() == kRxk)
            rxkIds.push_back(entry.first);
    }

    size_t parts = std::min<size_t>(threads + 1, concepts.size() / kConceptsPerThread + 1);
    std::vector<ConceptIterator> bounds = cut(concepts, parts);
    std::vector<RangeScan> scans(bounds.size() - 1);
    // Room for a name and an identifier of usual length per concept.
    for (RangeScan& part : scans)
        part.codes.reserve(concepts.size() / scans.size() * 80);
    std::vector<std::exception_ptr> failures(scans.size());
    std::vector<std::thread> helpers;
    struct Joiner {
        std::vector<std::thread>& threads;
        ~Joiner()
        {
            for (std::thread& thread : threads)
                thread.join();
        }
    } joiner { helpers };
    for (size_t i = 1; i < scans.size(); ++i) {
        auto work = [&, i] {
            try {
                scan(bounds[i], bounds[i + 1], rxkIds, scans[i]);
            } catch (...) {
                failures[i] = std::current_exception();
            }
        };
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            work(); // no thread to be had: this one does the range
        }
    }
    if (!scans.empty()) {
        try {
            scan(bounds[0], bounds[1], rxkIds, scans[0]);
        } catch (...) {
            failures[0] = std::current_exception();
        }
    }
    for (std::thread& helper : helpers)
        helper.join();
    helpers.clear();
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }

    bool guessed = true;
    for (const RangeScan& part : scans) {
        part.properties.forEach([&](const QueltProperty& property) {
            bool named = *tables.propertyNames.resolve(property).text == kRxk;
            bool counted
                = std::find(rxkIds.begin(), rxkIds.end(), property.getNameID()) != rxkIds.end();
            if (named != counted)
                guessed = false;
        });
        part.roles.forEach([&](const QueltRole& role) { tables.roleNames.resolve(role); });
        part.associations.forEach([&](const QueltAssociation& association) {
            tables.associationNames.resolve(association);
        });
        part.qualifiers.forEach(
            [&](const QueltQualifier& qualifier) { tables.qualifierNames.resolve(qualifier); });
        for (const std::string* root : part.roots)
            roots.insert(*root);
    }

    tables.conceptCodes.reserve(concepts.size());
    if (guessed) {
        for (RangeScan& part : scans)
            tables.conceptCodes.add(std::move(part.codes));
    } else {
        // Some property holds a map id whose name is "RXK" although no
        // definition of the knowledge base is filed under it, or the
        // other way round: go through the concepts again by name.
        for (const auto& entry : concepts) {
            for (const auto& property : entry.second.getProperties()) {
                if (*tables.propertyNames.of(property.second).text == kRxk)
                    tables.conceptCodes.set(entry.second.getName(), property.second.getValue());
            }
        }
    }
}

} // namespace owl
