#pragma once

#include <cstdint>

#include "sheet/ByteSource.h"

namespace vesk {

// A part of another source as a source of its own, its first byte at offset 0:
// a file that a chunk's body holds (a texture's SGI image), read where it lies
// instead of copied out first. A window reaching past the source's end is cut
// at it.
class ByteSourceWindow final : public ByteSource {
public:
    ByteSourceWindow(ByteSource& source, std::uint64_t offset, std::uint64_t size);

    std::uint64_t Size() const override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> out) override;

private:
    ByteSource& source_;
    std::uint64_t offset_;
    std::uint64_t size_;
};

}  // namespace vesk
