#include "check/TextureCheck.h"

#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "check/BlockCentre.h"
#include "check/CheckLimits.h"
#include "model/SgiImage.h"

namespace vesk {
namespace {

constexpr std::uint32_t kSgiMagic = 474;
constexpr std::size_t kSidesEnd = 10;  // magic, storage, bytes per channel, dimension, x, y

std::uint32_t BigEndian16(std::span<const std::byte> bytes, std::size_t at) {
    return (std::to_integer<std::uint32_t>(bytes[at]) << 8) |
           std::to_integer<std::uint32_t>(bytes[at + 1]);
}

struct Sides {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The sides an SGI header states, read before decoding so that an image too
// large to load is not decoded either; nothing when it is no SGI header. A
// one-dimensional image is one row.
std::optional<Sides> StatedSides(std::span<const std::byte> image) {
    if (image.size() < kSidesEnd || BigEndian16(image, 0) != kSgiMagic) {
        return std::nullopt;
    }
    const std::uint32_t dimension = BigEndian16(image, 4);
    return Sides{BigEndian16(image, 6), dimension >= 2 ? BigEndian16(image, 8) : 1};
}

std::string SidesText(Sides sides) {
    return std::to_string(sides.width) + " x " + std::to_string(sides.height);
}

}  // namespace

void CheckTexture(std::span<const std::byte> image, const SubSheetRecord& record,
                  std::vector<Finding>& findings) {
    const FootprintPoint centre = BlockCentre(record);
    const auto add = [&](FindingCode code, const std::string& detail) {
        findings.push_back(MakeFinding(code, centre.x, centre.y, detail));
    };
    const auto sides = StatedSides(image);
    if (!sides) {
        add(FindingCode::kTextureNotDecodable, {});
        return;
    }
    if (sides->width == 0 || sides->height == 0 ||
        sides->width > check_limits::kLargestTextureSide ||
        sides->height > check_limits::kLargestTextureSide) {
        add(FindingCode::kTextureSize, SidesText(*sides));
        return;
    }
    if (std::holds_alternative<std::string>(DecodeSgiImage(image))) {
        add(FindingCode::kTextureNotDecodable, {});
        return;
    }
    if (!std::has_single_bit(sides->width) || !std::has_single_bit(sides->height)) {
        add(FindingCode::kTextureNotPowerOfTwo, SidesText(*sides));
    }
}

}  // namespace vesk
