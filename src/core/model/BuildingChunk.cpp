#include "model/BuildingChunk.h"

#include <algorithm>
#include <array>

#include "sheet/ByteReader.h"
#include "sheet/ChunkHeader.h"
#include "sheet/LittleEndian.h"

namespace vesk {
namespace {

constexpr std::uint32_t kFixedBytes = 12;  // bottom height, roof height, vertex count
constexpr std::uint32_t kVertexBytes = 8;

}  // namespace

BuildingChunkRead BuildingChunkReader::Read(std::uint32_t position) {
    ByteReader reader(sheet_, position);
    const auto header = ReadChunkHeader(reader);
    if (!header) {
        return BuildingChunkRead::kBroken;
    }
    if (!Matches(*header, kBuildingChunk)) {
        return BuildingChunkRead::kNotABuilding;
    }
    std::array<std::byte, kFixedBytes> fixed{};
    if (header->bodySize < kFixedBytes || !reader.Read(fixed)) {
        return BuildingChunkRead::kBroken;
    }
    const std::uint32_t count = DecodeU32(fixed.data() + 8);
    const std::uint64_t room =
        std::min<std::uint64_t>(header->bodySize - kFixedBytes, reader.Remaining());
    if (count > room / kVertexBytes) {
        return BuildingChunkRead::kBroken;
    }
    bytes_.resize(std::size_t{count} * kVertexBytes);
    if (!reader.Read(bytes_)) {
        return BuildingChunkRead::kBroken;
    }
    building_.bottom = DecodeF32(fixed.data());
    building_.roof = DecodeF32(fixed.data() + 4);
    building_.footprint.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::byte* at = bytes_.data() + i * kVertexBytes;
        building_.footprint[i] = {DecodeF32(at), DecodeF32(at + 4)};
    }
    return BuildingChunkRead::kRead;
}

}  // namespace vesk
