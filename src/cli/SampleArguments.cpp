#include "SampleArguments.h"

#include <cstdint>
#include <limits>

#include "OptionValues.h"
#include "SampleLimits.h"

namespace vesk::cli {
namespace {

using sample::SampleOptions;

// The spacing at which points along a side of the sub-sheet span all of it,
// as the check asks of a grid; the default for a single point, which spans nothing.
float DemSpacing(int points, double side, float single) {
    return points > 1 ? static_cast<float>(side / (points - 1)) : single;
}

std::string Range(long long low, long long high) {
    return std::to_string(low) + " to " + std::to_string(high);
}

std::string Got(std::string_view value) {
    return " (got '" + std::string(value) + "')";
}

Reason ApplyZone(std::string_view value, SampleOptions& options) {
    const auto zone =
        ParseInteger(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    if (!zone) {
        return "needs a whole number" + Got(value);
    }
    options.zone = static_cast<int>(*zone);
    return std::nullopt;
}

Reason ApplyOrigin(std::string_view value, SampleOptions& options) {
    const auto comma = value.find(',');
    if (comma == std::string_view::npos) {
        return "needs X,Y" + Got(value);
    }
    const auto x = ParseReal(value.substr(0, comma), sample::kMaxOriginMagnitude);
    const auto y = ParseReal(value.substr(comma + 1), sample::kMaxOriginMagnitude);
    if (!x || !y) {
        return "needs X,Y in metres, each within 1000000" + Got(value);
    }
    options.originX = static_cast<float>(*x);
    options.originY = static_cast<float>(*y);
    return std::nullopt;
}

Reason ApplyName(std::string_view value, SampleOptions& options) {
    if (value.empty() || value.size() > sample::kMaxNameBytes) {
        return "needs a text of 1 to " + std::to_string(sample::kMaxNameBytes) + " bytes";
    }
    options.name = std::string(value);
    return std::nullopt;
}

Reason ApplySeed(std::string_view value, SampleOptions& options) {
    const auto seed = ParseInteger(value, 0, std::numeric_limits<std::uint32_t>::max());
    if (!seed) {
        return "needs a number from " + Range(0, std::numeric_limits<std::uint32_t>::max()) +
               Got(value);
    }
    options.seed = static_cast<std::uint32_t>(*seed);
    return std::nullopt;
}

Reason ApplyBuildings(std::string_view value, SampleOptions& options) {
    const auto count = ParseInteger(value, 0, sample::kMaxBuildingsPerSubSheet);
    if (!count) {
        return "needs a number from " + Range(0, sample::kMaxBuildingsPerSubSheet) + Got(value);
    }
    options.buildingsPerSubSheet = static_cast<int>(*count);
    return std::nullopt;
}

Reason ApplyDem(std::string_view value, SampleOptions& options) {
    const auto grid = ParseIntegerPair(value, 'x', 1, sample::kMaxDemSide);
    if (!grid || static_cast<long long>(grid->first) * grid->second > sample::kMaxDemPoints) {
        return "needs COLSxROWS, each " + Range(1, sample::kMaxDemSide) + " and at most " +
               std::to_string(sample::kMaxDemPoints) + " points" + Got(value);
    }
    options.demColumns = grid->first;
    options.demRows = grid->second;
    options.demSpacingX = DemSpacing(grid->first, 400.0, SampleOptions{}.demSpacingX);
    options.demSpacingY = DemSpacing(grid->second, 300.0, SampleOptions{}.demSpacingY);
    return std::nullopt;
}

Reason ApplyTexture(std::string_view value, SampleOptions& options) {
    const auto pixels = ParseInteger(value, 1, sample::kMaxTexturePixels);
    if (!pixels) {
        return "needs a side of " + Range(1, sample::kMaxTexturePixels) + " pixels" + Got(value);
    }
    options.texturePixels = static_cast<int>(*pixels);
    return std::nullopt;
}

Reason ApplyImage(std::string_view value, SampleOptions& options) {
    const auto size = ParseIntegerPair(value, 'x', 1, sample::kMaxImageSide);
    if (!size) {
        return "needs WxH, each side " + Range(1, sample::kMaxImageSide) + " pixels" + Got(value);
    }
    options.imageWidth = size->first;
    options.imageHeight = size->second;
    return std::nullopt;
}

Reason ApplyWithout(std::string_view value, SampleOptions& options) {
    const std::pair<std::string_view, bool SampleOptions::*> parts[] = {
        {"name", &SampleOptions::withName},           {"image", &SampleOptions::withImage},
        {"buildings", &SampleOptions::withBuildings}, {"dem", &SampleOptions::withDem},
        {"ortho", &SampleOptions::withOrtho},
    };
    for (const auto& [name, part] : parts) {
        if (value == name) {
            options.*part = false;
            return std::nullopt;
        }
    }
    return "takes name, image, buildings, dem or ortho" + Got(value);
}

constexpr SampleArgument kArguments[] = {
    {"--zone", "Z", "the plane zone of the sheet (default 9)", ApplyZone, false},
    {"--origin", "X,Y", "the sheet's south-west corner in plane metres (default -8000,-36000)",
     ApplyOrigin, false},
    {"--name", "TEXT", "the sheet's name in UTF-8 (default: a made-up place name)", ApplyName,
     false},
    {"--seed", "N", "the seed of the made-up buildings and terrain (default 1)", ApplySeed, false},
    {"--buildings", "N", "buildings in each block (default 40)", ApplyBuildings, false},
    {"--dem", "COLSxROWS", "the terrain grid of each block (default 41x31)", ApplyDem, false},
    {"--texture", "PIXELS", "the side of each block's aerial photograph (default 256)",
     ApplyTexture, false},
    {"--image", "WxH", "the size of the sheet's picture (default 500x375)", ApplyImage, false},
    {"--without", "PART", "leave out name, image, buildings, dem or ortho; may be repeated",
     ApplyWithout, true},
};

}  // namespace

std::span<const SampleArgument> SampleArguments() {
    return kArguments;
}

}  // namespace vesk::cli
