#include "platform/FileSync.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vesk {

#if defined(_WIN32)

bool SyncFileToDisk(std::FILE* file) {
    return _commit(_fileno(file)) == 0;
}

void StartWritingToDisk(std::FILE*, std::uint64_t, std::uint64_t) {}

// Windows puts a rename on the disk with the file's own metadata.
void SyncFolderToDisk(const std::filesystem::path&) {}

#else

bool SyncFileToDisk(std::FILE* file) {
    return ::fsync(::fileno(file)) == 0;
}

void StartWritingToDisk(std::FILE* file, std::uint64_t offset, std::uint64_t bytes) {
#if defined(__linux__)
    ::sync_file_range(::fileno(file), static_cast<off64_t>(offset), static_cast<off64_t>(bytes),
                      SYNC_FILE_RANGE_WRITE);
#else
    (void)file;
    (void)offset;
    (void)bytes;
#endif
}

void SyncFolderToDisk(const std::filesystem::path& folder) {
    const std::filesystem::path path = folder.empty() ? std::filesystem::path(".") : folder;
    const int handle = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

#endif

}  // namespace vesk
