#ifndef QUELT_MODEL_SHAREDTEXT_H
#define QUELT_MODEL_SHAREDTEXT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A text kept once for every holder of the same bytes. Concept names recur
// all over a terminology (the concept's own, its children's parents, the
// values of the roles and associations that point at it, the registries'
// keys) and so do qualifier values; one copy serves them all. A SharedText
// points at an entry of a pool of the process that counts the holders of
// each text and lets it go with the last one. Equal texts have one entry,
// so they compare, and key tables, by address.
//
// Like the name registries, the pool changes on one thread at a time:
// SharedTexts are made, copied and destroyed on the thread that builds or
// changes records, and where two reads run at once, only under the lock
// the reader holds for all model work (so records a reader lets go of are
// let go of under it too). Other threads may read texts and look them up
// while none is made, copied or destroyed: the counts are not atomic.
class SharedText {
public:
    // What stands for a text among those held: equal for equal texts;
    // nullptr for the empty text.
    using Key = const void*;

    SharedText() = default;
    explicit SharedText(std::string_view text);
    // Keeps the bytes of `text` when no holder has them yet.
    explicit SharedText(std::string&& text);
    SharedText(const SharedText& other) noexcept
        : entry(other.entry)
    {
        if (entry != nullptr)
            ++entry->holders;
    }
    SharedText(SharedText&& other) noexcept
        : entry(std::exchange(other.entry, nullptr))
    {
    }
    SharedText& operator=(const SharedText& other) noexcept
    {
        SharedText(other).swap(*this);
        return *this;
    }
    SharedText& operator=(SharedText&& other) noexcept
    {
        SharedText(std::move(other)).swap(*this);
        return *this;
    }
    ~SharedText()
    {
        if (entry != nullptr && --entry->holders == 0)
            release(entry);
    }

    const std::string& str() const { return entry != nullptr ? entry->text : emptyText(); }
    bool empty() const { return entry == nullptr; }
    Key key() const { return entry; }
    // The hash of the text, as hashOf gives it.
    std::uint32_t hash() const { return entry != nullptr ? entry->hash : 0; }
    void swap(SharedText& other) noexcept { std::swap(entry, other.entry); }

    bool operator==(const SharedText& other) const { return entry == other.entry; }
    bool operator!=(const SharedText& other) const { return entry != other.entry; }
    // Byte order of the texts.
    bool operator<(const SharedText& other) const
    {
        return entry != other.entry && str() < other.str();
    }

    // The hash tables of texts use: 0 for the empty text.
    static std::uint32_t hashOf(std::string_view text);
    // The number of distinct texts held.
    static std::size_t count();

private:
    template <class V> friend class SharedTextMap;
    struct Entry {
        std::string text;
        std::uint32_t holders;
        std::uint32_t hash;
    };
    struct Pool;
    static Pool& pool();

    explicit SharedText(Entry* held)
        : entry(held)
    {
    }
    static Entry* enter(std::string_view text, std::string* bytes);
    static void release(Entry* entry);
    static const std::string& emptyText();
    // In a table of linear probing where slot `at` was just vacated: whether
    // the entry in slot `next` (after `at`, before the next vacant slot),
    // which hashes to slot `want`, must move back to `at` to stay found.
    static bool movesBack(std::size_t at, std::size_t next, std::size_t want)
    {
        bool between = at <= next ? (want > at && want <= next) : (want > at || want <= next);
        return !between;
    }

    Entry* entry = nullptr;
};

