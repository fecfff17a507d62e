#pragma once

namespace vesk::gui {

// How coarse the frames drawn while the camera moves are: the view's pixels
// are divided by Divisor() along each side. It follows how long the last
// such frames took to draw and show, so that a slower machine, or one busy
// with other work, trades sharpness for keeping up with the hand.
class MovingResolution {
public:
    static constexpr int kFinest = 2;
    static constexpr int kCoarsest = 4;
    // Frames slower than this make the next ones coarser, faster than half of it finer.
    static constexpr double kFrameBudgetMs = 30.0;
    // One slow frame (a shader compiled, another program's burst) changes
    // nothing by itself; a quiet moment on a busy machine must last longer
    // before the frames grow finer, or the resolution would swing with it.
    static constexpr int kSlowFramesInARow = 3;
    static constexpr int kFastFramesInARow = 10;

    int Divisor() const { return divisor_; }
    // One moving frame took that long from the start of its drawing until it was shown.
    void FrameTook(double ms);

private:
    int divisor_ = kFinest;
    int slowInARow_ = 0;
    int fastInARow_ = 0;
};

}  // namespace vesk::gui
