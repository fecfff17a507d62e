#pragma once

#include <span>

#include "BuildingSet.h"
#include "Geometry.h"
#include "Raster.h"
#include "StreetPlan.h"
#include "Terrain.h"

namespace vesk::sample {

// Paints a window of the plane as seen from above, the same way at any size: the
// sheet image and the sub-sheets' ortho textures are all pictures of one place.
// The window's west edge is the raster's left edge and its north edge the top.
class MapPainter {
public:
    MapPainter(const Terrain& terrain, const StreetPlan& streets)
        : terrain_(terrain), streets_(streets) {}

    Raster Paint(const PlaneRect& window, int width, int height,
                 std::span<const BuildingSet* const> buildings) const;

private:
    void PaintGround(Raster& raster, const PlaneRect& window) const;
    void PaintBuildings(Raster& raster, const PlaneRect& window, const BuildingSet& set) const;

    const Terrain& terrain_;
    const StreetPlan& streets_;
};

}  // namespace vesk::sample
