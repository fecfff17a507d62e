#pragma once

#include <cstdint>
#include <initializer_list>

namespace vesk::sample {

// One step of splitmix64: a good 64-bit mixer and the whole state of the generator below.
constexpr std::uint64_t MixBits(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A well-spread hash of a few numbers, for choices that must not depend on the
// order in which things are generated (a street, a park, a sub-sheet's buildings).
constexpr std::uint64_t HashKey(std::initializer_list<std::uint64_t> parts) {
    std::uint64_t h = 0x5EED5A4D1EULL;
    for (std::uint64_t part : parts) {
        h = MixBits(h ^ part);
    }
    return h;
}

// A small deterministic generator. The standard distributions are avoided on
// purpose: their output differs between standard libraries, and sample files
// must be the same bytes everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        state_ += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // In [0, 1), from the top 53 bits.
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    double Between(double low, double high) { return low + (high - low) * Unit(); }
    bool Chance(double probability) { return Unit() < probability; }

private:
    std::uint64_t state_;
};

}  // namespace vesk::sample
