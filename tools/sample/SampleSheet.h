#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vesk::sample {

// What a generated sheet file holds. The sheet AREA is always written; the with*
// switches leave out one kind of chunk each. The pictures show the same place
// whatever is left out, so a part taken out changes no other chunk.
struct SampleOptions {
    int zone = 9;
    float originX = -8000.0f;  // sheet's south-west corner, plane metres
    float originY = -36000.0f;
    std::string name;  // UTF-8; empty gives a generated place-like name
    std::uint32_t seed = 1;
    int buildingsPerSubSheet = 40;
    int demColumns = 41;
    int demRows = 31;
    float demSpacingX = 10.0f;  // metres between columns
    float demSpacingY = 10.0f;  // metres between rows
    int texturePixels = 256;
    int imageWidth = 500;
    int imageHeight = 375;
    bool withName = true;
    bool withImage = true;
    bool withBuildings = true;
    bool withDem = true;
    bool withOrtho = true;
};

// The whole sheet file, the same bytes for the same options. Empty when the
// options are out of range (see SampleLimits.h).
std::vector<std::byte> MakeSampleSheet(const SampleOptions& options);

// Writes through a temporary file in the same folder and a rename; false with a reason on failure.
bool WriteSampleSheet(const SampleOptions& options, const std::filesystem::path& path,
                      std::string& error);

}  // namespace vesk::sample
