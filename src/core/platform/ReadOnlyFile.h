#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace vesk {

// A file opened for reading, closed when the object goes. The one place where
// the core talks to the platform's file API for reading.
class ReadOnlyFile {
public:
    static std::optional<ReadOnlyFile> Open(const std::filesystem::path& path);
    ~ReadOnlyFile();

    ReadOnlyFile(ReadOnlyFile&& other) noexcept
        : handle_(std::exchange(other.handle_, -1)), size_(other.size_) {}
    ReadOnlyFile& operator=(ReadOnlyFile&&) = delete;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    std::uint64_t Size() const { return size_; }

    // Reads up to out.size() bytes at offset; gives the count read.
    std::size_t ReadAt(std::uint64_t offset, std::span<std::byte> out) const;

private:
    ReadOnlyFile(int handle, std::uint64_t size) : handle_(handle), size_(size) {}

    int handle_;
    std::uint64_t size_;
};

// The whole of a regular file, for small files read at once (JSON); nothing
// when it cannot be opened or read to its end.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Why the file cannot be opened for reading, in the system's words ("No such
// file or directory"), or "not a regular file"; nothing when it can.
std::optional<std::string> WhyNotReadable(const std::filesystem::path& path);

}  // namespace vesk
