#pragma once

#include <optional>

#include "sheet/DemChunk.h"

namespace vesk {

// The ground of a block as its grid gives it, between the grid points by
// bilinear interpolation.
class Ground {
public:
    // The grid's point (0, 0) lies at the block's origin (x0, y0).
    Ground(const DemChunk& dem, double x0, double y0) : dem_(dem), x0_(x0), y0_(y0) {}

    // The height at a plane point; nothing when the point lies beyond the
    // grid, the grid spans no area or a height it needs is no finite number.
    std::optional<double> HeightAt(double x, double y) const;

    // Whether the grid spans an area with a finite, positive spacing.
    static bool SpansArea(const TerrainGrid& grid);

private:
    const DemChunk& dem_;
    double x0_;
    double y0_;
};

}  // namespace vesk
