#pragma once

namespace vesk::geo {

// A point in the plane rectangular coordinates of one zone, in metres. The
// easting comes first here, though the EPSG definitions of the zones put the
// northing first.
struct PlanePoint {
    double easting = 0.0;
    double northing = 0.0;
};

// A plane point with a height in metres, taken as the height above the
// ellipsoid: no geoid model is applied.
struct PlanePosition {
    PlanePoint point;
    double height = 0.0;
};

// WGS 84 longitude and latitude in degrees (EPSG:4326 with the longitude first).
struct LonLat {
    double longitude = 0.0;
    double latitude = 0.0;
};

// WGS 84 Earth-centred, Earth-fixed coordinates in metres (EPSG:4978).
struct Ecef {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

}  // namespace vesk::geo
