#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/OutputFile.h"
#include "tiles/BlockPlacement.h"
#include "tiles/TileRegion.h"

namespace vesk {

// How much is missing while a tile's children are not drawn, in metres: a
// block is the finest content there is; a sheet's tile stands for blocks of
// 400 m x 300 m (500 m across); the root for sheets of 2000 m x 1500 m.
inline constexpr double kBlockGeometricError = 0.0;
inline constexpr double kSheetGeometricError = 500.0;
inline constexpr double kRootGeometricError = 2500.0;

// One block's tile: its content NAME.glb beside the sheet's tileset.
struct BlockTile {
    std::string name;
    BlockPlacement placement;
};

// One sheet's tileset in the root: its folder under "sheets/" and its region.
struct SheetTileset {
    std::string folder;
    TileRegion region;
};

// The tileset of one sheet, its blocks as the root's children in the given order.
FileFault WriteSheetTileset(const std::filesystem::path& path,
                            const std::vector<BlockTile>& blocks);

// The root tileset, referring to sheets/FOLDER/tileset.json of each sheet in the given order.
FileFault WriteRootTileset(const std::filesystem::path& path,
                           const std::vector<SheetTileset>& sheets);

// The root tile's region of a tileset this program wrote; the reason when it
// cannot be read or holds none.
std::optional<TileRegion> ReadTilesetRegion(const std::filesystem::path& path, std::string& error);

}  // namespace vesk
