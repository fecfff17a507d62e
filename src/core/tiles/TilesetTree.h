#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "export/OutputFile.h"
#include "tiles/TilesetFiles.h"

namespace vesk {

// How much is missing while a cell of the tree stands for the cells or
// sheets under it, from the cells of 8 x 8 sheets up to those of 512 x 512;
// the root stands for the zones' largest cells.
inline constexpr double kCellGeometricErrors[] = {400.0, 3200.0, 25600.0};
inline constexpr double kRootGeometricError = 51200.0;

// A sheet's tileset under DIR/sheets/FOLDER and what places it in the tree.
struct TreeSheet {
    std::string folder;
    SheetSummary summary;
};

// The root DIR/tileset.json and the tree of tilesets between it and the
// sheets, DIR/tree/*.json: each zone's plane grid of sheets (2000 m x
// 1500 m) in cells of 8 x 8 sheets, those in cells of 8 x 8 cells, and so on
// up, each cell a tileset of its own listing at most 64 children, so that no
// file grows with the collection. The same sheets give the same files,
// whatever order they come in.
WriteFailureText WriteTilesetTree(const std::filesystem::path& dir, std::vector<TreeSheet> sheets,
                                  const HeightDatum& datum);

}  // namespace vesk
