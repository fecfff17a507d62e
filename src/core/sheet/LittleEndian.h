#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Sheet files are little-endian whatever the host; decode by shifting bytes so the
// host's byte order never matters.
namespace vesk {

inline std::uint16_t DecodeU16(const std::byte* p) {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(p[0]) |
                                      (std::to_integer<unsigned>(p[1]) << 8));
}

inline std::uint32_t DecodeU32(const std::byte* p) {
    return std::to_integer<std::uint32_t>(p[0]) | (std::to_integer<std::uint32_t>(p[1]) << 8) |
           (std::to_integer<std::uint32_t>(p[2]) << 16) |
           (std::to_integer<std::uint32_t>(p[3]) << 24);
}

inline std::int32_t DecodeI32(const std::byte* p) {
    return static_cast<std::int32_t>(DecodeU32(p));
}

inline float DecodeF32(const std::byte* p) {
    return std::bit_cast<float>(DecodeU32(p));
}

inline void EncodeU16(std::byte* p, std::uint16_t v) {
    p[0] = static_cast<std::byte>(v & 0xFF);
    p[1] = static_cast<std::byte>(v >> 8);
}

inline void EncodeU32(std::byte* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::byte>((v >> (8 * i)) & 0xFF);
    }
}

inline void EncodeF32(std::byte* p, float v) {
    EncodeU32(p, std::bit_cast<std::uint32_t>(v));
}

}  // namespace vesk
