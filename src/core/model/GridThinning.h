#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/BlockModel.h"

namespace vesk {

// The rows and columns a coarser view of a height grid keeps: every step-th
// of each (and the last), the one step chosen so that no more than about
// maxCells cells are left.
struct ThinnedGrid {
    std::vector<std::uint32_t> columns;
    std::vector<std::uint32_t> rows;
};

// None when the grid has fewer than 2 rows or columns.
ThinnedGrid ThinGrid(const TerrainGrid& grid, std::size_t maxCells);

}  // namespace vesk
