// Random footprints that are valid by construction give no finding: polygons
// whose corners go round a centre that sees all of them at growing angles are
// simple, whichever way round they are stored.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "CheckSheetFixture.h"
#include "model/ClearlySimpleRing.h"
#include "model/GeosContext.h"

namespace vesk {
namespace {

using ::testing::IsEmpty;

class RandomFootprints : public test::CheckSheetFixture {
protected:
    // 3 to 40 corners around (cx, cy) at 2 to 12 m: the k-th of n at an angle
    // in [k, k + 0.4] x 2 pi / n, so that no two corners are more than half a
    // turn apart and the centre sees every edge.
    std::vector<std::pair<float, float>> StarShaped(float cx, float cy) {
        const int n = std::uniform_int_distribution<int>(3, 40)(random_);
        std::uniform_real_distribution<double> jitter(0.0, 0.4);
        std::uniform_real_distribution<double> radius(2.0, 12.0);
        std::vector<std::pair<float, float>> corners;
        for (int k = 0; k < n; ++k) {
            const double a = (k + jitter(random_)) * 2 * std::numbers::pi / n;
            const double r = radius(random_);
            corners.emplace_back(static_cast<float>(cx + r * std::cos(a)),
                                 static_cast<float>(cy + r * std::sin(a)));
        }
        if (std::bernoulli_distribution(0.5)(random_)) {
            std::reverse(corners.begin(), corners.end());
        }
        return corners;
    }

    std::mt19937 random_{20261207};
};

TEST_F(RandomFootprints, GiveNoFinding) {
    OpenBlock();
    FlatGround();
    for (int row = 0; row < 20; ++row) {
        for (int column = 0; column < 25; ++column) {
            AddBuilding(StarShaped(20.0f + 15.0f * static_cast<float>(column),
                                   20.0f + 13.0f * static_cast<float>(row)));
        }
    }
    const SheetCheck check = Check();
    ASSERT_EQ(check.blocks.size(), 1u);
    EXPECT_EQ(check.blocks[0].record.buildingCount, 500);
    EXPECT_THAT(check.blocks[0].findings, IsEmpty());
}

bool GeosFindsValid(const GeosContext& geos, const std::vector<FootprintPoint>& ring) {
    std::vector<double> xy;
    for (std::size_t k = 0; k <= ring.size(); ++k) {
        xy.push_back(ring[k % ring.size()].x);
        xy.push_back(ring[k % ring.size()].y);
    }
    const auto h = geos.Handle();
    GEOSCoordSequence* sequence =
        GEOSCoordSeq_copyFromBuffer_r(h, xy.data(), static_cast<unsigned>(ring.size() + 1), 0, 0);
    const GeosGeometry polygon = Own(
        geos, GEOSGeom_createPolygon_r(h, GEOSGeom_createLinearRing_r(h, sequence), nullptr, 0));
    return GEOSisValid_r(h, polygon.get()) == 1;
}

// The proof of simplicity that spares footprints a GEOS check decides every
// ring as GEOS does: rings of random corners on a small grid cross, touch,
// run along each other and run straight on through corners often.
TEST(ClearlySimpleRing, DecidesSmallRingsAsGeosDoes) {
    GeosContext geos;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(0, 4);
    std::uniform_int_distribution<int> count(3, 7);
    int valid = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        std::vector<FootprintPoint> ring;
        for (int k = count(random); k > 0; --k) {
            const FootprintPoint p{coordinate(random) * 0.5, coordinate(random) * 0.5};
            if (ring.empty() || p.x != ring.back().x || p.y != ring.back().y) {
                ring.push_back(p);
            }
        }
        if (ring.size() < 3 ||
            (ring.front().x == ring.back().x && ring.front().y == ring.back().y)) {
            continue;
        }
        const bool isValid = GeosFindsValid(geos, ring);
        valid += isValid;
        ASSERT_EQ(IsClearlySimpleRing(ring), isValid) << trial;
    }
    EXPECT_GT(valid, 1000);
}

// Star-shaped rings of 33 to 80 corners on a grid of half metres, taken
// round a centre by their angles: upright edges, corners in line, edges in
// line with others, corners that touch other edges or lie twice on the ring;
// with two corners swapped, rings that cross themselves.
std::vector<FootprintPoint> GridStar(std::mt19937& random) {
    std::uniform_int_distribution<int> coordinate(0, 24);
    std::uniform_int_distribution<int> count(33, 80);
    const FootprintPoint centre{6.07, 5.93};
    const auto angle = [&](const FootprintPoint& p) {
        return std::atan2(p.y - centre.y, p.x - centre.x);
    };
    std::vector<FootprintPoint> corners;
    for (int k = count(random); k > 0; --k) {
        corners.push_back({coordinate(random) * 0.5, coordinate(random) * 0.5});
    }
    std::sort(
        corners.begin(), corners.end(),
        [&](const FootprintPoint& a, const FootprintPoint& b) { return angle(a) < angle(b); });
    std::vector<FootprintPoint> ring;
    for (const FootprintPoint& p : corners) {
        if (ring.empty() || p.x != ring.back().x || p.y != ring.back().y) {
            ring.push_back(p);
        }
    }
    while (ring.size() > 1 && ring.front().x == ring.back().x && ring.front().y == ring.back().y) {
        ring.pop_back();
    }
    return ring;
}

// Rings of more corners are swept.
TEST(ClearlySimpleRing, DecidesSweptRingsAsGeosDoes) {
    GeosContext geos;
    std::mt19937 random(11);
    int valid = 0;
    int invalid = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        std::vector<FootprintPoint> ring = GridStar(random);
        if (trial % 2 == 1 && ring.size() > 2) {
            std::uniform_int_distribution<std::size_t> corner(0, ring.size() - 1);
            std::swap(ring[corner(random)], ring[corner(random)]);
        }
        if (ring.size() <= kMostCornersCompared) {
            continue;
        }
        const bool isValid = GeosFindsValid(geos, ring);
        valid += isValid;
        invalid += !isValid;
        ASSERT_EQ(IsClearlySimpleRing(ring), isValid) << trial;
    }
    EXPECT_GT(valid, 200);
    EXPECT_GT(invalid, 200);
}

}  // namespace
}  // namespace vesk
