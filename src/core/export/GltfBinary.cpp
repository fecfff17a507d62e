#include "export/GltfBinary.h"

#include <algorithm>
#include <string_view>

namespace vesk {
namespace {

// Encoded a piece at a time straight into the file's own buffer.
constexpr std::size_t kPieceBytes = std::size_t{64} << 10;
constexpr std::size_t kAlignment = 8;

std::size_t Aligned(std::size_t offset) {
    return (offset + kAlignment - 1) / kAlignment * kAlignment;
}

void PutZeros(AtomicOutputFile& out, std::size_t count) {
    static constexpr char kZeros[kAlignment] = {};
    out.Write(std::string_view(kZeros, count));
}

}  // namespace

std::size_t GltfBinary::Add(std::size_t count, std::size_t elementBytes, Encoder encode) {
    const std::size_t offset = Aligned(size_);
    parts_.push_back({offset, count, elementBytes, std::move(encode)});
    size_ = offset + count * elementBytes;
    return offset;
}

std::size_t GltfBinary::Size() const {
    return Aligned(size_);
}

void GltfBinary::WriteTo(AtomicOutputFile& out) const {
    std::size_t written = 0;
    for (const Part& part : parts_) {
        PutZeros(out, part.offset - written);
        const std::size_t perPiece = std::max<std::size_t>(1, kPieceBytes / part.elementBytes);
        for (std::size_t first = 0; first < part.count; first += perPiece) {
            const std::size_t count = std::min(perPiece, part.count - first);
            char* piece = out.Reserve(count * part.elementBytes);
            part.encode(first, count, reinterpret_cast<std::byte*>(piece));
            out.Advance(piece + count * part.elementBytes);
        }
        written = part.offset + part.count * part.elementBytes;
    }
    PutZeros(out, Size() - written);
}

}  // namespace vesk
