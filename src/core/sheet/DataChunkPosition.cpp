#include "sheet/DataChunkPosition.h"

namespace vesk {

void RecordDataChunkPosition(const WalkedChunk& chunk, SubSheetRecord& record) {
    if (Matches(chunk.header, kBuildingChunk)) {
        record.buildingPositions.push_back(chunk.offset);
        ++record.buildingCount;
    } else if (Matches(chunk.header, kDemChunk)) {
        record.hasDem = 1;
        record.demPosition = chunk.offset;
    } else if (Matches(chunk.header, kOrthoChunk)) {
        record.hasOrtho = 1;
        record.orthoPosition = chunk.offset;
    }
}

}  // namespace vesk
