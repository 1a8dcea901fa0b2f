#ifndef QUELT_TOOLS_GEN_OUTPUT_H
#define QUELT_TOOLS_GEN_OUTPUT_H

// The document's bytes, gathered in one large buffer and handed to the sink
// a buffer at a time.

#include "tools/gen/Generate.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace gen {

// The decimal digits of value, at the end of buffer.
inline std::string_view decimal(std::uint64_t value, char (&buffer)[20])
{
    char* const end = buffer + sizeof buffer;
    char* digit = end;
    do {
        *--digit = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return std::string_view(digit, static_cast<std::size_t>(end - digit));
}

inline void appendNumber(std::string& to, std::uint64_t value)
{
    char buffer[20];
    to += decimal(value, buffer);
}

class Output {
public:
    explicit Output(Sink& givenSink)
        : sink(givenSink)
        , buffer(kCapacity)
    {
    }

    void put(const char* text, std::size_t length)
    {
        if (length > kCapacity - used) {
            flush();
            if (length > kCapacity) {
                sink.write(text, length);
                return;
            }
        }
        std::memcpy(buffer.data() + used, text, length);
        used += length;
    }
    void put(std::string_view text) { put(text.data(), text.size()); }
    void put(char c)
    {
        if (used == kCapacity)
            flush();
        buffer[used++] = c;
    }
    void number(std::uint64_t value)
    {
        char digits[20];
        put(decimal(value, digits));
    }

    // <tag>text</tag>. The text is written as it is: callers pass texts that
    // are already escaped.
    void element(std::string_view tag, std::string_view text)
    {
        open(tag);
        put(text);
        close(tag);
    }
    // <tag>prefix value</tag>, the number in decimal.
    void elementNumber(std::string_view tag, std::string_view prefix, std::uint64_t value)
    {
        open(tag);
        put(prefix);
        number(value);
        close(tag);
    }
    // The same, each on a line of its own.
    void leaf(std::string_view tag, std::string_view text)
    {
        element(tag, text);
        put('\n');
    }
    void leafNumber(std::string_view tag, std::string_view prefix, std::uint64_t value)
    {
        elementNumber(tag, prefix, value);
        put('\n');
    }
    void line(std::string_view text)
    {
        put(text);
        put('\n');
    }

    void flush()
    {
        if (used != 0)
            sink.write(buffer.data(), used);
        used = 0;
    }

private:
    static constexpr std::size_t kCapacity = std::size_t(4) << 20;

    void open(std::string_view tag)
    {
        put('<');
        put(tag);
        put('>');
    }
    void close(std::string_view tag)
    {
        put("</", 2);
        put(tag);
        put('>');
    }

    Sink& sink;
    std::vector<char> buffer;
    std::size_t used = 0;
};

} // namespace gen

#endif
