#include "check/BuildingCheck.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "check/CheckLimits.h"

namespace vesk {
namespace {

namespace limits = check_limits;

// The corners in plane coordinates, as every finding of the building carries them.
void Decode(const BuildingChunk& building, std::vector<FootprintPoint>& footprint) {
    footprint.clear();
    for (std::size_t i = 0; i < building.CornerCount(); ++i) {
        footprint.push_back({building.X(i), building.Y(i)});
    }
}

}  // namespace

void BuildingCheck::Check(std::uint32_t index, const BuildingChunk& building, const Ground* ground,
                          std::vector<Finding>& findings) {
    index_ = index;
    findings_ = &findings;
    Decode(building, footprint_);
    if (!CheckNumbers(building)) {
        return;
    }
    const bool ringOk = CheckRing();
    CheckHeights(building);
    CheckBounds();
    if (ringOk && ground != nullptr) {
        CheckGround(building, *ground);
    }
}

bool BuildingCheck::CheckNumbers(const BuildingChunk& building) {
    if (building.AllFinite()) {
        return true;
    }
    const FootprintPoint centre{limits::kBlockWidth / 2, limits::kBlockHeight / 2};
    Add(FindingCode::kBuildingNotFinite, centre);
    findings_->back().footprint.clear();
    return false;
}

// Judges the footprint's ring in the block's frame, as the model does.
bool BuildingCheck::CheckRing() {
    local_.clear();
    for (const FootprintPoint& p : footprint_) {
        local_.push_back({p.x - record_.originX, p.y - record_.originY});
    }
    const RingVerdict& verdict = ring_.Read(local_);
    centroid_ = verdict.centroid;
    if (verdict.fault == DataFault::kTooFewPoints) {
        Add(CodeOf(*verdict.fault), verdict.place, verdict.detail);
        return false;
    }
    if (verdict.repeated) {
        Add(FindingCode::kConsecutivePointsSame, local_[*verdict.repeated],
            Marked('#', *verdict.repeated));
    }
    if (!verdict.fault && ring_.IsSimple()) {
        return true;
    }
    Add(CodeOf(*verdict.fault), verdict.place, verdict.detail);
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
void BuildingCheck::CheckBounds() {
    double farthest = limits::kOutsideBlockTolerance;
    std::optional<FootprintPoint> corner;
    for (const FootprintPoint& p : footprint_) {
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
    finding.footprint = footprint_;
    findings_->push_back(std::move(finding));
}

}  // namespace vesk
