#pragma once

#include <array>
#include <filesystem>
#include <optional>

#include "platform/ReadOnlyFile.h"
#include "sheet/ByteSource.h"

namespace vesk {

// A sheet file as the survey reads it: only the leading chunk headers and the
// small AREA and NAME bodies, which lie in the first hundred bytes or so. One
// read of the file's first bytes serves them all (the loader's 64 KiB
// read-ahead would copy far more than the survey looks at); a read that does
// not lie inside them, such as an unusually long name, goes to the file.
class SheetHeadSource final : public ByteSource {
public:
    static constexpr std::size_t kHeadBytes = 512;

    static std::optional<SheetHeadSource> Open(const std::filesystem::path& path);

    std::uint64_t Size() const override { return file_.Size(); }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> out) override;

private:
    explicit SheetHeadSource(ReadOnlyFile file) : file_(std::move(file)) {}

    ReadOnlyFile file_;
    std::array<std::byte, kHeadBytes> head_{};
    std::size_t headBytes_ = 0;
};

}  // namespace vesk
