#pragma once

#include <string_view>

namespace vesk::fuzz {

// Says which property the input broke, then aborts so that libFuzzer keeps
// the input as a reproducer and prints the stack.
[[noreturn]] void Fail(std::string_view property, std::string_view detail = {});

inline void Require(bool holds, std::string_view property, std::string_view detail = {}) {
    if (!holds) {
        Fail(property, detail);
    }
}

}  // namespace vesk::fuzz
