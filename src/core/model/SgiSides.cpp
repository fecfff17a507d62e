#include "model/SgiSides.h"

#include <limits>

namespace vesk {
namespace {

constexpr std::uint32_t kSgiMagic = 474;
constexpr std::size_t kSidesEnd = 10;  // magic, storage, bytes per channel, dimension, x, y

// SGI files are big-endian, unlike the sheet file around them.
std::uint32_t BigEndian16(std::span<const std::byte> bytes, std::size_t at) {
    return (std::to_integer<std::uint32_t>(bytes[at]) << 8) |
           std::to_integer<std::uint32_t>(bytes[at + 1]);
}

}  // namespace

std::optional<SgiSides> StatedSgiSides(std::span<const std::byte> file) {
    if (file.size() < kSidesEnd || BigEndian16(file, 0) != kSgiMagic) {
        return std::nullopt;
    }
    const std::uint32_t dimension = BigEndian16(file, 4);
    return SgiSides{BigEndian16(file, 6), dimension >= 2 ? BigEndian16(file, 8) : 1};
}

std::string SidesOutside(const SgiSides& sides, std::uint32_t least, std::uint32_t most) {
    std::string text;
    const auto name = [&](const char* side, std::uint32_t length) {
        if (length < least || length > most) {
            text += (text.empty() ? "" : ", ") + std::string(side) + " " + std::to_string(length);
        }
    };
    name("width", sides.width);
    name("height", sides.height);
    return text;
}

std::string EmptySides(const SgiSides& sides) {
    return SidesOutside(sides, 1, std::numeric_limits<std::uint32_t>::max());
}

}  // namespace vesk
