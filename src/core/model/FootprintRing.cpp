#include "model/FootprintRing.h"

#include <algorithm>

#include "model/ClearlySimpleRing.h"

namespace vesk {
namespace {

bool Same(const FootprintPoint& a, const FootprintPoint& b) {
    return a.x == b.x && a.y == b.y;
}

FootprintPoint CornerMean(const std::vector<FootprintPoint>& ring) {
    FootprintPoint sum;
    for (const FootprintPoint& p : ring) {
        sum.x += p.x;
        sum.y += p.y;
    }
    const auto count = static_cast<double>(ring.size());
    return {sum.x / count, sum.y / count};
}

struct RingArea {
    bool collinear = true;  // every corner on one line: the ring bounds nothing
    FootprintPoint centroid;
};

// The area centroid by the shoelace sum about the first corner; the mean of
// the corners when the signed area is zero (a line, or a ring whose lobes
// cancel).
RingArea AreaAndCentroid(const std::vector<FootprintPoint>& ring) {
    RingArea result;
    double twice = 0.0;
    double cx = 0.0;
    double cy = 0.0;
    const FootprintPoint& o = ring[0];
    for (std::size_t i = 1; i + 1 < ring.size(); ++i) {
        const FootprintPoint& a = ring[i];
        const FootprintPoint& b = ring[i + 1];
        const double cross = (a.x - o.x) * (b.y - o.y) - (b.x - o.x) * (a.y - o.y);
        twice += cross;
        result.collinear = result.collinear && cross == 0.0;
        cx += cross * (o.x + a.x + b.x);
        cy += cross * (o.y + a.y + b.y);
    }
    result.centroid =
        twice == 0.0 ? CornerMean(ring) : FootprintPoint{cx / (3 * twice), cy / (3 * twice)};
    return result;
}

}  // namespace

const RingVerdict& FootprintRing::Read(std::span<const FootprintPoint> footprint) {
    verdict_ = {};
    ring_.clear();
    for (std::size_t i = 0; i < footprint.size(); ++i) {
        if (footprint.size() > 1 && Same(footprint[i], footprint[(i + 1) % footprint.size()])) {
            verdict_.repeated = verdict_.repeated.value_or(i);
            continue;
        }
        ring_.push_back(footprint[i]);
    }
    if (ring_.empty() && !footprint.empty()) {  // one corner, repeated all round
        ring_.push_back(footprint[0]);
    }
    sorted_.assign(ring_.begin(), ring_.end());
    std::sort(sorted_.begin(), sorted_.end(), [](const FootprintPoint& a, const FootprintPoint& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    const auto distinct = std::unique(sorted_.begin(), sorted_.end(), Same) - sorted_.begin();
    if (distinct < 3) {
        verdict_.centroid = ring_.empty() ? FootprintPoint{} : CornerMean(ring_);
        verdict_.place = verdict_.centroid;
        verdict_.fault = DataFault::kTooFewPoints;
        verdict_.detail = std::to_string(distinct);
        return verdict_;
    }
    const RingArea area = AreaAndCentroid(ring_);
    verdict_.centroid = verdict_.place = area.centroid;
    if (area.collinear) {
        verdict_.fault = DataFault::kZeroArea;
    }
    return verdict_;
}

bool FootprintRing::IsSimple() {
    return IsClearlySimpleRing(ring_) || IsValidToGeos();
}

// Asks GEOS whether the ring bounds a valid polygon; a fault is placed where
// GEOS found it. When GEOS fails on the ring instead, its reason is the
// verdict's detail: it says nothing of the ring crossing itself.
bool FootprintRing::IsValidToGeos() {
    const auto handle = geos_.Handle();
    coordinates_.clear();
    for (const FootprintPoint& p : ring_) {
        coordinates_.push_back(p.x);
        coordinates_.push_back(p.y);
    }
    coordinates_.push_back(ring_[0].x);
    coordinates_.push_back(ring_[0].y);
    GEOSCoordSequence* sequence = GEOSCoordSeq_copyFromBuffer_r(
        handle, coordinates_.data(), static_cast<unsigned>(ring_.size() + 1), 0, 0);
    GEOSGeometry* shell = sequence ? GEOSGeom_createLinearRing_r(handle, sequence) : nullptr;
    const GeosGeometry polygon =
        Own(geos_, shell ? GEOSGeom_createPolygon_r(handle, shell, nullptr, 0) : nullptr);
    char* reason = nullptr;
    GEOSGeometry* where = nullptr;
    constexpr char kValid = 1;
    constexpr char kInvalid = 0;
    const char valid = polygon ? GEOSisValidDetail_r(handle, polygon.get(), 0, &reason, &where) : 2;
    const GeosGeometry location = Own(geos_, where);
    GEOSFree_r(handle, reason);
    if (valid == kValid) {
        return true;
    }
    if (valid != kInvalid) {
        verdict_.fault = DataFault::kFootprintNotJudged;
        verdict_.detail = geos_.TakeMessage();
        return false;
    }
    verdict_.fault = DataFault::kRingSelfIntersection;
    if (location) {
        GEOSGeomGetX_r(handle, location.get(), &verdict_.place.x);
        GEOSGeomGetY_r(handle, location.get(), &verdict_.place.y);
    }
    return false;
}

}  // namespace vesk
