#include "model/ClearlySimpleRing.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "model/ExactTurn.h"

namespace vesk {
namespace {

bool LexicographicallyBefore(const FootprintPoint& a, const FootprintPoint& b) {
    return a.x < b.x || (a.x == b.x && a.y < b.y);
}

bool Same(const FootprintPoint& a, const FootprintPoint& b) {
    return a.x == b.x && a.y == b.y;
}

// Both points strictly on the same side of the line through a and b.
bool OneSide(const FootprintPoint& a, const FootprintPoint& b, const FootprintPoint& p,
             const FootprintPoint& q) {
    const int first = ExactTurn(a, b, p);
    return first != 0 && first == ExactTurn(a, b, q);
}

// Edges in line that do not overlap have bounding boxes apart.
bool Apart(const FootprintPoint& a, const FootprintPoint& b, const FootprintPoint& c,
           const FootprintPoint& d) {
    const bool boxesApart =
        std::max(a.x, b.x) < std::min(c.x, d.x) || std::max(c.x, d.x) < std::min(a.x, b.x) ||
        std::max(a.y, b.y) < std::min(c.y, d.y) || std::max(c.y, d.y) < std::min(a.y, b.y);
    return boxesApart || OneSide(a, b, c, d) || OneSide(c, d, a, b);
}

// Neighbouring edges meet only at their corner unless they run back along
// each other: each corner turns, or runs straight on between its neighbours.
bool NoCornerRunsBack(std::span<const FootprintPoint> ring) {
    const std::size_t n = ring.size();
    for (std::size_t i = 0; i < n; ++i) {
        const FootprintPoint& a = ring[i];
        const FootprintPoint& b = ring[(i + 1) % n];
        const FootprintPoint& c = ring[(i + 2) % n];
        if (ExactTurn(a, b, c) == 0 &&
            LexicographicallyBefore(a, b) != LexicographicallyBefore(b, c)) {
            return false;
        }
    }
    return true;
}

bool PairsApart(std::span<const FootprintPoint> ring) {
    const std::size_t n = ring.size();
    const auto corner = [&](std::size_t k) -> const FootprintPoint& { return ring[k % n]; };
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 2; j < n; ++j) {
            if ((j + 1) % n == i) {
                continue;  // the edge before edge i
            }
            if (!Apart(corner(i), corner(i + 1), corner(j), corner(j + 1))) {
                return false;
            }
        }
    }
    return true;
}

// A sweep from west to east over the edges (Shamos and Hoey): the edges the
// sweep line crosses are kept in their order along it, and only edges that
// become neighbours there are compared, n log n in all. Points are taken in
// the order of x, then y, so an upright edge is swept as if slightly tilted.
// An edge starting on another, or two edges from one point that are not
// neighbours in the ring, end the sweep: the ring touches itself.
class EdgeSweep {
public:
    explicit EdgeSweep(std::span<const FootprintPoint> ring) : n_(ring.size()) {
        for (std::uint32_t k = 0; k < n_; ++k) {
            FootprintPoint from = ring[k];
            FootprintPoint to = ring[(k + 1) % n_];
            if (LexicographicallyBefore(to, from)) {
                std::swap(from, to);
            }
            edges_.push_back({from, to});
            events_.push_back({from, true, k});
            events_.push_back({to, false, k});
        }
        // At one point, edges end before others start there.
        std::sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
            if (!Same(a.at, b.at)) {
                return LexicographicallyBefore(a.at, b.at);
            }
            return a.starts < b.starts;
        });
        places_.resize(n_);
    }

    bool ProvesSimple() {
        for (const Event& event : events_) {
            if (!(event.starts ? Start(event.edge) : End(event.edge))) {
                return false;
            }
        }
        return true;
    }

private:
    struct Edge {
        FootprintPoint west;  // the end first in the sweep's order
        FootprintPoint east;
    };
    struct Event {
        FootprintPoint at;
        bool starts = false;
        std::uint32_t edge = 0;
    };
    // Orders the crossed edges along the sweep line, south first, where the
    // edge being added starts; the set only compares that edge with others.
    struct SouthFirst {
        const EdgeSweep* sweep;
        bool operator()(std::uint32_t a, std::uint32_t b) const { return sweep->South(a, b); }
    };
    using Crossed = std::set<std::uint32_t, SouthFirst>;

    bool Neighbours(std::uint32_t a, std::uint32_t b) const {
        return (a + 1) % n_ == b || (b + 1) % n_ == a;
    }

    // Which side of edge `old` edge `added` starts on: +1 north of it, -1
    // south; 0 when it starts on it.
    int Side(std::uint32_t added, std::uint32_t old) const {
        const Edge& a = edges_[added];
        const Edge& o = edges_[old];
        const int turn = ExactTurn(o.west, o.east, a.west);
        if (turn != 0 || !Same(a.west, o.west) || !Neighbours(added, old)) {
            return turn;
        }
        return ExactTurn(o.west, o.east, a.east);  // two edges from their shared corner
    }

    bool South(std::uint32_t a, std::uint32_t b) const {
        if (a == b) {
            return false;
        }
        const bool aAdded = a == adding_;
        const int side = aAdded ? Side(a, b) : Side(b, a);
        if (side == 0) {
            touching_ = true;
            return false;
        }
        return aAdded ? side < 0 : side > 0;
    }

    // Neighbours in the ring meet only at their corner, as no corner runs back.
    bool EdgesApart(std::uint32_t a, std::uint32_t b) const {
        return Neighbours(a, b) ||
               Apart(edges_[a].west, edges_[a].east, edges_[b].west, edges_[b].east);
    }

    bool Start(std::uint32_t edge) {
        adding_ = edge;
        const auto [at, added] = crossed_.insert(edge);
        if (touching_ || !added) {
            return false;
        }
        places_[edge] = at;
        const auto after = std::next(at);
        return (at == crossed_.begin() || EdgesApart(*std::prev(at), edge)) &&
               (after == crossed_.end() || EdgesApart(edge, *after));
    }

    bool End(std::uint32_t edge) {
        const auto at = places_[edge];
        const auto after = crossed_.erase(at);
        return after == crossed_.begin() || after == crossed_.end() ||
               EdgesApart(*std::prev(after), *after);
    }

    std::size_t n_;
    std::vector<Edge> edges_;
    std::vector<Event> events_;
    Crossed crossed_{SouthFirst{this}};
    std::vector<Crossed::iterator> places_;
    std::uint32_t adding_ = 0;
    mutable bool touching_ = false;
};

}  // namespace

bool IsClearlySimpleRing(std::span<const FootprintPoint> ring) {
    const std::size_t n = ring.size();
    if (n < 3 || !NoCornerRunsBack(ring)) {
        return false;
    }
    return n <= kMostCornersCompared ? PairsApart(ring) : EdgeSweep(ring).ProvesSimple();
}

}  // namespace vesk
