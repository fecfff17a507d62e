#pragma once

#include <string>

namespace vesk {

// A stored 32-bit real in the shortest form that reads back as the same float,
// with ".0" on whole numbers; null for infinities and NaN, which JSON lacks.
std::string JsonFloat(float value);

// A real with a fixed number of decimals; null for infinities and NaN.
std::string JsonFixed(double value, int decimals);

}  // namespace vesk
