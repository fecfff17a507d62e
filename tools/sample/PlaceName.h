#pragma once

#include <cstdint>
#include <string>

namespace vesk::sample {

// A Japanese place-like sheet name in UTF-8. The default sheet (zone 9 at
// -8000, -36000) lies in the middle of Tokyo, so it gets one of the district
// names found there; any other place gets a made-up town name with a chome.
std::string MakePlaceName(int zone, float originX, float originY, std::uint32_t seed);

}  // namespace vesk::sample
