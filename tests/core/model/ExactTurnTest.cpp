// Turns of corners nearly in line, which the rounding bound of doubles cannot
// tell, against integer arithmetic on the same corners.
#include "model/ExactTurn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace vesk {
namespace {

// Corners on a grid of 2^-40 m steps, up to 2^50 steps from the origin:
// every coordinate and difference is a double, every product of
// differences an integer of 128 bits.
constexpr double kStep = 0x1p-40;
__extension__ using Wide = __int128;

struct GridCorner {
    std::int64_t x;
    std::int64_t y;

    FootprintPoint Point() const {
        return {static_cast<double>(x) * kStep, static_cast<double>(y) * kStep};
    }
};

int IntegerTurn(const GridCorner& a, const GridCorner& b, const GridCorner& c) {
    const Wide turn =
        static_cast<Wide>(a.x - c.x) * (b.y - c.y) - static_cast<Wide>(a.y - c.y) * (b.x - c.x);
    return turn > 0 ? 1 : turn < 0 ? -1 : 0;
}

// c lies k times as far along the line from a as b does, moved by a step or
// two: its turn is tiny beside the products it is the difference of.
TEST(ExactTurn, TellsTheTurnOfCornersNearlyInLine) {
    std::mt19937_64 random(5);
    const auto between = [&](std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random);
    };
    int doubtful = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const GridCorner a{between(-(1LL << 48), 1LL << 48), between(-(1LL << 48), 1LL << 48)};
        const GridCorner d{between(-(1LL << 34), 1LL << 34), between(-(1LL << 34), 1LL << 34)};
        const std::int64_t k = between(1, 1 << 14);
        const GridCorner b{a.x + d.x, a.y + d.y};
        const GridCorner c{a.x + d.x * k + between(-2, 2), a.y + d.y * k + between(-2, 2)};
        doubtful += CertainTurn(a.Point(), b.Point(), c.Point()) == 0;
        ASSERT_EQ(ExactTurn(a.Point(), b.Point(), c.Point()), IntegerTurn(a, b, c)) << trial;
    }
    EXPECT_GT(doubtful, 10000);  // most were left to the exact sums
}

}  // namespace
}  // namespace vesk
