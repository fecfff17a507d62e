#include "text/FixedText.h"

#include <charconv>

namespace vesk {

std::string FixedText(double value, int decimals) {
    // The widest finite double has 309 whole digits.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc{} ? std::string(buffer, result.ptr) : std::string();
}

}  // namespace vesk
