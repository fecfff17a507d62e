// The ear clipper's triangles against GEOS over random simple polygons of the
// shapes footprints take and of shapes that make ear clipping hard: each
// triangle lies within the polygon, together they cover it, and none is flat.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <numbers>
#include <random>
#include <string>

#include "model/EarClipping.h"
#include "model/GeosContext.h"

namespace vesk {
namespace {

using Footprint = std::vector<FootprintPoint>;

struct TestPolygon {
    std::string shape;
    Footprint corners;
    bool collinear = false;  // some corners lie exactly on a line with their neighbours
};

class Shapes {
public:
    explicit Shapes(unsigned seed) : random_(seed) {}

    // Corners on an ellipse at random angles.
    TestPolygon Convex() {
        const int n = Uniform(3, 60);
        const double rx = Real(2.0, 50.0);
        const double ry = rx * Real(0.2, 1.0);
        return Around("convex", n, [&](double angle) {
            return FootprintPoint{rx * std::cos(angle), ry * std::sin(angle)};
        });
    }

    // At growing angles round a centre, at random distances from it.
    TestPolygon Star(int n) {
        return Around("star", n, [&](double angle) {
            const double radius = Real(1.0, 20.0);
            return FootprintPoint{radius * std::cos(angle), radius * std::sin(angle)};
        });
    }

    // A band wound one to four times round the centre: its inner side has
    // reflex corners all along, and every ear sees the next turn close by.
    TestPolygon Spiral() {
        const double turns = Real(1.0, 4.0);
        const int steps = static_cast<int>(turns * Uniform(12, 40));
        const double growth = Real(1.0, 3.0);  // radius per radian
        const double width = growth * 2.0 * std::numbers::pi * Real(0.2, 0.6);
        TestPolygon polygon{"spiral", {}};
        for (int side = 0; side < 2; ++side) {
            for (int k = 0; k <= steps; ++k) {
                const int step = side == 0 ? k : steps - k;
                const double angle = 2.0 * std::numbers::pi * turns * step / steps;
                const double radius = 2.0 + growth * angle + (side == 0 ? width : 0.0);
                polygon.corners.push_back({radius * std::cos(angle), radius * std::sin(angle)});
            }
        }
        return Placed(std::move(polygon));
    }

    // A back with teeth of random widths and heights. Its valleys lie on one
    // line when flat is set, in whole metres so that the line is exact.
    TestPolygon Comb(int teeth, bool flat) {
        Footprint top;
        double x = 0.0;
        for (int i = 0; i < teeth; ++i) {
            const double width = flat ? Uniform(1, 3) : Real(0.5, 3.0);
            const double height = flat ? Uniform(2, 9) : Real(2.0, 9.0);
            top.push_back({x, flat ? 0.0 : Real(-0.5, 0.5)});
            top.push_back({x, height});
            top.push_back({x + width, height});
            top.push_back({x + width, flat ? 0.0 : Real(-0.5, 0.5)});
            x += width + (flat ? Uniform(1, 3) : Real(0.5, 3.0));
        }
        TestPolygon polygon{flat ? "flat comb" : "comb", {{0.0, -3.0}, {x, -3.0}}, flat};
        polygon.corners.insert(polygon.corners.end(), top.rbegin(), top.rend());
        return Placed(std::move(polygon));
    }

