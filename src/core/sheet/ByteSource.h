#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vesk {

// Random-access bytes of known size: a sheet file on disk, or memory in tests and
// fuzzing. Every reader of sheet files goes through this, so none of them can
// ask for more than the source holds without noticing.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    virtual std::uint64_t Size() const = 0;

    // Copies up to out.size() bytes from offset; gives how many were copied
    // (fewer only at the end of the source or on a read error).
    virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> out) = 0;
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::byte> bytes) : bytes_(bytes) {}

    std::uint64_t Size() const override { return bytes_.size(); }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> out) override;

private:
    std::span<const std::byte> bytes_;
};

}  // namespace vesk
