#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vesk::sample {

struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// An RGB picture, rows from the top, three bytes a pixel. The file writers turn
// it into the row order and channel layout their format wants.
class Raster {
public:
    Raster(int width, int height)
        : width_(width), height_(height), rgb_(static_cast<std::size_t>(width) * height * 3) {}

    int Width() const { return width_; }
    int Height() const { return height_; }

    void Set(int x, int y, Colour c) {
        std::uint8_t* p = &rgb_[Index(x, y)];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
    const std::uint8_t* Row(int y) const { return &rgb_[Index(0, y)]; }

private:
    std::size_t Index(int x, int y) const {
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)) *
               3;
    }

    int width_;
    int height_;
    std::vector<std::uint8_t> rgb_;
};

}  // namespace vesk::sample