    // A rectangle whose sides have many corners each, off the straight side
    // by a billionth of its length at most, or exactly on it.
    TestPolygon NearlyStraightSides(bool exactly) {
        const double width = Real(5.0, 60.0);
        const double height = Real(5.0, 60.0);
        const FootprintPoint box[] = {{0, 0}, {width, 0}, {width, height}, {0, height}};
        TestPolygon polygon{exactly ? "straight sides" : "nearly straight sides", {}, exactly};
        for (int side = 0; side < 4; ++side) {
            const FootprintPoint& from = box[side];
            const FootprintPoint& to = box[(side + 1) % 4];
            const double length = std::hypot(to.x - from.x, to.y - from.y);
            const int corners = Uniform(1, 12);
            for (int k = 0; k < corners; ++k) {
                const double along = static_cast<double>(k) / corners;
                const double off = k == 0 || exactly ? 0.0 : length * Real(-1e-9, 1e-9);
                polygon.corners.push_back(
                    {from.x + along * (to.x - from.x) - off * (to.y - from.y),
                     from.y + along * (to.y - from.y) + off * (to.x - from.x)});
            }
        }
        return Placed(std::move(polygon));
    }

    TestPolygon Any() {
        switch (Uniform(0, 6)) {
            case 0:
                return Convex();
            case 1:
                return Star(Uniform(4, 200));
            case 2:
                return Spiral();
            case 3:
                return Comb(Uniform(1, 30), false);
            case 4:
                return Comb(Uniform(1, 30), true);
            case 5:
                return NearlyStraightSides(false);
            default:
                return NearlyStraightSides(true);
        }
    }

private:
    int Uniform(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    double Real(double low, double high) {
        return std::uniform_real_distribution(low, high)(random_);
    }

    // n corners at growing angles, none more than half a turn from the next.
    template <typename CornerAt>
    TestPolygon Around(const char* shape, int n, CornerAt cornerAt) {
        TestPolygon polygon{shape, {}};
        const double start = Real(0.0, 2.0 * std::numbers::pi);
        for (int k = 0; k < n; ++k) {
            polygon.corners.push_back(
                cornerAt(start + (k + Real(0.0, 0.5)) * 2.0 * std::numbers::pi / n));
        }
        return Placed(std::move(polygon));
    }

    // Near the origin or far from it, as footprints in a block's frame and in
    // a zone's plane are, stored either way round, now and then with a corner
    // given twice in succession.
    TestPolygon Placed(TestPolygon polygon) {
        const bool far = Uniform(0, 1) == 1;
        const double dx = far ? -8000.0 - Real(0.0, 5e5) : Real(0.0, 400.0);
        const double dy = far ? -34800.0 + Real(0.0, 5e5) : Real(0.0, 300.0);
        for (FootprintPoint& p : polygon.corners) {
            p = {p.x + dx, p.y + dy};
        }
        if (Uniform(0, 1) == 1) {
            std::reverse(polygon.corners.begin(), polygon.corners.end());
        }
        if (Uniform(0, 3) == 0) {
            const auto k =
                polygon.corners.begin() + Uniform(0, static_cast<int>(polygon.corners.size()) - 1);
            polygon.corners.insert(k, *k);
        }
        return polygon;
    }

    std::mt19937 random_;
};

// Twice the signed area in long double, about the first corner.
long double TwiceArea(const FootprintPoint& a, const FootprintPoint& b, const FootprintPoint& c) {
    const long double bx = static_cast<long double>(b.x) - a.x;
    const long double by = static_cast<long double>(b.y) - a.y;
    const long double cx = static_cast<long double>(c.x) - a.x;
    const long double cy = static_cast<long double>(c.y) - a.y;
    return bx * cy - by * cx;
}

bool CounterClockwise(const Footprint& ring) {
    long double twice = 0.0L;
    for (std::size_t i = 1; i + 1 < ring.size(); ++i) {
        twice += TwiceArea(ring[0], ring[i], ring[i + 1]);
    }
    return twice > 0.0L;
}

std::size_t DistinctCorners(const Footprint& ring) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const FootprintPoint& next = ring[(i + 1) % ring.size()];
        count += ring[i].x != next.x || ring[i].y != next.y;
    }
    return count;
}

// What GEOS makes of a polygon and of the triangles given for it.
class GeosReference {
public:
    GeosGeometry Polygon(std::span<const FootprintPoint> ring) const {
        const auto h = geos_.Handle();
        GEOSCoordSequence* sequence =
            GEOSCoordSeq_create_r(h, static_cast<unsigned>(ring.size() + 1), 2);
        for (std::size_t k = 0; k <= ring.size(); ++k) {
            const FootprintPoint& p = ring[k % ring.size()];
            GEOSCoordSeq_setXY_r(h, sequence, static_cast<unsigned>(k), p.x, p.y);
        }
        return Own(geos_, GEOSGeom_createPolygon_r(h, GEOSGeom_createLinearRing_r(h, sequence),
                                                   nullptr, 0));
    }

