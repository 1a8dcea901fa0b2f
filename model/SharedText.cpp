#include "model/SharedText.h"

#include <functional>
#include <vector>

// The texts held, in an open-addressing table of entries: linear probing,
// at most half full, each entry with its hash so that growing and probing
// need not hash again or compare other texts.
struct SharedText::Pool {
    std::vector<Entry*> slots = std::vector<Entry*>(64, nullptr);
    std::size_t used = 0;

    std::size_t mask() const { return slots.size() - 1; }

    // The slot of the text, or the vacant slot where it would go.
    std::size_t slotOf(std::string_view text, std::uint32_t hash) const
    {
        std::size_t at = hash & mask();
        for (; slots[at] != nullptr; at = (at + 1) & mask()) {
            if (slots[at]->hash == hash && slots[at]->text == text)
                break;
        }
        return at;
    }

    void grow()
    {
        std::vector<Entry*> old(slots.size() * 2, nullptr);
        old.swap(slots);
        for (Entry* moved : old) {
            if (moved == nullptr)
                continue;
            std::size_t at = moved->hash & mask();
            while (slots[at] != nullptr)
                at = (at + 1) & mask();
            slots[at] = moved;
        }
    }

    void erase(std::size_t at)
    {
        // Moves back the entries after it that would no longer be found.
        for (std::size_t next = (at + 1) & mask(); slots[next] != nullptr;
             next = (next + 1) & mask()) {
            if (movesBack(at, next, slots[next]->hash & mask())) {
                slots[at] = slots[next];
                at = next;
            }
        }
        slots[at] = nullptr;
        --used;
    }
};

// Never destroyed: SharedTexts in static storage may outlive any other
// static object.
SharedText::Pool& SharedText::pool()
{
    static Pool* thePool = new Pool();
    return *thePool;
}

SharedText::SharedText(std::string_view text)
    : entry(text.empty() ? nullptr : enter(text, nullptr))
{
}

SharedText::SharedText(std::string&& text)
    : entry(text.empty() ? nullptr : enter(text, &text))
{
}

SharedText::Entry* SharedText::enter(std::string_view text, std::string* bytes)
{
    Pool& texts = pool();
    std::uint32_t hash = hashOf(text);
    std::size_t at = texts.slotOf(text, hash);
    if (texts.slots[at] != nullptr) {
        ++texts.slots[at]->holders;
        return texts.slots[at];
    }
    Entry* entry = new Entry { bytes != nullptr ? std::move(*bytes) : std::string(text), 1, hash };
    texts.slots[at] = entry;
    if (++texts.used * 2 > texts.slots.size())
        texts.grow();
    return entry;
}

void SharedText::release(Entry* entry)
{
    Pool& texts = pool();
    std::size_t at = entry->hash & texts.mask();
    while (texts.slots[at] != entry)
        at = (at + 1) & texts.mask();
    texts.erase(at);
    delete entry;
}

std::uint32_t SharedText::hashOf(std::string_view text)
{
    return text.empty() ? 0 : static_cast<std::uint32_t>(std::hash<std::string_view>()(text));
}

std::size_t SharedText::count()
{
    return pool().used;
}

const std::string& SharedText::emptyText()
{
    static const std::string none;
    return none;
}
