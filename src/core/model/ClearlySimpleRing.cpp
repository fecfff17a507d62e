#include "model/ClearlySimpleRing.h"

#include <algorithm>

#include "model/CertainTurn.h"

namespace vesk {
namespace {

// Both points surely on the same side of the line through a and b.
bool SurelyOneSide(const FootprintPoint& a, const FootprintPoint& b, const FootprintPoint& p,
                   const FootprintPoint& q) {
    const int first = CertainTurn(a, b, p);
    return first != 0 && first == CertainTurn(a, b, q);
}

bool SurelyApart(const FootprintPoint& a, const FootprintPoint& b, const FootprintPoint& c,
                 const FootprintPoint& d) {
    const bool boxesApart =
        std::max(a.x, b.x) < std::min(c.x, d.x) || std::max(c.x, d.x) < std::min(a.x, b.x) ||
        std::max(a.y, b.y) < std::min(c.y, d.y) || std::max(c.y, d.y) < std::min(a.y, b.y);
    return boxesApart || SurelyOneSide(a, b, c, d) || SurelyOneSide(c, d, a, b);
}

}  // namespace

bool IsClearlySimpleRing(std::span<const FootprintPoint> ring) {
    const std::size_t n = ring.size();
    if (n < 3 || n > kMostCornersProven) {
        return false;
    }
    const auto corner = [&](std::size_t k) -> const FootprintPoint& { return ring[k % n]; };
    for (std::size_t i = 0; i < n; ++i) {
        // Neighbouring edges meet only at their corner unless they run back along each other.
        if (CertainTurn(corner(i), corner(i + 1), corner(i + 2)) == 0) {
            return false;
        }
        for (std::size_t j = i + 2; j < n; ++j) {
            if ((j + 1) % n == i) {
                continue;  // the edge before edge i
            }
            if (!SurelyApart(corner(i), corner(i + 1), corner(j), corner(j + 1))) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace vesk
