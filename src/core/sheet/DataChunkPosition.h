#pragma once

#include "sheet/ChunkWalker.h"
#include "sheet/SubSheetRecord.h"

namespace vesk {

// Notes where a level-3 chunk of a sub-sheet lies: a building is added in file
// order, a second grid or texture replaces the first; any other chunk is passed over.
void RecordDataChunkPosition(const WalkedChunk& chunk, SubSheetRecord& record);

}  // namespace vesk
