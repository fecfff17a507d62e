#pragma once

namespace vesk {

// The size of the last sheet image read in this process, and whether any was
// read at all. It outlives every load: a sheet without an image has its
// sub-sheet rectangles computed from the image read before it.
class ProgramImageSize {
public:
    // The one instance of the running program; tests make their own.
    static ProgramImageSize& Process();

    void Record(int width, int height) {
        width_ = width;
        height_ = height;
        read_ = true;
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool WasRead() const { return read_; }

private:
    int width_ = 0;
    int height_ = 0;
    bool read_ = false;
};

}  // namespace vesk
