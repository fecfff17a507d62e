#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <tiny_gltf.h>

#include "export/GltfBinary.h"

namespace vesk {

// Adds views and accessors to a document, each view a part of its one
// buffer; the arrays behind them are kept by the binary until it is written.
class GltfBufferBuilder {
public:
    GltfBufferBuilder(tinygltf::Model& gltf, GltfBinary& binary) : gltf_(gltf), binary_(binary) {}

    // Each element as `bytes` little-endian bytes, as glTF stores it; target 0 is none.
    template <class Element, class Put>
    int AddElements(std::vector<Element>&& elements, std::size_t bytes, int target, Put put) {
        const auto kept = std::make_shared<const std::vector<Element>>(std::move(elements));
        return AddPart(kept->size(), bytes, target,
                       [kept, bytes, put](std::size_t first, std::size_t count, std::byte* out) {
                           for (std::size_t i = first; i < first + count; ++i, out += bytes) {
                               put((*kept)[i], out);
                           }
                       });
    }

    int AddIndices(std::vector<std::uint32_t>&& indices);

    // Bytes as they are, for no target: an image file, a compressed mesh.
    int AddBytes(std::vector<unsigned char>&& bytes);

    // An accessor of the view, or of no view (-1) when an extension gives its data.
    int AddAccessor(int view, int componentType, int type, std::size_t count,
                    std::vector<double> min = {}, std::vector<double> max = {});

private:
    int AddPart(std::size_t count, std::size_t elementBytes, int target,
                GltfBinary::Encoder encode);

    tinygltf::Model& gltf_;
    GltfBinary& binary_;
};

}  // namespace vesk
