#include "platform/ReadOnlyFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vesk {

#if defined(_WIN32)

std::optional<ReadOnlyFile> ReadOnlyFile::Open(const std::filesystem::path& path) {
    const int handle = _wopen(path.c_str(), _O_RDONLY | _O_BINARY);
    if (handle < 0) {
        return std::nullopt;
    }
    struct _stat64 info {};
    if (_fstat64(handle, &info) != 0 || (info.st_mode & _S_IFREG) == 0) {
        _close(handle);
        return std::nullopt;
    }
    return ReadOnlyFile(handle, static_cast<std::uint64_t>(info.st_size));
}

ReadOnlyFile::~ReadOnlyFile() {
    if (handle_ >= 0) {
        _close(handle_);
    }
}

std::size_t ReadOnlyFile::ReadAt(std::uint64_t offset, std::span<std::byte> out) const {
    if (_lseeki64(handle_, static_cast<__int64>(offset), SEEK_SET) < 0) {
        return 0;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const unsigned chunk =
            static_cast<unsigned>(std::min<std::size_t>(out.size() - done, 1u << 30));
        const int got = _read(handle_, out.data() + done, chunk);
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

#else

std::optional<ReadOnlyFile> ReadOnlyFile::Open(const std::filesystem::path& path) {
    // Non-blocking: opening a FIFO for reading would otherwise wait for a
    // writer forever. Folders, FIFOs and devices hold no sheet: unopenable.
    // The flag stays on: it does nothing to a regular file's reads, and
    // clearing it cost two calls for every file opened.
    const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (handle < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(handle);
        return std::nullopt;
    }
    return ReadOnlyFile(handle, static_cast<std::uint64_t>(info.st_size));
}

ReadOnlyFile::~ReadOnlyFile() {
    if (handle_ >= 0) {
        ::close(handle_);
    }
}

std::size_t ReadOnlyFile::ReadAt(std::uint64_t offset, std::span<std::byte> out) const {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(handle_, out.data() + done, out.size() - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

#endif

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    const auto file = ReadOnlyFile::Open(path);
    if (!file || file->Size() > std::numeric_limits<std::size_t>::max()) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(file->Size()), '\0');
    if (file->ReadAt(0, std::as_writable_bytes(std::span(text))) != text.size()) {
        return std::nullopt;
    }
    return text;
}

std::optional<std::string> WhyNotReadable(const std::filesystem::path& path) {
    errno = 0;
    if (ReadOnlyFile::Open(path)) {
        return std::nullopt;
    }
    // An open that succeeded on something other than a file leaves no error.
    const int error = errno;
    return error != 0 ? std::string(std::strerror(error)) : std::string("not a regular file");
}

}  // namespace vesk
