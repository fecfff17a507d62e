#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vesk::sample {

// Appends numbers to a byte buffer in an explicit byte order: sheet files and
// bitmaps are little-endian, SGI images big-endian, whatever the host is.
class ByteWriter {
public:
    void U8(std::uint8_t v) { bytes_.push_back(std::byte{v}); }
    void U16(std::uint16_t v);
    void U32(std::uint32_t v);
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void F32(float v);
    void U16BigEndian(std::uint16_t v);
    void I32BigEndian(std::int32_t v);
    void Text(std::string_view text);
    void Zeros(std::size_t count) { bytes_.resize(bytes_.size() + count); }

    void Clear() { bytes_.clear(); }
    void Reserve(std::size_t count) { bytes_.reserve(count); }
    std::size_t Size() const { return bytes_.size(); }
    std::span<const std::byte> Bytes() const { return bytes_; }

private:
    std::vector<std::byte> bytes_;
};

}  // namespace vesk::sample
