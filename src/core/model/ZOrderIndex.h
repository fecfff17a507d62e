#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <span>
#include <vector>

#include "model/FootprintPoint.h"

namespace vesk {

// Points indexed by their z-order (Morton) code on a grid of 65536 x 65536
// steps over their bounding box. The codes of each quadtree cell follow one
// another, so the points of a cell are one run of the sorted codes; a search
// starts at the smallest cell round a box and goes down only into the cells
// that may meet the shape asked about. A long thin triangle across the
// points, whose bounding box would hold a good part of them, is so searched
// along its own width.
class ZOrderIndex {
public:
    // A cell's box in the plane, widened by a grid step so that it surely
    // holds every point the index placed in the cell.
    struct Box {
        FootprintPoint low;
        FootprintPoint high;
    };

    // Indexes the points by their positions in the span.
    void Build(std::span<const FootprintPoint> points);
    // Leaves the point out of every later search; again, it does nothing.
    void Remove(std::uint32_t point);

    // Whether found(point) holds for a point left in the cells within the
    // box that meets(cell's box) lets the search into.
    template <typename Meets, typename Found>
    bool Any(const Box& box, const Meets& meets, const Found& found) const;

private:
    using Entry = std::uint64_t;  // code in the high half, point in the low half
    using Iterator = std::vector<Entry>::const_iterator;
    static constexpr std::ptrdiff_t kMostScanned = 8;  // a run this short is read, not divided

    std::uint32_t Code(const FootprintPoint& p) const;
    Box CellBox(std::uint32_t cell, unsigned sideBits) const;
    template <typename Meets, typename Found>
    bool AnyInCell(std::uint32_t cell, unsigned sideBits, Iterator first, Iterator last,
                   const Meets& meets, const Found& found) const;
    void Compact();

    FootprintPoint origin_;
    FootprintPoint stepsPerUnit_;  // along each axis
    FootprintPoint unitsPerStep_;
    std::vector<Entry> entries_;         // sorted
    std::vector<std::uint8_t> removed_;  // by point
    std::size_t removedEntries_ = 0;     // removed points still among the entries
};

// The codes between those of the box's corners hold every point in it; the
// search starts from the smallest cell round them.
template <typename Meets, typename Found>
bool ZOrderIndex::Any(const Box& box, const Meets& meets, const Found& found) const {
    const std::uint32_t low = Code(box.low);
    const std::uint32_t high = Code(box.high);
    const auto first = std::lower_bound(entries_.begin(), entries_.end(), Entry{low} << 32);
    const auto last = std::upper_bound(first, entries_.end(), Entry{high} << 32 | 0xFFFFFFFFu);
    const auto sideBits = static_cast<unsigned>((std::bit_width(low ^ high) + 1) / 2);
    const auto cell = static_cast<std::uint32_t>(low & ~((std::uint64_t{1} << (2 * sideBits)) - 1));
    return AnyInCell(cell, sideBits, first, last, meets, found);
}

// Short runs are read whole; longer ones are divided into the cell's four
// quarters, each a run of its own, entered only when it holds points and
// may meet the shape.
template <typename Meets, typename Found>
bool ZOrderIndex::AnyInCell(std::uint32_t cell, unsigned sideBits, Iterator first, Iterator last,
                            const Meets& meets, const Found& found) const {
    if (last - first <= kMostScanned || sideBits == 0) {
        return std::any_of(first, last, [&](Entry entry) {
            const auto point = static_cast<std::uint32_t>(entry);
            return !removed_[point] && found(point);
        });
    }
    const std::uint32_t quarter = std::uint32_t{1} << (2 * (sideBits - 1));
    for (std::uint32_t i = 0; i < 4; ++i) {
        const std::uint32_t child = cell + i * quarter;
        const Iterator end =
            i == 3 ? last : std::lower_bound(first, last, Entry{child + quarter} << 32);
        if (first != end && meets(CellBox(child, sideBits - 1)) &&
            AnyInCell(child, sideBits - 1, first, end, meets, found)) {
            return true;
        }
        first = end;
    }
    return false;
}

}  // namespace vesk
