#include "model/ConvexFootprint.h"

#include "model/CertainTurn.h"

namespace vesk {
namespace {

// Whether the edge from p to q points into the upper half of directions,
// angles [0, pi). The signs of the differences are exact, so this is too.
bool PointsUpward(const FootprintPoint& p, const FootprintPoint& q) {
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    return dy > 0.0 || (dy == 0.0 && dx > 0.0);
}

}  // namespace

// With every turn strict and of one sign, the edge direction turns one way by
// less than half a turn at each corner, so it crosses between the two halves
// of directions exactly twice for each time it goes round.
bool IsCertainlyStrictlyConvex(std::span<const FootprintPoint> footprint) {
    const std::size_t n = footprint.size();
    if (n < 3) {
        return false;
    }
    const int sign = CertainTurn(footprint[0], footprint[1], footprint[2]);
    if (sign == 0) {
        return false;
    }
    std::size_t halfChanges = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const FootprintPoint& a = footprint[i];
        const FootprintPoint& b = footprint[(i + 1) % n];
        const FootprintPoint& c = footprint[(i + 2) % n];
        if (CertainTurn(a, b, c) != sign) {
            return false;
        }
        halfChanges += PointsUpward(a, b) != PointsUpward(b, c);
    }
    return halfChanges == 2;
}

void AppendFan(std::size_t cornerCount, bool counterClockwise,
               std::vector<FootprintTriangle>& triangles) {
    for (std::uint32_t i = 1; i + 1 < cornerCount; ++i) {
        if (counterClockwise) {
            triangles.push_back({0, i, i + 1});
        } else {
            triangles.push_back({0, i + 1, i});
        }
    }
}

}  // namespace vesk
