#pragma once

#include <cmath>
#include <limits>

#include "model/FootprintPoint.h"

namespace vesk {

// +1 when a -> b -> c certainly turns left, -1 when it certainly turns right,
// 0 when it may run straight on. The determinant is computed in doubles from
// coordinate differences and trusted only beyond Shewchuk's bound on its
// rounding error, so a sign given is the exact one. Inline: the triangulation
// asks it for nearly every pair of corners it compares.
inline int CertainTurn(const FootprintPoint& a, const FootprintPoint& b, const FootprintPoint& c) {
    constexpr double kHalfUlp = std::numeric_limits<double>::epsilon() / 2.0;
    constexpr double kErrorBound = (3.0 + 16.0 * kHalfUlp) * kHalfUlp;
    const double left = (a.x - c.x) * (b.y - c.y);
    const double right = (a.y - c.y) * (b.x - c.x);
    const double turn = left - right;
    const double bound = kErrorBound * (std::abs(left) + std::abs(right));
    return turn > bound ? 1 : -turn > bound ? -1 : 0;
}

}  // namespace vesk
