#pragma once

namespace vesk::sample {

// A point of the plane in metres, in double precision while it is worked out.
struct Point2 {
    double x = 0.0;
    double y = 0.0;
};

// A vertex as the sheet file stores it.
struct PlanePoint {
    float x = 0.0f;
    float y = 0.0f;
    friend bool operator==(const PlanePoint&, const PlanePoint&) = default;
};

// An axis-aligned rectangle of the plane, west-south to east-north.
struct PlaneRect {
    double x0 = 0.0;
    double y0 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;

    double Width() const { return x1 - x0; }
    double Height() const { return y1 - y0; }
    double Area() const { return Width() * Height(); }
};

}  // namespace vesk::sample
