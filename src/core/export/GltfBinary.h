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

    // Places a part of count elements on the next 4-byte boundary; gives its offset.
    std::size_t Add(std::size_t count, std::size_t elementBytes, Encoder encode);

    std::size_t Size() const { return size_; }

    // The parts in order, the gaps between them zero.
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
