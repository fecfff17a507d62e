#include "model/ZOrderIndex.h"

namespace vesk {
namespace {

constexpr std::uint32_t kLastStep = 0xFFFF;

// The 16 low bits of v moved to the even bits of the result.
std::uint32_t SpreadBits(std::uint32_t v) {
    v = (v | (v << 8)) & 0x00FF00FFu;
    v = (v | (v << 4)) & 0x0F0F0F0Fu;
    v = (v | (v << 2)) & 0x33333333u;
    v = (v | (v << 1)) & 0x55555555u;
    return v;
}

// The even bits of v gathered into the 16 low bits of the result.
std::uint32_t GatherBits(std::uint32_t v) {
    v &= 0x55555555u;
    v = (v | (v >> 1)) & 0x33333333u;
    v = (v | (v >> 2)) & 0x0F0F0F0Fu;
    v = (v | (v >> 4)) & 0x00FF00FFu;
    v = (v | (v >> 8)) & 0x0000FFFFu;
    return v;
}

// Monotonic in the offset, so every point of a box has its code between
// those of the box's lowest and highest corners.
std::uint32_t Step(double offset, double stepsPerUnit) {
    return std::min(static_cast<std::uint32_t>(offset * stepsPerUnit), kLastStep);
}

// Each axis has its own steps, so that a long thin polygon gets as many
// across as along. An axis without extent has all its points at step 0.
double StepsPerUnit(double side) {
    return side > 0.0 ? kLastStep / side : 1.0;
}

}  // namespace

void ZOrderIndex::Build(std::span<const FootprintPoint> points) {
    FootprintPoint low = points.empty() ? FootprintPoint{} : points[0];
    FootprintPoint high = low;
    for (const FootprintPoint& p : points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    origin_ = low;
    stepsPerUnit_ = {StepsPerUnit(high.x - low.x), StepsPerUnit(high.y - low.y)};
    unitsPerStep_ = {1.0 / stepsPerUnit_.x, 1.0 / stepsPerUnit_.y};
    entries_.clear();
    for (std::uint32_t k = 0; k < points.size(); ++k) {
        entries_.push_back(Entry{Code(points[k])} << 32 | k);
    }
    std::sort(entries_.begin(), entries_.end());
    removed_.assign(points.size(), 0);
    removedEntries_ = 0;
}

// Removed points are dropped from the entries once they are half of them, so
// a search never reads more than twice the points left.
void ZOrderIndex::Remove(std::uint32_t point) {
    if (removed_[point] != 0) {
        return;
    }
    removed_[point] = 1;
    if (++removedEntries_ * 2 > entries_.size()) {
        Compact();
    }
}

void ZOrderIndex::Compact() {
    std::erase_if(entries_,
                  [&](Entry entry) { return removed_[static_cast<std::uint32_t>(entry)]; });
    removedEntries_ = 0;
}

std::uint32_t ZOrderIndex::Code(const FootprintPoint& p) const {
    return SpreadBits(Step(p.x - origin_.x, stepsPerUnit_.x)) |
           (SpreadBits(Step(p.y - origin_.y, stepsPerUnit_.y)) << 1);
}

ZOrderIndex::Box ZOrderIndex::CellBox(std::uint32_t cell, unsigned sideBits) const {
    const double x = GatherBits(cell);
    const double y = GatherBits(cell >> 1);
    const double side = std::uint32_t{1} << sideBits;
    return {{origin_.x + (x - 1.0) * unitsPerStep_.x, origin_.y + (y - 1.0) * unitsPerStep_.y},
            {origin_.x + (x + side + 1.0) * unitsPerStep_.x,
             origin_.y + (y + side + 1.0) * unitsPerStep_.y}};
}

}  // namespace vesk
