#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/FootprintPoint.h"
#include "model/FootprintTriangle.h"
#include "model/ZOrderIndex.h"

namespace vesk {

// Triangulates a simple polygon with its own corners by clipping ears: a
// corner that turns inward, whose triangle with its two neighbours holds no
// other corner, is cut off, until three are left. Flat roofs and floors need
// no better-shaped triangles than that, and it costs a small part of a
// Delaunay triangulation. Large polygons index their corners by z-order, so
// that the search for corners in an ear's triangle looks only at those close
// to it, which keeps the work close to linear.
//
// Every turn is decided exactly or not at all: an ear must certainly turn
// inward, and a corner that may lie in an ear's closed triangle (on its edge
// included) keeps it from being cut, so each triangle lies inside the polygon
// and none is flat. One per thread: it keeps its buffers from one polygon to
// the next.
class EarClipping {
public:
    // Appends the triangles of the polygon (an open ring whose edges meet only
    // at their shared corners; a corner repeated in succession counts once),
    // each counter-clockwise seen from above, as indices into ring.
    // counterClockwise is the ring's own turning. False, with nothing
    // appended, when a whole round of the ring found no ear to cut: a ring
    // that is not simple, or one too close to that to decide exactly.
    bool Triangulate(std::span<const FootprintPoint> ring, bool counterClockwise,
                     std::vector<FootprintTriangle>& triangles);

private:
    struct Corner {
        std::uint32_t source = 0;    // its index in the ring given
        std::uint32_t previous = 0;  // neighbours along what is left of the ring,
        std::uint32_t next = 0;      // counter-clockwise
    };
    struct Ear;

    void Link(std::span<const FootprintPoint> ring, bool counterClockwise);
    void IndexCornersThatMayBlock();
    bool TurnsInward(std::uint32_t corner) const;
    bool ClipEars(std::vector<FootprintTriangle>& triangles);
    bool IsEar(std::uint32_t corner) const;
    bool Blocks(const Ear& ear, std::uint32_t corner) const;
    bool AnyCornerAlongRingBlocks(const Ear& ear) const;
    bool AnyIndexedCornerBlocks(const Ear& ear) const;
    void Clip(std::uint32_t ear, std::vector<FootprintTriangle>& triangles);

    std::vector<FootprintPoint> points_;  // the distinct corners, counter-clockwise
    std::vector<Corner> corners_;         // by the same index
    ZOrderIndex index_;
    bool indexed_ = false;
};

}  // namespace vesk
