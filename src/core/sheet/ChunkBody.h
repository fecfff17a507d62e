#pragma once

#include <cstdint>
#include <optional>

#include "sheet/ByteSource.h"
#include "sheet/ChunkHeader.h"

namespace vesk {

// The header of a chunk and where its body begins.
struct ChunkBody {
    ChunkHeader header;
    std::uint64_t offset = 0;
};

// The chunk at position, when its header can be read and its body lies whole
// within the file; nothing when it runs past the end.
std::optional<ChunkBody> LocateChunkBody(ByteSource& sheet, std::uint32_t position);

}  // namespace vesk
