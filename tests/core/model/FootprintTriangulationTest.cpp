// The fan for convex footprints against GEOS's triangulation of the same
// footprints, and footprints the fan must leave to GEOS's validity check and
// the ear clipper.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <random>

#include "MeshFacts.h"
#include "model/ConvexFootprint.h"
#include "model/FootprintTriangulation.h"

namespace vesk {
namespace {

using Footprint = std::vector<FootprintPoint>;
using ::testing::HasSubstr;

// Shoelace in long double, about the first corner.
double ReferenceArea(const Footprint& footprint) {
    long double twice = 0.0L;
    for (std::size_t i = 1; i + 1 < footprint.size(); ++i) {
        const long double ax = footprint[i].x - footprint[0].x;
        const long double ay = footprint[i].y - footprint[0].y;
        const long double bx = footprint[i + 1].x - footprint[0].x;
        const long double by = footprint[i + 1].y - footprint[0].y;
        twice += ax * by - ay * bx;
    }
    return static_cast<double>(std::fabs(twice) / 2.0L);
}

// Each triangle is made of footprint corners, turns counter-clockwise and has
// its centroid inside the footprint; together they cover its area.
void ExpectCoversFootprintFromInside(const Footprint& footprint,
                                     const FootprintTriangulation& triangulation) {
    ASSERT_TRUE(triangulation.Ok()) << triangulation.fault;
    std::vector<std::pair<double, double>> ring;
    for (const FootprintPoint& p : footprint) {
        ring.emplace_back(p.x, p.y);
    }
    double covered = 0.0;
    for (const auto& corners : triangulation.triangles) {
        ASSERT_LT(*std::max_element(corners.begin(), corners.end()), footprint.size());
        const FootprintPoint& a = footprint[corners[0]];
        const FootprintPoint& b = footprint[corners[1]];
        const FootprintPoint& c = footprint[corners[2]];
        const double twice = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
        EXPECT_GT(twice, 0.0);
        covered += twice / 2.0;
        EXPECT_TRUE(test::Inside(ring, (a.x + b.x + c.x) / 3.0, (a.y + b.y + c.y) / 3.0));
    }
    const double area = ReferenceArea(footprint);
    EXPECT_NEAR(covered, area, 1e-6 * area);
}

// Corners on an ellipse at random angles, starting anywhere, in either order,
// near the origin or far from it.
Footprint RandomConvexFootprint(std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int n = 3 + static_cast<int>(random() % 38);
    std::vector<double> gaps(n);
    for (double& gap : gaps) {
        gap = 1.0 + unit(random);  // no gap less than half another
    }
    const double scale = 2.0 * std::numbers::pi / std::accumulate(gaps.begin(), gaps.end(), 0.0);
    const bool far = random() % 2 == 0;
    const double cx = far ? -8000.0 - 5e5 * unit(random) : 100.0 * unit(random);
    const double cy = far ? -34800.0 + 5e5 * unit(random) : 100.0 * unit(random);
    const double rx = 2.0 + 48.0 * unit(random);
    const double ry = rx * (0.2 + 0.8 * unit(random));
    double angle = 2.0 * std::numbers::pi * unit(random);
    Footprint footprint;
    for (const double gap : gaps) {
        footprint.push_back({cx + rx * std::cos(angle), cy + ry * std::sin(angle)});
        angle += gap * scale;
    }
    if (random() % 2 == 0) {
        std::reverse(footprint.begin(), footprint.end());
    }
    return footprint;
}

TEST(FootprintTriangulation, ConvexFootprintsGetAFanThatAgreesWithGeos) {
    std::mt19937 random(7);
    FootprintTriangulator triangulator;
    for (int k = 0; k < 300; ++k) {
        const Footprint footprint = RandomConvexFootprint(random);
        SCOPED_TRACE(testing::Message() << "footprint " << k << " of " << footprint.size());
        ASSERT_TRUE(IsCertainlyStrictlyConvex(footprint));
        const FootprintTriangulation fan = triangulator.Triangulate(footprint);
        const FootprintTriangulation geos = triangulator.TriangulateWithGeos(footprint);
        EXPECT_TRUE(geos.Ok()) << geos.fault;
        EXPECT_EQ(fan.counterClockwise, geos.counterClockwise);
        ExpectCoversFootprintFromInside(footprint, fan);
        ExpectCoversFootprintFromInside(footprint, geos);
    }
}

TEST(FootprintTriangulation, StarsCollinearAndRepeatedCornersComeOutAsGeosSays) {
    Footprint pentagram;  // every turn the same way, but it winds twice
    for (int i = 0; i < 5; ++i) {
        const double angle = 2.0 * std::numbers::pi * (2 * i % 5) / 5.0;
        pentagram.push_back({10.0 * std::cos(angle), 10.0 * std::sin(angle)});
    }
    const Footprint collinear = {{0, 0}, {2, 0}, {4, 0}, {4, 3}, {0, 3}};
    const Footprint reversedCollinear(collinear.rbegin(), collinear.rend());
    const Footprint repeated = {{0, 0}, {4, 0}, {4, 0}, {4, 3}, {0, 3}};
    FootprintTriangulator triangulator;
    for (const Footprint& footprint : {pentagram, collinear, reversedCollinear, repeated}) {
        EXPECT_FALSE(IsCertainlyStrictlyConvex(footprint));
        const FootprintTriangulation result = triangulator.Triangulate(footprint);
        const FootprintTriangulation geos = triangulator.TriangulateWithGeos(footprint);
        EXPECT_EQ(result.fault, geos.fault);
        EXPECT_EQ(result.triangles.size(), geos.triangles.size());
    }
    EXPECT_THAT(triangulator.Triangulate(pentagram).fault, HasSubstr("crosses or touches itself"));
    for (const Footprint& footprint : {collinear, reversedCollinear, repeated}) {
        ExpectCoversFootprintFromInside(footprint, triangulator.Triangulate(footprint));
    }
}

}  // namespace
}  // namespace vesk
