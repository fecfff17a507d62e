#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace vesk {

// The most characters WritePaddedInteger can write.
inline constexpr int kMaxIntegerChars = 20;

namespace integer_format_detail {

// "00", "01", ... "99": two digits per table look-up halves the divisions.
constexpr std::array<char, 200> MakeDigitPairs() {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}

inline constexpr std::array<char, 200> kDigitPairs = MakeDigitPairs();

inline int DecimalDigits(std::uint64_t value) {
    int digits = 1;
    for (std::uint64_t limit = 10; digits < 20 && value >= limit; limit *= 10) {
        ++digits;
    }
    return digits;
}

}  // namespace integer_format_detail

// Two decimal digits of a value below 100.
inline void WriteTwoDigits(char* out, unsigned value) {
    std::memcpy(out, integer_format_detail::kDigitPairs.data() + 2 * value, 2);
}

// What "%0Nd" prints for a non-negative value: at least minDigits digits,
// zero-padded on the left, more when the value needs them. Gives the end of
// the text; no terminator is written. Inline: it runs for every number of a
// geometry file.
inline char* WritePaddedInteger(char* out, std::uint64_t value, int minDigits) {
    const int digits = integer_format_detail::DecimalDigits(value);
    for (int pad = digits; pad < minDigits && pad < kMaxIntegerChars; ++pad) {
        *out++ = '0';
    }
    // Digits are written from the last one backwards, straight into place.
    char* end = out + digits;
    char* at = end;
    while (value >= 100) {
        at -= 2;
        WriteTwoDigits(at, static_cast<unsigned>(value % 100));
        value /= 100;
    }
    if (value >= 10) {
        WriteTwoDigits(at - 2, static_cast<unsigned>(value));
    } else {
        at[-1] = static_cast<char>('0' + value);
    }
    return end;
}

}  // namespace vesk
