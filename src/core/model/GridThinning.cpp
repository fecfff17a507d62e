#include "model/GridThinning.h"

#include <algorithm>
#include <cmath>

namespace vesk {
namespace {

// Every step-th of a grid's lines, and its last.
std::vector<std::uint32_t> KeptLines(std::uint32_t lineCount, std::uint32_t step) {
    std::vector<std::uint32_t> kept;
    for (std::uint32_t k = 0; k + 1 < lineCount; k += step) {
        kept.push_back(k);
    }
    kept.push_back(lineCount - 1);
    return kept;
}

}  // namespace

ThinnedGrid ThinGrid(const TerrainGrid& grid, std::size_t maxCells) {
    if (grid.columns < 2 || grid.rows < 2) {
        return {};
    }
    const double cells = double(grid.columns - 1) * double(grid.rows - 1);
    const auto step = static_cast<std::uint32_t>(std::max(
        1.0,
        std::ceil(std::sqrt(cells / static_cast<double>(std::max<std::size_t>(maxCells, 1))))));
    return {KeptLines(grid.columns, step), KeptLines(grid.rows, step)};
}

}  // namespace vesk
