#pragma once

#include <span>

#include "model/BlockModel.h"
#include "model/BuildingBoxes.h"

namespace vesk {

// The block's rectangle in its local frame, whose (0, 0) is its south-west corner.
struct BlockArea {
    float width = 0.0f;
    float height = 0.0f;
};

// Ground for a block without a height grid: its rectangle level at that
// height, a grid of one cell whose uvs span the block as its ortho image does.
TerrainModel FlatGround(const BlockArea& area, float height);

// The lowest bottom among the boxes, where a level ground meets every
// building; 0 without any.
float LowestBottom(std::span<const BuildingBox> boxes);

}  // namespace vesk
