#include "ChunkWriter.h"

#include "ByteWriter.h"

namespace vesk::sample {

void PutChunkHeader(ByteSink& sink, std::uint32_t identifier, std::string_view tag,
                    std::uint32_t bodySize) {
    ByteWriter header;
    header.U32(identifier);
    header.Text(tag.substr(0, 4));
    header.U32(bodySize);
    sink.Put(header.Bytes());
}

void PutChunk(ByteSink& sink, std::uint32_t identifier, std::string_view tag,
              std::span<const std::byte> body) {
    PutChunkHeader(sink, identifier, tag, static_cast<std::uint32_t>(body.size()));
    sink.Put(body);
}

}  // namespace vesk::sample
