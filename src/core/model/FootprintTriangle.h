#pragma once

#include <array>
#include <cstdint>

namespace vesk {

// Corners of one triangle, as indices into the footprint.
using FootprintTriangle = std::array<std::uint32_t, 3>;

}  // namespace vesk
