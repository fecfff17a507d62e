#include "sheet/ByteReader.h"

#include <array>

#include "sheet/LittleEndian.h"

namespace vesk {

bool ByteReader::Read(std::span<std::byte> out) {
    if (out.size() > Remaining()) {
        return false;
    }
    if (source_.ReadAt(position_, out) != out.size()) {
        return false;
    }
    position_ += out.size();
    return true;
}

std::size_t ByteReader::ReadSome(std::span<std::byte> out) {
    const std::uint64_t wanted = std::min<std::uint64_t>(out.size(), Remaining());
    const std::size_t got = source_.ReadAt(position_, out.first(static_cast<std::size_t>(wanted)));
    position_ += got;
    return got;
}

std::optional<std::uint32_t> ByteReader::ReadU32() {
    std::array<std::byte, 4> bytes{};
    if (!Read(bytes)) {
        return std::nullopt;
    }
    return DecodeU32(bytes.data());
}

std::optional<float> ByteReader::ReadF32() {
    const auto value = ReadU32();
    if (!value) {
        return std::nullopt;
    }
    return std::bit_cast<float>(*value);
}

}  // namespace vesk
