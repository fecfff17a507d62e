#include "preview/LightScene.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vesk::gui {
namespace {

double Cross(const FootprintPoint& o, const FootprintPoint& a, const FootprintPoint& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Counter-clockwise, without repeated corners or corners on a line with
// their neighbours (Andrew's monotone chain).
std::vector<FootprintPoint> ConvexHull(std::span<const FootprintPoint> points) {
    std::vector<FootprintPoint> sorted(points.begin(), points.end());
    std::sort(sorted.begin(), sorted.end(), [](const FootprintPoint& a, const FootprintPoint& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    std::vector<FootprintPoint> hull(2 * sorted.size());
    std::size_t size = 0;
    for (const FootprintPoint& p : sorted) {
        while (size >= 2 && Cross(hull[size - 2], hull[size - 1], p) <= 0.0) {
            --size;
        }
        hull[size++] = p;
    }
    const std::size_t lower = size + 1;
    for (auto p = sorted.rbegin() + 1; p < sorted.rend(); ++p) {
        while (size >= lower && Cross(hull[size - 2], hull[size - 1], *p) <= 0.0) {
            --size;
        }
        hull[size++] = *p;
    }
    hull.resize(size > 1 ? size - 1 : size);
    return hull;
}

std::array<FootprintPoint, 4> Extent(std::span<const FootprintPoint> points) {
    constexpr double kBig = std::numeric_limits<double>::max();
    FootprintPoint low{kBig, kBig};
    FootprintPoint high{-kBig, -kBig};
    for (const FootprintPoint& p : points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    return {{{low.x, low.y}, {high.x, low.y}, {high.x, high.y}, {low.x, high.y}}};
}

// The rectangle with one side along the hull's edge from a to b: u along the
// edge, v to its left, where the counter-clockwise hull lies.
std::array<FootprintPoint, 4> RectangleOnEdge(std::span<const FootprintPoint> hull,
                                              const FootprintPoint& a, const FootprintPoint& b,
                                              double& area) {
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const FootprintPoint u{(b.x - a.x) / length, (b.y - a.y) / length};
    const FootprintPoint v{-u.y, u.x};
    double lowU = 0.0, highU = 0.0, lowV = 0.0, highV = 0.0;
    for (const FootprintPoint& p : hull) {
        const double du = (p.x - a.x) * u.x + (p.y - a.y) * u.y;
        const double dv = (p.x - a.x) * v.x + (p.y - a.y) * v.y;
        lowU = std::min(lowU, du);
        highU = std::max(highU, du);
        lowV = std::min(lowV, dv);
        highV = std::max(highV, dv);
    }
    area = (highU - lowU) * (highV - lowV);
    const auto at = [&](double du, double dv) {
        return FootprintPoint{a.x + du * u.x + dv * v.x, a.y + du * u.y + dv * v.y};
    };
    return {at(lowU, lowV), at(highU, lowV), at(highU, highV), at(lowU, highV)};
}

double ShoelaceArea(std::span<const FootprintPoint> ring) {
    double twice = 0.0;
    for (std::size_t k = 0; k < ring.size(); ++k) {
        const FootprintPoint& a = ring[k];
        const FootprintPoint& b = ring[(k + 1) % ring.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::abs(twice) / 2.0;
}

// Upward-facing triangles of a closed prism are its roof, whose plan is the footprint.
double RoofArea(const TriangleMesh& mesh, const BuildingPart& part) {
    double area = 0.0;
    const std::size_t end =
        std::min<std::size_t>(part.firstIndex + part.indexCount, mesh.indices.size());
    for (std::size_t i = part.firstIndex; i + 3 <= end; i += 3) {
        const Vec3& a = mesh.positions[mesh.indices[i]];
        const Vec3& b = mesh.positions[mesh.indices[i + 1]];
        const Vec3& c = mesh.positions[mesh.indices[i + 2]];
        const double twice =
            (double(b.x) - a.x) * (double(c.y) - a.y) - (double(c.x) - a.x) * (double(b.y) - a.y);
        const double up = (mesh.normals[mesh.indices[i]].z + mesh.normals[mesh.indices[i + 1]].z +
                           mesh.normals[mesh.indices[i + 2]].z) /
                          3.0;
        if (up > 0.5) {
            area += std::abs(twice) / 2.0;
        }
    }
    return area;
}

std::vector<FootprintPoint> PlanOf(const TriangleMesh& mesh, const BuildingPart& part) {
    const std::size_t end =
        std::min<std::size_t>(part.firstVertex + part.vertexCount, mesh.positions.size());
    std::vector<FootprintPoint> plan;
    for (std::size_t v = part.firstVertex; v < end; ++v) {
        plan.push_back({mesh.positions[v].x, mesh.positions[v].y});
    }
    return plan;
}

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

std::array<FootprintPoint, 4> SmallestRectangle(std::span<const FootprintPoint> points) {
    if (points.empty()) {
        return {};
    }
    // Points on one line make a hull of two corners, and a box of no width along them.
    const std::vector<FootprintPoint> hull = ConvexHull(points);
    if (hull.size() < 2) {
        return Extent(points);
    }
    std::array<FootprintPoint, 4> best = Extent(points);
    double bestArea = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < hull.size(); ++k) {
        double area = 0.0;
        const auto rectangle = RectangleOnEdge(hull, hull[k], hull[(k + 1) % hull.size()], area);
        if (area < bestArea) {
            bestArea = area;
            best = rectangle;
        }
    }
    return best;
}

std::vector<BuildingBox> BoxesOf(const FootprintSet& set) {
    std::vector<BuildingBox> boxes;
    boxes.reserve(set.buildings.size());
    for (const FootprintSet::Building& building : set.buildings) {
        const auto corners = set.Corners(building);
        boxes.push_back({building.number, building.bottom, building.roof, ShoelaceArea(corners),
                         SmallestRectangle(corners)});
    }
    return boxes;
}

std::vector<BuildingBox> BoxesOf(const BlockModel& model) {
    std::vector<BuildingBox> boxes;
    boxes.reserve(model.buildingParts.size());
    for (const BuildingPart& part : model.buildingParts) {
        boxes.push_back({part.number, part.bottom, part.roof, RoofArea(model.buildings, part),
                         SmallestRectangle(PlanOf(model.buildings, part))});
    }
    return boxes;
}

BuildingDrawMesh MakeBoxMesh(std::span<const BuildingBox> boxes) {
    BuildingDrawMesh mesh;
    mesh.positions.reserve(boxes.size() * 8);
    mesh.indices.reserve(boxes.size() * 30);
    for (const BuildingBox& box : boxes) {
        const auto base = static_cast<std::uint32_t>(mesh.positions.size());
        for (float z : {std::min(box.bottom, box.roof), std::max(box.bottom, box.roof)}) {
            for (const FootprintPoint& corner : box.corners) {
                mesh.positions.push_back(
                    {static_cast<float>(corner.x), static_cast<float>(corner.y), z});
            }
        }
        const auto first = static_cast<std::uint32_t>(mesh.indices.size());
        for (std::uint32_t a = 0; a < 4; ++a) {
            const std::uint32_t b = (a + 1) % 4;
            mesh.indices.insert(mesh.indices.end(), {base + a, base + b, base + 4 + b, base + a,
                                                     base + 4 + b, base + 4 + a});
        }
        mesh.indices.insert(mesh.indices.end(),
                            {base + 4, base + 5, base + 6, base + 4, base + 6, base + 7});
        mesh.parts.push_back({first, static_cast<std::uint32_t>(mesh.indices.size()) - first});
    }
    mesh.floorIndexStart = mesh.indices.size();
    mesh.floors.assign(boxes.size(), {static_cast<std::uint32_t>(mesh.floorIndexStart), 0});
    mesh.highestFloor = -std::numeric_limits<float>::max();
    return mesh;
}

std::vector<std::uint32_t> CoarseTerrainIndices(const TerrainModel& terrain, std::size_t maxCells) {
    const std::uint32_t columns = terrain.grid.columns;
    const std::uint32_t rows = terrain.grid.rows;
    if (columns < 2 || rows < 2 || std::size_t{columns} * rows != terrain.mesh.positions.size()) {
        return {};
    }
    const double cells = double(columns - 1) * double(rows - 1);
    const auto step = static_cast<std::uint32_t>(std::max(
        1.0,
        std::ceil(std::sqrt(cells / static_cast<double>(std::max<std::size_t>(maxCells, 1))))));
    const std::vector<std::uint32_t> keptColumns = KeptLines(columns, step);
    const std::vector<std::uint32_t> keptRows = KeptLines(rows, step);
    std::vector<std::uint32_t> indices;
    indices.reserve((keptColumns.size() - 1) * (keptRows.size() - 1) * 6);
    for (std::size_t i = 0; i + 1 < keptRows.size(); ++i) {
        for (std::size_t j = 0; j + 1 < keptColumns.size(); ++j) {
            const std::uint32_t sw = keptRows[i] * columns + keptColumns[j];
            const std::uint32_t se = keptRows[i] * columns + keptColumns[j + 1];
            const std::uint32_t nw = keptRows[i + 1] * columns + keptColumns[j];
            const std::uint32_t ne = keptRows[i + 1] * columns + keptColumns[j + 1];
            indices.insert(indices.end(), {sw, se, ne, sw, ne, nw});
        }
    }
    return indices;
}

}  // namespace vesk::gui
