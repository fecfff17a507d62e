#include "sheet/ChunkBody.h"

#include "sheet/ByteReader.h"

namespace vesk {

std::optional<ChunkBody> LocateChunkBody(ByteSource& sheet, std::uint32_t position) {
    ByteReader reader(sheet, position);
    const auto header = ReadChunkHeader(reader);
    if (!header || header->bodySize > reader.Remaining()) {
        return std::nullopt;
    }
    return ChunkBody{*header, reader.Position()};
}

}  // namespace vesk
