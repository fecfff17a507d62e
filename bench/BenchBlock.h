#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

#include "ByteSink.h"
#include "sheet/SubSheetRecord.h"

namespace vesk::bench {

// The block's corner in the zone's plane: far from the origin, as real blocks are.
inline constexpr float kBlockX0 = -8000.0f;
inline constexpr float kBlockY0 = -34800.0f;

// A sink that knows how many bytes went before, for the chunk positions.
class CountingSink : public sample::ByteSink {
public:
    explicit CountingSink(std::ofstream& out) : out_(out) {}
    void Put(std::span<const std::byte> bytes) override;
    std::uint32_t Offset() const { return static_cast<std::uint32_t>(offset_); }

private:
    std::ofstream& out_;
    std::uint64_t offset_ = 0;
};

struct BenchSheet {
    std::filesystem::path path;
    SubSheetRecord record;
};

enum class FootprintMix {
    kStars,  // 4 to 40 corners at random distances around a point: nearly all concave
    kRectanglesAndLShapes,  // turned at random; every fifth an L of 6 corners
};

struct BlockContents {
    int buildings = 5000;
    FootprintMix footprints = FootprintMix::kStars;
    bool texture = false;  // a 1024 x 1024 ortho image of smooth colour fields with grain
};

// Writes a 400 m x 300 m sub-sheet of the contents to path (buildings at
// random places, seed 2500, and a 401 x 301 DEM) and gives its record.
BenchSheet MakeBlockSheet(const std::filesystem::path& path, const BlockContents& contents);

}  // namespace vesk::bench
