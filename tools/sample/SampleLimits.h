#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "SampleSheet.h"

namespace vesk::sample {

// The ranges the generator accepts; the command line checks its arguments against them.
inline constexpr int kMaxImageSide = 20000;
inline constexpr int kMaxTexturePixels = 8192;
inline constexpr int kMaxDemSide = 4096;
inline constexpr std::int64_t kMaxDemPoints = 4096 * 1024;
inline constexpr int kMaxBuildingsPerSubSheet = 100000;
// Beyond this single precision cannot hold a footprint's corners apart.
inline constexpr double kMaxOriginMagnitude = 1.0e6;
inline constexpr double kMaxDemSpacing = 1000.0;
inline constexpr std::size_t kMaxNameBytes = 4096;
// File positions in a sheet file are 32-bit.
inline constexpr std::uint64_t kMaxSheetFileSize = 0xFFFFFFFFull;

// Why the options cannot make a sheet, or nothing when they can (the file size
// is checked once the buildings are known).
std::optional<std::string> CheckSampleOptions(const SampleOptions& options);

}  // namespace vesk::sample
