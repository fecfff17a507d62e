#include "sheet/BuildingChunk.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "sheet/ByteReader.h"
#include "sheet/ChunkHeader.h"

namespace vesk {
namespace {

constexpr std::uint32_t kFixedBytes = 12;  // bottom height, roof height, corner count

// Room for exactly `size` bytes. A block that is too small goes before the
// larger one is made, so that the two are never held at once.
void ResizeExactly(std::vector<std::byte>& bytes, std::size_t size) {
    if (size > bytes.capacity()) {
        bytes = std::vector<std::byte>();
        bytes.reserve(size);
    }
    bytes.resize(size);
}

}  // namespace

bool BuildingChunk::AllFinite() const {
    if (!std::isfinite(bottom) || !std::isfinite(roof)) {
        return false;
    }
    for (std::size_t i = 0; i < CornerCount(); ++i) {
        if (!std::isfinite(X(i)) || !std::isfinite(Y(i))) {
            return false;
        }
    }
    return true;
}

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
    if (count > room / kBuildingCornerBytes) {
        return BuildingChunkRead::kBroken;
    }
    ResizeExactly(building_.corners, std::size_t{count} * kBuildingCornerBytes);
    if (!reader.Read(building_.corners)) {
        return BuildingChunkRead::kBroken;
    }
    building_.bottom = DecodeF32(fixed.data());
    building_.roof = DecodeF32(fixed.data() + 4);
    return BuildingChunkRead::kRead;
}

}  // namespace vesk
