#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "model/BlockModel.h"

namespace vesk {

// A triangle mesh compressed with Draco, and what a glTF document says of it
// as a decoder will give it back.
struct DracoMesh {
    std::vector<unsigned char> bytes;
    std::map<std::string, int> attributes;  // glTF's attribute names to Draco's ids
    std::size_t vertexCount = 0;
    std::size_t indexCount = 0;
    std::vector<double> positionMin;
    std::vector<double> positionMax;
    bool narrowFeatureIds = false;  // as unsigned 16-bit integers, not floats
};

// Compresses the mesh as it is (in glTF's frame already), with its feature id
// per vertex under `featureIdName` when there are any. Positions, normals and
// texture coordinates are quantized; the feature ids are kept exactly, as
// 16-bit integers where they fit. The
// result is decoded once to learn its counts and bounds. A reason when Draco
// refuses the mesh or cannot read back what it made.
// The farthest quantization moves a position of a mesh whose bounding cube has
// this side, in the same unit: half a step.
double DracoPositionError(double side);

std::variant<DracoMesh, std::string> CompressWithDraco(const TriangleMesh& mesh,
                                                       const std::vector<float>& featureIds,
                                                       const std::string& featureIdName);

}  // namespace vesk
