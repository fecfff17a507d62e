#include "sheet/ChunkHeader.h"

#include <cstring>

#include "sheet/LittleEndian.h"

namespace vesk {

int ChunkLevel(std::uint32_t identifier) {
    if (identifier & 0xF00u) {
        return 4;
    }
    if (identifier & 0xF000u) {
        return 3;
    }
    if (identifier & 0xF0000u) {
        return 2;
    }
    if (identifier & 0xF00000u) {
        return 1;
    }
    return 0;
}

bool Matches(const ChunkHeader& header, const ChunkKind& kind) {
    return header.identifier == kind.identifier &&
           std::string_view(header.tag.data(), header.tag.size()) == kind.tag &&
           (!kind.bodySize || *kind.bodySize == header.bodySize);
}

std::optional<ChunkHeader> ReadChunkHeader(ByteReader& reader) {
    std::array<std::byte, kChunkHeaderSize> bytes{};
    if (!reader.Read(bytes)) {
        return std::nullopt;
    }
    ChunkHeader header;
    header.identifier = DecodeU32(bytes.data());
    std::memcpy(header.tag.data(), bytes.data() + 4, 4);
    header.bodySize = DecodeU32(bytes.data() + 8);
    return header;
}

}  // namespace vesk
