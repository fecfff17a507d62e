#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "sheet/ByteSource.h"

namespace vesk {

// A cursor over a byte source of known size. Every read checks the length
// against what is left before it reads, so no caller can read past the end or
// allocate for bytes the source does not hold.
class ByteReader {
public:
    explicit ByteReader(ByteSource& source, std::uint64_t position = 0)
        : source_(source), size_(source.Size()), position_(position) {}

    std::uint64_t Position() const { return position_; }
    std::uint64_t Size() const { return size_; }
    std::uint64_t Remaining() const { return position_ < size_ ? size_ - position_ : 0; }

    void Seek(std::uint64_t position) { position_ = position; }

    // Reads exactly out.size() bytes and moves on; on a short read gives false and
    // leaves the position where it was.
    bool Read(std::span<std::byte> out);

    // Reads as many bytes as the source still holds, up to out.size(); moves on by that many.
    std::size_t ReadSome(std::span<std::byte> out);

    std::optional<std::uint32_t> ReadU32();
    std::optional<float> ReadF32();

private:
    ByteSource& source_;
    std::uint64_t size_;
    std::uint64_t position_;
};

}  // namespace vesk
