#pragma once

#include <optional>
#include <vector>

#include "geo/PlaneOutline.h"
#include "model/BlockModel.h"
#include "model/BuildingBoxes.h"

namespace vesk {

// What a block gives to its sheet's light model, taken from its full model
// before that is written: each building as its box, the ground over a few
// rows and columns of its grid, and its texture reduced.
struct LightBlock {
    int zone = 0;
    double originX = 0.0;
    double originY = 0.0;
    double width = 0.0;
    double height = 0.0;
    std::vector<BuildingBox> boxes;
    std::optional<TerrainModel> ground;  // uvs over the block, as the full grid's
    std::optional<RgbaImage> texture;
};

LightBlock TakeLightBlock(const BlockModel& model, double width, double height);

// The sheet as one model that a globe can show from afar: the blocks' boxes
// and thinned ground in the frame of the rectangle they cover (given back),
// with their textures combined into one image. Only blocks of the given zone
// are taken; none when they hold nothing to show.
struct SheetLightModel {
    BlockModel model;
    geo::PlaneRectangle frame;
};

std::optional<SheetLightModel> MakeSheetLightModel(int zone, const std::vector<LightBlock>& blocks);

}  // namespace vesk
