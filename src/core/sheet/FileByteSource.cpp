#include "sheet/FileByteSource.h"

#include <algorithm>
#include <cstring>

namespace vesk {
namespace {

constexpr std::size_t kReadAheadBytes = 64 * 1024;
constexpr std::size_t kLargeReadBytes = 4 * 1024;

}  // namespace

std::optional<FileByteSource> FileByteSource::Open(const std::filesystem::path& path) {
    auto file = ReadOnlyFile::Open(path);
    if (!file) {
        return std::nullopt;
    }
    return FileByteSource(std::move(*file));
}

bool FileByteSource::BlockHolds(std::uint64_t offset, std::size_t count) const {
    return offset >= blockOffset_ && offset - blockOffset_ <= block_.size() &&
           count <= block_.size() - (offset - blockOffset_);
}

std::size_t FileByteSource::ReadAt(std::uint64_t offset, std::span<std::byte> out) {
    if (out.size() >= kLargeReadBytes) {
        return file_.ReadAt(offset, out);
    }
    if (!BlockHolds(offset, out.size())) {
        block_.resize(kReadAheadBytes);
        const std::size_t got = file_.ReadAt(offset, block_);
        block_.resize(got);
        blockOffset_ = offset;
    }
    if (offset < blockOffset_ || offset - blockOffset_ >= block_.size()) {
        return 0;
    }
    const std::size_t start = static_cast<std::size_t>(offset - blockOffset_);
    const std::size_t count = std::min(out.size(), block_.size() - start);
    if (count > 0) {
        std::memcpy(out.data(), block_.data() + start, count);
    }
    return count;
}

}  // namespace vesk
