#include "text/JsonNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "text/FixedText.h"

namespace vesk {
namespace {

// Every whole number of smaller magnitude is exact in a float, and its
// shortest form is its digits.
constexpr float kExactWholeLimit = 16777216.0f;

// Whole metres, as sheet origins and sides mostly are, are written as integers,
// which takes a fraction of the shortest-form search. Zero keeps its sign the
// general way.
bool IsExactWhole(float value) {
    return value != 0.0f && std::fabs(value) < kExactWholeLimit && std::trunc(value) == value;
}

std::string WholeText(float value) {
    char buffer[16];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int32_t>(value));
    return std::string(buffer, result.ptr) + ".0";
}

}  // namespace

std::string JsonFloat(float value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    if (IsExactWhole(value)) {
        return WholeText(value);
    }
    // Plain decimals for the values sheets hold (plane metres, heights), the
    // exponent form only for the very large and the very small.
    const float magnitude = std::fabs(value);
    const bool plain = magnitude == 0.0f || (magnitude >= 1e-4f && magnitude < 1e15f);
    char buffer[96];
    const auto result =
        plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
              : std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text;
}

std::string JsonFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return "null";
    }
    std::string text = FixedText(value, decimals);
    return text.empty() ? "null" : text;
}

}  // namespace vesk