    bool IsValid(const GEOSGeometry& geometry) const {
        return GEOSisValid_r(geos_.Handle(), &geometry) == 1;
    }

    double Area(const GEOSGeometry& geometry) const {
        double area = 0.0;
        GEOSArea_r(geos_.Handle(), &geometry, &area);
        return area;
    }

    // Whether b lies in a, its boundary included, decided exactly.
    bool Covers(const GEOSPreparedGeometry& a, const GEOSGeometry& b) const {
        return GEOSPreparedCovers_r(geos_.Handle(), &a, &b) == 1;
    }

    std::unique_ptr<const GEOSPreparedGeometry, std::function<void(const GEOSPreparedGeometry*)>>
    Prepare(const GEOSGeometry& geometry) const {
        const auto h = geos_.Handle();
        return {GEOSPrepare_r(h, &geometry), [h](const GEOSPreparedGeometry* prepared) {
                    GEOSPreparedGeom_destroy_r(h, prepared);
                }};
    }

    // The area of what lies in a but not in b.
    double AreaOutside(const GEOSGeometry& a, const GEOSGeometry& b) const {
        const GeosGeometry rest = Own(geos_, GEOSDifference_r(geos_.Handle(), &a, &b));
        return rest ? Area(*rest) : std::numeric_limits<double>::infinity();
    }

    GeosGeometry Union(std::vector<GeosGeometry> parts) const {
        std::vector<GEOSGeometry*> owned;
        for (GeosGeometry& part : parts) {
            owned.push_back(part.release());
        }
        const GeosGeometry collection = Own(
            geos_, GEOSGeom_createCollection_r(geos_.Handle(), GEOS_GEOMETRYCOLLECTION,
                                               owned.data(), static_cast<unsigned>(owned.size())));
        return Own(geos_, GEOSUnaryUnion_r(geos_.Handle(), collection.get()));
    }

private:
    GeosContext geos_;
};

// n - 2 triangles of the polygon's corners, each counter-clockwise and not
// flat (unless corners lie on a line), their areas adding up to the
// polygon's as GEOS measures it.
void ExpectAreasAddUp(const GeosReference& geos, const TestPolygon& polygon,
                      const GEOSGeometry& whole, const std::vector<FootprintTriangle>& triangles) {
    const Footprint& ring = polygon.corners;
    EXPECT_EQ(triangles.size(), DistinctCorners(ring) - 2);
    long double covered = 0.0L;
    for (const FootprintTriangle& t : triangles) {
        ASSERT_LT(*std::max_element(t.begin(), t.end()), ring.size());
        const long double twice = TwiceArea(ring[t[0]], ring[t[1]], ring[t[2]]);
        if (polygon.collinear) {
            EXPECT_GE(twice, 0.0L);
        } else {
            EXPECT_GT(twice, 0.0L);
        }
        covered += twice / 2.0L;
    }
    const double area = geos.Area(whole);
    EXPECT_NEAR(static_cast<double>(covered), area, 1e-9 * area);
}

// Every triangle within the polygon as GEOS decides it, and their union
// leaving none of it out.
void ExpectWithinAndCovering(const GeosReference& geos, const Footprint& ring,
                             const GEOSGeometry& whole,
                             const std::vector<FootprintTriangle>& triangles) {
    const auto prepared = geos.Prepare(whole);
    std::vector<GeosGeometry> parts;
    for (const FootprintTriangle& t : triangles) {
        const FootprintPoint corners[] = {ring[t[0]], ring[t[1]], ring[t[2]]};
        parts.push_back(geos.Polygon(corners));
        EXPECT_TRUE(geos.Covers(*prepared, *parts.back()));
    }
    const GeosGeometry together = geos.Union(std::move(parts));
    ASSERT_TRUE(together);
    EXPECT_LE(geos.AreaOutside(whole, *together), 1e-9 * geos.Area(whole));
}

// The triangles' edges cancel out but for the polygon's own, each once and
// in its direction. With every triangle counter-clockwise, each point of the
// polygon then lies in exactly one triangle and no point outside in any: the
// same fact as above, where GEOS's union of 100,000 slivers would take
// minutes.
void ExpectEdgesCancelButTheBoundary(const Footprint& ring,
                                     const std::vector<FootprintTriangle>& triangles) {
    using Point = std::pair<double, double>;
    std::map<std::pair<Point, Point>, int> net;  // times run forward less times run back
    const auto add = [&](const FootprintPoint& p, const FootprintPoint& q, int times) {
        const Point from{p.x, p.y};
        const Point to{q.x, q.y};
        if (from < to) {
            net[{from, to}] += times;
        } else if (to < from) {
            net[{to, from}] -= times;
        }
    };
    for (const FootprintTriangle& t : triangles) {
        for (std::size_t k = 0; k < 3; ++k) {
            add(ring[t[k]], ring[t[(k + 1) % 3]], 1);
        }
    }
    const int boundary = CounterClockwise(ring) ? -1 : 1;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        add(ring[i], ring[(i + 1) % ring.size()], boundary);
    }
    EXPECT_TRUE(
        std::all_of(net.begin(), net.end(), [](const auto& edge) { return edge.second == 0; }));
}

