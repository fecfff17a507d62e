#pragma once

#include <cstdint>

#include "model/BlockCentre.h"

// Every limit the data check applies, in one place. Lengths are metres.
namespace vesk::check_limits {

// A footprint may reach this far past its block's edges before it counts as
// lying outside: corners measured on the block's edge land a little either side.
inline constexpr double kOutsideBlockTolerance = 1.0;

// The bottom of a building may differ this much from the ground under its
// centroid; beyond it the building floats above or is buried in the ground.
inline constexpr double kGroundTolerance = 2.0;

// A building taller than this is more likely a wrong height than a tower.
inline constexpr double kMostPlausibleHeight = 400.0;

// The side lengths of a block, which its ground grid must cover to within one
// spacing; the model places faults by them too.
using vesk::kBlockHeight;
using vesk::kBlockWidth;

// A grid needs two points along each axis to span anything.
inline constexpr std::uint32_t kFewestGridPoints = 2;

// A grid point this far from the median of its neighbours is a spike.
inline constexpr double kSpikeHeight = 50.0;

// Texture sides beyond this are more than simulators load.
inline constexpr std::uint32_t kLargestTextureSide = 16384;

// Block origins are compared with the sheet's grid to within this, as floats
// of plane coordinates in the hundreds of thousands of metres hold about 1 cm.
inline constexpr double kGridTolerance = 0.05;

// Spikes reported one by one per block; the rest are counted in one more finding.
inline constexpr std::uint32_t kMostSpikesListed = 20;

}  // namespace vesk::check_limits
