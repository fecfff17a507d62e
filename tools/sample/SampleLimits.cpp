#include "SampleLimits.h"

#include <cmath>

namespace vesk::sample {
namespace {

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

std::string Range(int low, int high) {
    return std::to_string(low) + " to " + std::to_string(high);
}

}  // namespace

std::optional<std::string> CheckSampleOptions(const SampleOptions& options) {
    if (!std::isfinite(options.originX) || !std::isfinite(options.originY) ||
        std::abs(options.originX) > kMaxOriginMagnitude ||
        std::abs(options.originY) > kMaxOriginMagnitude) {
        return "the origin must be finite and within 1000000 m of the zone's origin";
    }
    if (options.name.size() > kMaxNameBytes) {
        return "the name must be at most " + std::to_string(kMaxNameBytes) + " bytes";
    }
    if (!InRange(options.buildingsPerSubSheet, 0, kMaxBuildingsPerSubSheet)) {
        return "the buildings per sub-sheet must be " + Range(0, kMaxBuildingsPerSubSheet);
    }
    if (!InRange(options.demColumns, 1, kMaxDemSide) || !InRange(options.demRows, 1, kMaxDemSide) ||
        static_cast<std::int64_t>(options.demColumns) * options.demRows > kMaxDemPoints) {
        return "the DEM sides must be " + Range(1, kMaxDemSide) + " with at most " +
               std::to_string(kMaxDemPoints) + " points";
    }
    if (!(options.demSpacingX > 0.0f) || options.demSpacingX > kMaxDemSpacing ||
        !(options.demSpacingY > 0.0f) || options.demSpacingY > kMaxDemSpacing) {
        return "the DEM spacing must be above 0 and at most 1000 m";
    }
    if (!InRange(options.texturePixels, 1, kMaxTexturePixels)) {
        return "the texture side must be " + Range(1, kMaxTexturePixels) + " pixels";
    }
    if (!InRange(options.imageWidth, 1, kMaxImageSide) ||
        !InRange(options.imageHeight, 1, kMaxImageSide)) {
        return "the image sides must be " + Range(1, kMaxImageSide) + " pixels";
    }
    return std::nullopt;
}

}  // namespace vesk::sample
