#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "platform/AtomicOutputFile.h"

namespace vesk {

// The one buffer of a glTF document, kept as the arrays it is made of and
// encoded only as it is written. A block's buffer is as large as its meshes:
// encoding it beforehand would hold a second copy of them, and its pages would
// be touched twice.
class GltfBinary {
public:
    // Writes `count` elements from element `first` on, elementBytes each, to `out`.
    using Encoder = std::function<void(std::size_t first, std::size_t count, std::byte* out)>;

    // Places a part of count elements on the next 8-byte boundary; gives its offset.
    // Metadata tables of 64-bit values need that much, and a .glb's chunks
    // stay 8-byte aligned when the buffer's size is a multiple of 8 too.
    std::size_t Add(std::size_t count, std::size_t elementBytes, Encoder encode);

    // Up to the next multiple of 8 after the last part.
    std::size_t Size() const;

    // The parts in order, the gaps between them and the end zero.
    void WriteTo(AtomicOutputFile& out) const;

private:
    struct Part {
        std::size_t offset;
        std::size_t count;
        std::size_t elementBytes;
        Encoder encode;
    };

    std::vector<Part> parts_;
    std::size_t size_ = 0;
};

}  // namespace vesk
