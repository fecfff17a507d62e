#pragma once

namespace vesk {

// A point in the plane rectangular coordinates of one zone, in metres: X east,
// Y north, each a single-precision float as the program stores it.
struct PlanePoint {
    float x = 0.0f;
    float y = 0.0f;

    friend bool operator==(const PlanePoint&, const PlanePoint&) = default;
};

}  // namespace vesk
