#pragma once

#include <string>

namespace vesk::cli {

// A real for people: one decimal, as the program shows coordinates.
std::string OneDecimal(float value);

}  // namespace vesk::cli