TEST(EarClipping, RandomSimplePolygonsAreTriangulatedWithinThemAsGeosSees) {
    Shapes shapes(2503);
    GeosReference geos;
    EarClipping ears;
    for (int k = 0; k < 500; ++k) {
        const TestPolygon polygon = shapes.Any();
        SCOPED_TRACE(testing::Message() << "polygon " << k << ", " << polygon.shape << " of "
                                        << polygon.corners.size() << " corners");
        const GeosGeometry whole = geos.Polygon(polygon.corners);
        ASSERT_TRUE(geos.IsValid(*whole)) << "the test made an invalid polygon";
        std::vector<FootprintTriangle> triangles;
        ASSERT_TRUE(
            ears.Triangulate(polygon.corners, CounterClockwise(polygon.corners), triangles));
        ExpectAreasAddUp(geos, polygon, *whole, triangles);
        ExpectWithinAndCovering(geos, polygon.corners, *whole, triangles);
        ExpectEdgesCancelButTheBoundary(polygon.corners, triangles);
    }
}

// Near-linear work keeps these to a fraction of a second in a Release build;
// what is checked here is only that they come out whole and right. Both are
// simple by construction (GEOS's own check of the star would take half a
// minute).
TEST(EarClipping, HundredThousandCornersAreTriangulated) {
    Shapes shapes(11);
    GeosReference geos;
    EarClipping ears;
    for (const TestPolygon& polygon : {shapes.Comb(25000, true), shapes.Star(100000)}) {
        SCOPED_TRACE(polygon.shape);
        const GeosGeometry whole = geos.Polygon(polygon.corners);
        std::vector<FootprintTriangle> triangles;
        ASSERT_TRUE(
            ears.Triangulate(polygon.corners, CounterClockwise(polygon.corners), triangles));
        ExpectAreasAddUp(geos, polygon, *whole, triangles);
        ExpectEdgesCancelButTheBoundary(polygon.corners, triangles);
    }
}

}  // namespace
}  // namespace vesk
