#pragma once

#include <vector>

#include "geo/GeoPoints.h"

namespace vesk::geo {

// An axis-aligned rectangle of a zone's plane, from its south-west corner.
struct PlaneRectangle {
    PlanePoint southWest;
    double width = 0.0;
    double height = 0.0;
};

// The rectangle's outline as a closed ring, counter-clockwise from the
// south-west corner, each side split into pointsPerSide equal steps, so that
// its image in longitude and latitude follows the curved sides. The first
// point is repeated at the end.
std::vector<PlanePoint> DensifiedOutline(const PlaneRectangle& rectangle, int pointsPerSide);

}  // namespace vesk::geo
