#ifndef QUELT_MODEL_CONCEPTSTORE_H
#define QUELT_MODEL_CONCEPTSTORE_H

#include "model/QueltConcept.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <utility>

// The concepts of a knowledge base by identifier. Identifiers are handed out
// in increasing order and concepts are never removed, so the concepts are
// kept in order of arrival in a deque (no node of their own, and a concept
// never moves once stored) and found by binary search. Iterates like the
// std::map<long, QueltConcept> it stands for; appending invalidates
// iterators but not references.
class ConceptStore {
public:
    using key_type = long;
    using mapped_type = QueltConcept;
    using value_type = std::pair<const long, QueltConcept>;
    using iterator = std::deque<value_type>::iterator;
    using const_iterator = std::deque<value_type>::const_iterator;
    using const_reverse_iterator = std::deque<value_type>::const_reverse_iterator;

    ConceptStore() = default;
    ConceptStore(const ConceptStore&) = default;
    ConceptStore& operator=(const ConceptStore& other)
    {
        if (this != &other) {
            std::deque<value_type> copy(other.entries);
            entries.swap(copy);
        }
        return *this;
    }

    iterator begin() { return entries.begin(); }
    iterator end() { return entries.end(); }
    const_iterator begin() const { return entries.begin(); }
    const_iterator end() const { return entries.end(); }
    const_reverse_iterator rbegin() const { return entries.rbegin(); }
    const_reverse_iterator rend() const { return entries.rend(); }
    std::size_t size() const { return entries.size(); }
    bool empty() const { return entries.empty(); }

    // The entry at that position of the order of arrival.
    const value_type& at(std::size_t index) const { return entries[index]; }

    const_iterator lower_bound(long id) const
    {
        return std::lower_bound(entries.begin(), entries.end(), id,
            [](const value_type& entry, long key) { return entry.first < key; });
    }
    const_iterator upper_bound(long id) const
    {
        return std::upper_bound(entries.begin(), entries.end(), id,
            [](long key, const value_type& entry) { return key < entry.first; });
    }
    const_iterator find(long id) const
    {
        const_iterator it = lower_bound(id);
        return it != entries.end() && it->first == id ? it : entries.end();
    }
    iterator find(long id)
    {
        return entries.begin()
            + (static_cast<const ConceptStore&>(*this).find(id) - entries.cbegin());
    }

    // The position of the concept of that identifier in the order of
    // arrival; size() when there is none.
    std::size_t position(long id) const
    {
        // Identifiers handed out one after the other lead straight there.
        if (!entries.empty() && id >= entries.front().first
            && static_cast<unsigned long>(id - entries.front().first) < entries.size()) {
            std::size_t at = static_cast<std::size_t>(id - entries.front().first);
            if (entries[at].first == id)
                return at;
        }
        return static_cast<std::size_t>(find(id) - entries.begin());
    }

    // Stores the concept under an identifier greater than every one held.
    value_type& append(long id, QueltConcept&& con)
    {
        return entries.emplace_back(id, std::move(con));
    }

private:
    std::deque<value_type> entries;
};

#endif
