#ifndef QUELT_TOOLS_GEN_RANDOM_H
#define QUELT_TOOLS_GEN_RANDOM_H

// Random numbers of our own (splitmix64), so that a seed gives the same
// numbers with any compiler and library.

#include <cstddef>
#include <cstdint>

namespace gen {

class Rng {
public:
    explicit Rng(std::uint64_t seed)
        : state(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A number in [0, n); n > 0. The multiply-shift reduction is slightly
    // biased for large n, which does not matter here.
    std::uint32_t below(std::uint32_t n)
    {
        return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32);
    }
    std::uint64_t below64(std::uint64_t n)
    {
        return n <= 0xFFFFFFFFull ? below(static_cast<std::uint32_t>(n)) : next() % n;
    }
    bool percent(std::uint32_t p) { return below(100) < p; }
    // A number in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

private:
    std::uint64_t state;
};

inline std::uint64_t mix(std::uint64_t x)
{
    Rng r(x);
    return r.next();
}

// Picks an index by a table of weights.
template <std::size_t N> std::uint32_t weighted(Rng& rng, const std::uint32_t (&weights)[N])
{
    std::uint32_t total = 0;
    for (std::uint32_t w : weights)
        total += w;
    std::uint32_t x = rng.below(total);
    for (std::size_t i = 0; i < N; ++i) {
        if (x < weights[i])
            return static_cast<std::uint32_t>(i);
        x -= weights[i];
    }
    return static_cast<std::uint32_t>(N - 1);
}

template <typename T, std::size_t N> constexpr std::size_t countOf(const T (&)[N])
{
    return N;
}

template <std::size_t N> const char* pick(Rng& rng, const char* const (&list)[N])
{
    return list[rng.below(N)];
}

} // namespace gen

#endif
