#pragma once

#include <cstdint>
#include <optional>

#include "sheet/ByteReader.h"
#include "sheet/ChunkHeader.h"

namespace vesk {

// One chunk met by the walk: where its header lies, the header and its level.
struct WalkedChunk {
    std::uint32_t offset = 0;
    ChunkHeader header;
    int level = 0;

    std::uint64_t BodyOffset() const { return std::uint64_t{offset} + kChunkHeaderSize; }
};

// Walks a sheet file chunk by chunk from offset 0. Chunks of levels 1 to 3 are
// left by their body size, unless their reader says where their data end; a
// level-4 header is left right after its 12 bytes. The walk ends at a header
// that cannot be read whole, at a level-0 header, and at an offset that a
// 32-bit file position cannot hold.
class ChunkWalker {
public:
    explicit ChunkWalker(ByteSource& source) : reader_(source) {}

    std::optional<WalkedChunk> Next();

    // The next header is read at offset instead of after the body of the chunk
    // last given: for a chunk whose content, not its body size, says where it
    // ends (the sheet image).
    void ContinueAt(std::uint64_t offset) { next_ = offset; }

private:
    ByteReader reader_;
    std::uint64_t next_ = 0;
    bool ended_ = false;
};

}  // namespace vesk
