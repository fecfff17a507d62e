#include "model/EarClipping.h"

#include <algorithm>

#include "model/CertainTurn.h"

namespace vesk {
namespace {

// Rings of more corners than this index them by z-order; for fewer, walking
// the ring costs less than sorting it.
constexpr std::size_t kMostCornersWalked = 64;

bool Same(const FootprintPoint& a, const FootprintPoint& b) {
    return a.x == b.x && a.y == b.y;
}

// Whether the whole box certainly lies right of the line from a to b: its
// corner farthest to the left does.
bool BoxRightOf(const FootprintPoint& a, const FootprintPoint& b, const ZOrderIndex::Box& box) {
    const FootprintPoint leftmost = {b.y > a.y ? box.low.x : box.high.x,
                                     b.x > a.x ? box.high.y : box.low.y};
    return CertainTurn(a, b, leftmost) == -1;
}

}  // namespace

// An ear's corners, counter-clockwise, with their bounding box.
struct EarClipping::Ear {
    std::uint32_t a;
    std::uint32_t b;
    std::uint32_t c;
    const FootprintPoint& pa;
    const FootprintPoint& pb;
    const FootprintPoint& pc;
    ZOrderIndex::Box box;

    Ear(const EarClipping& ears, std::uint32_t corner)
        : a(ears.corners_[corner].previous),
          b(corner),
          c(ears.corners_[corner].next),
          pa(ears.points_[a]),
          pb(ears.points_[b]),
          pc(ears.points_[c]),
          box{{std::min({pa.x, pb.x, pc.x}), std::min({pa.y, pb.y, pc.y})},
              {std::max({pa.x, pb.x, pc.x}), std::max({pa.y, pb.y, pc.y})}} {}

    bool IsOwn(std::uint32_t corner) const { return corner == a || corner == b || corner == c; }

    // Not certainly outside an edge: inside, on an edge, or too close to tell.
    bool MayHold(const FootprintPoint& p) const {
        return p.x >= box.low.x && p.x <= box.high.x && p.y >= box.low.y && p.y <= box.high.y &&
               CertainTurn(pa, pb, p) != -1 && CertainTurn(pb, pc, p) != -1 &&
               CertainTurn(pc, pa, p) != -1;
    }

    // Whether the box overlaps the triangle's, and no edge has the whole box
    // certainly on its outer side.
    bool MayMeet(const ZOrderIndex::Box& other) const {
        if (other.high.x < box.low.x || other.low.x > box.high.x || other.high.y < box.low.y ||
            other.low.y > box.high.y) {
            return false;
        }
        return !BoxRightOf(pa, pb, other) && !BoxRightOf(pb, pc, other) &&
               !BoxRightOf(pc, pa, other);
    }
};

bool EarClipping::Triangulate(std::span<const FootprintPoint> ring, bool counterClockwise,
                              std::vector<FootprintTriangle>& triangles) {
    Link(ring, counterClockwise);
    if (points_.size() < 3) {
        return false;
    }
    indexed_ = points_.size() > kMostCornersWalked;
    if (indexed_) {
        IndexCornersThatMayBlock();
    }
    const std::size_t before = triangles.size();
    if (ClipEars(triangles)) {
        return true;
    }
    triangles.resize(before);
    return false;
}

// The ring's distinct corners, linked counter-clockwise whichever way it turns.
void EarClipping::Link(std::span<const FootprintPoint> ring, bool counterClockwise) {
    points_.clear();
    corners_.clear();
    const std::size_t n = ring.size();
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = counterClockwise ? k : n - 1 - k;
        const std::size_t following = counterClockwise ? (i + 1) % n : (i + n - 1) % n;
        if (!Same(ring[i], ring[following])) {
            points_.push_back(ring[i]);
            corners_.push_back({static_cast<std::uint32_t>(i)});
        }
    }
    const auto count = static_cast<std::uint32_t>(corners_.size());
    for (std::uint32_t k = 0; k < count; ++k) {
        corners_[k].previous = (k + count - 1) % count;
        corners_[k].next = (k + 1) % count;
    }
}

// Corners that certainly turn inward never block an ear (see Blocks), and
// cutting ears only makes more of them do so: they leave the index for good.
void EarClipping::IndexCornersThatMayBlock() {
    index_.Build(points_);
    for (std::uint32_t k = 0; k < corners_.size(); ++k) {
        if (TurnsInward(k)) {
            index_.Remove(k);
        }
    }
}

bool EarClipping::TurnsInward(std::uint32_t corner) const {
    const Corner& p = corners_[corner];
    return CertainTurn(points_[p.previous], points_[corner], points_[p.next]) == 1;
}

// Walks the ring cutting ears; after a cut it goes on from the ear's
// successor. A whole round without a cut ends it: it never loops.
bool EarClipping::ClipEars(std::vector<FootprintTriangle>& triangles) {
    std::uint32_t corner = 0;
    std::size_t left = corners_.size();
    std::size_t triedInVain = 0;
    while (left > 2) {
        const std::uint32_t following = corners_[corner].next;
        if (IsEar(corner)) {
            Clip(corner, triangles);
            --left;
            triedInVain = 0;
        } else if (++triedInVain == left) {
            return false;
        }
        corner = following;
    }
    return true;
}

bool EarClipping::IsEar(std::uint32_t corner) const {
    const Ear ear(*this, corner);
    if (CertainTurn(ear.pa, ear.pb, ear.pc) != 1) {
        return false;
    }
    return indexed_ ? !AnyIndexedCornerBlocks(ear) : !AnyCornerAlongRingBlocks(ear);
}

// Whether a corner other than the ear's own may lie in its triangle. Only
// corners that do not certainly turn inward need be asked: if any corner lies
// in the triangle, the one farthest from the ear's base does, and it points
// into the polygon with both its edges behind it.
bool EarClipping::Blocks(const Ear& ear, std::uint32_t corner) const {
    return ear.MayHold(points_[corner]) && !TurnsInward(corner);
}

bool EarClipping::AnyCornerAlongRingBlocks(const Ear& ear) const {
    for (std::uint32_t k = corners_[ear.c].next; k != ear.a; k = corners_[k].next) {
        if (Blocks(ear, k)) {
            return true;
        }
    }
    return false;
}

bool EarClipping::AnyIndexedCornerBlocks(const Ear& ear) const {
    return index_.Any([&](const ZOrderIndex::Box& box) { return ear.MayMeet(box); },
                      [&](std::uint32_t k) { return !ear.IsOwn(k) && Blocks(ear, k); });
}

void EarClipping::Clip(std::uint32_t ear, std::vector<FootprintTriangle>& triangles) {
    const Corner& b = corners_[ear];
    triangles.push_back({corners_[b.previous].source, b.source, corners_[b.next].source});
    corners_[b.previous].next = b.next;
    corners_[b.next].previous = b.previous;
    if (indexed_) {
        for (const std::uint32_t neighbour : {b.previous, b.next}) {
            if (TurnsInward(neighbour)) {
                index_.Remove(neighbour);
            }
        }
    }
}

}  // namespace vesk
