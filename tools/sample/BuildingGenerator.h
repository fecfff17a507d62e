#pragma once

#include <cstdint>
#include <vector>

#include "BuildingSet.h"
#include "Geometry.h"
#include "Random.h"
#include "StreetPlan.h"
#include "Terrain.h"

namespace vesk::sample {

// Places buildings on the blocks between the streets: each block gets a share of
// the buildings by its area (parks get none), is cut into a grid of lots, and each
// chosen lot gets one footprint set back from the lot's edges. Every vertex lies
// inside the area, and each building stands on the lowest ground under its corners.
class BuildingGenerator {
public:
    BuildingGenerator(const StreetPlan& streets, const Terrain& terrain)
        : streets_(streets), terrain_(terrain) {}

    BuildingSet Generate(const PlaneRect& area, int count, Random& random) const;

private:
    std::vector<PlaneRect> Blocks(const PlaneRect& area) const;
    void FillBlock(const PlaneRect& block, int count, Random& random, BuildingSet& set) const;
    void AddBuilding(const PlaneRect& lot, Random& random, BuildingSet& set) const;

    const StreetPlan& streets_;
    const Terrain& terrain_;
};

// Splits count into whole shares proportional to the weights (largest remainder).
std::vector<int> ShareByWeight(const std::vector<double>& weights, int count);

}  // namespace vesk::sample
