#include "sheet/OrthoChunk.h"

#include "sheet/ByteReader.h"
#include "sheet/ChunkBody.h"

namespace vesk {

std::optional<std::vector<std::byte>> ReadOrthoChunkBody(ByteSource& sheet,
                                                         std::uint32_t position) {
    const auto chunk = LocateChunkBody(sheet, position);
    if (!chunk || !Matches(chunk->header, kOrthoChunk)) {
        return std::nullopt;
    }
    std::vector<std::byte> body(chunk->header.bodySize);
    ByteReader reader(sheet, chunk->offset);
    if (!reader.Read(body)) {
        return std::nullopt;
    }
    return body;
}

}  // namespace vesk
