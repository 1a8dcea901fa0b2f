#ifndef QUELT_MODEL_FLATCONTAINERS_H
#define QUELT_MODEL_FLATCONTAINERS_H

#include "model/SharedText.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

// The small ordered containers of a concept, each held in one vector
// instead of a tree of nodes: a knowledge base holds hundreds of thousands
// of concepts with a handful of entries each, and one block per container
// takes a fraction of the memory (and of the allocations) of one node per
// entry. They iterate, compare and answer exactly like the standard ordered
// containers they stand for; inserting or erasing invalidates iterators.

// A multimap from long keys to values: entries (std::pair<long, V>) sorted
// by key, entries of equal keys in the order they were added.
template <class V> class KeyedList {
public:
    using value_type = std::pair<long, V>;
    using iterator = typename std::vector<value_type>::iterator;
    using const_iterator = typename std::vector<value_type>::const_iterator;

    iterator begin() { return entries.begin(); }
    iterator end() { return entries.end(); }
    const_iterator begin() const { return entries.begin(); }
    const_iterator end() const { return entries.end(); }
    std::size_t size() const { return entries.size(); }
    bool empty() const { return entries.empty(); }
    void clear() { entries.clear(); }
    void reserve(std::size_t count) { entries.reserve(count); }

    // After every entry whose key is not greater than this one.
    iterator emplace(long key, V&& value)
    {
        if (entries.empty() || entries.back().first <= key) {
            entries.emplace_back(key, std::move(value));
            return entries.end() - 1;
        }
        auto at = std::upper_bound(entries.begin(), entries.end(), key,
            [](long k, const value_type& entry) { return k < entry.first; });
        return entries.emplace(at, key, std::move(value));
    }
    iterator erase(iterator at) { return entries.erase(at); }

    bool operator==(const KeyedList& other) const { return entries == other.entries; }
    bool operator<(const KeyedList& other) const { return entries < other.entries; }

private:
    std::vector<value_type> entries;
};

// A set of texts: sorted byte-wise, each text once. The texts are
// SharedTexts (they are concept names); iterating yields the strings.
class TextSet {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string*;
        using reference = const std::string&;

        const_iterator() = default;
        reference operator*() const { return at->str(); }
        pointer operator->() const { return &at->str(); }
        reference operator[](difference_type n) const { return at[n].str(); }
        const_iterator& operator++()
        {
            ++at;
            return *this;
        }
        const_iterator operator++(int) { return const_iterator(at++); }
        const_iterator& operator--()
        {
            --at;
            return *this;
        }
        const_iterator operator--(int) { return const_iterator(at--); }
        const_iterator& operator+=(difference_type n)
        {
            at += n;
            return *this;
        }
        const_iterator& operator-=(difference_type n)
        {
            at -= n;
            return *this;
        }
        const_iterator operator+(difference_type n) const { return const_iterator(at + n); }
        const_iterator operator-(difference_type n) const { return const_iterator(at - n); }
        difference_type operator-(const const_iterator& other) const { return at - other.at; }
        bool operator==(const const_iterator& other) const { return at == other.at; }
        bool operator!=(const const_iterator& other) const { return at != other.at; }
        bool operator<(const const_iterator& other) const { return at < other.at; }

    private:
        friend class TextSet;
        using Base = std::vector<SharedText>::const_iterator;
        explicit const_iterator(Base base)
            : at(base)
        {
        }
        Base at;
    };
    using iterator = const_iterator;

    const_iterator begin() const { return const_iterator(texts.begin()); }
    const_iterator end() const { return const_iterator(texts.end()); }
    std::size_t size() const { return texts.size(); }
    bool empty() const { return texts.empty(); }
    void clear() { texts.clear(); }

    void insert(SharedText text)
    {
        auto at = std::lower_bound(texts.begin(), texts.end(), text);
        if (at == texts.end() || *at != text)
            texts.insert(at, std::move(text));
    }
    void erase(const std::string& text)
    {
        auto at = std::lower_bound(texts.begin(), texts.end(), text,
            [](const SharedText& held, const std::string& t) { return held.str() < t; });
        if (at != texts.end() && at->str() == text)
            texts.erase(at);
    }

    bool operator==(const TextSet& other) const { return texts == other.texts; }
    bool operator<(const TextSet& other) const { return texts < other.texts; }

private:
    std::vector<SharedText> texts;
};

// A map from long keys to counts, sorted by key.
class CountMap {
public:
    using value_type = std::pair<long, long>;
    using const_iterator = std::vector<value_type>::const_iterator;

    const_iterator begin() const { return counts.begin(); }
    const_iterator end() const { return counts.end(); }
    std::size_t size() const { return counts.size(); }
    bool empty() const { return counts.empty(); }
    void clear() { counts.clear(); }

    // Adds delta to the count of the key (an absent key counts 0); a count
    // that falls to 0 or below takes its key out.
    void add(long key, long delta)
    {
        auto at = std::lower_bound(counts.begin(), counts.end(), key,
            [](const value_type& entry, long k) { return entry.first < k; });
        if (at == counts.end() || at->first != key)
            at = counts.emplace(at, key, 0);
        at->second += delta;
        if (at->second <= 0)
            counts.erase(at);
    }

    bool operator==(const CountMap& other) const { return counts == other.counts; }

private:
    std::vector<value_type> counts;
};

#endif
