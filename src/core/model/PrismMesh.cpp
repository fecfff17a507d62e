#include "model/PrismMesh.h"

#include <algorithm>
#include <cmath>

namespace vesk {
namespace {

constexpr Vec3 kUp{0.0f, 0.0f, 1.0f};
constexpr Vec3 kDown{0.0f, 0.0f, -1.0f};

std::uint32_t VertexCount(const TriangleMesh& mesh) {
    return static_cast<std::uint32_t>(mesh.positions.size());
}

void AddVertex(TriangleMesh& mesh, const FootprintPoint& p, float height, const Vec3& normal) {
    mesh.positions.push_back({static_cast<float>(p.x), static_cast<float>(p.y), height});
    mesh.normals.push_back(normal);
}

void AddTriangle(TriangleMesh& mesh, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    mesh.indices.insert(mesh.indices.end(), {a, b, c});
}

// A flat face over the footprint at one height: seen from above for the roof,
// from below (each triangle reversed) for the floor.
void AppendCap(TriangleMesh& mesh, std::span<const FootprintPoint> footprint,
               const FootprintTriangulation& triangulation, float height, bool facesUp) {
    const std::uint32_t first = VertexCount(mesh);
    for (const FootprintPoint& p : footprint) {
        AddVertex(mesh, p, height, facesUp ? kUp : kDown);
    }
    for (const auto& [a, b, c] : triangulation.triangles) {
        if (facesUp) {
            AddTriangle(mesh, first + a, first + b, first + c);
        } else {
            AddTriangle(mesh, first + a, first + c, first + b);
        }
    }
}

// The wall over the edge from p to q. Seen from outside, a footprint that
// turns counter-clockwise runs from left to right along each edge.
void AppendWall(TriangleMesh& mesh, const FootprintPoint& p, const FootprintPoint& q, float low,
                float high, bool counterClockwise) {
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    const double length = std::hypot(dx, dy);
    const double side = counterClockwise ? 1.0 : -1.0;
    const Vec3 outward{static_cast<float>(side * dy / length),
                       static_cast<float>(-side * dx / length), 0.0f};
    const std::uint32_t first = VertexCount(mesh);
    AddVertex(mesh, p, low, outward);
    AddVertex(mesh, q, low, outward);
    AddVertex(mesh, q, high, outward);
    AddVertex(mesh, p, high, outward);
    if (counterClockwise) {
        AddTriangle(mesh, first, first + 1, first + 2);
        AddTriangle(mesh, first, first + 2, first + 3);
    } else {
        AddTriangle(mesh, first, first + 2, first + 1);
        AddTriangle(mesh, first, first + 3, first + 2);
    }
}

}  // namespace

void AppendPrism(TriangleMesh& mesh, std::span<const FootprintPoint> footprint,
                 const FootprintTriangulation& triangulation, float bottom, float roof) {
    const float low = std::min(bottom, roof);
    const float high = std::max(bottom, roof);
    AppendCap(mesh, footprint, triangulation, high, true);
    AppendCap(mesh, footprint, triangulation, low, false);
    if (low == high) {
        return;  // a flat building has no walls
    }
    for (std::size_t i = 0; i < footprint.size(); ++i) {
        const FootprintPoint& p = footprint[i];
        const FootprintPoint& q = footprint[(i + 1) % footprint.size()];
        if (p.x != q.x || p.y != q.y) {
            AppendWall(mesh, p, q, low, high, triangulation.counterClockwise);
        }
    }
}

// Roof and floor: n corners and n - 2 triangles each; walls: 4 corners and 2 triangles each.
std::uint64_t PrismVertexBound(std::uint64_t corners) {
    return 6 * corners;
}

std::uint64_t PrismIndexBound(std::uint64_t corners) {
    return 3 * 4 * corners;
}

}  // namespace vesk
