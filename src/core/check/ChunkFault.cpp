#include "check/ChunkFault.h"

#include "sheet/ByteReader.h"
#include "sheet/ChunkHeader.h"

namespace vesk {

FindingCode ChunkFault(ByteSource& sheet, std::uint32_t position) {
    ByteReader reader(sheet, position);
    const auto header = ReadChunkHeader(reader);
    if (!header || header->bodySize > reader.Remaining()) {
        return FindingCode::kChunkPastEnd;
    }
    return FindingCode::kChunkClaimsTooMuch;
}

}  // namespace vesk
