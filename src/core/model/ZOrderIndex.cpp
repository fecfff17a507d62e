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

std::uint32_t Step(double offset, double stepsPerUnit) {
    return std::min(static_cast<std::uint32_t>(offset * stepsPerUnit), kLastStep);
}

// Each axis has its own steps, so that a long thin polygon gets as many
// across as along. An axis without extent has all its points at step 0.
double StepsPerUnit(double side) {
    return side > 0.0 ? kLastStep / side : 1.0;
}

ZOrderIndex::Box Union(const ZOrderIndex::Box& a, const ZOrderIndex::Box& b) {
    return {{std::min(a.low.x, b.low.x), std::min(a.low.y, b.low.y)},
            {std::max(a.high.x, b.high.x), std::max(a.high.y, b.high.y)}};
}

}  // namespace

void ZOrderIndex::Build(std::span<const FootprintPoint> points) {
    Box bounds = points.empty() ? Box{} : Box{points[0], points[0]};
    for (const FootprintPoint& p : points) {
        bounds = Union(bounds, {p, p});
    }
    const FootprintPoint steps = {StepsPerUnit(bounds.high.x - bounds.low.x),
                                  StepsPerUnit(bounds.high.y - bounds.low.y)};
    std::vector<std::uint64_t> entries;  // code in the high half, point in the low half
    entries.reserve(points.size());
    for (std::uint32_t k = 0; k < points.size(); ++k) {
        const std::uint64_t code = SpreadBits(Step(points[k].x - bounds.low.x, steps.x)) |
                                   (SpreadBits(Step(points[k].y - bounds.low.y, steps.y)) << 1);
        entries.push_back(code << 32 | k);
    }
    std::sort(entries.begin(), entries.end());
    order_.clear();
    for (const std::uint64_t entry : entries) {
        order_.push_back(static_cast<std::uint32_t>(entry));
    }
    points_ = points;
    removed_.assign(points.size(), 0);
    removedInOrder_ = 0;
    Pack();
}

// Removed points leave the order, and the boxes shrink round the rest, once
// they are half of it: a search never reads more than twice the points left,
// and the packing, linear each time, costs in all twice the first.
void ZOrderIndex::Remove(std::uint32_t point) {
    if (removed_[point] != 0) {
        return;
    }
    removed_[point] = 1;
    if (++removedInOrder_ * 2 > order_.size()) {
        std::erase_if(order_, [&](std::uint32_t k) { return removed_[k] != 0; });
        removedInOrder_ = 0;
        Pack();
    }
}

// The leaves' boxes from their points, then each level's from the one below,
// up to a single root.
void ZOrderIndex::Pack() {
    boxes_.clear();
    levels_.assign(1, 0);
    for (std::size_t first = 0; first < order_.size(); first += kNodeSize) {
        const std::size_t last = std::min(first + kNodeSize, order_.size());
        Box box{points_[order_[first]], points_[order_[first]]};
        for (std::size_t k = first + 1; k < last; ++k) {
            box = Union(box, {points_[order_[k]], points_[order_[k]]});
        }
        boxes_.push_back(box);
    }
    while (boxes_.size() - levels_.back() > 1) {
        const std::size_t below = levels_.back();
        const std::size_t end = boxes_.size();
        levels_.push_back(end);
        for (std::size_t first = below; first < end; first += kNodeSize) {
            const std::size_t last = std::min(first + kNodeSize, end);
            Box box = boxes_[first];
            for (std::size_t k = first + 1; k < last; ++k) {
                box = Union(box, boxes_[k]);
            }
            boxes_.push_back(box);
        }
    }
}

}  // namespace vesk
