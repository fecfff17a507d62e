#include "ByteWriter.h"

#include <bit>

namespace vesk::sample {

void ByteWriter::U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v & 0xFF));
    U8(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::U32(std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        U8(static_cast<std::uint8_t>((v >> shift) & 0xFF));
    }
}

void ByteWriter::F32(float v) {
    U32(std::bit_cast<std::uint32_t>(v));
}

void ByteWriter::U16BigEndian(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v >> 8));
    U8(static_cast<std::uint8_t>(v & 0xFF));
}

void ByteWriter::I32BigEndian(std::int32_t v) {
    const auto bits = static_cast<std::uint32_t>(v);
    for (int shift = 24; shift >= 0; shift -= 8) {
        U8(static_cast<std::uint8_t>((bits >> shift) & 0xFF));
    }
}

void ByteWriter::Text(std::string_view text) {
    for (char c : text) {
        U8(static_cast<std::uint8_t>(c));
    }
}

}  // namespace vesk::sample
