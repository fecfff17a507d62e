#pragma once

#include <cstdint>
#include <string_view>

#include "convert/IntegerFormat.h"

namespace vesk {

// The "%0Nd" text of a counter that mostly counts up by one: incrementing
// the text in place is cheaper than formatting each value anew, and the grid
// statements name their points and faces in long runs of consecutive numbers.
class DecimalCounter {
public:
    DecimalCounter(std::uint64_t value, int minDigits) { Set(value, minDigits); }

    void Set(std::uint64_t value, int minDigits) {
        char text[kMaxIntegerChars];
        const char* end = WritePaddedInteger(text, value, minDigits);
        const auto length = static_cast<int>(end - text);
        start_ = kCapacity - length;
        for (int i = 0; i < length; ++i) {
            digits_[start_ + i] = text[i];
        }
    }

    void Increment() {
        int at = kCapacity - 1;
        while (at >= start_ && digits_[at] == '9') {
            digits_[at--] = '0';
        }
        if (at < start_) {
            digits_[--start_] = '1';
        } else {
            ++digits_[at];
        }
    }

    std::string_view View() const {
        return {digits_ + start_, static_cast<std::size_t>(kCapacity - start_)};
    }

private:
    static constexpr int kCapacity = kMaxIntegerChars + 1;
    char digits_[kCapacity];
    int start_ = kCapacity;
};

}  // namespace vesk
