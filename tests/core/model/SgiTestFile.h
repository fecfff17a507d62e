#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace vesk::test {

// Sample of channel c at column x of row y, counted from the bottom.
using Samples = std::function<std::uint8_t(int x, int y, int c)>;

// SGI image files written by hand, apart from the decoder: a big-endian
// 512-byte header, then the planes' rows from the bottom, verbatim or
// run-length encoded with row tables.
class SgiFile {
public:
    SgiFile(bool runLength, int width, int height, int channels);

    std::vector<std::byte> With(const Samples& samples);

private:
    void Be(std::uint32_t value, int size);

    bool runLength_;
    int width_;
    int height_;
    int channels_;
    std::vector<std::byte> bytes_;
};

}  // namespace vesk::test
