#include "model/ChunkFault.h"

#include "sheet/ByteReader.h"
#include "sheet/ChunkHeader.h"

namespace vesk {

DataFault ChunkFault(ByteSource& sheet, std::uint32_t position) {
    ByteReader reader(sheet, position);
    const auto header = ReadChunkHeader(reader);
    if (!header || header->bodySize > reader.Remaining()) {
        return DataFault::kChunkPastEnd;
    }
    return DataFault::kChunkClaimsTooMuch;
}

}  // namespace vesk
