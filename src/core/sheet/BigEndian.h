#pragma once

#include <cstddef>
#include <cstdint>

// The SGI images that sheets carry as textures are big-endian, unlike the sheet
// around them; decode by shifting bytes so the host's byte order never matters.
namespace vesk {

inline std::uint16_t DecodeU16BigEndian(const std::byte* p) {
    return static_cast<std::uint16_t>((std::to_integer<unsigned>(p[0]) << 8) |
                                      std::to_integer<unsigned>(p[1]));
}

inline std::uint32_t DecodeU32BigEndian(const std::byte* p) {
    return (std::to_integer<std::uint32_t>(p[0]) << 24) |
           (std::to_integer<std::uint32_t>(p[1]) << 16) |
           (std::to_integer<std::uint32_t>(p[2]) << 8) | std::to_integer<std::uint32_t>(p[3]);
}

}  // namespace vesk
