#include "geo/PlaneOutline.h"

#include <array>

namespace vesk::geo {

std::vector<PlanePoint> DensifiedOutline(const PlaneRectangle& rectangle, int pointsPerSide) {
    const PlanePoint sw = rectangle.southWest;
    const PlanePoint se{sw.easting + rectangle.width, sw.northing};
    const PlanePoint ne{se.easting, sw.northing + rectangle.height};
    const PlanePoint nw{sw.easting, ne.northing};
    const std::array<PlanePoint, 5> corners{sw, se, ne, nw, sw};
    const int steps = pointsPerSide > 0 ? pointsPerSide : 1;
    std::vector<PlanePoint> ring;
    ring.reserve(4 * static_cast<std::size_t>(steps) + 1);
    for (std::size_t side = 0; side < 4; ++side) {
        const PlanePoint from = corners[side];
        const PlanePoint to = corners[side + 1];
        for (int step = 0; step < steps; ++step) {
            const double t = static_cast<double>(step) / steps;
            ring.push_back({from.easting + t * (to.easting - from.easting),
                            from.northing + t * (to.northing - from.northing)});
        }
    }
    ring.push_back(sw);
    return ring;
}

}  // namespace vesk::geo
