#include "MeshFacts.h"

#include <algorithm>
#include <cmath>

namespace vesk::test {
namespace {

std::array<double, 3> Cross(const Triangle& t) {
    const auto& [a, b, c] = t.corners;
    const double ux = double{b.x} - a.x, uy = double{b.y} - a.y, uz = double{b.z} - a.z;
    const double vx = double{c.x} - a.x, vy = double{c.y} - a.y, vz = double{c.z} - a.z;
    return {uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
}

}  // namespace

std::vector<Triangle> Triangles(const TriangleMesh& mesh, std::size_t firstIndex,
                                std::size_t indexCount) {
    std::vector<Triangle> triangles;
    const std::size_t end = indexCount == SIZE_MAX ? mesh.indices.size() : firstIndex + indexCount;
    for (std::size_t i = firstIndex; i + 3 <= end; i += 3) {
        Triangle t;
        for (int k = 0; k < 3; ++k) {
            t.corners[k] = mesh.positions.at(mesh.indices[i + k]);
            t.normals[k] = mesh.normals.at(mesh.indices[i + k]);
        }
        triangles.push_back(t);
    }
    return triangles;
}

std::array<double, 3> GeometricNormal(const Triangle& triangle) {
    auto n = Cross(triangle);
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (double& value : n) {
        value /= length;
    }
    return n;
}

double Area(const Triangle& triangle) {
    const auto n = Cross(triangle);
    return std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) / 2.0;
}

double EnclosedVolume(const std::vector<Triangle>& triangles) {
    double volume = 0.0;
    for (const Triangle& t : triangles) {
        const auto& [a, b, c] = t.corners;
        volume += (double{a.x} * (double{b.y} * c.z - double{b.z} * c.y) -
                   double{a.y} * (double{b.x} * c.z - double{b.z} * c.x) +
                   double{a.z} * (double{b.x} * c.y - double{b.y} * c.x)) /
                  6.0;
    }
    return volume;
}

bool Inside(const std::vector<std::pair<double, double>>& polygon, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const auto [xi, yi] = polygon[i];
        const auto [xj, yj] = polygon[j];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) {
            inside = !inside;
        }
    }
    return inside;
}

}  // namespace vesk::test
