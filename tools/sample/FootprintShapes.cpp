#include "FootprintShapes.h"

#include <algorithm>
#include <cmath>

namespace vesk::sample {
namespace {

using Ring = std::vector<Point2>;

// The shapes are drawn in the unit square, counter-clockwise.
Ring Rectangle() {
    return {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
}

Ring LShape(Random& random) {
    const double a = random.Between(0.35, 0.7);
    const double b = random.Between(0.35, 0.7);
    return {{0, 0}, {1, 0}, {1, b}, {a, b}, {a, 1}, {0, 1}};
}

Ring UShape(Random& random) {
    const double a = random.Between(0.25, 0.4);
    const double c = random.Between(0.6, 0.75);
    const double b = random.Between(0.3, 0.6);
    return {{0, 0}, {1, 0}, {1, 1}, {c, 1}, {c, b}, {a, b}, {a, 1}, {0, 1}};
}

Ring TShape(Random& random) {
    const double a = random.Between(0.25, 0.4);
    const double c = random.Between(0.6, 0.75);
    const double b = random.Between(0.35, 0.65);
    return {{0, b}, {a, b}, {a, 0}, {c, 0}, {c, b}, {1, b}, {1, 1}, {0, 1}};
}

Ring Stepped(Random& random) {
    const double a = random.Between(0.25, 0.45);
    const double c = random.Between(0.55, 0.75);
    const double b = random.Between(0.55, 0.75);
    const double d = random.Between(0.25, 0.45);
    return {{0, 0}, {1, 0}, {1, a}, {b, a}, {b, c}, {d, c}, {d, 1}, {0, 1}};
}

Ring Triangle(Random& random) {
    return {{0, 0}, {1, 0}, {random.Unit(), 1}};
}

Ring Pentagon(Random& random) {
    const double p = random.Between(0.5, 0.8);
    return {{0, 0}, {1, 0}, {1, p}, {random.Between(0.3, 0.7), 1}, {0, p}};
}

Ring UnitShape(Random& random) {
    const double pick = random.Unit();
    if (pick < 0.50) {
        return Rectangle();
    }
    if (pick < 0.67) {
        return LShape(random);
    }
    if (pick < 0.74) {
        return UShape(random);
    }
    if (pick < 0.80) {
        return TShape(random);
    }
    if (pick < 0.86) {
        return Stepped(random);
    }
    if (pick < 0.92) {
        return Triangle(random);
    }
    return Pentagon(random);
}

// Mirrors and a swap of the axes give every shape its other orientations; an odd
// number of reflections turns the ring round, so it is reversed to stay
// counter-clockwise.
void Reorient(Random& random, Ring& ring) {
    const bool swap = random.Chance(0.5);
    const bool mirrorX = random.Chance(0.5);
    const bool mirrorY = random.Chance(0.5);
    for (Point2& p : ring) {
        if (swap) {
            std::swap(p.x, p.y);
        }
        p.x = mirrorX ? 1.0 - p.x : p.x;
        p.y = mirrorY ? 1.0 - p.y : p.y;
    }
    if ((swap + mirrorX + mirrorY) % 2 == 1) {
        std::reverse(ring.begin(), ring.end());
    }
}

// Stretches the unit shape over the lot, turns it by angle about the lot's
// centre and shrinks it, if need be, until it fits the lot again.
void PlaceInLot(Ring& ring, const PlaneRect& lot, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    double halfWidth = 0.0;
    double halfHeight = 0.0;
    for (Point2& p : ring) {
        const double x = (p.x - 0.5) * lot.Width();
        const double y = (p.y - 0.5) * lot.Height();
        p = {x * c - y * s, x * s + y * c};
        halfWidth = std::max(halfWidth, std::abs(p.x));
        halfHeight = std::max(halfHeight, std::abs(p.y));
    }
    const double scale =
        std::min({1.0, 0.5 * lot.Width() / halfWidth, 0.5 * lot.Height() / halfHeight});
    const Point2 centre{(lot.x0 + lot.x1) / 2.0, (lot.y0 + lot.y1) / 2.0};
    for (Point2& p : ring) {
        p = {centre.x + p.x * scale, centre.y + p.y * scale};
    }
}

}  // namespace

std::vector<Point2> MakeFootprint(Random& random, const PlaneRect& lot) {
    Ring ring = UnitShape(random);
    Reorient(random, ring);
    const double angle = random.Chance(0.2) ? random.Between(-0.4, 0.4) : 0.0;
    PlaceInLot(ring, lot, angle);
    return ring;
}

}  // namespace vesk::sample
