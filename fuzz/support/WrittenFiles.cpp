#include "WrittenFiles.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "Oracle.h"

namespace vesk::fuzz {
namespace {

using Vector = std::array<double, 3>;

// Element i of an accessor, component c, as a double, from its little-endian bytes.
double Component(const tinygltf::Model& model, const tinygltf::Accessor& accessor, std::size_t i,
                 int c) {
    const tinygltf::BufferView& view = model.bufferViews.at(accessor.bufferView);
    const int size = tinygltf::GetComponentSizeInBytes(accessor.componentType);
    const int count = tinygltf::GetNumComponentsInType(accessor.type);
    const std::size_t stride =
        view.byteStride != 0 ? view.byteStride : static_cast<std::size_t>(size * count);
    const std::size_t at =
        view.byteOffset + accessor.byteOffset + i * stride + static_cast<std::size_t>(c * size);
    const std::vector<unsigned char>& data = model.buffers.at(view.buffer).data;
    Require(at + static_cast<std::size_t>(size) <= data.size(),
            "accessors lie inside their buffer");
    std::uint32_t bits = 0;
    for (int b = 0; b < size; ++b) {
        bits |= static_cast<std::uint32_t>(data[at + static_cast<std::size_t>(b)]) << (8 * b);
    }
    if (accessor.componentType == TINYGLTF_COMPONENT_TYPE_FLOAT) {
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    return bits;
}

Vector Position(const tinygltf::Model& model, const tinygltf::Accessor& positions, std::size_t i) {
    return {Component(model, positions, i, 0), Component(model, positions, i, 1),
            Component(model, positions, i, 2)};
}

Vector AreaVector(const Vector& a, const Vector& b, const Vector& c) {
    const Vector u{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const Vector v{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

double Length(const Vector& v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

struct Surface {
    Vector sum{};
    double magnitude = 0.0;
};

const tinygltf::Primitive* BuildingsPrimitive(const tinygltf::Model& model) {
    for (const tinygltf::Node& node : model.nodes) {
        if (node.name == "buildings" && node.mesh >= 0) {
            return &model.meshes.at(static_cast<std::size_t>(node.mesh)).primitives.at(0);
        }
    }
    return nullptr;
}

tinygltf::Model Parsed(const std::filesystem::path& glb) {
    tinygltf::TinyGLTF loader;
    tinygltf::Model model;
    std::string error;
    std::string warning;
    Require(loader.LoadBinaryFromFile(&model, &error, &warning, glb.string()),
            "a .glb written parses back", error);
    return model;
}

}  // namespace

void RequireOnlyFiles(const std::filesystem::path& folder,
                      const std::vector<std::filesystem::path>& files) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const bool reported = std::find(files.begin(), files.end(), entry.path()) != files.end();
        Require(reported, "the folder holds only the files reported written",
                entry.path().filename().string());
    }
    for (const std::filesystem::path& file : files) {
        Require(std::filesystem::is_regular_file(file), "every file reported written is there",
                file.filename().string());
    }
}

void RequireGlbParses(const std::filesystem::path& glb) {
    Parsed(glb);
}

void RequireClosedBuildings(const std::filesystem::path& glb) {
    const tinygltf::Model model = Parsed(glb);
    const tinygltf::Primitive* buildings = BuildingsPrimitive(model);
    if (buildings == nullptr) {
        return;
    }
    const auto& positions =
        model.accessors.at(static_cast<std::size_t>(buildings->attributes.at("POSITION")));
    const auto& ids =
        model.accessors.at(static_cast<std::size_t>(buildings->attributes.at("_FEATURE_ID_0")));
    const auto& indices = model.accessors.at(static_cast<std::size_t>(buildings->indices));
    std::map<double, Surface> surfaces;
    for (std::size_t t = 0; t + 2 < indices.count; t += 3) {
        std::array<std::size_t, 3> corner{};
        for (std::size_t k = 0; k < 3; ++k) {
            corner[k] = static_cast<std::size_t>(Component(model, indices, t + k, 0));
            Require(corner[k] < positions.count, "indices name vertices that exist");
        }
        const Vector area =
            AreaVector(Position(model, positions, corner[0]), Position(model, positions, corner[1]),
                       Position(model, positions, corner[2]));
        Surface& surface = surfaces[Component(model, ids, corner[0], 0)];
        for (std::size_t k = 0; k < 3; ++k) {
            surface.sum[k] += area[k];
        }
        surface.magnitude += Length(area);
    }
    for (const auto& [id, surface] : surfaces) {
        Require(Length(surface.sum) <= 1e-4 * surface.magnitude + 1e-9,
                "every building's surface is closed", std::to_string(id));
    }
}

}  // namespace vesk::fuzz
