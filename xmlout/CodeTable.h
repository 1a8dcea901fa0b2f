#ifndef QUELT_XMLOUT_CODETABLE_H
#define QUELT_XMLOUT_CODETABLE_H

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Name -> identifier: open addressing with linear probing, at most half
// full. Each entry, a name followed by its identifier, is copied into a
// block of text, and a slot holds part of the name's hash and where the
// entry is; so a look-up reads one slot and one place of a block, and never
// the knowledge base, whose records lie scattered over far more memory. A
// later entry for the same name replaces the earlier one, except that an
// entry of a name alone (without an identifier) only stands for a name
// that has no entry yet.
class CodeTable {
public:
    // Entries gathered apart from the table, on any thread, and handed to
    // it later in one go.
    class Block {
    public:
        void reserve(size_t bytes) { text.reserve(bytes); }
        void add(std::string_view key, std::string_view code)
        {
            append(text, std::hash<std::string_view>()(key), key, code);
        }
        void addName(std::string_view key)
        {
            append(text, std::hash<std::string_view>()(key), key, std::string_view(), true);
        }
        bool empty() const { return text.empty(); }

    private:
        friend class CodeTable;
        std::string text;
    };

    CodeTable()
        : blocks(1, std::string(kUnit, '\0'))
    {
    } // no entry at 0 of block 0

    void reserve(size_t entries)
    {
        size_t capacity = 16;
        while (capacity < 2 * entries)
            capacity *= 2;
        if (capacity > slots.size())
            rehash(capacity);
    }

    void set(std::string_view key, std::string_view code) { setEntry(key, code, false); }
    void setName(std::string_view key) { setEntry(key, std::string_view(), true); }

    // Adds the block's entries in the order they were added to it. The
    // block is kept as it is, not copied.
    void add(Block&& block)
    {
        if (block.text.empty())
            return;
        if (blocks.size() > kBlockMask) {
            size_t at = blocks[0].size();
            blocks[0] += block.text;
            index(0, at);
            return;
        }
        blocks.push_back(std::move(block.text));
        index(blocks.size() - 1, 0);
    }

    // The identifier of the name: empty for a name without one, nothing
    // for a name without an entry.
    std::optional<std::string_view> find(std::string_view key) const
    {
        std::uint64_t slot = slotOf(key);
        if (slot == 0)
            return std::nullopt;
        const char* entry = entryOf(slot);
        Header header = headerOf(entry);
        if (header.codeSize == kNameOnly)
            return std::string_view();
        return std::string_view(
            entry + sizeof(Header) + header.keySize, static_cast<size_t>(header.codeSize));
    }

    // The identifier of the name, or the empty text.
    std::string_view get(std::string_view key) const
    {
        return find(key).value_or(std::string_view());
    }

    // Whether the name has an entry (whose identifier may be empty).
    bool contains(std::string_view key) const { return slotOf(key) != 0; }

private:
    // Entries start at multiples of kUnit bytes of their block: the header,
    // the name, the identifier, padding.
    static constexpr size_t kUnit = 8;
    struct Header {
        std::uint64_t hash;
        std::uint64_t keySize;
        std::uint64_t codeSize; // kNameOnly: a name without an identifier
    };
    static constexpr std::uint64_t kNameOnly = ~std::uint64_t(0);

    // A slot, 0 when free: the upper 24 bits of the name's hash, the block
    // (8 bits) and the entry's offset in the block in units (32 bits).
    static constexpr std::uint64_t kBlockMask = 0xFF;
    static constexpr std::uint64_t kOffsetMask = 0xFFFFFFFF;
    static constexpr std::uint64_t kTagMask = ~std::uint64_t(0) << 40;

    static void append(std::string& text, std::uint64_t hash, std::string_view key,
        std::string_view code, bool nameOnly = false)
    {
        Header header { hash, key.size(), nameOnly ? kNameOnly : code.size() };
        text.append(reinterpret_cast<const char*>(&header), sizeof header);
        text += key;
        text += code;
        text.append((kUnit - text.size() % kUnit) % kUnit, '\0');
    }

    void setEntry(std::string_view key, std::string_view code, bool nameOnly)
    {
        std::string& own = blocks[0];
        size_t at = own.size();
        append(own, std::hash<std::string_view>()(key), key, code, nameOnly);
        index(0, at);
    }

    static Header headerOf(const char* entry)
    {
        Header header;
        std::memcpy(&header, entry, sizeof header);
        return header;
    }

    std::uint64_t slotOf(std::string_view key) const
    {
        if (slots.empty())
            return 0;
        return slots[position(key, std::hash<std::string_view>()(key))];
    }

    const char* entryOf(std::uint64_t slot) const
    {
        return blocks[(slot >> 32) & kBlockMask].data() + (slot & kOffsetMask) * kUnit;
    }

    // Index of the slot holding the key, or of the free slot where it goes.
    size_t position(std::string_view key, std::uint64_t hash) const
    {
        size_t mask = slots.size() - 1;
        for (size_t at = static_cast<size_t>(hash) & mask;; at = (at + 1) & mask) {
            std::uint64_t slot = slots[at];
            if (slot == 0)
                return at;
            if (((slot ^ hash) & kTagMask) == 0) {
                const char* entry = entryOf(slot);
                Header header = headerOf(entry);
                if (header.hash == hash
                    && std::string_view(entry + sizeof(Header), static_cast<size_t>(header.keySize))
                        == key)
                    return at;
            }
        }
    }

    // Puts the entries of the block from the offset on into slots.
    void index(size_t block, size_t from)
    {
        const std::string& text = blocks[block];
        if (text.size() / kUnit > kOffsetMask)
            throw std::length_error("identifier table too large");
        while (from < text.size()) {
            Header header = headerOf(text.data() + from);
            if (2 * (used + 1) > slots.size())
                rehash(slots.empty() ? 16 : 2 * slots.size());
            std::string_view key(
                text.data() + from + sizeof(Header), static_cast<size_t>(header.keySize));
            std::uint64_t& slot = slots[position(key, header.hash)];
            bool nameOnly = header.codeSize == kNameOnly;
            if (slot == 0)
                ++used;
            if (slot == 0 || !nameOnly)
                slot = (header.hash & kTagMask) | (std::uint64_t(block) << 32) | (from / kUnit);
            size_t size = sizeof(Header) + static_cast<size_t>(header.keySize)
                + (nameOnly ? 0 : static_cast<size_t>(header.codeSize));
            from += (size + kUnit - 1) / kUnit * kUnit;
        }
    }

    void rehash(size_t capacity)
    {
        std::vector<std::uint64_t> old(capacity, 0);
        old.swap(slots);
        size_t mask = slots.size() - 1;
        for (std::uint64_t slot : old) {
            if (slot == 0)
                continue;
            size_t at = static_cast<size_t>(headerOf(entryOf(slot)).hash) & mask;
            while (slots[at] != 0)
                at = (at + 1) & mask;
            slots[at] = slot;
        }
    }

    std::vector<std::uint64_t> slots;
    size_t used = 0;
    std::vector<std::string> blocks; // 0: the entries given to set()
};

#endif
