#include "model/ChunkFault.h"

#include "sheet/ChunkBody.h"

namespace vesk {

DataFault ChunkFault(ByteSource& sheet, std::uint32_t position) {
    return LocateChunkBody(sheet, position) ? DataFault::kChunkClaimsTooMuch
                                            : DataFault::kChunkPastEnd;
}

}  // namespace vesk
