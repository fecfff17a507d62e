#include "sheet/ChunkWalker.h"

#include <limits>

namespace vesk {

std::optional<WalkedChunk> ChunkWalker::Next() {
    if (ended_ || next_ > std::numeric_limits<std::uint32_t>::max()) {
        ended_ = true;
        return std::nullopt;
    }
    reader_.Seek(next_);
    const auto header = ReadChunkHeader(reader_);
    const int level = header ? ChunkLevel(header->identifier) : 0;
    if (level == 0) {
        ended_ = true;
        return std::nullopt;
    }
    WalkedChunk chunk{static_cast<std::uint32_t>(next_), *header, level};
    next_ = chunk.BodyOffset() + (level == 4 ? 0 : std::uint64_t{header->bodySize});
    return chunk;
}

}  // namespace vesk
