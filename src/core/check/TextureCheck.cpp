#include "check/TextureCheck.h"

#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "check/CheckLimits.h"
#include "model/BlockCentre.h"
#include "model/SgiImage.h"
#include "model/SgiSides.h"

namespace vesk {
namespace {

std::string SidesText(const SgiSides& sides) {
    return std::to_string(sides.width) + " x " + std::to_string(sides.height);
}

// The sides that keep the texture out, of no pixels (named as the model names
// them when it leaves the texture out) or beyond what simulators load; empty
// when both are sound.
std::string SidesOutOfRange(const SgiSides& sides) {
    const std::string empty = EmptySides(sides);
    return !empty.empty() ? empty : SidesOutside(sides, 1, check_limits::kLargestTextureSide);
}

}  // namespace

void CheckTexture(std::span<const std::byte> image, const SubSheetRecord& record,
                  std::vector<Finding>& findings) {
    const FootprintPoint centre = BlockCentre(record);
    const auto add = [&](FindingCode code, const std::string& detail) {
        findings.push_back(MakeFinding(code, centre.x, centre.y, detail));
    };
    // A fault the model also leaves the texture out for: the English text is
    // the model's, its detail in words; the Japanese keeps its plain detail.
    const auto addShared = [&](DataFault fault, const std::string& detail,
                               const std::string& words) {
        add(CodeOf(fault), detail);
        findings.back().english = Describe(fault, words);
    };
    const auto sides = StatedSgiSides(image);
    const std::string outOfRange = sides ? SidesOutOfRange(*sides) : std::string();
    if (!outOfRange.empty()) {
        addShared(DataFault::kTextureSize, SidesText(*sides), outOfRange);
        return;
    }
    const auto decoded = DecodeSgiImage(image);
    if (const auto* fault = std::get_if<std::string>(&decoded)) {
        addShared(DataFault::kTextureNotDecodable, {}, *fault);
        return;
    }
    if (!std::has_single_bit(sides->width) || !std::has_single_bit(sides->height)) {
        add(FindingCode::kTextureNotPowerOfTwo, SidesText(*sides));
    }
}

}  // namespace vesk
