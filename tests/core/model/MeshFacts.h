#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/BlockModel.h"

namespace vesk::test {

// Geometry worked out here in double precision from the mesh's own numbers,
// so the tests compare with facts (areas, volumes, directions), not with code.
struct Triangle {
    std::array<Vec3, 3> corners;
    std::array<Vec3, 3> normals;  // as stored at the corners
};

std::vector<Triangle> Triangles(const TriangleMesh& mesh, std::size_t firstIndex = 0,
                                std::size_t indexCount = SIZE_MAX);

// The unit normal of the corners' turning (right-hand rule) and the area.
std::array<double, 3> GeometricNormal(const Triangle& triangle);
double Area(const Triangle& triangle);

// Signed volume enclosed by a closed mesh (positive when it faces outward).
double EnclosedVolume(const std::vector<Triangle>& triangles);

// Whether a point lies inside a polygon (ray casting).
bool Inside(const std::vector<std::pair<double, double>>& polygon, double x, double y);

}  // namespace vesk::test
