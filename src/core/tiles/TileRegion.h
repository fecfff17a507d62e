#pragma once

#include <optional>

namespace vesk {

// A 3D Tiles bounding region: longitudes and latitudes in radians (WGS 84),
// heights in metres above the ellipsoid.
struct TileRegion {
    double west = 0.0;
    double south = 0.0;
    double east = 0.0;
    double north = 0.0;
    double minHeight = 0.0;
    double maxHeight = 0.0;
};

// The smallest region holding both.
TileRegion Union(const TileRegion& a, const TileRegion& b);

// The union of the regions so far; none before the first.
class RegionUnion {
public:
    void Add(const TileRegion& region) { total_ = total_ ? Union(*total_, region) : region; }
    const std::optional<TileRegion>& Total() const { return total_; }

private:
    std::optional<TileRegion> total_;
};

}  // namespace vesk
