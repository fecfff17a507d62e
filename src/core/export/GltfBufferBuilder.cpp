#include "export/GltfBufferBuilder.h"

#include <cstring>

#include "sheet/LittleEndian.h"

namespace vesk {

int GltfBufferBuilder::AddIndices(std::vector<std::uint32_t>&& indices) {
    return AddElements(std::move(indices), 4, TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER,
                       [](std::uint32_t index, std::byte* out) { EncodeU32(out, index); });
}

int GltfBufferBuilder::AddBytes(std::vector<unsigned char>&& bytes) {
    const auto kept = std::make_shared<const std::vector<unsigned char>>(std::move(bytes));
    return AddPart(kept->size(), 1, 0,
                   [kept](std::size_t first, std::size_t count, std::byte* out) {
                       std::memcpy(out, kept->data() + first, count);
                   });
}

int GltfBufferBuilder::AddAccessor(int view, int componentType, int type, std::size_t count,
                                   std::vector<double> min, std::vector<double> max) {
    tinygltf::Accessor accessor;
    accessor.bufferView = view;
    accessor.componentType = componentType;
    accessor.type = type;
    accessor.count = count;
    accessor.minValues = std::move(min);
    accessor.maxValues = std::move(max);
    gltf_.accessors.push_back(std::move(accessor));
    return static_cast<int>(gltf_.accessors.size() - 1);
}

int GltfBufferBuilder::AddPart(std::size_t count, std::size_t elementBytes, int target,
                               GltfBinary::Encoder encode) {
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = binary_.Add(count, elementBytes, std::move(encode));
    view.byteLength = count * elementBytes;
    view.target = target;
    gltf_.bufferViews.push_back(view);
    return static_cast<int>(gltf_.bufferViews.size() - 1);
}

}  // namespace vesk
