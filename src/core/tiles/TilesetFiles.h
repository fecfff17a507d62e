#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/OutputFile.h"
#include "geo/GeoPoints.h"
#include "tiles/BlockPlacement.h"
#include "tiles/TilesetJson.h"

namespace vesk {

// How much is missing, in metres, while a tile's content stands for its
// children: a block is the finest content there is; a sheet's light model
// (boxes for buildings, a ground of about 50 m cells, 4 m texture pixels)
// stands for its blocks.
inline constexpr double kBlockGeometricError = 0.0;
inline constexpr double kSheetGeometricError = 40.0;

// The content of a sheet's own tile, beside its tileset.
inline constexpr const char* kSheetContentName = "sheet.glb";

// One block's tile: its content NAME.glb beside the sheet's tileset.
struct BlockTile {
    std::string name;
    int number = 0;  // 1 to 25, as the map shows it
    BlockPlacement placement;
};

// A sheet's tileset: its own light model, replaced by its blocks when near.
struct SheetTileset {
    std::string file;  // the sheet file's name, without its folder
    int zone = 0;      // where the sheet lies, for the tree above it
    geo::PlanePoint origin;
    HeightDatum datum;
    std::optional<BlockPlacement> light;  // none when it could not be written
    std::vector<BlockTile> blocks;
};

// The tileset, its blocks as the root's children in the given order.
WriteFailureText WriteSheetTileset(const std::filesystem::path& path, const SheetTileset& sheet);

// What the tree above the sheets needs of a sheet's tileset this program wrote.
struct SheetSummary {
    TileRegion region;
    int zone = 0;
    geo::PlanePoint origin;
    HeightDatum datum;
};

std::optional<SheetSummary> ReadSheetSummary(const std::filesystem::path& path, std::string& error);

// A block of a sheet's tileset as its metadata names it.
struct BlockTileName {
    std::string name;
    int number = 0;  // 1 to 25, as the map shows it
};

// The blocks of a sheet's tileset this program wrote, in its order; none when
// it cannot be read or names no block.
std::optional<std::vector<BlockTileName>> ReadSheetBlocks(const std::filesystem::path& path);

}  // namespace vesk
