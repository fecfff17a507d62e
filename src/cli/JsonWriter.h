#pragma once

#include <string>
#include <string_view>

namespace vesk::cli {

// A JSON string literal: the text made valid UTF-8 and escaped.
std::string JsonString(std::string_view text);

// A stored 32-bit real in the shortest form that reads back as the same float,
// with ".0" on whole numbers; null for infinities and NaN, which JSON lacks.
std::string JsonFloat(float value);

// A real with a fixed number of decimals; null for infinities and NaN.
std::string JsonFixed(double value, int decimals);

// A real for people: one decimal, as the program shows coordinates.
std::string OneDecimal(float value);

// "[first, second]" from two JSON values.
std::string JsonPair(std::string_view first, std::string_view second);

}  // namespace vesk::cli
