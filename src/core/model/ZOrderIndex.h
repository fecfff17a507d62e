#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "model/FootprintPoint.h"

namespace vesk {

// Points sorted by their z-order (Morton) code on a grid of 65536 x 65536
// steps over their bounding box, each axis with its own steps, and grouped
// into a packed tree: eight points in succession make a leaf, eight nodes in
// succession a node above, each with the exact bounding box of its points.
// Points close in the plane are close in the order, so the boxes stay small;
// and since a box holds only what its points span, a long thin triangle that
// runs beside a dense row of points, never touching it, is kept out of the
// row by the row's own flat box, where the cells of a fixed grid round the
// row would meet the triangle along its whole length.
class ZOrderIndex {
public:
    struct Box {
        FootprintPoint low;
        FootprintPoint high;
    };

    // Indexes the points by their positions in the span.
    void Build(std::span<const FootprintPoint> points);
    // Leaves the point out of every later search; again, it does nothing.
    void Remove(std::uint32_t point);

    // Whether found(point) holds for a point left in a leaf that the search
    // reaches: it goes down into the nodes whose boxes meets(box) lets in.
    template <typename Meets, typename Found>
    bool Any(const Meets& meets, const Found& found) const;

private:
    static constexpr std::size_t kNodeSize = 8;

    void Pack();
    template <typename Meets, typename Found>
    bool AnyBelow(std::size_t level, std::size_t node, const Meets& meets,
                  const Found& found) const;

    std::span<const FootprintPoint> points_;
    std::vector<std::uint32_t> order_;   // the points left, by their codes
    std::vector<std::size_t> levels_;    // where each level's boxes start, leaves first
    std::vector<Box> boxes_;             // every level's, one after the other
    std::vector<std::uint8_t> removed_;  // by point
    std::size_t removedInOrder_ = 0;     // removed points still in order_
};

template <typename Meets, typename Found>
bool ZOrderIndex::Any(const Meets& meets, const Found& found) const {
    if (order_.empty()) {
        return false;
    }
    return AnyBelow(levels_.size() - 1, 0, meets, found);
}

template <typename Meets, typename Found>
bool ZOrderIndex::AnyBelow(std::size_t level, std::size_t node, const Meets& meets,
                           const Found& found) const {
    if (!meets(boxes_[levels_[level] + node])) {
        return false;
    }
    const std::size_t first = node * kNodeSize;
    if (level == 0) {
        const std::size_t last = std::min(first + kNodeSize, order_.size());
        return std::any_of(order_.begin() + static_cast<std::ptrdiff_t>(first),
                           order_.begin() + static_cast<std::ptrdiff_t>(last),
                           [&](std::uint32_t point) { return !removed_[point] && found(point); });
    }
    const std::size_t last = std::min(first + kNodeSize, levels_[level] - levels_[level - 1]);
    for (std::size_t child = first; child < last; ++child) {
        if (AnyBelow(level - 1, child, meets, found)) {
            return true;
        }
    }
    return false;
}

}  // namespace vesk
