#include "model/TerrainMesh.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/ModelMessages.h"

namespace vesk {
namespace {

namespace msg = model_messages;

std::optional<DiagnosticKind> GridFault(const DemChunk& dem) {
    const TerrainGrid& grid = dem.grid;
    if (grid.columns < 2 || grid.rows < 2) {
        return msg::kGridTooSmall;
    }
    if (!(grid.dx > 0.0f) || !(grid.dy > 0.0f) || !std::isfinite(grid.dx) ||
        !std::isfinite(grid.dy)) {
        return msg::kGridSpacingNotPositive;
    }
    if (!std::isfinite(static_cast<float>((grid.columns - 1) * double{grid.dx})) ||
        !std::isfinite(static_cast<float>((grid.rows - 1) * double{grid.dy}))) {
        return msg::kGridReachesTooFar;
    }
    if (!std::all_of(dem.heights.begin(), dem.heights.end(),
                     [](float h) { return std::isfinite(h); })) {
        return msg::kGridNotFinite;
    }
    return std::nullopt;
}

class GridMeshBuilder {
public:
    explicit GridMeshBuilder(const DemChunk& dem)
        : dem_(dem), nx_(dem.grid.columns), ny_(dem.grid.rows) {}

    TriangleMesh Build() const {
        TriangleMesh mesh;
        const std::size_t points = std::size_t{nx_} * ny_;
        mesh.positions.reserve(points);
        mesh.normals.reserve(points);
        mesh.uvs.reserve(points);
        for (std::uint32_t i = 0; i < ny_; ++i) {
            for (std::uint32_t j = 0; j < nx_; ++j) {
                mesh.positions.push_back({static_cast<float>(j * double{dem_.grid.dx}),
                                          static_cast<float>(i * double{dem_.grid.dy}),
                                          Height(i, j)});
                mesh.normals.push_back(Normal(i, j));
                mesh.uvs.push_back({static_cast<float>(double(j) / (nx_ - 1)),
                                    static_cast<float>(double(i) / (ny_ - 1))});
            }
        }
        AddCells(mesh);
        return mesh;
    }

private:
    float Height(std::uint32_t i, std::uint32_t j) const {
        return dem_.heights[std::size_t{i} * nx_ + j];
    }

    // The slope by differences over the neighbours (one-sided at the edges).
    Vec3 Normal(std::uint32_t i, std::uint32_t j) const {
        const std::uint32_t west = j > 0 ? j - 1 : j;
        const std::uint32_t east = j + 1 < nx_ ? j + 1 : j;
        const std::uint32_t south = i > 0 ? i - 1 : i;
        const std::uint32_t north = i + 1 < ny_ ? i + 1 : i;
        const double slopeX =
            (double{Height(i, east)} - Height(i, west)) / ((east - west) * double{dem_.grid.dx});
        const double slopeY = (double{Height(north, j)} - Height(south, j)) /
                              ((north - south) * double{dem_.grid.dy});
        const double length = std::sqrt(slopeX * slopeX + slopeY * slopeY + 1.0);
        return {static_cast<float>(-slopeX / length), static_cast<float>(-slopeY / length),
                static_cast<float>(1.0 / length)};
    }

    // Two triangles per cell, counter-clockwise seen from above.
    void AddCells(TriangleMesh& mesh) const {
        mesh.indices.reserve(std::size_t{nx_ - 1} * (ny_ - 1) * 6);
        for (std::uint32_t i = 0; i + 1 < ny_; ++i) {
            for (std::uint32_t j = 0; j + 1 < nx_; ++j) {
                const std::uint32_t sw = i * nx_ + j;
                const std::uint32_t se = sw + 1;
                const std::uint32_t nw = sw + nx_;
                const std::uint32_t ne = nw + 1;
                mesh.indices.insert(mesh.indices.end(), {sw, se, ne, sw, ne, nw});
            }
        }
    }

    const DemChunk& dem_;
    std::uint32_t nx_;
    std::uint32_t ny_;
};

}  // namespace

std::variant<TerrainModel, DiagnosticKind> BuildTerrainMesh(const DemChunk& dem) {
    if (const auto fault = GridFault(dem)) {
        return *fault;
    }
    return TerrainModel{dem.grid, GridMeshBuilder(dem).Build()};
}

}  // namespace vesk
