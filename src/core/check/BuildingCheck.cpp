#include "check/BuildingCheck.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "check/CheckLimits.h"
#include "check/ClearlySimpleRing.h"

namespace vesk {
namespace {

namespace limits = check_limits;

bool Same(const FootprintPoint& a, const FootprintPoint& b) {
    return a.x == b.x && a.y == b.y;
}

bool AllFinite(const BuildingChunk& building) {
    return std::isfinite(building.bottom) && std::isfinite(building.roof) &&
           std::all_of(
               building.footprint.begin(), building.footprint.end(),
               [](const FootprintPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); });
}

FootprintPoint CornerMean(const std::vector<FootprintPoint>& ring) {
    FootprintPoint sum;
    for (const FootprintPoint& p : ring) {
        sum.x += p.x;
        sum.y += p.y;
    }
    return {sum.x / ring.size(), sum.y / ring.size()};
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

void BuildingCheck::Check(std::uint32_t index, const BuildingChunk& building, const Ground* ground,
                          std::vector<Finding>& findings) {
    index_ = index;
    building_ = &building;
    findings_ = &findings;
    if (!CheckNumbers(building)) {
        return;
    }
    const bool ringOk = CheckRing(building);
    CheckHeights(building);
    CheckBounds(building);
    if (ringOk && ground != nullptr) {
        CheckGround(building, *ground);
    }
}

bool BuildingCheck::CheckNumbers(const BuildingChunk& building) {
    if (AllFinite(building)) {
        return true;
    }
    const FootprintPoint centre{limits::kBlockWidth / 2, limits::kBlockHeight / 2};
    Add(FindingCode::kBuildingNotFinite, centre);
    findings_->back().footprint.clear();
    return false;
}

// Builds the ring in the block's frame without repeated corners and checks it.
bool BuildingCheck::CheckRing(const BuildingChunk& building) {
    const std::vector<FootprintPoint>& corners = building.footprint;
    ring_.clear();
    std::optional<std::size_t> repeated;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        if (Same(corners[i], corners[(i + 1) % corners.size()]) && corners.size() > 1) {
            repeated = repeated.value_or(i);
            continue;
        }
        ring_.push_back({corners[i].x - record_.originX, corners[i].y - record_.originY});
    }
    if (ring_.empty() && !corners.empty()) {  // one corner, repeated all round
        ring_.push_back({corners[0].x - record_.originX, corners[0].y - record_.originY});
    }
    sorted_.assign(ring_.begin(), ring_.end());
    std::sort(sorted_.begin(), sorted_.end(), [](const FootprintPoint& a, const FootprintPoint& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    const auto distinct = std::unique(sorted_.begin(), sorted_.end(), Same) - sorted_.begin();
    if (distinct < 3) {
        centroid_ = ring_.empty() ? FootprintPoint{} : CornerMean(ring_);
        Add(FindingCode::kTooFewPoints, centroid_, std::to_string(distinct));
        return false;
    }
    const RingArea area = AreaAndCentroid(ring_);
    centroid_ = area.centroid;
    if (repeated) {
        Add(FindingCode::kConsecutivePointsSame,
            {corners[*repeated].x - record_.originX, corners[*repeated].y - record_.originY},
            Marked('#', *repeated));
    }
    if (area.collinear) {
        Add(FindingCode::kZeroArea, centroid_);
        return false;
    }
    return IsClearlySimpleRing(ring_) || IsSimplePolygon();
}

// Asks GEOS whether the ring bounds a valid polygon; a fault is shown where GEOS found it.
bool BuildingCheck::IsSimplePolygon() {
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
    const char valid = polygon ? GEOSisValidDetail_r(handle, polygon.get(), 0, &reason, &where) : 0;
    const GeosGeometry location = Own(geos_, where);
    GEOSFree_r(handle, reason);
    if (valid == 1) {
        return true;
    }
    FootprintPoint at = centroid_;
    if (location) {
        GEOSGeomGetX_r(handle, location.get(), &at.x);
        GEOSGeomGetY_r(handle, location.get(), &at.y);
    }
    Add(FindingCode::kRingSelfIntersection, at);
    return false;
}

void BuildingCheck::CheckHeights(const BuildingChunk& building) {
    const double height = double{building.roof} - building.bottom;
    if (height <= 0.0) {
        Add(FindingCode::kRoofNotAboveBottom, centroid_, Metres(height));
    } else if (height > limits::kMostPlausibleHeight) {
        Add(FindingCode::kImplausibleHeight, centroid_, Metres(height));
    }
}

// The corner farthest outside the block, by more than the tolerance.
void BuildingCheck::CheckBounds(const BuildingChunk& building) {
    double farthest = limits::kOutsideBlockTolerance;
    std::optional<FootprintPoint> corner;
    for (const FootprintPoint& p : building.footprint) {
        const FootprintPoint local{p.x - record_.originX, p.y - record_.originY};
        const double outside = std::max(
            {-local.x, local.x - limits::kBlockWidth, -local.y, local.y - limits::kBlockHeight});
        if (outside > farthest) {
            farthest = outside;
            corner = local;
        }
    }
    if (corner) {
        Add(FindingCode::kOutsideBlock, *corner, Metres(farthest));
    }
}

void BuildingCheck::CheckGround(const BuildingChunk& building, const Ground& ground) {
    const auto height =
        ground.HeightAt(centroid_.x + record_.originX, centroid_.y + record_.originY);
    if (!height) {
        return;
    }
    const double above = building.bottom - *height;
    if (above > limits::kGroundTolerance) {
        Add(FindingCode::kFloating, centroid_, Metres(above));
    } else if (above < -limits::kGroundTolerance) {
        Add(FindingCode::kBuried, centroid_, Metres(-above));
    }
}

void BuildingCheck::Add(FindingCode code, FootprintPoint local, const std::string& detail) {
    Finding finding =
        MakeFinding(code, local.x + record_.originX, local.y + record_.originY, detail);
    finding.building = index_;
    finding.footprint = building_->footprint;
    findings_->push_back(std::move(finding));
}

}  // namespace vesk
