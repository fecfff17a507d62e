#include "model/FootprintTriangulation.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

#include "model/ConvexFootprint.h"
#include "model/FootprintBox.h"

namespace vesk {
namespace {

constexpr double kAreaTolerance = 1e-6;

double TwiceSignedArea(const FootprintPoint& a, const FootprintPoint& b, const FootprintPoint& c) {
    return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
}

// A footprint the data check calls faulty, with the check's code, text and place.
void Fail(const RingVerdict& verdict, FootprintTriangulation& result) {
    result.code = verdict.fault;
    result.fault = Describe(*verdict.fault, verdict.detail);
    result.place = verdict.place;
}

using SortedCorners = std::vector<std::tuple<double, double, std::uint32_t>>;

// The footprint corner at exactly (x, y): the triangulation gives back the
// very coordinates it was given.
std::optional<std::uint32_t> FindCorner(const SortedCorners& corners, double x, double y) {
    const auto found =
        std::lower_bound(corners.begin(), corners.end(), std::make_tuple(x, y, std::uint32_t{0}));
    if (found == corners.end() || std::get<0>(*found) != x || std::get<1>(*found) != y) {
        return std::nullopt;
    }
    return std::get<2>(*found);
}

std::optional<FootprintTriangle> TriangleCorners(const GeosContext& geos,
                                                 const GEOSGeometry& triangle,
                                                 const SortedCorners& corners) {
    const auto handle = geos.Handle();
    const GEOSGeometry* ring = GEOSGetExteriorRing_r(handle, &triangle);
    const GEOSCoordSequence* sequence = ring ? GEOSGeom_getCoordSeq_r(handle, ring) : nullptr;
    unsigned size = 0;
    if (sequence == nullptr || !GEOSCoordSeq_getSize_r(handle, sequence, &size) || size != 4) {
        return std::nullopt;
    }
    double xy[8];
    if (!GEOSCoordSeq_copyToBuffer_r(handle, sequence, xy, 0, 0)) {
        return std::nullopt;
    }
    FootprintTriangle result{};
    for (unsigned k = 0; k < 3; ++k) {
        const auto index = FindCorner(corners, xy[2 * k], xy[2 * k + 1]);
        if (!index) {
            return std::nullopt;
        }
        result[k] = *index;
    }
    return result;
}

// Whether the triangles, each counter-clockwise, add up to the footprint's area.
bool CoverArea(std::span<const FootprintPoint> footprint, const FootprintTriangulation& result) {
    double covered = 0.0;
    for (const auto& [a, b, c] : result.triangles) {
        covered += TwiceSignedArea(footprint[a], footprint[b], footprint[c]) / 2.0;
    }
    return std::abs(covered - result.area) <= kAreaTolerance * result.area;
}

}  // namespace

GeosGeometry FootprintTriangulator::MakePolygon(std::span<const FootprintPoint> footprint) {
    ring_.clear();
    for (const FootprintPoint& p : footprint) {
        ring_.insert(ring_.end(), {p.x, p.y});
    }
    ring_.insert(ring_.end(), {footprint[0].x, footprint[0].y});
    const auto handle = geos_.Handle();
    GEOSCoordSequence* sequence = GEOSCoordSeq_copyFromBuffer_r(
        handle, ring_.data(), static_cast<unsigned>(footprint.size() + 1), 0, 0);
    if (sequence == nullptr) {
        return Own(geos_, nullptr);
    }
    GEOSGeometry* shell = GEOSGeom_createLinearRing_r(handle, sequence);
    if (shell == nullptr) {
        return Own(geos_, nullptr);
    }
    return Own(geos_, GEOSGeom_createPolygon_r(handle, shell, nullptr, 0));
}

// The triangles of the constrained Delaunay triangulation, each turned
// counter-clockwise; degenerate ones (three corners on a line) are dropped.
// False when a triangle is not made of footprint corners.
bool FootprintTriangulator::CollectTriangles(const GEOSGeometry& collection,
                                             std::span<const FootprintPoint> footprint,
                                             FootprintTriangulation& result) {
    corners_.clear();
    for (std::uint32_t i = 0; i < footprint.size(); ++i) {
        corners_.emplace_back(footprint[i].x, footprint[i].y, i);
    }
    std::sort(corners_.begin(), corners_.end());
    const int count = GEOSGetNumGeometries_r(geos_.Handle(), &collection);
    for (int i = 0; i < count; ++i) {
        const GEOSGeometry* triangle = GEOSGetGeometryN_r(geos_.Handle(), &collection, i);
        auto corner = triangle ? TriangleCorners(geos_, *triangle, corners_) : std::nullopt;
        if (!corner) {
            return false;
        }
        auto& [a, b, c] = *corner;
        const double twice = TwiceSignedArea(footprint[a], footprint[b], footprint[c]);
        if (twice == 0.0) {
            continue;
        }
        if (twice < 0.0) {
            std::swap(b, c);
        }
        result.triangles.push_back(*corner);
    }
    return true;
}

// Most footprints are rectangles or other convex shapes. For a block of them,
// GEOS's validity check and triangulation alone take as long as writing the
// whole LSS-G file, while for a convex footprint simplicity is a plain
// geometric fact and the fan from a corner an exact triangulation inside it.
// Anything doubtful (a concave or collinear corner, a repeated corner, a star
// that winds twice, a turn too slight for the arithmetic to be sure of) is
// proven simple or checked by GEOS, and then has its ears clipped: GEOS's
// constrained Delaunay triangulation costs several times that, for flat
// roofs and floors that need no well-shaped triangles.
FootprintTriangulation FootprintTriangulator::Triangulate(
    std::span<const FootprintPoint> footprint) {
    FootprintTriangulation result = Judge(footprint);
    if (!result.Ok()) {
        return result;
    }
    if (IsCertainlyStrictlyConvex(footprint)) {
        AppendFan(footprint.size(), result.counterClockwise, result.triangles);
    } else if (IsSimple(result) && !ClipEars(footprint, result)) {
        TriangulateByGeos(footprint, result);
    }
    return result;
}

FootprintTriangulation FootprintTriangulator::TriangulateWithGeos(
    std::span<const FootprintPoint> footprint) {
    FootprintTriangulation result = Judge(footprint);
    if (result.Ok() && IsSimple(result)) {
        TriangulateByGeos(footprint, result);
    }
    return result;
}

// The faults that need no GEOS, and the footprint's area and own turning.
FootprintTriangulation FootprintTriangulator::Judge(std::span<const FootprintPoint> footprint) {
    FootprintTriangulation result;
    const RingVerdict& verdict = verdict_.Read(footprint);
    result.place = verdict.centroid;
    if (verdict.fault) {
        Fail(verdict, result);
        return result;
    }
    const double signedArea = SignedFootprintArea(footprint);
    result.area = std::abs(signedArea);
    result.counterClockwise = signedArea > 0.0;
    return result;
}

bool FootprintTriangulator::IsSimple(FootprintTriangulation& result) {
    if (verdict_.IsSimple()) {
        return true;
    }
    Fail(verdict_.Verdict(), result);
    return false;
}

// False, with no triangles, when the ears could not all be clipped: GEOS
// then decides.
bool FootprintTriangulator::ClipEars(std::span<const FootprintPoint> footprint,
                                     FootprintTriangulation& result) {
    if (ears_.Triangulate(footprint, result.counterClockwise, result.triangles) &&
        CoverArea(footprint, result)) {
        return true;
    }
    result.triangles.clear();
    return false;
}

void FootprintTriangulator::TriangulateByGeos(std::span<const FootprintPoint> footprint,
                                              FootprintTriangulation& result) {
    const GeosGeometry polygon = MakePolygon(footprint);
    const GeosGeometry triangles =
        Own(geos_, polygon ? GEOSConstrainedDelaunayTriangulation_r(geos_.Handle(), polygon.get())
                           : nullptr);
    if (!triangles || !CollectTriangles(*triangles, footprint, result) ||
        !CoverArea(footprint, result)) {
        result.triangles.clear();
        result.fault = "its triangulation does not cover it";
    }
}

}  // namespace vesk
