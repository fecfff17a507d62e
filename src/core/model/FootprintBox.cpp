#include "model/FootprintBox.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace vesk {
namespace {

std::array<FootprintPoint, 4> Extent(std::span<const FootprintPoint> points) {
    constexpr double kBig = std::numeric_limits<double>::max();
    FootprintPoint low{kBig, kBig};
    FootprintPoint high{-kBig, -kBig};
    for (const FootprintPoint& p : points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    return {{{low.x, low.y}, {high.x, low.y}, {high.x, high.y}, {low.x, high.y}}};
}

// The corners GEOS gives: a polygon's ring (closed, so its last repeats the
// first), a line's two ends, or one point.
std::vector<FootprintPoint> CornersOf(const GeosContext& geos, const GEOSGeometry& shape) {
    const auto handle = geos.Handle();
    const GEOSGeometry* line = GEOSGeomTypeId_r(handle, &shape) == GEOS_POLYGON
                                   ? GEOSGetExteriorRing_r(handle, &shape)
                                   : &shape;
    const GEOSCoordSequence* sequence = line ? GEOSGeom_getCoordSeq_r(handle, line) : nullptr;
    unsigned size = 0;
    if (sequence == nullptr || !GEOSCoordSeq_getSize_r(handle, sequence, &size) || size == 0) {
        return {};
    }
    std::vector<double> xy(2 * std::size_t{size});
    if (!GEOSCoordSeq_copyToBuffer_r(handle, sequence, xy.data(), 0, 0)) {
        return {};
    }
    std::vector<FootprintPoint> corners;
    for (unsigned k = 0; k < size; ++k) {
        corners.push_back({xy[2 * k], xy[2 * k + 1]});
    }
    return corners;
}

}  // namespace

std::array<FootprintPoint, 4> SmallestRectangle(const GeosContext& geos,
                                                std::span<const FootprintPoint> points) {
    if (points.empty()) {
        return {};
    }
    if (points.size() == 1) {
        return {points[0], points[0], points[0], points[0]};
    }
    std::vector<double> xy;
    for (const FootprintPoint& p : points) {
        xy.insert(xy.end(), {p.x, p.y});
    }
    const auto handle = geos.Handle();
    GEOSCoordSequence* sequence = GEOSCoordSeq_copyFromBuffer_r(
        handle, xy.data(), static_cast<unsigned>(points.size()), 0, 0);
    const GeosGeometry line =
        Own(geos, sequence ? GEOSGeom_createLineString_r(handle, sequence) : nullptr);
    const GeosGeometry box =
        Own(geos, line ? GEOSMinimumRotatedRectangle_r(handle, line.get()) : nullptr);
    const std::vector<FootprintPoint> corners =
        box ? CornersOf(geos, *box) : std::vector<FootprintPoint>{};
    if (corners.size() == 5) {
        std::array<FootprintPoint, 4> rectangle{corners[0], corners[1], corners[2], corners[3]};
        if (SignedFootprintArea(rectangle) < 0.0) {
            std::reverse(rectangle.begin(), rectangle.end());
        }
        return rectangle;
    }
    if (corners.size() == 2) {
        return {corners[0], corners[1], corners[1], corners[0]};
    }
    if (corners.size() == 1) {
        return {corners[0], corners[0], corners[0], corners[0]};
    }
    return Extent(points);
}

double SignedFootprintArea(std::span<const FootprintPoint> footprint) {
    double twice = 0.0;
    for (std::size_t i = 1; i + 1 < footprint.size(); ++i) {
        const FootprintPoint& o = footprint[0];
        const FootprintPoint& a = footprint[i];
        const FootprintPoint& b = footprint[i + 1];
        twice += (a.x - o.x) * (b.y - o.y) - (b.x - o.x) * (a.y - o.y);
    }
    return twice / 2.0;
}

}  // namespace vesk
