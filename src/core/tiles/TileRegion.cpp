#include "tiles/TileRegion.h"

#include <algorithm>

namespace vesk {

TileRegion Union(const TileRegion& a, const TileRegion& b) {
    return {std::min(a.west, b.west),           std::min(a.south, b.south),
            std::max(a.east, b.east),           std::max(a.north, b.north),
            std::min(a.minHeight, b.minHeight), std::max(a.maxHeight, b.maxHeight)};
}

}  // namespace vesk
