#include "convert/FixedRealFormat.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "convert/IntegerFormat.h"

namespace vesk {
namespace {

// The one type wide enough for a 53-bit mantissa times 10^6 (GCC and Clang).
__extension__ typedef unsigned __int128 U128;

constexpr std::uint64_t kMillion = 1'000'000;
constexpr int kFractionBits = 52;
constexpr int kExponentBias = 1075;  // of the mantissa taken as an integer

struct Decoded {
    bool negative;
    int exponentField;
    std::uint64_t fraction;
};

Decoded Decode(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    return {(bits >> 63) != 0, static_cast<int>((bits >> kFractionBits) & 0x7FF),
            bits & ((std::uint64_t{1} << kFractionBits) - 1)};
}

// product / 2^shift rounded to nearest, ties to the even neighbour.
template <typename Wide>
std::uint64_t RoundedShift(Wide product, int shift) {
    const Wide one = Wide{1} << shift;
    auto quotient = static_cast<std::uint64_t>(product >> shift);
    const Wide rest = product & (one - 1);
    const Wide half = one >> 1;
    if (rest > half || (rest == half && (quotient & 1) != 0)) {
        ++quotient;
    }
    return quotient;
}

// The six decimals of fractionBits / 2^shift, rounded to nearest with ties to
// even as glibc does; carry is set when they round up to a whole one. The
// product fractionBits * 10^6 is exact in 128 bits for every shift up to 73;
// beyond that the value is below half a millionth and rounds to zero.
std::uint64_t RoundedMillionths(std::uint64_t fractionBits, int shift, bool& carry) {
    carry = false;
    if (shift > 73) {
        return 0;
    }
    std::uint64_t millionths = 0;
    if (shift <= 44) {
        // Values of 256 and more: the product fits in 64 bits.
        millionths = RoundedShift<std::uint64_t>(fractionBits * kMillion, shift);
    } else {
        millionths = RoundedShift<U128>(U128{fractionBits} * kMillion, shift);
    }
    if (millionths == kMillion) {
        carry = true;
        return 0;
    }
    return millionths;
}

char* WriteMillionths(char* out, std::uint64_t millionths) {
    *out++ = '.';
    const auto value = static_cast<unsigned>(millionths);
    WriteTwoDigits(out, value / 10000);
    WriteTwoDigits(out + 2, value / 100 % 100);
    WriteTwoDigits(out + 4, value % 100);
    return out + 6;
}

// Whole numbers of 2^64 and more need more than 64-bit arithmetic; the
// library's exact conversion handles them (they never occur in sheet data).
char* WriteHugeMagnitude(char* out, double magnitude) {
    const auto result =
        std::to_chars(out, out + kMaxFixedRealChars, magnitude, std::chars_format::fixed, 6);
    return result.ptr;
}

}  // namespace

char* WriteFixedReal(char* out, double value) {
    const Decoded d = Decode(value);
    if (d.negative) {
        *out++ = '-';
    }
    if (d.exponentField == 0x7FF) {
        const char* word = d.fraction != 0 ? "nan" : "inf";
        std::memcpy(out, word, 3);
        return out + 3;
    }
    const std::uint64_t mantissa =
        d.exponentField == 0 ? d.fraction : d.fraction | (std::uint64_t{1} << kFractionBits);
    const int exponent = (d.exponentField == 0 ? 1 : d.exponentField) - kExponentBias;
    if (exponent >= 0) {
        if (exponent > 10) {
            return WriteHugeMagnitude(out, std::fabs(value));
        }
        out = WritePaddedInteger(out, mantissa << exponent, 1);
        return WriteMillionths(out, 0);
    }
    const int shift = -exponent;
    const std::uint64_t whole = shift < 64 ? mantissa >> shift : 0;
    const std::uint64_t fractionBits =
        shift < 64 ? mantissa & ((std::uint64_t{1} << shift) - 1) : mantissa;
    bool carry = false;
    const std::uint64_t millionths = RoundedMillionths(fractionBits, shift, carry);
    out = WritePaddedInteger(out, whole + (carry ? 1 : 0), 1);
    return WriteMillionths(out, millionths);
}

}  // namespace vesk
