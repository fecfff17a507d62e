#include "preview/MovingResolution.h"

namespace vesk::gui {

void MovingResolution::FrameTook(double ms) {
    slowInARow_ = ms > kFrameBudgetMs ? slowInARow_ + 1 : 0;
    fastInARow_ = ms < kFrameBudgetMs / 2.0 ? fastInARow_ + 1 : 0;
    if (slowInARow_ >= kSlowFramesInARow && divisor_ < kCoarsest) {
        ++divisor_;
        slowInARow_ = 0;
    } else if (fastInARow_ >= kFastFramesInARow && divisor_ > kFinest) {
        --divisor_;
        fastInARow_ = 0;
    }
}

}  // namespace vesk::gui
