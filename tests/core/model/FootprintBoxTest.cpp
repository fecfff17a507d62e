// The light scenes' boxes: each footprint's smallest rectangle, with one side
// on its hull and its corners turning counter-clockwise.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "model/FootprintBox.h"

namespace vesk {
namespace {

bool SameCorners(const std::array<FootprintPoint, 4>& seen,
                 const std::vector<FootprintPoint>& expected) {
    for (const FootprintPoint& corner : expected) {
        const bool found = std::any_of(seen.begin(), seen.end(), [&](const FootprintPoint& p) {
            return std::abs(p.x - corner.x) < 1e-9 && std::abs(p.y - corner.y) < 1e-9;
        });
        if (!found) {
            return false;
        }
    }
    return true;
}

double TurnOf(const std::array<FootprintPoint, 4>& ring) {
    double twice = 0.0;
    for (std::size_t k = 0; k < ring.size(); ++k) {
        twice += ring[k].x * ring[(k + 1) % 4].y - ring[(k + 1) % 4].x * ring[k].y;
    }
    return twice / 2.0;
}

// A 10 x 4 rectangle turned by 30 degrees, with a notch: the box is the rectangle.
TEST(FootprintBox, TurnedNotchedFootprintGetsItsRectangle) {
    const double c = std::cos(std::numbers::pi / 6.0);
    const double s = std::sin(std::numbers::pi / 6.0);
    const auto turned = [&](double x, double y) {
        return FootprintPoint{5.0 + x * c - y * s, 7.0 + x * s + y * c};
    };
    const std::vector<FootprintPoint> notched = {turned(0, 0), turned(10, 0), turned(10, 4),
                                                 turned(6, 4), turned(5, 1),  turned(4, 4),
                                                 turned(0, 4)};
    const GeosContext geos;
    const auto box = SmallestRectangle(geos, notched);
    EXPECT_TRUE(SameCorners(box, {turned(0, 0), turned(10, 0), turned(10, 4), turned(0, 4)}));
    EXPECT_NEAR(TurnOf(box), 40.0, 1e-9);
}

// Clockwise input, and points on a line: a box of no area along them.
TEST(FootprintBox, ClockwiseAndCollinearPointsTurnCounterClockwise) {
    const GeosContext geos;
    const auto clockwise =
        SmallestRectangle(geos, std::vector<FootprintPoint>{{0, 0}, {0, 3}, {2, 3}, {2, 0}});
    EXPECT_TRUE(SameCorners(clockwise, {{0, 0}, {2, 0}, {2, 3}, {0, 3}}));
    EXPECT_NEAR(TurnOf(clockwise), 6.0, 1e-9);
    const auto line = SmallestRectangle(geos, std::vector<FootprintPoint>{{1, 1}, {3, 3}, {2, 2}});
    EXPECT_TRUE(SameCorners(line, {{1, 1}, {3, 3}}));
    EXPECT_NEAR(TurnOf(line), 0.0, 1e-9);
}

}  // namespace
}  // namespace vesk
