#include "sheet/DemChunk.h"

#include <algorithm>
#include <array>
#include <span>

#include "sheet/ByteReader.h"
#include "sheet/ChunkHeader.h"
#include "sheet/LittleEndian.h"

namespace vesk {
namespace {

constexpr std::uint32_t kGridHeaderBytes = 16;  // columns, rows, dx, dy
constexpr std::uint32_t kHeightBytes = 4;

}  // namespace

DemChunkResult ReadDemChunk(ByteSource& sheet, std::uint32_t position) {
    ByteReader reader(sheet, position);
    const auto header = ReadChunkHeader(reader);
    std::array<std::byte, kGridHeaderBytes> fixed{};
    DemChunkResult result;
    if (!header || header->bodySize < kGridHeaderBytes || !reader.Read(fixed)) {
        return result;
    }
    DemChunk& dem = result.chunk;
    dem.grid = {DecodeU32(fixed.data()), DecodeU32(fixed.data() + 4), DecodeF32(fixed.data() + 8),
                DecodeF32(fixed.data() + 12)};
    // A 64-bit product of two 32-bit counts cannot wrap around to a small grid.
    const std::uint64_t points = std::uint64_t{dem.grid.columns} * dem.grid.rows;
    const std::uint64_t room =
        std::min<std::uint64_t>(header->bodySize - kGridHeaderBytes, reader.Remaining());
    if (points == 0) {
        result.read = DemChunkRead::kNoPoints;
        return result;
    }
    if (points > room / kHeightBytes) {
        return result;
    }
    dem.heights.resize(static_cast<std::size_t>(points));
    const auto bytes = std::as_writable_bytes(std::span(dem.heights));
    if (!reader.Read(bytes)) {
        return result;
    }
    for (std::size_t i = 0; i < dem.heights.size(); ++i) {
        dem.heights[i] = DecodeF32(bytes.data() + i * kHeightBytes);
    }
    result.read = DemChunkRead::kRead;
    return result;
}

}  // namespace vesk