// A hash table from texts held as SharedText to values, found by text:
// open addressing in one block of slots, each a key, the hash of its text
// and its value, at most three quarters full. It holds each of its keys as
// a SharedText would. Not iterated; copies are whole.
template <class V> class SharedTextMap {
public:
    SharedTextMap() = default;
    SharedTextMap(const SharedTextMap& other)
        : slots(other.slots)
        , used(other.used)
    {
        for (Slot& slot : slots) {
            if (slot.key != vacant())
                hold(slot.key);
        }
    }
    SharedTextMap& operator=(const SharedTextMap& other)
    {
        if (this != &other) {
            SharedTextMap copy(other);
            std::swap(slots, copy.slots);
            std::swap(used, copy.used);
        }
        return *this;
    }
    ~SharedTextMap() { clear(); }

    std::size_t size() const { return used; }
    bool empty() const { return used == 0; }
    void clear()
    {
        for (Slot& slot : slots) {
            if (slot.key != vacant())
                drop(slot.key);
        }
        slots.clear();
        used = 0;
    }
    // Room for `count` texts in all without growing.
    void reserve(std::size_t count)
    {
        if (count * 4 > slots.size() * 3)
            rehash(capacityFor(count));
    }

    // The value of the text; nullptr when the map does not have it.
    const V* find(std::string_view text) const
    {
        std::size_t at = slotOf(text, SharedText::hashOf(text));
        return at == kNone ? nullptr : &slots[at].value;
    }
    V* find(std::string_view text) { return const_cast<V*>(std::as_const(*this).find(text)); }

    // Adds the text with the value unless the map has it; the value of the
    // text, and whether it was added.
    std::pair<V*, bool> tryEmplace(const SharedText& text, V value)
    {
        reserve(used + 1);
        const std::uint32_t hash = text.hash();
        std::size_t at = hash & mask();
        for (; slots[at].key != vacant(); at = (at + 1) & mask()) {
            if (slots[at].key == text.key())
                return { &slots[at].value, false };
        }
        hold(text.key());
        slots[at] = Slot { text.key(), hash, std::move(value) };
        ++used;
        return { &slots[at].value, true };
    }

    // Takes the text out; false when the map did not have it.
    bool erase(std::string_view text)
    {
        std::size_t at = slotOf(text, SharedText::hashOf(text));
        if (at == kNone)
            return false;
        drop(slots[at].key);
        --used;
        // Moves back the slots after it that would no longer be found.
        for (std::size_t next = (at + 1) & mask(); slots[next].key != vacant();
             next = (next + 1) & mask()) {
            if (SharedText::movesBack(at, next, slots[next].hash & mask())) {
                slots[at] = std::move(slots[next]);
                at = next;
            }
        }
        slots[at] = Slot {};
        return true;
    }

private:
    struct Slot {
        SharedText::Key key = vacant();
        std::uint32_t hash = 0;
        V value = V();
    };
    static constexpr std::size_t kNone = ~std::size_t(0);

    static SharedText::Key vacant()
    {
        static const char tag = 0;
        return &tag;
    }
    static SharedText::Entry* entryOf(SharedText::Key key)
    {
        return static_cast<SharedText::Entry*>(const_cast<void*>(key));
    }
    static void hold(SharedText::Key key)
    {
        if (key != nullptr)
            ++entryOf(key)->holders;
    }
    static void drop(SharedText::Key key)
    {
        if (key != nullptr && --entryOf(key)->holders == 0)
            SharedText::release(entryOf(key));
    }
    std::size_t mask() const { return slots.size() - 1; }
    std::size_t slotOf(std::string_view text, std::uint32_t hash) const
    {
        if (used == 0)
            return kNone;
        for (std::size_t at = hash & mask(); slots[at].key != vacant(); at = (at + 1) & mask()) {
            const Slot& slot = slots[at];
            if (slot.hash == hash
                && (slot.key == nullptr ? text.empty() : entryOf(slot.key)->text == text))
                return at;
        }
        return kNone;
    }
    static std::size_t capacityFor(std::size_t count)
    {
        std::size_t capacity = 16;
        while (capacity * 3 < count * 4)
            capacity *= 2;
        return capacity;
    }
    void rehash(std::size_t capacity)
    {
        std::vector<Slot> old(capacity);
        old.swap(slots);
        for (Slot& slot : old) {
            if (slot.key == vacant())
                continue;
            std::size_t at = slot.hash & mask();
            while (slots[at].key != vacant())
                at = (at + 1) & mask();
            slots[at] = std::move(slot);
        }
    }

    std::vector<Slot> slots;
    std::size_t used = 0;
};

#endif
