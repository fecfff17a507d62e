#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/ReadOnlyFile.h"
#include "sheet/ByteSource.h"

namespace vesk {

// A sheet file as a byte source. Small reads (chunk headers, area bodies) are
// served from one read-ahead block, so walking thousands of building chunks
// costs a few reads instead of one per header; large reads (the sheet image)
// go straight into the caller's buffer.
class FileByteSource final : public ByteSource {
public:
    static std::optional<FileByteSource> Open(const std::filesystem::path& path);

    std::uint64_t Size() const override { return file_.Size(); }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> out) override;

private:
    explicit FileByteSource(ReadOnlyFile file) : file_(std::move(file)) {}

    bool BlockHolds(std::uint64_t offset, std::size_t count) const;

    ReadOnlyFile file_;
    std::vector<std::byte> block_;
    std::uint64_t blockOffset_ = 0;
};

}  // namespace vesk
