#pragma once

#include <bit>
#include <cstdint>
#include <string_view>

#include "convert/IntegerFormat.h"

namespace vesk {

// The "%0Nd" text of a counter that counts up by one: the grid statements
// name their points and faces in long runs of consecutive numbers, and
// incrementing the text is cheaper than formatting each value anew.
//
// Texts of up to eight digits are incremented as one 64-bit word and stored
// back whole, so the copies that follow at once read what one store wrote
// (narrow byte stores read back wider stall the processor's store forwarding).
class DecimalCounter {
public:
    DecimalCounter(std::uint64_t value, int minDigits) { Set(value, minDigits); }

    void Set(std::uint64_t value, int minDigits) {
        value_ = value;
        minDigits_ = minDigits;
        length_ = static_cast<int>(WritePaddedInteger(text_, value, minDigits) - text_);
    }

    void Increment() {
        ++value_;
        if (length_ > 8 || !IncrementWord()) {
            Set(value_, minDigits_);
        }
    }

    std::string_view View() const { return {text_, static_cast<std::size_t>(length_)}; }

private:
    // Adds one to the digits in place; false when they are all nines and the
    // text must grow.
    bool IncrementWord() {
        constexpr std::uint64_t kNines = 0x3939393939393939;
        constexpr std::uint64_t kZeros = 0x3030303030303030;
        std::uint64_t word = LoadWord();
        // The first character is the lowest byte: move the last digit to the top.
        const std::uint64_t notNine = (word ^ kNines) << (8 * (8 - length_));
        const int trailingNines = notNine == 0 ? 8 : std::countl_zero(notNine) / 8;
        if (trailingNines >= length_) {
            return false;
        }
        const int firstNine = length_ - trailingNines;
        const std::uint64_t nines =
            trailingNines == 0 ? 0
                               : ((std::uint64_t{1} << (8 * trailingNines)) - 1) << (8 * firstNine);
        word = ((word & ~nines) | (kZeros & nines)) + (std::uint64_t{1} << (8 * (firstNine - 1)));
        StoreWord(word);
        return true;
    }

    // The first eight characters as one word, the first character in the lowest
    // byte on any host; compilers make this a single load where the host is
    // little-endian.
    std::uint64_t LoadWord() const {
        std::uint64_t word = 0;
        for (int i = 0; i < 8; ++i) {
            word |= std::uint64_t{static_cast<unsigned char>(text_[i])} << (8 * i);
        }
        return word;
    }

    void StoreWord(std::uint64_t word) {
        for (int i = 0; i < 8; ++i) {
            text_[i] = static_cast<char>((word >> (8 * i)) & 0xFF);
        }
    }

    std::uint64_t value_ = 0;
    int minDigits_ = 0;
    int length_ = 0;
    char text_[kMaxIntegerChars + 8] = {};
};

}  // namespace vesk
