#pragma once

#include <array>
#include <string>

#include "geo/GeoidModel.h"
#include "geo/PlaneGeoreference.h"
#include "geo/PlaneOutline.h"
#include "model/BlockModel.h"
#include "platform/Result.h"
#include "tiles/TileRegion.h"

namespace vesk {

// A column-major 4 x 4 matrix, as 3D Tiles stores a tile's transform.
using TileTransform = std::array<double, 16>;

// Where a model lies on the Earth: the tile transform from its frame (x east,
// y north along the plane grid, z up, metres from its origin; heights above
// sea level) to Earth-centred coordinates, the region holding everything the
// model has (also as a compressed mesh gives it back, a little moved), and
// the undulation added to its heights.
struct BlockPlacement {
    TileTransform transform{};
    TileRegion region;
    double undulation = 0.0;
};

// Computes the placement with PROJ. The frame is the plane rectangle's (a
// block's or a sheet's): its corners land on PROJ's points, so the grid's
// scale factor and its turn from north are kept and neighbours meet. With a
// geoid, heights become heights above the ellipsoid by the undulation at the
// rectangle's centre; without, they are taken as such. The reason when the
// zone has no georeference or PROJ cannot place the model.
Result<BlockPlacement> PlaceModel(geo::PlaneGeoreference& georeference, geo::GeoidModel* geoid,
                                  const BlockModel& model, const geo::PlaneRectangle& frame);

// The transform of a child tile given in Earth-centred terms, relative to its
// parent's, as 3D Tiles composes them.
TileTransform RelativeTo(const TileTransform& parent, const TileTransform& child);

}  // namespace vesk
